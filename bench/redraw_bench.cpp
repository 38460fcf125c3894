// A full 画面_再描画 of the real window, offscreen: the drawing calls, then the canvas painting
// them on the flush that follows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "play/screen.h"
#include "play/state.h"
#include "play/window_events.h"
#include "ui/drawing.h"
#include "ui/qt/artwork.h"
#include "ui/qt/canvas.h"
#include "ui/qt/main_window.h"
#include "ui/qt/sound_backend.h"

namespace {

// A sound device that takes everything and plays nothing, so start-up shows no warning.
class SilentSound final : public SoundBackend {
public:
    int initialize(long) override { return 1; }
    int createBuffer(int, std::string_view, int) override { return ++buffers_; }
    void play(int) override {}
    void loop(int) override {}
    void stop(int) override {}
    void free(int) override {}
    void terminate(int) override {}

private:
    int buffers_ = 0;
};

// The game's window after start-up, its canvas at 640 × 480 pixels per scale step.
struct Game {
    QTemporaryDir dir;  // start-up writes the settings file here
    SilentSound sound;
    MainWindow window{&sound};
    std::unique_ptr<State> state = std::make_unique<State>(window);

    Game() {
        std::filesystem::current_path(dir.path().toStdString());
        State& s = *state;
        window.run([&s] { Form_Load(s); });
        window.show();
        QCoreApplication::processEvents();
    }

    void setScale(int scale) {
        const QSize want(640 * scale, 480 * scale);
        CanvasWidget& canvas = *window.canvas();
        for (int i = 0; i < 20 && canvas.size() != want; ++i) {
            window.resize(window.size() + want - canvas.size());
            QCoreApplication::processEvents();
        }
        window.flush();
    }

    void redraw() {
        State& s = *state;
        画面_再描画(s.canvas, s.pos, s.game, s.clock, s.analysis.LEVEL_NO);
        window.flush();
    }
};

// Made on first use, gone before the application is.
std::unique_ptr<Game>& gameSlot() {
    static std::unique_ptr<Game> g;
    return g;
}

Game& game() {
    if (!gameSlot()) gameSlot() = std::make_unique<Game>();
    return *gameSlot();
}

void FullRedraw(benchmark::State& st) {
    Game& g = game();
    g.setScale(int(st.range(0)));
    if (g.window.canvas()->scale() != double(st.range(0))) {
        st.SkipWithError("the canvas could not be given the scale");
        return;
    }
    g.redraw();
    for (auto _ : st) g.redraw();
}
// The best of the repetitions: other work on the machine only ever adds to a run's time.
double best(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

BENCHMARK(FullRedraw)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", best);

// The first full redraw at a new size, when every picture is drawn afresh.
void FullRedrawFreshPictures(benchmark::State& st) {
    Game& g = game();
    g.setScale(int(st.range(0)));
    for (auto _ : st) {
        clearArtworkCache();
        g.redraw();
    }
}
BENCHMARK(FullRedrawFreshPictures)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", best);

}  // namespace

int main(int argc, char** argv) {
    // The platform is chosen before the application exists.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gameSlot().reset();
    return 0;
}
