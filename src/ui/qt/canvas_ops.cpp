#include "ui/qt/canvas_ops.h"

#include <QFont>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <tuple>

#include "ui/drawing.h"
#include "ui/qt/artwork.h"
#include "ui/qt/colours.h"

namespace {

constexpr double TWIPS_PER_POINT = 20;
// A line is one pixel at scale 1, and never thinner than one device pixel. How far a line may
// reach past its corner in twips, with rounding, down to the smallest scale (a device pixel of
// 60 twips).
constexpr double LINE_TWIPS = TWIPS_PER_PIXEL;
constexpr double LINE_REACH = 150;

QFont canvasFont(int pixelSize, bool bold) {
    QFont font(CANVAS_FONT);
    font.setPixelSize(std::max(1, pixelSize));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// Region arithmetic in half twips: cells at tenths of a cell sit on half twips.
QRect outerHalfTwips(const QRectF& r) {
    int l = int(std::floor(r.left() * 2)), t = int(std::floor(r.top() * 2));
    int rr = int(std::ceil(r.right() * 2)), b = int(std::ceil(r.bottom() * 2));
    return QRect(QPoint(l, t), QPoint(rr - 1, b - 1));
}

// Where nothing lies wholly inside, an empty rectangle, which a region leaves out.
QRect innerHalfTwips(const QRectF& r) {
    int l = int(std::ceil(r.left() * 2)), t = int(std::ceil(r.top() * 2));
    int rr = int(std::floor(r.right() * 2)), b = int(std::floor(r.bottom() * 2));
    return QRect(QPoint(l, t), QPoint(rr - 1, b - 1));
}

}  // namespace

CanvasOp CanvasOp::picture(int code, double left, double top) {
    CanvasOp op;
    op.kind = Kind::Picture;
    op.code = code;
    op.left = left;
    op.top = top;
    // The title picture reaches past its cell to the right.
    op.bounds = QRectF(left, top, CELL_W * std::max(1.0, pictureWidthInCells(code)), CELL_H);
    return op;
}

CanvasOp CanvasOp::outline(int colour, double left, double top, double right, double bottom) {
    CanvasOp op;
    op.kind = Kind::Outline;
    op.code = colour;
    op.left = std::min(left, right);
    op.top = std::min(top, bottom);
    op.right = std::max(left, right);
    op.bottom = std::max(top, bottom);
    op.bounds =
        QRectF(QPointF(op.left, op.top), QPointF(op.right + LINE_REACH, op.bottom + LINE_REACH));
    return op;
}

CanvasOp CanvasOp::label(double left, double top, const QString& text, int colour, int size,
                         bool bold) {
    CanvasOp op;
    op.kind = Kind::Text;
    op.code = colour;
    op.left = left;
    op.top = top;
    op.text = text;
    op.size = size;
    op.bold = bold;
    // Measured in twips; glyphs hinted at other sizes differ a little, hence the margin.
    const QSizeF extent =
        textExtent(canvasFont(int(std::lround(size * TWIPS_PER_POINT)), bold), text);
    double margin = std::abs(size) * TWIPS_PER_POINT * 0.25 + 4 * TWIPS_PER_PIXEL;
    op.bounds = QRectF(left - margin, top - margin, extent.width() + 2 * margin,
                       extent.height() + 2 * margin);
    return op;
}

TwipMap::TwipMap(double pixelsPerTwip, double devicePixelRatio)
    : k_(pixelsPerTwip), dpr_(devicePixelRatio > 0 ? devicePixelRatio : 1) {}

double TwipMap::x(double twips) const { return std::round(twips * k_ * dpr_) / dpr_; }

double TwipMap::lineWidth(double twips) const {
    return std::max(1.0, std::round(twips * k_ * dpr_)) / dpr_;
}

namespace {

QRectF cellOf(const CanvasOp& op, const TwipMap& map) {
    return {QPointF(map.x(op.left), map.y(op.top)),
            QPointF(map.x(op.left + CELL_W), map.y(op.top + CELL_H))};
}

}  // namespace

void paintAhead(const CanvasOp& op, const TwipMap& map, const QTransform& toDevice) {
    if (op.kind != CanvasOp::Kind::Picture) return;
    const QRectF cell = cellOf(op, map);
    if (!cell.isEmpty()) paintAhead(op.code, cell, toDevice);
}

void paintOp(QPainter& painter, const CanvasOp& op, const TwipMap& map) {
    switch (op.kind) {
        case CanvasOp::Kind::Picture: {
            const QRectF cell = cellOf(op, map);
            if (cell.isEmpty()) return;
            painter.save();
            painter.setClipRect(
                QRectF(QPointF(map.x(op.bounds.left()), map.y(op.bounds.top())),
                       QPointF(map.x(op.bounds.right()), map.y(op.bounds.bottom()))),
                Qt::IntersectClip);
            paintPicture(painter, op.code, cell);
            painter.restore();
            return;
        }
        case CanvasOp::Kind::Outline: {
            // Right and bottom lines included, as a box drawn from corner to corner.
            QColor colour = standardColour(op.code);
            double x0 = map.x(op.left), y0 = map.y(op.top);
            double x1 = map.x(op.right), y1 = map.y(op.bottom);
            double w = map.lineWidth(LINE_TWIPS), h = w;
            painter.fillRect(QRectF(x0, y0, x1 + w - x0, h), colour);
            painter.fillRect(QRectF(x0, y1, x1 + w - x0, h), colour);
            painter.fillRect(QRectF(x0, y0, w, y1 + h - y0), colour);
            painter.fillRect(QRectF(x1, y0, w, y1 + h - y0), colour);
            return;
        }
        case CanvasOp::Kind::Text: {
            // The position is the top of the text line.
            paintText(painter, QPointF(map.x(op.left), map.y(op.top)), op.text,
                      canvasFont(int(std::lround(op.size * TWIPS_PER_POINT * map.pixelsPerTwip())),
                                 op.bold),
                      standardColour(op.code));
            return;
        }
    }
}

void compactOps(std::vector<CanvasOp>& ops) {
    QRegion covered;
    // An outline drawn again on the same lines, in any colour, paints over every pixel of the
    // earlier one: the board's outlines are redrawn on every move without a picture between.
    std::set<std::array<double, 6>> outlinesLater;
    // A text drawn again in the same place and colour is kept once: the board's labels are
    // drawn anew with every game, where no picture is drawn over the old ones.
    std::set<std::tuple<QString, double, double, int, int, bool>> textsLater;
    std::vector<bool> keep(ops.size(), true);
    for (std::size_t i = ops.size(); i-- > 0;) {
        const CanvasOp& op = ops[i];
        const bool again =
            op.kind == CanvasOp::Kind::Outline
                ? !outlinesLater
                       .insert({op.left, op.top, op.right, op.bottom, op.bounds.width(),
                                op.bounds.height()})
                       .second
            : op.kind == CanvasOp::Kind::Text
                ? !textsLater.emplace(op.text, op.left, op.top, op.code, op.size, op.bold).second
                : false;
        if (again) {
            keep[i] = false;
            continue;
        }
        if (!covered.isEmpty() &&
            QRegion(outerHalfTwips(op.bounds)).subtracted(covered).isEmpty()) {
            keep[i] = false;
            continue;
        }
        // Only the one-cell pictures are opaque from edge to edge; the title has rounded corners.
        if (op.kind == CanvasOp::Kind::Picture && 絵あり(op.code) && op.code != -3)
            covered += innerHalfTwips(op.bounds);
    }
    std::size_t n = 0;
    for (std::size_t i = 0; i < ops.size(); ++i)
        if (keep[i]) ops[n++] = std::move(ops[i]);
    ops.resize(n);
    // A burst of drawing leaves no lasting room behind.
    if (ops.capacity() > 4 * n + 4096) ops.shrink_to_fit();
}
