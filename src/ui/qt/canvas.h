#pragma once
#include <QWidget>
#include <functional>
#include <vector>

#include "ui/qt/canvas_ops.h"

// The window's drawing surface, addressed in twips. What is drawn stays until something is
// drawn over it. The calls since the canvas was last covered are kept, and the part of the
// window that is shown again (changed, exposed, resized) is painted from them at the current
// size and pixel density, so it is sharp at every scale. The window's pixels live only in
// Qt's backing store.
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
    // The pictures being painted ahead are finished first: they use the application's fonts.
    ~CanvasWidget() override;
    CanvasWidget(const CanvasWidget&) = delete;
    CanvasWidget& operator=(const CanvasWidget&) = delete;

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

    // The names a screen reader reads (ui/qt/board_reader.h): the parts', and the canvas's
    // own for part -1. Setting them tells a listening reader what changed and announces
    // `announced`.
    void setReaderNames(std::vector<QString> names, const QString& announced);
    QString readerName(int part) const;

    // A mouse button went down: 1 left, 2 right; the position in twips.
    std::function<void(int button, double x, double y)> onPress;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void add(CanvasOp op);
    void followScale();
    void collectDirty();
    QRectF designRect() const;
    void paintMargins(QPainter& painter, const QRect& area, const QRectF& design);

    std::vector<CanvasOp> ops_;
    std::size_t rendered_ = 0;  // ops_ before this index are in dirty_ or on the screen
    std::size_t compactAt_;
    double paintedScale_ = 0, paintedDpr_ = 0;  // what the pictures are painted for
    QRectF dirty_;        // logical pixels of the widget painted since the last flush
    int background_ = 0;  // the latest background tile drawn, 0 before any
    bool marginsStale_ = false;
    std::vector<QString> readerNames_;
    QString readerCanvasName_;
};
