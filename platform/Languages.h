// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The languages the desktop asks for, most wanted first, as the suffixes our translated
// files carry ("de_AT", then "de"). The list ends before English, the language the program
// is written in: someone who asks for English before German gets English.
QStringList wantedLanguages();
