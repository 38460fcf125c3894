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

void 描画_可視(RecordPanelPort& panel, int drive, int directory, int file) {
    panel.showRecordLists(drive == ON, directory == ON, file == ON);
}

void 描画_棋譜_IO(RecordPanelPort& panel, int mode) {
    if (mode == 0) {
        panel.showRecordInputs(true);
        return;
    }
    // Names are typed again for every record.
    panel.clearRecordInputs();
    panel.showRecordInputs(false);
}

void パネル閉じる(RecordPanelPort& panel) {
    描画_可視(panel, OFF, OFF, OFF);
    描画_棋譜_IO(panel, 1);
}

void KIFU_READ_Click(State& s) {
    描画_可視(s.recordPanel, ON, ON, ON);
    描画_棋譜_IO(s.recordPanel, 1);
}

void KIFU_WRITE_Panel(State& s) {
    if (!KIFU_WRITE_Click(s.game, s.dialog)) return;
    描画_可視(s.recordPanel, ON, ON, OFF);
    描画_棋譜_IO(s.recordPanel, 0);
}

void OPTION_Click(State& s) { パネル閉じる(s.recordPanel); }

void Drive1_Change(State& s) {
    RecordPanelPort& panel = s.recordPanel;
    if (!panel.setRecordDirectory(panel.recordDrive())) {
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
    RecordPanelPort& panel = s.recordPanel;
    書込_棋譜(s.hist, s.game, s.dialog, pathOf(panel.recordFileDirectory()), panel.recordInput(1),
              panel.recordInput(2), panel.recordInput(3), panel.recordInput(4), [&panel] {
                  パネル閉じる(panel);
                  panel.refreshRecordFiles();
              });
}

void File1_Click(State& s, std::string_view fileName) {
    描画_可視(s.recordPanel, OFF, OFF, OFF);
    読込_棋譜(s, pathOf(s.recordPanel.recordFileDirectory()) / pathOf(std::string(fileName)));
}
