#include "cli/engine.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "ai/survey.h"
#include "core/moves.h"
#include "core/rules.h"
#include "play/com_ban.h"
#include "play/moves.h"
#include "play/setup.h"
#include "play/turn.h"
#include "record/record_file.h"

namespace {

std::pair<std::string_view, std::string_view> splitWord(std::string_view line) {
    const auto sp = line.find(' ');
    if (sp == std::string_view::npos) return {line, {}};
    return {line.substr(0, sp), line.substr(sp + 1)};
}

// A whole decimal integer, optionally signed; nothing else in the word.
bool wholeInt(std::string_view w, int& v) {
    if (w.size() > 1 && w.front() == '+' && w[1] != '-') w.remove_prefix(1);
    const auto [end, err] = std::from_chars(w.data(), w.data() + w.size(), v);
    return !w.empty() && err == std::errc{} && end == w.data() + w.size();
}

}  // namespace

Engine::Engine() : s_(std::make_unique<State>(port_)) {
    s_->analysis.LEVEL_NO = 3;
    startGame();
}

// As after 初期設定 and the SENTE command: COM plays, MAN moves first.
void Engine::startGame() {
    State& s = *s_;
    初期設定(s);
    s.game.comGameFor(SENTE_BAN);
}

std::string Engine::handle(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    const auto [cmd, rest] = splitWord(line);
    if (cmd == "new" && rest.empty()) {
        startGame();
        return "ok";
    }
    if (cmd == "level") {
        if (rest == "1" || rest == "2" || rest == "3") {
            s_->analysis.LEVEL_NO = rest[0] - '0';
            return "ok";
        }
        return "error bad level";
    }
    if (cmd == "position") return position(rest);
    if (cmd == "survey" && rest.empty()) {
        勢力調査(s_->analysis);
        return "ok";
    }
    if (cmd == "man") return man(rest);
    if (cmd == "com" && rest.empty()) return com();
    if (cmd == "board" && rest.empty()) return board();
    if (cmd == "quit" && rest.empty()) {
        finished = true;
        return {};
    }
    return "error unknown command";
}

std::string Engine::man(std::string_view args) {
    State& s = *s_;
    const auto& BAN = s.pos.board();
    if (s.game.SHOUHAI() != 0) return "over";

    // Four whole integers, then at most the word `promote`.
    std::string_view word[6];
    int n = 0;
    for (std::string_view rest = args; n < 6;) {
        const auto start = rest.find_first_not_of(" \t");
        if (start == std::string_view::npos) break;
        rest.remove_prefix(start);
        const auto end = std::min(rest.find_first_of(" \t"), rest.size());
        word[n++] = rest.substr(0, end);
        rest.remove_prefix(end);
    }
    int v[4];
    if (n < 4 || n > 5) return "error bad arguments";
    for (int i = 0; i < 4; ++i)
        if (!wholeInt(word[i], v[i])) return "error bad arguments";
    if (n == 5 && word[4] != "promote") return "error bad arguments";
    const int fx = v[0], fy = v[1], tx = v[2], ty = v[3];
    const bool promote = n == 5;

    調査_2歩フラグ設定(s.pos);
    const bool drop = fx == MAN_DROP_X;
    int code;
    if (drop) {
        const int kind = fy - 2;
        if (kind < HU || kind > SYA || s.pos.manHand()[kind] <= 0) return "illegal";
        code = manCode(kind);
    } else {
        if (!onBoard(fx, fy) || !isMan(BAN[fx][fy])) return "illegal";
        code = BAN[fx][fy];
    }
    const MoveOutcome out =
        playMove(s, requestedMove(fx, fy, tx, ty, code, promote), Mover::Person);
    switch (out.refused) {
        case Refusal::Illegal: return "illegal";
        case Refusal::MustPromote: return "must-promote";
        case Refusal::HistoryFull: return "error history full";
        case Refusal::None: break;
    }
    // The move that fills the history ends the game, as after COM's move.
    const int winner = afterMove(s, Mover::Person, out, std::nullopt, Reply::WhenAsked);
    if (winner != 0) return s.game.sideOf(winner) == Side::MAN ? "win MAN" : "win COM";
    return "ok";
}

std::string Engine::com() {
    State& s = *s_;
    if (s.game.SHOUHAI() != 0) return "over";
    if (!履歴に空きあり(s.game)) {
        手数上限終了(s.game, s.clock, s.timer, s.dialog);  // what com_ban does when it is refused
        return "error history full";
    }
    const int tesu = s.game.TESU();
    com_ban(s);
    if (s.game.TESU() == tesu) return "none";  // COM had nothing to play and resigned

    const auto& t = s.analysis.turn;
    char buf[96];
    std::snprintf(buf, sizeof buf, "%d %d %d %d %d %.4f", t.BEST_FX, t.BEST_FY, t.BEST_TX,
                  t.BEST_TY, t.BEST_NEW_KOMA, t.BEST_SCORE);
    std::string out = buf;
    if (const auto winner = s.game.winner()) out += winner == Side::COM ? " win COM" : " win MAN";
    return out;
}

// Only lines in the record writer's own layout are taken: every board field a piece code,
// every field spelt as the writer spells it.
std::string Engine::position(std::string_view line) {
    Map board;
    Hand man, com;
    if (!parseBoardAndHands(line, board, man, com)) return "error bad position";
    s_->pos.load(board, man, com);
    return "ok";
}

std::string Engine::board() {
    const State& s = *s_;
    const float man = s.clock.MAN_JIKAN, com = s.clock.COM_JIKAN;
    return formatPositionLine(s.pos.board(), s.pos.manHand(), s.pos.comHand(),
                              {man, man, com, com});
}
