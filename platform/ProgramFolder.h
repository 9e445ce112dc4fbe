// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program folder: the executable's folder, where the help file and songs lie.
QString AppPath();
// Tests point the program at a folder of their own.
void setAppPath(const QString &path);
// AppPath joined to a file name.
QString programFile(const QString &name);
// The file as it is named on disk when only the case of its name differs
// ("ragtime.mid" finds "Ragtime.mid"); the path unchanged when nothing matches.
QString resolveIgnoringCase(const QString &path);
