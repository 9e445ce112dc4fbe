// SPDX-License-Identifier: GPL-3.0-or-later
// What a card drag costs on the offscreen platform: each figure is one real mouse event
// through the window, the game's handler and the repaint it causes. Run with --scale=2
// for a screen of device pixel ratio 2.
#include "game/TableSurface.h"
#include "game/frmMain.h"
#include "options/MidiPlayer.h"
#include "cards/RandomSource.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace {

class SilentPlayer : public MidiPlayer
{
public:
    QString SongFile() const override { return {}; }
    void setSongFile(const QString &) override {}
    void PlaySong() override {}
    void StopSong() override {}
};

// Always the same value: 0 keeps the deck in its fresh order, just below 1 reverses it.
class SteadyRandomSource : public RandomSource
{
public:
    explicit SteadyRandomSource(float value) : mValue(value) {}
    void Randomize() override {}
    float Rnd() override { return mValue; }

private:
    float mValue;
};

const char *gScaleLabel = "1x";

// A shown, active window with a known deal.
struct Window {
    explicit Window(float random)
    {
        setRandomSource(std::make_unique<SteadyRandomSource>(random));
        form = std::make_unique<frmMain>();
        form->show();
        form->activateWindow();
        (void)QTest::qWaitForWindowActive(form.get());
    }
    ~Window() { setRandomSource(nullptr); }
    QWindow *window() const { return form->windowHandle(); }
    // A point of the table in the window's coordinates.
    QPoint at(QPoint onTable) const { return form->table->mapTo(form.get(), onTable); }
    QPoint onTopCard(int pile) const
    {
        const PictureBox *box = form->picPile[pile];
        return at(box->pos() + QPoint(box->width() - 50, 40));
    }
    std::unique_ptr<frmMain> form;
};

void press(const Window &w, QPoint p)
{
    QTest::mousePress(w.window(), Qt::LeftButton, {}, p);
}
void release(const Window &w, QPoint p)
{
    QTest::mouseRelease(w.window(), Qt::LeftButton, {}, p);
}

void BM_DragStep(benchmark::State &state)
{
    Window w(0.0f);
    press(w, w.onTopCard(6));
    int step = 0;
    for (auto _ : state) {
        // Round and round the table, over piles, gaps and home piles.
        const int x = 40 + (step * 7) % 540;
        const int y = 30 + (step * 3) % 360;
        QTest::mouseMove(w.window(), w.at(QPoint(x, y)));
        ++step;
    }
    release(w, w.onTopCard(6));
    state.SetLabel(gScaleLabel);
}

void BM_PickUp(benchmark::State &state)
{
    Window w(0.0f);
    const QPoint top = w.onTopCard(6);
    for (auto _ : state) {
        press(w, top);
        state.PauseTiming();
        release(w, top);
        state.ResumeTiming();
    }
    state.SetLabel(gScaleLabel);
}

// The card goes back to its pile: the commonest drop.
void BM_DropBack(benchmark::State &state)
{
    Window w(0.0f);
    const QPoint top = w.onTopCard(6);
    const QPoint gap = w.at(QPoint(5, 5));
    for (auto _ : state) {
        state.PauseTiming();
        press(w, top);
        QTest::mouseMove(w.window(), gap);
        state.ResumeTiming();
        release(w, gap);
    }
    state.SetLabel(gScaleLabel);
}

// The card goes home, which also updates the deck and the caption.
void BM_DropHome(benchmark::State &state)
{
    Window w(0.99999f); // the 2 of suit 3 on top of pile 3
    const QPoint two = w.onTopCard(3);
    const QPoint home = w.at(w.form->picHome[3]->geometry().center());
    for (auto _ : state) {
        state.PauseTiming();
        press(w, two);
        QTest::mouseMove(w.window(), home);
        state.ResumeTiming();
        release(w, home);
        state.PauseTiming();
        w.form->mnuOptionsUndo->trigger();
        state.ResumeTiming();
    }
    state.SetLabel(gScaleLabel);
}

BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_PickUp)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_DropBack)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_DropHome)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--scale=2") == 0) {
            qputenv("QT_SCALE_FACTOR", "2");
            gScaleLabel = "2x";
        }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never the player's settings.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    // The offscreen platform cannot grab the pointer and says so at every pick-up.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    setMidiPlayerFactory([] { return std::make_unique<SilentPlayer>(); });
    QApplication app(argc, argv);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
