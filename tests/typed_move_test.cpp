// Moves typed on the keyboard: the notation, the key buffer, and the typed move played as the
// two clicks it stands for, through the fake port.
#include <gtest/gtest.h>

#include "play/clock.h"
#include "play/game_flow.h"
#include "play/reader.h"
#include "play/setup.h"
#include "play/typed_move.h"
#include "play_util.h"
#include "test_util.h"

namespace {

void typeKeys(State& s, std::string_view keys) {
    for (char c : keys) Form_KeyPress(s, c);
}

// Types the move, then presses Enter with the port cleared: what the Enter did, less the
// three tiles that wipe the typed text.
Log enter(Fixture& f, std::string_view keys) {
    typeKeys(f.s, keys);
    f.port.clear();
    Form_KeyPress(f.s, '\r');
    Log out = f.port.calls;
    EXPECT_GE(out.size(), 3u);
    out.erase(out.begin(), out.begin() + std::min<std::size_t>(3, out.size()));
    return out;
}

}  // namespace

TEST(TypedMove, Notation) {
    const struct {
        const char* text;
        bool move, prefix;
        TypedMove m;
    } cases[] = {
        {"7776", true, true, {7, 7, 0, 7, 6, false}},
        {"2228+", true, true, {2, 2, 0, 2, 8, true}},
        {"P*55", true, true, {0, 0, 1, 5, 5, false}},
        {"R*11", true, true, {0, 0, 7, 1, 1, false}},
        {"N*99", true, true, {0, 0, 3, 9, 9, false}},
        {"", false, true, {}},
        {"77", false, true, {}},
        {"777", false, true, {}},
        {"B*", false, true, {}},
        {"G*5", false, true, {}},
        {"7706", false, false, {}},   // no rank 0
        {"P*50", false, false, {}},   // nor for a drop
        {"P*55+", false, false, {}},  // a drop never promotes
        {"K*55", false, false, {}},   // the king is never in hand
        {"7776++", false, false, {}},
        {"77765", false, false, {}},
        {"77+", false, false, {}},
        {"P5", false, false, {}},
        {"p*55", false, false, {}},  // the buffer makes letters capitals, the notation does not
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(typedMovePrefix(c.text), c.prefix);
        const auto m = parseTypedMove(c.text);
        ASSERT_EQ(m.has_value(), c.move);
        if (!m) continue;
        EXPECT_EQ(m->fromFile, c.m.fromFile);
        EXPECT_EQ(m->fromRank, c.m.fromRank);
        EXPECT_EQ(m->dropKind, c.m.dropKind);
        EXPECT_EQ(m->toFile, c.m.toFile);
        EXPECT_EQ(m->toRank, c.m.toRank);
        EXPECT_EQ(m->promote, c.m.promote);
    }
}

// Keys that cannot lead to a move are not taken; Backspace takes one back; Esc clears a half
// typed move and only then ends the program; Enter on half a move plays nothing.
TEST(TypedMove, KeysOfTheBuffer) {
    Fixture f;
    State& s = f.s;
    初期設定(s);
    SENTE_Click(s);
    Form_KeyPress(s, 0x137);  // a letter whose low byte is '7' is none of the notation's
    typeKeys(s, "p0*x5 5");
    EXPECT_EQ(s.typing.text(), "P*55");
    Form_KeyPress(s, 8);
    Form_KeyPress(s, 8);
    EXPECT_EQ(s.typing.text(), "P*");
    f.port.clear();
    Form_KeyPress(s, '\r');
    EXPECT_EQ(heard(f.port), Log{"play 1"});  // the forbidden sound; nothing moved
    EXPECT_EQ(s.typing.text(), "P*");
    // What is typed shows beside the board, then is wiped away by Esc.
    f.port.clear();
    Form_KeyPress(s, 27);
    EXPECT_TRUE(s.typing.empty());
    EXPECT_EQ(f.port.count("text"), 0u);
    EXPECT_EQ(f.port.count("picture"), 3u);
    EXPECT_EQ(f.port.count("quit"), 0u);
    typeKeys(s, "77");
    EXPECT_NE(f.port.only("text").back().find("77_ colour 14 "), std::string::npos);  // yellow
    // With nothing typed Enter and Backspace do nothing at all, and Esc ends the program.
    Form_KeyPress(s, 27);
    f.port.clear();
    Form_KeyPress(s, '\r');
    Form_KeyPress(s, 8);
    EXPECT_TRUE(f.port.calls.empty());
    Form_KeyPress(s, 27);
    EXPECT_EQ(f.port.count("quit"), 1u);
}

