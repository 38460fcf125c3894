// The English interface: which language the desktop gets, a catalogue that covers every text
// the game hands to the window, texts composed from parts, and records that do not depend on
// the language they were written in.
#include <QAccessible>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "../temp_dir.h"
#include "../../testkit/mode_seam.h"
#include "play/setup.h"
#include "play/state.h"
#include "play/window_events.h"
#include "ui/qt/interface_language.h"
#include "ui/qt/interface_texts.h"
#include "ui/qt/menus.h"
#include "ui/qt/version_box.h"
#include "window_fixture.h"

namespace {

const QString CATALOGUES = QStringLiteral(TORVANE_CATALOGUE_DIR);

QString english(const char* source, const char* comment = nullptr) {
    return QCoreApplication::translate("Torvane", source, comment);
}

// Kana, kanji, full-width and half-width forms: what an English text must not hold.
bool hasJapanese(const QString& text) {
    for (QChar c : text)
        if ((c.unicode() >= 0x3000 && c.unicode() <= 0x9fff) ||
            (c.unicode() >= 0xff00 && c.unicode() <= 0xffef))
            return true;
    return false;
}

// English for the length of one test, Japanese again after it.
class InEnglish : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(installInterfaceLanguage(*qApp, CATALOGUES, {"en-US"}), "en");
    }
    void TearDown() override { installInterfaceLanguage(*qApp, CATALOGUES, {"C"}); }
};

}  // namespace

TEST(InterfaceLanguage, TheFirstDesktopLanguageWithACatalogueOrJapaneseWins) {
    TempDir empty;
    const QString none = QString::fromStdString(empty.path().string());
    const struct {
        QStringList desktop;
        QString directory, chosen;
    } cases[] = {
        {{"en-US", "en"}, CATALOGUES, "en"},
        {{"en_GB.UTF-8"}, CATALOGUES, "en"},
        {{"fr-FR", "fr", "en"}, CATALOGUES, "en"},  // LANGUAGE=fr:en
        {{"ja-JP", "en"}, CATALOGUES, "ja"},        // Japanese first is Japanese
        {{"fr-FR"}, CATALOGUES, "ja"},              // no catalogue: the source text
        {{"C"}, CATALOGUES, "ja"},                  // the tests' own locale
        {{"POSIX"}, CATALOGUES, "ja"},
        {{}, CATALOGUES, "ja"},
        {{"en-US"}, none, "ja"},  // a catalogue missing from the data directory
    };
    for (const auto& c : cases)
        EXPECT_EQ(chooseInterfaceLanguage(c.desktop, c.directory), c.chosen)
            << c.desktop.join(':').toStdString();
    EXPECT_EQ(interfaceLanguage(), "ja");
}

TEST(InterfaceLanguage, TheKeptCatalogueHasNoUnfinishedEntry) {
    std::ifstream in(TORVANE_SOURCE_DIR "/translations/torvane_en.ts");
    std::stringstream ts;
    ts << in.rdbuf();
    ASSERT_NE(ts.str().find("<name>Torvane</name>"), std::string::npos);
    EXPECT_EQ(ts.str().find("type=\"unfinished\""), std::string::npos);
    EXPECT_EQ(ts.str().find("type=\"vanished\""), std::string::npos);
}

TEST_F(InEnglish, EveryListedTextAndPatternHasEnglish) {
    for (const InterfaceText& t : interfaceTexts()) {
        const QString e = english(t.source, *t.comment ? t.comment : nullptr);
        EXPECT_FALSE(e.isEmpty() || e == QString::fromUtf8(t.source) || hasJapanese(e))
            << t.source << " -> " << e.toStdString();
    }
    for (const char* p : interfacePatterns())
        EXPECT_TRUE(english(p).contains("%1") && !hasJapanese(english(p))) << p;
}

// The string literals of a line of C++, escapes kept as written.
static std::vector<std::string> literalsOf(const std::string& line) {
    std::vector<std::string> found;
    for (std::size_t i = line.find('"'); i != std::string::npos; i = line.find('"', i + 1)) {
        std::string text;
        std::size_t j = i + 1;
        for (; j < line.size() && line[j] != '"'; ++j) {
            if (line[j] == '\\' && j + 1 < line.size()) text += line[j++];
            text += line[j];
        }
        if (j >= line.size()) break;
        found.push_back(text);
        i = j;
    }
    return found;
}

