// Stand-ins for the play logic's window entry points, until it is in: start-up sets up and
// draws the board, the option menus and the version box work, Esc and 終わり end the program.
#include <fstream>
#include <iterator>
#include <string>

#include "core/setup.h"
#include "core/state.h"
#include "play/window_events.h"
#include "settings/option_menu.h"
#include "settings/settings_file.h"

namespace {

void 終了(State& s) {
    for (Sound sound : {Sound::SONOTA, Sound::KINSHI, Sound::KOMA, Sound::BGM, Sound::SHOUMETSU})
        s.port.freeSound(sound);
    s.port.closeSound();
    s.port.quit();
}

}  // namespace

void Form_Load(State& s) {
    if (!s.port.openSound()) {
        s.port.message("Direct Soundインターフェースが作成できません。", "Torvane.dll",
                       Buttons::Ok);
    } else {
        const struct {
            Sound sound;
            const char* file;
            int flag;
        } sounds[] = {{Sound::SONOTA, "その他.wav", 3},
                      {Sound::KINSHI, "禁止.wav", 3},
                      {Sound::KOMA, "駒打音.wav", 3},
                      {Sound::BGM, "BGM.wav", 1},
                      {Sound::SHOUMETSU, "消滅.wav", 1}};
        for (const auto& w : sounds) {
            std::ifstream in(w.file, std::ios::binary);
            if (!in) continue;
            std::string bytes((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
            s.port.loadSound(w.sound, bytes, w.flag);
        }
    }
    s.port.setChecked("LEVEL3", true);
    読込_環境設定ファイル(s);
    初期設定(s);
    s.port.placeWindow(9700, 8000);
}

void Form_MouseDown(State&, int, int, double, double) {}

void Form_KeyPress(State& s, int code) {
    if (code == 27) 終了(s);
}

void Form_Unload(State& s) { 終了(s); }

void メニュー選択(State& s, std::string_view control) {
    if (control == "OWARI")
        終了(s);
    else if (control == "MIDORI")
        MIDORI_Click(s);
    else if (control == "TATAMI")
        TATAMI_Click(s);
    else if (control == "TAKE")
        TAKE_Click(s);
    else if (control == "UCHU")
        UCHU_Click(s);
    else if (control == "RENGA")
        RENGA_Click(s);
    else if (control == "SIDOU")
        SIDOU_Click(s);
    else if (control == "KEIKA")
        KEIKA_Click(s);
    else if (control == "BGM")
        BGM_Click(s);
    else if (control == "VER") {
        s.port.playSound(Sound::SONOTA);
        if (s.port.showVersionBox()) s.port.browse("https://torvane.example.org/");
    }
}
