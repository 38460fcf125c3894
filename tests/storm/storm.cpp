// The random-event storm: the real main window with the real game behind it, wired as the
// program wires it, driven by a seeded generator through clicks, menus, the record panel,
// message boxes and clock ticks, with the game's state checked after every event.
#include "storm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QTreeWidget>
#include <QUrl>
#include <array>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <vector>

#include "../temp_dir.h"
#include "app/wiring.h"
#include "state_checks.h"
#include "ui/commands.h"
#include "ui/qt/canvas.h"
#include "ui/qt/main_window.h"
#include "ui/qt/sound_backend.h"

namespace {

// Every command of the menus by its control, titles and submenus included; the one that ends
// the program is kept for the end.
const std::vector<std::string> CONTROLS = [] {
    std::vector<std::string> out;
    for (const MenuCommand& c : COMMANDS)
        if (c.control != QUIT_COMMAND) out.emplace_back(c.control);
    return out;
}();

const std::vector<std::string> GAME_CONTROLS = {"START",  "SENTE", "GOTE",      "CANCEL",
                                                "REPLAY", "AFTER", "KIFU_READ", "KIFU_WRITE"};

// Record names typed into Text1: ordinary ones written again and again, and ones the game
// must refuse or fail on (empty, a path, a directory of that name, too long for the disk).
const QString LONG_NAME(250, QLatin1Char('n'));  // with ".棋譜", past 255 bytes
const QString LONG_KANJI_NAME(100, QChar(0x9577));
const std::vector<QString> NAMES = {"a", "b", "c",  "x y",  "",        "a/b",          "..",
                                    ".", "d", " a", "棋譜", LONG_NAME, LONG_KANJI_NAME};
const std::vector<QString> PLAYERS = {"", "名人", "COM", "a,b", "ｱﾏﾁｭｱ"};

constexpr int ANSWER_ATTEMPTS = 200;  // ticks a dialog may stay open before it counts as stuck
constexpr std::size_t TRAIL = 24;     // events kept for a failure report

// The sound library as a counter: every buffer it made, freed and the device ended.
class CountingSound final : public SoundBackend {
public:
    int initialize(long) override { return 1; }
    int createBuffer(int, std::string_view bytes, int) override {
        if (bytes.empty()) return 0;
        ++made;
        return 100 + made;
    }
    void play(int) override {}
    void loop(int) override {}
    void stop(int) override {}
    void free(int) override { ++freed; }
    void terminate(int) override { ++terminated; }
    int made = 0, freed = 0, terminated = 0;
};

// The real window with one change: the animations' waits can be cut to nothing.
class StormWindow final : public MainWindow {
public:
    using MainWindow::MainWindow;
    bool realWait = false;
    long waited = 0;  // waits that lasted their time
    void wait(double seconds) override {
        waited += realWait && seconds > 0;
        MainWindow::wait(realWait ? seconds : 0);
    }
};

QString path(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

// Typed as a player types it: Latin letters key by key, Japanese through the input method.
void type(QLineEdit* box, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClicks(box, QString(c));
        } else {
            QInputMethodEvent e;
            e.setCommitString(QString(c));
            QCoreApplication::sendEvent(box, &e);
        }
    }
}

class Storm {
public:
    Storm(const StormRun& run, const std::filesystem::path& dir)
        : run_(run), rng_(run.seed), noise_(run.seed ^ 0x9e3779b9u), dir_(dir) {
        window_.realWait = run.realWait;
    }

    StormReport go();

private:
    // The generator: a whole number 0..n-1, and a chance in percent.
    int pick(int n) { return int(rng_() % std::uint32_t(n)); }
    bool chance(int percent) { return pick(100) < percent; }
    template <class T>
    const T& any(const std::vector<T>& v) {
        return v[std::size_t(pick(int(v.size())))];
    }

    WindowHandlers counted(WindowHandlers h);
    void enter();
    void leave() { --depth_; }
    void fail(const std::string& what);
    void note(std::string what);

