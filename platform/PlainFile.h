// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Reads a file a player may have swapped: only a plain file (or one of our own compiled-in
// resources), never a pipe or a device that could keep the game waiting, and never more
// than maxBytes.
struct PlainFileRead {
    enum class Status { Read, Missing, NotPlain, Unreadable, TooLarge };
    Status status;
    QByteArray bytes; // empty unless Read
};
PlainFileRead readPlainFile(const QString &path, qint64 maxBytes);
