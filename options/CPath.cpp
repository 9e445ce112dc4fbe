// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/CPath.h"

namespace {
bool isSeparator(QChar c)
{
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}
} // namespace

void CPath::setFullPath(const QString &sNewFullPath)
{
    const QString &s = sNewFullPath;
    msFullPath = s;
    msPath.clear();
    msDrive.clear();
    msFile.clear();
    msExtension.clear();

    const qsizetype colon = s.indexOf(QLatin1Char(':'));
    if (colon >= 0)
        msDrive = s.left(colon + 1);

    const bool endsWithSeparator = !s.isEmpty() && isSeparator(s.back());
    if (endsWithSeparator || !s.contains(QLatin1Char('.'))) {
        // A folder; the empty string too, which becomes the bare separator.
        msPath = endsWithSeparator ? s : s + QLatin1Char('\\');
        return;
    }

    qsizetype start = s.size();
    while (start > 0 && !isSeparator(s.at(start - 1)))
        --start;
    msFile = s.mid(start);
    msPath = s.left(start);
    // No dot in the file name (the dot was in a folder): the whole name is the extension.
    const qsizetype dot = msFile.indexOf(QLatin1Char('.'));
    msExtension = msFile.mid(dot + 1);
}
