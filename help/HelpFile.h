// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

// A help file in our own text format (help/README.md): topics of simple HTML, each with
// a context number and index keywords. The file is read as untrusted input.
struct HelpTopic {
    int32_t context = 0;
    QString title;
    QStringList keywords;
    QString html;
};

struct HelpFile {
    QString title;
    std::vector<HelpTopic> topics; // the first one is the contents topic

    const HelpTopic *topic(int32_t context) const;
};

struct HelpParseResult {
    std::optional<HelpFile> file;
    QString error; // why the file was refused, for the reader; empty when it was read
};

// Larger files are refused unread.
inline constexpr qint64 kMaxHelpFileSize = 1024 * 1024;
// Files with more, or longer, are refused: the window must show them promptly.
inline constexpr size_t kMaxHelpTopics = 1000;
inline constexpr qsizetype kMaxHelpKeywords = 5000; // over the whole file
inline constexpr qsizetype kMaxHelpTitle = 200;     // characters in a title or index word

HelpParseResult parseHelpFile(const QByteArray &data);
HelpParseResult readHelpFile(const QString &path);
