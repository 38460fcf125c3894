// What the storm's many window sizes leave in memory, counted rather than timed.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <malloc.h>

#include <mutex>

#include "ui/qt/artwork.h"
#include "ui/qt/artwork_cache.h"

namespace {

std::size_t heapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

// The empty square, pieces of both sides, a tile, the title and a text, at one cell size.
void paintSome(double side) {
    QImage target(8, 8, QImage::Format_RGB32);
    QPainter p(&target);
    for (int code : {0, -10, 21, -61, 80, 6, -3})
        paintPicture(p, code, QRectF(0, 0, side, side * 615 / 495));
    QFont font;
    font.setPixelSize(int(side / 2));
    paintText(p, QPointF(0, 0), QStringLiteral("先手の番です"), font, Qt::black);
}

}  // namespace

// A painted image keeps the painter's buffers, often larger than its pixels, as long as it
// lives: a window dragged through many sizes fills the memory with them.
TEST(StormMemory, KeptPicturesCostTheirPixels) {
#ifdef TORVANE_STORM_SANITIZED
    GTEST_SKIP() << "the sanitizer's heap is not the C library's";
#endif
    paintSome(40);  // the fonts and the painter's own buffers, once for every size
    clearArtworkCache();
    const std::size_t before = heapInUse();
    paintSome(80);
    const std::size_t grown = heapInUse() - before;
    std::size_t pixels = 0;
    {
        artwork::Kept& k = artwork::kept();
        std::lock_guard lock(k.mutex);
        for (const auto& [request, picture] : k.pictures) pixels += picture.get().sizeInBytes();
        for (const auto& [request, text] : k.texts) pixels += text.image.sizeInBytes();
    }
    ASSERT_GT(pixels, std::size_t{256} << 10);
    EXPECT_LT(grown, pixels + pixels / 4) << pixels << " bytes of pixels";
    clearArtworkCache();
}
