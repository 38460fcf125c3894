#include "play/turn.h"

#include "ai/survey.h"
#include "play/clock.h"
#include "play/com_ban.h"
#include "play/move_text.h"
#include "play/setup.h"
#include "play/state.h"
#include "ui/drawing.h"

namespace {

void name(State& s, const std::optional<MoveLabel>& l) {
    if (l) 描画_移動結果(s.canvas, l->side, l->x, l->y, l->piece, colours::WHITE);
}

int betweenPeople(State& s, int winner, const std::optional<MoveLabel>& label) {
    auto& g = s.game;
    auto& c = s.clock;
    name(s, label);
    if (g.TEBAN() == SENTE_BAN) {
        g.turnPassesTo(GOTE_BAN);
        c.MAN_JIKAN += c.KEIKA_BYOU;
    } else if (g.TEBAN() == GOTE_BAN) {
        g.turnPassesTo(SENTE_BAN);
        c.COM_JIKAN += c.KEIKA_BYOU;
    }
    c.KAISHI_JIKAN = s.timer.timeOfDay();
    // The winner is named by the turn value of his side: the bottom side holds TEBAN_MAN,
    // which is the second player when a game begun with 後手 goes on between two people.
    if (winner != 0) {
        タイマー設定(c, s.timer, false);  // a decided game's clock shows nothing more
        announceWinner(s.dialog, g, winner);
        return winner;
    }
    手数上限終了(g, c, s.timer, s.dialog);
    return 0;
}

}  // namespace

int afterMove(State& s, Mover who, const MoveOutcome& out, std::optional<MoveLabel> label,
              Reply reply) {
    auto& g = s.game;
    auto& c = s.clock;
    const int winner = out.winner;
    if (g.COM_TAISEN() != 1) return betweenPeople(s, winner, label);

    const bool com = who == Mover::Computer;
    if (!com) name(s, label);  // MAN's move is named even when it wins
    タイマー設定(c, s.timer, false);
    if (!com) c.MAN_JIKAN += c.KEIKA_BYOU;
    勢力調査(s.analysis);
    if (winner != 0) {
        announceWinner(s.dialog, g, winner);
        if (com) g.turnPassesTo(Side::MAN);
        return winner;
    }
    if (com) {
        name(s, label);
        if (label) 描画_桝輪郭(s.canvas, colours::WHITE, label->x, label->y);
        // COM's time counts only for a move that leaves the game going.
        c.COM_JIKAN += c.KEIKA_BYOU;
        c.KAISHI_JIKAN = s.timer.timeOfDay();
    }
    g.turnPassesTo(com ? Side::MAN : Side::COM);
    if (手数上限終了(g, c, s.timer, s.dialog)) return 0;
    if (com) {
        if (s.canvas.opt.KEIKA) タイマー設定(c, s.timer, true);
    } else if (reply == Reply::ComAtOnce) {
        com_ban(s);
    }
    return 0;
}
