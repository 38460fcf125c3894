#include "settings/settings_file.h"

SettingsRead readSettingsFile(const std::filesystem::path& path) {
    SettingsRead r;
    WholeFile f = readWholeFile(path, SETTINGS_FILE_MAX_BYTES);
    if (f.status == ReadStatus::Missing) return r;
    if (f.status == ReadStatus::Ok) {
        r.status = SettingsRead::Ok;
        r.lines = decodeSettings(f.bytes);
        return r;
    }
    r.status = SettingsRead::Unreadable;
    // A folder of that name is the player's own, and no file could replace it anyway.
    std::error_code ec;
    if (std::filesystem::is_directory(std::filesystem::symlink_status(path, ec))) return r;
    std::filesystem::path kept = path;
    kept += SETTINGS_KEPT_SUFFIX;
    if (moveAside(path, kept)) r.keptAs = kept;
    return r;
}

FileResult writeSettingsFile(const std::filesystem::path& path, const SettingsValues& v) {
    if (replaceFile(path, encodeSettings(v))) return {};
    return {false, "環境設定ﾌｧｲﾙを作成できません\n\n" + displayName(path.filename().native())};
}
