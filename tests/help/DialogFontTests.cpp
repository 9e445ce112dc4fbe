// SPDX-License-Identifier: GPL-3.0-or-later
// The About box and the two choosers keep their classic sizes at the default 9-point
// font and grow with a larger desktop font, far enough that no text is cut off.
#include "help/frmAbout.h"
#include "options/frmDeck.h"
#include "options/frmMusic.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

// A text is whole when it is no wider and no taller than its control, or, wrapped, when
// the label's own height for its width fits.
void expectTextsWhole(const QWidget &dialog)
{
    for (const QWidget *control : dialog.findChildren<QWidget *>()) {
        const auto *label = qobject_cast<const QLabel *>(control);
        const QString text = control->property("text").toString().remove(u'&');
        if (label && label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << text.toStdString();
        } else if (label || qobject_cast<const QAbstractButton *>(control)) {
            const QFontMetrics metrics = control->fontMetrics();
            EXPECT_LE(metrics.horizontalAdvance(text), control->width()) << text.toStdString();
            EXPECT_LE(metrics.height(), control->height()) << text.toStdString();
        }
    }
}

template <class Dialog> QSize sizeAt(qreal points, int pixels = 0)
{
    const QFont saved = QApplication::font();
    QFont font = saved;
    pixels ? font.setPixelSize(pixels) : font.setPointSizeF(points);
    QApplication::setFont(font);
    QSize size;
    {
        Dialog dialog;
        expectTextsWhole(dialog);
        size = dialog.size();
    }
    QApplication::setFont(saved);
    return size;
}

// 11 and 13 points, and 9 points at 144 dots an inch (QT_FONT_DPI=144), as pixels.
TEST(DialogFont, KeepsTheClassicSizesAndGrowsWithALargerFont)
{
    ScopedFakeMidi midi;
    EXPECT_EQ(sizeAt<frmAbout>(9), QSize(328, 159));
    EXPECT_EQ(sizeAt<frmMusic>(9), QSize(314, 197));
    EXPECT_EQ(sizeAt<frmDeck>(9), QSize(497, 264));
    for (const auto &[points, pixels] : {std::pair(11, 0), std::pair(13, 0), std::pair(9, 18)}) {
        SCOPED_TRACE(testing::Message() << points << " points, " << pixels << " pixels");
        const QSize about = sizeAt<frmAbout>(points, pixels);
        EXPECT_TRUE(about.width() > 328 && about.height() > 159) << about.width();
        const QSize music = sizeAt<frmMusic>(points, pixels);
        EXPECT_TRUE(music.width() > 314 && music.height() > 197) << music.width();
        EXPECT_EQ(sizeAt<frmDeck>(points, pixels).width(), 497) << "the backs keep a card's size";
    }
}

} // namespace
