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

#include <string>

namespace {

struct ScopedDesktopFont {
    explicit ScopedDesktopFont(const QFont &font) { QApplication::setFont(font); }
    ~ScopedDesktopFont() { QApplication::setFont(saved); }
    QFont saved = QApplication::font();
};

QFont inPoints(qreal points)
{
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    return font;
}

// 9 points at 144 dots an inch, as QT_FONT_DPI=144 gives it.
QFont atDpi144()
{
    QFont font = QApplication::font();
    font.setPixelSize(18);
    return font;
}

// A text fits when it is whole inside its control, a button keeping its frame clear.
::testing::AssertionResult textsFit(const QWidget &dialog)
{
    for (const QWidget *control : dialog.findChildren<QWidget *>()) {
        const QFontMetrics metrics = control->fontMetrics();
        QString text;
        int room = control->width();
        if (const auto *label = qobject_cast<const QLabel *>(control)) {
            text = label->text();
            if (label->wordWrap() && label->heightForWidth(room) > label->height())
                return ::testing::AssertionFailure() << "wrapped " << text.toStdString();
            if (label->wordWrap())
                continue;
        } else if (const auto *button = qobject_cast<const QAbstractButton *>(control)) {
            text = QString(button->text()).remove(QLatin1Char('&'));
            room -= 8;
        }
        if (!text.isEmpty() &&
            (metrics.horizontalAdvance(text) > room || metrics.height() > control->height()))
            return ::testing::AssertionFailure() << '"' << text.toStdString() << "\" in "
                                                 << control->width() << "x" << control->height();
    }
    return ::testing::AssertionSuccess();
}

template <class Dialog> QSize sizeAt(const QFont &font, bool checkFit)
{
    ScopedDesktopFont desktop(font);
    Dialog dialog;
    if (checkFit) {
        EXPECT_TRUE(textsFit(dialog)) << font.toString().toStdString();
    }
    return dialog.size();
}

class DialogFont : public ::testing::TestWithParam<QFont>
{
protected:
    ScopedFakeMidi midi;
};

TEST(DialogFontDefault, KeepsTheClassicSizes)
{
    ScopedFakeMidi midi;
    EXPECT_EQ(sizeAt<frmAbout>(inPoints(9), false), QSize(328, 159));
    EXPECT_EQ(sizeAt<frmMusic>(inPoints(9), false), QSize(314, 197));
    EXPECT_EQ(sizeAt<frmDeck>(inPoints(9), false), QSize(497, 264));
}

TEST_P(DialogFont, GrowsAndFits)
{
    const QSize about = sizeAt<frmAbout>(GetParam(), true);
    EXPECT_GT(about.width(), 328);
    EXPECT_GT(about.height(), 159);
    const QSize music = sizeAt<frmMusic>(GetParam(), true);
    EXPECT_GT(music.width(), 314);
    EXPECT_GT(music.height(), 197);
    EXPECT_EQ(sizeAt<frmDeck>(GetParam(), true).width(), 497); // the backs keep a card's size
}

INSTANTIATE_TEST_SUITE_P(LargerFonts, DialogFont,
                         ::testing::Values(inPoints(11), inPoints(13), atDpi144()),
                         [](const ::testing::TestParamInfo<QFont> &info) {
                             const QFont &f = info.param;
                             return f.pixelSize() > 0 ? "px" + std::to_string(f.pixelSize())
                                                      : "pt" + std::to_string(f.pointSize());
                         });

} // namespace
