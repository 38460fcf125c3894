// Renders every picture of the game onto sheets, at the window's natural size and at twice it,
// plus a mock of the whole window, so the artwork can be judged by eye; then times a full redraw.
//
//   torvane-art-preview [output directory]     (default: art-preview)

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ui/geometry.h"
#include "ui/qt/artwork.h"

namespace {

// The canvas is in twips; the window shows 15 twips per pixel at scale 1.
constexpr double TWIPS_PER_PIXEL = 15;
const QColor GREEN(0, 128, 0);  // colour 2, the square outlines

QRectF cellAt(double x, double y) { return QRectF(x * CELL_W, y * CELL_H, CELL_W, CELL_H); }

void outline(QPainter& p, double x, double y) {
    p.save();
    p.setPen(QPen(GREEN, 0));  // cosmetic: one device pixel wide, as the game's outlines
    p.setBrush(Qt::NoBrush);
    p.drawRect(cellAt(x, y));
    p.restore();
}

void caption(QPainter& p, double x, double y, const QString& text) {
    p.save();
    QFont f;
    f.setPixelSize(150);  // in twips: 10 pixels at scale 1
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QPointF(x * CELL_W, y * CELL_H), text);
    p.restore();
}

const std::vector<int> MAN_PIECES = {-10, -11, -20, -21, -30, -31, -40,
                                     -41, -50, -60, -61, -70, -71, -80};

QImage sheet(double scale) {
    const double cols = 19, rows = 13;
    QImage img(int(cols * CELL_W * scale / TWIPS_PER_PIXEL),
               int(rows * CELL_H * scale / TWIPS_PER_PIXEL), QImage::Format_RGB32);
    img.fill(QColor(0xF4, 0xF1, 0xEA));
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale / TWIPS_PER_PIXEL, scale / TWIPS_PER_PIXEL);
    p.translate(CELL_W * 0.5, CELL_H * 0.2);

    caption(p, 0, 0.35, QStringLiteral("empty, MAN pieces (up), COM pieces (down)"));
    paintPicture(p, 0, cellAt(0, 0.5));
    outline(p, 0, 0.5);
    for (std::size_t i = 0; i < MAN_PIECES.size(); ++i) {
        const double x = 1.2 + double(i);
        paintPicture(p, MAN_PIECES[i], cellAt(x, 0.5));
        outline(p, x, 0.5);
        paintPicture(p, -MAN_PIECES[i], cellAt(x, 1.5));
        outline(p, x, 1.5);
    }

    caption(p, 0, 2.95,
            QStringLiteral("tiles 5 green, 6 tatami, 7 bamboo, 8 space, 9 brick (3 x 3 each)"));
    for (int t = 0; t < 5; ++t)
        for (int dx = 0; dx < 3; ++dx)
            for (int dy = 0; dy < 3; ++dy) paintPicture(p, 5 + t, cellAt(t * 3.5 + dx, 3.1 + dy));

    caption(p, 0, 6.45, QStringLiteral("title over each tile"));
    for (int t = 0; t < 5; ++t) {
        const double x0 = (t % 3) * 5.8, y0 = 6.6 + (t / 3) * 1.4;
        for (int dx = 0; dx < 5; ++dx) paintPicture(p, 5 + t, cellAt(x0 + dx, y0));
        paintPicture(p, -3, cellAt(x0 + 0.8, y0));
    }

    caption(p, 0, 9.45, QStringLiteral("a corner of the board, pieces on the stand"));
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 3; ++y) {
            static const int corner[3][6] = {
                {20, 30, 40, 50, 80, 50}, {0, 70, 0, 0, 0, 0}, {10, 10, -11, 10, 10, 10}};
            paintPicture(p, corner[y][x], cellAt(x, 9.55 + y));
            outline(p, x, 9.55 + y);
        }
    for (int x = 0; x < 3; ++x) paintPicture(p, 5, cellAt(6 + x, 9.55));
    for (int y = 0; y < 3; ++y) {
        paintPicture(p, 5, cellAt(6, 9.55 + y));
        paintPicture(p, 5, cellAt(8, 9.55 + y));
        paintPicture(p, y == 1 ? 0 : -(y + 1) * 10, cellAt(7, 9.55 + y));
        outline(p, 7, 9.55 + y);
    }
    return img;
}

