#pragma once

class SoundPort;
struct PlayControl;
struct State;

// The game menu.
void START_Click(State& s);  // two people at one mouse
void SENTE_Click(State& s);  // against the computer, MAN first
void GOTE_Click(State& s);   // against the computer, COM first
void OWARI_Click(State& s);
void TAIKYOKU_Click(State& s);
void STOP_Click(State& s);
void MATCH_MAN_Click(State& s);

// Releases the sounds and the sound device; later calls do nothing.
void 終了処理(PlayControl& p, SoundPort& sound);
