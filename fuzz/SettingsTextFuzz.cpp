// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds the settings text reader anything at all: what it keeps must read back as it was
// kept, with nothing left that a rewrite would lose.
#include "platform/SettingsText.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    const SettingsText::Review review = SettingsText::review(text);
    const SettingsText::Review again = SettingsText::review(review.readable);
    if (again.loses || again.readable != review.readable)
        __builtin_trap();
    (void)SettingsText::writtenValue(text, u"Startup", u"MusicFilename");
    return 0;
}