// Every Japanese literal of the layers below the window is a text with English, a paragraph
// of one, or a piece of a pattern: a message added without English fails here.
TEST_F(InEnglish, EveryJapaneseLiteralOfTheGameLayersIsCovered) {
    std::set<QString> whole, pieces;
    for (const InterfaceText& t : interfaceTexts()) whole.insert(QString::fromUtf8(t.source));
    for (const char* p : interfacePatterns())
        for (const QString& piece : QString::fromUtf8(p).split("%1")) pieces.insert(piece);
    // Not shown in the window: file names, settings keys and values.
    const std::set<std::string> skipped = {"src/settings/settings_codec.cpp", "src/play/places.h"};
    int seen = 0;
    const std::filesystem::path root = TORVANE_SOURCE_DIR;
    for (const char* layer : {"src/play", "src/record", "src/settings", "src/files", "src/ui"}) {
        for (const auto& f : std::filesystem::directory_iterator(root / layer)) {
            const std::string name = std::filesystem::relative(f.path(), root).string();
            if (!f.is_regular_file() || skipped.count(name)) continue;
            std::ifstream in(f.path());
            for (std::string line; std::getline(in, line);) {
                if (line.find_first_not_of(' ') != std::string::npos &&
                    line.compare(line.find_first_not_of(' '), 2, "//") == 0)
                    continue;
                for (const std::string& found : literalsOf(line)) {
                    QString text = QString::fromStdString(found);
                    if (!hasJapanese(text) || text.startsWith('.')) continue;
                    ++seen;
                    text.replace("\\n", "\n");
                    for (const QString& part : text.split("\n\n", Qt::SkipEmptyParts)) {
                        const bool covered =
                            whole.count(part) ||
                            std::any_of(pieces.begin(), pieces.end(),
                                        [&](const QString& p) { return p.contains(part); });
                        EXPECT_TRUE(covered) << name << ": " << part.toStdString();
                    }
                }
            }
        }
    }
    EXPECT_GT(seen, 100);  // the scan found the game's texts at all
}

