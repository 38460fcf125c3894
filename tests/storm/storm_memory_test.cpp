// What the storm's window sizes leave in memory, counted rather than timed.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <malloc.h>

#include <mutex>
#include <vector>

#include "ui/qt/artwork.h"
#include "ui/qt/artwork_cache.h"

namespace {

const std::vector<int> CODES = {0,   -10, -11, -20, -21, -30, -31, -40, -41, -50, -60, -61,
                                -70, -71, -80, 10,  11,  20,  21,  30,  31,  40,  41,  50,
                                60,  61,  70,  71,  80,  5,   6,   7,   8,   9,   -3};

std::size_t heapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

// Every picture, and a text, at one cell size in device pixels.
void paintAll(double side) {
    QImage target(8, 8, QImage::Format_RGB32);
    QPainter p(&target);
    for (int code : CODES) paintPicture(p, code, QRectF(0, 0, side, side * 615 / 495));
    QFont font;
    font.setPixelSize(int(side / 2));
    paintText(p, QPointF(0, 0), QStringLiteral("先手の番です"), font, Qt::black);
}

}  // namespace

// A painted image keeps the painter's buffers, often larger than its pixels, for as long as
// it lives: the kept pictures must hold their pixels alone.
TEST(StormMemory, KeptPicturesCostTheirPixels) {
    clearArtworkCache();
    paintAll(40);  // the fonts and the painter's own buffers, once for all sizes
    clearArtworkCache();
    const std::size_t before = heapInUse();
    paintAll(120);
    const std::size_t grown = heapInUse() - before;
    std::size_t pixels = 0;
    {
        artwork::Kept& k = artwork::kept();
        std::lock_guard lock(k.mutex);
        for (const auto& [request, picture] : k.pictures)
            pixels += std::size_t(picture.get().sizeInBytes());
        for (const auto& [request, text] : k.texts) pixels += std::size_t(text.image.sizeInBytes());
    }
    ASSERT_GT(pixels, std::size_t{1} << 20);
    EXPECT_LT(grown, pixels + pixels / 4) << pixels << " bytes of pixels";
    clearArtworkCache();
}

