#pragma once
// The painting of the artwork, shared by the cache that keeps the pictures and the file that
// keeps them between runs.
#include <QImage>

namespace artwork {

constexpr int TITLE = -3;
constexpr double TITLE_CELLS = 3.5;
// Larger pictures are drawn at this size and scaled; nobody plays on a 2000-pixel square.
constexpr int MAX_SIDE = 2048;

enum class Picture { None, Empty, Piece, Tile, Title };

Picture pictureOf(int code);

// The picture of a code, imageWidth x h device pixels. A piece stands on `square`, the board
// square painted at the same size (shared, so it is painted once).
QImage render(int code, int h, int imageWidth, const QImage& square);

}  // namespace artwork