    void event();
    void clickTwips(double x, double y, Qt::MouseButton button);
    void clickCell(double col, double row, Qt::MouseButton button);
    Qt::MouseButton button();
    void aimed();
    std::vector<std::pair<int, int>> reach(int fx, int fy, int code) const;
    void menu(const std::string& control);
    void tick();
    void panel(bool opened = false);
    void typeName();
    void enterDirectory();
    void chooseDrive();
    void answer();
    void intrude(std::mt19937& gen);
    void end();

    StormRun run_;
    std::mt19937 rng_;
    std::mt19937 noise_;  // intrusions during real waits, whose number depends on the clock
    QElapsedTimer sinceIntrusion_;
    std::filesystem::path dir_;
    CountingSound sound_;
    StormWindow window_{&sound_};
    std::unique_ptr<State> state_ = std::make_unique<State>(window_);
    State& s = *state_;
    QTimer answerer_;
    // The dialog the answerer is working on. The boxes are shown again and again: a connection
    // to each showing's `destroyed` would pile up on a box that lives on.
    QPointer<QDialog> open_;
    int attempts_ = 0;
    int depth_ = 0;
    long handlerCalls_ = 0;
    long unloads_ = 0;
    enum class Mode { Mixed, Playing, Marathon };
    Mode mode_ = Mode::Mixed;
    int stretch_ = 0;  // blocks of 500 events left in this mode
    std::deque<std::string> trail_;
    StormReport report_;
};

// Browsing opens nothing: every page the game asks for is only counted.
class BrowserCatcher : public QObject {
    Q_OBJECT

public:
    std::vector<QUrl> opened;
    Q_INVOKABLE void open(const QUrl& url) { opened.push_back(url); }
};

WindowHandlers Storm::counted(WindowHandlers h) {
    auto guard = [this](auto f, const char* name) {
        long& calls = report_.counts[std::string("handler ") + name];
        return [this, f, &calls](auto&&... args) {
            ++calls;
            enter();
            f(std::forward<decltype(args)>(args)...);
            leave();
        };
    };
    WindowHandlers out;
    out.mouseDown = guard(h.mouseDown, "Form_MouseDown");
    out.keyPress = guard(h.keyPress, "Form_KeyPress");
    out.unload = [this, f = h.unload] {
        ++unloads_;
        enter();
        f();
        leave();
    };
    out.timer = guard(h.timer, "Timer1_Timer");
    out.menu = guard(h.menu, "メニュー選択");
    out.drive1Change = guard(h.drive1Change, "Drive1_Change");
    out.dir1Change = guard(h.dir1Change, "Dir1_Change");
    out.file1Click = guard(h.file1Click, "File1_Click");
    out.command1Click = guard(h.command1Click, "Command1_Click");
    return out;
}

void Storm::enter() {
    ++handlerCalls_;
    if (depth_++ > 0) fail("a handler was entered while another one ran");
}

void Storm::fail(const std::string& what) {
    if (!report_.fault.empty()) return;
    std::string text = what + "\n  after event " + std::to_string(report_.events) + " of seed " +
                       std::to_string(run_.seed) + "; the last events:";
    for (const std::string& e : trail_) text += "\n    " + e;
    report_.fault = text;
}

void Storm::note(std::string what) {
    trail_.push_back(std::to_string(report_.events) + ": " + std::move(what));
    if (trail_.size() > TRAIL) trail_.pop_front();
}

