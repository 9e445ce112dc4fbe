// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "platform/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ScopedFakeMidi::ScopedFakeMidi()
{
    auto shared = log;
    setMidiPlayerFactory([shared] { return std::make_unique<FakeMidiPlayer>(shared); });
}

ScopedFakeMidi::~ScopedFakeMidi()
{
    setMidiPlayerFactory({});
}

QString settingsFilePath()
{
    return settingsStorePath(StartupSettings::AppName);
}

void removeSettingsFile()
{
    QFile::remove(settingsFilePath());
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}
