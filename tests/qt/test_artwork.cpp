// Pictures of known colours in place of the artwork.
#include "test_artwork.h"

#include <QFontMetricsF>
#include <QPainter>

#include "ui/qt/artwork.h"

void paintPicture(QPainter& painter, int code, const QRectF& cell) {
    painter.fillRect(cell, pictureColour(code));
}

void paintAhead(int code, const QRectF&, const QTransform&) { picturesAskedAhead.push_back(code); }

void finishPaintingAhead() {}

// Texts straight from their fonts.
void paintText(QPainter& painter, const QPointF& topLeft, const QString& text, const QFont& font,
               const QColor& colour) {
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + QFontMetricsF(font).ascent()), text);
    painter.restore();
}

QSizeF textExtent(const QFont& font, const QString& text) {
    const QFontMetricsF metrics(font);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

int keepPicturesIn(const std::string&) { return 0; }

bool savePictures() { return false; }

void clearArtworkCache() { ++artworkCacheClears; }

double pictureWidthInCells(int code) { return code == -3 ? 3.5 : 1; }
