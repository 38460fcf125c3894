#include "play/record_panel.h"

#include "play/setup.h"
#include "play/state.h"
#include "record/record_file.h"
#include "ui/colours.h"
#include "ui/geometry.h"

double 取得_棋譜のX座標(std::string_view text) {
    return セル左(3 + (13 - static_cast<double>(charCount(text))) / 5);
}

bool KIFU_WRITE_Click(const GameState& g, DialogPort& dialog) {
    if (g.HANTEN()) {
        dialog.message("反転後は書き込みできません", "棋譜書込", Buttons::Ok);
        return false;
    }
    if (g.HANDE_SETTEI()) {
        dialog.message("ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません", "棋譜書込", Buttons::Ok);
        return false;
    }
    return true;
}

FileResult 書込_棋譜(const History& h, const GameState& g, DialogPort& dialog,
                     const std::filesystem::path& directory, std::string_view fileName,
                     std::string_view gameName, std::string_view senteName,
                     std::string_view goteName, const std::function<void()>& closePanel) {
    auto refuse = [&](std::string text, std::string_view title) {
        dialog.message(text, title, Buttons::Ok);
        return FileResult{false, std::move(text)};
    };
    if (fileName.empty()) return refuse("ﾌｧｲﾙ名が入力されていません", "  ");
    if (h.SAISHU_TESU() < 1) return refuse("保存するデータがありません", "棋譜保存");
    // The name is one file of the chosen directory: a "/" would reach into another one.
    if (fileName.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
        return refuse("棋譜ﾌｧｲﾙを作成できません\n\n" + std::string(fileName) + ".棋譜", "棋譜保存");

    // Line 2 names the player at the top of the board, who is COM's side.
    const bool manFirst = g.TEBAN_MAN() == SENTE_BAN;
    std::string_view comName = manFirst ? goteName : senteName;
    std::string_view manName = manFirst ? senteName : goteName;
    FileResult r = writeRecordFile(h, directory / (std::string(fileName) + ".棋譜"), gameName,
                                   comName, manName);
    if (!r.ok) return refuse(r.message, "棋譜保存");
    if (closePanel) closePanel();
    dialog.message("棋譜を書き込みました", "  ", Buttons::Ok);
    return r;
}

FileResult 読込_棋譜(State& s, const std::filesystem::path& path) {
    std::string bytes;
    // Read before anything is reset, so that an unreadable file leaves the game as it was.
    FileResult r = readRecordFile(path, bytes);
    if (!r.ok) {
        s.dialog.message(r.message, "棋譜", Buttons::Ok);
        return r;
    }
    読込_棋譜内容(s, bytes);
    return r;
}

void 読込_棋譜内容(State& s, std::string_view bytes) {
    初期設定(s);
    s.game.recordLoading();
    const RecordContents contents = decodeRecord(bytes, s.hist);

    struct Header {
        double shift, top;
        int colour;
    };
    static constexpr Header headers[] = {
        {-3000, 6350, colours::LIGHT_RED}, {0, 100, colours::WHITE}, {0, 6350, colours::WHITE}};
    for (std::size_t i = 0; i < contents.header.size(); ++i) {
        const Header& h = headers[i];
        const std::string& line = contents.header[i];
        s.canvas.paint.drawText(取得_棋譜のX座標(line) + h.shift, h.top, line, h.colour, 12, false);
    }
    const int count = contents.entries;
    const bool cut = contents.cut;
    s.game.recordLoaded(s.hist, count);

    if (count == 0) {
        s.dialog.message("棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません", "棋譜", Buttons::Ok);
        return;
    }
    if (cut)
        s.dialog.message("棋譜が長すぎるため 500手目までを読み込みました", "棋譜", Buttons::Ok);
    s.dialog.message(" 読み込みました", "棋譜", Buttons::Ok);
    s.dialog.message("棋譜を '進 'で進めて下さい", "棋譜", Buttons::Ok);
    s.game.recordShown();
}
