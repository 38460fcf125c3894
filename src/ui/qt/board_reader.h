#pragma once
#include <QRectF>
#include <QString>
#include <vector>

#include "ui/reader_view.h"

class CanvasWidget;

// The canvas as a screen reader sees it: one named part for each square, for each stand,
// clock and move text, and for the move number, the level, the handicap and the move being
// typed. The names come from what the game hands over (ReaderView), in the words of the
// interface's language.
namespace board_reader {

// The parts in their order: the squares row by row from the top (9一 first), then these.
enum Part {
    SQUARES = 81,
    BOTTOM_STAND = SQUARES,
    TOP_STAND,
    BOTTOM_CLOCK,
    TOP_CLOCK,
    BOTTOM_MOVE,
    TOP_MOVE,
    MOVE_NUMBER,
    LEVEL,
    HANDICAP,
    TYPING,
    PART_COUNT
};

// The names of the parts.
std::vector<QString> names(const ReaderView& view);
// What is announced for the moves drawn, in order.
QString news(const ReaderView& view);
// Where a part is drawn, in twips.
QRectF place(int part);
// The canvas's own name, with what was last announced.
QString canvasName(const QString& announced);

// Makes the window's canvases known to Qt's accessibility; once, before the window is shown.
void install();

}  // namespace board_reader
