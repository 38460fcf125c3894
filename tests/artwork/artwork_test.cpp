#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QFontMetricsF>
#include <QPainter>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <filesystem>
#include <future>
#include <cstdint>
#include <cstdio>
#include <string>
#include <cmath>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "../temp_dir.h"
#include "ui/qt/artwork.h"
#include "ui/qt/artwork_cache.h"
#include "ui/qt/artwork_paint.h"

namespace {

constexpr double CELL_W = 495, CELL_H = 615;

// Every code 描画_絵 has a picture for.
const std::vector<int> CODES = {0,   -10, -11, -20, -21, -30, -31, -40, -41, -50, -60, -61,
                                -70, -71, -80, 10,  11,  20,  21,  30,  31,  40,  41,  50,
                                60,  61,  70,  71,  80,  5,   6,   7,   8,   9,   -3};

QImage blank(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// A canvas in twips as the window has it, 15 twips to the pixel at scale 1, with cell (x, y)
// placed as the game places it.
struct Canvas {
    double scale;
    QImage img;
    explicit Canvas(double s, int cellsWide = 18, int cellsHigh = 4)
        : scale(s), img(blank(int(cellsWide * 33 * s), int(cellsHigh * 41 * s))) {}
    QRectF cell(double x, double y) const { return QRectF(x * CELL_W, y * CELL_H, CELL_W, CELL_H); }
    void paint(int code, double x, double y) {
        QPainter p(&img);
        p.scale(scale / 15, scale / 15);
        paintPicture(p, code, cell(x, y));
    }
    // The device pixels a cell covers: both edges rounded, as neighbouring cells share them.
    QRect pixels(double x, double y, double cells = 1) const {
        const double k = scale / 15;
        const int l = int(std::lround(x * CELL_W * k)), t = int(std::lround(y * CELL_H * k));
        const int r = int(std::lround((x * CELL_W + cells * CELL_W) * k));
        const int b = int(std::lround((y + 1) * CELL_H * k));
        return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
    }
};

int opaqueIn(const QImage& img, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += qAlpha(img.pixel(x, y)) == 255;
    return n;
}

int paintedOutside(const QImage& img, const QRect& r) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += !r.contains(x, y) && qAlpha(img.pixel(x, y)) != 0;
    return n;
}

QImage alone(int code, double scale) {
    Canvas c(scale, 1, 1);
    c.paint(code, 0, 0);
    return c.img;
}

}  // namespace

TEST(Artwork, EveryPictureCoversExactlyItsCell) {
    for (double scale : {1.0, 1.5, 2.0, 3.0}) {
        for (int code : CODES) {
            SCOPED_TRACE(testing::Message() << "code " << code << " scale " << scale);
            Canvas c(scale);
            // Fractional cells fall between pixels: the title's 10.8 among them.
            const double x = code == -3 ? 10.8 : 1.3, y = 1.7;
            c.paint(code, x, y);
            if (code == -3) {
                const QRect room = c.pixels(x, y, 3.5);
                EXPECT_GT(opaqueIn(c.img, room), room.width() * room.height() / 2);
                EXPECT_EQ(paintedOutside(c.img, room), 0);
                // It reaches well into the third cell to the right.
                EXPECT_GT(opaqueIn(c.img, c.pixels(x + 2.5, y, 0.5)), 0);
            } else {
                const QRect r = c.pixels(x, y);
                EXPECT_EQ(opaqueIn(c.img, r), r.width() * r.height());
                EXPECT_EQ(paintedOutside(c.img, r), 0);
            }
        }
    }
}

