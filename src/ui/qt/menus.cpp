#include "ui/qt/menus.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace {

// The keys of the commands players use most.
const std::map<std::string, QKeySequence> SHORTCUTS = {
    {"REPLAY", QKeySequence(Qt::Key_Left)},
    {"AFTER", QKeySequence(Qt::Key_Right)},
    {"CANCEL", QKeySequence(Qt::Key_Home)},
    {"REVERSE", QKeySequence(Qt::CTRL | Qt::Key_R)},
    {"SENTE", QKeySequence(Qt::CTRL | Qt::Key_N)},
    {"GOTE", QKeySequence(Qt::CTRL | Qt::Key_G)},
    {"START", QKeySequence(Qt::CTRL | Qt::Key_H)},
    {"KIFU_READ", QKeySequence(Qt::CTRL | Qt::Key_O)},
    {"KIFU_WRITE", QKeySequence(Qt::CTRL | Qt::Key_S)},
    {"KIFU_ZENKAI", QKeySequence(Qt::CTRL | Qt::Key_L)},
    {"KAISETU", QKeySequence(Qt::Key_F1)},
    {"OWARI", QKeySequence(Qt::CTRL | Qt::Key_Q)},
};

// A shortcut of an item under a title that reports its opening reports that title first,
// as the player who opens the menu and chooses the item does: the game sees the same calls.
class OpenTitleFirst : public QObject {
public:
    OpenTitleFirst(QObject* parent, std::function<void(const std::string&)> send, std::string title,
                   std::string item)
        : QObject(parent), send_(std::move(send)), title_(std::move(title)),
          item_(std::move(item)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Shortcut) return false;
        // With a menu open its title has been reported already.
        if (!QApplication::activePopupWidget()) send_(title_);
        send_(item_);
        return true;
    }

private:
    std::function<void(const std::string&)> send_;
    std::string title_, item_;
};

class Builder {
public:
    Builder(QMenuBar* bar, const std::function<void(const std::string&)>& send)
        : bar_(bar), send_(send) {}

    // A title on the bar; some tell the game when they are opened.
    QMenu* title(const char* caption, const char* control, bool reportsOpening) {
        QMenu* menu = bar_->addMenu(QCoreApplication::translate("Torvane", caption, "menu"));
        name(menu->menuAction(), control);
        reporting_ = reportsOpening ? control : "";
        if (reportsOpening) {
            std::string c = control;
            auto send = send_;
            QObject::connect(menu, &QMenu::aboutToShow, menu, [send, c] { send(c); });
        }
        return menu;
    }

    QMenu* submenu(QMenu* parent, const char* caption, const char* control) {
        QMenu* menu = parent->addMenu(QCoreApplication::translate("Torvane", caption, "menu"));
        name(menu->menuAction(), control);
        return menu;
    }

    template <class Owner>
    QAction* item(Owner* owner, const char* caption, const char* control, bool checkable = false) {
        QAction* action = owner->addAction(QCoreApplication::translate("Torvane", caption, "menu"));
        action->setCheckable(checkable);
        name(action, control);
        std::string c = control;
        auto send = send_;
        QObject::connect(action, &QAction::triggered, action, [send, c] { send(c); });
        if (auto key = SHORTCUTS.find(c); key != SHORTCUTS.end()) {
            action->setShortcut(key->second);
            // A title's own item is reached through the title; a bar item stands alone.
            if (!reporting_.empty() && static_cast<QObject*>(owner) != bar_)
                action->installEventFilter(new OpenTitleFirst(action, send_, reporting_, c));
        }
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
    std::string reporting_;  // the control of the current title, if it reports its opening
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
    b.item(record, "前回", "KIFU_ZENKAI");

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