TEST_F(InEnglish, ComposedTextsAreTranslatedByTheirParts) {
    const struct {
        const char *japanese, *english;
    } cases[] = {
        {"MANの番です", "Your move"},
        {"棋譜ﾌｧｲﾙを開けません\n\n/home/u/対局.棋譜",
         "The record file cannot be opened\n\n/home/u/対局.棋譜"},
        {"対局途中ではできません\n\n局面→最初にして下さい",
         "Not possible during a game\n\nChoose Position → First move first"},
        {"BGM.wav は大きすぎるため読み込めません（16MBまで）",
         "BGM.wav is too large to read (16 MB at most)"},
        {"禁止.wav を読み込めません", "禁止.wav cannot be read"},
        {"環境設定ﾌｧｲﾙを読み込めないため、標準の設定にしました\n\n元のﾌｧｲﾙは Torvane.ini.bad "
         "に残しました",
         "The settings file cannot be read, so the standard settings are used\n\n"
         "The old file was kept as Torvane.ini.bad"},
        {"ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級", "Handicap: 10 kyu"},
        {"七", "7"},
        {"７", "7"},
        {"飛成", "+R"},
        // A player's name, a clock and the bare pattern pieces stay as they are.
        {"名人戦", "名人戦"},
        {"00:01:05", "00:01:05"},
        {" を読み込めません", " を読み込めません"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(translated(c.japanese), c.english) << c.japanese;
}

TEST(InterfaceLanguage, JapaneseTextsPassUntouched) {
    ASSERT_EQ(installInterfaceLanguage(*qApp, CATALOGUES, {"ja"}), "ja");
    for (const InterfaceText& t : interfaceTexts())
        EXPECT_EQ(translated(t.source), QString::fromUtf8(t.source));
    EXPECT_EQ(localizedPage("/x/Torvane.htm"), "/x/Torvane.htm");
}

TEST_F(InEnglish, TheHelpPageBesideTheJapaneseOneIsChosen) {
    TempDir dir;
    TempDir::write(dir / "Torvane.htm", "");
    const QString page = QString::fromStdString((dir / "Torvane.htm").string());
    EXPECT_EQ(localizedPage(page), page);  // no English page: the Japanese one
    TempDir::write(dir / "Torvane_en.htm", "");
    EXPECT_EQ(localizedPage(page), QString::fromStdString((dir / "Torvane_en.htm").string()));
}

TEST_F(InEnglish, MenusVersionBoxAndPanelCaptionsAreEnglish) {
    QMenuBar bar;
    const auto actions = buildMenus(&bar, [](const std::string&) {});
    EXPECT_EQ(actions.at("TAIKYOKU")->text(), "Game");
    EXPECT_EQ(actions.at("REPLAY")->text(), "Back");
    EXPECT_EQ(actions.at("OWARI")->text(), "Quit");
    for (const auto& [control, action] : actions)
        EXPECT_FALSE(action->text().isEmpty() || hasJapanese(action->text())) << control;
    // The same words as a message are not the menu's: 終わり at the end of a record.
    EXPECT_EQ(translated("終わり"), "That was the last move");

    VersionBox box(nullptr);
    EXPECT_EQ(box.windowTitle(), "About Torvane");
    for (auto* w : box.findChildren<QLabel*>()) EXPECT_FALSE(hasJapanese(w->text()));
    for (auto* w : box.findChildren<QPushButton*>()) EXPECT_FALSE(hasJapanese(w->text()));

    MainWindow window;
    window.showRecordInputs(true);
    for (int i = 0; i < 4; ++i) {
        auto* label = window.findChild<QLabel*>(QStringLiteral("Label1(%1)").arg(i));
        ASSERT_NE(label, nullptr);
        EXPECT_FALSE(hasJapanese(label->text())) << label->text().toStdString();
        // The longer captions are set smaller to keep to the room left of their boxes.
        EXPECT_LE(QFontMetricsF(label->font()).horizontalAdvance(label->text()),
                  label->width() - 2);
        EXPECT_LT(label->font().pixelSize(), 12) << i;
    }
    // What a reader says: the whole move in English, its file digit included.
    ReaderView v;
    v.sides = {"あなた", "COM"};
    v.squares[5 * 9 + 2] = {"歩", 0};
    v.moveTexts[0] = {"７", "六", "歩"};
    window.describe(v);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(window.canvas());
    ASSERT_NE(a, nullptr);
    auto name = [&](int i) { return a->child(i)->text(QAccessible::Name).toStdString(); };
    EXPECT_EQ(name(5 * 9 + 2), "76 Pawn You");
    EXPECT_EQ(name(81), "Your hand none");
    EXPECT_EQ(name(86), "COM's move none");
    EXPECT_EQ(name(85), "Your move 76 Pawn");
}

TEST(InterfaceLanguage, JapaneseMenusKeepTheirCaptions) {
    QMenuBar bar;
    const auto actions = buildMenus(&bar, [](const std::string&) {});
    EXPECT_EQ(actions.at("TAIKYOKU")->text(), QString::fromUtf8("対局"));
    EXPECT_EQ(actions.at("REPLAY")->text(), QString::fromUtf8("戻"));
    EXPECT_EQ(actions.at("LEVEL1")->text(), QString::fromUtf8("ﾚﾍﾞﾙ1"));
    EXPECT_EQ(actions.at("VER")->text(), QString::fromUtf8("バージョン情報"));
}

namespace {

// The window with the game behind it, its message boxes answered with OK and kept.
struct PanelGame {
    MainWindow window;
    std::unique_ptr<State> state = std::make_unique<State>(window);
    State& s = *state;
    QStringList boxes;
    QTimer answerer;

    explicit PanelGame(const std::filesystem::path& dir) {
        window.setHandlers({
            .mouseDown = nullptr,
            .keyPress = nullptr,
            .unload = nullptr,
            .timer = nullptr,
            .menu = [this](std::string_view c) { メニュー選択(s, c); },
            .drive1Change = nullptr,
            .dir1Change = [this] { Dir1_Change(s); },
            .file1Click = [this](std::string_view name) { File1_Click(s, name); },
            .command1Click = [this] { Command1_Click(s); },
        });
        window.show();
        初期設定(s);
        window.setRecordDirectory(dir.string());
        Dir1_Change(s);
        answerer.setInterval(0);
        QObject::connect(&answerer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes.push_back(box->text() + " | " + box->windowTitle());
                box->button(QMessageBox::Ok)->click();
            }
        });
        answerer.start();
    }

    template <class W>
    W* widget(const char* name) {
        return window.findChild<W*>(QString::fromUtf8(name));
    }

    // Two moves written under `name`, the game named in Japanese.
    void write(const char* name) {
        ModeTestSeam::SAISHU_TESU(s.hist) = 2;
        s.hist.BAN_RIREKI[1][5][5] = -10;
        s.hist.BAN_RIREKI[2][5][4] = 10;
        window.action("KIFU_WRITE")->trigger();
        widget<QLineEdit>("Text1")->setText(name);
        widget<QLineEdit>("Text2")->setText(QString::fromUtf8("名人戦"));
        widget<QLineEdit>("Text3")->setText("Habu");
        QTest::mouseClick(widget<QWidget>("Command1"), Qt::LeftButton);
    }
};

}  // namespace

TEST(InterfaceLanguage, ARecordWrittenInEnglishIsTheJapaneseRecordAndReadsBack) {
    TempDir dir;
    ASSERT_EQ(installInterfaceLanguage(*qApp, CATALOGUES, {"en"}), "en");
    {
        PanelGame english(dir.path());
        english.write("english");
        EXPECT_EQ(english.boxes, QStringList{"The record was saved |   "});
    }
    ASSERT_EQ(installInterfaceLanguage(*qApp, CATALOGUES, {"ja"}), "ja");
    PanelGame japanese(dir.path());
    japanese.write("japanese");
    const std::string bytes = TempDir::read(dir / "english.棋譜");
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes, TempDir::read(dir / "japanese.棋譜"));

    japanese.window.action("KIFU_READ")->trigger();
    auto* files = japanese.widget<QListWidget>("File1");
    auto found = files->findItems("english", Qt::MatchStartsWith);
    ASSERT_EQ(found.size(), 1);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(found[0]).center());
    EXPECT_EQ(japanese.boxes.back(), QString::fromUtf8("棋譜を '進 'で進めて下さい | 棋譜"));
    EXPECT_EQ(japanese.s.hist.SAISHU_TESU(), 2);
    EXPECT_EQ(japanese.s.hist.BAN_RIREKI[2][5][4], 10);
}
