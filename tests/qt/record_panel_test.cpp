// The record panel's widgets on the canvas: shown and hidden, placed at every scale, and
// writing and reading records with the game logic behind them.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <memory>

#include "../temp_dir.h"
#include "play/setup.h"
#include "play/state.h"
#include "play/window_events.h"
#include "record/record_codec.h"
#include "files/text_file.h"
#include "ui/qt/record_panel.h"
#include "window_fixture.h"
#include "../../testkit/mode_seam.h"

namespace {

template <class W>
W* widget(MainWindow& window, const char* name) {
    return window.findChild<W*>(QString::fromUtf8(name));
}

// Every message box that opens is answered with OK and its text kept.
class BoxAnswerer {
public:
    BoxAnswerer() {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts.push_back(box->text().toStdString() + " | " +
                                box->windowTitle().toStdString());
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer_.start();
    }
    std::vector<std::string> texts;

private:
    QTimer timer_;
};

const char* const PANEL[] = {"Drive1",    "Dir1",  "File1", "Label1(0)", "Label1(1)", "Label1(2)",
                             "Label1(3)", "Text1", "Text2", "Text3",     "Text4",     "Command1"};

// The window with the game logic behind it, as the program connects them.
class PanelGame : public WindowTest {
protected:
    std::unique_ptr<State> state = std::make_unique<State>(window);
    State& s = *state;
    TempDir dir;

    void SetUp() override {
        WindowTest::SetUp();
        window.setHandlers({
            .mouseDown = [this](int b, int shift, double x,
                                double y) { Form_MouseDown(s, b, shift, x, y); },
            .keyPress = [this](int code) { Form_KeyPress(s, code); },
            .unload = [this] { Form_Unload(s); },
            .timer = [this] { Timer1_Timer(s); },
            .menu = [this](std::string_view c) { メニュー選択(s, c); },
            .drive1Change = [this] { Drive1_Change(s); },
            .dir1Change = [this] { Dir1_Change(s); },
            .file1Click = [this](std::string_view name) { File1_Click(s, name); },
            .command1Click = [this] { Command1_Click(s); },
        });
        初期設定(s);
        ASSERT_TRUE(window.setRecordDirectory(dir.path().string()));
        Dir1_Change(s);
    }
};

}  // namespace

