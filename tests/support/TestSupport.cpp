// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include <QFile>
#include <QStandardPaths>

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
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Marrowby/Marrowby.conf");
}

void removeSettingsFile()
{
    QFile::remove(settingsFilePath());
}