TEST(Artwork, CodesWithoutAPicturePaintNothing) {
    clearArtworkCache();
    for (int code : {1,   2,  3,   4,  -1,  -2,  -4,   -5,   10 * 9,  -90,    12,
                     -12, 51, -51, 81, -81, 100, -100, 1000, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(pictureWidthInCells(code), 0);
        EXPECT_EQ(alone(code, 2), blank(66, 82));
    }
    EXPECT_EQ(pictureWidthInCells(-80), 1);
    EXPECT_EQ(pictureWidthInCells(-3), 3.5);

    // Nor does an empty cell or a painter that is not painting.
    Canvas c(2, 1, 1);
    QPainter p(&c.img);
    paintPicture(p, 0, QRectF(0, 0, 0, CELL_H));
    paintPicture(p, 0, QRectF(0, 0, CELL_W, -5));
    paintPicture(p, 0, QRectF(1e300, 0, CELL_W, CELL_H));
    paintPicture(p, 0, QRectF(std::nan(""), 0, CELL_W, CELL_H));
    p.end();
    paintPicture(p, 0, QRectF(0, 0, CELL_W, CELL_H));
    EXPECT_EQ(c.img, blank(66, 82));
    // Nothing of it was even painted aside.
    artwork::Kept& k = artwork::kept();
    std::lock_guard lock(k.mutex);
    EXPECT_TRUE(k.pictures.empty());
}

// How wide the piece is near its top and near its foot, by the pixels it changes on the board.
std::pair<int, int> topAndFoot(int code) {
    const QImage board = alone(0, 4), piece = alone(code, 4);
    auto width = [&](int y) {
        int n = 0;
        for (int x = 0; x < piece.width(); ++x) n += piece.pixel(x, y) != board.pixel(x, y);
        return n;
    };
    int top = 0, bottom = piece.height() - 1;
    while (top < bottom && width(top) == 0) ++top;
    while (bottom > top && width(bottom) == 0) --bottom;
    EXPECT_GT(bottom - top, piece.height() / 2);
    return {width(top + 4), width(bottom - 4)};
}

TEST(Artwork, ManPiecesPointUpComPiecesDown) {
    for (int code : {-10, -11, -20, -21, -30, -31, -40, -41, -50, -60, -61, -70, -71, -80}) {
        SCOPED_TRACE(code);
        const auto [manTop, manFoot] = topAndFoot(code);
        EXPECT_LT(manTop * 3, manFoot);
        const auto [comTop, comFoot] = topAndFoot(-code);
        EXPECT_LT(comFoot * 3, comTop);
    }
}

TEST(Artwork, EveryPictureDiffers) {
    std::vector<QImage> seen;
    for (int code : CODES) seen.push_back(alone(code, 2));
    for (std::size_t i = 0; i < seen.size(); ++i)
        for (std::size_t j = i + 1; j < seen.size(); ++j)
            EXPECT_NE(seen[i], seen[j]) << CODES[i] << " and " << CODES[j];
}

// Every pixel of every picture but the title (whose lettering comes from whichever serif face
// the desktop has) at a tenth and a fifth of the natural size, at it and at 2.5 times it,
// pinned: a change of a colour, a grain, a line or a bound that only the smallest tiles reach
// shows here. At 1.55 and 2.33 times it the kanji of some pieces are just past a step of their
// stroke's weight. A picture that changes on purpose gets its new value in the same commit,
// which says so.
TEST(Artwork, EveryPictureIsTheOneDrawnBefore) {
    constexpr std::uint64_t PICTURES = 0xbcfa961200b5de63ULL;
    std::uint64_t all = 1469598103934665603ULL;
    std::string each;
    for (double scale : {0.1, 0.2, 1.0, 1.55, 2.33, 2.5})
        for (int code : CODES) {
            if (code == -3) continue;
            const QImage img = alone(code, scale);
            std::uint64_t h = 1469598103934665603ULL;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) h = (h ^ img.pixel(x, y)) * 1099511628211ULL;
            all = (all ^ h) * 1099511628211ULL;
            char line[64];
            std::snprintf(line, sizeof line, "\npicture %d at %.1f: %016llx", code, scale,
                          static_cast<unsigned long long>(h));
            each += line;
        }
    EXPECT_EQ(all, PICTURES) << std::hex << "0x" << all << each;
}

TEST(Artwork, KeptPicturesAreTheFreshOnes) {
    for (int code : CODES) {
        SCOPED_TRACE(code);
        clearArtworkCache();
        Canvas fresh(2), kept(2), again(2);
        fresh.paint(code, 2.4, 1);
        kept.paint(code, 2.4, 1);
        clearArtworkCache();
        again.paint(code, 2.4, 1);
        EXPECT_EQ(fresh.img, kept.img);
        EXPECT_EQ(fresh.img, again.img);
    }
}

