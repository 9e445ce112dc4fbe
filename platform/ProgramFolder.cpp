// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString &overridePath()
{
    static QString path;
    return path;
}
} // namespace

QString AppPath()
{
    return overridePath().isEmpty() ? QCoreApplication::applicationDirPath() : overridePath();
}

void setAppPath(const QString &path)
{
    overridePath() = path;
}

QString programFile(const QString &name)
{
    return AppPath() + QLatin1Char('/') + name;
}

QString resolveIgnoringCase(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || info.exists())
        return path;
    const QDir dir = info.dir();
    const QString wanted = info.fileName();
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &name : names)
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    return path;
}
