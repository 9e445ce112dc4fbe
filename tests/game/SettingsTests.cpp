// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/frmMain.h"
#include "cards/modGlobals.h"
#include "platform/ProgramFolder.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <gtest/gtest.h>

namespace {

void writeSettingsFile(const QByteArray &text)
{
    QDir().mkpath(QFileInfo(settingsFilePath()).path());
    QFile file(settingsFilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

class Settings : public ::testing::Test
{
protected:
    void SetUp() override { removeSettingsFile(); }
    void TearDown() override { removeSettingsFile(); }
    ScopedFakeMidi midi;
};

TEST_F(Settings, FirstStartUsesTheDefaults)
{
    frmMain form;
    EXPECT_EQ(glCardBack, 54);
    EXPECT_EQ(gclsDeck().CardBack(), 54);
    EXPECT_EQ(gsMusicFilename, programFile(QStringLiteral("ragtime.mid")));
    EXPECT_EQ(midi.log->calls.value(0),
              QStringLiteral("SongFile=") + programFile(QStringLiteral("Ragtime.mid")));
}

TEST_F(Settings, StoredValuesAreReadAndBadBacksFallBack)
{
    const struct {
        const char *stored;
        int32_t back;
    } cases[] = {{"60", 60}, {"0", 54}, {"sixty", 54}, {"99999", 54}, {"", 54}, {"-3", -3}};
    for (const auto &c : cases) {
        writeSettingsFile(QByteArray("[Startup]\nCardBack=") + c.stored + "\nMusicFilename=\n");
        frmMain form;
        EXPECT_EQ(glCardBack, c.back) << c.stored;
        EXPECT_EQ(gsMusicFilename, QString()) << "an empty choice means no music";
    }
}

TEST_F(Settings, CloseWritesBothAndKeepsEverythingElse)
{
    writeSettingsFile("[Other]\nkey=kept\n\n[Startup]\nCardBack=61\nExtra=also kept\n");
    {
        frmMain form;
        gsMusicFilename = QStringLiteral("/songs/Ünïcode song.mid");
        form.close();
    }
    QSettings stored(settingsFilePath(), QSettings::IniFormat);
    EXPECT_EQ(stored.value(QStringLiteral("Startup/CardBack")).toString(), QStringLiteral("61"));
    EXPECT_EQ(stored.value(QStringLiteral("Startup/MusicFilename")).toString(),
              QStringLiteral("/songs/Ünïcode song.mid"));
    EXPECT_EQ(stored.value(QStringLiteral("Other/key")).toString(), QStringLiteral("kept"));
    EXPECT_EQ(stored.value(QStringLiteral("Startup/Extra")).toString(),
              QStringLiteral("also kept"));
}

TEST_F(Settings, AnEmptyDeckStillSavesTheChosenBack)
{
    frmMain form;
    glCardBack = 63;
    while (gclsDeck().Count() > 0)
        gclsDeck().Remove(1);
    form.close();
    QSettings stored(settingsFilePath(), QSettings::IniFormat);
    EXPECT_EQ(stored.value(QStringLiteral("Startup/CardBack")).toString(), QStringLiteral("63"));
}

TEST_F(Settings, GarbageInTheFileGivesDefaultsWithoutACrash)
{
    writeSettingsFile(QByteArray("\x00\xff\xfe[[[\n=\n[Startup\nCardBack\n", 24));
    frmMain form;
    EXPECT_EQ(glCardBack, 54);
}

TEST_F(Settings, AFolderWhereTheFileShouldBeGivesDefaultsAndStaysAsItIs)
{
    QDir().mkpath(settingsFilePath());
    {
        frmMain form;
        EXPECT_EQ(glCardBack, 54);
        form.close();
    }
    EXPECT_TRUE(QFileInfo(settingsFilePath()).isDir());
    QDir(settingsFilePath()).removeRecursively();
}

} // namespace
