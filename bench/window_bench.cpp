// The game's window as the program builds it, driven from inside for what cannot be seen from
// outside (bench/startup.sh measures the start-up of the real program):
//   torvane-window-bench selfplay N [SHOT.png]  once shown, a two-person game of N moves by
//                                               clicks on the canvas; prints the resident memory
//   torvane-window-bench wait S                 once shown, the game's wait of S seconds; prints
//                                               the processor time it used
// Run in a play directory (wave files, settings), like the game.
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
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "app/wiring.h"
#include "core/constants.h"
#include "core/legal_moves.h"
#include "core/moves.h"
#include "core/rules.h"
#include "play/clock.h"
#include "play/places.h"
#include "play/state.h"
#include "ui/geometry.h"
#include "ui/qt/canvas.h"
#include "ui/qt/fonts.h"
#include "ui/qt/main_window.h"
#include "ui/qt/memory.h"
#include "ui/qt/translations.h"
#ifdef TORVANE_SOUND_LIBRARY
#include "app/library_sound.h"
#endif

namespace {

long residentKb() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

double processorMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

#include "ui/qt/main_window.h"

struct Click {
    int fx, fy, tx, ty, button;
};

// Clicks with both buttons as the player's hand would: press and release on the canvas.
void click(MainWindow& w, int x, int y, int button) {
    CanvasWidget* canvas = w.canvas();
    const QPointF local = canvas->toPixels(QPointF(cellMiddleX(x), cellMiddleY(y)));
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
    const bool bottom = s.game.mover() == Side::MAN;
    std::vector<Click> moves, kingTakes;
    調査_2歩フラグ設定(s.pos);
    forEachLegalMove(s.pos, bottom ? Side::MAN : Side::COM, [&](const Move& m) {
        // A promotion the piece may decline is taken half the time.
        rng = rng * 6364136223846793005ull + 1442695040888963407ull;
        if (m.promote && 移動後チェック(m.ty, m.piece()) == ON && (rng >> 40) % 2 == 1)
            return false;
        const int target = s.pos.board()[m.tx][m.ty];
        const int row = m.isDrop() && !bottom ? standCell(Side::COM, m.fy).y : m.fy;
        (target == COM_OU || target == MAN_OU ? kingTakes : moves)
            .push_back({m.fx, row, m.tx, m.ty, m.promote ? 2 : 1});
        return false;
    });
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

void selfPlay(MainWindow& w, State& s, int count, const QString& shot) {
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
    std::printf("selfplay_moves=%d selfplay_ms=%.0f rss_kb=%ld\n", played, ms, residentKb());
    std::fflush(stdout);
    if (!shot.isEmpty()) w.grab().save(shot);
    std::_Exit(played == count ? 0 : 1);
}

void benchWait(MainWindow& w, State& s, double seconds) {
    const double cpu = processorMs();
    const auto start = std::chrono::steady_clock::now();
    w.run([&] { 待ち時間(s.timer, seconds); });
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("wait_s=%.3f wait_cpu_ms=%.2f\n", wall, processorMs() - cpu);
    std::fflush(stdout);
    std::_Exit(0);
}

// Calls `then` once, right after the widget's first paint has been put on the screen.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget* widget, std::function<void()> then)
        : QObject(widget), then_(std::move(then)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued: the window flushes the frame once every widget of it is painted.
            QTimer::singleShot(0, this, then_);
        }
        return false;
    }

private:
    std::function<void()> then_;
};

}  // namespace

int main(int argc, char** argv) {
    // The program's own set-up of the heap, the fonts and Qt's texts, as main() does it.
    returnLargeBuffersToTheSystem();
    QApplication app(argc, argv);
    useInterfaceFont();
    installJapaneseQtTexts(app);
    const QStringList args = QApplication::arguments();
    const QString mode = args.value(1);
    const double amount = args.value(2).toDouble();
    if ((mode != QLatin1String("selfplay") && mode != QLatin1String("wait")) || !(amount > 0)) {
        std::fprintf(stderr, "usage: %s selfplay N [SHOT.png] | wait SECONDS\n", argv[0]);
        return 2;
    }
#ifdef TORVANE_SOUND_LIBRARY
    LibrarySound sound;
    MainWindow window(&sound);
#else
    MainWindow window;
#endif
    auto state = std::make_unique<State>(window);
    State& s = *state;
    s.places = placesFor(QCoreApplication::applicationFilePath().toStdString(), processEnvironment);
    window.setHandlers(gameHandlers(s));
    window.run([&s] { Form_Load(s); });
    if (window.quitting()) return 1;
    if (mode == QLatin1String("selfplay"))
        new FirstPaint(window.canvas(), [&window, &s, n = int(amount), shot = args.value(3)] {
            selfPlay(window, s, n, shot);
        });
    else
        new FirstPaint(window.canvas(), [&window, &s, amount] { benchWait(window, s, amount); });
    window.show();
    return QApplication::exec();
}
