// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/frmMain.h"
#include "platform/HelpWindow.h"
#include "platform/ProgramFolder.h"
#include "platform/WinHelp.h"
#include "platform/clsWinHelp.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// The help file as the build placed it in the program folder.
QString shippedHelpFile()
{
    return QStringLiteral(MARROWBY_SHIPPED_HELP_FILE);
}

// Takes the engine's place and notes every call as "owner command data file".
struct ScopedHelpLog {
    ScopedHelpLog()
    {
        setWinHelpHook(
            [this](QWidget *owner, const QString &file, uint32_t command, uintptr_t data) {
                calls << QStringLiteral("%1 %2 %3 %4")
                             .arg(QLatin1String(owner ? owner->metaObject()->className() : "none"))
                             .arg(command)
                             .arg(data)
                             .arg(file);
                return true;
            });
    }
    ~ScopedHelpLog() { setWinHelpHook({}); }
    QStringList calls;
};

bool shows(const QString &file, const QString &text)
{
    const HelpWindow *window = helpWindowFor(file);
    return window && window->isVisible() && window->browser()->toPlainText().contains(text);
}

TEST(HelpFile, ReadsTitleTopicsKeywordsAndLineEndings)
{
    const auto result = parseHelpFile("MARROWBY-HELP 1\r\n# note\r\n@title Game Help\r\n\r\n"
                                      "@topic 7 First one\r\n@keywords a; ; b \r\n<p>x</p>\r\n"
                                      "@topic 3 Second\n<p>y</p>\n<p>z</p>");
    ASSERT_TRUE(result.file) << result.error.toStdString();
    EXPECT_EQ(result.file->title, QStringLiteral("Game Help"));
    const HelpTopic &first = result.file->topics.at(0);
    EXPECT_EQ(first.title, QStringLiteral("First one"));
    EXPECT_EQ(first.keywords, QStringList({QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(first.html, QStringLiteral("<p>x</p>"));
    EXPECT_EQ(result.file->topic(3)->html, QStringLiteral("<p>y</p>\n<p>z</p>"));
}

TEST(HelpFile, RefusesMalformedFilesSayingWhere)
{
    const struct {
        QByteArray text;
        const char *error;
    } cases[] = {
        {"", "line 1:"},
        {"MARROWBY-HELP 2\n@topic 1 A\n", "line 1:"},
        {"MARROWBY-HELP 1\n", "no topics"},
        {"MARROWBY-HELP 1\nstray text\n@topic 1 A\n", "line 2: text before"},
        {"MARROWBY-HELP 1\n@keywords a\n@topic 1 A\n", "line 2:"},
        {"MARROWBY-HELP 1\n@topic one A\n", "line 2: a topic needs"},
        {"MARROWBY-HELP 1\n@topic 2147483648 A\n", "line 2: a topic needs"},
        {"MARROWBY-HELP 1\n@topic 1\n", "line 2: topic 1 has no title"},
        {"MARROWBY-HELP 1\n@topic 1 A\n@topic 1 B\n", "line 3: topic 1 is there twice"},
        {"MARROWBY-HELP 1\n@topic 1 A\n@image x.png\n", "line 3:"},
        {"MARROWBY-HELP 1\n@topic 1 A\n\xff\xfe\n", "not text"},
        {"MARROWBY-HELP 1\n@topic 1 A\n" + QByteArray(kMaxHelpFileSize, 'x'), "larger"},
    };
    for (const auto &c : cases) {
        const auto result = parseHelpFile(c.text);
        EXPECT_FALSE(result.file) << c.text.left(40).toStdString();
        EXPECT_TRUE(result.error.contains(QLatin1String(c.error)))
            << result.error.toStdString() << " / " << c.error;
    }
}

TEST(HelpFile, ShippedHelpReadsAndEveryLinkLeadsToATopic)
{
    const auto result = readHelpFile(shippedHelpFile());
    ASSERT_TRUE(result.file) << result.error.toStdString();
    QStringList keywords;
    static const QRegularExpression link(QStringLiteral("href=\"help:([0-9]+)\""));
    for (const HelpTopic &topic : result.file->topics) {
        keywords << topic.keywords;
        for (const auto &match : link.globalMatch(topic.html))
            EXPECT_NE(result.file->topic(match.captured(1).toInt()), nullptr)
                << topic.title.toStdString() << " links to " << match.captured(1).toStdString();
    }
    for (const char *needed : {"F1", "F2", "Ctrl+Z", "Re-Shuffle", "draw", "undo", "locate",
                               "double click", "card backs", "music", "empty pile", "winning"})
        EXPECT_TRUE(keywords.contains(QLatin1String(needed), Qt::CaseInsensitive)) << needed;
}

TEST(HelpEngine, ShowsContentsIndexAndTopicsInOneWindowUntilQuit)
{
    const QString file = shippedHelpFile();
    EXPECT_TRUE(WinHelpA(nullptr, file, HELP_CONTENTS, 0));
    HelpWindow *window = helpWindowFor(file);
    EXPECT_TRUE(shows(file, QStringLiteral("Welcome to Marrowby")));
    EXPECT_GT(window->indexList()->count(), window->contentsList()->count());
    WinHelpA(nullptr, file, HELP_CONTEXT, 70);
    EXPECT_TRUE(shows(file, QStringLiteral("Undo Last Move")));
    WinHelpA(nullptr, file, HELP_CONTEXT, 9999);
    EXPECT_TRUE(shows(file, QStringLiteral("no topic numbered 9999")));
    WinHelpA(nullptr, file, HELP_HELPONHELP, 0);
    EXPECT_TRUE(shows(file, QStringLiteral("Using Help")));
    window->backButton()->click();
    EXPECT_TRUE(shows(file, QStringLiteral("9999")));
    window->forwardButton()->click();
    EXPECT_TRUE(shows(file, QStringLiteral("Using Help")));

    // The index finds a keyword from its first letters; a keyword of two topics names both.
    QTest::keyClicks(window->indexFilter(), QStringLiteral("ctrl"));
    QTest::keyClick(window->indexFilter(), Qt::Key_Return);
    ASSERT_NE(window->indexList()->currentItem(), nullptr);
    EXPECT_EQ(window->indexList()->currentItem()->text(), QStringLiteral("Ctrl+Z: Undo Last Move"));
    EXPECT_TRUE(shows(file, QStringLiteral("one level")));
    QListWidget *contents = window->contentsList();
    QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                      contents->visualItemRect(contents->item(1)).center());
    EXPECT_TRUE(shows(file, QStringLiteral("The goal of the game")));

    WinHelpA(nullptr, file, HELP_CONTENTS, 0);
    EXPECT_EQ(helpWindowFor(file), window);
    EXPECT_EQ(contents->currentRow(), 0);
    const QPointer<HelpWindow> closing = window;
    EXPECT_TRUE(WinHelpA(nullptr, file, HELP_QUIT, 0));
    EXPECT_EQ(helpWindowFor(file), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closing.isNull());
}

TEST(HelpEngine, MissingOrMalformedFileIsExplainedInTheWindow)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("Marrowby.hlp"));
    WinHelpA(nullptr, missing, HELP_CONTEXT, 10);
    EXPECT_TRUE(shows(missing, QStringLiteral("the file is missing")));
    WinHelpA(nullptr, missing, HELP_QUIT, 0);

    const QString broken = dir.filePath(QStringLiteral("Broken.hlp"));
    QFile out(broken);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("MARROWBY-HELP 1\n@topic x Nothing\n");
    out.close();
    WinHelpA(nullptr, broken, HELP_CONTENTS, 0);
    EXPECT_TRUE(shows(broken, QStringLiteral("line 2")));
    // Nothing outside the help file is read, whatever a topic asks for.
    QTextDocument *document = helpWindowFor(broken)->browser()->document();
    EXPECT_TRUE(document->resource(QTextDocument::ImageResource, QUrl::fromLocalFile(broken))
                    .toByteArray()
                    .isEmpty());
    WinHelpA(nullptr, broken, HELP_QUIT, 0);
}