// The whole window as the game draws it, with the opening position and a few pieces in hand.
QImage board(double scale, int tile) {
    const double left = -3, right = 15.6, top = -2, bottom = 11.2;
    const double pxPerTwip = scale / TWIPS_PER_PIXEL;
    QImage img(int((right - left) * CELL_W * pxPerTwip), int((bottom - top) * CELL_H * pxPerTwip),
               QImage::Format_RGB32);
    img.fill(GREEN);
    QPainter p(&img);
    p.scale(pxPerTwip, pxPerTwip);
    p.translate(-left * CELL_W, -top * CELL_H);
    for (int x = -3; x <= 28; ++x)
        for (int y = -2; y <= 17; ++y)
            if (!(x >= 1 && x <= 9 && y >= 1 && y <= 9)) paintPicture(p, tile, cellAt(x, y));
    static const int opening[9][9] = {{20, 30, 40, 50, 80, 50, 40, 30, 20},
                                      {0, 70, 0, 0, 0, 0, 0, 60, 0},
                                      {10, 10, 10, 10, 10, 10, 10, 10, 10},
                                      {0, 0, 0, 0, 0, 0, 0, 0, 0},
                                      {0, 0, 0, 0, 0, 0, 0, 0, 0},
                                      {0, 0, -11, 0, 0, 0, 0, 0, 0},
                                      {-10, -10, 0, -10, -10, -10, -10, -10, -10},
                                      {0, -60, 0, 0, 0, 0, 0, -71, 0},
                                      {-20, -30, -40, -50, -80, -50, -40, -30, -20}};
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            paintPicture(p, opening[y - 1][x - 1], cellAt(x, y));
            outline(p, x, y);
        }
    // The stands from the top down: COM's from the rook, MAN's from the pawn.
    for (int k = SYA; k >= HU; --k) {
        const Cell com = standCell(Side::COM, k);
        paintPicture(p, k == HU ? comCode(k) : 0, cellAt(com.x, com.y));
        outline(p, com.x, com.y);
    }
    for (int k = HU; k <= SYA; ++k) {
        const Cell man = standCell(Side::MAN, k);
        paintPicture(p, k == 1 || k == 4 ? manCode(k) : 0, cellAt(man.x, man.y));
        outline(p, man.x, man.y);
    }
    paintPicture(p, -3, cellAt(10.8, 0));
    return img;
}

bool save(const QImage& img, const QString& path) {
    if (img.save(path)) {
        std::printf("wrote %s\n", qPrintable(path));
        return true;
    }
    std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    return false;
}

// A full redraw paints about 700 cells: every background cell, the board and the two stands.
double redrawMilliseconds(double scale, int rounds) {
    QImage canvas(int(16 * CELL_W * scale / TWIPS_PER_PIXEL),
                  int(12 * CELL_H * scale / TWIPS_PER_PIXEL), QImage::Format_RGB32);
    QPainter p(&canvas);
    p.scale(scale / TWIPS_PER_PIXEL, scale / TWIPS_PER_PIXEL);
    QElapsedTimer clock;
    clock.start();
    for (int r = 0; r < rounds; ++r) {
        for (int x = -3; x <= 28; ++x)
            for (int y = -2; y <= 17; ++y)
                if (!(x >= 1 && x <= 9 && y >= 1 && y <= 9))
                    paintPicture(p, 5, QRectF(セル左(x), セル上(y), CELL_W, CELL_H));
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                paintPicture(p, (x + y) % 3 == 0 ? -10 : 0,
                             QRectF(セル左(x), セル上(y), CELL_W, CELL_H));
        for (int k = 1; k <= 7; ++k) {
            const Cell com = standCell(Side::COM, k), man = standCell(Side::MAN, k);
            paintPicture(p, 10 * k, QRectF(セル左(com.x), セル上(com.y), CELL_W, CELL_H));
            paintPicture(p, -10 * k, QRectF(セル左(man.x), セル上(man.y), CELL_W, CELL_H));
        }
        paintPicture(p, -3, QRectF(セル左(10.8), セル上(0), CELL_W, CELL_H));
    }
    return clock.nsecsElapsed() / 1e6 / rounds;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("art-preview");
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "could not create the directory %s\n", qPrintable(dir));
        return 1;
    }
    bool ok = true;
    for (int scale : {1, 2}) {
        ok &= save(sheet(scale), QStringLiteral("%1/art-sheet-%2x.png").arg(dir).arg(scale));
        ok &= save(board(scale, 5), QStringLiteral("%1/art-board-%2x.png").arg(dir).arg(scale));
    }
    for (int tile = 6; tile <= 9; ++tile)
        ok &= save(board(1, tile), QStringLiteral("%1/art-board-tile%2-1x.png").arg(dir).arg(tile));

    clearArtworkCache();
    const double first = redrawMilliseconds(2, 1);
    const double kept = redrawMilliseconds(2, 50);
    std::printf(
        "full redraw at scale 2 (about 700 cells): %.2f ms drawing every picture, %.3f ms kept\n",
        first, kept);
    return ok ? 0 : 1;
}