// Pictures asked for ahead are painted on helper threads while the paint goes on and takes
// them as they come: what shows is the same to the pixel.
TEST(Artwork, PicturesPaintedAheadAreTheOnesPaintedInPlace) {
    Canvas ahead(2.5, 18, 4), inPlace(2.5, 18, 4);
    auto x = [](std::size_t i) { return double(i % 12) * 1.4; };
    auto y = [](std::size_t i) { return double(i / 12); };
    clearArtworkCache();
    {
        QPainter p(&ahead.img);
        p.scale(2.5 / 15, 2.5 / 15);
        for (std::size_t i = 0; i < CODES.size(); ++i)
            paintAhead(CODES[i], ahead.cell(x(i), y(i)), p.deviceTransform());
    }
    for (std::size_t i = 0; i < CODES.size(); ++i) ahead.paint(CODES[i], x(i), y(i));
    finishPaintingAhead();
    clearArtworkCache();
    for (std::size_t i = 0; i < CODES.size(); ++i) inPlace.paint(CODES[i], x(i), y(i));
    EXPECT_EQ(ahead.img, inPlace.img);
}

// Nothing is asked of the helpers for a cell that is not copied: no picture, no size, a view
// turned or mirrored, or a cell off any screen. The first picture that is starts them, one
// for each core but the painter's, two to four in all.
TEST(Artwork, OnlyPicturesThatWillBeCopiedArePaintedAhead) {
    finishPaintingAhead();
    clearArtworkCache();
    artwork::Kept& k = artwork::kept();
    auto asked = [&k] {
        std::lock_guard lock(k.mutex);
        return k.helpers.size() + k.wanted.size() + k.pictures.size();
    };
    const QTransform scale = QTransform::fromScale(2.0 / 15, 2.0 / 15);
    const QRectF cell(0, 0, CELL_W, CELL_H);
    paintAhead(1, cell, scale);
    paintAhead(0, QRectF(0, 0, 0, CELL_H), scale);
    paintAhead(0, QRectF(0, 0, CELL_W, -1), scale);
    paintAhead(0, cell, QTransform(scale).rotate(90));
    paintAhead(0, cell, QTransform::fromScale(-2.0 / 15, 2.0 / 15));
    paintAhead(0, cell, QTransform::fromScale(2.0 / 15, -2.0 / 15));
    paintAhead(0, cell, QTransform::fromTranslate(1e12, 0));
    paintAhead(0, cell, QTransform::fromScale(1e3, 1e3));
    EXPECT_EQ(asked(), 0u);
    // A cell one unit wide and high, on a painter that makes it 40 pixels, is a picture.
    paintAhead(0, QRectF(0, 0, 1, 1), QTransform::fromScale(40, 40));
    {
        std::lock_guard lock(k.mutex);
        EXPECT_EQ(k.helpers.size(), std::clamp(std::thread::hardware_concurrency(), 2u, 4u) - 1);
    }
    finishPaintingAhead();
    clearArtworkCache();
}

// The pictures of one run come back in the next from a file that only this build reads, the
// same to the pixel; a damaged or foreign file gives none.
// Texts on a patterned ground, each at a whole pixel and, the last, between pixels.
QImage lettered(bool straight) {
    QImage img(160, 60, QImage::Format_RGB32);
    img.fill(QColor(0x20, 0x60, 0x30));
    QPainter p(&img);
    p.fillRect(QRect(0, 30, 160, 30), QColor(0xE2, 0xB8, 0x70));
    QFont font("IPAPGothic");
    font.setPixelSize(17);
    const QList<std::tuple<QPointF, QString, QColor>> texts = {
        {{3, 2}, "00:00:00", Qt::white},
        {{90, 25}, QString::fromUtf8("七 MAN"), Qt::black},
        {{3, 33}, "LEVEL", Qt::yellow},
        {{100.5, 2}, "9", Qt::white}};
    for (const auto& [at, text, colour] : texts) {
        if (!straight) {
            paintText(p, at, text, font, colour);
            continue;
        }
        p.save();
        p.setFont(font);
        p.setPen(colour);
        p.drawText(at + QPointF(0, QFontMetricsF(font).ascent()), text);
        p.restore();
    }
    return img;
}

TEST(Artwork, TextsAreCopiedAsTheyWouldBeDrawn) {
    clearArtworkCache();
    const QImage drawn = lettered(true), first = lettered(false), copied = lettered(false);
    EXPECT_EQ(first, copied);
    int differing = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb a = drawn.pixel(x, y), b = copied.pixel(x, y);
            // Blending through a clear picture rounds apart by a step at most.
            EXPECT_LE(std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                          std::abs(qBlue(a) - qBlue(b)),
                      3);
            differing += a != b;
        }
    EXPECT_LT(differing, 60);
    QFont font("IPAPGothic");
    font.setPixelSize(240);
    const QFontMetricsF metrics(font);
    EXPECT_EQ(textExtent(font, "00:12"),
              QSizeF(metrics.horizontalAdvance("00:12"), metrics.height()));
}

