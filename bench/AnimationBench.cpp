// SPDX-License-Identifier: GPL-3.0-or-later
// What the victory clip costs: the share of one core the whole process uses over a few
// seconds of wall time while the clip plays, once it is stopped, and while it is hidden.
// Run with QT_QPA_PLATFORM=offscreen for our own painting alone, or under a real X
// server to include handing the frames over.
#include "animation/AnimationWidget.h"
#include "animation/CAnimate.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void runEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

enum class ClipState { Playing, Stopped, Hidden };

void VictoryClipCpu(benchmark::State &state)
{
    const auto clipState = ClipState(state.range(0));
    QWidget table;
    table.resize(627, 431);
    table.show();
    CAnimate animate;
    animate.setParent(hWndOf(&table));
    animate.Move(153.5, 20);
    animate.setCenter(false);
    animate.setTransparent(false);
    animate.setResourceID(102);
    if (clipState == ClipState::Stopped)
        animate.AniStop();
    if (clipState == ClipState::Hidden)
        animate.setVisible(false);
    runEventsFor(300); // let start-up painting settle

    const auto *widget = qobject_cast<AnimationWidget *>(windowFromHandle(animate.hwnd()));
    int frames = 0;
    QObject::connect(widget->findChild<QTimer *>(), &QTimer::timeout, [&frames] { ++frames; });
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        const double cpuBefore = processCpuSeconds();
        QElapsedTimer clock;
        clock.start();
        runEventsFor(int(state.range(1)));
        wall += double(clock.nsecsElapsed()) / 1e9;
        cpu += processCpuSeconds() - cpuBefore;
    }
    state.counters["cpu_percent_of_a_core"] = 100 * cpu / wall;
    state.counters["frames_per_second"] = frames / wall;
}

} // namespace

BENCHMARK(VictoryClipCpu)
    ->ArgNames({"state", "ms"})
    ->Args({int(ClipState::Playing), 5000})
    ->Args({int(ClipState::Stopped), 3000})
    ->Args({int(ClipState::Hidden), 3000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
