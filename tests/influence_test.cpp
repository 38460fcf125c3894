#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "ai/search.h"
#include "ai/survey.h"
#include "core/rules.h"
#include "signature.h"
#include "test_util.h"

namespace {

struct Survey : ::testing::Test {
    AiFixture f;
    Analysis& s = f.s;
    Influence& m = s.inf;

    void put(int x, int y, int c) { s.pos.put(x, y, c); }
    void survey() { 勢力調査(s); }
    int man(int x, int y) const { return m.SEIRYOKU_MAN[x][y]; }
    int com(int x, int y) const { return m.SEIRYOKU_COM[x][y]; }
    int totalMan() const { return sum(m.SEIRYOKU_MAN); }
    int totalCom() const { return sum(m.SEIRYOKU_COM); }
    static int sum(const Map& a) {
        int n = 0;
        for (const auto& col : a)
            for (int v : col) n += v;
        return n;
    }
};

TEST_F(Survey, TwoKingsAloneReachTheirNeighboursAndLeaveTheOtherMapsAtRest) {
    put(2, 2, COM_OU);
    put(7, 8, MAN_OU);
    survey();
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const bool nearCom =
                std::abs(x - 2) <= 1 && std::abs(y - 2) <= 1 && !(x == 2 && y == 2);
            const bool nearMan =
                std::abs(x - 7) <= 1 && std::abs(y - 8) <= 1 && !(x == 7 && y == 8);
            EXPECT_EQ(com(x, y), nearCom ? 1 : 0) << x << y;
            EXPECT_EQ(man(x, y), nearMan ? 1 : 0) << x << y;
            EXPECT_EQ(m.MAMORI_MAN[x][y], 999);
            EXPECT_EQ(m.MAMORI_COM[x][y], 999);
            EXPECT_EQ(m.NERAI_COM[x][y], 999);
            EXPECT_EQ(m.NERAI_MAN[x][y], -999);
            EXPECT_EQ(m.OUTE_COM[x][y], 0);
        }
    EXPECT_EQ(s.kingsSeen.COM_OU_X, 2);
    EXPECT_EQ(s.kingsSeen.COM_OU_Y, 2);
    EXPECT_EQ(s.kingsSeen.MAN_OU_X, 7);
    EXPECT_EQ(s.kingsSeen.MAN_OU_Y, 8);
    // Row and column 0 are not squares and stay untouched.
    for (int i = 0; i <= 9; ++i) {
        EXPECT_EQ(m.MAMORI_MAN[0][i], 0);
        EXPECT_EQ(m.NERAI_MAN[i][0], 0);
    }

    // A king that has gone keeps its last square; nothing accumulates between surveys.
    s.pos.put(7, 8, EMPTY);
    survey();
    EXPECT_EQ(s.kingsSeen.MAN_OU_X, 7);
    EXPECT_EQ(s.kingsSeen.MAN_OU_Y, 8);
    EXPECT_EQ(totalMan(), 0);
    EXPECT_EQ(totalCom(), 8);
}

TEST_F(Survey, PiecesOnTheirLastRowsReachNothingAndEdgePiecesOnlyInward) {
    put(1, 1, MAN_HU);
    put(2, 2, MAN_KEI);
    put(3, 1, MAN_KEI);
    put(4, 1, MAN_KYOU);
    put(1, 9, COM_HU);
    put(2, 8, COM_KEI);
    put(3, 9, COM_KEI);
    put(4, 9, COM_KYOU);
    survey();
    EXPECT_EQ(totalMan(), 0);
    EXPECT_EQ(totalCom(), 0);

    // A COM silver on row 9 still reaches the two squares diagonally behind it.
    AiFixture g;
    g.s.pos.put(5, 9, COM_GIN);
    勢力調査(g.s);
    EXPECT_EQ(g.s.inf.SEIRYOKU_COM[4][8], 1);
    EXPECT_EQ(g.s.inf.SEIRYOKU_COM[6][8], 1);
    EXPECT_EQ(sum(g.s.inf.SEIRYOKU_COM), 2);
}

