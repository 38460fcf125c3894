// The canvas: clicks in twips, the full redraw at two scales, resizing without loss.
#include <QMenuBar>
#include <QPainter>
#include <memory>

#include "play/setup.h"
#include "play/screen.h"
#include "play/state.h"
#include "test_artwork.h"
#include "ui/drawing.h"
#include "ui/qt/canvas_ops.h"
#include "ui/qt/colours.h"
#include "window_fixture.h"

namespace {

const QColor OUTLINE = standardColour(2);

// The centre pixel of cell (x, y) on the canvas.
QPoint centre(CanvasWidget& c, double x, double y) {
    return c.toPixels(QPointF(cellLeft(x + 0.5), cellTop(y + 0.5))).toPoint();
}

class CanvasTest : public WindowTest {
protected:
    std::unique_ptr<State> state = std::make_unique<State>(window);
    State& s = *state;

    QColor at(const QImage& image, QPoint p) { return image.pixelColor(p); }

    // What a full redraw of the starting position must show, at the canvas's current scale.
    void expectStartingPosition(const QImage& image) {
        double k = canvas().scale();
        QPoint o = canvas().origin().toPoint();
        auto px = [&](double twips) { return int(std::lround(twips * k / 15)); };
        EXPECT_EQ(at(image, centre(canvas(), -2, 3)), pictureColour(5)) << "background";
        EXPECT_EQ(at(image, centre(canvas(), 15, 9)), pictureColour(5)) << "right background";
        EXPECT_EQ(at(image, centre(canvas(), 4, 10)), pictureColour(5)) << "record row";
        EXPECT_EQ(at(image, centre(canvas(), 1, 7)), pictureColour(-10)) << "MAN pawn";
        EXPECT_EQ(at(image, centre(canvas(), 5, 9)), pictureColour(-80)) << "MAN king";
        EXPECT_EQ(at(image, centre(canvas(), 5, 1)), pictureColour(80)) << "COM king";
        EXPECT_EQ(at(image, centre(canvas(), 5, 5)), pictureColour(0)) << "empty square";
        EXPECT_EQ(at(image, centre(canvas(), 11, 4)), pictureColour(0)) << "MAN stand";
        EXPECT_EQ(at(image, centre(canvas(), 10.8, 0)), pictureColour(-3)) << "title";
        // The left line of square (3, 5) is one pixel per scale step, sharp, then the square.
        int x = o.x() + px(cellLeft(3)), y = o.y() + px(cellTop(5.5));
        int width = int(std::lround(k));
        for (int i = 0; i < width; ++i) EXPECT_EQ(at(image, {x + i, y}), OUTLINE) << i;
        EXPECT_EQ(at(image, {x + width, y}), pictureColour(0));
        // The yellow file number over cell (1, 0).
        int yellow = 0;
        for (int yy = o.y() + px(cellTop(0)); yy < o.y() + px(cellTop(1)); ++yy)
            for (int xx = o.x() + px(cellLeft(1)); xx < o.x() + px(cellLeft(2)); ++xx)
                yellow += at(image, {xx, yy}) == standardColour(14);
        EXPECT_GT(yellow, 10 * width * width) << "file label";
    }
};

}  // namespace

TEST_F(WindowTest, AClickReachesTheGameInTwipsWithItsButton) {
    for (int size : {1, 2}) {
        setCanvasSize(640 * size, 480 * size);
        log.clear();
        click(cellLeft(3.5), cellTop(7.5), Qt::LeftButton);
        click(cellLeft(-0.5), cellTop(2.5), Qt::RightButton);
        click(cellLeft(12.5), cellTop(9.5), Qt::MiddleButton);  // taken as the left button
        ASSERT_EQ(log.size(), 3u);
        int b, shift, x, y;
        const double onePixel = 15.0 / size;
        const double expected[3][3] = {{1, cellLeft(3.5), cellTop(7.5)},
                                       {2, cellLeft(-0.5), cellTop(2.5)},
                                       {1, cellLeft(12.5), cellTop(9.5)}};
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ(std::sscanf(log[i].c_str(), "mouse %d %d %d %d", &b, &shift, &x, &y), 4);
            EXPECT_EQ(b, expected[i][0]);
            EXPECT_EQ(shift, 0);
            EXPECT_NEAR(x, expected[i][1], onePixel + 1) << "scale " << size;
            EXPECT_NEAR(y, expected[i][2], onePixel + 1) << "scale " << size;
        }
    }
}

TEST_F(CanvasTest, AFullRedrawShowsEveryCellAtScaleOneAndTwo) {
    初期設定(s);
    QImage one = grab();
    EXPECT_DOUBLE_EQ(canvas().scale(), 1.0);
    expectStartingPosition(one);

    setCanvasSize(1280, 960);
    QImage two = grab();
    EXPECT_DOUBLE_EQ(canvas().scale(), 2.0);
    expectStartingPosition(two);

    // Back at the first size the picture is the same to the pixel: nothing was lost.
    setCanvasSize(640, 480);
    EXPECT_EQ(grab(), one);
}

