// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

constexpr int UsageError = 2; // as getopt-based tools exit on a wrong command line

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

int refuse(const QString &program, const QString &why)
{
    print(stderr, QCoreApplication::translate("CommandLine",
                                              "%1: %2\nTry '%1 --help' for more information.\n")
                      .arg(program, why));
    return UsageError;
}

} // namespace

std::optional<int> answerCommandLine(const QStringList &arguments, UnknownOptions unknown)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "A patience card game: build the four suits from ace to king."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QString program = QFileInfo(arguments.value(0)).fileName();

    if (!parser.parse(arguments)) {
        if (unknown == UnknownOptions::Wait)
            return std::nullopt;
        return refuse(program, parser.errorText());
    }
    if (parser.isSet(QStringLiteral("help-all"))) {
        // Qt lists its own options only once they are known, with QApplication.
        if (unknown == UnknownOptions::Wait)
            return std::nullopt;
        parser.process(arguments); // prints and ends the program
    }
    if (parser.isSet(help)) {
        print(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(version)) {
        print(stdout, QCoreApplication::applicationName() + QLatin1Char(' ') +
                          QCoreApplication::applicationVersion() + QLatin1Char('\n'));
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return refuse(program,
                      QCoreApplication::translate("CommandLine", "unexpected argument '%1'")
                          .arg(parser.positionalArguments().constFirst()));
    return std::nullopt;
}
