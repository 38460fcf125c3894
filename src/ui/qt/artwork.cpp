#include "ui/qt/artwork.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QHashFunctions>
#include <QImage>
#include <QLineF>
#include <QLinearGradient>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QString>
#include <QTransform>

#include <link.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <future>
#include <mutex>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

namespace {

constexpr int TITLE = -3;
constexpr double TITLE_CELLS = 3.5;
// Larger pictures are drawn at this size and scaled; nobody plays on a 2000-pixel square.
constexpr int MAX_SIDE = 2048;
// A window dragged through many sizes would otherwise keep every one of them.
constexpr std::size_t MAX_KEPT = 1024;

enum class Picture { None, Empty, Piece, Tile, Title };

Picture pictureOf(int code) {
    if (code == 0) return Picture::Empty;
    if (code == TITLE) return Picture::Title;
    if (code >= 5 && code <= 9) return Picture::Tile;
    if (code < -81 || code > 81) return Picture::None;
    const int a = code < 0 ? -code : code;
    const int kind = a / 10, promoted = a % 10;
    if (kind < 1 || kind > 8 || promoted > 1) return Picture::None;
    // Gold and king never promote, so they have no second picture.
    if (promoted == 1 && (kind == 5 || kind == 8)) return Picture::None;
    return Picture::Piece;
}

// ---------------------------------------------------------------------------------------------
// Deterministic noise: the same pixels on every run and every paint.

std::uint32_t hash32(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

double hash01(int x, int y, std::uint32_t seed) {
    const std::uint32_t h = hash32(static_cast<std::uint32_t>(x) * 0x9E3779B1U ^
                                   hash32(static_cast<std::uint32_t>(y) + seed * 0x85EBCA77U));
    return (h & 0xFFFFFF) / double(0x1000000);
}

double smooth(double t) { return t * t * (3 - 2 * t); }

// Value noise on a lattice of nx x ny points that wraps around the picture, so a tile made of it
// continues into its neighbours without a seam.
double wrappedNoise(int x, int y, int w, int h, int nx, int ny, std::uint32_t seed) {
    const double u = (x + 0.5) * nx / w, v = (y + 0.5) * ny / h;
    const int i0 = static_cast<int>(std::floor(u)), j0 = static_cast<int>(std::floor(v));
    const double fu = smooth(u - i0), fv = smooth(v - j0);
    auto at = [&](int i, int j) {
        return hash01(((i % nx) + nx) % nx, ((j % ny) + ny) % ny, seed);
    };
    const double a = at(i0, j0) + (at(i0 + 1, j0) - at(i0, j0)) * fu;
    const double b = at(i0, j0 + 1) + (at(i0 + 1, j0 + 1) - at(i0, j0 + 1)) * fu;
    return a + (b - a) * fv;
}

QRgb shade(QColor c, double factor) {
    auto ch = [&](int v) { return std::clamp(static_cast<int>(std::lround(v * factor)), 0, 255); };
    return qRgb(ch(c.red()), ch(c.green()), ch(c.blue()));
}

template <typename F>
void eachPixel(QImage& img, F&& colourAt) {
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) line[x] = colourAt(x, y);
    }
}

// Scale of the drawing relative to the natural cell of 33 x 41 pixels.
double unit(const QImage& img) { return std::max(img.width() / 33.0, 0.25); }

// ---------------------------------------------------------------------------------------------
// The board square: pale kaya wood with fine vertical grain.

const QColor BOARD_WOOD(0xE2, 0xB8, 0x70);

void paintBoardWood(QImage& img) {
    const int w = img.width(), h = img.height();
    eachPixel(img, [&](int x, int y) {
        const double grain = wrappedNoise(x, y, w, h, std::max(3, w / 2), 2, 11);
        const double wave = wrappedNoise(x, y, w, h, 3, 3, 12);
        const double fine = hash01(x, y, 13);
        return shade(BOARD_WOOD, 0.965 + 0.05 * grain + 0.025 * wave + 0.012 * fine);
    });
    // The grid line of a real board; the game's own outline goes over it where it draws one.
    QPainter p(&img);
    const double line = std::max(1.0, std::round(unit(img) * 0.8));
    p.fillRect(QRectF(0, 0, w, line), QColor(0x9A, 0x6E, 0x33));
    p.fillRect(QRectF(0, 0, line, h), QColor(0x9A, 0x6E, 0x33));
}

// ---------------------------------------------------------------------------------------------
// Pieces.

struct Kanji {
    const char16_t* plain;
    const char16_t* promoted;
};
constexpr std::array<Kanji, 9> KANJI = {{{u"", u""},
                                         {u"歩", u"と"},
                                         {u"香", u"杏"},
                                         {u"桂", u"圭"},
                                         {u"銀", u"全"},
                                         {u"金", u""},
                                         {u"角", u"馬"},
                                         {u"飛", u"龍"},
                                         {u"王", u""}}};
// As on a real set the king is largest and the pawn smallest.
constexpr std::array<double, 9> PIECE_SIZE = {0, 0.86, 0.90, 0.91, 0.94, 0.95, 0.98, 0.98, 1.0};

// The five-sided outline, pointing up, in a box centred on (0, 0).
QPolygonF pieceOutline(double pw, double ph) {
    return QPolygonF({QPointF(0, -ph / 2), QPointF(pw * 0.40, -ph * 0.25), QPointF(pw / 2, ph / 2),
                      QPointF(-pw / 2, ph / 2), QPointF(-pw * 0.40, -ph * 0.25)});
}

QPointF lineCross(QPointF a1, QPointF a2, QPointF b1, QPointF b2) {
    QPointF hit;
    if (QLineF(a1, a2).intersects(QLineF(b1, b2), &hit) == QLineF::NoIntersection) return a2;
    return hit;
}

