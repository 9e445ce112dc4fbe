// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/HelpMarkup.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(HelpMarkup, KeepsTheSubsetAsWrittenAndShowsEverythingElseAsText)
{
    const QString zwsp(QChar(0x200B));
    const std::pair<QString, QString> cases[] = {
        // The subset passes unchanged.
        {QStringLiteral("<h3>Play</h3>\n<p>A <b>bold</b>, <i>slanted</i> <a href=\"help:10\">link"
                        "</a>&amp;&eacute;&#233;&#xE9;<br></p>\n<table cellpadding=\"4\">\n"
                        "<tr><th>Key</th><td><tt>F2</tt></td></tr>\n</table>\n"
                        "<ol><li>one<ul><li>two</li></ul></li></ol>"),
         {}},
        // Other elements, comments and broken references are text; other attributes, and
        // links to anything but a topic's number, go.
        {QStringLiteral("<img src=\"/etc/x.png\"><!-- c --><p style=\"font-size:99px\">&bogus "
                        "&#0; &#x110000;</p><a href=\"https://example.org\">away</a>"
                        "<a href=\"help:1x\">odd</a>"),
         QStringLiteral("&lt;img src=\"/etc/x.png\"&gt;&lt;!-- c --&gt;<p>&amp;bogus &amp;#0; "
                        "&amp;#x110000;</p><a>away</a><a>odd</a>")},
        // Left open, closed in passing, or closed twice: the result is well formed.
        {QStringLiteral("<ul><li>a<li>b</ul></ul><p>c<p><b>d<a href=\"help:1\">e<a>f"),
         QStringLiteral("<ul><li>a</li><li>b</li></ul><p>c</p><p><b>d<a href=\"help:1\">e</a>"
                        "<a>f</a></b></p>")},
        // Tables never nest: an inner one starts after the outer one.
        {QStringLiteral("<table><tr><td>").repeated(3) + QStringLiteral("x"),
         QStringLiteral("<table><tr><td></td></tr></table>").repeated(2) +
             QStringLiteral("<table><tr><td>x</td></tr></table>")},
        // Items and cells outside their list or table are text.
        {QStringLiteral("<li>a</li><td>b</td>"), QStringLiteral("&lt;li&gt;a&lt;td&gt;b")},
        // Nesting stops at its limit; the rest of the tags are text.
        {QStringLiteral("<b>").repeated(kMaxHelpNesting + 2) + QStringLiteral("x"),
         QStringLiteral("<b>").repeated(kMaxHelpNesting) + QStringLiteral("&lt;b&gt;").repeated(2) +
             QStringLiteral("x") + QStringLiteral("</b>").repeated(kMaxHelpNesting)},
        // A long word gets places to break, even across elements.
        {QString(kMaxHelpWord, u'a') + QStringLiteral("<b>bc</b> d"),
         QString(kMaxHelpWord, u'a') + QStringLiteral("<b>") + zwsp + QStringLiteral("bc</b> d")},
    };
    for (const auto &[markup, expected] : cases)
        EXPECT_EQ(safeHelpMarkup(markup), expected.isNull() ? markup : expected)
            << markup.toStdString();
}

TEST(HelpMarkup, AnOverlongTopicIsCutAndSaysSo)
{
    const QString note = QStringLiteral("The rest of this topic is too long to show.");
    const QString ending = QStringLiteral("\n<p><i>") + note + QStringLiteral("</i></p>");
    for (const QString &markup : {QStringLiteral("<p>x</p>").repeated(kMaxHelpElements + 1),
                                  QStringLiteral("word ").repeated(kMaxHelpText / 5 + 1),
                                  QStringLiteral("&#65; ").repeated(kMaxHelpText / 2 + 1)}) {
        const QString shown = safeHelpMarkup(markup);
        ASSERT_TRUE(shown.endsWith(ending));
        EXPECT_TRUE(markup.startsWith(shown.chopped(ending.size())));
    }
    EXPECT_FALSE(
        safeHelpMarkup(QStringLiteral("<p>x</p>").repeated(kMaxHelpElements)).contains(note));
}

} // namespace
