// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the outlines of the ranks on the card indexes as C++ data:
//   marrowby_rankoutlines OUTPUT.inc
// They are the glyphs of DejaVu Sans Bold, one unit to the capital height, baseline at 0,
// centred, and condensed where wide so that "10" stays inside the narrow index strip.
// Made at build time, so that the cards look the same whatever fonts a player has, and
// no font is loaded to deal them.
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: marrowby_rankoutlines OUTPUT.inc\n");
        return 2;
    }
    static const char *const texts[] = {"A", "2", "3",  "4", "5", "6", "7",
                                        "8", "9", "10", "J", "Q", "K"};
    constexpr qreal maxWidth = 1.05;
    constexpr qreal tracking = -0.1;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(100);
    font.setLetterSpacing(QFont::AbsoluteSpacing, tracking * 100);
    const qreal cap = QFontMetricsF(font).capHeight();

    QString text;
    QTextStream out(&text);
    out << "// Made by tools/RankOutlines.cpp from DejaVu Sans Bold. Do not edit.\n"
           "// Each element: 0 move to, 1 line to, 2 curve to (then its two control data 3).\n";
    for (int i = 0; i < 13; ++i) {
        QPainterPath path;
        path.addText(0, 0, font, QString::fromLatin1(texts[i]));
        const QRectF box = path.boundingRect();
        if (box.isEmpty()) {
            std::fprintf(stderr, "marrowby_rankoutlines: no DejaVu Sans Bold to draw \"%s\"\n",
                         texts[i]);
            return 1;
        }
        const qreal sx = std::min(1.0 / cap, maxWidth / box.width());
        path = QTransform::fromScale(sx, 1.0 / cap).translate(-box.center().x(), 0).map(path);
        out << "const RankElement kRank" << i << "[] = {\n";
        for (int e = 0; e < path.elementCount(); ++e) {
            const QPainterPath::Element element = path.elementAt(e);
            out << "    {" << int(element.type) << ", " << QString::number(element.x, 'g', 17)
                << ", " << QString::number(element.y, 'g', 17) << "},\n";
        }
        out << "};\n";
    }
    out << "const std::span<const RankElement> kRankOutlines[13] = {";
    for (int i = 0; i < 13; ++i)
        out << (i ? ", " : "") << "kRank" << i;
    out << "};\n";
    out.flush();

    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(text.toUtf8()) != text.toUtf8().size() || !file.flush()) {
        std::fprintf(stderr, "marrowby_rankoutlines: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
