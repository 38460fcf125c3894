#pragma once
#include <QColor>
#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QTransform>
#include <string>
class QPainter;

// Paints the picture of a code, as 描画_絵 names them, filling the cell rectangle: 0 the empty
// square, a piece code (COM positive, pointing down; MAN negative, pointing up; promoted = odd),
// 5..9 the background tiles (green, tatami, bamboo, space, brick), -3 the title picture.
// Any other code paints nothing. The rectangle is one cell (495 x 615 twips in the canvas'
// own coordinates, which the window scales); the title picture may overflow its cell to the
// right, by 2.5 cells.
//
// Each picture is drawn once per device pixel size and kept, so a full redraw is a run of
// plain copies; the copy lands on whole device pixels, the edges of neighbouring cells meet
// without gaps, and nothing is ever stretched from a bitmap made for another size.
void paintPicture(QPainter& painter, int code, const QRectF& cell);

// Starts drawing, on a helper thread, the picture that paintPicture will copy into this cell
// on a painter with this device transform, so that it is ready by then. Nothing happens for
// a picture that is kept already or a view that is not upright. A paint that is about to
// need many new pictures asks for them all first, and they are drawn on every core.
void paintAhead(int code, const QRectF& cell, const QTransform& toDevice);
// Waits for the picture each helper has in hand, forgets the rest it was asked for, and ends
// the helpers. Called before the application object goes, whose fonts the pictures use.
void finishPaintingAhead();

// Texts are kept as pictures too. A text in a font and colour is drawn once for a device scale,
// then copied to whole device pixels; the top left of its line of text is `topLeft`. Where the
// painter is not upright or the place falls between device pixels it is drawn as text.
void paintText(QPainter& painter, const QPointF& topLeft, const QString& text, const QFont& font,
               const QColor& colour);
// The advance and the line height of a text in a font, measured once and kept.
QSizeF textExtent(const QFont& font, const QString& text);

// Keeps the pictures in a file from one run to the next: takes the pictures saved there by
// this very build (any other file gives none), and answers how many, texts included. `savePictures`
// writes the pictures now kept there, if new ones were painted; false when it wrote nothing.
int keepPicturesIn(const std::string& path);
bool savePictures();

// Forgets every kept picture (the next paint draws them afresh).
void clearArtworkCache();

// How many cells wide the picture of a code is: 1, or 3.5 for the title; 0 if it has none.
double pictureWidthInCells(int code);
