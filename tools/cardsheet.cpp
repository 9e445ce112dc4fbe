// SPDX-License-Identifier: GPL-3.0-or-later
// Writes contact sheets of our card pictures: every face, a fanned pile as the table
// shows it, and the twelve backs; once at 1x and once at 2x.
#include "cards/DrawingSurface.h"
#include "cards/cdt.h"

#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int kGap = 8;
constexpr int kFanStep = 15;
constexpr int kFanCards[] = {9 * 4 + 2, 10 * 4 + 3, 11 * 4 + 1, 6 * 4 + 0, 12 * 4 + 2};
constexpr int kFirstBack = 54;
constexpr int kBacks = 12;

QImage contactSheet(qreal ratio)
{
    int32_t w = 0, h = 0;
    cdtInit(&w, &h);
    const QSize size(kGap + 13 * (w + kGap), kGap + 6 * (h + kGap));
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(0, 128, 0));
    ImageSurface surface(&image);
    for (int suit = 0; suit < 4; ++suit)
        for (int rank = 0; rank < 13; ++rank)
            cdtDraw(surface.hDC(), kGap + rank * (w + kGap), kGap + suit * (h + kGap),
                    rank * 4 + suit, mdFaceUp, 0);
    const int fanTop = kGap + 4 * (h + kGap);
    int x = kGap;
    for (int card : kFanCards) {
        cdtDraw(surface.hDC(), x, fanTop, card, mdFaceUp, 0);
        x += kFanStep;
    }
    const int backTop = fanTop + h + kGap;
    for (int i = 0; i < kBacks; ++i)
        cdtDraw(surface.hDC(), kGap + i * (w + kGap), backTop, kFirstBack + i, mdFaceDown, 0);
    cdtTerm();
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 || !args[1].endsWith(QLatin1String(".png"))) {
        std::fprintf(stderr, "usage: cardsheet SHEET.png (also writes SHEET@2x.png)\n");
        return 2;
    }
    const QString path1x = args[1];
    const QString path2x = path1x.chopped(4) + QLatin1String("@2x.png");
    if (!contactSheet(1).save(path1x) || !contactSheet(2).save(path2x)) {
        std::fprintf(stderr, "cardsheet: cannot write %s\n", qPrintable(path1x));
        return 1;
    }
    QTextStream(stdout) << path1x << '\n' << path2x << '\n';
    return 0;
}
