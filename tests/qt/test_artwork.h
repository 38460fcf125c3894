#pragma once
#include <QColor>
#include <vector>

// The window's tests paint every picture in one flat colour of its own.
inline QColor pictureColour(int code) {
    return QColor((code * 37 + 128) & 255, (code * 11 + 64) & 255, 200);
}

// How often the window has dropped the pictures prepared at the old size.
inline int artworkCacheClears = 0;
// The codes of the pictures asked for ahead.
inline std::vector<int> picturesAskedAhead;
