#include "ai/piece_terms.h"

#include <cstdlib>

#include "ai/tactics.h"
#include "core/rules.h"
#include "ai/analysis.h"

// Each block returns the final score: a return inside a block ends the whole evaluation.
// COM moves towards larger y, so (tx, ty + 1) is the square in front of a COM piece.

namespace {

// One candidate as the terms see it:
//   BAN        the board with the candidate made
//   SM, SC     MAN's and COM's reach now; SMM, SCM the same before the trial
//   captured   the code taken on (TX, TY), 0 for none; placed the code now standing there
//   (FX, FY)   the source, (-1, kind) for a drop (drop is then true)
struct Trial {
    Analysis& s;
    const Map& BAN;
    const Map& SM;
    const Map& SC;
    const Map& SMM;
    const Map& SCM;
    int captured, placed, FX, FY, TX, TY;
    bool drop;

    explicit Trial(Analysis& st, int c, int p, int fx, int fy, int tx, int ty)
        : s(st), BAN(st.pos.board()), SM(st.inf.SEIRYOKU_MAN), SC(st.inf.SEIRYOKU_COM),
          SMM(st.turn.SEIRYOKU_MAN_MAE), SCM(st.turn.SEIRYOKU_COM_MAE), captured(c), placed(p),
          FX(fx), FY(fy), TX(tx), TY(ty), drop(fx == COM_DROP_X) {}

    int dx() const { return std::abs(TX - s.kingsSeen.MAN_OU_X); }
    int dy() const { return std::abs(TY - s.kingsSeen.MAN_OU_Y); }
    bool onKingLineNearby() const {
        return (TX == s.kingsSeen.MAN_OU_X || TY == s.kingsSeen.MAN_OU_Y) && dx() < 3 && dy() < 3;
    }
    // Not attacked, or attacked by MAN's king alone while COM also covers it.
    bool safeFromAllButKing() const {
        return SM[TX][TY] == 0 || (SC[TX][TY] > 0 && s.inf.NERAI_MAN[TX][TY] == MAN_OU);
    }