StormReport Storm::go() {
    BrowserCatcher browser;
    for (const char* scheme : {"file", "http", "https"})
        QDesktopServices::setUrlHandler(scheme, &browser, "open");

    window_.setHandlers(counted(gameHandlers(s)));
    sinceIntrusion_.start();
    answerer_.setInterval(0);
    QObject::connect(&answerer_, &QTimer::timeout, [this] { answer(); });
    answerer_.start();

    // As the program starts.
    window_.run([this] {
        enter();
        Form_Load(s);
        leave();
    });
    if (window_.quitting()) fail("the game ended while loading");
    window_.show();
    QCoreApplication::processEvents();
    for (const std::string& c : CONTROLS)
        if (!window_.action(c)) fail("no menu command " + c);
    if (std::string f = stateFault(s); !f.empty()) fail("after loading: " + f);

    if (!run_.first.empty()) {
        menu(run_.first);
        QCoreApplication::processEvents();
        if (std::string f = stateFault(s); !f.empty()) fail(f);
    }
    QElapsedTimer clock;
    clock.start();
    while (report_.fault.empty() && report_.events < run_.events) {
        if (report_.events % 500 == 0 && --stretch_ <= 0) {
            // Mostly a mix of everything; stretches of play; now and then a long game.
            const int r = pick(100);
            mode_ = r < 8 ? Mode::Marathon : r < 45 ? Mode::Playing : Mode::Mixed;
            stretch_ = mode_ == Mode::Marathon ? 5 : 1;
        }
        const int tesu = s.game.HYOUJI_TESU();
        const bool won = s.game.SHOUHAI() != 0;
        event();
        ++report_.events;
        QCoreApplication::processEvents();
        if (depth_ != 0) fail("an event was left unfinished");
        if (window_.quitting()) fail("the game ended in the middle of the storm");
        if (std::string f = stateFault(s); !f.empty()) fail(f);
        if (s.game.HYOUJI_TESU() > tesu)
            report_.counts["moves and steps forward"] += s.game.HYOUJI_TESU() - tesu;
        if (!won && s.game.SHOUHAI() != 0) ++report_.counts["kings taken or resignations"];
        if (s.game.TESU() > report_.counts["highest TESU"])
            report_.counts["highest TESU"] = s.game.TESU();
    }
    report_.seconds = clock.nsecsElapsed() / 1e9;
    if (report_.fault.empty()) end();

    answerer_.stop();
    for (const char* scheme : {"file", "http", "https"}) QDesktopServices::unsetUrlHandler(scheme);
    report_.counts["pages opened"] = long(browser.opened.size());
    report_.counts["real waits"] = window_.waited;
    for (const QUrl& url : browser.opened)
        if (!url.isLocalFile() || !url.toLocalFile().startsWith(path(dir_)))
            fail("a page outside the game's directory was opened: " + url.toString().toStdString());
    long records = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir_))
        records += e.is_regular_file() && e.path().extension() == ".棋譜";
    report_.counts["record files at the end"] = records;
    return report_;
}

void Storm::event() {
    // Weights in percent: everything, the stretches that mostly play, the long games.
    static constexpr std::array<int, 9> MIXED = {14, 12, 5, 26, 22, 8, 10, 2, 1};
    static constexpr std::array<int, 9> PLAYING = {4, 5, 3, 76, 5, 4, 2, 1, 0};
    static constexpr std::array<int, 9> MARATHON = {1, 1, 0, 96, 0, 2, 0, 0, 0};
    const auto& weights = mode_ == Mode::Mixed     ? MIXED
                          : mode_ == Mode::Playing ? PLAYING
                                                   : MARATHON;
    int r = pick(100), kind = 0;
    while (r >= weights[std::size_t(kind)]) r -= weights[std::size_t(kind++)];
    switch (kind) {
        case 0:  // anywhere on the canvas and around it
            clickTwips(-600 + pick(10800), -600 + pick(8400), button());
            break;
        case 1:  // a square of the board
            clickCell(1 + pick(9) + (1 + pick(8)) / 10.0, 1 + pick(9) + (1 + pick(8)) / 10.0,
                      button());
            break;
        case 2: {  // the stands and the cells beside them
            static constexpr int COLUMNS[6] = {-2, -1, 0, 10, 11, 12};
            clickCell(COLUMNS[pick(6)] + 0.5, pick(11) + 0.5, button());
            break;
        }
        case 3: aimed(); break;
        case 4:
            // Every command, and more often those that start, end and keep games.
            menu(chance(25) ? any(GAME_CONTROLS) : any(CONTROLS));
            break;
        case 5: tick(); break;
        case 6: panel(); break;
        case 7: {  // keys other than Esc reach the game; "5" begins a typed move
            static const char KEYS[] = "aZ5 q\r";
            const char k = KEYS[pick(6)];
            note(std::string("key ") + (k == '\r' ? "Return" : std::string(1, k)));
            QTest::keyClick(window_.canvas(),
                            k == '\r' ? Qt::Key_Return : Qt::Key(QChar(k).toUpper().unicode()));
            break;
        }
        default: {  // another size: the canvas and the panel follow
            QSize size(320 + pick(1000), 260 + pick(700));
            note("resize " + std::to_string(size.width()) + "x" + std::to_string(size.height()));
            window_.resize(size);
            break;
        }
    }
}