// The same convex polygon with every edge moved inwards by d.
QPolygonF inset(const QPolygonF& poly, double d) {
    const int n = poly.size();
    const QPointF middle = poly.boundingRect().center();
    std::vector<std::pair<QPointF, QPointF>> edges;
    for (int i = 0; i < n; ++i) {
        const QPointF a = poly[i], b = poly[(i + 1) % n];
        const QLineF e(a, b);
        QPointF inward(-e.dy() / e.length(), e.dx() / e.length());
        const QPointF toMiddle = middle - a;
        if (inward.x() * toMiddle.x() + inward.y() * toMiddle.y() < 0) inward = -inward;
        edges.push_back({a + inward * d, b + inward * d});
    }
    QPolygonF out;
    for (int i = 0; i < n; ++i) {
        const auto& prev = edges[(i + n - 1) % n];
        const auto& cur = edges[i];
        out << lineCross(prev.first, prev.second, cur.first, cur.second);
    }
    return out;
}

QPainterPath kanjiPath(const QString& text, double em) {
    QFont font(QStringLiteral("IPAGothic"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(100);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF ink = path.boundingRect();
    QTransform t;
    t.scale(em / 100, em / 100);
    t.translate(-ink.center().x(), -ink.center().y());
    return t.map(path);
}

// Paints onto the board square already in img.
void paintPiece(QImage& img, int code) {
    const int a = std::abs(code);
    const int kind = a / 10;
    const bool promoted = a % 10 == 1, com = code > 0;
    const double w = img.width(), h = img.height(), u = unit(img);

    const double pw = w * 0.90 * PIECE_SIZE[kind];
    const double ph = std::min(h * 0.90, w * 0.90 * 1.16) * PIECE_SIZE[kind];
    // Centred a little up and left, leaving room for the shadow.
    const QPointF centre(w / 2 - u * 0.4, h / 2 - u * 0.3);
    QTransform toCell;
    toCell.translate(centre.x(), centre.y());
    if (com) toCell.rotate(180);

    // The outlines are mapped to the cell rather than rotating the painter, so the light keeps
    // falling from the top left on both sides' pieces.
    const QPolygonF outer = toCell.map(pieceOutline(pw, ph));
    const double bevel = std::max(1.0, pw * 0.075);
    const QPolygonF face = toCell.map(inset(pieceOutline(pw, ph), bevel));

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 40, 10, 45));
    p.drawPolygon(outer.translated(u * 1.6, u * 1.6));
    p.setBrush(QColor(70, 40, 10, 70));
    p.drawPolygon(outer.translated(u * 0.9, u * 0.9));

    // Chamfered rim: each facet lit by how much it faces the light.
    const QPointF light(-0.55, -0.83);
    const QColor rim(0xD4, 0xA4, 0x5C);
    const double cx = (outer.boundingRect().center().x()), cy = outer.boundingRect().center().y();
    for (int i = 0; i < outer.size(); ++i) {
        const int j = (i + 1) % outer.size();
        const QPointF mid = (outer[i] + outer[j]) / 2;
        QPointF out = mid - QPointF(cx, cy);
        const QLineF edge(outer[i], outer[j]);
        QPointF normal(-(edge.dy()) / edge.length(), edge.dx() / edge.length());
        if (normal.x() * out.x() + normal.y() * out.y() < 0) normal = -normal;
        const double lit = normal.x() * light.x() + normal.y() * light.y();
        p.setBrush(QColor(shade(rim, 1.0 + 0.22 * lit)));
        p.drawPolygon(QPolygonF({outer[i], outer[j], face[j], face[i]}));
    }

    QLinearGradient faceGlow(face.boundingRect().topLeft(), face.boundingRect().bottomRight());
    faceGlow.setColorAt(0, QColor(0xFB, 0xEB, 0xC4));
    faceGlow.setColorAt(1, QColor(0xEC, 0xCB, 0x8A));
    p.setBrush(faceGlow);
    p.drawPolygon(face);

    // Straight vertical grain, as on boxwood pieces.
    p.save();
    QPainterPath faceClip;
    faceClip.addPolygon(face);
    p.setClipPath(faceClip);
    const QRectF fb = face.boundingRect();
    for (int i = 0; i < 7; ++i) {
        const double x = fb.left() + fb.width() * (0.08 + 0.86 * hash01(i, kind, 21));
        const double bend = fb.width() * 0.04 * (hash01(i, kind, 22) - 0.5);
        QPainterPath grain(QPointF(x, fb.top()));
        grain.cubicTo(QPointF(x + bend, fb.top() + fb.height() / 3),
                      QPointF(x - bend, fb.top() + fb.height() * 2 / 3), QPointF(x, fb.bottom()));
        p.setPen(QPen(QColor(150, 100, 40, 22 + static_cast<int>(18 * hash01(i, kind, 23))),
                      std::max(0.6, u * 0.5)));
        p.setBrush(Qt::NoBrush);
        p.drawPath(grain);
    }
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x6B, 0x45, 0x1E), std::max(0.8, u * 0.7), Qt::SolidLine, Qt::SquareCap,
                  Qt::MiterJoin));
    p.drawPolygon(outer);

    // The kanji sits on the face below the roof, a little lower than the middle of the piece.
    const Kanji& names = KANJI[kind];
    QString text = QString::fromUtf16(promoted ? names.promoted : names.plain);
    if (kind == 8 && com) text = QStringLiteral("玉");
    double em = pw * 0.62;
    if (kind == 1 && promoted) em *= 1.08;  // the kana と has less ink than a kanji
    QPainterPath glyph = kanjiPath(text, em);
    QTransform place;
    place.translate(0, ph * 0.09);
    glyph = toCell.map(place.map(glyph));
    const QColor ink = promoted ? QColor(0xB5, 0x12, 0x1B) : QColor(0x1C, 0x12, 0x08);
    // Emboldened by a stroke, less so when small, where the strokes of 銀 or 龍 would run together.
    const double weight = em * (em < 24 ? 0.03 : em < 40 ? 0.035 : 0.045);
    p.setPen(QPen(ink, weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(ink);
    p.drawPath(glyph);
}

// ---------------------------------------------------------------------------------------------
// Background tiles. Each repeats edge to edge: every pattern is periodic in the tile.

void paintFelt(QImage& img) {
    const int w = img.width(), h = img.height();
    const QColor felt(0x23, 0x6E, 0x3A);
    eachPixel(img, [&](int x, int y) {
        const double cloud = wrappedNoise(x, y, w, h, 4, 5, 51);
        const double tuft = wrappedNoise(x, y, w, h, std::max(4, w / 3), std::max(5, h / 3), 52);
        const double fibre = hash01(x, y, 53);
        return shade(felt, 0.93 + 0.035 * cloud + 0.06 * tuft + 0.07 * fibre);
    });
}

void paintTatami(QImage& img) {
    const int w = img.width(), h = img.height();
    const QColor straw(0xC4, 0xBE, 0x72);
    constexpr int BANDS = 12;
    const double u = unit(img);
    const int warp = std::max(1, static_cast<int>(std::lround(u * 0.8)));
    eachPixel(img, [&](int x, int y) {
        const int band = y * BANDS / h;
        const int top = (band * h + BANDS - 1) / BANDS,
                  bottom = ((band + 1) * h + BANDS - 1) / BANDS;
        const double t = (y - top + 0.5) / std::max(1, bottom - top);
        double f = 0.86 + 0.16 * std::sin(t * std::numbers::pi);  // each rush is round
        f *= 0.97 + 0.06 * hash01(band, 0, 61);
        f *= 0.97 + 0.05 * wrappedNoise(x, band, w, BANDS, std::max(3, w / 4), BANDS, 62);
        f *= 0.985 + 0.03 * hash01(x, y, 63);
        // The warp threads pass over every other rush.
        for (int k = 0; k < 2; ++k) {
            const int wx = (w * (2 * k + 1)) / 4;
            if (x >= wx && x < wx + warp && (band + k) % 2 == 0) f *= 0.78;
        }
        return shade(straw, f);
    });
}

void paintBamboo(QImage& img) {
    const int w = img.width(), h = img.height();
    const double u = unit(img);
    const std::array<double, 4> edges = {0.0, 0.36, 0.67, 1.0};
    const std::array<double, 3> nodes = {0.22, 0.71, 0.47};
    const std::array<QColor, 3> greens = {QColor(0x6C, 0xA0, 0x3A), QColor(0x7A, 0xA8, 0x3E),
                                          QColor(0x62, 0x98, 0x3A)};
    const int gap = std::max(1, static_cast<int>(std::lround(u * 1.2)));
    const int ring = std::max(2, static_cast<int>(std::lround(u * 2.0)));
    eachPixel(img, [&](int x, int y) {
        int s = 0;
        while (s < 2 && x >= std::lround(edges[s + 1] * w)) ++s;
        const int left = static_cast<int>(std::lround(edges[s] * w)) + gap;
        const int right = static_cast<int>(std::lround(edges[s + 1] * w));
        if (x < left) return qRgb(0x1E, 0x36, 0x14);
        const double t = (x - left + 0.5) / std::max(1, right - left);
        // A round stalk: dark at both sides, a highlight left of the middle.
        double f = 0.55 + 0.5 * std::pow(std::sin(t * std::numbers::pi), 0.6) +
                   0.22 * std::exp(-std::pow((t - 0.33) / 0.12, 2));
        f *= 0.97 + 0.05 * wrappedNoise(x, y, w, h, std::max(3, w / 2), 2, 71 + s);
        const int ny = static_cast<int>(std::lround(nodes[s] * h));
        if (y >= ny && y < ny + ring)
            f *= y == ny ? 0.55 : 1.18;
        else if (y == ny - 1)
            f *= 0.8;
        return shade(greens[s], f);
    });
}

void paintSpace(QImage& img) {
    const int w = img.width(), h = img.height();
    eachPixel(img, [&](int x, int y) {
        const double nebula = wrappedNoise(x, y, w, h, 3, 4, 81);
        const double haze = wrappedNoise(x, y, w, h, 5, 6, 82);
        const int r = 10 + static_cast<int>(12 * nebula * nebula * haze);
        const int g = 13 + static_cast<int>(6 * haze);
        const int b = 40 + static_cast<int>(18 * nebula * nebula);
        const double dust = hash01(x, y, 83) > 0.985 ? 1.8 : 1.0;
        return qRgb(std::min(255, int(r * dust)), std::min(255, int(g * dust)),
                    std::min(255, int(b * dust)));
    });
    struct Star {
        double x, y, size, bright;
        QColor tint;
    };
    // One tile repeats hundreds of times, so no star may stand out enough to show the grid.
    const std::array<Star, 7> stars = {{{0.18, 0.12, 1.0, 0.75, QColor(255, 255, 255)},
                                        {0.71, 0.31, 0.7, 0.55, QColor(200, 220, 255)},
                                        {0.42, 0.58, 1.3, 0.85, QColor(255, 248, 225)},
                                        {0.88, 0.83, 0.8, 0.5, QColor(255, 225, 200)},
                                        {0.09, 0.76, 0.6, 0.45, QColor(210, 225, 255)},
                                        {0.58, 0.93, 0.6, 0.4, QColor(255, 255, 255)},
                                        {0.96, 0.05, 0.7, 0.45, QColor(255, 240, 240)}}};
    const double u = unit(img);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (const Star& s : stars) {
        // Drawn again one tile over in each direction so a star on an edge wraps round.
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) {
                const QPointF c(s.x * w + dx * w, s.y * h + dy * h);
                const double r = s.size * u;
                QRadialGradient glow(c, r * 1.8);
                QColor core = s.tint, edge = s.tint;
                core.setAlphaF(s.bright);
                edge.setAlphaF(0);
                glow.setColorAt(0, core);
                glow.setColorAt(0.35, core);
                glow.setColorAt(1, edge);
                p.setBrush(glow);
                p.drawEllipse(c, r * 1.8, r * 1.8);
                if (s.size > 1.2 && u > 1.5) {
                    QColor spike = s.tint;
                    spike.setAlphaF(0.4);
                    p.setPen(QPen(spike, std::max(0.5, u * 0.45)));
                    p.drawLine(c - QPointF(r * 2.2, 0), c + QPointF(r * 2.2, 0));
                    p.drawLine(c - QPointF(0, r * 2.2), c + QPointF(0, r * 2.2));
                    p.setPen(Qt::NoPen);
                }
            }
    }
}