// Any window shape: the design area in the middle at the largest scale that fits, the
// margins all background tiles, clicks through the same place; never below scale 1.
TEST_F(CanvasTest, AnyShapeCentresTheBoardAmongBackgroundTiles) {
    初期設定(s);
    for (QSize size : {QSize(1600, 480), QSize(700, 1100), QSize(2000, 1000)}) {
        setCanvasSize(size.width(), size.height());
        const double k = std::min(size.width() / 640.0, size.height() / 480.0);
        EXPECT_DOUBLE_EQ(canvas().scale(), k);
        const QPoint o = canvas().origin().toPoint();
        EXPECT_NEAR(o.x(), (size.width() - 640 * k) / 2, 1);
        EXPECT_NEAR(o.y(), (size.height() - 480 * k) / 2, 1);
        QImage image = grab();
        expectStartingPosition(image);
        int plain = 0;
        for (int y = 0; y < size.height(); y += 7)
            for (int x = 0; x < size.width(); x += 7) {
                const QColor c = image.pixelColor(x, y);
                plain += c == standardColour(2);
                // Outside the design area everything is the background tile.
                if (x < o.x() || y < o.y() || x >= size.width() - o.x() ||
                    y >= size.height() - o.y()) {
                    ASSERT_EQ(c, pictureColour(5)) << x << "," << y << " at " << size.width();
                }
            }
        EXPECT_LT(plain, size.width() * size.height() / 49 / 20) << "only outlines are green";
        log.clear();
        click(cellLeft(3.5), cellTop(7.5));
        ASSERT_EQ(log.size(), 1u);
        int b, shift, x, y;
        ASSERT_EQ(std::sscanf(log[0].c_str(), "mouse %d %d %d %d", &b, &shift, &x, &y), 4);
        EXPECT_NEAR(x, cellLeft(3.5), 16);
        EXPECT_NEAR(y, cellTop(7.5), 16);
    }
    EXPECT_EQ(window.minimumSizeHint().width(), 640);
    EXPECT_GE(window.minimumSizeHint().height(), 480 + window.menuBar()->sizeHint().height());
}

TEST_F(CanvasTest, WhatIsDrawnStaysUntilDrawnOver) {
    初期設定(s);
    描画_絵(s.canvas, -70, 5, 5);
    描画_桝輪郭(s.canvas, 12, 5, 5);
    QImage before = grab();
    EXPECT_EQ(before.pixelColor(centre(canvas(), 5, 5)), pictureColour(-70));
    // A resize paints the kept calls again, in order.
    setCanvasSize(900, 700);
    QImage after = grab();
    EXPECT_EQ(after.pixelColor(centre(canvas(), 5, 5)), pictureColour(-70));
    QPoint corner = pixelOf(cellLeft(5), cellTop(5.5));
    EXPECT_EQ(after.pixelColor(corner), standardColour(12));
    // Drawn over: gone.
    描画_絵(s.canvas, 0, 5, 5);
    描画_桝輪郭(s.canvas, 2, 5, 5);
    EXPECT_EQ(grab().pixelColor(corner), OUTLINE);
}

TEST_F(CanvasTest, RepeatedRedrawsKeepOnlyWhatCanBeSeen) {
    初期設定(s);
    grab();
    setCanvasSize(641, 481);  // a new size compacts the kept calls
    grab();
    std::size_t once = canvas().opCount();
    EXPECT_LT(once, 1200u);
    for (int i = 0; i < 6; ++i) 画面_再描画(s.canvas, s.pos, s.game, s.clock, s.analysis.LEVEL_NO);
    grab();
    setCanvasSize(640, 480);
    grab();
    EXPECT_EQ(canvas().opCount(), once);
    expectStartingPosition(grab());
}

// After a new scale the kept calls are compacted again as soon as they have doubled.
TEST_F(CanvasTest, AfterANewScaleTheListIsCompactedOnceItHasDoubled) {
    for (int i = 0; i < 1500; ++i) canvas().drawOutline(2, 10 * i, 0, 10 * i + 10, 10);
    grab();
    setCanvasSize(960, 720);
    grab();
    const std::size_t n = canvas().opCount();
    ASSERT_GE(n, 1500u);
    for (std::size_t i = 0; i <= n; ++i) canvas().drawOutline(2, 0, 0, 10, 10);
    grab();
    EXPECT_LE(canvas().opCount(), n + 1);
}

TEST_F(CanvasTest, ANewScaleDropsThePicturesPreparedForTheOldOne) {
    初期設定(s);
    grab();
    int before = artworkCacheClears;
    setCanvasSize(960, 720);
    grab();
    EXPECT_GT(artworkCacheClears, before);
    before = artworkCacheClears;
    grab();
    EXPECT_EQ(artworkCacheClears, before);
}