TEST(Artwork, KeptPicturesComeBackFromTheirFile) {
    TempDir dir;
    const std::string file = (dir / "cache" / "pictures").string();
    const std::vector<int> codes = {0, -10, 21, 5, 8, -3};
    auto paintAll = [&codes](Canvas& c) {
        for (std::size_t i = 0; i < codes.size(); ++i) c.paint(codes[i], 2.3 * double(i), 1);
    };
    clearArtworkCache();
    EXPECT_EQ(keepPicturesIn(file), 0);
    Canvas painted(2), kept(2);
    paintAll(painted);
    const QImage letters = lettered(false);
    ASSERT_TRUE(savePictures());
    EXPECT_FALSE(savePictures()) << "nothing new to keep";
    clearArtworkCache();
    EXPECT_EQ(keepPicturesIn(file), int(codes.size()) + 3) << "and three texts on whole pixels";
    paintAll(kept);
    EXPECT_EQ(painted.img, kept.img);
    EXPECT_EQ(lettered(false), letters);
    EXPECT_FALSE(savePictures()) << "all of them came from the file";

    const std::string good = TempDir::read(file);
    std::string otherBuild = good;
    otherBuild[24] ^= 1;  // in the program's id
    for (const std::string& bad : {good.substr(0, good.size() - 1), good + "x", otherBuild,
                                   std::string("Torvane pictures 2\n"), std::string()}) {
        TempDir::write(file, bad);
        clearArtworkCache();
        EXPECT_EQ(keepPicturesIn(file), 0) << bad.size();
    }
    // A byte changed anywhere in the headers or the texts at the end: the file is taken whole
    // or not at all, and reading it never goes wrong.
    for (std::size_t i = 0; i < good.size(); i += i < 200 || i + 3000 > good.size() ? 3 : 4001) {
        std::string changed = good;
        changed[i] = char(changed[i] ^ 0x80);
        TempDir::write(file, changed);
        clearArtworkCache();
        const int taken = keepPicturesIn(file);
        EXPECT_TRUE(taken == 0 || taken == int(codes.size()) + 3) << i;
    }
    keepPicturesIn("");
}

TEST(Artwork, TheOpeningTextsOutlastTheMemoryBoundAndAloneGoToTheFile) {
    TempDir dir;
    const std::string file = (dir / "pictures").string();
    clearArtworkCache();
    EXPECT_EQ(keepPicturesIn(file), 0);
    QImage img(400, 100, QImage::Format_RGB32);
    QPainter p(&img);
    QFont small("IPAPGothic"), large("IPAPGothic");
    small.setPixelSize(10);
    large.setPixelSize(60);
    // Texts of another scale are forgotten with it, and the count starts again.
    for (int i = 0; i < 5; ++i)
        paintText(p, {0, 0}, QStringLiteral("old %1").arg(i), small, Qt::white);
    clearArtworkCache();
    for (int i = 0; i < 130; ++i) paintText(p, {0, 0}, QString::number(i), small, Qt::white);
    // Far more than the bound of the later texts: they come and go, the opening ones stay.
    for (int i = 0; i < 300; ++i)
        paintText(p, {0, 0}, QStringLiteral("%1 %1").arg(i), large, Qt::white);
    p.end();
    ASSERT_TRUE(savePictures());
    clearArtworkCache();
    EXPECT_EQ(keepPicturesIn(file), 128);
    keepPicturesIn("");
}

// Memory holds the texts up to their byte bound and the measures up to their count, both
// reached exactly; past either, only the opening ones (those the file keeps) stay.
TEST(Artwork, TextsAndMeasuresFillTheirBoundsExactlyThenKeepTheOpeningOnes) {
    using namespace artwork;
    Kept k;
    for (std::uint32_t i = 0; i < TEXTS_TO_FILE; ++i)
        k.rememberText({QString::number(i), "f", 0, 1, 1}, {});  // no pixels
    const QImage tile(64, 64, QImage::Format_ARGB32_Premultiplied);
    for (std::size_t bytes = 0; bytes < MAX_TEXT_BYTES; bytes += std::size_t(tile.sizeInBytes()))
        k.rememberText({QString::number(bytes), "tile", 0, 1, 1}, {tile, {}});
    EXPECT_EQ(k.textBytes, MAX_TEXT_BYTES);
    EXPECT_EQ(k.texts.size(), TEXTS_TO_FILE + MAX_TEXT_BYTES / std::size_t(tile.sizeInBytes()));
    k.rememberText({"one more", "tile", 0, 1, 1}, {tile, {}});
    EXPECT_EQ(k.texts.size(), TEXTS_TO_FILE + 1);

    for (std::size_t i = 0; i < MAX_EXTENTS; ++i) k.rememberExtent({"f", QString::number(i)}, {});
    EXPECT_EQ(k.extents.size(), MAX_EXTENTS);
    k.rememberExtent({"f", "one more"}, {});
    EXPECT_EQ(k.extents.size(), TEXTS_TO_FILE + 1);
}

