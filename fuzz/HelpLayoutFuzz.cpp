// SPDX-License-Identifier: GPL-3.0-or-later
// Lays out every topic of any help file as the help window shows it. Run with a time limit
// per input, so that a file slow to show fails as a crash would.
#include "help/HelpFile.h"
#include "help/HelpMarkup.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

// The font library keeps what it looks up for as long as the program runs.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char *args[] = {(*argv)[0], nullptr};
    static QGuiApplication application(argc, args);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const HelpParseResult result = parseHelpFile(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!result.file)
        return 0;
    for (const HelpTopic &topic : result.file->topics) {
        QTextDocument document;
        document.setHtml(helpTopicPage(topic));
        document.setTextWidth(540); // about the width of the window's text
        document.documentLayout()->documentSize();
    }
    return 0;
}