TEST(CanvasOps, AtTwiceThePixelDensityLinesAndCellsStaySharp) {
    QImage image(400, 300, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        TwipMap map(1.0 / 15, 2);  // scale 1 in logical pixels
        paintOp(painter, CanvasOp::picture(5, 0, 0), map);
        paintOp(painter, CanvasOp::picture(-10, 495, 0), map);
        paintOp(painter, CanvasOp::outline(15, 495, 0, 990, 615), map);
    }
    // Cell edges at 33 logical pixels, 66 device pixels; the outline two device pixels wide.
    EXPECT_EQ(image.pixelColor(65, 30), pictureColour(5));
    EXPECT_EQ(image.pixelColor(66, 30), Qt::white);
    EXPECT_EQ(image.pixelColor(67, 30), Qt::white);
    EXPECT_EQ(image.pixelColor(68, 30), pictureColour(-10));
    EXPECT_EQ(image.pixelColor(100, 81), pictureColour(-10));
    EXPECT_EQ(image.pixelColor(100, 82), Qt::white);
    EXPECT_EQ(image.pixelColor(100, 83), Qt::white);
    EXPECT_EQ(image.pixelColor(100, 84), Qt::black);
    // Only a picture with a cell is asked for ahead.
    picturesAskedAhead.clear();
    const TwipMap map(1.0 / 15, 1);
    for (const CanvasOp& op : {CanvasOp::outline(15, 495, 0, 990, 615), CanvasOp::picture(5, 0, 0),
                               CanvasOp::picture(7, 0, 0)})
        paintAhead(op, map, QTransform());
    paintAhead(CanvasOp::picture(6, 0, 0), TwipMap(0, 1), QTransform());
    EXPECT_EQ(picturesAskedAhead, (std::vector<int>{5, 7}));
    // A density the device does not know counts as one.
    for (double unknown : {0.0, -2.0})
        EXPECT_EQ(TwipMap(1.0 / 15, unknown).x(100), TwipMap(1.0 / 15, 1).x(100)) << unknown;
}

TEST(CanvasOps, CompactingDropsOnlyWhatLaterCallsHide) {
    std::vector<CanvasOp> ops{
        CanvasOp::picture(5, 0, 0),                    // hidden by the picture at the end
        CanvasOp::label(250, 250, "9", 14, 10, true),  // hidden too
        CanvasOp::outline(2, 0, 0, 495, 615),          // its right and bottom lines show
        CanvasOp::outline(14, 0, 0, 990, 615),         // drawn over by the same lines in green
        CanvasOp::label(0, -200, "9", 14, 16, true),   // past the pictures, drawn again
        CanvasOp::label(0, -200, "9", 0, 16, true),    // the same in another colour: kept
        CanvasOp::picture(6, 495, 0),                  // partly uncovered: kept
        CanvasOp::picture(0, 247.5, 0),                // the half-cell step
        CanvasOp::picture(-10, 0, 0),
        CanvasOp::outline(2, 0, 0, 990, 615),
        CanvasOp::label(0, -200, "9", 14, 16, true),
    };
    compactOps(ops);
    std::vector<int> codes;
    for (const auto& op : ops)
        codes.push_back(op.kind == CanvasOp::Kind::Picture   ? op.code
                        : op.kind == CanvasOp::Kind::Outline ? 100 + op.code
                                                             : 200 + op.code);
    EXPECT_EQ(codes, (std::vector<int>{102, 200, 6, 0, -10, 102, 214}));
}

// Drawn while nothing is shown, the list is compacted once it holds twice its threshold.
TEST(CanvasOps, AHiddenCanvasKeepsItsListShort) {
    CanvasWidget hidden;
    for (int i = 0; i < 4096; ++i) hidden.drawOutline(2, 0, 0, 100, 100);
    EXPECT_EQ(hidden.opCount(), 4096u);
    hidden.drawOutline(2, 0, 0, 100, 100);
    EXPECT_EQ(hidden.opCount(), 1u);
    // A list that compacting could not shorten is compacted again once it has doubled: 4,097
    // outlines that hide nothing stay, the next compaction comes after 16,388.
    CanvasWidget busy;
    for (int i = 0; i < 16388; ++i)
        busy.drawOutline(2, 10 + i % 300, 10 + i / 300, 11 + i % 300, 11 + i / 300);
    EXPECT_EQ(busy.opCount(), 16388u);
    busy.drawPicture(5, 0, 0);  // over them all
    EXPECT_EQ(busy.opCount(), 1u);

    // Its pictures are asked for ahead, for the first frame; once shown, a picture is painted
    // when it is drawn.
    picturesAskedAhead.clear();
    hidden.drawPicture(5, 0, 0);
    hidden.show();
    hidden.drawPicture(6, 0, 0);
    EXPECT_EQ(picturesAskedAhead, std::vector<int>{5});
}
