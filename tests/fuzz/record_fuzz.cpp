// The record file reader: any bytes as a record file, read the way a click in the record
// panel reads it. A record it accepts, written back by the record writer, reads again to the
// same history.
#include <cmath>
#include <memory>

#include "play/record_panel.h"
#include "fuzz_check.h"
#include "play/state.h"
#include "record/record_file.h"
#include "ui/port.h"

namespace {

bool validCode(int c) {
    const int a = c < 0 ? -c : c;
    if (a == 0 || a == 50 || a == 80) return true;
    return a >= 10 && a <= 71 && a % 10 <= 1 && a != 51;
}

void checkSane(const History& h) {
    FUZZ_CHECK(h.SAISHU_TESU() >= 0 && h.SAISHU_TESU() <= TESU_MAX, "SAISHU_TESU %d",
               h.SAISHU_TESU());
    for (int t = 1; t <= h.SAISHU_TESU(); ++t) {
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

void checkSameHistory(const History& a, const History& b) {
    FUZZ_CHECK(a.SAISHU_TESU() == b.SAISHU_TESU(), "%d entries read back as %d", a.SAISHU_TESU(),
               b.SAISHU_TESU());
    for (int t = 1; t <= a.SAISHU_TESU(); ++t) {
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Two games kept for the whole run: a read resets everything it compares.
    static SilentPort port;
    static const std::unique_ptr<State> first = std::make_unique<State>(port);
    static const std::unique_ptr<State> second = std::make_unique<State>(port);
    const ScratchFile in("in.棋譜");
    const ScratchFile out("out.棋譜");

    writeBytes(in.path(), data, size);
    const FileResult r = 読込_棋譜(*first, in.path());
    const History& h = first->hist;
    if (size > RECORD_FILE_MAX_BYTES) {
        FUZZ_CHECK(!r.ok, "an oversized file was read");
        return 0;
    }
    FUZZ_CHECK(r.ok, "a readable file was refused: %s", r.message.c_str());
    FUZZ_CHECK(first->game.KIFU_MODE() == ON && first->game.TESU() == 0,
               "not browsing from move 0");
    checkSane(h);
    if (h.SAISHU_TESU() == 0) return 0;

    const FileResult w = writeRecordFile(h, out.path(), "g", "c", "m");
    FUZZ_CHECK(w.ok, "write failed: %s", w.message.c_str());
    const FileResult r2 = 読込_棋譜(*second, out.path());
    FUZZ_CHECK(r2.ok, "the written record was refused: %s", r2.message.c_str());
    checkSameHistory(h, second->hist);
    return 0;
}
