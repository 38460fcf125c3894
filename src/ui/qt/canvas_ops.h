#pragma once
#include <QRectF>
#include <QTransform>
#include <QString>
#include <vector>

class QPainter;

#include "ui/geometry.h"

// A cell is CELL_W × CELL_H twips (ui/geometry.h); 15 twips are one pixel at scale 1.
inline constexpr double TWIPS_PER_PIXEL = 15;

// One drawing call on the canvas, kept so that the canvas can be painted again at any size.
struct CanvasOp {
    enum class Kind { Picture, Outline, Text };
    Kind kind = Kind::Picture;
    int code = 0;  // the picture code, or the colour of an outline or a text
    double left = 0, top = 0, right = 0, bottom = 0;  // twips; right/bottom only for outlines
    QString text;
    int size = 0;
    bool bold = false;
    QRectF bounds;  // twips that the call may touch, at any scale

    static CanvasOp picture(int code, double left, double top);
    static CanvasOp outline(int colour, double left, double top, double right, double bottom);
    static CanvasOp label(double left, double top, const QString& text, int colour, int size,
                          bool bold);
};

// Twips to logical pixels at one scale. Positions are rounded to whole device pixels, so that
// neighbouring cells meet without a seam and lines stay one crisp pixel wide at scale 1.
class TwipMap {
public:
    TwipMap(double pixelsPerTwip, double devicePixelRatio);
    double x(double twips) const;
    double y(double twips) const { return x(twips); }
    double pixelsPerTwip() const { return k_; }
    // A line of this many twips: whole device pixels, at least one.
    double lineWidth(double twips) const;

private:
    double k_, dpr_;
};

// The canvas's text face: proportional Latin letters and digits.
inline constexpr const char* CANVAS_FONT = "IPAPGothic";

void paintOp(QPainter& painter, const CanvasOp& op, const TwipMap& map);
// Has the picture of a picture op drawn ahead on a helper thread (artwork.h).
void paintAhead(const CanvasOp& op, const TwipMap& map, const QTransform& toDevice);

// Drops every op that later pictures cover completely: pictures paint their whole cell, so
// such an op can no longer be seen. Keeps the order of the rest.
void compactOps(std::vector<CanvasOp>& ops);
