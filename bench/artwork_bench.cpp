// The cost of a full redraw of the window's pictures: about 700 cells at scale 2.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>

#include "ui/geometry.h"
#include "ui/qt/artwork.h"

namespace {

QRectF cell(double x, double y) { return QRectF(セル左(x), セル上(y), CELL_W, CELL_H); }
QRectF cell(Cell c) { return cell(c.x, c.y); }

void redraw(QPainter& p) {
    for (int x = -3; x <= 28; ++x)
        for (int y = -2; y <= 17; ++y)
            if (!(x >= 1 && x <= 9 && y >= 1 && y <= 9)) paintPicture(p, 9, cell(x, y));
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) paintPicture(p, y == 3 ? 10 : y == 7 ? -10 : 0, cell(x, y));
    for (int k = 1; k <= 7; ++k) {
        paintPicture(p, 10 * k, cell(standCell(Side::COM, k)));
        paintPicture(p, -10 * k, cell(standCell(Side::MAN, k)));
    }
    paintPicture(p, -3, cell(10.8, 0));
}

// The window at scale 2: 15 twips per pixel, doubled.
void FullRedrawKept(benchmark::State& state) {
    QImage canvas(2 * 16 * 33, 2 * 12 * 41, QImage::Format_RGB32);
    QPainter p(&canvas);
    p.scale(2.0 / 15, 2.0 / 15);
    redraw(p);
    for (auto _ : state) redraw(p);
}
BENCHMARK(FullRedrawKept)->Unit(benchmark::kMicrosecond);

// The first redraw after a resize draws every picture afresh.
void FullRedrawFresh(benchmark::State& state) {
    QImage canvas(2 * 16 * 33, 2 * 12 * 41, QImage::Format_RGB32);
    QPainter p(&canvas);
    p.scale(2.0 / 15, 2.0 / 15);
    for (auto _ : state) {
        clearArtworkCache();
        redraw(p);
    }
}
BENCHMARK(FullRedrawFresh)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
