// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/HelpFile.h"

#include "help/HelpMarkup.h"
#include "platform/PlainFile.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringDecoder>

#include <limits>
#include <set>

namespace {
const QString kMagic = QStringLiteral("MARROWBY-HELP 1");

HelpParseResult refuse(qsizetype line, const QString &why)
{
    return {std::nullopt,
            QCoreApplication::translate("HelpFile", "line %1: %2").arg(line).arg(why)};
}

std::optional<int32_t> contextNumber(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,10}$"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    const qlonglong n = text.toLongLong();
    if (n > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(n);
}
} // namespace

const HelpTopic *HelpFile::topic(int32_t context) const
{
    for (const HelpTopic &t : topics)
        if (t.context == context)
            return &t;
    return nullptr;
}

HelpParseResult parseHelpFile(const QByteArray &data)
{
    if (data.size() > kMaxHelpFileSize)
        return {std::nullopt, QCoreApplication::translate(
                                  "HelpFile", "the file is larger than a help file can be")};
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(data);
    if (decoder.hasError())
        return {std::nullopt,
                QCoreApplication::translate("HelpFile", "the file is not text (UTF-8)")};

    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    if (lines.first().trimmed() != kMagic)
        return refuse(1,
                      QCoreApplication::translate("HelpFile", "this is not a Marrowby help file"));

    HelpFile file;
    QStringList body;
    std::set<int32_t> contexts;
    qsizetype keywords = 0;
    const QString tooLong =
        QCoreApplication::translate("HelpFile", "a title or index word longer than %1 characters")
            .arg(kMaxHelpTitle);
    auto finishTopic = [&] {
        if (!file.topics.empty())
            file.topics.back().html = safeHelpMarkup(body.join(QLatin1Char('\n')));
        body.clear();
    };

    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const qsizetype number = i + 1;
        if (!line.startsWith(QLatin1Char('@'))) {
            if (!file.topics.empty())
                body << line;
            else if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1Char('#')))
                return refuse(
                    number, QCoreApplication::translate("HelpFile", "text before the first topic"));
            continue;
        }
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        const QString word = line.left(space);
        const QString rest = space < 0 ? QString() : line.mid(space + 1).trimmed();
        if (word == QLatin1String("@title") && file.topics.empty()) {
            if (rest.size() > kMaxHelpTitle)
                return refuse(number, tooLong);
            file.title = rest;
        } else if (word == QLatin1String("@topic")) {
            if (file.topics.size() == kMaxHelpTopics)
                return refuse(number, QCoreApplication::translate("HelpFile", "more than %1 topics")
                                          .arg(kMaxHelpTopics));
            const qsizetype gap = rest.indexOf(QLatin1Char(' '));
            const std::optional<int32_t> context = contextNumber(rest.left(gap));
            if (!context)
                return refuse(number, QCoreApplication::translate(
                                          "HelpFile", "a topic needs a context number"));
            if (!contexts.insert(*context).second)
                return refuse(number,
                              QCoreApplication::translate("HelpFile", "topic %1 is there twice")
                                  .arg(*context));
            HelpTopic topic;
            topic.context = *context;
            topic.title = gap < 0 ? QString() : rest.mid(gap + 1).trimmed();
            if (topic.title.isEmpty())
                return refuse(
                    number,
                    QCoreApplication::translate("HelpFile", "topic %1 has no title").arg(*context));
            if (topic.title.size() > kMaxHelpTitle)
                return refuse(number, tooLong);
            finishTopic();
            file.topics.push_back(std::move(topic));
        } else if (word == QLatin1String("@keywords") && !file.topics.empty()) {
            for (const QString &part : rest.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                const QString keyword = part.trimmed();
                if (keyword.size() > kMaxHelpTitle)
                    return refuse(number, tooLong);
                if (keyword.isEmpty())
                    continue;
                if (++keywords > kMaxHelpKeywords)
                    return refuse(
                        number, QCoreApplication::translate("HelpFile", "more than %1 index words")
                                    .arg(kMaxHelpKeywords));
                file.topics.back().keywords << keyword;
            }
        } else {
            return refuse(
                number,
                QCoreApplication::translate("HelpFile", "\"%1\" is not understood here").arg(word));
        }
    }
    finishTopic();
    if (file.topics.empty())
        return {std::nullopt, QCoreApplication::translate("HelpFile", "the file holds no topics")};
    return {std::move(file), QString()};
}

HelpParseResult readHelpFile(const QString &path)
{
    using Status = PlainFileRead::Status;
    PlainFileRead read = readPlainFile(path, kMaxHelpFileSize);
    switch (read.status) {
    case Status::Read:
        return parseHelpFile(read.bytes);
    case Status::Missing:
        return {std::nullopt, QCoreApplication::translate("HelpFile", "the file is missing")};
    case Status::NotPlain:
        return {std::nullopt, QCoreApplication::translate("HelpFile", "it is not a plain file")};
    case Status::Unreadable:
        return {std::nullopt, QCoreApplication::translate("HelpFile", "the file cannot be opened")};
    case Status::TooLarge:
        return {std::nullopt, QCoreApplication::translate(
                                  "HelpFile", "the file is larger than a help file can be")};
    }
    return {std::nullopt, QCoreApplication::translate("HelpFile", "the file cannot be opened")};
}