Qt::MouseButton Storm::button() {
    const int r = pick(100);
    return r < 55 ? Qt::LeftButton : r < 92 ? Qt::RightButton : Qt::MiddleButton;
}

void Storm::clickTwips(double x, double y, Qt::MouseButton b) {
    const char* name = b == Qt::LeftButton ? "left" : b == Qt::RightButton ? "right" : "middle";
    note(std::string("click ") + name + " " + std::to_string(int(x)) + "," +
         std::to_string(int(y)) + " twips");
    CanvasWidget* canvas = window_.canvas();
    QTest::mouseClick(canvas, b, {}, canvas->toPixels(QPointF(x, y)).toPoint());
}

void Storm::clickCell(double col, double row, Qt::MouseButton b) {
    clickTwips(1050 + 495 * col, 100 + 615 * row, b);
}

// A click a player would make: a piece of the side to move, or a square that piece may well
// reach, so that games go on long enough to capture, promote, drop and end.
void Storm::aimed() {
    const auto& g = s.game;
    const auto& p = s.pos;
    if (g.KIFU_MODE()) {
        const int r = pick(100);
        menu(r < 60 ? "AFTER" : r < 70 ? "SENTE" : r < 80 ? "GOTE" : "CANCEL");
        return;
    }
    if (g.TEBAN() == 0 || g.SHOUHAI() != 0) {
        // A new game; the long ones between people, as COM ends them soon. A game drawn at
        // the end of the history goes on from there until 最初.
        if (g.TESU() == TESU_MAX && chance(50)) {
            menu("CANCEL");
            return;
        }
        const int r = pick(100);
        menu(r < (mode_ == Mode::Marathon ? 80 : 40) ? "START" : r < 90 ? "SENTE" : "GOTE");
        return;
    }
    const int sign = g.mover() == Side::MAN ? -1 : 1;
    const double inside = (2 + pick(6)) / 10.0;
    if (g.CLICK_JOUTAI() == 0 || chance(15)) {
        std::vector<std::pair<int, int>> own;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                if (p.board()[x][y] * sign >= 10) own.emplace_back(x, y);
        for (int k = 1; k <= 7; ++k) {
            if (sign < 0 && p.manHand()[k] > 0) own.emplace_back(MAN_DROP_X, k + 2);
            if (sign > 0 && p.comHand()[k] > 0) own.emplace_back(COM_DROP_X, 8 - k);
        }
        std::erase_if(own, [&](const std::pair<int, int>& sq) {
            return onBoard(sq.first, sq.second) &&
                   reach(sq.first, sq.second, p.board()[sq.first][sq.second]).empty();
        });
        if (own.empty()) own.emplace_back(5, 5);
        const auto [x, y] = any(own);
        clickCell(x + inside, y + inside, chance(90) ? Qt::LeftButton : Qt::RightButton);
        return;
    }
    std::vector<std::pair<int, int>> to = reach(s.play.MOTO_X, s.play.MOTO_Y, s.play.SENTAKU_KOMA);
    if (to.empty() || chance(10)) to.emplace_back(1 + pick(9), 1 + pick(9));
    const auto [x, y] = any(to);
    clickCell(x + inside, y + inside, button());
}