TEST_F(WindowTest, ThePanelShowsWhatTheGameAsksWithItsCaptions) {
    // Its widgets are made only when the game first needs the panel, not to hide it.
    window.showRecordLists(false, false, false);
    window.showRecordInputs(false);
    EXPECT_EQ(widget<QWidget>(window, "Drive1"), nullptr);
    for (int list = 0; list < 3; ++list) {  // any one list asked for makes them
        MainWindow fresh;
        fresh.showRecordLists(list == 0, list == 1, list == 2);
        ASSERT_NE(widget<QWidget>(fresh, PANEL[list]), nullptr) << list;
        EXPECT_FALSE(widget<QWidget>(fresh, PANEL[list])->isHidden()) << list;
    }
    window.recordPanel();
    for (const char* name : PANEL) {
        ASSERT_NE(widget<QWidget>(window, name), nullptr) << name;
        EXPECT_FALSE(widget<QWidget>(window, name)->isVisible()) << name;
    }
    const char* captions[4] = {"ﾌｧｲﾙ名 ：", "後    手 ：", "先    手 ：", "対 局 名："};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(widget<QLabel>(window, ("Label1(" + std::to_string(i) + ")").c_str())->text(),
                  QString::fromUtf8(captions[i]));
    EXPECT_EQ(widget<QPushButton>(window, "Command1")->text(), "RETURN");
    for (const char* box : {"Text1", "Text2", "Text3", "Text4"})
        EXPECT_EQ(widget<QLineEdit>(window, box)->textMargins(), QMargins()) << "the boxes are low";

    auto visible = [&] {
        std::string out;
        for (const char* name : PANEL)
            out += widget<QWidget>(window, name)->isVisible() ? '1' : '0';
        return out;
    };
    window.showRecordLists(true, true, false);  // 書込
    window.showRecordInputs(true);
    EXPECT_EQ(visible(), "110111111111");
    EXPECT_EQ(QApplication::focusWidget(), widget<QWidget>(window, "Text2"));
    widget<QLineEdit>(window, "Text1")->setText(QString::fromUtf8("名前"));
    widget<QLineEdit>(window, "Text4")->setText(QStringLiteral("b"));
    EXPECT_EQ(window.recordInput(1), "名前");
    EXPECT_EQ(window.recordInput(4), "b");
    EXPECT_EQ(window.recordInput(5), "");
    window.clearRecordInputs();
    window.showRecordInputs(false);
    window.showRecordLists(true, true, true);  // 読込
    EXPECT_EQ(visible(), "111000000000");
    EXPECT_EQ(window.recordInput(1), "");
    // A list that stays keeps the keyboard when another goes; the canvas takes it when all go.
    widget<QWidget>(window, "File1")->setFocus();
    window.showRecordLists(false, true, true);
    EXPECT_EQ(QApplication::focusWidget(), widget<QWidget>(window, "File1"));
    window.showRecordLists(false, false, false);
    EXPECT_EQ(visible(), "000000000000");
    EXPECT_EQ(QApplication::focusWidget(), &canvas());
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowTest, ThePanelIsPlacedInTwipsAtEveryScale) {
    window.showRecordLists(true, true, true);
    window.showRecordInputs(true);
    for (int k : {1, 2}) {
        setCanvasSize(640 * k, 480 * k);
        // Twips / 15 · scale.
        EXPECT_EQ(widget<QWidget>(window, "Text1")->geometry(),
                  QRect(64 * k, 208 * k, 153 * k, 18 * k));
        EXPECT_EQ(widget<QWidget>(window, "Drive1")->geometry(),
                  QRect(16 * k, 24 * k, 169 * k, 20 * k));
        EXPECT_EQ(widget<QWidget>(window, "Dir1")->geometry(),
                  QRect(16 * k, 40 * k, 169 * k, 114 * k));
        EXPECT_EQ(widget<QWidget>(window, "File1")->geometry(),
                  QRect(16 * k, 152 * k, 169 * k, 62 * k));
        EXPECT_EQ(widget<QWidget>(window, "Command1")->geometry(),
                  QRect(224 * k, 200 * k, 57 * k, 25 * k));
        EXPECT_EQ(widget<QWidget>(window, "Label1(3)")->pos(), QPoint(8 * k, 160 * k));
        EXPECT_EQ(widget<QWidget>(window, "Text2")->font().pixelSize(), 12 * k);
    }
    // In between, positions round to the nearest pixel.
    setCanvasSize(960, 720);
    EXPECT_EQ(widget<QWidget>(window, "Text1")->geometry(), QRect(96, 312, 230, 27));
}

