#include "settings/settings_codec.h"

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

std::vector<SettingsLine> decodeSettings(std::string_view bytes) {
    constexpr std::string_view BOM = "\xEF\xBB\xBF";
    std::string text;
    if (bytes.starts_with(BOM))
        text = bytes.substr(BOM.size());
    else if (isUtf8(bytes))
        text = bytes;
    else
        text = fromCp932(bytes);
    std::vector<SettingsLine> lines;
    LineReader reader(text);
    std::string_view line;
    while (reader.next(line))
        if (const SettingsLine l = parseSettingsLine(line); l.key != SettingsKey::None)
            lines.push_back(l);
    return lines;
}

SettingsValues settingsFrom(const std::vector<SettingsLine>& lines, SettingsValues v) {
    for (const SettingsLine& l : lines) switch (l.key) {
            case SettingsKey::None: break;
            case SettingsKey::Background:
                if (l.background != 0) v.background = l.background;
                break;
            case SettingsKey::Guidance: v.guidance = l.on; break;
            case SettingsKey::Clock: v.clock = l.on; break;
            case SettingsKey::Music: v.music = l.on; break;
        }
    return v;
}

std::string encodeSettings(const SettingsValues& v) { return toCp932(formatSettings(v)); }
