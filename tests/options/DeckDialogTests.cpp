// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/frmDeck.h"
#include "game/frmMain.h"
#include "cards/modGlobals.h"
#include "support/TestSupport.h"
#include "options/DialogTestSupport.h"

#include <QApplication>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> outlinedBoxes(const frmDeck &dialog)
{
    std::vector<int> outlined;
    for (int i = 0; i < 12; ++i)
        if (dialog.picBack[i]->BorderStyle())
            outlined.push_back(i);
    return outlined;
}

// The picture with one back drawn over it at the top left.
QImage withBack(QImage picture, int32_t back)
{
    ImageSurface surface(&picture);
    cdtDraw(surface.hDC(), 0, 0, back, mdFaceDown, 0);
    return picture;
}

TEST(DeckDialog, OutlinesExactlyOneBoxEvenForABackItDoesNotOffer)
{
    const struct {
        int32_t back;
        int box;
    } cases[] = {{54, 0}, {65, 11}, {60, 6}, {53, 0}, {66, 0}, {-32768, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.back);
        glCardBack = c.back;
        frmDeck dialog;
        EXPECT_EQ(outlinedBoxes(dialog), std::vector<int>{c.box});
        dialog.cmdOK->click();
        EXPECT_EQ(glCardBack, 54 + c.box);
    }
}

// The keyboard walks the boxes without choosing one, showing the focus only once a key is
// pressed; Space chooses the focused box like a click; Return presses only the focused
// button and Escape nothing. A screen reader hears each back named, and the chosen one.
TEST(DeckDialog, OnlyAClickOrSpaceChoosesABox)
{
    glCardBack = 55;
    whenShown<frmDeck>([](frmDeck &dialog) {
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        EXPECT_FALSE(dialog.picBack[1]->FocusRing());
        for (Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier})
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
        EXPECT_EQ(QApplication::focusWidget(), dialog.picBack[2]);
        EXPECT_TRUE(dialog.picBack[2]->FocusRing());
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(outlinedBoxes(dialog), std::vector<int>{1});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        EXPECT_EQ(outlinedBoxes(dialog), std::vector<int>{2});
        EXPECT_EQ(dialog.picBack[2]->accessibleName(),
                  QStringLiteral("Card back 3 of 12: teal waves, chosen"));
        EXPECT_EQ(dialog.picBack[1]->accessibleName(),
                  QStringLiteral("Card back 2 of 12: red diamonds"));
        dialog.cmdOK->setFocus();
        QTest::keyClick(dialog.cmdOK, Qt::Key_Return);
    });
    frmDeck dialog;
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(glCardBack, 56);
}

TEST(DeckDialog, OkHandsTheChosenBackToTheCardsAndTheCloseBoxKeepsIt)
{
    ScopedFakeMidi midi;
    frmMain form;
    glCardBack = 54;
    gclsDeck().setCardBack(54);
    // Suit 0 all home, so its pile shows a back.
    for (int16_t rank = 2; rank <= 13; ++rank)
        for (int16_t i = 1; i <= gclsDeck().Count(); ++i)
            if (gclsDeck().Card(i)->CardSuit() == 0 && gclsDeck().Card(i)->CardNumber() == rank) {
                form.mclsHome[0].Add(gclsDeck().Card(i));
                gclsDeck().Remove(i);
            }
    form.DrawHome(0);
    const QImage completeHome = form.picHome[0]->image();
    const QImage otherHome = form.picHome[1]->image();

    whenShown<frmDeck>([](frmDeck &dialog) {
        QImage blank(71, 96, QImage::Format_ARGB32_Premultiplied);
        blank.fill(dialog.palette().color(QPalette::Window));
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QTest::mouseClick(dialog.picBack[3], Qt::LeftButton);
        QTest::mouseClick(dialog.picBack[5], Qt::LeftButton);
        EXPECT_EQ(outlinedBoxes(dialog), std::vector<int>{5});
        EXPECT_EQ(dialog.picBack[5]->image(), withBack(blank, 59)); // outlined around, not over
        EXPECT_EQ(dialog.picBack[3]->image(), withBack(blank, 57));
        QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
    });
    form.mnuFileDeck_Click();
    EXPECT_EQ(gclsDeck().CardBack(), 59);
    EXPECT_EQ(QSettings(settingsFilePath(), QSettings::IniFormat).value("Startup/CardBack").toInt(),
              59);
    EXPECT_EQ(form.mclsPile[0].Card(1)->CardBack(), 59);
    for (const CStack &home : form.mclsHome)
        EXPECT_EQ(home.CardBack(), 59);
    EXPECT_EQ(form.picHome[0]->image(), withBack(completeHome, 59));
    EXPECT_EQ(form.picHome[1]->image(), otherHome);

    whenShown<frmDeck>([](frmDeck &dialog) {
        QTest::mouseClick(dialog.picBack[2], Qt::LeftButton);
        dialog.close();
    });
    form.mnuFileDeck_Click();
    EXPECT_EQ(glCardBack, 59);
    EXPECT_EQ(gclsDeck().CardBack(), 59);
}

} // namespace
