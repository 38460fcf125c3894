// Resident memory over long play: games between two people on the real window with the real
// game behind it, each with many refusal boxes, as a player who plays all evening. Prints the
// resident memory after 10, 100 and 1,000 games (or TORVANE_GAMES).
//
//   torvane-long-play [REFUSALS_PER_GAME]     (default 40; run it under X to see X's cost)
#include <malloc.h>

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "app/wiring.h"
#include "play/state.h"
#include "ui/geometry.h"
#include "ui/qt/canvas.h"
#include "ui/qt/fonts.h"
#include "ui/qt/main_window.h"
#include "ui/qt/memory.h"
#include "ui/qt/translations.h"

namespace {

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return 0;
}

// Every box is answered with its default button as soon as it shows.
class Answerer : public QObject {
public:
    long boxes = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                ++boxes;
                QTimer::singleShot(0, box, [box] {
                    if (QAbstractButton* b = box->defaultButton()) b->click();
                });
            }
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    returnLargeBuffersToTheSystem();
    QApplication app(argc, argv);
    installJapaneseQtTexts(app);
    useInterfaceFont();
    const int refusals = argc > 1 ? std::atoi(argv[1]) : 40;
    const char* games = std::getenv("TORVANE_GAMES");
    const int last = games ? std::atoi(games) : 1000;

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    Answerer answerer;
    app.installEventFilter(&answerer);
    MainWindow window;
    auto state = std::make_unique<State>(window);
    State& s = *state;
    window.setHandlers(gameHandlers(s));
    window.run([&s] { Form_Load(s); });
    window.show();
    window.resize(983, 756);
    QCoreApplication::processEvents();

    CanvasWidget* canvas = window.canvas();
    auto click = [&](int x, int y) {
        const QPointF twips(cellMiddleX(x), cellMiddleY(y));
        QTest::mouseClick(canvas, Qt::LeftButton, {}, canvas->toPixels(twips).toPoint());
    };
    std::printf("%d refusal boxes a game; resident memory at the start %.1f MB\n", refusals,
                residentKb() / 1024.0);
    std::fflush(stdout);
    for (int game = 1; game <= last; ++game) {
        window.action("START")->trigger();  // 対局(人間) → スタート: "先手の番です"
        for (int i = 0; i < refusals; ++i) window.action("AFTER")->trigger();  // "できません"
        // Nine pawns of each side one square forward, the pieces behind them following.
        for (int x = 1; x <= 9; ++x) {
            click(x, 7), click(x, 6);
            click(x, 3), click(x, 4);
        }
        if (game == 10 || game == 100 || game == 1000 || game == last) {
            const struct mallinfo2 heap = mallinfo2();
            std::printf(
                "after %4d games (%ld boxes, %d moves in the last): %.1f MB resident, "
                "%.1f MB of it taken on the heap\n",
                game, answerer.boxes, s.game.TESU(), residentKb() / 1024.0,
                (heap.uordblks + heap.hblkhd) / 1048576.0);
            std::fflush(stdout);
        }
    }
    return 0;
}
