#include "app/bench_hooks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/first_paint.h"
#include "core/constants.h"
#include "core/moves.h"
#include "core/rules.h"
#include "play/state.h"
#include "play/clock.h"
#include "ui/qt/canvas.h"
#include "ui/qt/main_window.h"

namespace {

struct Click {
    int fx, fy, tx, ty, button;
};

// Clicks with both buttons as the player's hand would: press and release on the canvas.
void click(MainWindow& w, int x, int y, int button) {
    CanvasWidget* canvas = w.canvas();
    const QPointF local = canvas->toPixels(QPointF(1050 + 495 * (x + 0.5), 100 + 615 * (y + 0.5)));
    const QPointF global = canvas->mapToGlobal(local);
    const Qt::MouseButton b = button == 2 ? Qt::RightButton : Qt::LeftButton;
    QMouseEvent press(QEvent::MouseButtonPress, local, global, b, b, Qt::NoModifier);
    QApplication::sendEvent(canvas, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, b, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &release);
}

// The clicks of every legal move of the side to move, judged as the clicks themselves are
// judged. Taking a king would end the game, so those come only when nothing else is left.
std::vector<Click> legalClicks(State& s, std::uint64_t& rng) {
    const bool bottom = s.game.TEBAN() == s.game.TEBAN_MAN();
    std::vector<Click> moves, kingTakes;
    調査_2歩フラグ設定(s.pos);
    auto consider = [&](int fx, int fy, int code) {
        for (int tx = 1; tx <= 9; ++tx)
            for (int ty = 1; ty <= 9; ++ty) {
                if (移動チェック(s.pos, fx, fy, tx, ty, code) != ON) continue;
                const bool may = onBoard(fx, fy) && 調査_駒成(fx, fy, tx, ty, code).may;
                const bool must = 移動後チェック(ty, code) == OFF;
                rng = rng * 6364136223846793005ull + 1442695040888963407ull;
                const int button = must || (may && (rng >> 40) % 2 == 0) ? 2 : 1;
                const int target = s.pos.BAN[tx][ty];
                (target == COM_OU || target == MAN_OU ? kingTakes : moves)
                    .push_back({fx, fy, tx, ty, button});
            }
    };
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int code = s.pos.BAN[x][y];
            if (bottom ? code <= -10 : code >= 10) consider(x, y, code);
        }
    for (int k = HU; k <= SYA; ++k) {
        if (bottom && s.pos.MOCHI_MAN[k] > 0) consider(MAN_DROP_X, k + 2, -10 * k);
        if (!bottom && s.pos.MOCHI_COM[k] > 0) consider(COM_DROP_X, 8 - k, 10 * k);
    }
    return moves.empty() ? kingTakes : moves;
}

// Presses the default button of any message box that comes up.
void answerBoxes(QObject* owner) {
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            if (QAbstractButton* b = box->defaultButton()) b->click();
    });
    timer->start(10);
}

void selfPlay(MainWindow& w, State& s, int count) {
    answerBoxes(&w);
    const auto start = std::chrono::steady_clock::now();
    // The menu item a person would choose: 対局(人間) → スタート.
    w.action("START")->trigger();
    std::uint64_t rng = 20240601;
    int played = 0;
    while (played < count && s.game.SHOUHAI() == 0) {
        std::vector<Click> moves = legalClicks(s, rng);
        if (moves.empty()) break;
        rng = rng * 6364136223846793005ull + 1442695040888963407ull;
        const Click& m = moves[(rng >> 33) % moves.size()];
        const int before = s.game.TESU();
        click(w, m.fx, m.fy, 1);
        click(w, m.tx, m.ty, m.button);
        QCoreApplication::processEvents();
        if (s.game.TESU() != before + 1) {
            std::fprintf(stderr, "self-play: the move %d %d %d %d was not taken\n", m.fx, m.fy,
                         m.tx, m.ty);
            break;
        }
        ++played;
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("selfplay_moves=%d selfplay_ms=%.0f rss_kb=%ld\n", played, ms,
                first_paint::residentKb());
    std::fflush(stdout);
    // TORVANE_SELFPLAY_SHOT=file.png keeps a picture of the final position.
    if (const char* shot = std::getenv("TORVANE_SELFPLAY_SHOT"); shot && *shot)
        w.grab().save(QString::fromLocal8Bit(shot));
    std::_Exit(played == count ? 0 : 1);
}

void benchWait(MainWindow& w, State& s, double seconds) {
    const double cpu = first_paint::processorMs();
    const auto start = std::chrono::steady_clock::now();
    w.run([&] { 待ち時間(s, seconds); });
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("wait_s=%.3f wait_cpu_ms=%.2f\n", wall, first_paint::processorMs() - cpu);
    std::fflush(stdout);
    std::_Exit(0);
}

}  // namespace

void startBenchHooks(MainWindow& window, State& s) {
    if (first_paint::exitRequested()) {
        first_paint::exitAfterFirstPaint(window.canvas());
        return;
    }
    if (const char* n = std::getenv("TORVANE_SELFPLAY"); n && std::atoi(n) > 0) {
        const int count = std::atoi(n);
        new first_paint::Watch(window.canvas(),
                               [&window, &s, count] { selfPlay(window, s, count); });
        return;
    }
    if (const char* w = std::getenv("TORVANE_BENCH_WAIT"); w && std::atof(w) > 0) {
        const double seconds = std::atof(w);
        new first_paint::Watch(window.canvas(),
                               [&window, &s, seconds] { benchWait(window, s, seconds); });
    }
}
