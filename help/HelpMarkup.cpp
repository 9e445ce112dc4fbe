// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/HelpMarkup.h"

#include <QCoreApplication>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// What an element is, for what may stand inside it.
enum Kind : unsigned {
    Topic = 1 << 0,     // the topic itself, around everything
    Phrase = 1 << 1,    // b, i, a, ...: inside text
    Break = 1 << 2,     // br: no contents
    Paragraph = 1 << 3, // p, h1 to h4
    List = 1 << 4,
    Item = 1 << 5,
    Table = 1 << 6,
    Row = 1 << 7,
    Cell = 1 << 8,
};

unsigned allowedInside(Kind kind)
{
    switch (kind) {
    case Topic:
        return Phrase | Break | Paragraph | List | Table;
    case Phrase:
    case Paragraph:
        return Phrase | Break;
    case List:
        return Item;
    case Item:
    case Cell:
        return Phrase | Break | Paragraph | List;
    case Table:
        return Row;
    case Row:
        return Cell;
    case Break:
        break;
    }
    return 0;
}

struct Element {
    QLatin1StringView name;
    Kind kind;
};

const Element kElements[] = {
    {QLatin1StringView("b"), Phrase},      {QLatin1StringView("i"), Phrase},
    {QLatin1StringView("u"), Phrase},      {QLatin1StringView("em"), Phrase},
    {QLatin1StringView("strong"), Phrase}, {QLatin1StringView("tt"), Phrase},
    {QLatin1StringView("code"), Phrase},   {QLatin1StringView("a"), Phrase},
    {QLatin1StringView("br"), Break},      {QLatin1StringView("p"), Paragraph},
    {QLatin1StringView("h1"), Paragraph},  {QLatin1StringView("h2"), Paragraph},
    {QLatin1StringView("h3"), Paragraph},  {QLatin1StringView("h4"), Paragraph},
    {QLatin1StringView("ul"), List},       {QLatin1StringView("ol"), List},
    {QLatin1StringView("li"), Item},       {QLatin1StringView("table"), Table},
    {QLatin1StringView("tr"), Row},        {QLatin1StringView("td"), Cell},
    {QLatin1StringView("th"), Cell},
};

bool isLink(const Element *element)
{
    return element->name == QLatin1StringView("a");
}

const Element *elementNamed(QStringView name)
{
    for (const Element &element : kElements)
        if (name.compare(element.name, Qt::CaseInsensitive) == 0)
            return &element;
    return nullptr;
}

