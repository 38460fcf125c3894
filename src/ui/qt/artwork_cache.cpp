#include "ui/qt/artwork.h"
#include "ui/qt/artwork_cache.h"
#include "ui/qt/artwork_paint.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <optional>

using namespace artwork;

namespace artwork {

const Lettering& Kept::rememberText(TextRequest r, Lettering l) {
    if (textBytes + std::size_t(l.image.sizeInBytes()) > MAX_TEXT_BYTES) {
        std::erase_if(texts, [](const auto& t) { return t.second.order >= TEXTS_TO_FILE; });
        textBytes = 0;
        for (const auto& t : texts) textBytes += std::size_t(t.second.image.sizeInBytes());
    }
    l.order = textsPainted++;
    if (l.order < TEXTS_TO_FILE) painted = true;
    textBytes += std::size_t(l.image.sizeInBytes());
    return texts.insert_or_assign(std::move(r), std::move(l)).first->second;
}

void Kept::rememberExtent(ExtentRequest r, QSizeF size) {
    if (extents.size() >= MAX_EXTENTS)
        std::erase_if(extents, [](const auto& e) { return e.second.order >= TEXTS_TO_FILE; });
    const std::uint32_t order = textsMeasured++;
    if (order < TEXTS_TO_FILE) painted = true;
    extents.insert_or_assign(std::move(r), Extent{size, order});
}

void Kept::finish() {
    std::unique_lock lock(mutex);
    wanted.clear();
    stopping = true;
    asked.notify_all();
    std::vector<std::thread> ending = std::move(helpers);
    helpers.clear();
    lock.unlock();
    for (std::thread& t : ending) t.join();
    lock.lock();
    stopping = false;
}

Kept& kept() {
    static Kept k;
    return k;
}

}  // namespace artwork

namespace {

// A painted image keeps its paint engine, whose buffers (the rasterizer's, the stroker's,
// the clip's) often outweigh the pixels and stay as long as the image: kept pictures are
// copies of the pixels alone.
QImage pixelsOnly(const QImage& painted) { return painted.copy(); }

QImage picture(int code, int w, int h, int imageWidth) {
    Kept& k = kept();
    const Request r{code, w, h, imageWidth};
    std::unique_lock lock(k.mutex);
    auto it = k.pictures.find(r);
    if (it != k.pictures.end()) {
        const std::shared_future<QImage> ready = it->second;
        lock.unlock();
        return ready.get();  // waits while another thread paints it
    }
    if (k.pictures.size() >= MAX_KEPT) k.pictures.clear();
    std::promise<QImage> painting;
    const std::shared_future<QImage> ready = painting.get_future().share();
    k.pictures.emplace(r, ready);
    k.painted = true;
    lock.unlock();
    const QImage square =
        pictureOf(code) == Picture::Piece ? picture(0, imageWidth, h, imageWidth) : QImage();
    painting.set_value(pixelsOnly(render(code, h, imageWidth, square)));
    return ready.get();
}

// A helper takes the wanted pictures from the back, while the paint goes from the front.
void help(Kept& k) {
    std::unique_lock lock(k.mutex);
    while (true) {
        k.asked.wait(lock, [&k] { return k.stopping || !k.wanted.empty(); });
        if (k.stopping) return;
        const Request r = k.wanted.back();
        k.wanted.pop_back();
        if (k.pictures.count(r) != 0) continue;
        lock.unlock();
        picture(r.code, r.w, r.h, r.imageWidth);
        lock.lock();
    }
}

bool upright(const QTransform& toDevice) {
    return toDevice.type() <= QTransform::TxScale && toDevice.m11() > 0 && toDevice.m22() > 0;
}

// Far off the canvas (or not a number): nothing of it could show.
bool farOff(const QRectF& dev) {
    const double far = 1 << 28;
    return !(std::abs(dev.left()) < far && std::abs(dev.top()) < far && dev.width() < far &&
             dev.height() < far);
}

// The picture paintPicture copies into a cell that is `dev` on the device, for a sensible size.
std::optional<Request> copyOf(int code, double cells, const QRectF& dev) {
    // Snapping both edges to whole pixels makes neighbouring cells share their boundary.
    const long left = std::lround(dev.left()), top = std::lround(dev.top());
    const long w = std::lround(dev.right()) - left, h = std::lround(dev.bottom()) - top;
    const long iw = std::lround(dev.left() + dev.width() * cells) - left;
    // The title is at most 3.5 sides wide: within the bound of its picture whenever w is.
    if (w >= 1 && h >= 1 && w <= MAX_SIDE && h <= MAX_SIDE)
        return Request{code, int(w), int(h), int(iw)};
    return std::nullopt;
}

int toSide(double pixels) { return std::clamp(static_cast<int>(std::lround(pixels)), 1, MAX_SIDE); }

void copyPixels(QPainter& painter, const QPoint& devicePixel, const QImage& img) {
    painter.save();
    // Undo every transform, including the one the device adds for its pixel ratio, so the
    // picture is copied pixel for pixel.
    painter.setViewTransformEnabled(false);
    painter.setWorldTransform(QTransform());
    painter.setWorldTransform(painter.deviceTransform().inverted());
    painter.drawImage(devicePixel, img);
    painter.restore();
}

// A text straight from its font, the top of its line at `topLeft`.
void drawLine(QPainter& painter, const QPointF& topLeft, const QString& text, const QFont& font,
              const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font);
    painter.setPen(colour);
    const QFontMetricsF metrics(font, painter.device());
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
    painter.restore();
}