void paintBrick(QImage& img) {
    const int w = img.width(), h = img.height();
    constexpr int ROWS = 4;
    const double u = unit(img);
    const int mortar = std::max(1, static_cast<int>(std::lround(u * 1.2)));
    // Close shades: each row repeats its brick across the window, so strong ones would stripe.
    const std::array<QColor, ROWS> bricks = {QColor(0x9C, 0x3D, 0x26), QColor(0x93, 0x39, 0x24),
                                             QColor(0xA0, 0x42, 0x2A), QColor(0x97, 0x3B, 0x25)};
    eachPixel(img, [&](int x, int y) {
        const int row = y * ROWS / h;
        const int top = (row * h + ROWS - 1) / ROWS, bottom = ((row + 1) * h + ROWS - 1) / ROWS;
        // Alternate rows are offset by half a brick.
        const int joint = row % 2 == 0 ? 0 : w / 2;
        const int bx = ((x - joint) % w + w) % w;
        const int by = y - top;
        if (by < mortar || bx < mortar)
            return shade(QColor(0xB5, 0xAA, 0x96), 0.92 + 0.12 * hash01(x, y, 91));
        double f = 0.9 + 0.1 * hash01(x, y, 92) + 0.1 * wrappedNoise(x, y, w, h, 7, 9, 93);
        if (by == mortar || bx == mortar) f *= 1.12;  // lit upper and left arris
        if (by == bottom - top - 1 || bx == w - 1) f *= 0.82;
        return shade(bricks[row], f);
    });
}

