#include "settings/settings_file.h"

namespace {

// By id 5..9.
constexpr std::string_view NAMES[5] = {"緑", "畳", "竹", "宇宙", "煉瓦"};

}  // namespace

std::string_view backgroundName(int id) { return id >= 5 && id <= 9 ? NAMES[id - 5] : ""; }

SettingsLine parseSettingsLine(std::string_view line) {
    SettingsLine l;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return l;
    const std::string_view key = line.substr(0, eq);
    const std::string_view value = line.substr(eq + 1);
    l.on = value == "ON";
    if (key == "背景画") {
        l.key = SettingsKey::Background;
        for (int id = 5; id <= 9; ++id)
            if (value == backgroundName(id)) l.background = id;
    } else if (key == "移動指導") {
        l.key = SettingsKey::Guidance;
    } else if (key == "経過時間") {
        l.key = SettingsKey::Clock;
    } else if (key == "BGM") {
        l.key = SettingsKey::Music;
    }
    return l;
}

std::string formatSettings(const SettingsValues& v) {
    std::string text;
    if (!backgroundName(v.background).empty()) {
        text += "背景画=";
        text += backgroundName(v.background);
        text += "\r\n";
    }
    text += v.guidance ? "移動指導=ON\r\n" : "移動指導=OFF\r\n";
    text += v.clock ? "経過時間=ON\r\n" : "経過時間=OFF\r\n";
    text += v.music ? "BGM=ON\r\n" : "BGM=OFF\r\n";
    return text;
}

std::optional<std::string> readSettingsFile(const std::filesystem::path& path) {
    WholeFile f = readWholeFile(path, SETTINGS_FILE_MAX_BYTES);
    if (f.status != ReadStatus::Ok) return std::nullopt;
    return fromCp932(f.bytes);
}

FileResult writeSettingsFile(const std::filesystem::path& path, const SettingsValues& v) {
    if (replaceFile(path, toCp932(formatSettings(v)))) return {};
    return {false, "環境設定ﾌｧｲﾙを作成できません\n\n" + path.filename().string()};
}
