// Pictures of known colours in place of the artwork.
#include "test_artwork.h"

#include <QPainter>

#include "ui/qt/artwork.h"

void paintPicture(QPainter& painter, int code, const QRectF& cell) {
    painter.fillRect(cell, pictureColour(code));
}

void paintAhead(int, const QRectF&, const QTransform&) {}

void finishPaintingAhead() {}

int keepPicturesIn(const std::string&) { return 0; }

bool savePictures() { return false; }

void clearArtworkCache() { ++artworkCacheClears; }

double pictureWidthInCells(int code) { return code == -3 ? 3.5 : 1; }
