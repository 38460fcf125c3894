#pragma once
#include <QRectF>
class QPainter;
// Paints the picture of a code filling the cell rect (0 empty square, piece codes, 5..9 tiles, -3 title).
void paintPicture(QPainter& painter, int code, const QRectF& cell);
void clearArtworkCache();
