// The main window: menus, check marks, message boxes, the version box, the wait, the timer,
// closing, placement and the sound buffers.
#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTime>
#include <QTimer>

#include <xcb/xcb.h>

#include "app/desktop.h"
#include "test_artwork.h"
#include "ui/qt/canvas_ops.h"
#include "ui/qt/fonts.h"
#include "ui/qt/sound_backend.h"
#include "ui/qt/version_box.h"
#include "ui/qt/window_close_watch.h"
#include "window_fixture.h"

namespace {

// The menu tree as one line: caption[control], * when checkable, {children}, - a separator.
std::string describe(const QList<QAction*>& actions) {
    std::string out;
    for (QAction* a : actions) {
        if (!out.empty()) out += " ";
        if (a->isSeparator()) {
            out += "-";
            continue;
        }
        out += a->text().toStdString() + "[" + a->objectName().toStdString() + "]";
        if (!a->shortcut().isEmpty()) out += "<" + a->shortcut().toString().toStdString() + ">";
        if (a->isCheckable()) out += "*";
        if (a->menu()) out += "{" + describe(a->menu()->actions()) + "}";
    }
    return out;
}

// Answers the next modal box from inside its own event loop.
template <class Box, class F>
void answerNext(F answer) {
    QTimer::singleShot(0, [answer] {
        auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        answer(*box);
    });
}

QAbstractButton* buttonCaptioned(QWidget& box, const QString& caption) {
    for (auto* b : box.findChildren<QAbstractButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

class RecordingSound : public SoundBackend {
public:
    std::vector<std::string> calls;
    int next = 100;
    int initialize(long) override {
        calls.push_back("initialize");
        return 7;
    }
    int createBuffer(int device, std::string_view bytes, int flag) override {
        // An empty file makes no buffer.
        calls.push_back("create " + std::to_string(device) + " " + std::to_string(bytes.size()) +
                        " " + std::to_string(flag));
        return bytes.empty() ? 0 : ++next;
    }
    void play(int b) override { calls.push_back("play " + std::to_string(b)); }
    void loop(int b) override { calls.push_back("loop " + std::to_string(b)); }
    void stop(int b) override { calls.push_back("stop " + std::to_string(b)); }
    void free(int b) override { calls.push_back("free " + std::to_string(b)); }
    void terminate(int d) override { calls.push_back("terminate " + std::to_string(d)); }
};

}  // namespace

TEST_F(WindowTest, TheMenusReadAsTheGameNamesThem) {
    EXPECT_EQ(window.windowTitle(), "Torvane");
    EXPECT_EQ(describe(window.menuBar()->actions()),
              "対局[TAIKYOKU]{対局(人間)[MATCH_MAN]{スタート[START]<Ctrl+H>} "
              "対局(COM)[START2]{先手[SENTE]<Ctrl+N> 後手[GOTE]<Ctrl+G>} "
              "COM対局ﾚﾍﾞﾙ[LEVEL]{ﾚﾍﾞﾙ1[LEVEL1]* ﾚﾍﾞﾙ2[LEVEL2]* ﾚﾍﾞﾙ3[LEVEL3]*} - "
              "終わり[OWARI]<Ctrl+Q>} "
              "戻[REPLAY]<Left> 進[AFTER]<Right> "
              "局面[STOP]{最初[CANCEL]<Home> 反転[REVERSE]<Ctrl+R>} "
              "棋譜[KIFU]{読込[KIFU_READ]<Ctrl+O> 書込[KIFU_WRITE]<Ctrl+S> "
              "前回[KIFU_ZENKAI]<Ctrl+L>} "
              "ｵﾌﾟｼｮﾝ[OPTION]{背景画[HAIKEI_GA]{緑[MIDORI]* 畳[TATAMI]* 竹[TAKE]* 宇宙[UCHU]* "
              "煉瓦[RENGA]*} 移動指導[SIDOU]* 経過時間[KEIKA]* BGM[BGM]*} "
              "ﾊﾝﾃﾞｨｷｬｯﾌﾟ[HANDE]{上げる[LBEL_UP] 下げる[LEBEL_DOWN]} "
              "その他[SONOTA]{解説[KAISETU]<F1> バージョン情報[VER]}");
}

// A shortcut reaches the game as opening the item's menu and choosing the item would; F10
// opens the first menu.
TEST_F(WindowTest, KeysChooseWhatTheMenusWould) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::vector<std::string> sent;
    } keys[] = {
        {Qt::Key_Left, {}, {"menu REPLAY"}},
        {Qt::Key_Right, {}, {"menu AFTER"}},
        {Qt::Key_Home, {}, {"menu STOP", "menu CANCEL"}},
        {Qt::Key_R, Qt::ControlModifier, {"menu STOP", "menu REVERSE"}},
        {Qt::Key_N, Qt::ControlModifier, {"menu TAIKYOKU", "menu SENTE"}},
        {Qt::Key_G, Qt::ControlModifier, {"menu TAIKYOKU", "menu GOTE"}},
        {Qt::Key_H, Qt::ControlModifier, {"menu TAIKYOKU", "menu START"}},
        {Qt::Key_O, Qt::ControlModifier, {"menu KIFU_READ"}},
        {Qt::Key_L, Qt::ControlModifier, {"menu KIFU_ZENKAI"}},
        {Qt::Key_S, Qt::ControlModifier, {"menu KIFU_WRITE"}},
        {Qt::Key_F1, {}, {"menu KAISETU"}},
        {Qt::Key_Q, Qt::ControlModifier, {"menu TAIKYOKU", "menu OWARI"}},
        {Qt::Key_A, {}, {"key 97"}},  // any other key goes to the board, which ignores it
    };
    for (const auto& k : keys) {
        log.clear();
        QTest::keyClick(&canvas(), Qt::Key(k.key), k.modifiers);
        EXPECT_EQ(log, k.sent) << QKeySequence(k.key | k.modifiers).toString().toStdString();
    }
    // Only a key of one ASCII character reaches the board.
    const std::pair<QString, std::vector<std::string>> texts[] = {
        {QString(QChar(0x7F)), {"key 127"}}, {QString(QChar(0x80)), {}}, {"ab", {}}};
    for (const auto& [text, sent] : texts) {
        log.clear();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(&canvas(), &press);
        EXPECT_EQ(log, sent) << text.size();
    }

