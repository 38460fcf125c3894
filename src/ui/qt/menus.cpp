#include "ui/qt/menus.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "ui/commands.h"

namespace {

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

QString captionOf(const MenuCommand& c) {
    return QCoreApplication::translate("Torvane", c.caption, "menu");
}

}  // namespace

std::map<std::string, QAction*> buildMenus(QMenuBar* bar,
                                           const std::function<void(const std::string&)>& send) {
    std::map<std::string, QAction*> actions;
    QMenu* open[MENU_LEVELS] = {};  // the menu last opened on each level
    std::string reporting;          // the control of the current title, if it reports its opening
    for (const MenuCommand& c : COMMANDS) {
        const std::string control(c.control);
        if (c.separatorBefore) open[c.depth - 1]->addSeparator();
        QAction* action;
        if (c.isMenu()) {
            QMenu* menu = c.depth == 0 ? bar->addMenu(captionOf(c))
                                       : open[c.depth - 1]->addMenu(captionOf(c));
            open[c.depth] = menu;
            action = menu->menuAction();
            if (c.depth == 0) reporting = c.kind == MenuKind::TellTitle ? control : "";
            if (c.kind == MenuKind::TellTitle)
                QObject::connect(menu, &QMenu::aboutToShow, menu,
                                 [send, control] { send(control); });
        } else {
            action = c.depth == 0 ? bar->addAction(captionOf(c))
                                  : open[c.depth - 1]->addAction(captionOf(c));
            action->setCheckable(c.kind == MenuKind::Check);
            QObject::connect(action, &QAction::triggered, action,
                             [send, control] { send(control); });
            if (!c.keys.empty()) {
                action->setShortcut(QKeySequence::fromString(
                    QString::fromUtf8(c.keys.data(), qsizetype(c.keys.size())),
                    QKeySequence::PortableText));
                // A title's own item is reached through the title; a bar item stands alone.
                if (!reporting.empty() && c.depth > 0)
                    action->installEventFilter(
                        new OpenTitleFirst(action, send, reporting, control));
            }
        }
        action->setObjectName(QString::fromStdString(control));
        actions[control] = action;
    }
    return actions;
}
