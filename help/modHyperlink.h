// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>

// The games page on our web site.
QUrl gamesWebPage();

// Hands the games page to the desktop's web browser and returns at once.
void OpenGamesWebPage();
