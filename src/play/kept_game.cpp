#include "play/kept_game.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "play/panel.h"
#include "play/record_panel.h"
#include "play/state.h"
#include "record/record_file.h"

namespace fs = std::filesystem;

namespace {

// The state directory and its parents as the XDG rules make them: private to the user.
bool makeDirectories(const fs::path& dir) {
    std::error_code ec;
    if (fs::is_directory(dir, ec)) return true;
    if (dir.has_relative_path() && dir.parent_path() != dir && !makeDirectories(dir.parent_path()))
        return false;
    return ::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace

std::string 前回棋譜の内容(const State& s) {
    // The history holds the positions before each move; the last one is still on the board.
    // The header lines are left empty: reading the game back draws nothing over the board.
    const int last = s.game.TESU();
    std::string bytes = encodeRecord(s.hist, last - 1, "", "", "");
    if (last < 1 || last > TESU_MAX) return bytes;
    const int t = last - 1;
    const float man = s.hist.MAN_JIKAN_ATO[t], com = s.hist.COM_JIKAN_ATO[t];
    bytes +=
        formatPositionLine(s.pos.board(), s.pos.manHand(), s.pos.comHand(), {man, man, com, com});
    bytes += "\r\n";
    return bytes;
}

void 書込_前回棋譜(const State& s) {
    const fs::path& file = s.places.keptGame;
    if (file.empty()) return;
    if (makeDirectories(file.parent_path()) && replaceFile(file, 前回棋譜の内容(s))) return;
    static bool told = false;
    if (told) return;
    told = true;
    std::fprintf(stderr, "torvane: the game in progress cannot be kept in %s\n", file.c_str());
}

void KIFU_ZENKAI_Click(State& s) {
    パネル閉じる(s.recordPanel);
    std::string bytes;
    std::error_code ec;
    const fs::path& file = s.places.keptGame;
    FileResult r;
    if (file.empty() || !fs::exists(file, ec))
        r = {false, "前回の対局はありません"};
    else
        r = readRecordFile(file, bytes);
    if (!r.ok) {
        s.sound.playSound(Sound::KINSHI);
        s.dialog.message(r.message, "前回", Buttons::Ok);
        return;
    }
    読込_棋譜内容(s, bytes);
    // A record does not say who sat where; the first move does, and the game played on from
    // its last position needs it: COM's pieces are the top ones.
    const Arrival first = 調査_移動結果(s.hist, 1);
    if (s.hist.SAISHU_TESU() >= 1 && first.found)
        s.game.sidesSet(first.code < 0 ? SENTE_BAN : GOTE_BAN);
}
