#pragma once
#include <QRegion>
#include <QWidget>
#include <functional>
#include <vector>

#include "ui/qt/canvas_ops.h"

// The window's drawing surface, addressed in twips. What is drawn stays until something is
// drawn over it: the calls since the canvas was last covered are kept and painted again into
// whatever part Qt asks for, so it is sharp at every scale and needs no image of its own (Qt's
// backing store keeps the pixels).
//
// The design area is centred in the widget at the largest whole-window scale; the margins
// around it show the current background tiles, continuing the cell grid.
class CanvasWidget : public QWidget {
public:
    // The part of the canvas the window is sized for, in twips: the board with both stands and
    // clocks, the labels and title above, and the record row below.
    static constexpr double DESIGN_WIDTH = 9600;
    static constexpr double DESIGN_HEIGHT = 7200;
    // The canvas never shrinks below the design size at scale 1.
    static constexpr double MIN_SCALE = 1;

    explicit CanvasWidget(QWidget* parent = nullptr);

    void drawPicture(int code, double left, double top);
    void drawOutline(int colour, double left, double top, double right, double bottom);
    void drawText(double left, double top, const QString& text, int colour, int size, bool bold);
    // Shows everything drawn so far, now.
    void flush();

    // Pixels per 15 twips: 1 when the design area is 640 × 480.
    double scale() const;
    // Where twip (0, 0) lies in the widget, on a whole device pixel.
    QPointF origin() const;
    QPointF toTwips(QPointF pixels) const;
    QPointF toPixels(QPointF twips) const;
    std::size_t opCount() const { return ops_.size(); }

    // A mouse button went down: 1 left, 2 right; the position in twips.
    std::function<void(int button, double x, double y)> onPress;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void add(CanvasOp op);
    void compact();
    QRectF designRect() const;
    QRect toWidget(const QRectF& twips) const;
    void paintMargins(QPainter& painter, const QRect& area, const TwipMap& map);

    std::vector<CanvasOp> ops_;
    std::size_t shown_ = 0;  // ops_ before this index have been asked to be painted
    std::size_t compactAt_;
    int background_ = 0;  // the latest background tile drawn, 0 before any
    bool marginsStale_ = false;
    double paintedScale_ = 0;  // the scale the kept pictures were made for
};
