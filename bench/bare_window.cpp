// The reference for the game's start-up time and memory: a bare Qt Widgets window, a main
// window with a menu bar and an empty central widget of the game's canvas size, placed the
// way the game places its window. Measured by bench/startup.sh from outside, exactly as the
// game is.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <algorithm>
#include <cmath>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("torvane-bare-window"));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    for (const char* title : {"File", "Edit", "View", "Help"})
        window.menuBar()->addMenu(QString::fromLatin1(title))->addAction(QStringLiteral("Item"));
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);

    // The game's window: a 9600 × 7200 twip canvas (15 twips a pixel at scale 1) in a
    // 9700 × 8000 twip frame, scaled to 80 % of the screen.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const double scale = std::max(0.25, std::min(0.8 * area.height() / (8000 / 15.0),
                                                     0.8 * area.width() / (9700 / 15.0)));
        window.resize(int(std::lround(9600 * scale / 15)),
                      int(std::lround(7200 * scale / 15)) + window.menuBar()->sizeHint().height());
        window.move(area.topLeft());
    }
    window.show();
    return QApplication::exec();
}
