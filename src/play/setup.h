#pragma once

class ClockPort;
class DialogPort;
class GameState;
struct Clock;
struct History;
class Position;
struct State;

// Resets the whole game and sets up the starting position as move 0.
void 初期設定(State& s);
// Stores position p under move number TESU.
void 手順保存(History& h, GameState& g, const Position& p, float manMae, float manAto, float comMae,
              float comAto);
// Whether the history has room for one more move: the move stores entry TESU and the
// move number after it must still be a history index.
bool 履歴に空きあり(const GameState& g);
// After a move: when the game has reached the last move number the history can hold, it
// ends there as a draw, with its clock stopped and a message. Answers whether it ended.
bool 手数上限終了(GameState& g, Clock& c, ClockPort& timer, DialogPort& dialog);
inline constexpr const char* 手数上限メッセージ = "500手に達したので引き分けです";
