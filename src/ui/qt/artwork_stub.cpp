// Stand-in pictures in flat colours until the real artwork is in.
#include <QPainter>
#include <algorithm>

#include "ui/qt/artwork.h"

void paintPicture(QPainter& painter, int code, const QRectF& cell) {
    static const char* const kinds = " FKNGBKAR";  // 歩 香 桂 銀 金 角 飛 玉 by kind 1..8
    switch (code) {
    case 0:
        painter.fillRect(cell, QColor(0xE8, 0xC8, 0x80));
        return;
    case 5:
        painter.fillRect(cell, QColor(0x10, 0x70, 0x20));
        return;
    case 6:
        painter.fillRect(cell, QColor(0xB8, 0xB0, 0x60));
        return;
    case 7:
        painter.fillRect(cell, QColor(0x60, 0xA0, 0x40));
        return;
    case 8:
        painter.fillRect(cell, QColor(0x10, 0x10, 0x40));
        return;
    case 9:
        painter.fillRect(cell, QColor(0xA0, 0x40, 0x30));
        return;
    case -3:
        painter.fillRect(cell, QColor(0x80, 0x20, 0x20));
        return;
    default:
        break;
    }
    int kind = (code < 0 ? -code : code) / 10;
    if (kind < 1 || kind > 8) return;
    painter.fillRect(cell, QColor(0xF0, 0xE0, 0xB0));
    QFont font = painter.font();
    font.setPixelSize(std::max(1, int(cell.height() / 3)));
    painter.save();
    painter.setFont(font);
    painter.setPen(code % 10 ? Qt::red : Qt::black);
    painter.drawText(cell, Qt::AlignCenter, QString(QChar(kinds[kind])) + (code > 0 ? "v" : "^"));
    painter.restore();
}

void clearArtworkCache() {}