// ---------------------------------------------------------------------------------------------
// The title: "Torvane" in gold on a black lacquer plaque.

void paintTitle(QImage& img) {
    img.fill(Qt::transparent);
    const double w = img.width(), h = img.height();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plate(h * 0.06, h * 0.09, w - h * 0.12, h * 0.80);
    const double radius = h * 0.16;

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(plate.translated(h * 0.03, h * 0.04), radius, radius);

    QLinearGradient lacquer(plate.topLeft(), plate.bottomLeft());
    lacquer.setColorAt(0, QColor(0x3A, 0x24, 0x14));
    lacquer.setColorAt(0.5, QColor(0x1C, 0x10, 0x08));
    lacquer.setColorAt(1, QColor(0x10, 0x08, 0x04));
    p.setBrush(lacquer);
    QLinearGradient frameGold(plate.topLeft(), plate.bottomRight());
    frameGold.setColorAt(0, QColor(0xF6, 0xDC, 0x8A));
    frameGold.setColorAt(0.5, QColor(0xC4, 0x93, 0x2E));
    frameGold.setColorAt(1, QColor(0x8A, 0x62, 0x18));
    p.setPen(QPen(QBrush(frameGold), h * 0.035));
    p.drawRoundedRect(plate, radius, radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(frameGold), std::max(0.5, h * 0.012)));
    const double in = h * 0.075;
    p.drawRoundedRect(plate.adjusted(in, in, -in, -in), radius * 0.6, radius * 0.6);

    QFont font;
    font.setFamilies({QStringLiteral("P052"), QStringLiteral("URW Palladio L"),
                      QStringLiteral("C059"), QStringLiteral("DejaVu Serif")});
    font.setStyleHint(QFont::Serif);
    font.setItalic(true);
    font.setBold(true);
    font.setPixelSize(100);
    QPainterPath word;
    word.addText(0, 0, font, QStringLiteral("Torvane"));
    const QRectF ink = word.boundingRect();
    const QRectF room = plate.adjusted(in * 2.2, in * 1.6, -in * 2.2, -in * 1.6);
    const double scale = std::min(room.width() / ink.width(), room.height() / ink.height());
    QTransform t;
    t.translate(room.center().x(), room.center().y());
    t.scale(scale, scale);
    t.translate(-ink.center().x(), -ink.center().y());
    word = t.map(word);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 170));
    p.drawPath(word.translated(h * 0.02, h * 0.025));
    const QRectF wb = word.boundingRect();
    QLinearGradient gold(wb.topLeft(), wb.bottomLeft());
    gold.setColorAt(0, QColor(0xFF, 0xF4, 0xC2));
    gold.setColorAt(0.45, QColor(0xF0, 0xC2, 0x4E));
    gold.setColorAt(0.55, QColor(0xD2, 0x9A, 0x26));
    gold.setColorAt(1, QColor(0xF2, 0xCE, 0x6A));
    p.setBrush(gold);
    p.setPen(QPen(QColor(0x5A, 0x3A, 0x0C), std::max(0.5, h * 0.01)));
    p.drawPath(word);
}

// ---------------------------------------------------------------------------------------------

QImage picture(int code, int w, int h, int imageWidth);

