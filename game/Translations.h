// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

// Puts the program's texts, and Qt's own (dialog buttons, context menus), into the
// language the desktop asks for, as far as there is a translation for it. English,
// the language the texts are written in, needs none.
void installTranslations(QCoreApplication &app);
