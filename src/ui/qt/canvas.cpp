#include "ui/qt/canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/qt/artwork.h"
#include "ui/qt/colours.h"

namespace {

// A full redraw is about a thousand calls; the list is compacted when it has doubled.
constexpr std::size_t MIN_COMPACT = 2048;
constexpr int WINDOW_COLOUR = 2;
// The cell grid, continued into the margins.
constexpr double GRID_LEFT = 1050, GRID_TOP = 100;
// More changed places than this are painted as one rectangle around them all.
constexpr int MAX_DIRTY_RECTS = 24;
// How many of the latest pictures over a painted area are looked at to find where its
// painting may start; a whole-window paint simply paints everything.
constexpr std::size_t MAX_COVER_LOOKS = 64;

bool isBackground(int code) { return code >= 5 && code <= 9; }

}  // namespace

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent), compactAt_(MIN_COMPACT) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(int(DESIGN_WIDTH / TWIPS_PER_PIXEL), int(DESIGN_HEIGHT / TWIPS_PER_PIXEL));
}

double CanvasWidget::scale() const {
    double s = std::min(width() / (DESIGN_WIDTH / TWIPS_PER_PIXEL),
                        height() / (DESIGN_HEIGHT / TWIPS_PER_PIXEL));
    return std::max(MIN_SCALE, s);
}

QPointF CanvasWidget::origin() const {
    const double dpr = devicePixelRatioF(), k = scale() / TWIPS_PER_PIXEL;
    auto centred = [dpr](double room, double used) {
        return std::max(0.0, std::floor((room - used) / 2 * dpr) / dpr);
    };
    return {centred(width(), DESIGN_WIDTH * k), centred(height(), DESIGN_HEIGHT * k)};
}

QPointF CanvasWidget::toTwips(QPointF pixels) const {
    return (pixels - origin()) * (TWIPS_PER_PIXEL / scale());
}

QPointF CanvasWidget::toPixels(QPointF twips) const {
    return twips * (scale() / TWIPS_PER_PIXEL) + origin();
}

QRectF CanvasWidget::designRect() const {
    TwipMap map(scale() / TWIPS_PER_PIXEL, devicePixelRatioF());
    return {origin(), QSizeF(map.x(DESIGN_WIDTH), map.y(DESIGN_HEIGHT))};
}

QRect CanvasWidget::toWidget(const QRectF& twips) const {
    return QRectF(toPixels(twips.topLeft()), toPixels(twips.bottomRight()))
        .toAlignedRect()
        .adjusted(-1, -1, 1, 1);
}

void CanvasWidget::drawPicture(int code, double left, double top) {
    if (hasPicture(code)) add(CanvasOp::picture(code, left, top));
}

void CanvasWidget::drawOutline(int colour, double left, double top, double right, double bottom) {
    add(CanvasOp::outline(colour, left, top, right, bottom));
}

void CanvasWidget::drawText(double left, double top, const QString& text, int colour, int size,
                            bool bold) {
    if (!text.isEmpty()) add(CanvasOp::label(left, top, text, colour, size, bold));
}

void CanvasWidget::add(CanvasOp op) {
    if (!std::isfinite(op.left) || !std::isfinite(op.top) || !std::isfinite(op.right) ||
        !std::isfinite(op.bottom))
        return;
    if (op.kind == CanvasOp::Kind::Picture && isBackground(op.code) && op.code != background_) {
        background_ = op.code;
        marginsStale_ = true;
    }
    ops_.push_back(std::move(op));
    // Drawn while nothing is shown: keep the list short all the same.
    if (ops_.size() - shown_ > 2 * compactAt_) {
        compact();
        shown_ = 0;
    }
}

void CanvasWidget::compact() {
    compactOps(ops_);
    compactAt_ = std::max(MIN_COMPACT, 2 * ops_.size());
}

void CanvasWidget::flush() {
    if (!isVisible()) return;
    QRegion dirty;
    int places = 0;
    QRect around;
    for (std::size_t i = shown_; i < ops_.size(); ++i) {
        QRect r = toWidget(ops_[i].bounds) & rect();
        around |= r;
        if (++places <= MAX_DIRTY_RECTS) dirty += r;
    }
    if (places > MAX_DIRTY_RECTS) dirty = around;
    if (marginsStale_) dirty += QRegion(rect()).subtracted(designRect().toAlignedRect());
    marginsStale_ = false;
    shown_ = ops_.size();
    if (ops_.size() > compactAt_) {
        compact();
        shown_ = ops_.size();
    }
    if (!dirty.isEmpty()) repaint(dirty);
}