QImage render(int code, int h, int imageWidth) {
    const Picture kind = pictureOf(code);
    QImage img(imageWidth, h,
               kind == Picture::Title ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    switch (kind) {
        case Picture::Empty: paintBoardWood(img); break;
        case Picture::Piece:
            // A piece stands on the board square; the square is drawn once and shared.
            img = picture(0, imageWidth, h, imageWidth);
            paintPiece(img, code);
            break;
        case Picture::Title: paintTitle(img); break;
        case Picture::Tile:
            switch (code) {
                case 5: paintFelt(img); break;
                case 6: paintTatami(img); break;
                case 7: paintBamboo(img); break;
                case 8: paintSpace(img); break;
                default: paintBrick(img); break;
            }
            break;
        case Picture::None: break;
    }
    return img;
}

// The pictures painted so far, each ready or being painted by one thread, and the ones a
// paint is about to need, which helper threads paint meanwhile: a window full of new pictures
// (the first frame, another scale) is painted on every core.
struct Request {
    int code, w, h, imageWidth;
    bool operator==(const Request&) const = default;
};

struct RequestHash {
    std::size_t operator()(const Request& r) const {
        // Sides are at most MAX_SIDE (12 bits), the title at most four times that.
        return (static_cast<std::uint64_t>(r.code + 128) << 48) |
               (static_cast<std::uint64_t>(r.w) << 36) | (static_cast<std::uint64_t>(r.h) << 24) |
               static_cast<std::uint64_t>(r.imageWidth);
    }
};

// A text as a paint copies it: its letters, its font (QFont::key), colour and device scale.
struct TextRequest {
    QString text, font;
    QRgb colour;
    double sx, sy;
    bool operator==(const TextRequest&) const = default;
};

struct TextRequestHash {
    std::size_t operator()(const TextRequest& r) const {
        return qHashMulti(0, r.text, r.font, r.colour, r.sx, r.sy);
    }
};

// The picture of a text, placed this far from the device pixel at the top left of its line.
// `order` counts the texts of a run as they come: the first ones are those of the opening
// screen, and only they go to the file.
struct Lettering {
    QImage image;
    QPoint offset;
    std::uint32_t order = 0;
};

struct ExtentRequest {
    QString font, text;
    bool operator==(const ExtentRequest&) const = default;
};

struct ExtentRequestHash {
    std::size_t operator()(const ExtentRequest& r) const { return qHashMulti(0, r.font, r.text); }
};

struct Extent {
    QSizeF size;
    std::uint32_t order = 0;
};

// The clocks and the record show new texts all game long: the texts in memory are bounded
// (the opening screen's alone take about 170 KB at the usual size), and the file keeps only
// the first of a run.
constexpr std::size_t MAX_TEXT_BYTES = std::size_t{256} << 10;
constexpr std::size_t MAX_EXTENTS = 4096;
constexpr std::uint32_t TEXTS_TO_FILE = 128;
// Longer texts, and longer font names, are drawn and measured straight.
constexpr qsizetype MAX_TEXT_LENGTH = 256;
constexpr qsizetype MAX_FONT_KEY_LENGTH = 1024;

struct Kept {
    std::mutex mutex;
    std::condition_variable asked;
    std::unordered_map<Request, std::shared_future<QImage>, RequestHash> pictures;
    std::deque<Request> wanted;
    std::vector<std::thread> helpers;
    bool stopping = false;
    std::string file;      // where the pictures are kept for the next run, if anywhere
    bool painted = false;  // pictures painted since the file was read
    std::unordered_map<TextRequest, Lettering, TextRequestHash> texts;
    std::size_t textBytes = 0;
    std::uint32_t textsPainted = 0;
    std::unordered_map<ExtentRequest, Extent, ExtentRequestHash> extents;
    std::uint32_t textsMeasured = 0;

    const Lettering& rememberText(TextRequest r, Lettering l) {
        if (textBytes + std::size_t(l.image.sizeInBytes()) > MAX_TEXT_BYTES) {
            std::erase_if(texts, [](const auto& t) { return t.second.order >= TEXTS_TO_FILE; });
            textBytes = 0;
            for (const auto& t : texts) textBytes += std::size_t(t.second.image.sizeInBytes());
        }
        l.order = textsPainted++;
        if (l.order < TEXTS_TO_FILE) painted = true;
        textBytes += std::size_t(l.image.sizeInBytes());
        return texts.insert_or_assign(std::move(r), std::move(l)).first->second;
    }

    void rememberExtent(ExtentRequest r, QSizeF size) {
        if (extents.size() >= MAX_EXTENTS)
            std::erase_if(extents, [](const auto& e) { return e.second.order >= TEXTS_TO_FILE; });
        const std::uint32_t order = textsMeasured++;
        if (order < TEXTS_TO_FILE) painted = true;
        extents.insert_or_assign(std::move(r), Extent{size, order});
    }

    // Lets the helpers finish the picture in hand, and ends them.
    void finish() {
        std::unique_lock lock(mutex);
        wanted.clear();
        stopping = true;
        asked.notify_all();
        std::vector<std::thread> ending = std::move(helpers);
        helpers.clear();
        lock.unlock();
        for (std::thread& t : ending) t.join();
        lock.lock();
        stopping = false;
    }
    ~Kept() { finish(); }
};

Kept& kept() {
    static Kept k;
    return k;
}

QImage picture(int code, int w, int h, int imageWidth) {
    Kept& k = kept();
    const Request r{code, w, h, imageWidth};
    std::unique_lock lock(k.mutex);
    auto it = k.pictures.find(r);
    if (it != k.pictures.end()) {
        const std::shared_future<QImage> ready = it->second;
        lock.unlock();
        return ready.get();  // waits while another thread paints it
    }
    if (k.pictures.size() >= MAX_KEPT) k.pictures.clear();
    std::promise<QImage> painting;
    const std::shared_future<QImage> ready = painting.get_future().share();
    k.pictures.emplace(r, ready);
    k.painted = true;
    lock.unlock();
    painting.set_value(render(code, h, imageWidth));
    return ready.get();
}

// A helper takes the wanted pictures from the back, while the paint goes from the front.
void help(Kept& k) {
    std::unique_lock lock(k.mutex);
    while (true) {
        k.asked.wait(lock, [&k] { return k.stopping || !k.wanted.empty(); });
        if (k.stopping) return;
        const Request r = k.wanted.back();
        k.wanted.pop_back();
        if (k.pictures.count(r) != 0) continue;
        lock.unlock();
        picture(r.code, r.w, r.h, r.imageWidth);
        lock.lock();
    }
}

// The pictures kept from one run to the next: "Torvane pictures 2\n", the id of the program
// that painted them, their count, and for each its code, sizes and format and its pixels row
// by row; then the texts' pictures (letters, font, colour, scale, place, size, pixels) and the
// texts' measures (font, letters, advance, height), each list after its count. Only the same
// build reads them, so changed artwork or lettering never shows old pictures.
constexpr std::string_view FILE_MAGIC = "Torvane pictures 2\n";
constexpr std::size_t FILE_MAX_BYTES = std::size_t{32} << 20;

// The program's build id (the linker's note), or nothing.
std::string programId() {
    std::string id;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* out) {
            // The first object is the program itself.
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                const ElfW(Phdr)& ph = info->dlpi_phdr[i];
                if (ph.p_type != PT_NOTE) continue;
                const char* at = reinterpret_cast<const char*>(info->dlpi_addr + ph.p_vaddr);
                const char* end = at + ph.p_memsz;
                while (end - at >= static_cast<std::ptrdiff_t>(sizeof(ElfW(Nhdr)))) {
                    ElfW(Nhdr) note;
                    std::memcpy(&note, at, sizeof note);
                    const char* name = at + sizeof note;
                    const char* desc = name + ((note.n_namesz + 3) & ~3u);
                    const char* next = desc + ((note.n_descsz + 3) & ~3u);
                    if (next > end) break;
                    if (note.n_type == NT_GNU_BUILD_ID && note.n_namesz == 4 &&
                        std::memcmp(name, "GNU", 4) == 0)
                        static_cast<std::string*>(out)->assign(desc, note.n_descsz);
                    at = next;
                }
            }
            return 1;
        },
        &id);
    return id;
}

