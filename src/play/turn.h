#pragma once
#include <optional>

#include "play/moves.h"

struct State;

// How a move is named on the screen: the mover's side, the square reached, the piece as chosen.
struct MoveLabel {
    Side side;
    int x, y, piece;
};

// Who answers MAN's move against COM: COM at once, inside the same event (the mouse), or
// nobody until asked (the headless tool's `com`).
enum class Reply { ComAtOnce, WhenAsked };

// The turn procedure: everything that follows a move playMove played, whoever made it.
// Between two people: the move named, the turn and the mover's time handed on, then the winner
// announced or the history's limit checked. Against COM: MAN's move named, the clock stopped,
// the mover's time counted, the survey COM reads next; then the winner announced, or COM's move
// named, the turn handed on, the history's limit checked and, after MAN's move, COM's whole
// turn (com_ban) nested in the same event. Answers the winner, 0 while the game goes on.
int afterMove(State& s, Mover who, const MoveOutcome& out, std::optional<MoveLabel> label,
              Reply reply = Reply::ComAtOnce);
