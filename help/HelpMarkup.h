// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/HelpFile.h"

#include <QString>
#include <QStringView>

// What a topic may hold, so that no help file, however written, is slow to show: the
// elements of help/README.md nested at most this deep, tables never inside tables, at most
// so many elements and characters of text (the rest is left out, and the topic says so),
// and a break after so many characters without a space.
inline constexpr int kMaxHelpNesting = 8;
inline constexpr int kMaxHelpElements = 500;
inline constexpr qsizetype kMaxHelpText = 32 * 1024;
inline constexpr int kMaxHelpWord = 64;

// The markup of a topic's body reduced to that subset: elements and attributes outside it
// are shown as the text they are, and the result is well formed.
QString safeHelpMarkup(QStringView markup);

// The page the help window shows for a topic: its title over its body.
QString helpTopicPage(const HelpTopic &topic);
