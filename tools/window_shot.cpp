// The picture of the window on the help page, taken from the real window offscreen at build
// time so that it never shows an older window: a game against COM a few moves in, a piece
// selected with move guidance, and numbered marks that the help page's legend explains.
//
//   torvane-window-shot OUT.png [LANGUAGE CATALOGUE_DIR]
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/wiring.h"
#include "play/window_events.h"
#include "play/state.h"
#include "ui/geometry.h"
#include "ui/qt/canvas.h"
#include "ui/qt/interface_language.h"
#include "ui/qt/main_window.h"
#include "ui/qt/sound_backend.h"

namespace {

// Sound that plays nothing, so start-up finds a device and asks nothing.
class Mute final : public SoundBackend {
public:
    int initialize(long) override { return 1; }
    int createBuffer(int, std::string_view, int) override { return 1; }
    void play(int) override {}
    void loop(int) override {}
    void stop(int) override {}
    void free(int) override {}
    void terminate(int) override {}
};

// The animations' waits cut to nothing: the picture needs their end, not their time.
class ShotWindow final : public MainWindow {
public:
    using MainWindow::MainWindow;
    void wait(double) override { MainWindow::wait(0); }
};

// A numbered mark at a cell (x, y) of the canvas; 0 stands for the menu bar.
struct Mark {
    int number;
    double x, y;
};
// The help page's legend lists these numbers in this order.
constexpr Mark MARKS[] = {
    {1, 0, 0},        // menu bar
    {2, -2.6, 0.2},   // COM's strength level
    {3, -0.6, 2.5},   // COM's stand
    {4, 5, 0.15},     // file numbers above the board
    {5, 10.2, 5},     // rank numbers beside the board
    {6, 11.4, 6},     // MAN's stand
    {7, 14.3, 3.4},   // move counter
    {8, 14.3, 2.4},   // MAN's last move
    {9, -2.5, 8.6},   // COM's last move
    {10, -2.5, 9.6},  // COM's clock
    {11, 15.4, 9.6},  // MAN's clock
    {12, 2.1, 8.1},   // the selected piece (red)
    {13, 4.1, 6.1},   // guidance: where it may go (white)
};

QPoint cellPoint(ShotWindow& window, double x, double y) {
    CanvasWidget* canvas = window.canvas();
    const QPointF px = canvas->toPixels(QPointF(セル左(x), セル上(y)));
    return canvas->mapTo(&window, px.toPoint());
}

void drawMark(QPainter& p, QPoint at, int number) {
    const int r = 9;
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(255, 214, 0));
    p.drawEllipse(at, r, r);
    QFont f = p.font();
    f.setPixelSize(number < 10 ? 13 : 11);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(at.x() - r, at.y() - r, 2 * r, 2 * r), Qt::AlignCenter,
               QString::number(number));
}

void click(ShotWindow& window, double x, double y) {
    // The centre of the cell, as a player clicks it.
    window.canvas()->onPress(1, cellMiddleX(x), cellMiddleY(y));
    QCoreApplication::processEvents();
}

void choose(ShotWindow& window, const char* control) {
    if (QAction* a = window.action(control)) a->trigger();
    QCoreApplication::processEvents();
}

// The offscreen platform names every window feature it lacks; the build log need not.
void quiet(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg || type == QtInfoMsg || type == QtDebugMsg) return;
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: torvane-window-shot OUT.png [LANGUAGE CATALOGUE_DIR]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    QApplication app(argc, argv);
    const QString out = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1]));
    // The window in another language, for the help page in that language.
    if (argc == 4 && installInterfaceLanguage(app, QString::fromLocal8Bit(argv[3]),
                                              {QString::fromLocal8Bit(argv[2])}) !=
                         QString::fromLocal8Bit(argv[2])) {
        std::fprintf(stderr, "torvane-window-shot: no catalogue for %s in %s\n", argv[2], argv[3]);
        return 1;
    }
    // The game writes its settings file where it starts: somewhere that goes away.
    QTemporaryDir work;
    if (!work.isValid() || !QDir::setCurrent(work.path())) {
        std::fprintf(stderr, "torvane-window-shot: no temporary directory\n");
        return 1;
    }
    // Message boxes ("MANの番です" at the start) are answered, so the build never waits on one.
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            if (QAbstractButton* b = box->defaultButton()) b->click();
    });
    answerer.start(50);

    Mute sound;
    ShotWindow window(&sound);
    auto state = std::make_unique<State>(window);
    window.setHandlers(gameHandlers(*state));
    window.run([&] { Form_Load(*state); });
    window.show();
    // The canvas at its design size, as the game first opens on a screen of any size.
    const QSize design(int(CanvasWidget::DESIGN_WIDTH / 15), int(CanvasWidget::DESIGN_HEIGHT / 15));
    for (int i = 0; i < 20 && window.canvas()->size() != design; ++i) {
        window.resize(window.size() + design - window.canvas()->size());
        QCoreApplication::processEvents();
    }

    // A game against COM: two moves each, then a piece chosen with guidance on.
    choose(window, "SENTE");
    click(window, 3, 7);  // the pawn before the bishop...
    click(window, 3, 6);  // ...one square forward; COM answers
    click(window, 7, 7);
    click(window, 7, 6);
    choose(window, "SIDOU");
    click(window, 2, 8);  // the bishop, its diagonal now open
    window.flush();
    QCoreApplication::processEvents();

    QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QPainter p(&shot);
    p.setRenderHint(QPainter::Antialiasing);
    for (const Mark& m : MARKS) {
        QPoint at = cellPoint(window, m.x, m.y);
        if (m.number == 1) {
            // Right of the last menu title.
            QMenuBar* bar = window.menuBar();
            const QRect last = bar->actionGeometry(bar->actions().constLast());
            at = bar->mapTo(&window, QPoint(last.right() + 14, last.center().y()));
        }
        drawMark(p, at, m.number);
    }
    p.end();
    if (!shot.save(out, "PNG")) {
        std::fprintf(stderr, "torvane-window-shot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
