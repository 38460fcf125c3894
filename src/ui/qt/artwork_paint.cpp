#include "ui/qt/artwork_paint.h"

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <numbers>
#include <utility>
#include <vector>

namespace artwork {

Picture pictureOf(int code) {
    if (code == 0) return Picture::Empty;
    if (code == TITLE) return Picture::Title;
    if (code >= 5 && code <= 9) return Picture::Tile;
    const long long a = std::llabs(code);  // of any int, the lowest too
    const long long kind = a / 10, promoted = a % 10;
    if (kind < 1 || kind > 8 || promoted > 1) return Picture::None;
    // Gold and king never promote, so they have no second picture.
    if (promoted == 1 && (kind == 5 || kind == 8)) return Picture::None;
    return Picture::Piece;
}

namespace {

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

// Factors are positive: only the light end needs a bound.
QRgb shade(QColor c, double factor) {
    auto ch = [&](int v) { return std::min(static_cast<int>(std::lround(v * factor)), 255); };
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
constexpr std::array PIECE_SIZE{0.0, 0.86, 0.90, 0.91, 0.94, 0.95, 0.98, 0.98, 1.0};

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
    const std::array edges{0.0, 0.36, 0.67, 1.0};
    const std::array nodes{0.22, 0.71, 0.47};
    const std::array greens{QColor(0x6C, 0xA0, 0x3A), QColor(0x7A, 0xA8, 0x3E),
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
    const auto stars = std::to_array<Star>({{0.18, 0.12, 1.0, 0.75, QColor(255, 255, 255)},
                                            {0.71, 0.31, 0.7, 0.55, QColor(200, 220, 255)},
                                            {0.42, 0.58, 1.3, 0.85, QColor(255, 248, 225)},
                                            {0.88, 0.83, 0.8, 0.5, QColor(255, 225, 200)},
                                            {0.09, 0.76, 0.6, 0.45, QColor(210, 225, 255)},
                                            {0.58, 0.93, 0.6, 0.4, QColor(255, 255, 255)},
                                            {0.96, 0.05, 0.7, 0.45, QColor(255, 240, 240)}});
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

}  // namespace

QImage render(int code, int h, int imageWidth, const QImage& square) {
    const Picture kind = pictureOf(code);
    QImage img(imageWidth, h,
               kind == Picture::Title ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    switch (kind) {
        case Picture::Empty: paintBoardWood(img); break;
        case Picture::Piece:
            // A piece stands on the board square; the square is drawn once and shared.
            img = square;
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

}  // namespace artwork
