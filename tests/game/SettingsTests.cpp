// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/frmMain.h"
#include "cards/modGlobals.h"
#include "platform/ProgramFolder.h"
#include "platform/Settings.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kBadCopy = QStringLiteral(".bad");

// The settings file as the next run reads it. The store keeps what it parsed per path,
// so the bytes are read at a path it has never seen.
QVariantMap readAfresh()
{
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("copy.conf"));
    QFile::copy(settingsFilePath(), copy);
    QSettings store(copy, QSettings::IniFormat);
    QVariantMap values;
    for (const QString &key : store.allKeys())
        values[key] = store.value(key);
    EXPECT_EQ(store.status(), QSettings::NoError);
    return values;
}

class Settings : public ::testing::Test
{
protected:
    void SetUp() override { removeFiles(); }
    void TearDown() override { removeFiles(); }
    static void removeFiles()
    {
        QFile::remove(settingsFilePath());
        QFile::remove(settingsFilePath() + kBadCopy);
    }
    ScopedFakeMidi midi;
};

// Whatever is wrong with the file, the values that can be read are used, the file goes
// aside byte for byte before the close rewrites it, and the rewrite is clean. A file the
// rewrite keeps whole is not copied aside, and what the player wrote stays.
TEST_F(Settings, AFileIsReadAsFarAsItCanBeAndOnlyADamagedOneIsKeptAside)
{
    const QString ragtime = programFile(QStringLiteral("ragtime.mid"));
    const struct {
        const char *what;
        QByteArray text;
        int32_t back;
        QString song;
        bool damaged;
    } cases[] = {
        {"a header without its bracket", "[Startup\nCardBack=60\nMusicFilename=/x.mid\n", 60,
         QStringLiteral("/x.mid"), true},
        {"lines that cannot be read, and comments",
         "; my settings\n[Startup]\nCardBack=61\nnonsense\n#?\n=7\n[Other]\nkey=kept ; why\n", 61,
         ragtime, true},
        {"spaces and line ends",
         "[Startup]\r\nCardBack = 60\r\n  MusicFilename =  /a,b,,c.mid  \r\n", 60,
         QStringLiteral("/a,b,,c.mid"), false},
        {"quotes", "[Startup]\nMusicFilename=\"/x; y.mid\"\n", 54, QStringLiteral("/x; y.mid"),
         false},
        // A back the cards cannot show falls back; an empty song is no music, not the default.
        {"a back of 0", "[Startup]\nCardBack=0\nMusicFilename=\n", 54, QString(), false},
        {"a back that is no number", "[Startup]\nCardBack=sixty\n", 54, ragtime, false},
        {"a back out of range", "[Startup]\nCardBack=99999\n", 54, ragtime, false},
        {"a negative back", "[Startup]\nCardBack=-3\n", -3, ragtime, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(writeFile(settingsFilePath(), c.text));
        {
            frmMain form;
            EXPECT_EQ(glCardBack, c.back);
            EXPECT_EQ(gsMusicFilename, c.song);
            form.close();
        }
        EXPECT_EQ(readFile(settingsFilePath() + kBadCopy), c.damaged ? c.text : QByteArray());
        QFile::remove(settingsFilePath() + kBadCopy);
        const QVariantMap stored = readAfresh();
        EXPECT_EQ(stored.value(QStringLiteral("Startup/CardBack")), QString::number(c.back));
        EXPECT_EQ(stored.value(QStringLiteral("Startup/MusicFilename")), c.song);
        if (c.text.contains("[Other]")) {
            EXPECT_EQ(stored.value(QStringLiteral("Other/key")), QStringLiteral("kept"));
        }
    }
}

// The close writes the back and the song over what the file held and keeps everything
// else; with every card home the deck has no back to ask, and the player's choice stands.
// Whatever a value holds, the next run reads it back exactly, and a clean file is never
// copied aside.
TEST_F(Settings, WhatIsWrittenIsReadBackExactlyAndNeverCopiedAside)
{
    ASSERT_TRUE(writeFile(settingsFilePath(),
                          "[Other]\nkey=kept\n\n[Startup]\nCardBack=61\nExtra=also kept\n"));
    {
        frmMain form;
        gsMusicFilename = QStringLiteral("/songs/Ünïcode 🎵 song.mid");
        glCardBack = 63;
        while (gclsDeck().Count() > 0)
            gclsDeck().Remove(1);
        form.close();
    }
    QVariantMap expected{
        {QStringLiteral("Other/key"), QStringLiteral("kept")},
        {QStringLiteral("Startup/CardBack"), QStringLiteral("63")},
        {QStringLiteral("Startup/Extra"), QStringLiteral("also kept")},
        {QStringLiteral("Startup/MusicFilename"), QStringLiteral("/songs/Ünïcode 🎵 song.mid")}};
    const QString values[] = {QStringLiteral("a, b"),
                              QStringLiteral(" spaced "),
                              QStringLiteral("semi;colon #"),
                              QStringLiteral("\"quoted\""),
                              QStringLiteral("back\\slash\\"),
                              QStringLiteral("@at"),
                              QStringLiteral("line\nbreak\ttab"),
                              QStringLiteral("key=value"),
                              QString()};
    for (const QString &value : values) {
        const QString key = QStringLiteral("K") + QString::number(&value - values);
        ASSERT_TRUE(SaveSetting(QStringLiteral("Marrowby"), QStringLiteral("Startup"), key, value));
        expected[QStringLiteral("Startup/") + key] = value;
    }
    EXPECT_FALSE(QFileInfo::exists(settingsFilePath() + kBadCopy));
    EXPECT_EQ(readAfresh(), expected);
}

// Something other than a file in its place: the defaults, no endless read, nothing
// written over it.
TEST_F(Settings, AFolderOrADeviceWhereTheFileShouldBeIsLeftAlone)
{
    QDir().mkpath(QFileInfo(settingsFilePath()).path());
    const std::function<void()> makers[] = {
        [] { QDir().mkpath(settingsFilePath()); },
        [] { ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), settingsFilePath())); },
    };
    for (const auto &make : makers) {
        make();
        {
            frmMain form;
            EXPECT_EQ(glCardBack, 54);
            form.close();
        }
        const QFileInfo info(settingsFilePath());
        EXPECT_TRUE(info.isDir() || info.isSymLink());
        EXPECT_FALSE(QFileInfo::exists(settingsFilePath() + kBadCopy));
        info.isDir() ? QDir(settingsFilePath()).removeRecursively()
                     : QFile::remove(settingsFilePath());
    }
}

} // namespace
