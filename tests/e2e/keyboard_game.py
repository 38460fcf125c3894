"""A whole game against COM by keyboard alone, read as a screen reader reads it.

Run by keyboard_game.sh inside the virtual screen, with the program started, the pointer
over its board and the accessibility bus up. Ctrl+N starts the game; every move of MAN is
typed ("7776", "7776+", "P*55" and Enter). After each move the AT-SPI tree of the canvas is
read and the squares the move changed are checked, until a king is taken or 30 moves are
made. Among the moves: a drop, a promotion, a refused move, a half-typed move cleared by Esc
(with a screenshot of it).

    /usr/bin/python3 keyboard_game.py OUT_DIR MAIN_WINDOW_ID POINTER_X POINTER_Y
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

OUT, MAIN, PX, PY = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4]
WIDE = "０１２３４５６７８９"
RANKS = "一二三四五六七八九"
LETTERS = {"歩": "P", "香": "L", "桂": "N", "銀": "S", "金": "G", "角": "B", "飛": "R"}
PROMOTED = {"歩": "と", "香": "成香", "桂": "成桂", "銀": "成銀", "角": "馬", "飛": "龍"}
# The move text names the piece as it was selected.
MOVE_TEXT_NAMES = {"成香": "香成", "成桂": "桂成", "成銀": "銀成", "馬": "角成", "龍": "飛成"}
# MAN's one-square steps by piece, as (file, rank) offsets: forward is rank - 1.
GOLD = [(0, -1), (-1, -1), (1, -1), (-1, 0), (1, 0), (0, 1)]
STEPS = {
    "歩": [(0, -1)], "香": [(0, -1)], "桂": [(-1, -2), (1, -2)],
    "銀": [(0, -1), (-1, -1), (1, -1), (-1, 1), (1, 1)], "金": GOLD, "と": GOLD, "成香": GOLD,
    "成桂": GOLD, "成銀": GOLD, "角": [(-1, -1), (1, -1), (-1, 1), (1, 1)],
    "飛": [(0, -1), (-1, 0), (1, 0), (0, 1)],
    "王": [(0, -1), (-1, -1), (1, -1), (-1, 0), (1, 0), (0, 1), (-1, 1), (1, 1)],
}
STEPS["馬"] = STEPS["王"]
STEPS["龍"] = STEPS["王"]


# The names the canvas announced, as a reader hears them (the name of the focused canvas).
HEARD = []


def heard(event):
    if event.source is not None and event.source.getRole() == pyatspi.ROLE_CANVAS:
        HEARD.append(event.source.name)


def listen(seconds):
    """Lets the events of the accessibility bus arrive for a while."""
    ctx = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while ctx.pending():
            ctx.iteration(False)
        time.sleep(0.05)


def say(text):
    print("keyboard_game.py: " + text, flush=True)


def fail(text):
    say("FAIL: " + text)
    sys.exit(1)


def run(*args):
    return subprocess.run(args, capture_output=True, text=True).stdout


def key(*names):
    # Without a window manager nobody gives the window the keyboard: it is given here.
    run("xdotool", "mousemove", PX, PY)
    run("xdotool", "windowfocus", "--sync", MAIN)
    for n in names:
        run("xdotool", "key", n)
        time.sleep(0.05)


def type_move(text):
    names = {"+": "plus", "*": "asterisk"}
    key(*[names.get(c, c.lower() if c.isalpha() else c) for c in text])


def boxes():
    ids = run("xdotool", "search", "--onlyvisible", "--class", "torvane").split()
    return [(w, run("xdotool", "getwindowname", w).strip()) for w in ids
            if w != MAIN and run("xdotool", "getwindowname", w).strip() != "Torvane"]


def answer(box):
    geo = dict(line.split("=") for line in run("xdotool", "getwindowgeometry", "--shell", box).split())
    run("xdotool", "mousemove", str(int(geo["X"]) + int(geo["WIDTH"]) // 2),
        str(int(geo["Y"]) + int(geo["HEIGHT"]) // 2))
    run("xdotool", "key", "Return")
    for _ in range(100):
        if box not in [b for b, _ in boxes()]:
            break
        time.sleep(0.1)
    run("xdotool", "mousemove", PX, PY)


def canvas():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None or app.name != "torvane":
            continue
        stack = [app]
        while stack:
            node = stack.pop()
            if node.getRole() == pyatspi.ROLE_CANVAS:
                return node
            stack.extend(c for c in node if c is not None)
    return None


class View:
    """The canvas's parts as named in the tree."""

    def __init__(self, node):
        self.names = [node[i].name for i in range(node.childCount)]
        self.canvas = node.name
        if len(self.names) != 91:
            fail("the canvas has %d parts, not 91" % len(self.names))
        self.board = {}
        for i in range(81):
            parts = self.names[i].split(" ")
            label = "%d%s" % (9 - i % 9, RANKS[i // 9])
            if parts[0] != label:
                fail("square %d is named \"%s\", not after %s" % (i, self.names[i], label))
            self.board[(9 - i % 9, i // 9 + 1)] = (parts[1], parts[2]) if len(parts) == 3 else None
        self.hands = [self.hand(self.names[81]), self.hand(self.names[82])]
        self.moves = [self.names[85].split(" ", 1)[1], self.names[86].split(" ", 1)[1]]
        self.number = int(self.names[87].replace("手目", ""))
        self.typing = self.names[90]

    @staticmethod
    def hand(name):
        out = {}
        for item in name.split(" ")[1:]:
            if item != "なし":
                out[item[:-1] if not item[-2].isdigit() else item[:-2]] = int(
                    item[-1] if not item[-2].isdigit() else item[-2:])
        return out

    def pieces(self):
        return sum(1 for p in self.board.values() if p) + sum(
            sum(h.values()) for h in self.hands)

    def man(self, square):
        p = self.board.get(square)
        return p[0] if p and p[1] == "あなた" else None


def read():
    for _ in range(50):
        node = canvas()
        if node is not None and node.childCount:
            return View(node)
        time.sleep(0.2)
    fail("no canvas with parts in the accessibility tree")


def wait_for(test, what, seconds=60):
    end = time.time() + seconds
    while time.time() < end:
        for box, title in boxes():
            return ("box", box, title)
        v = read()
        if test(v):
            return ("view", v, None)
        time.sleep(0.3)
    fail(what)


def on_board(f, r):
    return 1 <= f <= 9 and 1 <= r <= 9


def candidates(v, want_drop, want_promotion):
    """Typed moves worth trying, the wanted kinds first."""
    drops, promotions, captures, steps = [], [], [], []
    for piece, n in v.hands[0].items():
        for r in (6, 5, 4):
            for f in range(1, 10):
                if v.board[(f, r)] is None and n > 0:
                    if piece == "歩" and any(v.man((f, rr)) == "歩" for rr in range(1, 10)):
                        continue
                    drops.append("%s*%d%d" % (LETTERS[piece], f, r))
    for (f, r), p in sorted(v.board.items()):
        if not p or p[1] != "あなた":
            continue
        for df, dr in STEPS.get(p[0], []):
            tf, tr = f + df, r + dr
            if not on_board(tf, tr) or v.man((tf, tr)):
                continue
            text = "%d%d%d%d" % (f, r, tf, tr)
            if p[0] in PROMOTED and (tr <= 3 or r <= 3):
                promotions.append(text + "+")
            elif v.board[(tf, tr)]:
                captures.append(text)
            elif p[0] != "王":
                steps.append(text)
    first = (drops if want_drop else []) + (promotions if want_promotion else [])
    # The king stays home unless nothing else can move.
    kings = ["%d%d%d%d" % (f, r, f + df, r + dr) for (f, r), p in v.board.items()
             if p and p == ("王", "あなた") for df, dr in STEPS["王"]
             if on_board(f + df, r + dr) and not v.man((f + df, r + dr))]
    return first + captures + promotions + steps + drops + kings


def check_move(before, after, text):
    """The squares MAN's typed move changed, as the reader now names them."""
    wide = WIDE[int(text[-2 if not text.endswith("+") else -3])]
    tf, tr = (int(c) for c in text.rstrip("+")[-2:])
    if "*" in text:
        piece = next(k for k, l in LETTERS.items() if l == text[0])
        if after.hands[0].get(piece, 0) != before.hands[0].get(piece, 0) - 1:
            fail("after %s the hand still holds as many %s" % (text, piece))
        moved = piece
    else:
        moved = before.man((int(text[0]), int(text[1])))
    expected = WIDE[tf] + RANKS[tr - 1] + MOVE_TEXT_NAMES.get(moved, moved)
    if after.moves[0] != expected:
        fail("after %s MAN's move text reads \"%s\", not \"%s\"" % (text, after.moves[0], expected))
    now = after.board[(tf, tr)]
    landed = PROMOTED.get(moved, moved) if text.endswith("+") else moved
    # COM may have taken the piece at once: then its own move text names the square.
    if now == (landed, "あなた"):
        pass
    elif now and now[1] == "COM" and after.moves[1].startswith(WIDE[tf] + RANKS[tr - 1]):
        say("COM took back on %s" % expected[:2])
    else:
        fail("after %s square %d%s reads %s, not %s of あなた" % (text, tf, RANKS[tr - 1], now, landed))
    if "*" not in text and after.board[(int(text[0]), int(text[1]))] == before.board[(int(text[0]), int(text[1]))] and before.board[(int(text[0]), int(text[1]) + 1)] is None:
        fail("after %s the square it left still reads the same" % text)
    return wide


def main():
    pyatspi.Registry.registerEventListener(heard, "object:property-change:accessible-name")
    key("ctrl+n")
    kind, box, title = wait_for(lambda v: False, "Ctrl+N showed no box", 20)
    say("Ctrl+N: box \"%s\"" % title)
    answer(box)
    v = read()
    say("before the first move: " + " / ".join(v.names[i] for i in (60, 69, 87)))
    if v.number != 0 or v.pieces() != 40:
        fail("the game did not start at move 0 with 40 pieces")
    done = {"drop": False, "promotion": False, "refused": False, "typing": False}
    while v.number < 30:
        if not done["typing"]:
            # Half a move shows beside the board and in the tree; Esc clears it and nothing else.
            type_move("77")
            time.sleep(0.5)
            run("import", "-window", "root", "png:%s/keyboard_game-typing.png" % OUT)
            t = read().typing
            if not t.endswith(" 77"):
                fail("the move being typed reads \"%s\"" % t)
            key("Escape")
            time.sleep(0.3)
            if not read().typing.endswith(" なし"):
                fail("Esc did not clear the move being typed")
            say("half-typed move shown and cleared; screenshot %s/keyboard_game-typing.png" % OUT)
            done["typing"] = True
        if not done["refused"] and v.number >= 2:
            # Two squares forward is no pawn's move: refused, nothing changes.
            pawn = next((f, r) for (f, r), p in sorted(v.board.items()) if p == ("歩", "あなた")
                        and r >= 3 and v.board[(f, r - 1)] is None and v.board[(f, r - 2)] is None)
            text = "%d%d%d%d" % (pawn[0], pawn[1], pawn[0], pawn[1] - 2)
            type_move(text)
            key("Return")
            time.sleep(1.0)
            if boxes():
                fail("a refused move showed a box")
            after = read()
            if after.board != v.board or after.number != v.number:
                fail("the refused move %s changed the board" % text)
            say("refused as it should be: " + text)
            done["refused"] = True
        moved = False
        for text in candidates(v, not done["drop"], not done["promotion"]):
            type_move(text)
            key("Return")
            result = wait_for(lambda a: a.number != v.number or a.typing.endswith(" なし") and a.board != v.board,
                              "no answer to %s" % text, 5)
            time.sleep(0.2)
            if result[0] == "view" and result[1].number == v.number:
                continue
            if result[0] == "box":
                title = result[2]
                answer(result[1])
                if title != "終了":
                    say("box \"%s\" after %s" % (title, text))
                    continue
                after = read()
                check_move(v, after, text)
                say("%s: the game is over: %s" % (text, after.canvas))
                return
            # COM replies in the same event: wait for the move number to settle on two more.
            kind, after, title = wait_for(lambda a: a.number >= v.number + 2, "COM did not reply to " + text, 120)
            if kind == "box":
                answer(after)
                after = read()
                check_move(v, after, text)
                say("%s: the game is over (%s): %s" % (text, title, after.canvas))
                return
            check_move(v, after, text)
            listen(0.5)
            if not any(after.moves[0] in h for h in HEARD):
                fail("no announcement of %s was heard: %s" % (after.moves[0], HEARD[-3:]))
            announced = HEARD[-1]
            HEARD.clear()
            if after.pieces() != 40:
                fail("after %s the tree counts %d pieces" % (text, after.pieces()))
            if "*" in text:
                done["drop"] = True
            if text.endswith("+"):
                done["promotion"] = True
            say("move %d %s: %s | heard \"%s\"" % (after.number, text, after.moves[0], announced))
            v = after
            moved = True
            break
        if not moved:
            fail("no typed move was taken at move %d" % v.number)
    for what, ok in done.items():
        if not ok:
            fail("the game had no %s" % what)
    say("30 moves made: " + " / ".join(v.names[i] for i in (81, 82, 83, 84, 87, 88)))


main()