TEST_F(Survey, GoldsOnTheFarRowAndBishopsOnTheEdge) {
    put(5, 1, MAN_KIN);
    put(5, 9, COM_NARIGIN);
    survey();
    EXPECT_EQ(totalMan(), 3);
    EXPECT_EQ(man(5, 2) + man(4, 1) + man(6, 1), 3);
    EXPECT_EQ(totalCom(), 3);
    EXPECT_EQ(com(5, 8) + com(4, 9) + com(6, 9), 3);

    AiFixture g;
    g.s.pos.put(1, 5, MAN_KAKU);  // column 1: only the two lines towards column 9
    g.s.pos.put(5, 9, COM_KAKU);  // row 9: only the two upward lines
    勢力調査(g.s);
    const Influence& n = g.s.inf;
    EXPECT_EQ(sum(n.SEIRYOKU_MAN), 8);
    EXPECT_EQ(n.SEIRYOKU_MAN[5][1], 1);
    EXPECT_EQ(n.SEIRYOKU_MAN[5][9], 1);  // stops on the COM bishop
    EXPECT_EQ(n.NERAI_MAN[5][9], -60);
    EXPECT_EQ(sum(n.SEIRYOKU_COM), 8);
    EXPECT_EQ(n.SEIRYOKU_COM[1][5], 1);
    EXPECT_EQ(n.SEIRYOKU_COM[9][5], 1);
    EXPECT_EQ(n.NERAI_COM[1][5], 60);
}

TEST_F(Survey, GuardsKeepTheRankOfEachSide) {
    // MAN keeps its highest-ranked guard, COM its cheapest one.
    put(2, 5, MAN_KIN);
    put(2, 6, MAN_HU);
    put(3, 6, MAN_OU);
    put(2, 4, MAN_GIN);
    put(2, 3, MAN_HU);
    put(7, 4, COM_GIN);
    put(7, 3, COM_HU);
    put(4, 4, COM_SYA);
    survey();
    EXPECT_EQ(m.MAMORI_MAN[2][5], -80);
    EXPECT_EQ(m.MAMORI_MAN[2][3], -40);
    EXPECT_EQ(m.MAMORI_COM[7][4], 10);
    EXPECT_EQ(m.MAMORI_COM_X[7][4], 4);  // the pawn leaves the rook's source in place
    EXPECT_EQ(m.MAMORI_COM_Y[7][4], 4);

    // Promoted pieces guard as themselves on MAN's side and as a gold on COM's.
    AiFixture g;
    g.s.pos.put(5, 5, MAN_GIN);
    g.s.pos.put(5, 6, MAN_TO);
    g.s.pos.put(3, 3, COM_SYA);
    g.s.pos.put(3, 2, COM_NARIGIN);
    勢力調査(g.s);
    EXPECT_EQ(g.s.inf.MAMORI_MAN[5][5], -11);
    EXPECT_EQ(g.s.inf.MAMORI_COM[3][3], 50);
    EXPECT_EQ(g.s.inf.MAMORI_COM[3][2], 70);
}

