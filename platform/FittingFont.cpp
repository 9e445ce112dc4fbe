// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FittingFont.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>

#include <cmath>

namespace {
// Room a push button keeps around its caption, sideways and up and down.
constexpr int kButtonPadding = 12;
constexpr int kButtonLeading = 4;
constexpr qreal kGrowthStep = 1.0 / 32;
constexpr qreal kMostGrowth = 4;
constexpr qreal kDesignPixelSize = 12; // 9 points at 96 dots an inch

bool fits(const QWidget *control, qreal growth)
{
    const QRect room = grown(control->geometry(), growth);
    const QFontMetrics metrics = control->fontMetrics();
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        if (label->text().isEmpty())
            return true;
        if (label->wordWrap())
            return label->heightForWidth(room.width()) <= room.height();
        return metrics.horizontalAdvance(label->text()) + 2 * label->margin() <= room.width() &&
               metrics.height() <= room.height();
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(control)) {
        const QString caption = QString(button->text()).remove(QLatin1Char('&'));
        return metrics.horizontalAdvance(caption) + kButtonPadding <= room.width() &&
               metrics.height() + kButtonLeading <= room.height();
    }
    return true;
}
} // namespace

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

qreal formGrowth(const QWidget *form)
{
    qreal growth = QFontInfo(form->font()).pixelSize() / kDesignPixelSize;
    if (growth <= 1)
        return 1;
    for (const QWidget *control : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        while (!fits(control, growth) && growth < kMostGrowth)
            growth += kGrowthStep;
    return growth;
}

QRect grown(const QRect &design, qreal growth)
{
    auto scaled = [growth](int v) { return static_cast<int>(std::lround(v * growth)); };
    return QRect(scaled(design.x()), scaled(design.y()), scaled(design.width()),
                 scaled(design.height()));
}

void growForm(QWidget *form, qreal growth)
{
    if (growth == 1)
        return;
    const QSize size = grown(QRect(QPoint(), form->size()), growth).size();
    if (form->minimumSize() == form->maximumSize())
        form->setFixedSize(size);
    else
        form->resize(size);
    for (QWidget *control : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        control->setGeometry(grown(control->geometry(), growth));
}
