// The record panel: the drive, directory and file lists, the name boxes and the "RETURN" button.
#include "play/panel.h"

#include <filesystem>
#include <string>

#include "core/constants.h"
#include "play/screen.h"
#include "play/moves.h"
#include "play/record_panel.h"
#include "play/state.h"
#include "play/window_events.h"
#include "record/record_file.h"
#include "files/text_file.h"

namespace {

// The window hands paths over in the file layer's lossless text form.
std::filesystem::path pathOf(const std::string& text) {
    return std::filesystem::path(nameBytes(text));
}

}  // namespace

void 描画_可視(State& s, int drive, int directory, int file) {
    s.recordPanel.showRecordLists(drive == ON, directory == ON, file == ON);
}

void 描画_棋譜_IO(State& s, int mode) {
    if (mode == 0) {
        s.recordPanel.showRecordInputs(true);
        return;
    }
    // Names are typed again for every record.
    s.recordPanel.clearRecordInputs();
    s.recordPanel.showRecordInputs(false);
}

void パネル閉じる(State& s) {
    描画_可視(s, OFF, OFF, OFF);
    描画_棋譜_IO(s, 1);
}

void KIFU_READ_Click(State& s) {
    描画_可視(s, ON, ON, ON);
    描画_棋譜_IO(s, 1);
}

void KIFU_WRITE_Panel(State& s) {
    if (KIFU_WRITE_Click(s) != ON) return;
    描画_可視(s, ON, ON, OFF);
    描画_棋譜_IO(s, 0);
}

void OPTION_Click(State& s) { パネル閉じる(s); }

void Drive1_Change(State& s) {
    if (!s.recordPanel.setRecordDirectory(s.recordPanel.recordDrive())) {
        s.dialog.message("ﾃﾞﾊﾞｲｽが準備できていません", "ｴﾗｰ", Buttons::Ok);
        return;
    }
    // The directory list moved, so the file list follows it.
    Dir1_Change(s);
}

void Dir1_Change(State& s) {
    s.recordPanel.setRecordFileDirectory(s.recordPanel.recordDirectory());
}

void Command1_Click(State& s) {
    RecordPanelPort& p = s.recordPanel;
    書込_棋譜(s, pathOf(p.recordFileDirectory()), p.recordInput(1), p.recordInput(2),
              p.recordInput(3), p.recordInput(4), [&s] {
                  パネル閉じる(s);
                  s.recordPanel.refreshRecordFiles();
              });
}

void File1_Click(State& s, std::string_view fileName) {
    描画_可視(s, OFF, OFF, OFF);
    読込_棋譜(s, pathOf(s.recordPanel.recordFileDirectory()) / pathOf(std::string(fileName)));
}
