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

}  // namespace

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent), compactAt_(MIN_COMPACT) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(160, 120);
}

double CanvasWidget::scale() const {
    double s = std::min(width() / (DESIGN_WIDTH / TWIPS_PER_PIXEL),
                        height() / (DESIGN_HEIGHT / TWIPS_PER_PIXEL));
    return std::max(MIN_SCALE, s);
}

QPointF CanvasWidget::toTwips(QPointF pixels) const { return pixels * (TWIPS_PER_PIXEL / scale()); }

QPointF CanvasWidget::toPixels(QPointF twips) const { return twips * (scale() / TWIPS_PER_PIXEL); }

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
    if (dirty_.isEmpty()) return;
    QRect area = dirty_.toAlignedRect().adjusted(-1, -1, 1, 1);
    dirty_ = {};
    repaint(area);
}

void CanvasWidget::ensureBacking() {
    double dpr = devicePixelRatioF();
    QSize device(int(std::ceil(width() * dpr)), int(std::ceil(height() * dpr)));
    double k = scale();
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
    double k = map.pixelsPerTwip();
    {
        QPainter painter(&backing_);
        for (std::size_t i = rendered_; i < ops_.size(); ++i) {
            paintOp(painter, ops_[i], map);
            const QRectF& b = ops_[i].bounds;
            dirty_ |= QRectF(b.left() * k, b.top() * k, b.width() * k, b.height() * k);
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

void CanvasWidget::paintEvent(QPaintEvent* event) {
    ensureBacking();
    renderPending();
    QPainter painter(this);
    QRectF area = event->rect();
    double dpr = backing_.devicePixelRatio();
    painter.drawImage(area, backing_, QRectF(area.topLeft() * dpr, area.size() * dpr));
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
