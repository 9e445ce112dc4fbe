// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds the help file reader anything at all: it must refuse or read, never misbehave,
// and what it reads must hold together.
#include "help/HelpFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const HelpParseResult result = parseHelpFile(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (result.file.has_value() == !result.error.isEmpty())
        __builtin_trap();
    if (result.file) {
        if (result.file->topics.empty())
            __builtin_trap();
        for (const HelpTopic &topic : result.file->topics)
            if (topic.title.isEmpty() || topic.context < 0 ||
                result.file->topic(topic.context) != &topic)
                __builtin_trap();
    }
    return 0;
}