    double pawn(double score) const;
    double lance(double score) const;
    double knight(double score) const;
    double silver(double score) const;
    double gold(double score) const;
    double bishop(double score) const;
    double rook(double score) const;
    double dragon(double score) const;
    double king(double score) const;
};

double Trial::pawn(double score) const {
    const auto& NERAI_MAN = s.inf.NERAI_MAN;
    const auto& MAMORI_COM = s.inf.MAMORI_COM;

    // Stage 1: the forks a lance or knight from COM's hand would make here; the square ahead.
    if (s.pos.comHand()[KYOU] > 0) score += 調査_香狙い(s, TX, TY);
    if (s.pos.comHand()[KEI] > 0) score += 調査_桂狙い(s, TX, TY);

    if (TY < 9) {
        const int front = BAN[TX][TY + 1];
        if (front == COM_KIN)
            score += 0.5;
        else if (front == COM_SYA)
            score -= 1;
        // A MAN piece in front with no safe square left is as good as won.
        if (front < MAN_HU && 調査_移動可場所数(s, TX, TY + 1, front) == 0)
            score += std::abs(front);
    }

    if (SC[TX][TY] > 0 && TX > 1 && TX < 9 &&
        (BAN[TX + 1][TY] == COM_SYA || BAN[TX - 1][TY] == COM_SYA))
        score -= 1;

    // Stage 2: a dropped pawn ends here.
    if (drop) {
        const auto& M = s.pos.manHand();
        if (SC[TX][TY] == 0 && TY >= 2 && BAN[TX][TY - 1] >= COM_GIN && (M[HU] > 0 || M[KYOU] > 0))
            score += 6;
        if (BAN[2][8] == MAN_KAKU && TX == 2 && TY == 7 && (SM[2][7] == 0 || SC[2][7] > 0))
            score += 30;
        // Blocking a MAN lance or rook that attacks along the file.
        const int AX = s.inf.NERAI_MAN_X[TX][TY], AY = s.inf.NERAI_MAN_Y[TX][TY];
        if (!(cellOf(SCM, AX, AY) > 0 && cellOf(SM, AX, AY) == 0) && SC[TX][TY] > 0 && AX == TX &&
            (NERAI_MAN[TX][TY] == MAN_SYA || NERAI_MAN[TX][TY] == MAN_KYOU) && TY < AY)
            return score + 120;
        return score;
    }

    // Stage 3: a pushed pawn: what guards it; on the last two rows nothing more counts.
    score -= 0.1;
    if (MAMORI_COM[TX][TY] == COM_KIN || MAMORI_COM[TX][TY] == COM_GIN) score += 0.6;
    if (TY >= 8) return score;

    if (MAMORI_COM[TX][TY] == COM_KYOU) {
        score += 1;
    } else if (MAMORI_COM[TX][TY] == COM_SYA && s.inf.MAMORI_COM_X[TX][TY] == TX &&
               SC[TX][TY] >= SM[TX][TY] && s.inf.MAMORI_COM_Y[TX][TY] < TY) {
        score += 2;
    }

    if (SM[TX][TY + 1] == 0 && BAN[TX][TY + 2] <= MAN_KEI) score += 1;

    // Stage 4: the diagonals the push opens for a COM bishop beside it.
    if (TY < 7) {
        if (BAN[TX][TY + 1] == MAN_HU && SM[TX][TY + 1] > 0) score -= 5;
        // Opening the diagonal of a COM bishop beside the pawn.
        if (TX < 9 && BAN[TX + 1][TY] == COM_KAKU) {
            score += 0.5;
            if (BAN[TX + 1][TY + 2] == MAN_HU) score += 5;
        }
        if (TX > 1) {
            if (TX == 7 && TY == 4 && BAN[8][2] == COM_KAKU) score += 10;
            if (BAN[TX - 1][TY] == COM_KAKU) {
                score += 0.5;
                if (BAN[TX - 1][TY + 2] == MAN_HU) score += 5;
            }
        }
    }

    // Stage 5: a capture from a square COM guarded once.
    if (SC[FX][FY] == 1 && captured <= MAN_HU) {
        if (TY >= 3 && NERAI_MAN[TX][TY] == MAN_KYOU && BAN[TX][TY - 2] == COM_KAKU)
            score -= 5;
        else
            score += 5;
        if (captured == MAN_HU && (NERAI_MAN[TX][TY] == MAN_KYOU || NERAI_MAN[TX][TY] == MAN_SYA) &&
            SC[FX][FY] < 2)
            score += 50;
    }

    // Stage 6: the pawn now faces a MAN piece.
    const int facing = BAN[TX][TY + 1];
    if (facing <= MAN_HU) {
        if (SC[TX][TY] > SM[TX][TY]) return score + 1;
        if (facing == MAN_HU) return score - 5;
        if (SC[TX][TY] == 0) return SM[TX][TY] == 0 ? score + 1 : score;
        if (SCM[TX][TY + 1] > 0 && SMM[TX][TY + 1] == 0) return score - 1;
        if (SC[TX][TY] >= SM[TX][TY]) return score + 5;
    }
    return score;
}

double Trial::lance(double score) const {
    if (s.pos.comHand()[KEI] > 0) score += 調査_桂狙い(s, TX, TY);

    if (drop) {
        if (TY >= 8) return score;
        if (s.pos.manHand()[HU] > 0 && SM[TX][TY + 1] > 0 && SM[TX][TY] == 0) score -= 10;
        // Pin the MAN piece in front against the piece further down the file.
        if (BAN[TX][TY + 1] <= MAN_KYOU && (SM[TX][TY] == 0 || SC[TX][TY] >= SM[TX][TY])) {
            for (int y = TY + 2; y <= 9; ++y) {
                if (BAN[TX][y] == EMPTY) continue;
                if (移動チェック(s.pos, TX, TY + 1, TX, y, COM_KYOU) == ON && BAN[TX][y] < MAN_KYOU)
                    return score + std::abs(BAN[TX][y]);
                break;
            }
        }
        return score;
    }

    if (captured == 0) return score - 0.9;
    if (captured == MAN_KYOU) {
        score += 10;
        if (SM[TX][TY] >= 1) return score + 10;
    }
    return score;
}

double Trial::knight(double score) const {
    score -= 0.1;
    if (cellOf(SM, TX, TY + 1) > 0) score -= 1;
    if (TY < 8 && TX > 1 && TX < 9) {
        if (SM[TX - 1][TY + 2] > 0 && SM[TX + 1][TY + 2] > 0) score -= 1;
        if (TX == 7 && TY == 3 && BAN[8][4] == COM_KAKU) return score - 5;
    }
    return score;
}

double Trial::silver(double score) const {
    if (TY <= 1) return score;
    if (TY > FY) {
        if (BAN[7][5] == MAN_GIN || BAN[8][5] == MAN_GIN || BAN[9][5] == MAN_GIN) {
            if (TX == FX) score += 5;
        } else {
            if (TX == FX) score -= 0.1;
        }
    }
    if (BAN[TX][TY - 1] == COM_KEI) score -= 0.5;
    if (TX == 7 && TY == 3 && BAN[8][3] == COM_HU && BAN[8][5] == MAN_HU) return score + 115;
    return score;
}

double Trial::gold(double score) const {
    if (TY > FY && TX != FX) score -= 0.5;
    if (TY == 4 && BAN[6][4] == COM_KAKU && SM[6][4] > 0) return score - 5;
    if (TY == 2) {
        if (BAN[8][3] == COM_HU && BAN[8][6] == MAN_HU && s.inf.MAMORI_MAN[8][6] == MAN_SYA &&
            TX == 7)
            score += 10;
        // Closing the diagonal in front against a MAN bishop in hand.
        if (s.pos.manHand()[KAKU] > 0 && SCM[TX][TY + 1] == 0 && BAN[TX][TY + 1] >= COM_HU) {
            score += 2;
            if (SCM[TX][TY + 2] == 1 && BAN[TX][TY + 2] == COM_KAKU) return score + 125;
        }
    }
    return score;
}

double Trial::bishop(double score) const {
    const auto& MAMORI_MAN = s.inf.MAMORI_MAN;

    // Stage 1: crowding by COM's own major pieces; the square reached and the one ahead.
    score += 調査_周辺状況(s.pos, TX, TY);

    if (TY < 9) {
        if (TY == 3) {
            if (TX == 9 && BAN[9][4] == COM_HU && BAN[9][6] == MAN_HU && BAN[9][9] == MAN_KYOU)
                score -= 10;
            else if (TX == 7 && BAN[8][5] == MAN_HU && MAMORI_MAN[8][5] == MAN_SYA)
                score += 9;
        }
        if (SM[TX][TY + 1] > 0) {
            if (調査_移動可場所数(s, TX, TY, COM_KAKU) == 0) score -= 100;
            if (TY < 8 && BAN[TX][TY + 2] == MAN_HU) score -= 1;
        }
    }

    // Stage 2: the square left behind on row 3.
    if (FY == 3) {
        if (FX == 9 && BAN[9][4] == COM_HU && BAN[9][6] == MAN_HU && MAMORI_MAN[9][6] == MAN_KYOU)
            score += 10;
        else if (FX == 7 && BAN[8][5] == MAN_HU && MAMORI_MAN[8][5] == MAN_SYA &&
                 SCM[8][4] > SC[8][4])
            score -= 10;
    }

    // Stage 3: drops: deep in MAN's camp the bishop must keep room to move.
    if (drop) {
        if (TY > 6) {
            if (調査_移動可場所数(s, TX, TY, COM_KAKU) <= 3) return score - 20;
        } else {
            if (TY == 5 && (TX == 1 || TX == 9) && BAN[TX][7] == MAN_HU) score -= 10;
            if (TX == 4 && TY == 5 && BAN[5][8] == MAN_KIN) return score - 10;
        }
    }
    return score;
}

double Trial::rook(double score) const {
    // Stage 1: crowding by COM's own major pieces; a drop ends here.
    score += 調査_周辺状況(s.pos, TX, TY);

    if (drop) {
        // Dropped behind a MAN silver flanked by a gold: the rook is easily shut in.
        if (TY == 9 && BAN[TX][8] == MAN_GIN && TX > 1 && TX < 9 &&
            ((BAN[TX + 1][8] == MAN_KIN && BAN[TX - 1][9] != EMPTY) ||
             (BAN[TX - 1][8] == MAN_KIN && BAN[TX + 1][9] != EMPTY)))
            return score - 1;
        return score;
    }

    // Stage 2: a board move: the square ahead and the row it leaves.
    if (SM[TX][TY] == 0 && TX == 3 && TY == 4 && BAN[3][7] == MAN_KAKU && BAN[3][6] == MAN_HU &&
        BAN[3][5] == EMPTY)
        score += 7;

    if (TY < 8) {
        if (SM[TX][TY + 1] > 0) {
            score -= 1;
            if (BAN[TX][TY + 2] == MAN_HU && TY == FY) score -= 5;
        }
        if (FY < 9 && BAN[8][FY + 1] == MAN_HU && s.inf.MAMORI_MAN[8][FY + 1] == MAN_SYA) {
            if (SC[8][FY] < SCM[8][FY]) score -= 11;
            if (BAN[7][FY] == COM_HU && TY != FY) score -= 11;
        }
        if (SM[FX][FY] == 0 && FX == 2 && FY == 2 && TX == 2 && TY == 3) score -= 1;
    }

    // Stage 3: a rook MAN cannot take: shut in, or bearing on MAN's king nearby.
    if (safeFromAllButKing()) {
        if (調査_移動可場所数(s, TX, TY, COM_SYA) <= 1) return score - 35;
        if (onKingLineNearby()) return score + 100;
    }
    return score;
}

double Trial::dragon(double score) const {
    score += 調査_周辺状況(s.pos, TX, TY);

    // Row TY - 1 is row 0 for a dragon on row 1; row 0 never holds a piece.
    if (BAN[TX][TY - 1] == MAN_GIN && TX > 1 && TX < 9 &&
        ((BAN[TX + 1][TY - 1] == MAN_KIN && BAN[TX - 1][TY] != EMPTY) ||
         (BAN[TX - 1][TY - 1] == MAN_KIN && BAN[TX + 1][TY] != EMPTY)))
        score -= 10;

    if (FY == 9 && cellOf(BAN, FX, 8) == MAN_GIN) {
        if (FX >= 2 && BAN[FX - 1][8] == MAN_KIN) score += 2;
        if (FX < 9 && BAN[FX + 1][8] == MAN_KIN) score += 2;
    }

    if (TY == 9 && BAN[TX][8] <= MAN_HU) {
        if (TX == 3 && BAN[2][9] <= MAN_HU && BAN[4][8] == MAN_KIN) score -= 150;
        if (TX == 7 && BAN[8][9] <= MAN_HU && BAN[6][8] == MAN_KIN) score -= 150;
    }

    if (safeFromAllButKing() && onKingLineNearby()) return score + 100;
    return score;
}

double Trial::king(double score) const {
    if (TY > 3) score -= 15 + TY;
    if (TX != 5) score += 1;
    if (s.turn.IDOU_FUKA_COM_ARI == 1) score += 10;
    if (SC[TX][TY] > SCM[TX][TY]) score += 1;
    if (調査_移動可場所数(s, TX, TY, COM_OU) < 2) return score - 20;
    return score;
}

}  // namespace

double pieceTerms(Analysis& s, double score, int captured, int placed, int fx, int fy, int tx,
                  int ty) {
    const Trial t(s, captured, placed, fx, fy, tx, ty);
    switch (placed) {
        case COM_HU: return t.pawn(score);
        case COM_TO: return t.SC[tx][ty] >= t.SM[tx][ty] ? score + 1 : score;
        case COM_KYOU: return t.lance(score);
        case COM_KEI: return t.knight(score);
        case COM_GIN: return t.silver(score);
        case COM_KIN: return t.gold(score);
        case COM_KAKU: return t.bishop(score);
        case COM_UMA: return score + 調査_周辺状況(s.pos, tx, ty);
        case COM_SYA: return t.rook(score);
        case COM_RYU: return t.dragon(score);
        case COM_OU: return t.king(score);
        default: return score;  // a promoted lance, knight or silver has no terms of its own
    }
}