// Between the scales above, every box and caption rounds each of its own edges to the nearest
// pixel and takes the letter size of the scale. At one size a twip more or less in a place
// mostly rounds away; at these six together it moves some edge of every widget.
TEST_F(WindowTest, ThePanelsPlacesBetweenTheScalesAreTheOnesPlacedBefore) {
    window.showRecordLists(true, true, true);
    window.showRecordInputs(true);
    const std::pair<QSize, const char*> pinned[] = {
        {{968, 726},
         "Drive1 24,36 256x31 18\nDir1 24,61 256x172 18\nFile1 24,230 256x94 18\n"
         "Label1(0) 12,315 85x27 18\nLabel1(1) 12,290 85x28 18\nLabel1(2) 12,266 85x27 18\n"
         "Label1(3) 12,242 85x27 18\nText1 97,315 231x27 18\nText2 97,242 231x27 18\n"
         "Text3 97,266 231x27 18\nText4 97,290 231x28 18\nCommand1 339,303 86x37 18\n"},
        {{675, 507},
         "Drive1 17,25 178x21 13\nDir1 17,42 178x120 13\nFile1 17,160 178x66 13\n"
         "Label1(0) 8,219 60x19 13\nLabel1(1) 8,203 60x18 13\nLabel1(2) 8,186 60x19 13\n"
         "Label1(3) 8,169 60x19 13\nText1 68,219 161x19 13\nText2 68,169 161x19 13\n"
         "Text3 68,186 161x19 13\nText4 68,203 161x18 13\nCommand1 236,211 60x26 13\n"},
        {{800, 600},
         "Drive1 20,30 211x25 15\nDir1 20,50 211x143 15\nFile1 20,190 211x78 15\n"
         "Label1(0) 10,260 70x23 15\nLabel1(1) 10,240 70x23 15\nLabel1(2) 10,220 70x23 15\n"
         "Label1(3) 10,200 70x23 15\nText1 80,260 191x23 15\nText2 80,200 191x23 15\n"
         "Text3 80,220 191x23 15\nText4 80,240 191x23 15\nCommand1 280,250 71x31 15\n"},
        {{1114, 836},
         "Drive1 28,42 294x35 21\nDir1 28,70 294x198 21\nFile1 28,265 294x107 21\n"
         "Label1(0) 14,362 97x31 21\nLabel1(1) 14,334 97x32 21\nLabel1(2) 14,306 97x32 21\n"
         "Label1(3) 14,279 97x31 21\nText1 111,362 267x31 21\nText2 111,279 267x31 21\n"
         "Text3 111,306 267x32 21\nText4 111,334 267x32 21\nCommand1 390,348 99x44 21\n"},
        {{1199, 900},
         "Drive1 30,45 317x37 22\nDir1 30,75 317x214 22\nFile1 30,285 317x116 22\n"
         "Label1(0) 15,390 105x33 22\nLabel1(1) 15,360 105x33 22\nLabel1(2) 15,330 105x33 22\n"
         "Label1(3) 15,300 105x33 22\nText1 120,390 287x33 22\nText2 120,300 287x33 22\n"
         "Text3 120,330 287x33 22\nText4 120,360 287x33 22\nCommand1 420,375 106x47 22\n"},
        {{1361, 1021},
         "Drive1 34,51 359x43 26\nDir1 34,85 359x242 26\nFile1 34,323 359x132 26\n"
         "Label1(0) 17,442 119x39 26\nLabel1(1) 17,408 119x39 26\nLabel1(2) 17,374 119x39 26\n"
         "Label1(3) 17,340 119x39 26\nText1 136,442 325x39 26\nText2 136,340 325x39 26\n"
         "Text3 136,374 325x39 26\nText4 136,408 325x39 26\nCommand1 476,425 122x53 26\n"},
    };
    for (const auto& [size, places] : pinned) {
        setCanvasSize(size.width(), size.height());
        std::string seen;
        for (const char* name : PANEL) {
            const QWidget* w = widget<QWidget>(window, name);
            const QRect g = w->geometry();
            seen += QStringLiteral("%1 %2,%3 %4x%5 %6\n")
                        .arg(name)
                        .arg(g.x())
                        .arg(g.y())
                        .arg(g.width())
                        .arg(g.height())
                        .arg(w->font().pixelSize())
                        .toStdString();
        }
        EXPECT_EQ(seen, places) << size.width() << "x" << size.height();
    }
}

TEST_F(WindowTest, ClicksAndKeysOnThePanelStayThere) {
    window.showRecordInputs(true);
    QWidget* label = widget<QWidget>(window, "Label1(2)");
    QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    QTest::keyClick(widget<QWidget>(window, "Text3"), Qt::Key_Escape);
    QTest::keyClicks(widget<QWidget>(window, "Text3"), "abc");
    EXPECT_TRUE(log.empty()) << log.front();  // no board click, and Esc does not end the game
    EXPECT_EQ(window.recordInput(3), "abc");

    // Enter goes down the boxes and presses "RETURN" from the file name.
    QTest::keyClick(widget<QWidget>(window, "Text2"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), widget<QWidget>(window, "Text3"));
    QTest::keyClick(widget<QWidget>(window, "Text3"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), widget<QWidget>(window, "Text4"));
    QTest::keyClick(widget<QWidget>(window, "Text4"), Qt::Key_Return);
    EXPECT_TRUE(log.empty()) << "only the file name's Enter writes";
    QTest::keyClick(widget<QWidget>(window, "Text1"), Qt::Key_Return);
    QTest::mouseClick(widget<QWidget>(window, "Command1"), Qt::LeftButton);
    EXPECT_EQ(log, (std::vector<std::string>{"Command1_Click", "Command1_Click"}));

    // Panel events wait their turn like clicks: none while another event is handled.
    log.clear();
    onMouse = [&] { QTest::mouseClick(widget<QWidget>(window, "Command1"), Qt::LeftButton); };
    click(cellLeft(8), cellTop(8));
    EXPECT_EQ(log.size(), 1u);
    EXPECT_EQ(log.front().substr(0, 5), "mouse");
}

