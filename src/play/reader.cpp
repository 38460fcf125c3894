#include "play/reader.h"

#include <array>

#include "play/clock.h"
#include "play/state.h"
#include "ui/drawing.h"

namespace {

// The names players say, promoted pieces by their own names.
std::string_view pieceName(int code) {
    switch (code < 0 ? -code : code) {
        case 10: return "歩";
        case 11: return "と";
        case 20: return "香";
        case 21: return "成香";
        case 30: return "桂";
        case 31: return "成桂";
        case 40: return "銀";
        case 41: return "成銀";
        case 50:
        case 51: return "金";
        case 60: return "角";
        case 61: return "馬";
        case 70: return "飛";
        case 71: return "龍";
        case 80: return "王";
        default: return {};
    }
}

}  // namespace

ReaderView 読上げ情報(State& s) {
    const auto& g = s.game;
    ReaderView v;
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x) {
            const int code = s.pos.board()[x][y];
            auto& sq = v.squares[std::size_t((y - 1) * 9 + (x - 1))];
            sq.piece = pieceName(code);
            sq.side = code > 0 ? 1 : 0;
        }
    // Between two people the bottom side is whichever player it holds.
    if (g.COM_TAISEN() == 0 && g.TEBAN() != 0)
        v.sides = g.TEBAN_MAN() == SENTE_BAN ? std::array<std::string, 2>{"先手", "後手"}
                                             : std::array<std::string, 2>{"後手", "先手"};
    else
        v.sides = {"あなた", "COM"};
    for (int k = 1; k <= 7; ++k) {
        if (s.pos.manHand()[k] > 0) v.hands[0].emplace_back(pieceName(k * 10), s.pos.manHand()[k]);
        if (s.pos.comHand()[k] > 0) v.hands[1].emplace_back(pieceName(k * 10), s.pos.comHand()[k]);
    }
    if (s.canvas.opt.KEIKA) {
        // The side to move's clock runs on, as the tick draws it.
        const auto& c = s.clock;
        const bool running = c.Timer1 && g.SHOUHAI() == 0;
        v.clocks[0] = 調査_時間秒追加結果(c.MAN_JIKAN +
                                          (running && g.mover() == Side::MAN ? c.KEIKA_BYOU : 0));
        v.clocks[1] = 調査_時間秒追加結果(c.COM_JIKAN +
                                          (running && g.mover() == Side::COM ? c.KEIKA_BYOU : 0));
    }
    v.moveTexts = s.canvas.spoken.moveTexts;
    v.moveNumber = g.HYOUJI_TESU();
    if (g.COM_TAISEN() == 1) v.level = s.analysis.LEVEL_NO;
    if (g.HANDE_SETTEI()) v.handicap = ハンデ表示(g.HANDE_LEVEL());
    v.typing = s.typing.text();
    v.news = std::move(s.canvas.spoken.news);
    s.canvas.spoken.news.clear();
    return v;
}

void 読上げ更新(State& s) { s.reader.describe(読上げ情報(s)); }
