// SPDX-License-Identifier: GPL-3.0-or-later
// The card-back and music choosers, opened from the window's menu as a player opens them.
#include "options/frmDeck.h"
#include "options/frmMusic.h"
#include "game/frmMain.h"
#include "cards/modGlobals.h"
#include "platform/ProgramFolder.h"
#include "game/PlayDriver.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
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

// A back the dialog does not offer, as a damaged settings file may hold, is shown as the
// first and OK makes it so.
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

// Reversed, the spades lie on piles 0 to 3 and go home by double clicks from pile 3 back to
// pile 0; their completed home pile shows a back. In the dialog a click or Space chooses a
// box; Return and Escape on a box neither choose nor close.
TEST(DeckDialog, OkHandsTheChosenBackToTheCardsAndTheCloseBoxKeepsIt)
{
    Table t(kReversedOrder);
    frmMain &form = t.form;
    glCardBack = 54;
    gclsDeck().setCardBack(54);
    for (int pile = 3; pile >= 0; --pile)
        for (int n = 0; n < 3; ++n)
            doubleClick(form, onTopCard(form, pile));
    QImage completeHome = form.picHome[3]->image();
    const QImage otherHome = form.picHome[1]->image();

    const auto chooseTheThird = [](QWidget &modal) {
        auto &dialog = dynamic_cast<frmDeck &>(modal);
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QTest::mouseClick(dialog.picBack[3], Qt::LeftButton);
        EXPECT_FALSE(dialog.picBack[2]->FocusRing()) << "a ring before any key";
        dialog.picBack[2]->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape})
            QTest::keyClick(dialog.picBack[2], key);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(outlinedBoxes(dialog), std::vector<int>{3});
        QTest::keyClick(dialog.picBack[2], Qt::Key_Space);
        EXPECT_TRUE(dialog.picBack[2]->FocusRing());
        EXPECT_EQ(outlinedBoxes(dialog), std::vector<int>{2});
        EXPECT_EQ(dialog.picBack[2]->accessibleName(),
                  QStringLiteral("Card back 3 of 12: teal waves, chosen"));
        QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
    };
    whileModal([&] { form.mnuFileDeck->trigger(); }, chooseTheThird);
    EXPECT_EQ(gclsDeck().CardBack(), 56);
    EXPECT_EQ(QSettings(settingsFilePath(), QSettings::IniFormat).value("Startup/CardBack").toInt(),
              56);
    EXPECT_EQ(form.mclsPile[4].Card(1)->CardBack(), 56);
    for (const CStack &home : form.mclsHome)
        EXPECT_EQ(home.CardBack(), 56);
    ImageSurface surface(&completeHome);
    cdtDraw(surface.hDC(), 0, 0, 56, mdFaceDown, 0);
    EXPECT_EQ(form.picHome[3]->image(), completeHome);
    EXPECT_EQ(form.picHome[1]->image(), otherHome);

    whileModal([&] { form.mnuFileDeck->trigger(); },
               [](QWidget &dialog) {
                   QTest::mouseClick(dynamic_cast<frmDeck &>(dialog).picBack[5], Qt::LeftButton);
                   dialog.close();
               });
    EXPECT_EQ(glCardBack, 56);
    EXPECT_EQ(gclsDeck().CardBack(), 56);
}

// A program folder of odd names, itself oddly named.
class MusicDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *name : {"Ragtime.mid", "Jazz.Band.mid", "SONG.MID", "a.txt", ".b.mid"})
            ASSERT_TRUE(writeFile(song(name), {}));
        ASSERT_TRUE(QDir(mFolder.path()).mkdir(QStringLiteral("folder.mid")));
        setAppPath(mFolder.path());
    }
    void TearDown() override { setAppPath(mPreviousAppPath); }

    QString song(const char *name) const { return mFolder.filePath(QString::fromUtf8(name)); }
    static void clickRow(frmMusic &dialog, int row)
    {
        const QRect rect = dialog.lstMidi->visualItemRect(dialog.lstMidi->item(row));
        QTest::mouseClick(dialog.lstMidi->viewport(), Qt::LeftButton, {}, rect.center());
    }

    ScopedFakeMidi mMidi;
    QString mPreviousAppPath = AppPath();
    QTemporaryDir mFolder{QDir::tempPath() + QStringLiteral("/Mes chansons é-XXXXXX")};
};

TEST_F(MusicDialog, ListsSongsByWholeNameAndStoresTheFileAsNamedOnDisk)
{
    const frmMusic shown;
    QStringList entries;
    for (const QListWidgetItem *item : shown.lstMidi->findItems({}, Qt::MatchContains))
        entries << item->text();
    EXPECT_EQ(entries, QStringLiteral("(No Music)|Jazz.Band|Ragtime|SONG").split(u'|'));
    for (const auto &[row, file] : {std::pair{1, "Jazz.Band.mid"}, {3, "SONG.MID"}}) {
        frmMusic dialog;
        dialog.show();
        clickRow(dialog, row);
        QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
        EXPECT_EQ(gsMusicFilename, song(file));
    }
}

// It opens on "(No Music)", so OK at once chooses silence; closing keeps the song. Return
// in the list neither previews nor closes: no button is the default; Escape cancels nothing.
TEST_F(MusicDialog, PreviewFollowsTheSelectionUntilTheDialogCloses)
{
    frmMain form;
    gsMusicFilename = song("Ragtime.mid");
    QStringList &calls = mMidi.log->calls;
    const auto listen = [&](QWidget &modal) {
        auto &dialog = dynamic_cast<frmMusic &>(modal);
        EXPECT_TRUE(mMidi.log->songLikely); // the sound engine gets ready for a preview
        calls.clear();
        QTest::mouseClick(dialog.cmdPreview, Qt::LeftButton); // "(No Music)": nothing to preview
        clickRow(dialog, 2);
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape})
            QTest::keyClick(dialog.lstMidi, key);
        EXPECT_TRUE(calls.isEmpty());
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(dialog.cmdPreview, Qt::LeftButton);
        clickRow(dialog, 3);
        clickRow(dialog, 0);
        clickRow(dialog, 1);
        QTest::mouseClick(dialog.cmdPreview, Qt::LeftButton);
        dialog.close();
    };
    whileModal([&] { form.mnuOptionsMusic->trigger(); }, listen);
    const QString play = QStringLiteral("PlaySong"), stop = QStringLiteral("StopSong"),
                  file = QStringLiteral("SongFile=");
    EXPECT_EQ(calls, QStringList({file + song("Ragtime.mid"), play, stop, file + song("SONG.MID"),
                                  play, stop, file + song("Jazz.Band.mid"), play, stop}));
    EXPECT_EQ(gsMusicFilename, song("Ragtime.mid"));

    // Return presses OK, which has the focus as the dialog opens. The choice is written at
    // once, so an end that never closes the window keeps it.
    QFile::remove(settingsFilePath());
    whileModal([&] { form.mnuOptionsMusic->trigger(); },
               [](QWidget &dialog) { QTest::keyClick(dialog.focusWidget(), Qt::Key_Return); });
    EXPECT_EQ(gsMusicFilename, QString());
    EXPECT_TRUE(
        QSettings(settingsFilePath(), QSettings::IniFormat).contains("Startup/MusicFilename"));
}

} // namespace
