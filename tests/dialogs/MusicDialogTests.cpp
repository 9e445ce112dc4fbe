// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmMusic.h"
#include "game/frmMain.h"
#include "game/modGlobals.h"
#include "platform/ProgramFolder.h"
#include "support/TestSupport.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

// A program folder of odd song names, in a folder whose own name is odd too. The
// songs are listed in the order of the user's language, here French.
class MusicDialog : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        ASSERT_TRUE(mFolder.isValid());
        for (const char *name : {"Ragtime.mid", "Jazz.Band.mid", "SONG.MID", "Été à Paris.mid",
                                 "notes.txt", ".hidden.mid"}) {
            QFile file(mFolder.filePath(QString::fromUtf8(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        ASSERT_TRUE(QDir(mFolder.path()).mkdir(QStringLiteral("folder.mid")));
        setAppPath(mFolder.path());
    }
    void TearDown() override
    {
        setAppPath(mPreviousAppPath);
        QLocale::setDefault(mPreviousLocale);
    }

    QString song(const char *name) const { return mFolder.path() + u'/' + QString::fromUtf8(name); }
    static QStringList entries(const frmMusic &dialog)
    {
        QStringList texts;
        for (int row = 0; row < dialog.lstMidi->count(); ++row)
            texts << dialog.lstMidi->item(row)->text();
        return texts;
    }
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

TEST_F(MusicDialog, ListsEachSongByItsWholeNameLessTheExtension)
{
    frmMusic dialog;
    EXPECT_EQ(entries(dialog),
              (QStringList{QStringLiteral("(No Music)"), QStringLiteral("Été à Paris"),
                           QStringLiteral("Jazz.Band"), QStringLiteral("Ragtime"),
                           QStringLiteral("SONG")}));
    EXPECT_EQ(dialog.lstMidi->currentRow(), 0);

    QTemporaryDir empty;
    setAppPath(empty.path());
    EXPECT_EQ(entries(frmMusic()), QStringList{QStringLiteral("(No Music)")});
}

TEST_F(MusicDialog, OkStoresThePathOfTheFileAsNamedOnDisk)
{
    const struct {
        int row;
        const char *file;
    } cases[] = {{1, "Été à Paris.mid"}, {2, "Jazz.Band.mid"}, {4, "SONG.MID"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        frmMusic dialog;
        dialog.show();
        clickRow(dialog, c.row);
        QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
        EXPECT_EQ(gsMusicFilename, song(c.file));
        EXPECT_TRUE(QFile::exists(gsMusicFilename));
    }
}

TEST_F(MusicDialog, OpensOnNoMusicAndOkAtOnceChoosesSilence)
{
    frmMain form;
    gsMusicFilename = song("Ragtime.mid");
    whenShown<frmMusic>([](frmMusic &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Music"));
        EXPECT_EQ(dialog.size(), QSize(314, 197));
        EXPECT_EQ(dialog.lstMidi->geometry(), QRect(8, 20, 297, 134));
        EXPECT_EQ(dialog.cmdPreview->text(), QStringLiteral("Play &Preview"));
        EXPECT_EQ(dialog.focusWidget(), dialog.cmdOK);
        QTest::keyClick(dialog.cmdOK, Qt::Key_Tab);
        EXPECT_EQ(dialog.focusWidget(), dialog.lstMidi);
        dialog.cmdOK->click();
    });
    form.mnuOptionsMusic_Click();
    EXPECT_EQ(gsMusicFilename, QString());
}

TEST_F(MusicDialog, PreviewFollowsTheSelection)
{
    frmMusic dialog;
    dialog.show();
    QStringList &calls = mMidi.log->calls;

    // "(No Music)" has nothing to preview.
    EXPECT_FALSE(dialog.cmdPreview->isEnabled());
    calls.clear();
    dialog.cmdPreview_Click();
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(dialog.cmdPreview->text(), QStringLiteral("Play &Preview"));

    clickRow(dialog, 3);
    EXPECT_TRUE(calls.isEmpty()); // selecting alone plays nothing
    QTest::mouseClick(dialog.cmdPreview, Qt::LeftButton);
    EXPECT_EQ(calls, (QStringList{QStringLiteral("SongFile=") + song("Ragtime.mid"),
                                  QStringLiteral("PlaySong")}));
    EXPECT_EQ(dialog.cmdPreview->text(), QStringLiteral("Stop &Preview"));

    calls.clear();
    clickRow(dialog, 4);
    EXPECT_EQ(calls, (QStringList{QStringLiteral("StopSong"),
                                  QStringLiteral("SongFile=") + song("SONG.MID"),
                                  QStringLiteral("PlaySong")}));

    calls.clear();
    clickRow(dialog, 0);
    EXPECT_EQ(calls, QStringList{QStringLiteral("StopSong")});
    EXPECT_EQ(dialog.cmdPreview->text(), QStringLiteral("Play &Preview"));
    EXPECT_FALSE(dialog.mbPreviewing);
}

TEST_F(MusicDialog, ClosingStopsThePreviewAndKeepsTheEarlierChoice)
{
    frmMain form;
    gsMusicFilename = song("Ragtime.mid");
    whenShown<frmMusic>([this](frmMusic &dialog) {
        clickRow(dialog, 1);
        QTest::mouseClick(dialog.cmdPreview, Qt::LeftButton);
        mMidi.log->calls.clear();
        dialog.close();
    });
    form.mnuOptionsMusic_Click();
    EXPECT_EQ(mMidi.log->calls, QStringList{QStringLiteral("StopSong")});
    EXPECT_EQ(gsMusicFilename, song("Ragtime.mid"));
}

} // namespace