TEST_F(Survey, ComGuardSourcesAreWrittenOnlyByTheRulesThatHaveOne) {
    // Stale sources from an earlier survey.
    for (int x = 0; x <= 9; ++x)
        for (int y = 0; y <= 9; ++y) {
            m.MAMORI_COM_X[x][y] = m.MAMORI_COM_Y[x][y] = 7;
            m.NERAI_COM_X[x][y] = m.NERAI_COM_Y[x][y] = 7;
        }
    put(4, 4, COM_GIN);
    put(5, 4, COM_HU);
    put(5, 5, COM_KIN);  // silver (40, with source) then pawn (10, no source)
    put(8, 2, COM_KIN);
    put(8, 3, COM_KEI);  // guarded by the gold only: 50, source untouched
    put(1, 1, COM_OU);
    put(2, 2, COM_GIN);  // guarded by the king only; it guards the king back
    put(9, 8, COM_HU);
    put(9, 9, MAN_KIN);  // attacked by a pawn only: no source
    put(3, 8, COM_HU);   // two silvers and two rooks: the first found keeps the source
    put(2, 7, COM_GIN);
    put(4, 7, COM_GIN);
    put(6, 7, COM_HU);
    put(6, 5, COM_SYA);
    put(9, 7, COM_SYA);
    survey();
    EXPECT_EQ(m.MAMORI_COM[3][8], 40);
    EXPECT_EQ(m.MAMORI_COM_X[3][8], 2);
    EXPECT_EQ(m.MAMORI_COM[6][7], 70);
    EXPECT_EQ(m.MAMORI_COM_X[6][7], 6);
    EXPECT_EQ(m.MAMORI_COM_Y[6][7], 5);
    EXPECT_EQ(m.MAMORI_COM[5][5], 10);
    EXPECT_EQ(m.MAMORI_COM_X[5][5], 4);
    EXPECT_EQ(m.MAMORI_COM_Y[5][5], 4);
    EXPECT_EQ(m.MAMORI_COM[8][3], 50);
    EXPECT_EQ(m.MAMORI_COM_X[8][3], 7);
    EXPECT_EQ(m.MAMORI_COM[2][2], 80);
    EXPECT_EQ(m.MAMORI_COM_X[2][2], 7);
    EXPECT_EQ(m.MAMORI_COM[1][1], 40);
    EXPECT_EQ(m.MAMORI_COM_X[1][1], 2);
    EXPECT_EQ(m.NERAI_COM[9][9], 10);
    EXPECT_EQ(m.NERAI_COM_X[9][9], 7);
    EXPECT_EQ(m.NERAI_COM_Y[9][9], 7);
    EXPECT_EQ(m.MAMORI_COM_X[7][2], 7);

    // A bishop line writes its source; the cheaper gold found later does not replace it.
    put(6, 1, COM_KAKU);
    put(7, 2, COM_HU);
    survey();
    EXPECT_EQ(m.MAMORI_COM[7][2], 50);
    EXPECT_EQ(m.MAMORI_COM_X[7][2], 6);
    EXPECT_EQ(m.MAMORI_COM_Y[7][2], 1);
}

TEST_F(Survey, AttackersOfEachSide) {
    // Cheapest MAN attacker, first found in the scan on ties.
    put(5, 5, COM_KIN);
    put(4, 6, MAN_GIN);
    put(4, 4, MAN_GIN);
    put(6, 6, MAN_GIN);
    put(1, 2, MAN_SYA);  // found first, then replaced by the cheaper pawn
    put(6, 2, COM_GIN);
    put(6, 3, MAN_HU);
    survey();
    EXPECT_EQ(m.NERAI_MAN[5][5], -40);
    EXPECT_EQ(m.NERAI_MAN_X[5][5], 4);
    EXPECT_EQ(m.NERAI_MAN_Y[5][5], 4);
    EXPECT_EQ(man(5, 5), 3);
    EXPECT_EQ(man(6, 2), 2);
    EXPECT_EQ(m.NERAI_MAN[6][2], -10);
    EXPECT_EQ(m.NERAI_MAN_X[6][2], 6);
    EXPECT_EQ(m.NERAI_MAN_Y[6][2], 3);
    EXPECT_EQ(m.NERAI_MAN[6][3], -999);

    // COM knights, silvers, golds and the king never enter NERAI_COM; the pawn does.
    AiFixture g;
    const Influence& n = g.s.inf;
    g.s.pos.put(3, 3, COM_KEI);
    g.s.pos.put(4, 5, MAN_GIN);
    g.s.pos.put(6, 4, COM_KIN);
    g.s.pos.put(6, 5, MAN_GIN);
    g.s.pos.put(8, 4, COM_GIN);
    g.s.pos.put(8, 5, MAN_GIN);
    g.s.pos.put(9, 1, COM_OU);
    g.s.pos.put(9, 2, MAN_KIN);
    g.s.pos.put(1, 1, COM_HU);
    g.s.pos.put(1, 2, MAN_HU);
    勢力調査(g.s);
    for (auto [x, y] : {std::pair{4, 5}, {6, 5}, {8, 5}, {9, 2}}) {
        EXPECT_EQ(n.NERAI_COM[x][y], 999) << x << y;
        EXPECT_EQ(n.SEIRYOKU_COM[x][y], 1) << x << y;
    }
    EXPECT_EQ(n.NERAI_COM[1][2], 10);
}

