// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmDeck.h"
#include "game/frmMain.h"
#include "game/modGlobals.h"
#include "support/TestSupport.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace
{

std::vector<int> outlinedBoxes(const frmDeck &dialog)
{
    std::vector<int> outlined;
    for (int i = 0; i < 12; ++i)
        if (dialog.picBack[i]->BorderStyle())
            outlined.push_back(i);
    return outlined;
}

// A picture with one back drawn whole over it at the top left.
QImage withBack(QImage picture, int32_t back)
{
    ImageSurface surface(&picture);
    cdtDraw(surface.hDC(), 0, 0, back, mdFaceDown, 0);
    return picture;
}

// What a box of one card shows when the back is drawn on the given colour.
QImage backPicture(int32_t back, const QColor &background)
{
    QImage picture(71, 96, QImage::Format_ARGB32_Premultiplied);
    picture.fill(background);
    return withBack(picture, back);
}

QColor dialogColour(const frmDeck &dialog)
{
    return dialog.palette().color(QPalette::Window);
}

TEST(DeckDialog, OpensWithExactlyTheCurrentBackOutlined)
{
    // Backs outside 54..65 come only from an edited settings file.
    const struct {
        int32_t back;
        int box;
    } cases[] = {{54, 0}, {65, 11}, {60, 6}, {53, 0}, {66, 0}, {-32768, 0}, {32767, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.back);
        glCardBack = c.back;
        frmDeck dialog;
        EXPECT_EQ(outlinedBoxes(dialog), std::vector<int>{c.box});
        dialog.cmdOK->click();
        EXPECT_EQ(glCardBack, 54 + c.box);
    }
}

TEST(DeckDialog, ClicksMoveTheOutlineAroundWholeBacks)
{
    glCardBack = 54;
    frmDeck dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Choose a card back"));
    EXPECT_EQ(dialog.size(), QSize(497, 264));
    EXPECT_EQ(dialog.picBack[7]->geometry(), QRect(92, 116, 71, 96));
    EXPECT_EQ(dialog.cmdOK->geometry(), QRect(208, 228, 69, 25));

    QTest::mouseClick(dialog.picBack[3], Qt::LeftButton);
    QTest::mouseClick(dialog.picBack[9], Qt::LeftButton);
    EXPECT_EQ(outlinedBoxes(dialog), std::vector<int>{9});
    // The outline lies around the back, which stays where it was, whole.
    EXPECT_EQ(dialog.picBack[9]->geometry(), QRect(250, 114, 75, 100));
    EXPECT_EQ(dialog.picBack[9]->image(), backPicture(63, dialogColour(dialog)));
    EXPECT_EQ(dialog.picBack[3]->geometry(), QRect(252, 12, 71, 96));
    EXPECT_EQ(dialog.picBack[3]->image(), backPicture(57, dialogColour(dialog)));

    // Tabbing on takes the outline along.
    QApplication::setActiveWindow(&dialog);
    dialog.picBack[9]->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(dialog.picBack[9], Qt::Key_Tab);
    EXPECT_EQ(outlinedBoxes(dialog), std::vector<int>{10});

    QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(glCardBack, 64);
}

// Every card of suit 0 home, so that home pile shows a back.
void completeFirstHomePile(frmMain &form)
{
    for (int16_t rank = 2; rank <= 13; ++rank)
        for (int16_t i = 1; i <= gclsDeck().Count(); ++i) {
            const CardRef card = gclsDeck().Card(i);
            if (card->CardSuit() == 0 && card->CardNumber() == rank) {
                form.mclsHome[0].Add(card);
                gclsDeck().Remove(i);
                break;
            }
        }
    form.DrawHome(0);
}

TEST(DeckDialog, MenuHandsTheNewBackToTheCardsAndRepaintsCompletedHomePiles)
{
    ScopedFakeMidi midi;
    frmMain form;
    glCardBack = 54;
    gclsDeck().setCardBack(54);
    completeFirstHomePile(form);
    const QImage completeHome = form.picHome[0]->image();
    const QImage otherHome = form.picHome[1]->image();

    whenShown<frmDeck>([](frmDeck &dialog) {
        QTest::mouseClick(dialog.picBack[5], Qt::LeftButton);
        QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
    });
    form.mnuFileDeck_Click();

    EXPECT_EQ(glCardBack, 59);
    EXPECT_EQ(gclsDeck().CardBack(), 59);
    EXPECT_EQ(form.mclsPile[0].Card(1)->CardBack(), 59);
    for (const CStack &home : form.mclsHome)
        EXPECT_EQ(home.CardBack(), 59);
    EXPECT_EQ(form.picHome[0]->image(), withBack(completeHome, 59));
    EXPECT_EQ(form.picHome[1]->image(), otherHome);
}

TEST(DeckDialog, TheCloseBoxKeepsTheOldBack)
{
    ScopedFakeMidi midi;
    frmMain form;
    glCardBack = 60;
    gclsDeck().setCardBack(60);
    whenShown<frmDeck>([](frmDeck &dialog) {
        QTest::mouseClick(dialog.picBack[2], Qt::LeftButton);
        dialog.close();
    });
    form.mnuFileDeck_Click();
    EXPECT_EQ(glCardBack, 60);
    EXPECT_EQ(gclsDeck().CardBack(), 60);
}

} // namespace
