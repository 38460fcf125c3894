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

bool isBackground(int code) { return code >= 5 && code <= 9; }

}  // namespace

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent), compactAt_(MIN_COMPACT) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(int(DESIGN_WIDTH / TWIPS_PER_PIXEL), int(DESIGN_HEIGHT / TWIPS_PER_PIXEL));
}

CanvasWidget::~CanvasWidget() { finishPaintingAhead(); }

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
    // Drawn while the window is being made: the first frame will need the picture.
    if (!isVisible() && op.kind == CanvasOp::Kind::Picture) {
        const double dpr = devicePixelRatioF();
        const QPointF at = QPointF(mapTo(window(), QPoint())) + origin();
        QTransform toDevice = QTransform::fromScale(dpr, dpr);
        toDevice.translate(at.x(), at.y());
        paintAhead(op, TwipMap(scale() / TWIPS_PER_PIXEL, dpr), toDevice);
    }
    ops_.push_back(std::move(op));
    // Drawn while nothing is shown: keep the list short all the same.
    if (ops_.size() - rendered_ > 2 * compactAt_) {
        compactOps(ops_);
        rendered_ = 0;
        compactAt_ = std::max(MIN_COMPACT, 2 * ops_.size());
    }
}

void CanvasWidget::flush() {
    if (!isVisible()) return;
    followScale();
    collectDirty();
    if (std::exchange(marginsStale_, false)) dirty_ = rect();
    if (dirty_.isEmpty()) return;
    QRect area = dirty_.toAlignedRect().adjusted(-1, -1, 1, 1);
    dirty_ = {};
    repaint(area);
}

// The pictures are painted for one scale; at another they are painted afresh, and everything
// is shown again.
void CanvasWidget::followScale() {
    const double dpr = devicePixelRatioF(), k = scale();
    if (paintedScale_ == k && paintedDpr_ == dpr) return;
    // Not before the first paint: the pictures painted ahead are for it.
    if (paintedScale_ != 0) clearArtworkCache();
    paintedScale_ = k;
    paintedDpr_ = dpr;
    compactOps(ops_);
    compactAt_ = std::max(MIN_COMPACT, 2 * ops_.size());
    rendered_ = ops_.size();
    dirty_ = rect();
}

// The widget pixels that the calls drawn since the last flush may have changed.
void CanvasWidget::collectDirty() {
    if (rendered_ >= ops_.size()) return;
    const double k = paintedScale_ / TWIPS_PER_PIXEL;
    const QPointF o = origin();
    for (std::size_t i = rendered_; i < ops_.size(); ++i) {
        const QRectF& b = ops_[i].bounds;
        dirty_ |= QRectF(b.left() * k + o.x(), b.top() * k + o.y(), b.width() * k, b.height() * k);
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
        TwipMap map(paintedScale_ / TWIPS_PER_PIXEL, devicePixelRatioF());
        painter.translate(design.topLeft());
        const QPointF from = toTwips(area.topLeft());
        const QPointF to = toTwips(area.bottomRight() + QPoint(1, 1));
        // The cell grid, continued into the margins.
        const int x0 = cellColumn(from.x()), x1 = cellColumn(to.x());
        const int y0 = cellRow(from.y()), y1 = cellRow(to.y());
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const double left = セル左(x), top = セル上(y);
                paintPicture(painter, background_,
                             QRectF(QPointF(map.x(left), map.y(top)),
                                    QPointF(map.x(left + CELL_W), map.y(top + CELL_H))));
            }
    }
    painter.restore();
}

// Qt's own backing store keeps the window's pixels; an exposed or changed part is painted
// again from the calls that reach into it, in their order.
void CanvasWidget::paintEvent(QPaintEvent* event) {
    followScale();
    QPainter painter(this);
    const QRect area = event->rect();
    const QRectF design = designRect();
    paintMargins(painter, area, design);
    const QRectF shown = QRectF(area) & design;
    if (shown.isEmpty()) return;
    painter.setClipRect(shown);
    painter.fillRect(shown, standardColour(WINDOW_COLOUR));
    painter.translate(design.topLeft());
    const TwipMap map(paintedScale_ / TWIPS_PER_PIXEL, devicePixelRatioF());
    const double k = map.pixelsPerTwip();
    // In twips, a device pixel wider all round for the rounding of positions.
    const double slack = 1 / k;
    const QRectF reach = QRectF((shown.topLeft() - design.topLeft()) / k, shown.size() / k)
                             .adjusted(-slack, -slack, slack, slack);
    std::vector<const CanvasOp*> reached;
    for (const CanvasOp& op : ops_)
        if (op.bounds.intersects(reach)) reached.push_back(&op);
    for (const CanvasOp* op : reached) paintAhead(*op, map, painter.deviceTransform());
    for (const CanvasOp* op : reached) paintOp(painter, *op, map);
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
