// The kept pictures file at its bounds, and the title plate's own colours. The files are built
// byte by byte in the layout the game writes, behind the header of a file this build saved, so
// that only the part under test is out of the ordinary.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <future>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "../temp_dir.h"
#include "ui/qt/artwork.h"
#include "ui/qt/artwork_cache.h"

namespace {

constexpr std::size_t FILE_BOUND = std::size_t{32} << 20;
constexpr std::string_view MAGIC = "Torvane pictures 2\n";

template <class T>
void put(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void putText(std::string& out, std::u16string_view text) {
    put(out, std::uint32_t(text.size()));
    out.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

// A picture of the empty square, its pixels all one grey.
void putPicture(std::string& out, int w, int h, int imageWidth) {
    for (std::int32_t v : {0, w, h, imageWidth, std::int32_t(QImage::Format_RGB32)}) put(out, v);
    out.append(std::size_t(imageWidth) * std::size_t(h) * 4, '\x40');
}

// A text's picture: scales, the place of its top left against the line's, and its size.
struct Placing {
    double sx = 1, sy = 1;
    std::int32_t x = 0, y = 0, w = 1, h = 1;
};

void putLettering(std::string& out, std::u16string_view text, const Placing& at = {}) {
    putText(out, text);
    putText(out, u"f");
    put(out, std::uint32_t(0xFFFFFFFF));
    put(out, at.sx);
    put(out, at.sy);
    for (std::int32_t v : {at.x, at.y, at.w, at.h}) put(out, v);
    out.append(std::size_t(at.w) * std::size_t(at.h) * 4, '\x7f');
}

void putExtent(std::string& out, std::u16string_view text, double w = 10, double h = 12) {
    putText(out, u"f");
    putText(out, text);
    put(out, w);
    put(out, h);
}

// The magic and the program's id of a file that this very build has saved.
std::string headerOfThisBuild(const std::string& file) {
    clearArtworkCache();
    keepPicturesIn(file);
    QImage img(40, 50, QImage::Format_RGB32);
    QPainter p(&img);
    paintPicture(p, 0, QRectF(0, 0, 33, 41));
    p.end();
    EXPECT_TRUE(savePictures());
    const std::string saved = TempDir::read(file);
    std::uint32_t idSize = 0;
    if (saved.size() < MAGIC.size() + 4) return {};
    std::memcpy(&idSize, saved.data() + MAGIC.size(), 4);
    return saved.substr(0, MAGIC.size() + 4 + idSize);
}

int taken(const std::string& file, const std::string& bytes) {
    TempDir::write(file, bytes);
    clearArtworkCache();
    return keepPicturesIn(file);
}

class KeptFile : public testing::Test {
protected:
    TempDir dir;
    const std::string file = (dir / "pictures").string();
    std::string header;

    void SetUp() override {
        header = headerOfThisBuild(file);
        ASSERT_GT(header.size(), MAGIC.size() + 4) << "the build has no id to key the file by";
    }
    void TearDown() override {
        clearArtworkCache();
        keepPicturesIn("");
    }
};

}  // namespace

TEST_F(KeptFile, HoldsAtMostOneThousandAndTwentyFourPictures) {
    auto withPictures = [&](int n) {
        std::string out = header;
        put(out, std::uint32_t(n));
        for (int i = 0; i < n; ++i) putPicture(out, 1 + i % 32, 1 + i / 32, 1 + i % 32);
        put(out, std::uint32_t(0));
        put(out, std::uint32_t(0));
        return out;
    };
    EXPECT_EQ(taken(file, withPictures(1024)), 1024);
    EXPECT_EQ(taken(file, withPictures(1025)), 0);
}

TEST_F(KeptFile, HoldsAtMostOneHundredAndTwentyEightTexts) {
    auto withTexts = [&](int n, int measures) {
        std::string out = header;
        put(out, std::uint32_t(0));
        put(out, std::uint32_t(n));
        for (int i = 0; i < n; ++i) putLettering(out, QString::number(i).toStdU16String());
        put(out, std::uint32_t(measures));
        for (int i = 0; i < measures; ++i) putExtent(out, QString::number(i).toStdU16String());
        return out;
    };
    EXPECT_EQ(taken(file, withTexts(128, 128)), 128);
    EXPECT_EQ(taken(file, withTexts(129, 128)), 0);
    EXPECT_EQ(taken(file, withTexts(128, 129)), 0);
}

// A text longer than the file takes is measured but not kept, or the next start would refuse
// the whole file.
TEST_F(KeptFile, ATextTooLongForTheFileIsNotKept) {
    artwork::Kept& k = artwork::kept();
    const auto keptMeasures = [&] {
        std::lock_guard lock(k.mutex);
        return k.extents.size();
    };
    const std::size_t before = keptMeasures();
    EXPECT_GT(textExtent(QFont(), QString(257, u'x')).width(), 0);
    EXPECT_EQ(keptMeasures(), before);
    textExtent(QFont(), QString(256, u'x'));
    EXPECT_EQ(keptMeasures(), before + 1);
}

// Each field of a picture and of a text's picture is taken at its limit and refused one step
// beyond it, and the file with it.
TEST_F(KeptFile, EveryFieldIsTakenAtItsLimitAndRefusedBeyond) {
    auto withPicture = [&](int w, int h, int imageWidth) {
        std::string out = header;
        put(out, std::uint32_t(1));
        putPicture(out, w, h, imageWidth);
        put(out, std::uint32_t(0));
        put(out, std::uint32_t(0));
        return out;
    };
    for (const auto& [w, h, iw, ok] :
         std::vector<std::tuple<int, int, int, bool>>{{2048, 1, 8192, true},
                                                      {1, 2048, 1, true},
                                                      {2049, 1, 2049, false},
                                                      {1, 2049, 1, false},
                                                      {1, 1, 8193, false},
                                                      {0, 1, 1, false},
                                                      {1, 0, 1, false},
                                                      {1, 1, 0, false}})
        EXPECT_EQ(taken(file, withPicture(w, h, iw)), ok ? 1 : 0) << w << " " << h << " " << iw;

    const double tiny = 0.0100001, huge = 63.99999;
    const std::pair<Placing, bool> texts[] = {{{tiny, huge, -8192, -2048, 8192, 1}, true},
                                              {{huge, tiny, 8192, 2048, 1, 2048}, true},
                                              {{0.01, 1, 0, 0, 1, 1}, false},
                                              {{1, 64, 0, 0, 1, 1}, false},
                                              {{1, 1, -8193, 0, 1, 1}, false},
                                              {{1, 1, 8193, 0, 1, 1}, false},
                                              {{1, 1, 0, -2049, 1, 1}, false},
                                              {{1, 1, 0, 2049, 1, 1}, false},
                                              {{1, 1, 0, 0, 8193, 1}, false},
                                              {{1, 1, 0, 0, 1, 2049}, false},
                                              {{1, 1, 0, 0, 0, 1}, false},
                                              {{1, 1, 0, 0, 1, 0}, false}};
    for (const auto& [at, ok] : texts) {
        std::string out = header;
        put(out, std::uint32_t(0));
        put(out, std::uint32_t(1));
        putLettering(out, u"a", at);
        put(out, std::uint32_t(0));
        EXPECT_EQ(taken(file, out), ok ? 1 : 0)
            << at.sx << " " << at.sy << " " << at.x << " " << at.y << " " << at.w << " " << at.h;
    }
    // A measure's letters and font at their lengths.
    for (const auto& [letters, font, ok] : std::vector<std::tuple<int, int, bool>>{
             {256, 1024, true}, {257, 1, false}, {1, 1025, false}}) {
        std::string out = header;
        put(out, std::uint32_t(0));
        put(out, std::uint32_t(1));
        putLettering(out, u"a");
        put(out, std::uint32_t(1));
        putText(out, std::u16string(std::size_t(font), u'f'));
        putText(out, std::u16string(std::size_t(letters), u'a'));
        put(out, 10.0);
        put(out, 12.0);
        EXPECT_EQ(taken(file, out), ok ? 1 : 0) << letters << " " << font;
    }
}

// The empty text measures nothing and is kept as such; a measure no font gives spoils the file.
TEST_F(KeptFile, MeasuresOfNothingAreTakenAndImpossibleOnesAreNot) {
    const double nan = std::nan("");
    const struct {
        double w, h;
        int taken;
    } cases[] = {{0, 0, 1},     {0, 12, 1},   {10, 0, 1},   {999999999, 12, 1}, {-1, 12, 0},
                 {10, -0.5, 0}, {1e9, 12, 0}, {10, 1e9, 0}, {nan, 12, 0},       {10, nan, 0}};
    for (const auto& c : cases) {
        std::string out = header;
        put(out, std::uint32_t(0));
        put(out, std::uint32_t(1));
        putLettering(out, u"a");
        put(out, std::uint32_t(1));
        putExtent(out, u"", c.w, c.h);
        EXPECT_EQ(taken(file, out), c.taken) << c.w << " x " << c.h;
    }
}

// The largest file the reader takes is 32 MiB. Everything after the header comes in even
// sizes, so a valid file is that large exactly or one byte short, as the header falls.
TEST_F(KeptFile, IsTakenUpToThirtyTwoMebibytesAndRefusedBeyond) {
    const std::size_t largest = FILE_BOUND - (header.size() % 2);
    // One picture of the widest rows fills most of it; measures of chosen lengths the rest.
    const std::size_t row = 8192 * 4, fixed = header.size() + 3 * 4 + 20;
    const int rows = int((largest - fixed - 3000) / row);
    ASSERT_LE(rows, 2048);
    std::string body = header;
    put(body, std::uint32_t(1));
    putPicture(body, 2048, rows, 8192);
    put(body, std::uint32_t(0));
    std::size_t left = largest - body.size() - 4;
    std::vector<std::size_t> measures;
    while (left > 0) {
        // A measure of the one-letter font and n letters takes 26 + 2n bytes.
        std::size_t m = std::min<std::size_t>(left, 26 + 2 * 256);
        if (left - m > 0 && left - m < 26) m -= 26;
        measures.push_back(m);
        left -= m;
    }
    put(body, std::uint32_t(measures.size()));
    std::string atBound = body, beyond = body;
    for (std::size_t i = 0; i < measures.size(); ++i) {
        const std::u16string text((measures[i] - 26) / 2, u'x');
        putExtent(atBound, text);
        putExtent(beyond, i == 0 ? text + u'y' : text);
    }
    ASSERT_EQ(atBound.size(), largest);
    ASSERT_EQ(beyond.size(), largest + 2);
    EXPECT_EQ(taken(file, atBound), 1);
    EXPECT_EQ(taken(file, beyond), 0);
}

// What is saved is never more than the reader takes: pictures that fill the file to a byte
// short of its bound all go in; of pictures that would pass it by 7 bytes, one stays out.
TEST_F(KeptFile, ASavedFileStaysWithinTheBoundItIsReadBy) {
    using Sizes = std::vector<QSize>;
    for (const auto& [sizes, taken] :
         {std::pair{Sizes{{2048, 1024}, {2048, 1024}, {2048, 1023}, {1626, 1291}}, 4},
          std::pair{Sizes{{2048, 1024}, {2048, 1024}, {2048, 1024}, {2040, 1028}}, 3}}) {
        clearArtworkCache();
        keepPicturesIn(file);
        {
            artwork::Kept& k = artwork::kept();
            std::lock_guard lock(k.mutex);
            int code = 0;
            for (const QSize& size : sizes) {
                QImage img(size, QImage::Format_RGB32);
                img.fill(Qt::gray);
                std::promise<QImage> ready;
                ready.set_value(img);
                k.pictures.emplace(
                    artwork::Request{code, size.width(), size.height(), size.width()},
                    ready.get_future().share());
                code += 10;
            }
            k.painted = true;
        }
        ASSERT_TRUE(savePictures());
        // The one left out may be any of the four.
        if (taken == 4)
            EXPECT_EQ(std::filesystem::file_size(file), FILE_BOUND - 1);
        else
            EXPECT_LT(std::filesystem::file_size(file), FILE_BOUND - 8 * 1024 * 1024);
        clearArtworkCache();
        EXPECT_EQ(keepPicturesIn(file), taken);
    }
}

TEST_F(KeptFile, CutInsideAPicturesPixelsIsRefusedWhole) {
    std::string whole = header;
    put(whole, std::uint32_t(2));
    putPicture(whole, 33, 41, 33);
    const std::size_t second = whole.size();
    putPicture(whole, 40, 50, 40);
    const std::size_t end = whole.size();
    put(whole, std::uint32_t(0));
    put(whole, std::uint32_t(0));
    ASSERT_EQ(taken(file, whole), 2);
    for (std::size_t cut :
         {second - 1, second + 20, second + 21, (second + end) / 2, end - 4, end - 1})
        EXPECT_EQ(taken(file, whole.substr(0, cut)), 0) << cut;
    // Cut after a megabyte of a picture that claims 64: reading on as if it were all there
    // would run far past what was read.
    std::string cut = header;
    put(cut, std::uint32_t(1));
    putPicture(cut, 2048, 2048, 8192);
    cut.resize(header.size() + 4 + 20 + (std::size_t{1} << 20));
    EXPECT_EQ(taken(file, cut), 0);
}

// The title plate without its lettering, which comes from whichever serif face the desktop
// has: the plate's lacquer and gold frame, pixel for pixel, at the natural size and 2.5 times
// it. A plate that changes on purpose gets its new value in the same commit, which says so.
TEST(Artwork, TheTitlePlateIsTheOneDrawnBefore) {
    constexpr std::uint64_t PLATE = 0xfe524748d77aa88eULL;
    std::uint64_t all = 1469598103934665603ULL;
    std::string each;
    for (double scale : {1.0, 2.5}) {
        const int w = int(std::lround(33 * scale)), h = int(std::lround(41 * scale));
        QImage img(int(std::lround(w * 3.5)), h, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        paintPicture(p, -3, QRectF(0, 0, w, h));
        p.end();
        // Where the word and its shadow may fall, with a margin for the outline.
        const double in = h * 0.075;
        const QRectF plate(h * 0.06, h * 0.09, img.width() - h * 0.12, h * 0.80);
        const QRect word = plate.adjusted(in * 2.2, in * 1.6, -in * 2.2, -in * 1.6)
                               .adjusted(-h * 0.03, -h * 0.03, h * 0.05, h * 0.05)
                               .toAlignedRect();
        std::uint64_t hash = 1469598103934665603ULL;
        int counted = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (!word.contains(x, y)) {
                    hash = (hash ^ img.pixel(x, y)) * 1099511628211ULL;
                    ++counted;
                }
        EXPECT_GT(counted, img.width() * img.height() / 3) << "the plate shows around the word";
        all = (all ^ hash) * 1099511628211ULL;
        char line[64];
        std::snprintf(line, sizeof line, "\nplate at %.1f: %016llx", scale,
                      static_cast<unsigned long long>(hash));
        each += line;
    }
    EXPECT_EQ(all, PLATE) << std::hex << "0x" << all << each;
}
