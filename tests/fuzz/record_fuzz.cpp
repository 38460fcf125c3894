// The record codec: any bytes as a record file's contents, decoded as a click in the record
// panel decodes them. The history it gives, encoded by the record writer, decodes again to
// the same history.
#include <cmath>
#include <memory>

#include "fuzz_check.h"
#include "record/record_codec.h"

namespace {

constexpr int ROUND_TRIP_ENTRIES = 8;

bool validCode(int c) {
    const int a = c < 0 ? -c : c;
    if (a == 0 || a == 50 || a == 80) return true;
    return a >= 10 && a <= 71 && a % 10 <= 1 && a != 51;
}

bool sameEntry(const History& a, int s, const History& b, int t) {
    return a.BAN_RIREKI[s] == b.BAN_RIREKI[t] && a.MOCHI_MAN_RIREKI[s] == b.MOCHI_MAN_RIREKI[t] &&
           a.MOCHI_COM_RIREKI[s] == b.MOCHI_COM_RIREKI[t] &&
           a.MAN_JIKAN_MAE[s] == b.MAN_JIKAN_MAE[t] && a.MAN_JIKAN_ATO[s] == b.MAN_JIKAN_ATO[t] &&
           a.COM_JIKAN_MAE[s] == b.COM_JIKAN_MAE[t] && a.COM_JIKAN_ATO[s] == b.COM_JIKAN_ATO[t];
}

// An entry equal to the one before is as sane as that one: only changes are walked.
void checkSane(const History& h, int entries) {
    for (int t = 1; t <= entries; ++t) {
        if (t > 1 && sameEntry(h, t, h, t - 1)) continue;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                FUZZ_CHECK(validCode(h.BAN_RIREKI[t][x][y]), "entry %d (%d,%d) holds %d", t, x, y,
                           h.BAN_RIREKI[t][x][y]);
        for (int k = 1; k <= 7; ++k)
            FUZZ_CHECK(h.MOCHI_MAN_RIREKI[t][k] >= 0 && h.MOCHI_MAN_RIREKI[t][k] <= 35 &&
                           h.MOCHI_COM_RIREKI[t][k] >= 0 && h.MOCHI_COM_RIREKI[t][k] <= 35,
                       "entry %d hand %d", t, k);
        const float times[4] = {h.MAN_JIKAN_MAE[t], h.MAN_JIKAN_ATO[t], h.COM_JIKAN_MAE[t],
                                h.COM_JIKAN_ATO[t]};
        for (float v : times)
            FUZZ_CHECK(std::isfinite(v) && v == std::floor(v), "entry %d time %g", t, double(v));
    }
}

void checkSameHistory(const History& a, const History& b, int entries) {
    for (int t = 1; t <= entries; ++t) {
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                FUZZ_CHECK(a.BAN_RIREKI[t][x][y] == b.BAN_RIREKI[t][x][y],
                           "entry %d (%d,%d): %d read back as %d", t, x, y, a.BAN_RIREKI[t][x][y],
                           b.BAN_RIREKI[t][x][y]);
        for (int k = 1; k <= 7; ++k) {
            FUZZ_CHECK(a.MOCHI_MAN_RIREKI[t][k] == b.MOCHI_MAN_RIREKI[t][k],
                       "entry %d MAN hand %d: %d read back as %d", t, k, a.MOCHI_MAN_RIREKI[t][k],
                       b.MOCHI_MAN_RIREKI[t][k]);
            FUZZ_CHECK(a.MOCHI_COM_RIREKI[t][k] == b.MOCHI_COM_RIREKI[t][k],
                       "entry %d COM hand %d: %d read back as %d", t, k, a.MOCHI_COM_RIREKI[t][k],
                       b.MOCHI_COM_RIREKI[t][k]);
        }
        FUZZ_CHECK(
            a.MAN_JIKAN_MAE[t] == b.MAN_JIKAN_MAE[t] && a.MAN_JIKAN_ATO[t] == b.MAN_JIKAN_ATO[t] &&
                a.COM_JIKAN_MAE[t] == b.COM_JIKAN_MAE[t] &&
                a.COM_JIKAN_ATO[t] == b.COM_JIKAN_ATO[t],
            "entry %d times %g %g %g %g read back as %g %g %g %g", t, double(a.MAN_JIKAN_MAE[t]),
            double(a.MAN_JIKAN_ATO[t]), double(a.COM_JIKAN_MAE[t]), double(a.COM_JIKAN_ATO[t]),
            double(b.MAN_JIKAN_MAE[t]), double(b.MAN_JIKAN_ATO[t]), double(b.COM_JIKAN_MAE[t]),
            double(b.COM_JIKAN_ATO[t]));
    }
}

void copyEntry(const History& a, int s, History& b, int t) {
    b.BAN_RIREKI[t] = a.BAN_RIREKI[s];
    b.MOCHI_MAN_RIREKI[t] = a.MOCHI_MAN_RIREKI[s];
    b.MOCHI_COM_RIREKI[t] = a.MOCHI_COM_RIREKI[s];
    b.MAN_JIKAN_MAE[t] = a.MAN_JIKAN_MAE[s];
    b.MAN_JIKAN_ATO[t] = a.MAN_JIKAN_ATO[s];
    b.COM_JIKAN_MAE[t] = a.COM_JIKAN_MAE[s];
    b.COM_JIKAN_ATO[t] = a.COM_JIKAN_ATO[s];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Kept for the whole run: a history is large, and a decode sets every entry it compares.
    static const std::unique_ptr<History> first = std::make_unique<History>();
    static const std::unique_ptr<History> runs = std::make_unique<History>();
    static const std::unique_ptr<History> second = std::make_unique<History>();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const RecordContents c = decodeRecord(bytes, *first);
    const History& h = *first;
    FUZZ_CHECK(c.header.size() <= 3 && c.entries >= 0 && c.entries <= TESU_MAX,
               "%zu header lines, %d entries", c.header.size(), c.entries);
    FUZZ_CHECK(!c.cut || c.entries == TESU_MAX, "cut at %d", c.entries);
    checkSane(h, c.entries);
    if (c.entries == 0) return 0;

    // Each entry is written and read on its own line, independent of the others: the round
    // trip takes the first ROUND_TRIP_ENTRIES runs of equal entries, one entry each. Written
    // lines are full ones, so hundreds of different short lines would otherwise cost the run
    // most of its time for no new path.
    History& r = *runs;
    int n = 0;
    for (int t = 1; t <= c.entries && n <= ROUND_TRIP_ENTRIES; ++t)
        if (n == 0 || !sameEntry(h, t, r, n)) copyEntry(h, t, r, ++n);
    if (n > ROUND_TRIP_ENTRIES) n = ROUND_TRIP_ENTRIES;
    const std::string written = encodeRecord(r, n, "g", "c", "m");
    const RecordContents again = decodeRecord(written, *second);
    FUZZ_CHECK(again.header.size() == 3 && again.header[0] == "g" && !again.cut,
               "the written header reads back wrong");
    FUZZ_CHECK(again.entries == n, "%d entries read back as %d", n, again.entries);
    checkSameHistory(r, *second, n);
    return 0;
}
