#pragma once
#include <optional>

#include "core/constants.h"
#include "core/history.h"

struct ModeTestSeam;

// The game's mode: whose turn, the counters, browsing and the waits of a click. Its fields
// change only through the named transitions below, so each change of mode can be found here.
class GameState {
public:
    int TEBAN() const { return f_.TEBAN; }  // side to move; 0 = no game
    int TEBAN_MAN() const { return f_.TEBAN_MAN; }
    int TEBAN_COM() const { return f_.TEBAN_COM; }
    int SHOUHAI() const { return f_.SHOUHAI; }  // the winner's turn value; 0 = undecided
    int TESU() const { return f_.TESU; }
    int HYOUJI_TESU() const { return f_.HYOUJI_TESU; }
    int COM_TAISEN() const { return f_.COM_TAISEN; }
    bool HANTEN() const { return f_.HANTEN; }
    bool HANDE_SETTEI() const { return f_.HANDE_SETTEI; }
    int HANDE_LEVEL() const { return f_.HANDE_LEVEL; }
    bool KIFU_MODE() const { return f_.KIFU_MODE; }
    bool SAIKAI_MACHI() const { return f_.SAIKAI_MACHI; }
    int CLICK_JOUTAI() const { return f_.CLICK_JOUTAI; }

    // The side a turn value belongs to in this game; none for any other value (0).
    std::optional<Side> sideOf(int turn) const {
        if (turn == f_.TEBAN_MAN) return Side::MAN;
        if (turn == f_.TEBAN_COM) return Side::COM;
        return std::nullopt;
    }
    int turnOf(Side side) const { return side == Side::MAN ? f_.TEBAN_MAN : f_.TEBAN_COM; }
    std::optional<Side> mover() const { return sideOf(f_.TEBAN); }     // none while no game runs
    std::optional<Side> winner() const { return sideOf(f_.SHOUHAI); }  // none while undecided

    // What a click on the board means now, in the order the mouse handler asks.
    enum class Phase { Record, Decided, NoGame, Playing };
    Phase phase() const {
        if (f_.KIFU_MODE) return Phase::Record;
        if (f_.SHOUHAI != 0) return Phase::Decided;
        if (f_.TEBAN == 0) return Phase::NoGame;
        return Phase::Playing;
    }

    // A new set-up: no game, nothing counted, no handicap; the sides stay as they were.
    void newSetUp();
    // The program starts: COM on the first turn's side, nothing stored.
    void programStarted(History& h);
    // A game starts or goes on. The sides: MAN moves first or second.
    void sidesSet(int manTurn);
    void comGameFor(int manTurn);  // sides set, against COM, the first player to move
    void comGameStarted();
    void peopleGameStarted();
    void turnPassesTo(int side);
    void turnPassesTo(Side side) { turnPassesTo(turnOf(side)); }
    void resumed();
    // A move: its entry stored, then counted.
    void entryStored(History& h, int t);
    void moveMade();
    // The game is decided for the side of this turn value: the one writer of the winner.
    void decided(int winner);
    void resigned();      // COM has no move: MAN wins, and it is his turn
    void drawnAtLimit();  // the history is full: no side moves any more
    // The two clicks of a move.
    void pieceSelected();
    void selectionDropped();
    // Browsing the history, which holds play until it is resumed.
    void browsingAsked();
    void steppedBack();
    void steppedForward();
    // The board turned round: the handicap label and the turn with it, the history restarts.
    void reverseStarted();
    void reversed(History& h);
    void recordLoading();
    void recordLoaded(History& h, int count);
    void recordShown();
    void handicapSet(History& h, int level);

private:
    struct Fields {
        int TEBAN = 0;
        int TEBAN_MAN = GOTE_BAN;
        int TEBAN_COM = SENTE_BAN;
        int SHOUHAI = 0;
        int TESU = 0;
        int HYOUJI_TESU = 0;
        int COM_TAISEN = 0;
        bool HANTEN = false;
        bool HANDE_SETTEI = false;
        int HANDE_LEVEL = 0;
        bool KIFU_MODE = false;
        bool SAIKAI_MACHI = false;
        int CLICK_JOUTAI = 0;
    };
    Fields f_;
    friend struct ModeTestSeam;
};
