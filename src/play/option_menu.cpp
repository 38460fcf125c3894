#include "play/option_menu.h"

#include "play/clock.h"
#include "play/screen.h"
#include "play/state.h"

namespace {

bool backgroundChecked(const Options& o, int id) {
    switch (id) {
        case 5: return o.MIDORI;
        case 6: return o.TATAMI;
        case 7: return o.TAKE;
        case 8: return o.UCHU;
        case 9: return o.RENGA;
        default: return false;
    }
}

// Each command ends by writing the options as they now stand.
FileResult written(State& s, const std::filesystem::path& path) {
    return 書込_環境設定ファイル(s.canvas.opt, s.window, s.dialog, path);
}

FileResult backgroundClick(State& s, int id, const std::filesystem::path& path) {
    if (!backgroundChecked(s.canvas.opt, id)) {
        チェック設定(s.canvas.opt, s.window, id);
        s.canvas.opt.HAIKEI_NO = id;
    }
    FileResult r = written(s, path);
    画面_再描画(s.canvas, s.pos, s.game, s.clock, s.analysis.LEVEL_NO);
    return r;
}

}  // namespace

FileResult MIDORI_Click(State& s, const std::filesystem::path& path) {
    return backgroundClick(s, 5, path);
}
FileResult TATAMI_Click(State& s, const std::filesystem::path& path) {
    return backgroundClick(s, 6, path);
}
FileResult TAKE_Click(State& s, const std::filesystem::path& path) {
    return backgroundClick(s, 7, path);
}
FileResult UCHU_Click(State& s, const std::filesystem::path& path) {
    return backgroundClick(s, 8, path);
}
FileResult RENGA_Click(State& s, const std::filesystem::path& path) {
    return backgroundClick(s, 9, path);
}

FileResult SIDOU_Click(State& s, const std::filesystem::path& path) {
    if (s.canvas.opt.SIDOU_FLAG) {
        // Guidance outlines still on the board go back to the plain colour.
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) 描画_桝輪郭(s.canvas, colours::GREEN, x, y);
        // Both stands, from the top down.
        for (int k = SYA; k >= HU; --k) {
            const Cell com = standCell(Side::COM, k), man = standCell(Side::MAN, SYA + HU - k);
            描画_桝輪郭(s.canvas, colours::GREEN, com.x, com.y);
            描画_桝輪郭(s.canvas, colours::GREEN, man.x, man.y);
        }
        s.window.setChecked("SIDOU", false);
        s.canvas.opt.SIDOU_FLAG = false;
        s.canvas.opt.SIDOU_COLOR = colours::GREEN;
    } else {
        s.window.setChecked("SIDOU", true);
        s.canvas.opt.SIDOU_FLAG = true;
        s.canvas.opt.SIDOU_COLOR = colours::WHITE;
    }
    return written(s, path);
}

FileResult KEIKA_Click(State& s, const std::filesystem::path& path) {
    if (s.canvas.opt.KEIKA) {
        s.canvas.opt.KEIKA = false;
        s.window.setChecked("KEIKA", false);
        タイマー設定(s.clock, s.timer, false);
        消去_所有時間(s.canvas, Side::MAN);
        消去_所有時間(s.canvas, Side::COM);
    } else {
        s.canvas.opt.KEIKA = true;
        s.window.setChecked("KEIKA", true);
        タイマー設定(s.clock, s.timer, true);
        描画_所有時間(s.canvas, Side::COM, s.clock.COM_JIKAN);
        描画_所有時間(s.canvas, Side::MAN, s.clock.MAN_JIKAN);
    }
    return written(s, path);
}

FileResult BGM_Click(State& s, const std::filesystem::path& path) {
    if (s.canvas.opt.BGM) {
        s.canvas.opt.BGM = false;
        s.window.setChecked("BGM", false);
        s.sound.stopSound(Sound::BGM);
    } else {
        s.canvas.opt.BGM = true;
        s.window.setChecked("BGM", true);
        s.sound.loopSound(Sound::BGM);
    }
    return written(s, path);
}
