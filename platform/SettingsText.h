// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The settings file as a player may have edited it, line by line: what a rewrite by the
// settings store would keep, and values as the player wrote them. A line is read as
// blank, a `[group]` header, a `key=value` entry or a `;` comment; anything else (no `=`,
// an empty key, bytes that are not UTF-8 text, control characters) cannot be read.
namespace SettingsText {

struct Review {
    // The file with the lines that cannot be read and the comments left out, and every
    // group header closed (`[Startup` is read as `[Startup]`).
    QByteArray readable;
    // The store's rewrite would lose or change something the file holds: a comment, a
    // line that cannot be read, text after a header's `]`.
    bool loses = false;
};
Review review(QByteArrayView text);

// The value of key in group, from after the `=` to a `;` comment or the line's end,
// without the spaces around it; where the key is given twice, the last. Nothing where
// the file has no such entry.
std::optional<QString> writtenValue(QByteArrayView text, QStringView group, QStringView key);

} // namespace SettingsText
