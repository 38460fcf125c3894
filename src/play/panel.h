#pragma once

class RecordPanelPort;
struct State;

// The record panel: which of the drive, directory and file lists are shown.
void 描画_可視(RecordPanelPort& panel, int drive, int directory, int file);
// Mode 0 shows the name boxes and the "RETURN" button; any other mode empties and hides them.
void 描画_棋譜_IO(RecordPanelPort& panel, int mode);
// Closes the whole panel, as every board click and most commands do.
void パネル閉じる(RecordPanelPort& panel);

// 棋譜 → 読込 and 書込: open the panel (書込 only when the game may be written).
void KIFU_READ_Click(State& s);
void KIFU_WRITE_Panel(State& s);
// Opening the options menu closes the panel.
void OPTION_Click(State& s);