    log.clear();
    QTest::keyClick(&canvas(), Qt::Key_F10);
    QMenu* first = window.action("TAIKYOKU")->menu();
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(log, std::vector<std::string>{"menu TAIKYOKU"});
    first->hide();
}

// With the menu bar active, the arrows move along it and Esc leaves it: 戻, 進 and the end
// of the program wait until it is left. No command leaves the bar highlighted.
TEST_F(WindowTest, TheActiveMenuBarKeepsItsKeys) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QMenuBar* bar = window.menuBar();
    auto activate = [&] {
        bar->setFocus(Qt::MenuBarFocusReason);
        bar->setActiveAction(window.action("STOP"));
        if (QMenu* open = window.action("STOP")->menu(); open->isVisible()) open->hide();
        bar->setActiveAction(window.action("STOP"));
        QCoreApplication::processEvents();
    };
    activate();
    if (QWidget* popup = QApplication::activePopupWidget()) popup->hide();
    // The bar claims its arrows and Esc before any shortcut can take them, and no other key.
    for (const auto& [key, claimed] : {std::pair{Qt::Key_Left, true},
                                       {Qt::Key_Right, true},
                                       {Qt::Key_Escape, true},
                                       {Qt::Key_N, false}}) {
        QKeyEvent override(QEvent::ShortcutOverride, key, Qt::NoModifier);
        override.ignore();
        QCoreApplication::sendEvent(bar, &override);
        EXPECT_EQ(override.isAccepted(), claimed) << key;
    }
    activate();
    log.clear();
    QTest::keyClick(bar, Qt::Key_Left);
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(std::count(log.begin(), log.end(), "menu REPLAY"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "menu AFTER"), 0);
    // Esc leaves the bar, not the program; the next Esc is the game's.
    if (QWidget* popup = QApplication::activePopupWidget()) popup->hide();
    activate();
    log.clear();
    QTest::keyClick(bar, Qt::Key_Escape);
    EXPECT_EQ(log, std::vector<std::string>{});
    EXPECT_EQ(bar->activeAction(), nullptr);
    EXPECT_TRUE(canvas().hasFocus());
    QTest::keyClick(&canvas(), Qt::Key_Escape);
    EXPECT_EQ(log, std::vector<std::string>{"key 27"});
    // A command run from the active bar leaves no highlight.
    activate();
    window.action("REVERSE")->trigger();
    EXPECT_EQ(bar->activeAction(), nullptr);
    EXPECT_TRUE(canvas().hasFocus());
}

