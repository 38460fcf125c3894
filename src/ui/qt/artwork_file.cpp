#include "files/text_file.h"
#include "ui/qt/artwork.h"
#include "ui/qt/artwork_cache.h"
#include "ui/qt/artwork_paint.h"

#include <link.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace artwork;

namespace {

// The pictures kept from one run to the next: "Torvane pictures 2\n", the id of the program
// that painted them, their count, and for each its code, sizes and format and its pixels row
// by row; then the texts' pictures (letters, font, colour, scale, place, size, pixels) and the
// texts' measures (font, letters, advance, height), each list after its count. Only the same
// build reads them, so changed artwork or lettering never shows old pictures.
constexpr std::string_view FILE_MAGIC = "Torvane pictures 2\n";
constexpr std::size_t FILE_MAX_BYTES = std::size_t{32} << 20;

// The program's build id (the linker's note), or nothing.
std::string programId() {
    std::string id;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* out) {
            // The first object is the program itself.
            for (const ElfW(Phdr) & ph : std::span(info->dlpi_phdr, info->dlpi_phnum)) {
                if (ph.p_type != PT_NOTE) continue;
                const char* at = reinterpret_cast<const char*>(info->dlpi_addr + ph.p_vaddr);
                const char* end = at + ph.p_memsz;
                while (end - at >= static_cast<std::ptrdiff_t>(sizeof(ElfW(Nhdr)))) {
                    ElfW(Nhdr) note;
                    std::memcpy(&note, at, sizeof note);
                    const char* name = at + sizeof note;
                    const char* desc = name + ((note.n_namesz + 3) & ~3u);
                    const char* next = desc + ((note.n_descsz + 3) & ~3u);
                    if (next > end) break;
                    if (note.n_type == NT_GNU_BUILD_ID && note.n_namesz == 4 &&
                        std::memcmp(name, "GNU", 4) == 0)
                        static_cast<std::string*>(out)->assign(desc, note.n_descsz);
                    at = next;
                }
            }
            return 1;
        },
        &id);
    return id;
}

