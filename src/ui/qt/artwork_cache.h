#pragma once
// The pictures kept in memory, and what the kept file reads into them and writes from them.
#include <QColor>
#include <QHashFunctions>
#include <QImage>
#include <QPoint>
#include <QSizeF>
#include <QString>

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace artwork {

// A window dragged through many sizes would otherwise keep every one of them.
constexpr std::size_t MAX_KEPT = 1024;

// The pictures painted so far, each ready or being painted by one thread, and the ones a
// paint is about to need, which helper threads paint meanwhile: a window full of new pictures
// (the first frame, another scale) is painted on every core.
struct Request {
    int code, w, h, imageWidth;
    bool operator==(const Request&) const = default;
};

struct RequestHash {
    std::size_t operator()(const Request& r) const {
        // Sides are at most MAX_SIDE (12 bits), the title at most four times that.
        return (static_cast<std::uint64_t>(r.code + 128) << 48) |
               (static_cast<std::uint64_t>(r.w) << 36) | (static_cast<std::uint64_t>(r.h) << 24) |
               static_cast<std::uint64_t>(r.imageWidth);
    }
};

// A text as a paint copies it: its letters, its font (QFont::key), colour and device scale.
struct TextRequest {
    QString text, font;
    QRgb colour;
    double sx, sy;
    bool operator==(const TextRequest&) const = default;
};

struct TextRequestHash {
    std::size_t operator()(const TextRequest& r) const {
        return qHashMulti(0, r.text, r.font, r.colour, r.sx, r.sy);
    }
};

// The picture of a text, placed this far from the device pixel at the top left of its line.
// `order` counts the texts of a run as they come: the first ones are those of the opening
// screen, and only they go to the file.
struct Lettering {
    QImage image;
    QPoint offset;
    std::uint32_t order = 0;
};

struct ExtentRequest {
    QString font, text;
    bool operator==(const ExtentRequest&) const = default;
};

struct ExtentRequestHash {
    std::size_t operator()(const ExtentRequest& r) const { return qHashMulti(0, r.font, r.text); }
};

struct Extent {
    QSizeF size;
    std::uint32_t order = 0;
};

// The clocks and the record show new texts all game long: the texts in memory are bounded
// (the opening screen's alone take about 170 KB at the usual size), and the file keeps only
// the first of a run.
constexpr std::size_t MAX_TEXT_BYTES = std::size_t{256} << 10;
constexpr std::size_t MAX_EXTENTS = 4096;
constexpr std::uint32_t TEXTS_TO_FILE = 128;
// Longer texts, and longer font names, are drawn and measured straight.
constexpr qsizetype MAX_TEXT_LENGTH = 256;
constexpr qsizetype MAX_FONT_KEY_LENGTH = 1024;

struct Kept {
    std::mutex mutex;
    std::condition_variable asked;
    std::unordered_map<Request, std::shared_future<QImage>, RequestHash> pictures;
    std::deque<Request> wanted;
    std::vector<std::thread> helpers;
    bool stopping = false;
    std::string file;      // where the pictures are kept for the next run, if anywhere
    bool painted = false;  // pictures painted since the file was read
    std::unordered_map<TextRequest, Lettering, TextRequestHash> texts;
    std::size_t textBytes = 0;
    std::uint32_t textsPainted = 0;
    std::unordered_map<ExtentRequest, Extent, ExtentRequestHash> extents;
    std::uint32_t textsMeasured = 0;

    const Lettering& rememberText(TextRequest r, Lettering l);
    void rememberExtent(ExtentRequest r, QSizeF size);
    // Lets the helpers finish the picture in hand, and ends them.
    void finish();
    ~Kept() { finish(); }
};

Kept& kept();

}  // namespace artwork
