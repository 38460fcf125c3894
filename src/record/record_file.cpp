#include "record/record_file.h"

namespace {

// The name as the player sees it, whatever its bytes.
std::string fileLabel(const std::filesystem::path& path) {
    return displayName(path.filename().native());
}

}  // namespace

FileResult readRecordFile(const std::filesystem::path& path, std::string& bytes) {
    WholeFile f = readWholeFile(path, RECORD_FILE_MAX_BYTES);
    if (f.status == ReadStatus::TooLarge)
        return {false, "棋譜ﾌｧｲﾙが大きすぎます\n\n" + fileLabel(path)};
    if (f.status != ReadStatus::Ok) return {false, "棋譜ﾌｧｲﾙを開けません\n\n" + fileLabel(path)};
    bytes = std::move(f.bytes);
    return {};
}

FileResult writeRecordFile(const History& h, const std::filesystem::path& path,
                           std::string_view gameName, std::string_view comName,
                           std::string_view manName) {
    if (!replaceFile(path, encodeRecord(h, h.SAISHU_TESU(), gameName, comName, manName)))
        return {false, "棋譜ﾌｧｲﾙを作成できません\n\n" + fileLabel(path)};
    return {};
}