template <class T>
void put(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <class T>
bool take(std::string_view& in, T& value) {
    if (in.size() < sizeof value) return false;
    std::memcpy(&value, in.data(), sizeof value);
    in.remove_prefix(sizeof value);
    return true;
}

void putText(std::string& out, const QString& text) {
    put(out, std::uint32_t(text.size()));
    out.append(reinterpret_cast<const char*>(text.utf16()), std::size_t(text.size()) * 2);
}

bool takeText(std::string_view& in, QString& text, qsizetype longest) {
    std::uint32_t size{};
    if (!take(in, size) || size > std::uint32_t(longest) || in.size() < std::size_t(size) * 2)
        return false;
    text.resize(qsizetype(size));
    std::memcpy(text.data(), in.data(), std::size_t(size) * 2);
    in.remove_prefix(std::size_t(size) * 2);
    return true;
}

void putPixels(std::string& out, const QImage& img) {
    for (int y = 0; y < img.height(); ++y)
        out.append(reinterpret_cast<const char*>(img.constScanLine(y)),
                   std::size_t(img.width()) * 4);
}

bool takePixels(std::string_view& in, QImage& img) {
    const std::size_t row = std::size_t(img.width()) * 4;
    if (img.isNull() || in.size() < row * std::size_t(img.height())) return false;
    for (int y = 0; y < img.height(); ++y) {
        std::memcpy(img.scanLine(y), in.data(), row);
        in.remove_prefix(row);
    }
    return true;
}

// The texts (or measures) a run met first, in the order it met them, so that the next run,
// reading them back, counts them alike.
template <class Map>
std::vector<const typename Map::value_type*> firstOfTheRun(const Map& entries) {
    std::vector<const typename Map::value_type*> first;
    for (const auto& entry : entries)
        if (entry.second.order < TEXTS_TO_FILE) first.push_back(&entry);
    std::sort(first.begin(), first.end(),
              [](const auto* a, const auto* b) { return a->second.order < b->second.order; });
    return first;
}

struct KeptFile {
    std::vector<std::pair<Request, QImage>> pictures;
    std::vector<std::pair<TextRequest, Lettering>> texts;
    std::vector<std::pair<ExtentRequest, QSizeF>> extents;
};

bool sensibleScale(double s) { return s > 0.01 && s < 64; }

// What a kept file holds, or nothing at all when anything in it is not as written.
KeptFile readKept(std::string_view in, const std::string& id) {
    KeptFile out;
    std::uint32_t idSize{}, count{};
    if (id.empty() || in.substr(0, FILE_MAGIC.size()) != FILE_MAGIC) return {};
    in.remove_prefix(FILE_MAGIC.size());
    if (!take(in, idSize) || in.substr(0, idSize) != id) return {};
    in.remove_prefix(idSize);
    if (!take(in, count) || count > MAX_KEPT) return {};
    for (std::uint32_t i = 0; i < count; ++i) {
        Request r{};
        std::int32_t format{};
        if (!take(in, r.code) || !take(in, r.w) || !take(in, r.h) || !take(in, r.imageWidth) ||
            !take(in, format))
            return {};
        const bool title = pictureOf(r.code) == Picture::Title;
        if (pictureOf(r.code) == Picture::None || r.w < 1 || r.w > MAX_SIDE || r.h < 1 ||
            r.h > MAX_SIDE || r.imageWidth < 1 || r.imageWidth > MAX_SIDE * 4 ||
            format != (title ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32))
            return {};
        QImage img(r.imageWidth, r.h, static_cast<QImage::Format>(format));
        if (!takePixels(in, img)) return {};
        out.pictures.emplace_back(r, std::move(img));
    }
    if (!take(in, count) || count > TEXTS_TO_FILE) return {};
    for (std::uint32_t i = 0; i < count; ++i) {
        TextRequest r{};
        std::int32_t x{}, y{}, w{}, h{};
        if (!takeText(in, r.text, MAX_TEXT_LENGTH) || !takeText(in, r.font, MAX_FONT_KEY_LENGTH) ||
            !take(in, r.colour) || !take(in, r.sx) || !take(in, r.sy) || !take(in, x) ||
            !take(in, y) || !take(in, w) || !take(in, h))
            return {};
        // Compared from both sides: the absolute value of the lowest int does not exist.
        if (!sensibleScale(r.sx) || !sensibleScale(r.sy) || x < -MAX_SIDE * 4 || x > MAX_SIDE * 4 ||
            y < -MAX_SIDE || y > MAX_SIDE || w < 1 || w > MAX_SIDE * 4 || h < 1 || h > MAX_SIDE)
            return {};
        QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
        if (!takePixels(in, img)) return {};
        out.texts.emplace_back(std::move(r), Lettering{std::move(img), QPoint(x, y), i});
    }
    if (!take(in, count) || count > TEXTS_TO_FILE) return {};
    for (std::uint32_t i = 0; i < count; ++i) {
        ExtentRequest r;
        double w{}, h{};
        if (!takeText(in, r.font, MAX_FONT_KEY_LENGTH) || !takeText(in, r.text, MAX_TEXT_LENGTH) ||
            !take(in, w) || !take(in, h) || !(w >= 0 && w < 1e9) || !(h >= 0 && h < 1e9))
            return {};
        out.extents.emplace_back(std::move(r), QSizeF(w, h));
    }
    return in.empty() ? std::move(out) : KeptFile{};
}

}  // namespace

