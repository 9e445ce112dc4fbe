// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/frmMusic.h"
#include "game/frmMain.h"
#include "cards/modGlobals.h"
#include "platform/ProgramFolder.h"
#include "support/TestSupport.h"
#include "options/DialogTestSupport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

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
        EXPECT_EQ(dialog.Label1->geometry(), QRect(8, 4, 261, 17));
        calls.clear();
        dialog.cmdPreview_Click(); // "(No Music)" has nothing to preview
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
    form.mnuOptionsMusic_Click();
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
    form.mnuOptionsMusic_Click();
    EXPECT_EQ(gsMusicFilename, QString());
    EXPECT_TRUE(
        QSettings(settingsFilePath(), QSettings::IniFormat).contains("Startup/MusicFilename"));
}

} // namespace