// The kept file is replaced as every other file is: a pipe where a temporary might go does
// not hold up the end of the game.
TEST(Artwork, KeptPicturesWaitOnNoPipe) {
    using namespace std::chrono_literals;
    TempDir dir;
    const std::string file = (dir / "pictures").string(), pipe = file + ".new";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    clearArtworkCache();
    keepPicturesIn(file);
    alone(0, 1);
    auto saving = std::async(std::launch::async, savePictures);
    if (saving.wait_for(10s) != std::future_status::ready) {
        // Drain the pipe so that the blocked writer, and the test, can end.
        const int fd = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
        char sink[1 << 16];
        while (saving.wait_for(1ms) != std::future_status::ready)
            if (::read(fd, sink, sizeof sink) < 0) continue;
        ::close(fd);
        FAIL() << "waited on a pipe";
    }
    EXPECT_TRUE(saving.get());
    EXPECT_EQ(keepPicturesIn(file), 1);
    EXPECT_EQ(dir.fileCount(), 2u);
    keepPicturesIn("");
}

// A folder where the kept file goes is refused, with nothing left beside it.
TEST(Artwork, KeptPicturesLeaveNothingBesideAFolder) {
    TempDir other;
    const std::string folder = (other / "pictures").string();
    std::filesystem::create_directory(folder);
    keepPicturesIn(folder);
    alone(5, 1);
    EXPECT_FALSE(savePictures());
    EXPECT_EQ(other.fileCount(), 1u) << "nothing beside the folder";
    keepPicturesIn("");
}

TEST(Artwork, TilesJoinWithoutSeams) {
    for (int code = 5; code <= 9; ++code) {
        SCOPED_TRACE(code);
        Canvas c(2, 2, 2);
        for (int x = 0; x < 2; ++x)
            for (int y = 0; y < 2; ++y) c.paint(code, x, y);
        const QImage& img = c.img;
        const int w = 66, h = 82;
        auto columnStep = [&](int x) {
            double sum = 0;
            for (int y = 0; y < img.height(); ++y) {
                const QRgb a = img.pixel(x, y), b = img.pixel(x + 1, y);
                sum += std::abs(qGray(a) - qGray(b));
            }
            return sum / img.height();
        };
        auto rowStep = [&](int y) {
            double sum = 0;
            for (int x = 0; x < img.width(); ++x) {
                const QRgb a = img.pixel(x, y), b = img.pixel(x, y + 1);
                sum += std::abs(qGray(a) - qGray(b));
            }
            return sum / img.width();
        };
        // Crossing from one tile into the next changes no more than any step inside a tile.
        double inside = 0;
        for (int x = 0; x < w - 1; ++x) inside = std::max(inside, columnStep(x));
        EXPECT_LE(columnStep(w - 1), inside + 1);
        inside = 0;
        for (int y = 0; y < h - 1; ++y) inside = std::max(inside, rowStep(y));
        EXPECT_LE(rowStep(h - 1), inside + 1);
        // The two tiles side by side are the same pixels.
        EXPECT_EQ(img.copy(0, 0, w, h), img.copy(w, h, w, h));
    }
}

TEST(Artwork, HighDensityScreensGetEveryPixel) {
    // A window at device pixel ratio 2 paints as one at scale 2.
    for (int code : {0, -70, 61, 8, -3}) {
        SCOPED_TRACE(code);
        QImage dense = blank(2 * 4 * 33, 2 * 41);
        dense.setDevicePixelRatio(2);
        {
            QPainter p(&dense);
            p.scale(1.0 / 15, 1.0 / 15);
            paintPicture(p, code, QRectF(0, 0, CELL_W, CELL_H));
        }
        dense.setDevicePixelRatio(1);
        Canvas plain(2, 4, 1);
        plain.paint(code, 0, 0);
        EXPECT_EQ(dense, plain.img);
    }
}

