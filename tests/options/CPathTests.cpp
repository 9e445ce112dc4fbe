// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/CPath.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(CPath, SplitsEveryKindOfPath)
{
    const struct {
        const char *full, *drive, *path, *file, *extension;
    } cases[] = {
        {"C:\\Music\\Ragtime.mid", "C:", "C:\\Music\\", "Ragtime.mid", "mid"},
        {"Ragtime.mid", "", "", "Ragtime.mid", "mid"},
        {"C:\\Music", "C:", "C:\\Music\\", "", ""},
        {"C:/Music/", "C:", "C:/Music/", "", ""},
        {"/home/ann/Jazz.Band.mid", "", "/home/ann/", "Jazz.Band.mid", "Band.mid"},
        {"", "", "\\", "", ""},
        // The dot is a folder's: the file name has none, so all of it is the extension.
        {"D:\\v1.2/README", "D:", "D:\\v1.2/", "README", "README"},
    };
    CPath path;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.full);
        path.setFullPath(QString::fromUtf8(c.full));
        EXPECT_EQ(path.FullPath(), QString::fromUtf8(c.full));
        EXPECT_EQ(path.Drive(), QString::fromUtf8(c.drive));
        EXPECT_EQ(path.Path(), QString::fromUtf8(c.path));
        EXPECT_EQ(path.File(), QString::fromUtf8(c.file));
        EXPECT_EQ(path.Extension(), QString::fromUtf8(c.extension));
    }
}

} // namespace