// A tag longer than this is taken for text, so that a stray "<" costs no search to the end.
constexpr qsizetype kMaxTagLength = 512;

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}
bool isNameChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'-' || c == u':';
}
// Up to so many digits and nothing else, not even a sign.
bool isAllDigits(QStringView text, qsizetype maxLength, int base = 10)
{
    auto digit = [base](QChar c) {
        return (c >= u'0' && c <= u'9') ||
               (base == 16 && ((c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')));
    };
    return !text.isEmpty() && text.size() <= maxLength &&
           std::all_of(text.begin(), text.end(), digit);
}

bool isAsciiLetterOrDigit(QChar c)
{
    return isNameChar(c) && c != u'-' && c != u':';
}

// A character reference Qt shows as one printable character, or a named one.
bool isReference(QStringView name)
{
    uint code = 0;
    if (name.startsWith(u"#x", Qt::CaseInsensitive)) {
        if (!isAllDigits(name.sliced(2), 6, 16))
            return false;
        code = name.sliced(2).toUInt(nullptr, 16);
    } else if (name.startsWith(u'#')) {
        if (!isAllDigits(name.sliced(1), 7))
            return false;
        code = name.sliced(1).toUInt();
    } else {
        return name.front().isLetter() && name.front().unicode() < 128 &&
               std::all_of(name.begin(), name.end(), isAsciiLetterOrDigit);
    }
    return QChar::isPrint(char32_t(code));
}

// The attributes kept: a link to a topic, and a table's spacing and border.
std::optional<QString> keptAttribute(const Element &element, QStringView name, QStringView value)
{
    if (isLink(&element) && name.compare(u"href", Qt::CaseInsensitive) == 0 &&
        value.startsWith(u"help:") && isAllDigits(value.mid(5), 10))
        return QStringLiteral("href=\"%1\"").arg(value);
    const bool spacing = name.compare(u"cellpadding", Qt::CaseInsensitive) == 0 ||
                         name.compare(u"cellspacing", Qt::CaseInsensitive) == 0 ||
                         name.compare(u"border", Qt::CaseInsensitive) == 0;
    if (element.kind == Table && spacing && isAllDigits(value, 2) && value.toInt() <= 20)
        return QStringLiteral("%1=\"%2\"").arg(name.toString().toLower(), value);
    return std::nullopt;
}

struct Tag {
    const Element *element = nullptr;
    bool closing = false;
    QStringList attributes; // as written out
    qsizetype end = 0;      // just past the '>'
};

class MarkupFilter
{
public:
    explicit MarkupFilter(QStringView in) : mIn(in) {}

    QString run()
    {
        while (mPos < mIn.size() && !mCut) {
            const QChar c = mIn[mPos];
            if (c == u'<' && takeTag())
                continue;
            if (c == u'&' && takeReference())
                continue;
            if (c.isHighSurrogate() && mPos + 1 < mIn.size() && mIn[mPos + 1].isLowSurrogate()) {
                character(mIn.mid(mPos, 2), false);
                mPos += 2;
                continue;
            }
            if (c == u'<')
                character(u"&lt;", false);
            else if (c == u'>')
                character(u"&gt;", false);
            else if (c == u'&')
                character(u"&amp;", false);
            else
                character(mIn.sliced(mPos, 1), isSpace(c));
            ++mPos;
        }
        closeDownTo(0);
        if (mCut)
            mOut += QCoreApplication::translate(
                "HelpMarkup", "\n<p><i>The rest of this topic is too long to show.</i></p>");
        return mOut;
    }

private:
    // One character of text, as it is to be written.
    void character(QStringView written, bool space)
    {
        if (mText == kMaxHelpText) {
            mCut = true;
            return;
        }
        ++mText;
        if (space) {
            mWord = 0;
        } else if (++mWord > kMaxHelpWord) {
            mOut += QChar(0x200B); // a zero-width space: a place to break the line
            mWord = 1;
        }
        mOut += written;
    }

    // "&amp;", "&#233;", "&#xe9;": kept as they are, each one character of text.
    bool takeReference()
    {
        const QStringView rest = mIn.sliced(mPos, std::min<qsizetype>(34, mIn.size() - mPos));
        const qsizetype semicolon = rest.indexOf(u';');
        if (semicolon < 2 || !isReference(rest.sliced(1, semicolon - 1)))
            return false;
        character(rest.first(semicolon + 1), false);
        mPos += semicolon + 1;
        return true;
    }

    // A tag of the subset, acted on; anything else is left to be shown as text.
    bool takeTag()
    {
        const std::optional<Tag> tag = readTag();
        if (!tag)
            return false;
        if (tag->closing) {
            close(*tag->element);
        } else if (mElements == kMaxHelpElements) {
            mCut = true;
        } else if (!open(*tag)) {
            return false;
        }
        mPos = tag->end;
        return true;
    }

    std::optional<Tag> readTag() const
    {
        const QStringView rest = mIn.sliced(mPos, std::min(kMaxTagLength, mIn.size() - mPos));
        qsizetype at = 1;
        auto skipSpace = [&] {
            while (at < rest.size() && isSpace(rest[at]))
                ++at;
        };
        auto word = [&] {
            const qsizetype from = at;
            while (at < rest.size() && isNameChar(rest[at]))
                ++at;
            return rest.sliced(from, at - from);
        };
        Tag tag;
        tag.closing = at < rest.size() && rest[at] == u'/';
        at += tag.closing;
        tag.element = elementNamed(word());
        if (!tag.element)
            return std::nullopt;
        for (;;) {
            skipSpace();
            if (at >= rest.size())
                return std::nullopt;
            if (rest[at] == u'>' || (rest.sliced(at).startsWith(u"/>") && !tag.closing))
                break;
            const QStringView name = word();
            if (name.isEmpty() || tag.closing)
                return std::nullopt;
            skipSpace();
            QStringView value;
            if (at < rest.size() && rest[at] == u'=') {
                ++at;
                skipSpace();
                const QChar quote = at < rest.size() ? rest[at] : QChar();
                if (quote == u'"' || quote == u'\'') {
                    const qsizetype close = rest.indexOf(quote, at + 1);
                    if (close < 0)
                        return std::nullopt;
                    value = rest.sliced(at + 1, close - at - 1);
                    at = close + 1;
                } else {
                    const qsizetype from = at;
                    while (at < rest.size() && !isSpace(rest[at]) && rest[at] != u'>')
                        ++at;
                    value = rest.sliced(from, at - from);
                }
            }
            if (const auto kept = keptAttribute(*tag.element, name, value))
                tag.attributes << *kept;
        }
        tag.end = mPos + rest.indexOf(u'>', at) + 1;
        return tag;
    }

    // Opens an element inside the innermost one that may hold it, closing those on the way
    // as HTML does ("<li>a<li>b"); a link ends any link. No such place, or one too deep:
    // the tag is left as text.
    bool open(const Tag &tag)
    {
        const Element &element = *tag.element;
        qsizetype below = qsizetype(mOpen.size());
        if (isLink(&element))
            for (qsizetype i = 0; i < below; ++i)
                if (isLink(mOpen[i]))
                    below = i;
        qsizetype parent = below;
        while (parent > 0 && !(allowedInside(mOpen[parent - 1]->kind) & element.kind))
            --parent;
        const bool placed = parent > 0 || (allowedInside(Topic) & element.kind);
        if (!placed || (element.kind != Break && parent >= kMaxHelpNesting))
            return false;
        closeDownTo(parent);
        mOut += u'<';
        mOut += element.name;
        for (const QString &attribute : tag.attributes) {
            mOut += u' ';
            mOut += attribute;
        }
        mOut += u'>';
        ++mElements;
        if (element.kind != Phrase)
            mWord = 0;
        if (element.kind != Break)
            mOpen.push_back(&element);
        return true;
    }

    // Closes the innermost open element of this name, and those inside it; a closing tag
    // with nothing to close is dropped.
    void close(const Element &element)
    {
        const auto it = std::find(mOpen.rbegin(), mOpen.rend(), &element);
        if (it != mOpen.rend())
            closeDownTo(qsizetype(mOpen.rend() - it) - 1);
    }

    void closeDownTo(qsizetype depth)
    {
        while (qsizetype(mOpen.size()) > depth) {
            mOut += QStringLiteral("</");
            mOut += mOpen.back()->name;
            mOut += u'>';
            if (mOpen.back()->kind != Phrase)
                mWord = 0;
            mOpen.pop_back();
        }
    }

    QStringView mIn;
    qsizetype mPos = 0;
    QString mOut;
    std::vector<const Element *> mOpen; // outermost first
    int mElements = 0;
    qsizetype mText = 0;
    int mWord = 0; // characters since the last space or block
    bool mCut = false;
};

} // namespace

QString safeHelpMarkup(QStringView markup)
{
    return MarkupFilter(markup).run();
}

QString helpTopicPage(const HelpTopic &topic)
{
    return QStringLiteral("<h2>%1</h2>\n").arg(topic.title.toHtmlEscaped()) + topic.html;
}