TEST_F(Survey, HorsesAndDragonsRecordTheirStepsAsTheTablesSay) {
    // MAN horse: orthogonal steps as -61, diagonal lines as -60.
    put(5, 5, MAN_UMA);
    put(5, 4, COM_HU);
    put(4, 4, COM_HU);
    put(6, 5, MAN_HU);
    put(6, 6, MAN_HU);
    survey();
    EXPECT_EQ(m.NERAI_MAN[5][4], -61);
    EXPECT_EQ(m.NERAI_MAN[4][4], -60);
    EXPECT_EQ(m.MAMORI_MAN[6][5], -61);
    EXPECT_EQ(m.MAMORI_MAN[6][6], -60);

    // COM horse: orthogonal steps only count; diagonal lines record 61.
    AiFixture g;
    const Influence& n = g.s.inf;
    g.s.pos.put(5, 5, COM_UMA);
    g.s.pos.put(5, 6, MAN_HU);
    g.s.pos.put(4, 5, COM_HU);
    g.s.pos.put(6, 6, MAN_HU);
    g.s.pos.put(6, 4, COM_HU);
    勢力調査(g.s);
    EXPECT_EQ(n.SEIRYOKU_COM[5][6], 1);
    EXPECT_EQ(n.NERAI_COM[5][6], 999);
    EXPECT_EQ(n.MAMORI_COM[4][5], 999);
    EXPECT_EQ(n.NERAI_COM[6][6], 61);
    EXPECT_EQ(n.MAMORI_COM[6][4], 61);
    EXPECT_EQ(n.MAMORI_COM_X[6][4], 5);

    // COM dragon: lines and diagonal steps record 71 with their source.
    AiFixture h;
    h.s.pos.put(5, 5, COM_RYU);
    h.s.pos.put(6, 6, MAN_KIN);
    h.s.pos.put(4, 4, COM_HU);
    h.s.pos.put(5, 8, MAN_KIN);
    h.s.pos.put(6, 4, MAN_KEI);
    勢力調査(h.s);
    EXPECT_EQ(h.s.inf.NERAI_COM[6][4], 71);
    EXPECT_EQ(h.s.inf.NERAI_COM[6][6], 71);
    EXPECT_EQ(h.s.inf.NERAI_COM_X[6][6], 5);
    EXPECT_EQ(h.s.inf.MAMORI_COM[4][4], 71);
    EXPECT_EQ(h.s.inf.MAMORI_COM_Y[4][4], 5);
    EXPECT_EQ(h.s.inf.NERAI_COM[5][8], 71);
    EXPECT_EQ(h.s.inf.SEIRYOKU_COM[5][9], 0);
    EXPECT_EQ(h.s.inf.SEIRYOKU_COM[3][3], 0);  // the diagonal steps are single squares
}

TEST_F(Survey, LinesStopOnTheFirstPieceButPassTheEnemyKing) {
    put(5, 5, MAN_SYA);
    put(5, 3, MAN_HU);
    put(8, 5, COM_KIN);
    put(2, 5, COM_OU);
    survey();
    EXPECT_EQ(man(5, 4), 1);
    EXPECT_EQ(man(5, 3), 1);
    EXPECT_EQ(man(5, 2), 1);  // the pawn's own step only
    EXPECT_EQ(m.MAMORI_MAN[5][3], -70);
    EXPECT_EQ(man(8, 5), 1);
    EXPECT_EQ(man(9, 5), 0);
    EXPECT_EQ(m.NERAI_MAN[8][5], -70);
    EXPECT_EQ(m.NERAI_MAN[2][5], -70);  // the COM king is attacked like any piece
    EXPECT_EQ(man(1, 5), 1);            // and the line goes on behind it
    EXPECT_EQ(man(5, 9), 1);
    EXPECT_EQ(m.OUTE_COM[5][5], 0);
}

