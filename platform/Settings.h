// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

// The per-user settings store: $XDG_CONFIG_HOME/<AppName>/<AppName>.conf, INI format.
// What can be read of a damaged file is read; an unreadable file, or something other
// than a file in its place, reads as empty. Writing keeps other groups and keys; a file
// holding what the rewrite would lose is first copied byte for byte to <file>.bad.
QString settingsStorePath(const QString &AppName);
QString GetSetting(const QString &AppName, const QString &Section, const QString &Key,
                   const QString &Default);
// Returns false when the value could not be written; the file is then left as it was.
bool SaveSetting(const QString &AppName, const QString &Section, const QString &Key,
                 const QString &Setting);

// The game's two settings, their defaults and their parsing, in one place.
namespace StartupSettings {
inline const QString AppName = QStringLiteral("Marrowby");
inline const QString Section = QStringLiteral("Startup");
inline const QString CardBackKey = QStringLiteral("CardBack");
inline const QString MusicFilenameKey = QStringLiteral("MusicFilename");
inline const QString DefaultCardBack = QStringLiteral("54");
inline const QString DefaultMusic = QStringLiteral("Default");
constexpr int32_t FallbackCardBack = 54;

// The stored back as a 16-bit whole number; text that is not one gives 54.
int16_t parseCardBack(const QString &text);
} // namespace StartupSettings
