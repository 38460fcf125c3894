#include "ui/qt/canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

#include "ui/drawing.h"
#include "ui/qt/artwork.h"
#include "ui/qt/colours.h"

namespace {

// A full redraw is about a thousand calls; the list is compacted when it has doubled.
constexpr std::size_t MIN_COMPACT = 2048;
constexpr int WINDOW_COLOUR = 2;
// The cell grid, continued into the margins.
constexpr double GRID_LEFT = 1050, GRID_TOP = 100;

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

void CanvasWidget::drawPicture(int code, double left, double top) {
    if (絵あり(code)) add(CanvasOp::picture(code, left, top));
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
    if (ops_.size() - rendered_ > 2 * compactAt_) {
        compactOps(ops_);
        rendered_ = 0;
        stale_ = true;
        compactAt_ = std::max(MIN_COMPACT, 2 * ops_.size());
    }
}

void CanvasWidget::flush() {
    if (!isVisible()) return;
    ensureBacking();
    renderPending();
    if (std::exchange(marginsStale_, false)) dirty_ = rect();
    if (dirty_.isEmpty()) return;
    QRect area = dirty_.toAlignedRect().adjusted(-1, -1, 1, 1);
    dirty_ = {};
    repaint(area);
}

// The image holds the design area only; the margins are painted from the tiles.
void CanvasWidget::ensureBacking() {
    const double dpr = devicePixelRatioF(), k = scale();
    const QSize device(int(std::lround(DESIGN_WIDTH * k / TWIPS_PER_PIXEL * dpr)),
                       int(std::lround(DESIGN_HEIGHT * k / TWIPS_PER_PIXEL * dpr)));
    if (!stale_ && backing_.size() == device && backing_.devicePixelRatio() == dpr &&
        backingScale_ == k)
        return;
    stale_ = false;
    if (backingScale_ != k || backing_.devicePixelRatio() != dpr) clearArtworkCache();
    backing_ = QImage(device, QImage::Format_RGB32);
    backing_.setDevicePixelRatio(dpr);
    backing_.fill(standardColour(WINDOW_COLOUR));
    backingScale_ = k;
    compactOps(ops_);
    compactAt_ = std::max(MIN_COMPACT, 2 * ops_.size());
    rendered_ = 0;
    dirty_ = rect();
}

void CanvasWidget::renderPending() {
    if (backing_.isNull() || rendered_ >= ops_.size()) return;
    TwipMap map(backingScale_ / TWIPS_PER_PIXEL, backing_.devicePixelRatio());
    const double k = map.pixelsPerTwip();
    const QPointF o = origin();
    {
        QPainter painter(&backing_);
        for (std::size_t i = rendered_; i < ops_.size(); ++i) {
            paintOp(painter, ops_[i], map);
            const QRectF& b = ops_[i].bounds;
            dirty_ |=
                QRectF(b.left() * k + o.x(), b.top() * k + o.y(), b.width() * k, b.height() * k);
        }
    }
    dirty_ &= QRectF(rect());
    rendered_ = ops_.size();
    if (ops_.size() > compactAt_) {
        compactOps(ops_);
        rendered_ = ops_.size();
        compactAt_ = std::max(MIN_COMPACT, 2 * ops_.size());
    }
}

// Beyond the design area the background goes on, tile by tile on the same grid.
void CanvasWidget::paintMargins(QPainter& painter, const QRect& area, const QRectF& design) {
    const QRegion margins = QRegion(area).subtracted(design.toAlignedRect());
    if (margins.isEmpty()) return;
    painter.save();
    painter.setClipRegion(margins);
    painter.fillRect(area, standardColour(WINDOW_COLOUR));
    if (isBackground(background_)) {
        TwipMap map(backingScale_ / TWIPS_PER_PIXEL, devicePixelRatioF());
        painter.translate(design.topLeft());
        const QPointF from = toTwips(area.topLeft());
        const QPointF to = toTwips(area.bottomRight() + QPoint(1, 1));
        const int x0 = int(std::floor((from.x() - GRID_LEFT) / CELL_WIDTH));
        const int x1 = int(std::floor((to.x() - GRID_LEFT) / CELL_WIDTH));
        const int y0 = int(std::floor((from.y() - GRID_TOP) / CELL_HEIGHT));
        const int y1 = int(std::floor((to.y() - GRID_TOP) / CELL_HEIGHT));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const double left = GRID_LEFT + x * CELL_WIDTH, top = GRID_TOP + y * CELL_HEIGHT;
                paintPicture(painter, background_,
                             QRectF(QPointF(map.x(left), map.y(top)),
                                    QPointF(map.x(left + CELL_WIDTH), map.y(top + CELL_HEIGHT))));
            }
    }
    painter.restore();
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    ensureBacking();
    renderPending();
    QPainter painter(this);
    const QRect area = event->rect();
    const QRectF design = designRect();
    paintMargins(painter, area, design);
    const QRectF shown = QRectF(area) & design;
    if (shown.isEmpty()) return;
    const double dpr = backing_.devicePixelRatio();
    painter.drawImage(shown, backing_,
                      QRectF((shown.topLeft() - design.topLeft()) * dpr, shown.size() * dpr));
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    update();
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    // Any button other than the right one acts as the left one.
    int button = event->button() == Qt::RightButton ? 2 : 1;
    QPointF twips = toTwips(event->position());
    if (onPress) onPress(button, twips.x(), twips.y());
    event->accept();
}