template <class T>
void put(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <class T>
bool take(std::string_view& in, T& value) {
    if (in.size() < sizeof value) return false;
    std::memcpy(&value, in.data(), sizeof value);
    in.remove_prefix(sizeof value);
    return true;
}

void putText(std::string& out, const QString& text) {
    put(out, std::uint32_t(text.size()));
    out.append(reinterpret_cast<const char*>(text.utf16()), std::size_t(text.size()) * 2);
}

bool takeText(std::string_view& in, QString& text, qsizetype longest) {
    std::uint32_t size = 0;
    if (!take(in, size) || size > std::uint32_t(longest) || in.size() < std::size_t(size) * 2)
        return false;
    text.resize(qsizetype(size));
    std::memcpy(text.data(), in.data(), std::size_t(size) * 2);
    in.remove_prefix(std::size_t(size) * 2);
    return true;
}

void putPixels(std::string& out, const QImage& img) {
    for (int y = 0; y < img.height(); ++y)
        out.append(reinterpret_cast<const char*>(img.constScanLine(y)),
                   std::size_t(img.width()) * 4);
}

bool takePixels(std::string_view& in, QImage& img) {
    const std::size_t row = std::size_t(img.width()) * 4;
    if (img.isNull() || in.size() < row * std::size_t(img.height())) return false;
    for (int y = 0; y < img.height(); ++y) {
        std::memcpy(img.scanLine(y), in.data(), row);
        in.remove_prefix(row);
    }
    return true;
}

// The texts (or measures) a run met first, in the order it met them, so that the next run,
// reading them back, counts them alike.
template <class Map>
std::vector<const typename Map::value_type*> firstOfTheRun(const Map& entries) {
    std::vector<const typename Map::value_type*> first;
    for (const auto& entry : entries)
        if (entry.second.order < TEXTS_TO_FILE) first.push_back(&entry);
    std::sort(first.begin(), first.end(),
              [](const auto* a, const auto* b) { return a->second.order < b->second.order; });
    return first;
}

struct KeptFile {
    std::vector<std::pair<Request, QImage>> pictures;
    std::vector<std::pair<TextRequest, Lettering>> texts;
    std::vector<std::pair<ExtentRequest, QSizeF>> extents;
};

bool sensibleScale(double s) { return s > 0.01 && s < 64; }

// What a kept file holds, or nothing at all when anything in it is not as written.
KeptFile readKept(std::string_view in, const std::string& id) {
    KeptFile out;
    std::uint32_t idSize = 0, count = 0;
    if (id.empty() || in.substr(0, FILE_MAGIC.size()) != FILE_MAGIC) return {};
    in.remove_prefix(FILE_MAGIC.size());
    if (!take(in, idSize) || in.substr(0, idSize) != id) return {};
    in.remove_prefix(idSize);
    if (!take(in, count) || count > MAX_KEPT) return {};
    for (std::uint32_t i = 0; i < count; ++i) {
        Request r{};
        std::int32_t format = 0;
        if (!take(in, r.code) || !take(in, r.w) || !take(in, r.h) || !take(in, r.imageWidth) ||
            !take(in, format))
            return {};
        const bool title = pictureOf(r.code) == Picture::Title;
        if (pictureOf(r.code) == Picture::None || r.w < 1 || r.w > MAX_SIDE || r.h < 1 ||
            r.h > MAX_SIDE || r.imageWidth < 1 || r.imageWidth > MAX_SIDE * 4 ||
            format != (title ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32))
            return {};
        QImage img(r.imageWidth, r.h, static_cast<QImage::Format>(format));
        if (!takePixels(in, img)) return {};
        out.pictures.emplace_back(r, std::move(img));
    }
    if (!take(in, count) || count > TEXTS_TO_FILE) return {};
    for (std::uint32_t i = 0; i < count; ++i) {
        TextRequest r{};
        std::int32_t x = 0, y = 0, w = 0, h = 0;
        if (!takeText(in, r.text, MAX_TEXT_LENGTH) || !takeText(in, r.font, MAX_FONT_KEY_LENGTH) ||
            !take(in, r.colour) || !take(in, r.sx) || !take(in, r.sy) || !take(in, x) ||
            !take(in, y) || !take(in, w) || !take(in, h))
            return {};
        // Compared from both sides: the absolute value of the lowest int does not exist.
        if (!sensibleScale(r.sx) || !sensibleScale(r.sy) || x < -MAX_SIDE * 4 || x > MAX_SIDE * 4 ||
            y < -MAX_SIDE || y > MAX_SIDE || w < 1 || w > MAX_SIDE * 4 || h < 1 || h > MAX_SIDE)
            return {};
        QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
        if (!takePixels(in, img)) return {};
        out.texts.emplace_back(std::move(r), Lettering{std::move(img), QPoint(x, y), i});
    }
    if (!take(in, count) || count > TEXTS_TO_FILE) return {};
    for (std::uint32_t i = 0; i < count; ++i) {
        ExtentRequest r;
        double w = 0, h = 0;
        if (!takeText(in, r.font, MAX_FONT_KEY_LENGTH) || !takeText(in, r.text, MAX_TEXT_LENGTH) ||
            !take(in, w) || !take(in, h) || !(w >= 0 && w < 1e9) || !(h >= 0 && h < 1e9))
            return {};
        out.extents.emplace_back(std::move(r), QSizeF(w, h));
    }
    return in.empty() ? std::move(out) : KeptFile{};
}

bool upright(const QTransform& toDevice) {
    return toDevice.type() <= QTransform::TxScale && toDevice.m11() > 0 && toDevice.m22() > 0;
}

// Far off the canvas (or not a number): nothing of it could show.
bool farOff(const QRectF& dev) {
    const double far = 1 << 28;
    return !(std::abs(dev.left()) < far && std::abs(dev.top()) < far && dev.width() < far &&
             dev.height() < far);
}

// The picture paintPicture copies into a cell that is `dev` on the device, for a sensible size.
std::optional<Request> copyOf(int code, double cells, const QRectF& dev) {
    // Snapping both edges to whole pixels makes neighbouring cells share their boundary.
    const long left = std::lround(dev.left()), top = std::lround(dev.top());
    const long w = std::lround(dev.right()) - left, h = std::lround(dev.bottom()) - top;
    const long iw = std::lround(dev.left() + dev.width() * cells) - left;
    if (w >= 1 && h >= 1 && w <= MAX_SIDE && h <= MAX_SIDE && iw <= MAX_SIDE * 4)
        return Request{code, int(w), int(h), int(iw)};
    return std::nullopt;
}

int toSide(double pixels) { return std::clamp(static_cast<int>(std::lround(pixels)), 1, MAX_SIDE); }

void copyPixels(QPainter& painter, const QPoint& devicePixel, const QImage& img) {
    painter.save();
    // Undo every transform, including the one the device adds for its pixel ratio, so the
    // picture is copied pixel for pixel.
    painter.setViewTransformEnabled(false);
    painter.setWorldTransform(QTransform());
    painter.setWorldTransform(painter.deviceTransform().inverted());
    painter.drawImage(devicePixel, img);
    painter.restore();
}

// A text straight from its font, the top of its line at `topLeft`.
void drawLine(QPainter& painter, const QPointF& topLeft, const QString& text, const QFont& font,
              const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font);
    painter.setPen(colour);
    const QFontMetricsF metrics(font, painter.device());
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
    painter.restore();
}