// The squares a piece reaches by the ordinary moves of shogi, stopping at pieces and leaving
// out its own side's; from a stand, every empty square. The game's own check decides.
std::vector<std::pair<int, int>> Storm::reach(int fx, int fy, int code) const {
    std::vector<std::pair<int, int>> out;
    const auto& ban = s.pos.board();
    if (!onBoard(fx, fy)) {
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                if (ban[x][y] == EMPTY) out.emplace_back(x, y);
        return out;
    }
    const int sign = code > 0 ? 1 : -1, f = sign;  // COM moves towards larger y
    // The long games spare the kings, so that they run into the end of the history.
    const bool spare = mode_ == Mode::Marathon;
    auto add = [&](int dx, int dy, bool slide) {
        for (int x = fx + dx, y = fy + dy; onBoard(x, y); x += dx, y += dy) {
            if (ban[x][y] * sign >= 10) return;
            if (!(spare && std::abs(ban[x][y]) == OU * 10)) out.emplace_back(x, y);
            if (ban[x][y] != EMPTY || !slide) return;
        }
    };
    const int a = code * sign;
    const bool gold = a == 50 || a == 11 || a == 21 || a == 31 || a == 41;
    if (a == 10) add(0, f, false);
    if (a == 20) add(0, f, true);
    if (a == 30) {
        add(1, 2 * f, false);
        add(-1, 2 * f, false);
    }
    if (a == 40 || gold || a == 80)
        for (int dx : {-1, 0, 1}) add(dx, f, false);
    if (a == 40 || a == 80) {
        add(-1, -f, false);
        add(1, -f, false);
    }
    if (gold || a == 80) {
        add(-1, 0, false);
        add(1, 0, false);
        add(0, -f, false);
    }
    for (int dx : {-1, 1})
        for (int dy : {-1, 1}) {
            if (a == 60 || a == 61) add(dx, dy, true);
            if (a == 71) add(dx, dy, false);
        }
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        if (a == 70 || a == 71) add(dx, dy, true);
        if (a == 61) add(dx, dy, false);
    }
    return out;
}

void Storm::menu(const std::string& control) {
    QAction* action = window_.action(control);
    if (QMenu* m = action->menu()) {
        note("open menu " + control);
        m->popup(window_.mapToGlobal(QPoint(10, 10)));
        m->hide();
    } else {
        note("menu " + control);
        action->trigger();
    }
}

// Timer1 ticks now rather than when 50 ms have passed, and only while it runs.
void Storm::tick() {
    auto* timer = window_.findChild<QTimer*>("Timer1");
    note(timer->isActive() ? "tick" : "tick (the timer is off)");
    if (!timer->isActive()) return;
    QTimerEvent e(timer->timerId());
    QCoreApplication::sendEvent(timer, &e);
}

void Storm::panel(bool opened) {
    auto* text1 = window_.findChild<QLineEdit*>("Text1");
    auto* files = window_.findChild<QListWidget*>("File1");
    auto* dirs = window_.findChild<QTreeWidget*>("Dir1");
    const bool made = text1 != nullptr;  // the window makes the panel when first opened
    if (made && text1->isVisible()) {
        const int r = pick(100);
        if (r < 45) {
            typeName();
        } else if (r < 65) {
            auto* box = window_.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(2 + pick(3)));
            const QString& name = any(PLAYERS);
            note("type \"" + name.toStdString() + "\" into " + box->objectName().toStdString());
            box->clear();
            type(box, name);
            if (chance(30)) QTest::keyClick(box, Qt::Key_Return);
        } else if (r < 80) {
            note("press RETURN");
            QTest::mouseClick(window_.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        } else if (r < 85) {
            // Esc belongs to the panel while a name is typed: the game goes on.
            auto* box = window_.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(1 + pick(4)));
            note("Esc in " + box->objectName().toStdString());
            QTest::keyClick(box, Qt::Key_Escape);
        } else if (r < 90) {
            chooseDrive();
        } else {
            enterDirectory();
        }
    } else if (made && files->isVisible() && files->count() > 0 && chance(75)) {
        QListWidgetItem* item = files->item(pick(files->count()));
        files->scrollToItem(item);
        if (chance(80)) {
            note("click the file " + item->text().toStdString());
            QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                              files->visualItemRect(item).center());
        } else {
            note("Enter on the file " + item->text().toStdString());
            files->setCurrentItem(item);
            QTest::keyClick(files, Qt::Key_Return);
        }
    } else if (made && dirs->isVisible() && chance(50)) {
        if (chance(20))
            chooseDrive();
        else
            enterDirectory();
    } else if (opened) {
        note("the panel stayed closed");
    } else {
        // Opened, and used at once, before a click elsewhere closes it again.
        menu(chance(65) ? "KIFU_WRITE" : "KIFU_READ");
        QCoreApplication::processEvents();
        panel(true);
    }
}

