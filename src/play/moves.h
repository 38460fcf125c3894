#pragma once
#include <functional>

#include "core/legal_moves.h"

class DialogPort;
class GameState;
struct Canvas;
class Position;
struct State;

// Moves as the player sees them: the board change of core/moves.h with its drawing, and
// the game decided when a king is taken.

// Who plays a move: a person at the board (or the headless tool on MAN's behalf), or COM by
// its search. It sets which clocks the history keeps with the position.
enum class Mover { Person, Computer };

// Why a move was not played; nothing changed.
enum class Refusal { None, Illegal, MustPromote, HistoryFull };

// What a move did.
struct MoveOutcome {
    Refusal refused = Refusal::None;
    int captured = EMPTY;   // the code that stood on the destination
    bool promoted = false;  // the mover turned over before it travelled
    int winner = 0;         // the turn value of the side whose king is left alone, else 0
};

// The mover's own steps inside a move: drawing before the pieces travel, a pause after.
struct MoveSteps {
    std::function<void()> beforeTravel;
    std::function<void()> afterTravel;
};

// The move a person asks for: the piece `piece` from (fx, fy), promoted when asked and
// allowed. A COM drop names its kind in fy.
Move requestedMove(int fx, int fy, int tx, int ty, int piece, bool promote);

// Plays one move for whoever moves: checks it, stores the position before it, counts it on
// the screen, promotes, moves the piece with its followers, sounds it, counts it and decides
// the winner. A refused move draws nothing.
MoveOutcome playMove(State& s, const Move& m, Mover who, const MoveSteps& steps = {});

// The winner once a king is gone, by the turn value of his side; 0 while both stand. When
// both are gone (a set-up without one), COM's own move names COM, any other names MAN.
int winnerByKings(const Position& p, const GameState& g, Mover who);
// The end-of-game message for a winner: the people by their turn, MAN and COM by name.
void announceWinner(DialogPort& dialog, const GameState& g, int winner);

// Moves one piece (board move or drop), taking a captured piece into the capturer's hand.
void 駒移動(Canvas& cv, Position& p, int fx, int fy, int tx, int ty, int c);
// Moves the piece on (fx, fy) to (tx, ty) with the unbroken line of pieces behind it.
void 移動対象駒_移動(Canvas& cv, Position& p, int fx, int fy, int tx, int ty);
// The pieces in hand of the side with turn value teban; 0 for any other value.
int 調査_持駒数(const Position& p, const GameState& g, int teban);
