// The settings codec: any bytes as Torvane.ini. The options read, written back and read again
// are the same options, and the written bytes are stable.
#include <string>

#include "fuzz_check.h"
#include "settings/settings_codec.h"

namespace {

bool same(const SettingsValues& a, const SettingsValues& b) {
    return a.background == b.background && a.guidance == b.guidance && a.clock == b.clock &&
           a.music == b.music;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<SettingsLine> lines = decodeSettings(bytes);
    for (const SettingsLine& l : lines)
        FUZZ_CHECK(
            l.key != SettingsKey::None && (l.background == 0 || backgroundName(l.background) != ""),
            "line key %d background %d", int(l.key), l.background);
    const SettingsValues read = settingsFrom(lines);
    FUZZ_CHECK(read.background == 0 || (read.background >= 5 && read.background <= 9),
               "background %d", read.background);
    const std::string written = encodeSettings(read);
    const SettingsValues again = settingsFrom(decodeSettings(written));
    FUZZ_CHECK(same(again, read), "options %d %d %d %d read back as %d %d %d %d", read.background,
               read.guidance, read.clock, read.music, again.background, again.guidance, again.clock,
               again.music);
    FUZZ_CHECK(encodeSettings(again) == written, "the written file is not stable");
    return 0;
}
