#include "ui/qt/menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

class Builder {
public:
    Builder(QMenuBar* bar, const std::function<void(const std::string&)>& send)
        : bar_(bar), send_(send) {}

    // A title on the bar; some tell the game when they are opened.
    QMenu* title(const char* caption, const char* control, bool reportsOpening) {
        QMenu* menu = bar_->addMenu(QString::fromUtf8(caption));
        name(menu->menuAction(), control);
        if (reportsOpening) {
            std::string c = control;
            auto send = send_;
            QObject::connect(menu, &QMenu::aboutToShow, menu, [send, c] { send(c); });
        }
        return menu;
    }

    QMenu* submenu(QMenu* parent, const char* caption, const char* control) {
        QMenu* menu = parent->addMenu(QString::fromUtf8(caption));
        name(menu->menuAction(), control);
        return menu;
    }

    template <class Owner>
    QAction* item(Owner* owner, const char* caption, const char* control, bool checkable = false) {
        QAction* action = owner->addAction(QString::fromUtf8(caption));
        action->setCheckable(checkable);
        name(action, control);
        std::string c = control;
        auto send = send_;
        QObject::connect(action, &QAction::triggered, action, [send, c] { send(c); });
        return action;
    }

    std::map<std::string, QAction*> actions;

private:
    void name(QAction* action, const char* control) {
        action->setObjectName(QString::fromUtf8(control));
        actions[control] = action;
    }

    QMenuBar* bar_;
    std::function<void(const std::string&)> send_;
};

}  // namespace

std::map<std::string, QAction*> buildMenus(QMenuBar* bar,
                                           const std::function<void(const std::string&)>& send) {
    Builder b(bar, send);

    QMenu* game = b.title("対局", "TAIKYOKU", true);
    b.item(b.submenu(game, "対局(人間)", "MATCH_MAN"), "スタート", "START");
    QMenu* com = b.submenu(game, "対局(COM)", "START2");
    b.item(com, "先手", "SENTE");
    b.item(com, "後手", "GOTE");
    QMenu* level = b.submenu(game, "COM対局ﾚﾍﾞﾙ", "LEVEL");
    b.item(level, "ﾚﾍﾞﾙ1", "LEVEL1", true);
    b.item(level, "ﾚﾍﾞﾙ2", "LEVEL2", true);
    b.item(level, "ﾚﾍﾞﾙ3", "LEVEL3", true);
    game->addSeparator();
    b.item(game, "終わり", "OWARI");

    b.item(bar, "戻", "REPLAY");
    b.item(bar, "進", "AFTER");

    QMenu* position = b.title("局面", "STOP", true);
    b.item(position, "最初", "CANCEL");
    b.item(position, "反転", "REVERSE");

    QMenu* record = b.title("棋譜", "KIFU", false);
    b.item(record, "読込", "KIFU_READ");
    b.item(record, "書込", "KIFU_WRITE");

    QMenu* options = b.title("ｵﾌﾟｼｮﾝ", "OPTION", true);
    QMenu* background = b.submenu(options, "背景画", "HAIKEI_GA");
    b.item(background, "緑", "MIDORI", true);
    b.item(background, "畳", "TATAMI", true);
    b.item(background, "竹", "TAKE", true);
    b.item(background, "宇宙", "UCHU", true);
    b.item(background, "煉瓦", "RENGA", true);
    b.item(options, "移動指導", "SIDOU", true);
    b.item(options, "経過時間", "KEIKA", true);
    b.item(options, "BGM", "BGM", true);

    QMenu* handicap = b.title("ﾊﾝﾃﾞｨｷｬｯﾌﾟ", "HANDE", false);
    b.item(handicap, "上げる", "LBEL_UP");
    b.item(handicap, "下げる", "LEBEL_DOWN");

    QMenu* other = b.title("その他", "SONOTA", false);
    b.item(other, "解説", "KAISETU");
    b.item(other, "バージョン情報", "VER");

    return std::move(b.actions);
}