void CanvasWidget::paintMargins(QPainter& painter, const QRect& area, const TwipMap& map) {
    const QRectF design = designRect();
    if (!isBackground(background_) || design.contains(area)) return;
    painter.save();
    painter.setClipRegion(QRegion(area).subtracted(design.toRect()));
    painter.translate(design.topLeft());
    const QPointF from = toTwips(area.topLeft()), to = toTwips(area.bottomRight() + QPoint(1, 1));
    const int x0 = int(std::floor((from.x() - GRID_LEFT) / CELL_WIDTH));
    const int x1 = int(std::floor((to.x() - GRID_LEFT) / CELL_WIDTH));
    const int y0 = int(std::floor((from.y() - GRID_TOP) / CELL_HEIGHT));
    const int y1 = int(std::floor((to.y() - GRID_TOP) / CELL_HEIGHT));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double left = GRID_LEFT + x * CELL_WIDTH, top = GRID_TOP + y * CELL_HEIGHT;
            if (design.contains(toWidget(QRectF(left, top, CELL_WIDTH, CELL_HEIGHT)))) continue;
            paintPicture(painter, background_,
                         QRectF(QPointF(map.x(left), map.y(top)),
                                QPointF(map.x(left + CELL_WIDTH), map.y(top + CELL_HEIGHT))));
        }
    painter.restore();
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    const double k = scale();
    const double dpr = devicePixelRatioF();
    // Pictures are made for one size of cell: a new scale makes them afresh.
    if (k * dpr != paintedScale_) {
        clearArtworkCache();
        paintedScale_ = k * dpr;
    }
    TwipMap map(k / TWIPS_PER_PIXEL, dpr);
    const QRegion& region = event->region();
    const QRect area = event->rect();
    QPainter painter(this);
    painter.fillRect(area, standardColour(WINDOW_COLOUR));
    paintMargins(painter, area, map);

    const QRectF design = designRect();
    painter.setClipRect(design);
    painter.translate(design.topLeft());
    const bool fewPlaces = region.rectCount() <= MAX_DIRTY_RECTS;
    const QPointF o = design.topLeft();
    const double f = k / TWIPS_PER_PIXEL;
    auto pixels = [&](const QRectF& b) {
        return QRectF(b.left() * f + o.x(), b.top() * f + o.y(), b.width() * f, b.height() * f);
    };
    // What the latest pictures cover completely need not be painted from the older calls: a
    // clock or a square drawn over and over is painted once, not once per drawing.
    const QRect target = area & design.toAlignedRect();
    std::size_t first = 0;
    QRegion open(target);
    for (std::size_t i = ops_.size(), looked = 0; i-- > 0 && looked < MAX_COVER_LOOKS;) {
        const CanvasOp& op = ops_[i];
        if (op.kind != CanvasOp::Kind::Picture || op.code == -3) continue;
        // The pixels the picture paints for sure: its cell, snapped as painting snaps it.
        const QRectF& b = op.bounds;
        const QRect inner(
            QPoint(int(std::ceil(map.x(b.left()) + o.x())), int(std::ceil(map.y(b.top()) + o.y()))),
            QPoint(int(std::floor(map.x(b.right()) + o.x())) - 1,
                   int(std::floor(map.y(b.bottom()) + o.y())) - 1));
        if (!inner.intersects(target)) continue;
        ++looked;
        open -= inner;
        if (open.isEmpty()) {
            first = i;
            break;
        }
    }
    for (std::size_t i = first; i < ops_.size(); ++i) {
        const QRect r = pixels(ops_[i].bounds).toAlignedRect().adjusted(-1, -1, 1, 1);
        if (fewPlaces ? region.intersects(r) : area.intersects(r)) paintOp(painter, ops_[i], map);
    }
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Everything is painted again: only what can be seen is worth painting.
    compact();
    shown_ = ops_.size();
    marginsStale_ = false;
    update();
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    // Any button other than the right one acts as the left one.
    int button = event->button() == Qt::RightButton ? 2 : 1;
    QPointF twips = toTwips(event->position());
    if (onPress) onPress(button, twips.x(), twips.y());
    event->accept();
}
