// SPDX-License-Identifier: GPL-3.0-or-later
// How long one card takes to draw onto a picture at 1x and 2x: a deal draws about
// sixty of them at once. Backs are drawn once for each ratio and copied after, so
// their figure is mostly the copy.
#include "cards/DrawingSurface.h"
#include "cards/cdt.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

namespace {

void drawCards(benchmark::State &state, int32_t first, int32_t count, int32_t mode)
{
    const qreal ratio = state.range(0);
    QImage image(QSize(71, 96) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    ImageSurface surface(&image);
    int32_t card = 0;
    for (auto _ : state) {
        cdtDraw(surface.hDC(), 0, 0, first + card, mode, 0);
        card = (card + 1) % count;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_PipCards(benchmark::State &state)
{
    drawCards(state, 0, 40, mdFaceUp);
}
void BM_CourtCards(benchmark::State &state)
{
    drawCards(state, 40, 12, mdFaceUp);
}
void BM_Backs(benchmark::State &state)
{
    drawCards(state, 54, 12, mdFaceDown);
}

BENCHMARK(BM_PipCards)->Arg(1)->Arg(2);
BENCHMARK(BM_CourtCards)->Arg(1)->Arg(2);
BENCHMARK(BM_Backs)->Arg(1)->Arg(2);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