TEST_F(WindowTest, ItemsSendTheirControlAndSomeTitlesTheirOpening) {
    for (const char* c : {"SENTE", "REPLAY", "AFTER", "REVERSE", "KIFU_WRITE", "LEBEL_DOWN", "VER"})
        window.action(c)->trigger();
    for (const char* title : {"TAIKYOKU", "STOP", "KIFU", "OPTION", "HANDE", "SONOTA"}) {
        QMenu* menu = window.action(title)->menu();
        menu->popup(window.mapToGlobal(QPoint(10, 10)));
        menu->hide();
    }
    EXPECT_EQ(log,
              (std::vector<std::string>{"menu SENTE", "menu REPLAY", "menu AFTER", "menu REVERSE",
                                        "menu KIFU_WRITE", "menu LEBEL_DOWN", "menu VER",
                                        "menu TAIKYOKU", "menu STOP", "menu OPTION"}));
}

// Counts the paints of a widget.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

TEST_F(WindowTest, WhatAnEventDrawsIsOnTheScreenWhenItEnds) {
    // 戻 draws the board and stops the clock: nothing else would show it.
    WindowHandlers handlers;
    handlers.menu = [this](std::string_view) { window.drawPicture(-10, 1545, 715); };
    window.setHandlers(handlers);
    PaintCounter counter;
    canvas().installEventFilter(&counter);
    window.action("REPLAY")->trigger();
    EXPECT_GT(counter.paints, 0);
    canvas().removeEventFilter(&counter);
}

TEST_F(WindowTest, CheckMarksAreSetByTheGameOnly) {
    QAction* bgm = window.action("BGM");
    bgm->trigger();
    EXPECT_FALSE(bgm->isChecked()) << "a click alone does not check";
    window.setChecked("BGM", true);
    EXPECT_TRUE(bgm->isChecked());
    bgm->trigger();
    EXPECT_TRUE(bgm->isChecked()) << "nor uncheck";
    window.setChecked("BGM", false);
    EXPECT_FALSE(bgm->isChecked());
    window.setChecked("NO_SUCH_ITEM", true);  // ignored
    EXPECT_EQ(log, (std::vector<std::string>{"menu BGM", "menu BGM"}));
}

