// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SettingsText.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

enum class Kind { Blank, Comment, Group, Entry, Unreadable };

struct Line {
    Kind kind = Kind::Unreadable;
    QByteArrayView name;  // of a group or an entry's key
    QByteArrayView value; // of an entry, without a comment
    bool tidy = true;     // nothing on the line that a rewrite drops
};

bool isText(QByteArrayView line)
{
    const bool controls = std::any_of(line.begin(), line.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u < 0x20 && c != '\t') || u == 0x7f;
    });
    if (controls)
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)utf8.decode(line);
    return !utf8.hasError();
}

// An odd backslash at the end escapes the line break: the store would read the next line
// as part of this one.
bool joinsTheNextLine(QByteArrayView line)
{
    const auto backslashes =
        std::find_if(line.rbegin(), line.rend(), [](char c) { return c != '\\'; }) - line.rbegin();
    return backslashes % 2 == 1;
}

// Where an unquoted `;` starts a comment, or the line's end; a backslash escapes the
// character after it.
qsizetype commentStart(QByteArrayView value)
{
    bool quoted = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\\')
            ++i;
        else if (c == '"')
            quoted = !quoted;
        else if (c == ';' && !quoted)
            return i;
    }
    return value.size();
}

Line classify(QByteArrayView raw)
{
    const QByteArrayView line = raw.trimmed();
    Line result;
    if (line.isEmpty()) {
        result.kind = Kind::Blank;
    } else if (line.front() == ';') {
        result.kind = Kind::Comment;
        result.tidy = false;
    } else if (!isText(line) || joinsTheNextLine(line)) {
        result.kind = Kind::Unreadable;
        result.tidy = false;
    } else if (line.front() == '[') {
        const qsizetype close = line.indexOf(']');
        result.kind = Kind::Group;
        result.name = line.sliced(1, (close < 0 ? line.size() : close) - 1).trimmed();
        result.tidy = close == line.size() - 1;
    } else if (const qsizetype equals = line.indexOf('=');
               equals > 0 && !line.first(equals).trimmed().isEmpty()) {
        const QByteArrayView value = line.sliced(equals + 1);
        const qsizetype comment = commentStart(value);
        result.name = line.first(equals).trimmed();
        result.value = value.first(comment).trimmed();
        result.tidy = comment == value.size();
        result.kind = joinsTheNextLine(result.value) ? Kind::Unreadable : Kind::Entry;
    } else {
        result.tidy = false;
    }
    return result;
}

// Every line, whichever of LF, CR LF or CR ends it.
template <class Visit> void forEachLine(QByteArrayView text, Visit visit)
{
    while (!text.isEmpty()) {
        const auto end =
            std::find_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; });
        const qsizetype length = end - text.begin();
        visit(text.first(length));
        text = text.sliced(std::min(length + 1, text.size()));
    }
}

} // namespace

SettingsText::Review SettingsText::review(QByteArrayView text)
{
    Review result;
    forEachLine(text, [&result](QByteArrayView raw) {
        const Line line = classify(raw);
        result.loses = result.loses || !line.tidy;
        if (line.kind == Kind::Group)
            result.readable += '[' + line.name.toByteArray() + "]\n";
        else if (line.kind == Kind::Entry)
            result.readable += line.name.toByteArray() + '=' + line.value.toByteArray() + '\n';
    });
    return result;
}

std::optional<QString> SettingsText::writtenValue(QByteArrayView text, QStringView group,
                                                  QStringView key)
{
    std::optional<QString> found;
    bool inGroup = false;
    forEachLine(text, [&](QByteArrayView raw) {
        const Line line = classify(raw);
        if (line.kind == Kind::Group)
            inGroup = QString::fromUtf8(line.name) == group;
        else if (line.kind == Kind::Entry && inGroup && QString::fromUtf8(line.name) == key)
            found = QString::fromUtf8(line.value);
    });
    return found;
}
