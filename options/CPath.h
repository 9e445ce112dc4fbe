// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Splits a path into drive, folder, file name and extension when it is set. Either
// slash separates folders; the extension begins after the file name's first dot.
class CPath
{
public:
    QString FullPath() const { return msFullPath; }
    void setFullPath(const QString &sNewFullPath);
    QString Path() const { return msPath; }
    QString Drive() const { return msDrive; }
    QString File() const { return msFile; }
    QString Extension() const { return msExtension; }

private:
    QString msFullPath;
    QString msPath;
    QString msDrive;
    QString msFile;
    QString msExtension;
};