TEST_F(WindowTest, MessageBoxesShowTextTitleAndJapaneseButtons) {
    QString text, title;
    QStringList captions;
    auto read = [&](QMessageBox& box) {
        text = box.text();
        title = box.windowTitle();
        captions.clear();
        for (auto* b : box.buttons()) captions << b->text();
    };
    answerNext<QMessageBox>([&](QMessageBox& box) {
        read(box);
        box.button(QMessageBox::No)->click();
    });
    window.setTimer(true);
    EXPECT_EQ(window.message("投了しますか？", "対局", Buttons::YesNo), Answer::No);
    EXPECT_EQ(text, "投了しますか？");
    EXPECT_EQ(title, "対局");
    ASSERT_EQ(captions.size(), 2);
    EXPECT_TRUE(captions.join(" ").contains("はい")) << captions.join(" ").toStdString();
    EXPECT_TRUE(captions.join(" ").contains("いいえ"));

    answerNext<QMessageBox>([&](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    EXPECT_EQ(window.message("投了しますか？", "対局", Buttons::YesNo), Answer::Yes);

    answerNext<QMessageBox>([&](QMessageBox& box) {
        read(box);
        box.button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(window.message("<b>棋譜を書き込みました</b>", "  ", Buttons::Ok), Answer::Ok);
    EXPECT_EQ(text, "<b>棋譜を書き込みました</b>") << "shown as plain text";
    EXPECT_EQ(title, "  ");
    EXPECT_EQ(captions.size(), 1);
    window.setTimer(false);
    EXPECT_FALSE(logged("timer")) << "no tick while a box is open";
}

TEST_F(WindowTest, AYesNoBoxAnswersOnlyByYesOrNo) {
    // Esc and the close button would answer No, which throws a loaded record away. The box
    // is shown again for the next question, with nothing kept from the last answer.
    for (Answer answer : {Answer::No, Answer::Yes}) {
        bool stayed = false, noCloseButton = false, yesFirst = false;
        answerNext<QMessageBox>([&](QMessageBox& box) {
            noCloseButton = !(box.windowFlags() & Qt::WindowCloseButtonHint);
            yesFirst = box.defaultButton() == box.button(QMessageBox::Yes);
            QTest::keyClick(&box, Qt::Key_Escape);
            box.close();
            QCoreApplication::processEvents();
            stayed = box.isVisible() && QApplication::activeModalWidget() == &box;
            box.button(answer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        EXPECT_EQ(window.message("棋譜を '進 'で進めて下さい", "棋譜", Buttons::YesNo), answer);
        EXPECT_TRUE(stayed);
        EXPECT_TRUE(noCloseButton);
        EXPECT_TRUE(yesFirst);
    }
    // A box with one button still closes with Esc or its close button.
    for (bool esc : {true, false}) {
        answerNext<QMessageBox>([esc](QMessageBox& box) {
            if (esc)
                QTest::keyClick(&box, Qt::Key_Escape);
            else
                box.close();
        });
        EXPECT_EQ(window.message("そこには移動できません", "移動", Buttons::Ok), Answer::Ok);
    }
}

TEST_F(WindowTest, TheVersionBoxTellsWhichButtonClosedIt) {
    QString title, texts;
    QImage picture;
    answerNext<VersionBox>([&](VersionBox& box) {
        title = box.windowTitle();
        for (auto* label : box.findChildren<QLabel*>()) texts += label->text() + "|";
        picture = box.findChild<QWidget*>("Picture")->grab().toImage();
        // Under the picture, the version in large bold letters; a wider space before the
        // copyright, as before the text and the buttons.
        const auto lines = box.findChildren<QLabel*>();
        ASSERT_EQ(lines.size(), 4);
        EXPECT_EQ(lines[0]->font().pixelSize(), 20);
        EXPECT_TRUE(lines[0]->font().bold());
        const int s = box.layout()->spacing();
        auto gap = [](QWidget* a, QWidget* b) { return b->y() - a->geometry().bottom() - 1; };
        EXPECT_EQ(gap(box.findChild<QWidget*>("Picture"), lines[0]), s + 8);
        EXPECT_EQ(gap(lines[0], lines[1]), 4);
        EXPECT_EQ(gap(lines[1], lines[2]), 4 + 8);
        EXPECT_EQ(gap(lines[2], lines[3]), 4);
        EXPECT_EQ(gap(lines[3], buttonCaptioned(box, "O K")), s + 8);
        ASSERT_NE(buttonCaptioned(box, "O K"), nullptr);
        buttonCaptioned(box, "ホームページ")->click();
    });
    EXPECT_TRUE(window.showVersionBox());
    EXPECT_EQ(title, "バージョン情報");
    EXPECT_EQ(texts.toStdString(), "Torvane " TORVANE_VERSION
                                   "|将棋ゲーム|Copyright © 2026 Torvane developers|"
                                   "MIT License|");
    // The title picture is whole: its cell is the widget's height and 1/3.5 of its width.
    int cell = 0;
    while (cell < picture.width() &&
           picture.pixelColor(cell, picture.height() - 1) == pictureColour(-3))
        ++cell;
    EXPECT_NEAR(cell * 3.5, picture.width(), 3.5);
    EXPECT_EQ(picture.pixelColor(0, 0), pictureColour(-3));
    EXPECT_EQ(picture.size(), QSize(231, 82));  // twice the canvas's cells at scale 1
    answerNext<VersionBox>([&](VersionBox& box) { buttonCaptioned(box, "O K")->click(); });
    EXPECT_FALSE(window.showVersionBox());
}

TEST_F(WindowTest, AWaitLastsItsTimeAndLetsNoInputButEscThrough) {
    window.setTimer(true);
    // Both come at the wait's first look at the queue, however busy the machine is.
    QTimer::singleShot(0, [&] { click(cellLeft(3), cellTop(3)); });
    QTimer::singleShot(0, [&] { QTest::keyClick(&canvas(), Qt::Key_Escape); });
    QElapsedTimer clock;
    clock.start();
    window.wait(0.15);
    EXPECT_GE(clock.elapsed(), 150);
    window.setTimer(false);  // a tick due after the wait is the game's again
    QCoreApplication::processEvents();
    // Esc ends the program in every state, so it reaches the game once the wait is over.
    EXPECT_EQ(log, std::vector<std::string>{"key 27"});
    log.clear();
    // Afterwards input reaches the game again.
    click(cellLeft(3), cellTop(3));
    EXPECT_TRUE(logged("mouse 1"));
}

TEST_F(WindowTest, EscDuringTheWaitsOfAnEventEndsTheProgramAfterIt) {
    onKey = [&] { window.quit(); };
    QElapsedTimer clock;
    onMouse = [&] {
        QTimer::singleShot(0, [&] { QTest::keyClick(&canvas(), Qt::Key_Escape); });
        window.wait(0.2);
        clock.start();
        for (int blink = 0; blink < 10; ++blink) window.wait(0.5);
        log.push_back("turn over");
    };
    click(cellLeft(3), cellTop(3));
    QCoreApplication::processEvents();
    EXPECT_LT(clock.elapsed(), 2000) << "the waits after Esc are skipped";
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1], "turn over");
    EXPECT_EQ(log[2], "key 27");
    EXPECT_TRUE(window.quitting());
}

TEST_F(WindowTest, TheTimerTicksEveryFiftyMillisecondsWhileOn) {
    auto* timer = window.findChild<QTimer*>("Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive());
    window.setTimer(true);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 50);
    EXPECT_TRUE(QTest::qWaitFor([&] { return logged("timer"); }, 2000));
    window.setTimer(false);
    EXPECT_FALSE(timer->isActive());
    float now = QTime::currentTime().msecsSinceStartOfDay() / 1000.f;
    EXPECT_NEAR(window.timeOfDay(), now, 1.0f);
}

namespace {
qint64 wallMs = 0;
}  // namespace

// The thinking clocks count a move's time from two readings of the time of day: a step of the
// wall clock between them (NTP, summer time) must not count, and midnight still wraps.
TEST(WindowClock, TheTimeOfDayRunsOnThroughStepsOfTheWallClock) {
    MainWindow::wallClock = [] { return wallMs; };
    wallMs = 86'399'000;  // a second before midnight
    MainWindow window;
    const float start = window.timeOfDay();
    EXPECT_NEAR(start, 86399.f, 0.9f);  // however slowly the window was made
    for (qint64 step : {-10'000, -3'600'000, 36'000'000}) {
        wallMs += step;
        QTest::qWait(400);
    }
    const float now = window.timeOfDay();
    MainWindow::wallClock = nullptr;
    EXPECT_LT(now, start) << "past midnight";
    const float elapsed = now + 86400 - start;
    EXPECT_GE(elapsed, 1.19f);
    EXPECT_LT(elapsed, 5.f);
}

TEST_F(WindowTest, ASecondClickWhileTheFirstIsHandledIsDropped) {
    int depth = 0;
    onMouse = [&] {
        if (++depth == 1) click(cellLeft(5), cellTop(5));
    };
    click(cellLeft(3), cellTop(3));
    EXPECT_EQ(log.size(), 1u);
    click(cellLeft(4), cellTop(4));
    EXPECT_EQ(log.size(), 2u);
}

TEST_F(WindowTest, NoClickReachesTheGameWhileItsMessageIsOpen) {
    onMouse = [&] {
        answerNext<QMessageBox>([&](QMessageBox& box) {
            click(cellLeft(5), cellTop(5));
            QTest::keyClick(&canvas(), Qt::Key_Escape);
            window.action("SENTE")->trigger();
            box.button(QMessageBox::Ok)->click();
        });
        window.message("そこには移動できません", "移動", Buttons::Ok);
    };
    click(cellLeft(3), cellTop(3));
    EXPECT_EQ(log.size(), 1u) << log.back();
}

TEST_F(WindowTest, EscapeReachesTheGameWhichMayEndTheProgram) {
    onKey = [&] { window.quit(); };
    QTest::keyClick(&canvas(), Qt::Key_Escape);
    EXPECT_EQ(log, std::vector<std::string>{"key 27"});
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.quitting());
    click(cellLeft(3), cellTop(3));
    EXPECT_EQ(log.size(), 1u) << "nothing after the end";
}

TEST_F(WindowTest, ClosingTheWindowUnloadsTheGameOnceTheEventIsOver) {
    onMouse = [&] {
        window.close();
        log.push_back(window.isVisible() ? "still open" : "closed");
    };
    click(cellLeft(3), cellTop(3));
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1], "still open");
    EXPECT_EQ(log[2], "unload");
    EXPECT_FALSE(window.isVisible());
}

// Only a destroy of this very window, or the window manager's close of it while a modal box
// is open, closes it; every other event passes by.
TEST(WindowCloseWatch, ClosesTheWindowOnlyForTheClosesQtDrops) {
    constexpr std::uint32_t PROTOCOLS = 301, DELETE = 302;
    // Counts its closes and stays open, so that its native window stays the same.
    struct Window : QWidget {
        int closes = 0;
        void closeEvent(QCloseEvent* e) override {
            ++closes;
            e->ignore();
        }
    } never, window;
    window.show();
    QDialog modal;
    modal.setModal(true);
    const auto id = std::uint32_t(window.winId());
    auto closes = [&](const void* event, Window& w, std::uint32_t protocols,
                      const char* type = "xcb_generic_event_t") {
        WindowCloseWatch watch(w, protocols, DELETE);
        const int before = w.closes;
        EXPECT_FALSE(watch.nativeEventFilter(type, const_cast<void*>(event), nullptr));
        return w.closes > before;
    };
    auto destroyed = [](std::uint32_t of, int type) {
        static xcb_destroy_notify_event_t d;
        d = {};
        d.response_type = std::uint8_t(type);
        d.window = of;
        return static_cast<const void*>(&d);
    };
    auto asked = [](std::uint32_t of, std::uint8_t format, std::uint32_t type, std::uint32_t what) {
        static xcb_client_message_event_t m;
        m = {};
        m.response_type = WindowCloseWatch::CLIENT_MESSAGE;
        m.window = of, m.format = format, m.type = type, m.data.data32[0] = what;
        return static_cast<const void*>(&m);
    };
    EXPECT_TRUE(closes(destroyed(id, WindowCloseWatch::DESTROY_NOTIFY), window, PROTOCOLS));
    EXPECT_TRUE(closes(destroyed(id, WindowCloseWatch::DESTROY_NOTIFY | 0x80), window, PROTOCOLS));
    EXPECT_FALSE(closes(destroyed(id + 1, WindowCloseWatch::DESTROY_NOTIFY), window, PROTOCOLS));
    EXPECT_FALSE(closes(destroyed(id, WindowCloseWatch::DESTROY_NOTIFY), window, PROTOCOLS, "x"));
    EXPECT_FALSE(closes(destroyed(0, WindowCloseWatch::DESTROY_NOTIFY), never, PROTOCOLS));
    EXPECT_FALSE(closes(asked(id, 32, PROTOCOLS, DELETE), window, PROTOCOLS)) << "Qt's own";
    modal.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &modal);
    EXPECT_TRUE(closes(asked(id, 32, PROTOCOLS, DELETE), window, PROTOCOLS));
    EXPECT_FALSE(closes(asked(id + 1, 32, PROTOCOLS, DELETE), window, PROTOCOLS));
    EXPECT_FALSE(closes(asked(id, 8, PROTOCOLS, DELETE), window, PROTOCOLS));
    EXPECT_FALSE(closes(asked(id, 32, PROTOCOLS + 2, DELETE), window, PROTOCOLS));
    EXPECT_FALSE(closes(asked(id, 32, PROTOCOLS, DELETE + 1), window, PROTOCOLS));
    EXPECT_FALSE(closes(asked(id, 32, 0, DELETE), window, 0)) << "no atoms without X";
}

TEST_F(WindowTest, PlacingTheWindowFitsTheScreenAtTheTopLeft) {
    QRect area = window.screen()->availableGeometry();
    window.placeWindow(9700, 8000);
    QCoreApplication::processEvents();
    // Never below the design size.
    double expected = std::max(
        1.0, std::min(0.8 * area.height() / (8000 / 15.0), 0.8 * area.width() / (9700 / 15.0)));
    EXPECT_NEAR(canvas().scale(), expected, 0.01);
    EXPECT_EQ(window.geometry().width(), int(std::lround(9600 * expected / 15)));
    EXPECT_EQ(window.frameGeometry().topLeft(), area.topLeft());
    // A size with no room inside the frame changes nothing.
    const QRect placed = window.geometry();
    window.placeWindow(100, 8000);
    window.placeWindow(9700, 800);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.geometry(), placed);
    // The frame's share comes off before the scale: canvas sizes just past half a pixel.
    window.placeWindow(10608, 8008);
    QCoreApplication::processEvents();
    const double s = std::max(
        1.0, std::min(0.8 * area.height() / (8008 / 15.0), 0.8 * area.width() / (10608 / 15.0)));
    EXPECT_EQ(window.geometry().size(),
              QSize(int(std::lround(10508 * s / 15)),
                    int(std::lround(7208 * s / 15)) + window.menuBar()->sizeHint().height()));

    window.showMaximized();
    QCoreApplication::processEvents();
    QRect maximised = window.geometry();
    window.placeWindow(9700, 8000);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.geometry(), maximised);
}

