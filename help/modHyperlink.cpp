// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/modHyperlink.h"

#include <QDesktopServices>

QUrl gamesWebPage()
{
    return QUrl(QStringLiteral("https://" MARROWBY_HOMEPAGE_HOST "/games/index.htm"));
}

// The desktop starts the browser detached; whether it managed is its own business.
void OpenGamesWebPage()
{
    QDesktopServices::openUrl(gamesWebPage());
}