// A typed move does what its two clicks do, call for call, for both sides of a two-person
// game: steps, a capture promoted by "+" (the right button), and a drop from the stand.
TEST(TypedMove, PlaysAsTheTwoClicks) {
    const struct {
        const char* keys;
        int fx, fy, tx, ty, button;
    } moves[] = {
        {"7776", 3, 7, 3, 6, 1},   // 先手's pawn in front of the bishop
        {"3334", 7, 3, 7, 4, 1},   // 後手's likewise
        {"8822+", 2, 8, 8, 2, 2},  // the bishop takes the bishop and promotes
        {"3122", 7, 1, 8, 2, 1},   // the silver takes the horse
        {"B*55", 11, 8, 5, 5, 1},  // 先手 drops the bishop: MAN's stand, row 8
        {"B*45", -1, 2, 6, 5, 1},  // 後手 drops the bishop: COM's stand, row 2
    };
    Fixture typed, clicked;
    for (Fixture* f : {&typed, &clicked}) {
        初期設定(f->s);
        START_Click(f->s);
    }
    for (const auto& m : moves) {
        SCOPED_TRACE(m.keys);
        const Log byKeys = enter(typed, m.keys);
        clicked.port.clear();
        move(clicked.s, m.fx, m.fy, m.tx, m.ty, m.button);
        EXPECT_EQ(byKeys, clicked.port.calls);
        EXPECT_EQ(typed.s.pos.board(), clicked.s.pos.board());
        EXPECT_EQ(typed.s.game.TESU(), clicked.s.game.TESU());
    }
    EXPECT_EQ(typed.s.pos.board()[6][5], COM_KAKU);
    EXPECT_EQ(typed.s.game.TESU(), 6);
}

// The refusals of the clicks: no game yet (told once), nothing of the mover's on the square,
// a square the piece cannot reach or one it holds itself, a pawn to the last rank without
// "+"; none of them moves anything, and "+" where promotion is only allowed promotes.
TEST(TypedMove, RefusalsAndPromotion) {
    Fixture f;
    State& s = f.s;
    初期設定(s);
    f.port.clear();
    typeKeys(s, "7776\r");
    EXPECT_EQ(heard(f.port), (Log{"play 1", "message 「対局」で始めて下さい | 開始"}));

    SENTE_Click(s);
    const auto before = s.pos.board();
    for (const char* bad : {"5554", "7374", "7775", "7988", "P*55", "2829"}) {
        SCOPED_TRACE(bad);
        f.port.clear();
        typeKeys(s, bad);
        Form_KeyPress(s, '\r');
        EXPECT_EQ(heard(f.port), Log{"play 1"});
        EXPECT_EQ(s.pos.board(), before);
        EXPECT_EQ(s.game.CLICK_JOUTAI(), 0);
    }

    // A piece picked up by the mouse is put down first: its guidance goes (colour 2).
    s.canvas.opt.SIDOU_FLAG = true;
    Form_MouseDown(s, 1, 0, cellMiddleX(3), cellMiddleY(7));
    ASSERT_EQ(s.game.CLICK_JOUTAI(), 1);
    f.port.clear();
    typeKeys(s, "2726\r");
    // 7六, where the pawn could go, is outlined in the board's own colour only.
    int seven6 = 0;
    for (const std::string& d : f.port.only("outline"))
        if (d.ends_with(" 2535 3790 3030 4405")) {
            EXPECT_EQ(d, "outline 2 2535 3790 3030 4405");
            ++seven6;
        }
    EXPECT_GE(seven6, 2);
    EXPECT_EQ(s.pos.board()[8][6], MAN_HU);
    s.canvas.opt.SIDOU_FLAG = false;
    // From the square it left, where the last piece was picked up: nothing there to move.
    f.port.clear();
    typeKeys(s, "2725\r");
    EXPECT_EQ(heard(f.port), Log{"play 1"});

    clearBoard(s.pos);
    s.pos.put(5, 9, MAN_OU);
    s.pos.put(5, 1, COM_OU);
    s.pos.put(7, 2, MAN_HU);  // 3二
    s.pos.put(2, 4, MAN_HU);  // 8四
    f.port.clear();
    typeKeys(s, "3231\r");
    EXPECT_EQ(heard(f.port), (Log{"play 1", "message マウスの右をクリックして下さい | 成り"}));
    EXPECT_EQ(s.pos.board()[7][2], MAN_HU);
    typeKeys(s, "3231+\r");
    EXPECT_EQ(s.pos.board()[7][1], MAN_TO);
    // Optional: without "+" the pawn stays a pawn, with it it promotes.
    typeKeys(s, "8483\r");
    EXPECT_EQ(s.pos.board()[2][3], MAN_HU);
}

