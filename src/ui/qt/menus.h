#pragma once
#include <QString>
#include <functional>
#include <map>
#include <string>

class QAction;
class QMenuBar;

// The game's menu bar, built from COMMANDS (ui/commands.h). A chosen item, and the opening of
// a title that tells it ("対局", "局面" and "ｵﾌﾟｼｮﾝ"), report their control name through `send`.
// Answers every action by control name, menu titles too.
std::map<std::string, QAction*> buildMenus(QMenuBar* bar,
                                           const std::function<void(const std::string&)>& send);
