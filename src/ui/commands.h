#pragma once
#include <cstddef>
#include <iterator>
#include <string_view>

// What an entry of the menu bar is.
enum class MenuKind {
    Title,      // a menu on the bar
    TellTitle,  // a menu on the bar that tells the game when it is opened
    Submenu,    // a menu under a title
    Item,       // a command
    Check,      // a command with a check mark
};

inline constexpr int MENU_LEVELS = 3;  // the bar, the menu under a title, a submenu

// One entry of the menu bar, named by its control.
struct MenuCommand {
    std::string_view control;
    const char* caption;  // translated at the window
    MenuKind kind;
    int depth;                   // 0 on the bar, 1 under a title, 2 under a submenu
    std::string_view keys = {};  // a shortcut in Qt's portable text
    bool separatorBefore = false;

    constexpr bool isMenu() const {
        return kind == MenuKind::Title || kind == MenuKind::TellTitle || kind == MenuKind::Submenu;
    }
};

// Every entry of the menu bar in the order it shows, each under the last menu one level up.
// The window builds its menus from it, the game dispatches by it, the tests choose from it.
inline constexpr MenuCommand COMMANDS[] = {
    {"TAIKYOKU", "対局", MenuKind::TellTitle, 0},
    {"MATCH_MAN", "対局(人間)", MenuKind::Submenu, 1},
    {"START", "スタート", MenuKind::Item, 2, "Ctrl+H"},
    {"START2", "対局(COM)", MenuKind::Submenu, 1},
    {"SENTE", "先手", MenuKind::Item, 2, "Ctrl+N"},
    {"GOTE", "後手", MenuKind::Item, 2, "Ctrl+G"},
    {"LEVEL", "COM対局ﾚﾍﾞﾙ", MenuKind::Submenu, 1},
    {"LEVEL1", "ﾚﾍﾞﾙ1", MenuKind::Check, 2},
    {"LEVEL2", "ﾚﾍﾞﾙ2", MenuKind::Check, 2},
    {"LEVEL3", "ﾚﾍﾞﾙ3", MenuKind::Check, 2},
    {"OWARI", "終わり", MenuKind::Item, 1, "Ctrl+Q", true},
    {"REPLAY", "戻", MenuKind::Item, 0, "Left"},
    {"AFTER", "進", MenuKind::Item, 0, "Right"},
    {"STOP", "局面", MenuKind::TellTitle, 0},
    {"CANCEL", "最初", MenuKind::Item, 1, "Home"},
    {"REVERSE", "反転", MenuKind::Item, 1, "Ctrl+R"},
    {"KIFU", "棋譜", MenuKind::Title, 0},
    {"KIFU_READ", "読込", MenuKind::Item, 1, "Ctrl+O"},
    {"KIFU_WRITE", "書込", MenuKind::Item, 1, "Ctrl+S"},
    {"KIFU_ZENKAI", "前回", MenuKind::Item, 1, "Ctrl+L"},
    {"OPTION", "ｵﾌﾟｼｮﾝ", MenuKind::TellTitle, 0},
    {"HAIKEI_GA", "背景画", MenuKind::Submenu, 1},
    {"MIDORI", "緑", MenuKind::Check, 2},
    {"TATAMI", "畳", MenuKind::Check, 2},
    {"TAKE", "竹", MenuKind::Check, 2},
    {"UCHU", "宇宙", MenuKind::Check, 2},
    {"RENGA", "煉瓦", MenuKind::Check, 2},
    {"SIDOU", "移動指導", MenuKind::Check, 1},
    {"KEIKA", "経過時間", MenuKind::Check, 1},
    {"BGM", "BGM", MenuKind::Check, 1},
    {"HANDE", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ", MenuKind::Title, 0},
    {"LBEL_UP", "上げる", MenuKind::Item, 1},
    {"LEBEL_DOWN", "下げる", MenuKind::Item, 1},
    {"SONOTA", "その他", MenuKind::Title, 0},
    {"KAISETU", "解説", MenuKind::Item, 1, "F1"},
    {"VER", "バージョン情報", MenuKind::Item, 1},
};

// Each entry hangs under a menu one level up, and no control is named twice.
consteval bool wellFormed() {
    int menuDepth = -1;  // the deepest menu still open
    for (std::size_t i = 0; i < std::size(COMMANDS); ++i) {
        const MenuCommand& c = COMMANDS[i];
        if (c.depth > menuDepth + 1 || c.depth >= MENU_LEVELS) return false;
        if ((c.depth == 0) != (c.kind == MenuKind::Title || c.kind == MenuKind::TellTitle) &&
            c.isMenu())
            return false;
        menuDepth = c.isMenu() ? c.depth : c.depth - 1;
        for (std::size_t j = 0; j < i; ++j)
            if (COMMANDS[j].control == c.control) return false;
    }
    return true;
}
static_assert(wellFormed());

// The command that ends the program: chosen last, or never, by those who try every command.
inline constexpr std::string_view QUIT_COMMAND = "OWARI";