TEST(Fonts, LatinLettersHaveTheirOwnWidths) {
    // A fixed-width face makes "Torvane 0.1.0" look like a terminal's.
    for (const QFont& font :
         {QApplication::font(), QFont(CANVAS_FONT), interfaceFont(QFont("DejaVu Sans Mono")),
          interfaceFont(QFont("IPAGothic"))}) {
        const QFontMetricsF metrics(font);
        EXPECT_LT(metrics.horizontalAdvance("iiii"), metrics.horizontalAdvance("MMMM") * 0.7)
            << QFontInfo(font).family().toStdString();
    }
}

// The program's window icon offers every size rendered for the desktop, each its own picture.
TEST(WindowIcon, EveryRenderedSizeIsGiven) {
    setWindowIcon();
    const QIcon icon = QApplication::windowIcon();
    QStringList sizes;
    for (const QSize& size : icon.availableSizes()) {
        sizes << QString::number(size.width());
        EXPECT_EQ(QImage(QStringLiteral(":/torvane/icons/%1.png").arg(size.width())).size(), size);
    }
    EXPECT_EQ(sizes.join(' ').toStdString(), TORVANE_ICON_SIZES);
}

TEST(WindowSound, SoundsMapOntoBuffersOfTheLibrary) {
    RecordingSound library;
    {
        MainWindow window(&library);
        window.playSound(Sound::KOMA);  // nothing loaded yet
        EXPECT_TRUE(window.openSound());
        window.loadSound(Sound::SONOTA, "abc", 3);
        window.loadSound(Sound::KOMA, "abcdef", 3);
        window.loadSound(Sound::BGM, "", 1);
        window.playSound(Sound::KOMA);
        window.loopSound(Sound::SONOTA);
        window.stopSound(Sound::SONOTA);
        window.playSound(Sound::BGM);  // its file was empty: no buffer, silence
        window.freeSound(Sound::SONOTA);
        window.freeSound(Sound::SONOTA);
        window.playSound(Sound::SONOTA);
        window.closeSound();
        window.playSound(Sound::KOMA);
    }
    EXPECT_EQ(library.calls,
              (std::vector<std::string>{"initialize", "create 7 3 3", "create 7 6 3",
                                        "create 7 0 1", "play 102", "loop 101", "stop 101",
                                        "free 101", "free 102", "terminate 7"}));
}