// The picture of a text: its line drawn on a clear picture as it would be on the device, with
// room for letters that reach past the line. None for a text too big to keep.
std::optional<Lettering> letter(const TextRequest& r, const QFont& font, const QColor& colour) {
    const QFontMetricsF m(font);
    const QRectF line(0, 0, m.horizontalAdvance(r.text), m.height());
    const QRectF ink = m.boundingRect(r.text).translated(0, m.ascent()) | line;
    const QRect pixels =
        QRectF(ink.left() * r.sx, ink.top() * r.sy, ink.width() * r.sx, ink.height() * r.sy)
            .toAlignedRect()
            .adjusted(-2, -2, 2, 2);
    if (pixels.width() > MAX_SIDE * 4 || pixels.height() > MAX_SIDE) return std::nullopt;
    QImage img(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.translate(-pixels.topLeft());
    p.scale(r.sx, r.sy);
    drawLine(p, QPointF(0, 0), r.text, font, colour);
    p.end();
    return Lettering{std::move(img), pixels.topLeft()};
}

}  // namespace

double pictureWidthInCells(int code) {
    const Picture kind = pictureOf(code);
    return kind == Picture::None ? 0 : kind == Picture::Title ? TITLE_CELLS : 1;
}

void paintPicture(QPainter& painter, int code, const QRectF& cell) {
    const double cells = pictureWidthInCells(code);
    if (cells == 0 || !painter.isActive() || !(cell.width() > 0) || !(cell.height() > 0)) return;
    const QTransform toDevice = painter.deviceTransform();

    if (upright(toDevice)) {
        const QRectF dev = toDevice.mapRect(cell);
        if (farOff(dev)) return;
        if (const auto copy = copyOf(code, cells, dev)) {
            copyPixels(painter, QPoint(int(std::lround(dev.left())), int(std::lround(dev.top()))),
                       picture(code, copy->w, copy->h, copy->imageWidth));
            return;
        }
    }

    // A rotated, mirrored or huge view: draw at about the right size and let the painter fit it.
    const double w = QLineF(toDevice.map(cell.topLeft()), toDevice.map(cell.topRight())).length();
    const double h = QLineF(toDevice.map(cell.topLeft()), toDevice.map(cell.bottomLeft())).length();
    const int iw = toSide(w), ih = toSide(h);
    const int imageWidth =
        cells == 1 ? iw : std::clamp(static_cast<int>(std::lround(w * cells)), 1, MAX_SIDE * 4);
    const QImage img = picture(code, iw, ih, imageWidth);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(cell.left(), cell.top(), cell.width() * cells, cell.height()), img);
    painter.restore();
}

void paintAhead(int code, const QRectF& cell, const QTransform& toDevice) {
    const double cells = pictureWidthInCells(code);
    if (cells == 0 || !(cell.width() > 0) || !(cell.height() > 0) || !upright(toDevice)) return;
    const QRectF dev = toDevice.mapRect(cell);
    if (farOff(dev)) return;
    const auto copy = copyOf(code, cells, dev);
    if (!copy) return;
    Kept& k = kept();
    {
        std::lock_guard lock(k.mutex);
        if (k.pictures.count(*copy) != 0) return;
        k.wanted.push_back(*copy);
        if (k.helpers.empty()) {
            const unsigned cores = std::thread::hardware_concurrency();
            const unsigned n = std::clamp(cores, 2u, 4u) - 1;
            for (unsigned i = 0; i < n; ++i) k.helpers.emplace_back(help, std::ref(k));
        }
    }
    k.asked.notify_one();
}

void finishPaintingAhead() { kept().finish(); }