TEST(HelpMenu, ContentsTwiceGoesThroughOneInstanceAndClosingQuits)
{
    ScopedFakeMidi midi;
    ScopedHelpLog log;
    frmMain form;
    form.mnuHelpContents->trigger();
    const clsWinHelp *first = form.mclsHelp.get();
    form.mnuHelpContents->trigger();
    EXPECT_EQ(form.mclsHelp.get(), first);
    form.close();
    const QString file = clsWinHelp::HelpFile();
    EXPECT_EQ(log.calls, QStringList({QStringLiteral("frmMain 3 0 ") + file,
                                      QStringLiteral("frmMain 3 0 ") + file,
                                      QStringLiteral("frmMain 2 0 ") + file}));
}

TEST(HelpMenu, ClosingWithoutHelpSendsNothing)
{
    ScopedFakeMidi midi;
    ScopedHelpLog log;
    frmMain form;
    form.close();
    EXPECT_TRUE(log.calls.isEmpty());
}

TEST(HelpMenu, FindsTheHelpFileWhateverItsCaseAndClosesItsWindowWithTheGame)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("MARROWBY.HLP"));
    ASSERT_TRUE(QFile::copy(shippedHelpFile(), file));
    const QString previous = AppPath();
    setAppPath(dir.path());
    ScopedFakeMidi midi;
    frmMain form;
    form.mnuHelpContents->trigger();
    EXPECT_TRUE(shows(file, QStringLiteral("Welcome to Marrowby")));
    form.close();
    EXPECT_EQ(helpWindowFor(file), nullptr);
    setAppPath(previous);
}

} // namespace
