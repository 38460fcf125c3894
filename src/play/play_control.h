#pragma once

// What play control keeps between window events: the piece picked by the first click of a
// move (not reset by 初期設定), and what start-up found.
struct PlayControl {
    int MOTO_X = 0;  // 1..9 on the board, -1 COM's stand, 11 MAN's stand
    int MOTO_Y = 0;
    int SAKI_X = 0;
    int SAKI_Y = 0;
    int SENTAKU_KOMA = 0;  // code of the selected piece; for a stand piece the code it drops as

    bool SOUND_DEVICE = false;   // the sound device was opened
    bool soundReleased = false;  // 終了処理 has run; the sounds are gone
};
