// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FittingFont.h"

#include <QFontMetrics>

QFont fittingFont(QFont font, std::initializer_list<std::pair<QString, int>> captionsAndRooms)
{
    auto fits = [&] {
        const QFontMetrics metrics(font);
        for (const auto &[caption, room] : captionsAndRooms)
            if (metrics.horizontalAdvance(caption) > room)
                return false;
        return true;
    };
    while (!fits() && font.pointSizeF() > 6)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}
