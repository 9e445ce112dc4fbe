// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/HelpWindow.h"
#include "help/WinHelp.h"
#include "help/clsWinHelp.h"
#include "platform/ProgramFolder.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QString kShipped = QStringLiteral(MARROWBY_SHIPPED_HELP_FILE);

// Numbered items, each between `before` and `after`.
QByteArray numbered(const char *before, qsizetype count, const char *after)
{
    QByteArray items;
    for (qsizetype i = 0; i < count; ++i)
        items += before + QByteArray::number(i) + after;
    return items;
}

bool shows(const QString &file, const QString &text)
{
    const HelpWindow *window = helpWindowFor(file);
    return window && window->isVisible() && window->browser()->toPlainText().contains(text);
}

TEST(HelpFile, ReadsTopicsAndRefusesMalformedFilesSayingWhere)
{
    const auto good = parseHelpFile("MARROWBY-HELP 1\r\n# note\r\n@title Game Help\r\n"
                                    "@topic 7 First\r\n@keywords a; ; b \r\n<p>x</p>\r\n"
                                    "@topic 3 Second\n<p>y</p>\n<p>z</p>");
    ASSERT_TRUE(good.file) << good.error.toStdString();
    EXPECT_EQ(good.file->topic(7)->keywords,
              QStringList({QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(good.file->topic(3)->html, QStringLiteral("<p>y</p>\n<p>z</p>"));

    const std::pair<QByteArray, const char *> cases[] = {
        {"", "line 1:"},
        {"MARROWBY-HELP 1\n", "no topics"},
        {"MARROWBY-HELP 1\nstray text\n@topic 1 A\n", "line 2: text before"},
        {"MARROWBY-HELP 1\n@topic 2147483648 A\n", "line 2: a topic needs"},
        {"MARROWBY-HELP 1\n@topic 1 A\n" + QByteArray(kMaxHelpFileSize, 'x'), "larger"},
        {"MARROWBY-HELP 1\n@title " + QByteArray(kMaxHelpTitle + 1, 't'), "line 2: a title"},
        {"MARROWBY-HELP 1\n" + numbered("@topic ", kMaxHelpTopics + 1, " T\n"),
         "line 1002: more than 1000"},
        {"MARROWBY-HELP 1\n" + numbered("@topic ", 2, " T\n") + "@keywords " +
             numbered("k", kMaxHelpKeywords + 1, ";"),
         "line 4: more than 5000 index words"},
    };
    for (const auto &[text, error] : cases) {
        const auto result = parseHelpFile(text);
        EXPECT_FALSE(result.file);
        EXPECT_TRUE(result.error.contains(QLatin1String(error))) << result.error.toStdString();
    }
}

TEST(HelpFile, ShippedHelpInEveryLanguageReadsKeepsToTheMarkupSubsetAndLinksToTopics)
{
    const QDir folder = QFileInfo(kShipped).dir();
    const QStringList files = folder.entryList({QStringLiteral("Marrowby*.hlp")});
    EXPECT_GE(files.size(), 2); // the English help and a translation
    static const QRegularExpression link(QStringLiteral("href=\"help:([0-9]+)\""));
    for (const QString &name : files) {
        const auto result = readHelpFile(folder.filePath(name));
        ASSERT_TRUE(result.file) << result.error.toStdString();
        for (const HelpTopic &topic : result.file->topics) {
            SCOPED_TRACE(name.toStdString() + ": " + topic.title.toStdString());
            // Markup outside the subset would show as text.
            EXPECT_FALSE(topic.html.contains(QLatin1String("&lt;")));
            for (const auto &match : link.globalMatch(topic.html))
                EXPECT_NE(result.file->topic(match.captured(1).toInt()), nullptr);
        }
    }
}

TEST(HelpFile, TheHelpSpeaksTheLanguageAskedForAndEnglishOtherwise)
{
    QTemporaryDir folder;
    for (const char *name : {"Marrowby.hlp", "marrowby.DE.hlp"})
        ASSERT_TRUE(writeFile(folder.filePath(QString::fromLatin1(name)), {}));
    const QString programFolder = AppPath();
    setAppPath(folder.path());
    const auto helpFileIn = [](const char *locale) {
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
        return QFileInfo(clsWinHelp::HelpFile()).fileName();
    };
    EXPECT_EQ(helpFileIn("de_AT"), QStringLiteral("marrowby.DE.hlp"));
    EXPECT_EQ(helpFileIn("fr_FR"), QStringLiteral("Marrowby.hlp"));
    QLocale::setDefault(QLocale::system());
    setAppPath(programFolder);
}

TEST(HelpEngine, ShowsContentsIndexAndTopicsInOneWindowUntilQuit)
{
    EXPECT_TRUE(WinHelpA(nullptr, kShipped, HELP_CONTENTS, 0));
    HelpWindow *window = helpWindowFor(kShipped);
    EXPECT_TRUE(shows(kShipped, QStringLiteral("Welcome to Marrowby")));
    // Nothing outside the help file is read, whatever a topic asks for.
    const QUrl outside = QUrl::fromLocalFile(kShipped);
    EXPECT_TRUE(window->browser()
                    ->document()
                    ->resource(QTextDocument::ImageResource, outside)
                    .toByteArray()
                    .isEmpty());
    WinHelpA(nullptr, kShipped, HELP_CONTEXT, 9999);
    EXPECT_TRUE(shows(kShipped, QStringLiteral("no topic numbered 9999")));
    WinHelpA(nullptr, kShipped, HELP_HELPONHELP, 0);
    EXPECT_TRUE(shows(kShipped, QStringLiteral("Using Help")));
    window->backButton()->click();
    EXPECT_TRUE(shows(kShipped, QStringLiteral("9999")));

    // The index finds a keyword from its first letters.
    QTest::keyClicks(window->indexFilter(), QStringLiteral("ctrl"));
    QTest::keyClick(window->indexFilter(), Qt::Key_Return);
    EXPECT_TRUE(shows(kShipped, QStringLiteral("Undo Last Move")));

    WinHelpA(nullptr, kShipped, HELP_CONTENTS, 0);
    EXPECT_EQ(helpWindowFor(kShipped), window);
    EXPECT_TRUE(WinHelpA(nullptr, kShipped, HELP_QUIT, 0));
    EXPECT_EQ(helpWindowFor(kShipped), nullptr);
}

TEST(HelpEngine, MissingOrMalformedFileIsExplainedInTheWindow)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("Marrowby.hlp"));
    const QString broken = dir.filePath(QStringLiteral("Broken.hlp"));
    ASSERT_TRUE(writeFile(broken, "MARROWBY-HELP 1\n@topic x Nothing\n"));
    // A pipe or a device in the file's place is never opened: reading could wait for ever
    // (the test's time limit ends such a wait).
    const QString pipe = dir.filePath(QStringLiteral("Pipe.hlp"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const auto &[file, text] :
         {std::pair(missing, "the file is missing"), std::pair(broken, "line 2"),
          std::pair(pipe, "not a plain file"),
          std::pair(QStringLiteral("/dev/zero"), "not a plain file")}) {
        WinHelpA(nullptr, file, HELP_CONTEXT, 10);
        EXPECT_TRUE(shows(file, QLatin1String(text))) << file.toStdString();
        WinHelpA(nullptr, file, HELP_QUIT, 0);
    }
}

} // namespace
