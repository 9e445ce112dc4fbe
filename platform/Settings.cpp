// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Settings.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <limits>

namespace {

// QSettings' own user-scope INI path would end in .ini; ours is the .conf that
// Linux programs use.
QString storePath(const QString &AppName)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + AppName + QLatin1Char('/') + AppName + QStringLiteral(".conf");
}

QString sectionKey(const QString &Section, const QString &Key)
{
    return Section + QLatin1Char('/') + Key;
}

} // namespace

QString GetSetting(const QString &AppName, const QString &Section, const QString &Key,
                   const QString &Default)
{
    QSettings store(storePath(AppName), QSettings::IniFormat);
    if (store.status() != QSettings::NoError)
        return Default;
    const QVariant value = store.value(sectionKey(Section, Key));
    // A key written as a list or a group by hand is not one of ours to read.
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return Default;
    return value.toString();
}

bool SaveSetting(const QString &AppName, const QString &Section, const QString &Key,
                 const QString &Setting)
{
    QSettings store(storePath(AppName), QSettings::IniFormat);
    if (store.status() == QSettings::FormatError) {
        // Writing would drop what we could not parse; keep the player's file aside.
        const QString path = store.fileName();
        QFile::remove(path + QStringLiteral(".bad"));
        if (!QFile::copy(path, path + QStringLiteral(".bad")))
            return false;
    }
    store.setValue(sectionKey(Section, Key), Setting);
    store.sync();
    return store.status() == QSettings::NoError;
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