TEST_F(Survey, ComLinesMapTheCheckAndReachBehindTheKing) {
    put(5, 1, COM_SYA);
    put(5, 5, MAN_OU);
    survey();
    EXPECT_EQ(m.OUTE_COM[5][1], 9);
    for (int y = 2; y <= 4; ++y) EXPECT_EQ(m.OUTE_COM[5][y], 1) << y;
    EXPECT_EQ(m.OUTE_COM[5][5], 0);
    for (int y = 2; y <= 9; ++y) EXPECT_EQ(com(5, y), 1) << y;
    EXPECT_EQ(m.NERAI_COM[5][5], 70);
    EXPECT_EQ(m.NERAI_COM_X[5][5], 5);
    EXPECT_EQ(m.NERAI_COM_Y[5][5], 1);
    EXPECT_EQ(sum(m.OUTE_COM), 9 + 3);

    // A bishop's check marks its diagonal; a lance's its file.
    AiFixture g;
    g.s.pos.put(8, 8, MAN_OU);
    g.s.pos.put(5, 5, COM_KAKU);
    g.s.pos.put(8, 1, COM_KYOU);
    勢力調査(g.s);
    const auto& o = g.s.inf.OUTE_COM;
    EXPECT_EQ(o[5][5], 9);
    EXPECT_EQ(o[6][6], 1);
    EXPECT_EQ(o[7][7], 1);
    EXPECT_EQ(o[8][1], 9);
    EXPECT_EQ(o[8][7], 1);
    EXPECT_EQ(o[8][2], 1);
    EXPECT_EQ(o[8][8], 0);
    EXPECT_EQ(g.s.inf.SEIRYOKU_COM[9][9], 1);
    EXPECT_EQ(g.s.inf.SEIRYOKU_COM[8][9], 1);
    EXPECT_EQ(sum(o), 9 + 2 + 9 + 6);
}

TEST_F(Survey, AdjacentChecksMarkTheCheckerAndAKnightAlsoTheKing) {
    put(5, 5, MAN_OU);
    put(4, 3, COM_KEI);
    put(5, 4, COM_HU);
    put(6, 4, COM_KIN);
    put(4, 6, COM_GIN);
    put(6, 5, COM_UMA);
    put(4, 4, COM_RYU);
    survey();
    EXPECT_EQ(m.OUTE_COM[4][3], 9);
    EXPECT_EQ(m.OUTE_COM[5][5], 9);  // the knight's mark on the king's square
    EXPECT_EQ(m.OUTE_COM[5][4], 9);
    EXPECT_EQ(m.OUTE_COM[6][4], 9);
    EXPECT_EQ(m.OUTE_COM[4][6], 9);
    EXPECT_EQ(m.OUTE_COM[6][5], 9);
    EXPECT_EQ(m.OUTE_COM[4][4], 9);
    EXPECT_EQ(sum(m.OUTE_COM), 7 * 9);

    // A COM king next to the MAN king gives no check mark.
    AiFixture g;
    g.s.pos.put(5, 5, MAN_OU);
    g.s.pos.put(5, 4, COM_OU);
    勢力調査(g.s);
    EXPECT_EQ(sum(g.s.inf.OUTE_COM), 0);
    EXPECT_EQ(g.s.inf.SEIRYOKU_COM[5][5], 1);
}

TEST_F(Survey, CheckingStepsAlsoEnterTheAttackMapsAndKingsAttackEachOther) {
    // A COM pawn's check: the mark on the pawn, the attack without a source.
    m.NERAI_COM_X[5][5] = m.NERAI_COM_Y[5][5] = 7;
    put(5, 5, MAN_OU);
    put(5, 4, COM_HU);
    survey();
    EXPECT_EQ(m.OUTE_COM[5][4], 9);
    EXPECT_EQ(m.NERAI_COM[5][5], 10);
    EXPECT_EQ(m.NERAI_COM_X[5][5], 7);
    EXPECT_EQ(m.NERAI_COM_Y[5][5], 7);
    EXPECT_EQ(sum(m.OUTE_COM), 9);

    // A dragon's diagonal step gives check and attacks the king with its source.
    put(5, 4, EMPTY);
    put(6, 6, COM_RYU);
    put(6, 5, MAN_HU);  // shuts the file so only the diagonal step reaches the king
    put(7, 6, MAN_HU);
    put(5, 6, MAN_HU);
    put(6, 7, MAN_HU);
    survey();
    EXPECT_EQ(m.OUTE_COM[6][6], 9);
    EXPECT_EQ(m.NERAI_COM[5][5], 71);
    EXPECT_EQ(m.NERAI_COM_X[5][5], 6);
    EXPECT_EQ(m.NERAI_COM_Y[5][5], 6);
    EXPECT_EQ(sum(m.OUTE_COM), 9);

    // The two kings side by side: MAN's king records itself as the COM king's attacker,
    // COM's king records nothing on MAN's.
    AiFixture g;
    const Influence& n = g.s.inf;
    g.s.pos.put(4, 3, COM_OU);
    g.s.pos.put(4, 4, MAN_OU);
    勢力調査(g.s);
    EXPECT_EQ(n.NERAI_MAN[4][3], -80);
    EXPECT_EQ(n.NERAI_MAN_X[4][3], 4);
    EXPECT_EQ(n.NERAI_MAN_Y[4][3], 4);
    EXPECT_EQ(n.NERAI_COM[4][4], 999);
    EXPECT_EQ(n.SEIRYOKU_COM[4][4], 1);

    // A MAN knight attacks the COM king like any COM piece and marks no check.
    g.s.pos.put(5, 5, MAN_KEI);
    勢力調査(g.s);
    EXPECT_EQ(n.NERAI_MAN[4][3], -30);
    EXPECT_EQ(n.NERAI_MAN_X[4][3], 5);
    EXPECT_EQ(n.NERAI_MAN_Y[4][3], 5);
    EXPECT_EQ(n.SEIRYOKU_MAN[4][3], 2);
    EXPECT_EQ(sum(n.OUTE_COM), 0);
}

}  // namespace