// Loaded sounds wait for the window's first frame (or a message box), then are decoded in
// their order and the music asked for meanwhile starts.
TEST(WindowSound, SoundsAreDecodedOnceTheWindowIsShown) {
    RecordingSound library;
    MainWindow window(&library);
    ASSERT_TRUE(window.openSound());
    window.loadSound(Sound::SONOTA, "abc", 3);
    window.loadSound(Sound::BGM, "abcd", 1);
    window.loopSound(Sound::BGM);
    window.loadSound(Sound::SHOUMETSU, "ab", 1);
    window.freeSound(Sound::SHOUMETSU);
    bool ready = false;
    window.whenSoundsReady([&] { ready = library.calls.size() == 4; });
    EXPECT_EQ(library.calls, std::vector<std::string>{"initialize"});
    window.show();
    QElapsedTimer clock;
    clock.start();
    while (library.calls.size() < 4 && clock.elapsed() < 5000) QCoreApplication::processEvents();
    EXPECT_EQ(library.calls,
              (std::vector<std::string>{"initialize", "create 7 3 3", "create 7 4 1", "loop 102"}));
}

// A wave file that is there but refused by the library is reported with the library's reason,
// before anything else is shown; one the library takes, or a missing one, says nothing.
TEST(WindowSound, AWaveFileTheLibraryRefusesGetsABoxWithItsReason) {
    struct RefusingSound : RecordingSound {
        std::string refusal(std::string_view bytes) override {
            return bytes.empty() ? "WAVEファイルではありません" : "";
        }
    } library;
    MainWindow window(&library);
    ASSERT_TRUE(window.openSound());
    window.loadSound(Sound::SONOTA, "abc", 3);
    window.loadSound(Sound::BGM, "", 1);
    std::vector<std::string> shown;
    answerNext<QMessageBox>([&](QMessageBox& box) {
        shown.push_back(box.windowTitle().toStdString() + ": " + box.text().toStdString());
        answerNext<QMessageBox>([&](QMessageBox& next) {
            shown.push_back(next.windowTitle().toStdString() + ": " + next.text().toStdString());
            next.button(QMessageBox::Ok)->click();
        });
        box.button(QMessageBox::Ok)->click();
    });
    window.message("対局を開始します", "対局", Buttons::Ok);
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "Torvane.dll: BGM.wav を読み込めません（WAVEファイルではありません）",
                         "対局: 対局を開始します"}));
}

