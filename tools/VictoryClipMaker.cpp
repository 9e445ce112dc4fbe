// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the victory clip: silvery, bevelled words on a plain background, turning once
// about the upright axis, as an AVI clip with run-length frames and a 256-colour palette.
//   marrowby_clipmaker PARAMETERS.ini OUTPUT.avi
#include "tools/AviWriter.h"

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSettings>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

struct Parameters {
    int width, height, frames, fps;
    QColor background;
    QStringList lines;
    QString font;
    int pixelSize, lineSpacing;
};

Parameters readParameters(const QString &path)
{
    QSettings ini(path, QSettings::IniFormat);
    return {ini.value(QStringLiteral("Clip/Width")).toInt(),
            ini.value(QStringLiteral("Clip/Height")).toInt(),
            ini.value(QStringLiteral("Clip/Frames")).toInt(),
            ini.value(QStringLiteral("Clip/FramesPerSecond")).toInt(),
            QColor(ini.value(QStringLiteral("Clip/Background")).toString()),
            ini.value(QStringLiteral("Words/Lines")).toStringList(),
            ini.value(QStringLiteral("Words/Font")).toString(),
            ini.value(QStringLiteral("Words/PixelSize")).toInt(),
            ini.value(QStringLiteral("Words/LineSpacing")).toInt()};
}

// The background, then greys from black to white each mixed with the background in
// fifteen steps: enough for the silver and the soft edges of the letters.
QList<QRgb> makePalette(const QColor &background)
{
    QList<QRgb> palette{background.rgb()};
    for (int grey = 0; grey <= 16; ++grey) {
        const int g = std::min(255, grey * 16);
        for (int step = 1; step <= 15; ++step) {
            auto mix = [&](int b) { return (b * (15 - step) + g * step + 7) / 15; };
            palette << qRgb(mix(background.red()), mix(background.green()), mix(background.blue()));
        }
    }
    return palette;
}

// The lines of words, each centred on the middle of the picture, the block centred too.
QList<QPainterPath> wordsPaths(const Parameters &p)
{
    QFont font(p.font);
    font.setBold(true);
    font.setPixelSize(p.pixelSize);
    QList<QPainterPath> lines;
    const double blockTop = (p.height - p.lineSpacing * (p.lines.size() - 1)) / 2.0;
    for (int i = 0; i < p.lines.size(); ++i) {
        QPainterPath line;
        line.addText(0, 0, font, p.lines[i]);
        const QRectF box = line.boundingRect();
        const double centreY = blockTop + i * p.lineSpacing;
        lines << line.translated(p.width / 2.0 - box.center().x(), centreY - box.center().y());
    }
    return lines;
}

QColor shade(int grey, double light)
{
    const int g = std::clamp(int(std::lround(grey * light)), 0, 255);
    return QColor(g, g, g);
}

// One frame: the words turned by the angle about the upright axis through the middle,
// lit from the front and from the top left, the light staying put as they turn. The
// bevel narrows with the letters.
QImage renderFrame(const Parameters &p, const QList<QPainterPath> &lines, double angle)
{
    QImage image(p.width, p.height, QImage::Format_RGB32);
    image.fill(p.background);
    const double cosine = std::cos(angle);
    auto scaledAboutMiddle = [&](double sx) {
        return QTransform::fromTranslate(p.width / 2.0, 0)
            .scale(sx, 1)
            .translate(-p.width / 2.0, 0);
    };
    const QTransform mirror = scaledAboutMiddle(cosine < 0 ? -1 : 1);
    const QTransform narrow = scaledAboutMiddle(std::abs(cosine));
    const double light = 0.55 + 0.45 * std::abs(cosine);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(narrow);
    QPainterPath letters;
    for (const QPainterPath &line : lines) {
        // Polished metal: bright above, a dark band across the middle, bright again.
        const QPainterPath shown = mirror.map(line);
        const QRectF box = shown.boundingRect();
        QLinearGradient silver(box.topLeft(), box.bottomLeft());
        silver.setColorAt(0.0, shade(255, light));
        silver.setColorAt(0.45, shade(200, light));
        silver.setColorAt(0.5, shade(128, light));
        silver.setColorAt(0.62, shade(176, light));
        silver.setColorAt(1.0, shade(240, light));
        painter.fillPath(shown, silver);
        letters.addPath(shown);
    }
    // The bevel: light on the upper left inner edges, shadow on the lower right.
    constexpr double bevel = 2.0;
    painter.setClipPath(letters);
    painter.strokePath(letters.translated(bevel, bevel), QPen(shade(255, light), 2 * bevel));
    painter.strokePath(letters.translated(-bevel, -bevel), QPen(shade(64, light), 2 * bevel));
    painter.setClipping(false);
    painter.strokePath(letters, QPen(shade(48, light), 1));
    return image;
}

std::vector<uint8_t> indices(const QImage &frame, const QList<QRgb> &palette)
{
    const QImage indexed = frame.convertToFormat(QImage::Format_Indexed8, palette);
    std::vector<uint8_t> pixels;
    pixels.reserve(size_t(frame.width()) * frame.height());
    for (int y = 0; y < indexed.height(); ++y)
        pixels.insert(pixels.end(), indexed.constScanLine(y),
                      indexed.constScanLine(y) + indexed.width());
    return pixels;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PARAMETERS.ini OUTPUT.avi\n", argv[0]);
        return 2;
    }
    const Parameters p = readParameters(QString::fromLocal8Bit(argv[1]));
    if (p.width <= 0 || p.height <= 0 || p.frames <= 0 || p.fps <= 0 || p.lines.isEmpty()) {
        std::fprintf(stderr, "%s: incomplete clip parameters\n", argv[1]);
        return 1;
    }

    const QList<QRgb> palette = makePalette(p.background);
    const QList<QPainterPath> lines = wordsPaths(p);
    AviStream stream;
    stream.width = p.width;
    stream.height = p.height;
    stream.framesPerSecond = uint32_t(p.fps);
    for (int i = 0; i < palette.size(); ++i)
        stream.palette[i] = palette[i] & 0xffffff;
    for (int k = 0; k < p.frames; ++k) {
        const double angle = 2 * std::numbers::pi * k / p.frames;
        stream.chunks.push_back(
            encodeRle8(indices(renderFrame(p, lines, angle), palette), p.width, p.height));
    }

    const std::vector<uint8_t> avi = writeAvi(stream);
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(reinterpret_cast<const char *>(avi.data()),
                                                     qint64(avi.size())) != qint64(avi.size())) {
        std::fprintf(stderr, "%s: cannot write the clip\n", argv[2]);
        return 1;
    }
    return 0;
}