namespace {

// The survey's unrolled walks reach exactly where the rules let a piece go: every piece of
// either side on every square, alone and among enemy pieces that stop its lines.
TEST_F(Survey, ReachesExactlyWhereTheRulesLetEveryPieceGo) {
    const int kinds[] = {HU, KYOU, KEI, GIN, KIN, KAKU, SYA, OU};
    int compared = 0;
    for (const bool com : {false, true})
        for (const int kind : kinds)
            for (const int promoted : {0, 1}) {
                if (promoted && (kind == KIN || kind == OU)) continue;
                const int c = (com ? comCode(kind) : manCode(kind)) + (com ? promoted : -promoted);
                for (const bool crowded : {false, true})
                    for (int x = 1; x <= 9; ++x)
                        for (int y = 1; y <= 9; ++y) {
                            clearBoard(s.pos);
                            if (crowded)
                                for (const auto& [bx, by] : {std::pair{3, 3},
                                                             {5, 2},
                                                             {7, 7},
                                                             {2, 6},
                                                             {5, 8},
                                                             {8, 4},
                                                             {5, 5}})
                                    put(bx, by, com ? MAN_KIN : COM_KIN);
                            put(x, y, c);
                            survey();
                            const Map& reach = com ? m.SEIRYOKU_COM : m.SEIRYOKU_MAN;
                            for (int tx = 1; tx <= 9; ++tx)
                                for (int ty = 1; ty <= 9; ++ty) {
                                    const bool allowed = 移動チェック(s.pos, x, y, tx, ty, c) == ON;
                                    ASSERT_EQ(reach[tx][ty] > 0, allowed)
                                        << c << " on " << x << y << " to " << tx << ty
                                        << (crowded ? " among enemies" : "");
                                    ++compared;
                                }
                        }
            }
    EXPECT_EQ(compared, 28 * 2 * 81 * 81);
}

// Row and column 0 of every map stay 0 through the survey of every candidate COM weighs in
// the signature suite: a step that ran off the board would land there (or in the next map).
TEST(SurveyFrame, NoCandidateMarksOffTheBoard) {
    long marks = 0, surveys = 0;
    for (const std::string& line : signature::readPositions(TORVANE_SIGNATURE_POSITIONS)) {
        Engine e;
        ASSERT_EQ(e.handle("position " + line), "ok");
        Analysis& s = e.state().analysis;
        思考準備(s);
        候補探索(s, {}, [&](const Move&, double) {
            const Influence& m = s.inf;
            for (const Map* map :
                 {&m.SEIRYOKU_MAN, &m.SEIRYOKU_COM, &m.MAMORI_MAN, &m.MAMORI_COM, &m.MAMORI_COM_X,
                  &m.MAMORI_COM_Y, &m.NERAI_MAN, &m.NERAI_MAN_X, &m.NERAI_MAN_Y, &m.NERAI_COM,
                  &m.NERAI_COM_X, &m.NERAI_COM_Y, &m.OUTE_COM})
                for (int i = 0; i <= 9; ++i) marks += (*map)[0][i] != 0 || (*map)[i][0] != 0;
            ++surveys;
        });
    }
    EXPECT_GT(surveys, 20000);
    EXPECT_EQ(marks, 0);
}

}  // namespace