void Storm::typeName() {
    auto* text1 = window_.findChild<QLineEdit*>("Text1");
    const QString& name = any(NAMES);
    note("type the name \"" + name.left(12).toStdString() + (name.size() > 12 ? "…" : "") +
         "\" and press Enter");
    text1->clear();
    if (name.size() > 20)
        text1->setText(name);  // typing them is slow and proves nothing more
    else
        type(text1, name);
    QTest::keyClick(text1, Qt::Key_Return);
}

// The drive that is the storm's own home directory (the root and the mounted volumes are
// not the storm's to write in), chosen as the list reports a choice.
void Storm::chooseDrive() {
    auto* drives = window_.findChild<QComboBox*>("Drive1");
    const int i = drives->findData(path(dir_));
    note(i < 0 ? "no drive of the storm's own" : "choose the home drive");
    if (i < 0) return;
    drives->setCurrentIndex(i);
    emit drives->activated(i);
}

// Into a directory of the storm's own (never above it: the records stay in the storm's
// directory), with Enter as the list takes it.
void Storm::enterDirectory() {
    auto* dirs = window_.findChild<QTreeWidget*>("Dir1");
    QTreeWidgetItem* current = dirs->currentItem();
    std::vector<QTreeWidgetItem*> candidates;
    const QString top = path(dir_);
    auto mine = [&](QTreeWidgetItem* item) {
        return item && item->data(0, Qt::UserRole).toString().startsWith(top) &&
               (item->flags() & Qt::ItemIsEnabled);
    };
    if (current) {
        if (mine(current)) candidates.push_back(current);
        if (mine(current->parent())) candidates.push_back(current->parent());
        for (int i = 0; i < current->childCount(); ++i)
            if (mine(current->child(i))) candidates.push_back(current->child(i));
    }
    if (candidates.empty()) {
        note("no directory to enter");
        return;
    }
    QTreeWidgetItem* item = any(candidates);
    note("enter the directory " +
         item->data(0, Qt::UserRole).toString().mid(top.size()).toStdString());
    dirs->setCurrentItem(item);
    QTest::keyClick(dirs, Qt::Key_Return);
}

// The answerer: whatever modal dialog is open gets a random answer, a button, Esc or the
// close button, within a few ticks. Sometimes it first tries to slip another event in.
void Storm::answer() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) {
        // Inside a real wait: clicks, menus and ticks must all be dropped.
        if (depth_ > 0 && run_.realWait && sinceIntrusion_.hasExpired(10)) {
            sinceIntrusion_.start();
            intrude(noise_);
        }
        return;
    }
    if (dialog != open_) {
        // Boxes may live on the stack, or be shown again: the next one may come at the same
        // address.
        open_ = dialog;
        attempts_ = 0;
        QObject::connect(
            dialog, &QDialog::finished, &answerer_, [this] { open_ = nullptr; },
            Qt::SingleShotConnection);
        std::string text = dialog->windowTitle().toStdString();
        if (auto* box = qobject_cast<QMessageBox*>(dialog))
            text = box->text().section(QLatin1Char('\n'), 0, 0).toStdString();
        ++report_.counts["box: " + text];
        note("box \"" + text + "\"");
    }
    if (++attempts_ > ANSWER_ATTEMPTS) {
        fail("a dialog would not close: " + dialog->windowTitle().toStdString());
        dialog->done(0);
        return;
    }
    if (chance(15)) intrude(rng_);
    if (QApplication::activeModalWidget() != dialog) return;
    const int r = pick(100);
    if (r < 70) {
        QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
        if (buttons.isEmpty()) return;
        QPushButton* b = buttons[pick(int(buttons.size()))];
        note("answer " + b->text().toStdString());
        b->click();
    } else if (r < 85) {
        note("answer Esc");
        QTest::keyClick(dialog, Qt::Key_Escape);
    } else {
        note("answer with the close button");
        dialog->close();
    }
}