int keepPicturesIn(const std::string& path) {
    Kept& k = kept();
    // Read as every other file: a pipe or a device in its place is refused without waiting.
    WholeFile whole = readWholeFile(path, FILE_MAX_BYTES);
    const std::string bytes =
        whole.status == ReadStatus::Ok ? std::move(whole.bytes) : std::string();
    KeptFile fromFile = readKept(bytes, programId());
    std::lock_guard lock(k.mutex);
    k.file = path;
    for (const auto& [r, img] : fromFile.pictures) {
        std::promise<QImage> ready;
        ready.set_value(img);
        k.pictures.emplace(r, ready.get_future().share());
    }
    k.texts.clear();
    k.textBytes = 0;
    for (auto& [r, l] : fromFile.texts) {
        k.textBytes += std::size_t(l.image.sizeInBytes());
        k.texts.insert_or_assign(std::move(r), std::move(l));
    }
    k.textsPainted = std::uint32_t(fromFile.texts.size());
    k.extents.clear();
    for (auto& [r, extent] : fromFile.extents)
        k.extents.insert_or_assign(std::move(r), Extent{extent, std::uint32_t(k.extents.size())});
    k.textsMeasured = std::uint32_t(fromFile.extents.size());
    k.painted = false;
    return static_cast<int>(fromFile.pictures.size() + fromFile.texts.size());
}

bool savePictures() {
    Kept& k = kept();
    const std::string id = programId();
    std::string out(FILE_MAGIC);
    std::string file;
    {
        std::lock_guard lock(k.mutex);
        if (k.file.empty() || !k.painted || id.empty()) return false;
        file = k.file;
        // A file past the bound is refused whole when it is read: an entry goes in only while
        // the file, with its header and its three counts, stays within it.
        std::size_t room = FILE_MAX_BYTES - (out.size() + sizeof(std::uint32_t) + id.size() +
                                             3 * sizeof(std::uint32_t));
        // Keeps the entry written at the end of body from `start` while there is room for it,
        // or takes it out again.
        auto fits = [&room](std::string& body, std::size_t start) {
            const std::size_t entry = body.size() - start;
            if (entry > room) {
                body.resize(start);
                return false;
            }
            room -= entry;
            return true;
        };
        std::uint32_t count = 0;
        std::string body;
        for (const auto& [r, picture] : k.pictures) {
            using namespace std::chrono_literals;
            if (count == MAX_KEPT || picture.wait_for(0s) != std::future_status::ready) continue;
            const QImage& img = picture.get();
            const std::size_t start = body.size();
            put(body, std::int32_t(r.code));
            put(body, std::int32_t(r.w));
            put(body, std::int32_t(r.h));
            put(body, std::int32_t(r.imageWidth));
            put(body, std::int32_t(img.format()));
            putPixels(body, img);
            if (!fits(body, start)) break;
            ++count;
        }
        put(out, std::uint32_t(id.size()));
        out += id;
        put(out, count);
        out += body;
        std::uint32_t textCount = 0;
        body.clear();
        for (const auto* entry : firstOfTheRun(k.texts)) {
            const auto& [r, l] = *entry;
            const std::size_t start = body.size();
            putText(body, r.text);
            putText(body, r.font);
            put(body, r.colour);
            put(body, r.sx);
            put(body, r.sy);
            put(body, std::int32_t(l.offset.x()));
            put(body, std::int32_t(l.offset.y()));
            put(body, std::int32_t(l.image.width()));
            put(body, std::int32_t(l.image.height()));
            putPixels(body, l.image);
            if (!fits(body, start)) break;
            ++textCount;
        }
        put(out, textCount);
        out += body;
        std::uint32_t extentCount = 0;
        body.clear();
        for (const auto* entry : firstOfTheRun(k.extents)) {
            const auto& [r, e] = *entry;
            const std::size_t start = body.size();
            putText(body, r.font);
            putText(body, r.text);
            put(body, e.size.width());
            put(body, e.size.height());
            if (!fits(body, start)) break;
            ++extentCount;
        }
        put(out, extentCount);
        out += body;
        k.painted = false;
    }
    // Replaced whole, as every other file: another game ending at the same moment, or a full
    // disk, leaves the old file or the new one, never half of one.
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
    return replaceFile(file, out);
}