TEST(Artwork, OddViewsStillPaintSafely) {
    // Turned a quarter round: drawn scaled into place rather than copied, texts too.
    clearArtworkCache();
    QImage img = blank(120, 120);
    {
        QPainter p(&img);
        p.translate(100, 10);
        p.rotate(90);
        p.scale(2.0 / 15, 2.0 / 15);
        paintPicture(p, -40, QRectF(0, 0, CELL_W, CELL_H));
        paintPicture(p, -3, QRectF(0, CELL_H, CELL_W, CELL_H));
        paintText(p, QPointF(0, 0), "9", QFont("IPAPGothic"), Qt::white);
        // Flattened to nothing either way: nothing to keep either.
        for (const QTransform& flat : {QTransform::fromScale(0, 1), QTransform::fromScale(1, 0)}) {
            p.setTransform(flat);
            paintText(p, QPointF(0, 0), "9", QFont("IPAPGothic"), Qt::white);
        }
    }
    EXPECT_GT(opaqueIn(img, QRect(30, 10, 60, 60)), 60 * 60 / 2);
    {
        artwork::Kept& k = artwork::kept();
        std::lock_guard lock(k.mutex);
        EXPECT_TRUE(k.texts.empty());
        EXPECT_EQ(k.pictures.count(artwork::Request{-3, 66, 82, 231}), 1u)
            << "the title keeps its width";
    }

    // Cells under a pixel wide, and cells far larger than any screen.
    QImage tiny = blank(8, 8);
    {
        QPainter p(&tiny);
        p.scale(0.001, 0.001);
        for (int code : CODES) paintPicture(p, code, QRectF(0, 0, CELL_W, CELL_H));
    }
    EXPECT_EQ(paintedOutside(tiny, QRect(0, 0, 2, 1)), 0);
    // Cells one pixel or the largest side across are still copied, as tall as the rows they
    // cover (three, though 2.1 or 2.4 pixels high); the title under a pixel in all is drawn
    // into one.
    QImage thin = blank(6, 6);
    {
        QPainter p(&thin);
        for (const QTransform& t : {QTransform(1.4 / CELL_W, 0, 0, 2.1 / CELL_H, 2, 2.45),
                                    QTransform(2.1 / CELL_W, 0, 0, 1.4 / CELL_H, 2.45, 2),
                                    QTransform(2048 / CELL_W, 0, 0, 2.4 / CELL_H, 0, 0.3),
                                    QTransform(2.4 / CELL_W, 0, 0, 2048 / CELL_H, 0.3, 0)}) {
            p.setTransform(t);
            paintPicture(p, 9, QRectF(0, 0, CELL_W, CELL_H));
        }
        p.setTransform(QTransform(0.2 / CELL_W, 0, 0, 0.2 / CELL_H, 2.1, 2.1));
        paintPicture(p, -3, QRectF(0, 0, CELL_W, CELL_H));
    }
    QImage huge = blank(40, 40);
    {
        QPainter p(&huge);
        p.scale(10, 10);
        paintPicture(p, 9, QRectF(0, 0, CELL_W, CELL_H));
        paintPicture(p, -3, QRectF(0, 0, CELL_W, CELL_H));
    }
    EXPECT_EQ(opaqueIn(huge, huge.rect()), 40 * 40);
    {
        artwork::Kept& k = artwork::kept();
        std::lock_guard lock(k.mutex);
        using artwork::Request, artwork::MAX_SIDE;
        for (const Request r : {Request{9, 1, 3, 1}, Request{9, 3, 1, 3}, Request{9, 2048, 3, 2048},
                                Request{9, 3, 2048, 3}, Request{-3, 1, 1, 1},
                                Request{9, MAX_SIDE, MAX_SIDE, MAX_SIDE},
                                Request{-3, MAX_SIDE, MAX_SIDE, MAX_SIDE * 4}})
            EXPECT_EQ(k.pictures.count(r), 1u) << r.code << " " << r.imageWidth;
    }
    // A cell 2^32 pixels off to the right is not wrapped back into view.
    QImage far = blank(40, 40);
    {
        QPainter p(&far);
        p.translate(4294967296.0, 0);
        paintPicture(p, 9, QRectF(0, 0, CELL_W, CELL_H));
    }
    EXPECT_EQ(opaqueIn(far, far.rect()), 0);
    clearArtworkCache();
}

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