// The picture of a text: its line drawn on a clear picture as it would be on the device, with
// room for letters that reach past the line. None for a text too big to keep.
std::optional<Lettering> letter(const TextRequest& r, const QFont& font, const QColor& colour) {
    const QFontMetricsF m(font);
    const QRectF line(QPointF(), QSizeF(m.horizontalAdvance(r.text), m.height()));
    const QRectF ink = m.boundingRect(r.text).translated(0, m.ascent()) | line;
    const QRect pixels =
        QRectF(ink.left() * r.sx, ink.top() * r.sy, ink.width() * r.sx, ink.height() * r.sy)
            .toAlignedRect()
            .adjusted(-2, -2, 2, 2);
    if (pixels.width() > MAX_SIDE * 4 || pixels.height() > MAX_SIDE) return std::nullopt;
    QImage img(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.translate(-pixels.topLeft());
    p.scale(r.sx, r.sy);
    drawLine(p, QPointF(0, 0), r.text, font, colour);
    p.end();
    return Lettering{pixelsOnly(img), pixels.topLeft()};
}

}  // namespace

double pictureWidthInCells(int code) {
    const Picture kind = pictureOf(code);
    return kind == Picture::None ? 0 : kind == Picture::Title ? TITLE_CELLS : 1;
}

void paintPicture(QPainter& painter, int code, const QRectF& cell) {
    const double cells = pictureWidthInCells(code);
    if (cells == 0 || !painter.isActive() || !(cell.width() > 0) || !(cell.height() > 0)) return;
    const QTransform toDevice = painter.deviceTransform();

    if (upright(toDevice)) {
        const QRectF dev = toDevice.mapRect(cell);
        if (farOff(dev)) return;
        if (const auto copy = copyOf(code, cells, dev)) {
            copyPixels(painter, QPoint(int(std::lround(dev.left())), int(std::lround(dev.top()))),
                       picture(code, copy->w, copy->h, copy->imageWidth));
            return;
        }
    }

    // A rotated, mirrored or huge view: draw at about the right size and let the painter fit it.
    const double w = QLineF(toDevice.map(cell.topLeft()), toDevice.map(cell.topRight())).length();
    const double h = QLineF(toDevice.map(cell.topLeft()), toDevice.map(cell.bottomLeft())).length();
    const int iw = toSide(w), ih = toSide(h);
    const int imageWidth =
        cells == 1 ? iw : std::clamp(static_cast<int>(std::lround(w * cells)), 1, MAX_SIDE * 4);
    const QImage img = picture(code, iw, ih, imageWidth);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(cell.left(), cell.top(), cell.width() * cells, cell.height()), img);
    painter.restore();
}

void paintAhead(int code, const QRectF& cell, const QTransform& toDevice) {
    const double cells = pictureWidthInCells(code);
    if (cells == 0 || !(cell.width() > 0) || !(cell.height() > 0) || !upright(toDevice)) return;
    const QRectF dev = toDevice.mapRect(cell);
    if (farOff(dev)) return;
    const auto copy = copyOf(code, cells, dev);
    if (!copy) return;
    Kept& k = kept();
    {
        std::lock_guard lock(k.mutex);
        if (k.pictures.count(*copy) != 0) return;
        k.wanted.push_back(*copy);
        if (k.helpers.empty()) {
            const unsigned cores = std::thread::hardware_concurrency();
            const unsigned n = std::clamp(cores, 2u, 4u) - 1;
            for (unsigned i = 0; i < n; ++i) k.helpers.emplace_back(help, std::ref(k));
        }
    }
    k.asked.notify_one();
}

void finishPaintingAhead() { kept().finish(); }

void paintText(QPainter& painter, const QPointF& topLeft, const QString& text, const QFont& font,
               const QColor& colour) {
    if (text.isEmpty() || !painter.isActive()) return;
    const QTransform toDevice = painter.deviceTransform();
    const QPointF dev = toDevice.map(topLeft);
    const bool inReach = upright(toDevice) && !farOff(QRectF(dev, QSizeF(1, 1)));
    const QPoint at = inReach ? dev.toPoint() : QPoint();
    if (!inReach || text.size() > MAX_TEXT_LENGTH || std::abs(dev.x() - at.x()) > 1e-6 ||
        std::abs(dev.y() - at.y()) > 1e-6) {
        drawLine(painter, topLeft, text, font, colour);
        return;
    }
    TextRequest r{text, font.key(), colour.rgba(), toDevice.m11(), toDevice.m22()};
    Kept& k = kept();
    std::unique_lock lock(k.mutex);
    auto it = k.texts.find(r);
    Lettering l;
    if (it != k.texts.end()) {
        l = it->second;
    } else {
        lock.unlock();
        std::optional<Lettering> painted = letter(r, font, colour);
        if (!painted) {
            drawLine(painter, topLeft, text, font, colour);
            return;
        }
        lock.lock();
        l = k.rememberText(std::move(r), std::move(*painted));
    }
    lock.unlock();
    copyPixels(painter, at + l.offset, l.image);
}

QSizeF textExtent(const QFont& font, const QString& text) {
    ExtentRequest r{font.key(), text};
    Kept& k = kept();
    {
        std::lock_guard lock(k.mutex);
        if (auto it = k.extents.find(r); it != k.extents.end()) return it->second.size;
    }
    const QFontMetricsF metrics(font);
    const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
    if (text.size() > MAX_TEXT_LENGTH || r.font.size() > MAX_FONT_KEY_LENGTH) return size;
    std::lock_guard lock(k.mutex);
    k.rememberExtent(std::move(r), size);
    return size;
}

void clearArtworkCache() {
    Kept& k = kept();
    std::lock_guard lock(k.mutex);
    k.pictures.clear();
    k.wanted.clear();
    // The texts' pictures are for one scale like the others; their measures are for any.
    k.texts.clear();
    k.textBytes = 0;
    k.textsPainted = 0;
}