TEST_F(WindowTest, DirectoriesAreEnteredAndTheirRecordsListed) {
    TempDir dir;
    std::filesystem::create_directories(dir / "sub" / "deeper");
    for (const char* other : {"Zed", "alpha", ".hidden"})
        std::filesystem::create_directory(dir / other);
    for (const char* name : {"b.棋譜", "a.棋譜", "note.txt"})
        TempDir::write(dir / "sub" / name, "");
    ASSERT_TRUE(window.setRecordDirectory(dir.path().string()));
    EXPECT_FALSE(window.setRecordDirectory((dir / "missing").string()));
    EXPECT_EQ(window.recordDirectory(), dir.path().string());
    window.showRecordLists(true, true, true);

    // The directory list: from the root down to the directory, then the ones inside it that
    // are not hidden, whatever their case.
    auto* tree = widget<QTreeWidget>(window, "Dir1");
    QTreeWidgetItem* item = tree->currentItem();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->data(0, Qt::UserRole).toString().toStdString(), dir.path().string());
    ASSERT_EQ(item->childCount(), 3);
    EXPECT_EQ(item->child(0)->text(0) + item->child(2)->text(0), "alphaZed");
    QTreeWidgetItem* sub = item->child(1);
    EXPECT_EQ(sub->text(0), "sub");
    QCoreApplication::processEvents();
    QRect r = tree->visualItemRect(sub);
    ASSERT_TRUE(tree->viewport()->rect().contains(r.center())) << r.x() << "," << r.y();
    // One click only selects; a double click enters, as the real mouse sends it.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
    QCoreApplication::processEvents();
    EXPECT_TRUE(log.empty());
    QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, r.center());
    QCoreApplication::processEvents();
    EXPECT_EQ(log, std::vector<std::string>{"Dir1_Change"});
    EXPECT_EQ(window.recordDirectory(), (dir / "sub").string());
    EXPECT_EQ(tree->currentItem()->child(0)->text(0), "deeper");

    // The file list follows when the game says so; records only, sorted.
    window.setRecordFileDirectory(window.recordDirectory());
    auto* files = widget<QListWidget>(window, "File1");
    ASSERT_EQ(files->count(), 2);
    EXPECT_EQ(files->item(0)->text(), QString::fromUtf8("a.棋譜"));
    EXPECT_EQ(files->item(1)->text(), QString::fromUtf8("b.棋譜"));
    TempDir::write(dir / "sub" / "c.棋譜", "");
    window.refreshRecordFiles();
    EXPECT_EQ(files->count(), 3);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(1)).center());
    EXPECT_EQ(log.back(), "File1_Click b.棋譜");
    log.clear();
    QTest::keyClick(files, Qt::Key_Down);
    QTest::keyClick(files, Qt::Key_Return);  // Enter takes the chosen record as a click does
    EXPECT_EQ(log, std::vector<std::string>{"File1_Click c.棋譜"});

    // The drive list holds the drive of the directory.
    auto* drives = widget<QComboBox>(window, "Drive1");
    EXPECT_EQ(drives->itemText(0), "/");
    EXPECT_EQ(window.recordDrive(),
              driveOf({"/", QDir::homePath()}, window.recordDirectory().c_str()).toStdString());
}

TEST(RecordDrives, RootHomeAndTheMountedVolumes) {
    const QString mounts = QStringLiteral(
        "/dev/sda1 / ext4 rw 0 0\n"
        "proc /proc proc rw 0 0\n"
        "/dev/sdb1 /media/u/USB\\040STICK vfat rw 0 0\n"
        "/dev/sdc1 /mnt/data ext4 rw 0 0\n"
        "/dev/sdd1 /run/media/u/disk2019\\134 ext4 rw 0 0\n"
        "/dev/sde1 /mnt/x\\400\\13 ext4 rw 0 0\n"
        "tmpfs /run/user/1000 tmpfs rw 0 0\n"
        "/dev/sdc1 /mnt/data ext4 rw 0 0\n"
        "broken\n");
    const QStringList drives = recordDrives(mounts, QStringLiteral("/home/u"));
    // Only three octal digits below 256 after a backslash are a character.
    EXPECT_EQ(drives, (QStringList{"/", "/home/u", "/media/u/USB STICK", "/mnt/data",
                                   "/run/media/u/disk2019\\", "/mnt/x\\400\\13"}));
    EXPECT_EQ(driveOf(drives, "/home/u/棋譜"), "/home/u");
    EXPECT_EQ(driveOf(drives, "/home/user"), "/");
    EXPECT_EQ(driveOf(drives, "/media/u/USB STICK"), "/media/u/USB STICK");
}

