// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Settings.h"

#include "platform/PlainFile.h"
#include "platform/SettingsText.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include <limits>

namespace {

QString sectionKey(const QString &Section, const QString &Key)
{
    return Section + QLatin1Char('/') + Key;
}

// A FIFO, a device or a folder in the file's place would block or fail the store's
// reading; it is left alone and reads as empty.
bool isPlainFileOrNone(const QString &path)
{
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

// Far beyond any file of ours; a larger one is neither read by hand nor rewritten.
constexpr qint64 kMaxFileBytes = 16 << 20;

bool replaceWith(const QString &path, const QByteArray &contents)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() &&
           file.commit();
}

// Before the store rewrites a file that holds what the rewrite would lose (comments,
// lines it cannot read, binary bytes), the file goes aside as it is, and only what can
// be read is left for the store to merge with.
bool keepAsideWhatARewriteLoses(const QString &path)
{
    const PlainFileRead file = readPlainFile(path, kMaxFileBytes);
    if (file.status == PlainFileRead::Status::Missing)
        return true;
    if (file.status != PlainFileRead::Status::Read)
        return false;
    const SettingsText::Review review = SettingsText::review(file.bytes);
    return !review.loses || (replaceWith(path + QStringLiteral(".bad"), file.bytes) &&
                             replaceWith(path, review.readable));
}

} // namespace

// QSettings' own user-scope INI path would end in .ini; ours is the .conf that
// Linux programs use.
QString settingsStorePath(const QString &AppName)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + AppName + QLatin1Char('/') + AppName + QStringLiteral(".conf");
}

QString GetSetting(const QString &AppName, const QString &Section, const QString &Key,
                   const QString &Default)
{
    const QString path = settingsStorePath(AppName);
    if (!isPlainFileOrNone(path))
        return Default;
    // A format error elsewhere in the file does not spoil what could be read.
    QSettings store(path, QSettings::IniFormat);
    if (store.status() == QSettings::AccessError)
        return Default;
    const QVariant value = store.value(sectionKey(Section, Key));
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    // The store reads a comma the player left unquoted as a list; the player meant text.
    if (value.typeId() == QMetaType::QStringList)
        return SettingsText::writtenValue(readPlainFile(path, kMaxFileBytes).bytes, Section, Key)
            .value_or(Default);
    return Default; // absent, or written as a group by hand
}

bool SaveSetting(const QString &AppName, const QString &Section, const QString &Key,
                 const QString &Setting)
{
    const QString path = settingsStorePath(AppName);
    if (!isPlainFileOrNone(path) || !keepAsideWhatARewriteLoses(path))
        return false;
    QSettings store(path, QSettings::IniFormat);
    store.setValue(sectionKey(Section, Key), Setting);
    store.sync();
    // A format error the store met while reading can hide a failure to write.
    return store.status() == QSettings::NoError ||
           (store.status() == QSettings::FormatError && store.isWritable());
}

int16_t StartupSettings::parseCardBack(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < std::numeric_limits<int16_t>::min() ||
        value > std::numeric_limits<int16_t>::max())
        return FallbackCardBack;
    return static_cast<int16_t>(value);
}