// What a screen reader is handed: squares as the board labels them, both hands, the move
// texts drawn since the last time, the move number, the level.
TEST(TypedMove, ReaderViewAfterAMove) {
    Fixture f;
    State& s = f.s;
    初期設定(s);
    SENTE_Click(s);
    (void)読上げ情報(s);
    typeKeys(s, "7776\r");
    const ReaderView v = 読上げ情報(s);
    auto at = [&](int file, int rank) { return v.squares[std::size_t((rank - 1) * 9 + 9 - file)]; };
    EXPECT_EQ(at(7, 6).piece, "歩");
    EXPECT_EQ(at(7, 6).side, 0);
    EXPECT_EQ(at(7, 7).piece, "");
    EXPECT_EQ(at(5, 1).piece, "王");
    EXPECT_EQ(at(5, 1).side, 1);
    EXPECT_EQ(at(1, 1).piece + at(9, 9).piece, "香香");  // both edge files
    EXPECT_EQ(v.sides[0], "あなた");
    EXPECT_EQ(v.moveNumber, 2);
    EXPECT_EQ(v.level, s.analysis.LEVEL_NO);
    ASSERT_EQ(v.news.size(), 2u);  // MAN's move and COM's reply
    EXPECT_EQ(v.news[0], (std::pair<int, MoveWords>{0, {"７", "六", "歩"}}));
    EXPECT_EQ(v.news[1].first, 1);
    EXPECT_EQ(v.moveTexts[1], v.news[1].second);
    EXPECT_TRUE(読上げ情報(s).news.empty());
    using Held = std::vector<std::pair<std::string, int>>;
    s.pos.setHand(Side::MAN, HU, 2);
    s.pos.setHand(Side::MAN, KAKU, 1);
    s.pos.setHand(Side::COM, SYA, 1);
    const ReaderView h = 読上げ情報(s);
    EXPECT_EQ(h.hands[0], (Held{{"歩", 2}, {"角", 1}}));
    EXPECT_EQ(h.hands[1], (Held{{"飛", 1}}));
    // With the clocks shown, the clock of the side to move runs on while the timer ticks.
    s.canvas.opt.KEIKA = true;
    s.clock.KEIKA_BYOU = 7;
    for (bool ticking : {true, false}) {
        s.clock.Timer1 = ticking;
        const ReaderView c = 読上げ情報(s);
        EXPECT_EQ(c.clocks[0], 調査_時間秒追加結果(s.clock.MAN_JIKAN + (ticking ? 7 : 0)));
        EXPECT_EQ(c.clocks[1], 調査_時間秒追加結果(s.clock.COM_JIKAN));
    }
}