TEST_F(PanelGame, TypingANameAndPressingReturnWritesTheRecord) {
    ModeTestSeam::SAISHU_TESU(s.hist) = 2;  // two stored moves
    s.hist.BAN_RIREKI[1][5][5] = -10;
    s.hist.BAN_RIREKI[2][5][4] = 10;
    window.action("KIFU_WRITE")->trigger();
    ASSERT_TRUE(widget<QWidget>(window, "Text1")->isVisible());
    EXPECT_FALSE(widget<QWidget>(window, "File1")->isVisible());
    QTest::keyClicks(widget<QWidget>(window, "Text1"), "game1");
    widget<QLineEdit>(window, "Text2")->setText(QString::fromUtf8("名人戦"));
    BoxAnswerer boxes;
    QTest::mouseClick(widget<QWidget>(window, "Command1"), Qt::LeftButton);
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"棋譜を書き込みました |   "});
    const std::string bytes = TempDir::read(dir / "game1.棋譜");
    const std::string header = toCp932("名人戦\r\n\r\n\r\n");
    EXPECT_EQ(bytes.substr(0, header.size()), header);
    EXPECT_EQ(bytes.size(), header.size() + 2 * 279u);
    EXPECT_FALSE(widget<QWidget>(window, "Text1")->isVisible());
    EXPECT_FALSE(widget<QWidget>(window, "Dir1")->isVisible());

    // Read back: a click on the listed name.
    window.action("KIFU_READ")->trigger();
    auto* files = widget<QListWidget>(window, "File1");
    ASSERT_EQ(files->count(), 1);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(0)).center());
    EXPECT_EQ(boxes.texts,
              (std::vector<std::string>{"棋譜を書き込みました |   ", " 読み込みました | 棋譜",
                                        "棋譜を '進 'で進めて下さい | 棋譜"}));
    EXPECT_FALSE(files->isVisible());
    EXPECT_TRUE(s.game.KIFU_MODE());
    EXPECT_EQ(s.hist.SAISHU_TESU(), 2);
    EXPECT_EQ(s.hist.BAN_RIREKI[2][5][4], 10);
}

TEST_F(PanelGame, ABoardClickClosesThePanelAndEmptiesTheBoxes) {
    window.action("KIFU_WRITE")->trigger();
    widget<QLineEdit>(window, "Text2")->setText("x");
    BoxAnswerer boxes;  // no game yet: the click is refused
    click(cellLeft(5.5), cellTop(5.5));
    for (const char* name : PANEL) EXPECT_FALSE(widget<QWidget>(window, name)->isVisible()) << name;
    EXPECT_EQ(window.recordInput(2), "");
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"「対局」で始めて下さい | 開始"});
}

TEST_F(PanelGame, NamesAndFoldersThatAreNotUtf8AreListedReadAndWritten) {
    // A folder and a record named in CP932 bytes, as an archive from a Japanese system has them.
    const std::string folder = "\x8A\xFB\x95\x88";                     // 棋譜
    const std::string archived = "\x91\xCE\x8B\xC7.\x8A\xFB\x95\x88";  // 対局.棋譜
    std::filesystem::create_directories(dir / folder);
    ModeTestSeam::SAISHU_TESU(s.hist) = 1;
    s.hist.BAN_RIREKI[1][5][5] = -10;
    TempDir::write(dir / folder / archived,
                   encodeRecord(s.hist, s.hist.SAISHU_TESU(), "g", "c", "m"));
    TempDir::write(dir / folder / "\xFF.棋譜", "");

    window.action("KIFU_READ")->trigger();
    auto* tree = widget<QTreeWidget>(window, "Dir1");
    ASSERT_EQ(tree->currentItem()->childCount(), 1);
    EXPECT_EQ(tree->currentItem()->child(0)->text(0), QString::fromUtf8("棋譜"));
    ASSERT_TRUE(window.setRecordDirectory(
        tree->currentItem()->child(0)->data(0, Qt::UserRole).toString().toStdString()));
    Dir1_Change(s);
    auto* files = widget<QListWidget>(window, "File1");
    ASSERT_EQ(files->count(), 2);
    EXPECT_EQ(files->item(0)->text(), QString::fromUtf8("対局.棋譜"));
    EXPECT_EQ(files->item(1)->text(), QString::fromUtf8("\uFFFD.棋譜"));

    BoxAnswerer boxes;
    初期設定(s);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(0)).center());
    EXPECT_EQ(s.hist.SAISHU_TESU(), 1);
    EXPECT_EQ(s.hist.BAN_RIREKI[1][5][5], -10);

    // Written into the folder by its real bytes.
    window.action("KIFU_WRITE")->trigger();
    QTest::keyClicks(widget<QWidget>(window, "Text1"), "new");
    QTest::mouseClick(widget<QWidget>(window, "Command1"), Qt::LeftButton);
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / folder / "new.棋譜"));
    EXPECT_EQ(boxes.texts.back(), "棋譜を書き込みました |   ");
}