void paintText(QPainter& painter, const QPointF& topLeft, const QString& text, const QFont& font,
               const QColor& colour) {
    if (text.isEmpty() || !painter.isActive()) return;
    const QTransform toDevice = painter.deviceTransform();
    const QPointF dev = toDevice.map(topLeft);
    const bool inReach = upright(toDevice) && !farOff(QRectF(dev, QSizeF(1, 1)));
    const QPoint at = inReach ? dev.toPoint() : QPoint();
    if (!inReach || text.size() > MAX_TEXT_LENGTH || std::abs(dev.x() - at.x()) > 1e-6 ||
        std::abs(dev.y() - at.y()) > 1e-6) {
        drawLine(painter, topLeft, text, font, colour);
        return;
    }
    TextRequest r{text, font.key(), colour.rgba(), toDevice.m11(), toDevice.m22()};
    Kept& k = kept();
    std::unique_lock lock(k.mutex);
    auto it = k.texts.find(r);
    Lettering l;
    if (it != k.texts.end()) {
        l = it->second;
    } else {
        lock.unlock();
        std::optional<Lettering> painted = letter(r, font, colour);
        if (!painted) {
            drawLine(painter, topLeft, text, font, colour);
            return;
        }
        lock.lock();
        l = k.rememberText(std::move(r), std::move(*painted));
    }
    lock.unlock();
    copyPixels(painter, at + l.offset, l.image);
}

QSizeF textExtent(const QFont& font, const QString& text) {
    ExtentRequest r{font.key(), text};
    Kept& k = kept();
    {
        std::lock_guard lock(k.mutex);
        if (auto it = k.extents.find(r); it != k.extents.end()) return it->second.size;
    }
    const QFontMetricsF metrics(font);
    const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
    if (text.size() > MAX_TEXT_LENGTH || r.font.size() > MAX_FONT_KEY_LENGTH) return size;
    std::lock_guard lock(k.mutex);
    k.rememberExtent(std::move(r), size);
    return size;
}

int keepPicturesIn(const std::string& path) {
    Kept& k = kept();
    std::string bytes;
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size <= FILE_MAX_BYTES) {
        std::ifstream in(path, std::ios::binary);
        bytes.resize(size);
        if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) bytes.clear();
    }
    KeptFile fromFile = readKept(bytes, programId());
    std::lock_guard lock(k.mutex);
    k.file = path;
    for (const auto& [r, img] : fromFile.pictures) {
        std::promise<QImage> ready;
        ready.set_value(img);
        k.pictures.emplace(r, ready.get_future().share());
    }
    k.texts.clear();
    k.textBytes = 0;
    for (auto& [r, l] : fromFile.texts) {
        k.textBytes += std::size_t(l.image.sizeInBytes());
        k.texts.insert_or_assign(std::move(r), std::move(l));
    }
    k.textsPainted = std::uint32_t(fromFile.texts.size());
    k.extents.clear();
    for (auto& [r, extent] : fromFile.extents)
        k.extents.insert_or_assign(std::move(r), Extent{extent, std::uint32_t(k.extents.size())});
    k.textsMeasured = std::uint32_t(fromFile.extents.size());
    k.painted = false;
    return static_cast<int>(fromFile.pictures.size() + fromFile.texts.size());
}

bool savePictures() {
    Kept& k = kept();
    const std::string id = programId();
    std::string out(FILE_MAGIC);
    std::string file;
    {
        std::lock_guard lock(k.mutex);
        if (k.file.empty() || !k.painted || id.empty()) return false;
        file = k.file;
        std::uint32_t count = 0;
        std::string body;
        for (const auto& [r, picture] : k.pictures) {
            using namespace std::chrono_literals;
            if (count == MAX_KEPT || picture.wait_for(0s) != std::future_status::ready) continue;
            const QImage& img = picture.get();
            const std::size_t size = std::size_t(img.width()) * 4 * std::size_t(img.height());
            if (out.size() + body.size() + size + 8 > FILE_MAX_BYTES) break;
            put(body, std::int32_t(r.code));
            put(body, std::int32_t(r.w));
            put(body, std::int32_t(r.h));
            put(body, std::int32_t(r.imageWidth));
            put(body, std::int32_t(img.format()));
            putPixels(body, img);
            ++count;
        }
        put(out, std::uint32_t(id.size()));
        out += id;
        put(out, count);
        out += body;
        std::uint32_t textCount = 0;
        body.clear();
        for (const auto* entry : firstOfTheRun(k.texts)) {
            const auto& [r, l] = *entry;
            const std::size_t size = std::size_t(l.image.sizeInBytes()) + 48 +
                                     2 * std::size_t(r.text.size() + r.font.size());
            if (out.size() + body.size() + size + 4 > FILE_MAX_BYTES) break;
            putText(body, r.text);
            putText(body, r.font);
            put(body, r.colour);
            put(body, r.sx);
            put(body, r.sy);
            put(body, std::int32_t(l.offset.x()));
            put(body, std::int32_t(l.offset.y()));
            put(body, std::int32_t(l.image.width()));
            put(body, std::int32_t(l.image.height()));
            putPixels(body, l.image);
            ++textCount;
        }
        put(out, textCount);
        out += body;
        std::uint32_t extentCount = 0;
        body.clear();
        for (const auto* entry : firstOfTheRun(k.extents)) {
            const auto& [r, e] = *entry;
            if (out.size() + body.size() + 2 * std::size_t(r.font.size() + r.text.size()) + 28 >
                FILE_MAX_BYTES)
                break;
            putText(body, r.font);
            putText(body, r.text);
            put(body, e.size.width());
            put(body, e.size.height());
            ++extentCount;
        }
        put(out, extentCount);
        out += body;
        k.painted = false;
    }
    // Written aside and renamed into place: another game ending at the same moment, or a full
    // disk, leaves the old file or the new one, never half of one.
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
    const std::string aside = file + ".new";
    std::ofstream o(aside, std::ios::binary | std::ios::trunc);
    if (!o.write(out.data(), static_cast<std::streamsize>(out.size())) || !o.flush()) {
        o.close();
        std::remove(aside.c_str());
        return false;
    }
    o.close();
    return std::rename(aside.c_str(), file.c_str()) == 0;
}

void clearArtworkCache() {
    Kept& k = kept();
    std::lock_guard lock(k.mutex);
    k.pictures.clear();
    k.wanted.clear();
    // The texts' pictures are for one scale like the others; their measures are for any.
    k.texts.clear();
    k.textBytes = 0;
    k.textsPainted = 0;
}