TEST(WindowSound, WithoutALibraryThereIsNoDevice) {
    MainWindow window;
    EXPECT_FALSE(window.openSound());
    window.loadSound(Sound::KOMA, "abc", 3);
    window.playSound(Sound::KOMA);
}

// The characters of a typed move reach the game as their codes, Backspace and Enter too.
TEST_F(WindowTest, TypedMoveKeysReachTheGame) {
    QTest::keyClicks(&canvas(), "P*5+");
    QTest::keyClick(&canvas(), Qt::Key_Backspace);
    QTest::keyClick(&canvas(), Qt::Key_Return);
    QTest::keyClick(&canvas(), Qt::Key_Enter);
    EXPECT_EQ(log, (std::vector<std::string>{"key 80", "key 42", "key 53", "key 43", "key 8",
                                             "key 13", "key 13"}));
}

// The canvas to a screen reader: its 91 parts named from what the game hands over, and its
// own name saying the moves just drawn.
TEST_F(WindowTest, TheCanvasNamesItsPartsForAReader) {
    ReaderView v;
    v.sides = {"あなた", "COM"};
    v.squares[5 * 9 + 2] = {"歩", 0};  // 7六
    v.squares[0] = {"香", 1};          // 9一
    v.hands[0] = {{"歩", 2}, {"角", 1}};
    v.moveTexts[0] = {"７", "六", "歩"};
    v.moveNumber = 1;
    v.level = 3;
    v.handicap = "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段";
    v.news = {{0, {"７", "六", "歩"}}, {1, {"３", "四", "歩"}}};
    window.describe(v);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&canvas());
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->childCount(), 91);
    EXPECT_EQ(a->child(91), nullptr);
    EXPECT_EQ(a->child(-1), nullptr);
    auto name = [&](int i) { return a->child(i)->text(QAccessible::Name).toStdString(); };
    EXPECT_EQ(name(5 * 9 + 2), "7六 歩 あなた");
    EXPECT_EQ(name(0), "9一 香 COM");
    EXPECT_EQ(name(80), "1九");
    EXPECT_EQ(name(81), "あなたの持ち駒 歩2 角1");
    EXPECT_EQ(name(82), "COMの持ち駒 なし");
    EXPECT_EQ(name(83), "あなたの時間 表示なし");
    EXPECT_EQ(name(85), "あなたの指し手 ７六歩");
    EXPECT_EQ(name(87), "1手目");
    EXPECT_EQ(name(88), "レベル 3");
    EXPECT_EQ(name(89), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段");
    EXPECT_EQ(name(90), "入力中の指し手 なし");
    EXPECT_EQ(a->text(QAccessible::Name).toStdString(), "将棋盤 あなた ７六歩、COM ３四歩");
    EXPECT_EQ(a->indexOfChild(a->child(40)), 40);
    EXPECT_EQ(a->child(40)->parent(), a);
    EXPECT_EQ(a->child(40)->childCount(), 0);
    EXPECT_EQ(a->child(40)->indexOfChild(a->child(41)), -1);
    EXPECT_EQ(canvas().readerName(91), QString()) << "no part past the last";
    EXPECT_FALSE(a->child(40)->state().invisible);
    canvas().hide();
    EXPECT_TRUE(a->child(40)->state().invisible);
    canvas().show();
    EXPECT_EQ(a->child(40)->text(QAccessible::Description), QString());  // no name said twice
    // Where the part is drawn: the squares 9一, 5五 and 1九, corner, middle and corner.
    for (const int part : {0, 40, 80}) {
        const double at = 1.5 + part / 10;
        EXPECT_TRUE(a->child(part)->rect().contains(
            canvas().mapToGlobal(pixelOf(1050 + 495 * at, 100 + 615 * at))))
            << part;
    }
    // The other parts, in cells of 495 x 615 twips: column, row, columns, rows.
    const int cells[][4] = {{11, 3, 2, 7}, {-1, 1, 2, 7}, {13, 9, 3, 1}, {-2, 9, 3, 1},
                            {12, 2, 3, 1}, {-2, 8, 3, 1}, {13, 3, 2, 1}, {-2, 0, 3, 1},
                            {11, 1, 4, 1}, {13, 5, 3, 1}};
    for (int i = 0; i < 10; ++i) {
        const auto [x, y, w, h] = cells[i];
        const QRect r = a->child(81 + i)->rect();
        const QPoint from = canvas().mapToGlobal(pixelOf(1050 + 495 * x, 100 + 615 * y));
        const QPoint to = canvas().mapToGlobal(pixelOf(1050 + 495 * (x + w), 100 + 615 * (y + h)));
        EXPECT_LE((r.topLeft() - from).manhattanLength() + (r.bottomRight() - to).manhattanLength(),
                  4)
            << name(81 + i);
    }
    // A position changed with no move drawn is announced by its move number.
    v.news.clear();
    v.squares[0] = {};
    v.moveNumber = 0;
    window.describe(v);
    EXPECT_EQ(a->text(QAccessible::Name).toStdString(), "将棋盤 0手目");
    // A move drawn is announced by itself, though the position changed with it.
    v.news = {{1, {"３", "四", "歩"}}};
    v.squares[0] = {"香", 1};
    window.describe(v);
    EXPECT_EQ(a->text(QAccessible::Name).toStdString(), "将棋盤 COM ３四歩");
}
