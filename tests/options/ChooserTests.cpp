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
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Runs act on the modal dialog once its exec() is under way; the caller then opens it.
template <class Dialog> void whenShown(std::function<void(Dialog &)> act)
{
    QTimer::singleShot(0, [act] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

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

// Reversed, the spades lie on piles 0 to 3 and go home by double clicks from pile 3 back to
// pile 0; their completed home pile shows a back.
TEST(DeckDialog, OkHandsTheChosenBackToTheCardsAndTheCloseBoxKeepsIt)
{
    Table t(kReversedOrder);
    frmMain &form = t.form;
    glCardBack = 54;
    gclsDeck().setCardBack(54);
    for (int pile = 3; pile >= 0; --pile)
        for (int n = 0; n < 3; ++n)
            doubleClick(form, onTopCard(form, pile));
    const QImage completeHome = form.picHome[3]->image();
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
    form.mnuFileDeck->trigger();
    EXPECT_EQ(gclsDeck().CardBack(), 59);
    EXPECT_EQ(QSettings(settingsFilePath(), QSettings::IniFormat).value("Startup/CardBack").toInt(),
              59);
    EXPECT_EQ(form.mclsPile[4].Card(1)->CardBack(), 59);
    for (const CStack &home : form.mclsHome)
        EXPECT_EQ(home.CardBack(), 59);
    EXPECT_EQ(form.picHome[3]->image(), withBack(completeHome, 59));
    EXPECT_EQ(form.picHome[1]->image(), otherHome);

    whenShown<frmDeck>([](frmDeck &dialog) {
        QTest::mouseClick(dialog.picBack[2], Qt::LeftButton);
        dialog.close();
    });
    form.mnuFileDeck->trigger();
    EXPECT_EQ(glCardBack, 59);
    EXPECT_EQ(gclsDeck().CardBack(), 59);
}

// A program folder of odd names, itself oddly named; listed in French order.
class MusicDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        for (const char *name :
             {"Ragtime.mid", "Jazz.Band.mid", "SONG.MID", "Été à Paris.mid", "a.txt", ".b.mid"})
            ASSERT_TRUE(QFile(song(name)).open(QIODevice::WriteOnly));
        ASSERT_TRUE(QDir(mFolder.path()).mkdir(QStringLiteral("folder.mid")));
        setAppPath(mFolder.path());
    }
    void TearDown() override
    {
        setAppPath(mPreviousAppPath);
        QLocale::setDefault(mPreviousLocale);
    }

    QString song(const char *name) const { return mFolder.filePath(QString::fromUtf8(name)); }
    static void clickRow(frmMusic &dialog, int row)
    {
        const QRect rect = dialog.lstMidi->visualItemRect(dialog.lstMidi->item(row));
        QTest::mouseClick(dialog.lstMidi->viewport(), Qt::LeftButton, {}, rect.center());
    }

    ScopedFakeMidi mMidi;
    QString mPreviousAppPath = AppPath();
    QLocale mPreviousLocale;
    QTemporaryDir mFolder{QDir::tempPath() + QStringLiteral("/Mes chansons é-XXXXXX")};
};

QStringList entries(const frmMusic &dialog)
{
    QStringList texts;
    for (int row = 0; row < dialog.lstMidi->count(); ++row)
        texts << dialog.lstMidi->item(row)->text();
    return texts;
}

TEST_F(MusicDialog, ListsSongsByWholeNameAndStoresTheFileAsNamedOnDisk)
{
    EXPECT_EQ(entries(frmMusic()),
              QString::fromUtf8("(No Music)|Été à Paris|Jazz.Band|Ragtime|SONG").split(u'|'));
    for (const auto &[row, file] :
         {std::pair{1, "Été à Paris.mid"}, {2, "Jazz.Band.mid"}, {4, "SONG.MID"}}) {
        frmMusic dialog;
        dialog.show();
        clickRow(dialog, row);
        QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
        EXPECT_EQ(gsMusicFilename, song(file));
    }

    QTemporaryDir empty;
    setAppPath(empty.path());
    EXPECT_EQ(entries(frmMusic()), QStringList{QStringLiteral("(No Music)")});
}

// It opens on "(No Music)", so OK at once chooses silence; closing keeps the song. Return
// in the list neither previews nor closes: no button is the default; Escape cancels nothing.
TEST_F(MusicDialog, PreviewFollowsTheSelectionUntilTheDialogCloses)
{
    frmMain form;
    gsMusicFilename = song("Ragtime.mid");
    QStringList &calls = mMidi.log->calls;
    whenShown<frmMusic>([&](frmMusic &dialog) {
        EXPECT_EQ(dialog.lstMidi->currentRow(), 0);
        EXPECT_EQ(dialog.focusWidget(), dialog.cmdOK);
        EXPECT_TRUE(mMidi.log->songLikely); // the sound engine gets ready for a preview
        calls.clear();
        QTest::mouseClick(dialog.cmdPreview, Qt::LeftButton); // "(No Music)": nothing to preview
        EXPECT_EQ(dialog.cmdPreview->text(), QStringLiteral("Play &Preview"));

        clickRow(dialog, 3);
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape})
            QTest::keyClick(dialog.lstMidi, key);
        EXPECT_TRUE(calls.isEmpty());
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(dialog.cmdPreview, Qt::LeftButton);
        clickRow(dialog, 4);
        EXPECT_EQ(dialog.cmdPreview->text(), QStringLiteral("Stop &Preview"));
        clickRow(dialog, 0);
        EXPECT_EQ(dialog.cmdPreview->text(), QStringLiteral("Play &Preview"));
        clickRow(dialog, 2);
        QTest::mouseClick(dialog.cmdPreview, Qt::LeftButton);
        dialog.close();
    });
    form.mnuOptionsMusic->trigger();
    const QString play = QStringLiteral("PlaySong"), stop = QStringLiteral("StopSong"),
                  file = QStringLiteral("SongFile=");
    EXPECT_EQ(calls, QStringList({file + song("Ragtime.mid"), play, stop, file + song("SONG.MID"),
                                  play, stop, file + song("Jazz.Band.mid"), play, stop}));
    EXPECT_EQ(gsMusicFilename, song("Ragtime.mid"));

    // Return presses the button that has the focus, as the dialog opens: OK. The choice is
    // written at once, so an end that never closes the window keeps it.
    removeSettingsFile();
    whenShown<frmMusic>([](frmMusic &dialog) {
        EXPECT_TRUE(dialog.windowFlags().testFlags(Qt::WindowMinMaxButtonsHint));
        QTest::keyClick(dialog.cmdOK, Qt::Key_Return);
    });
    form.mnuOptionsMusic->trigger();
    EXPECT_EQ(gsMusicFilename, QString());
    EXPECT_TRUE(
        QSettings(settingsFilePath(), QSettings::IniFormat).contains("Startup/MusicFilename"));
}

} // namespace