// An event while another one is handled: it must not reach the game.
void Storm::intrude(std::mt19937& gen) {
    const long before = handlerCalls_;
    switch (gen() % 4) {
        case 0: {
            CanvasWidget* canvas = window_.canvas();
            QTest::mouseClick(
                canvas, gen() % 2 ? Qt::LeftButton : Qt::RightButton, {},
                canvas->toPixels(QPointF(1050 + 495 * 5.5, 100 + 615 * 5.5)).toPoint());
            break;
        }
        case 1: window_.action(CONTROLS[gen() % CONTROLS.size()])->trigger(); break;
        case 2: {
            auto* timer = window_.findChild<QTimer*>("Timer1");
            if (timer->isActive()) {
                QTimerEvent e(timer->timerId());
                QCoreApplication::sendEvent(timer, &e);
            }
            break;
        }
        default: QTest::keyClick(window_.canvas(), Qt::Key_A); break;
    }
    ++report_.counts["events slipped in while busy"];
    if (handlerCalls_ != before) fail("an event reached the game while another was handled");
}

// Esc, the close button or 終わり: the program ends cleanly, once.
void Storm::end() {
    const int way = pick(3);
    note(way == 0 ? "Esc" : way == 1 ? "close the window" : "menu OWARI");
    if (way == 0) {
        // The first Esc clears a move half typed ("5"); only the next one ends the program.
        if (!s.typing.empty()) QTest::keyClick(window_.canvas(), Qt::Key_Escape);
        QTest::keyClick(window_.canvas(), Qt::Key_Escape);
    } else if (way == 1)
        window_.close();
    else
        window_.action("OWARI")->trigger();
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    if (!window_.quitting() || window_.isVisible()) fail("the program did not end");
    // Nothing reaches the game any more, and a second close changes nothing.
    const long calls = handlerCalls_;
    window_.close();
    clickCell(5.5, 5.5, Qt::LeftButton);
    QTest::keyClick(window_.canvas(), Qt::Key_Escape);
    window_.action("SENTE")->trigger();
    QCoreApplication::processEvents();
    if (handlerCalls_ != calls) fail("an event reached the game after the end");
    if (unloads_ > 1) fail("the window was unloaded twice");
    if (sound_.terminated != 1 || sound_.freed != sound_.made || !s.play.soundReleased)
        fail("the sounds were not released once: " + std::to_string(sound_.made) + " made, " +
             std::to_string(sound_.freed) + " freed, device ended " +
             std::to_string(sound_.terminated) + " times");
    if (std::string f = stateFault(s); !f.empty()) fail("at the end: " + f);
}

// The current directory of the program for the life of one storm.
class InDirectory {
public:
    explicit InDirectory(const std::filesystem::path& dir) : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~InDirectory() { std::filesystem::current_path(old_); }
    InDirectory(const InDirectory&) = delete;
    InDirectory& operator=(const InDirectory&) = delete;

private:
    std::filesystem::path old_;
};

// The home directory, which the drive list offers, is the storm's directory too.
class HomeDirectory {
public:
    explicit HomeDirectory(const std::filesystem::path& dir) : old_(qgetenv("HOME")) {
        qputenv("HOME", QByteArray::fromStdString(dir.string()));
    }
    ~HomeDirectory() { qputenv("HOME", old_); }
    HomeDirectory(const HomeDirectory&) = delete;
    HomeDirectory& operator=(const HomeDirectory&) = delete;

private:
    QByteArray old_;
};

}  // namespace

StormReport runStorm(const StormRun& run) {
    TempDir dir;
    // The program's own files beside it: the sounds (any bytes do for the counting library),
    // the help page, a directory to enter and one that stands where a record would go.
    for (const char* wave : {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav", "消滅.wav"})
        TempDir::write(dir / wave, "RIFF");
    TempDir::write(dir / "Torvane.htm", "<html></html>\n");
    std::filesystem::create_directories(dir / "sub");
    std::filesystem::create_directories(dir / "d.棋譜");
    InDirectory here(dir.path());
    HomeDirectory home(dir.path());
    Storm storm(run, dir.path());
    return storm.go();
}

#include "storm.moc"
