// The settings file reader: any bytes as Torvane.ini. The options read, written back and
// read again are the same options; and start-up, which reads the real file into the game,
// takes the same options from it as the line reader does here.
#include <memory>
#include <string>

#include "play/settings.h"
#include "fuzz_check.h"
#include "play/state.h"
#include "settings/settings_file.h"
#include "ui/port.h"

namespace {

// The file's bytes line by line over the values at start-up; later lines win.
SettingsValues readSettings(std::string_view bytes) {
    SettingsValues v;
    const std::string text = fromCp932(bytes);
    LineReader lines(text);
    std::string_view line;
    while (lines.next(line)) {
        const SettingsLine l = parseSettingsLine(line);
        switch (l.key) {
            case SettingsKey::None: break;
            case SettingsKey::Background:
                if (l.background != 0) v.background = l.background;
                break;
            case SettingsKey::Guidance: v.guidance = l.on; break;
            case SettingsKey::Clock: v.clock = l.on; break;
            case SettingsKey::Music: v.music = l.on; break;
        }
    }
    return v;
}

bool same(const SettingsValues& a, const SettingsValues& b) {
    return a.background == b.background && a.guidance == b.guidance && a.clock == b.clock &&
           a.music == b.music;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const SettingsValues read = readSettings(bytes);
    FUZZ_CHECK(read.background == 0 || (read.background >= 5 && read.background <= 9),
               "background %d", read.background);
    const std::string written = toCp932(formatSettings(read));
    const SettingsValues again = readSettings(written);
    FUZZ_CHECK(same(again, read), "options %d %d %d %d read back as %d %d %d %d", read.background,
               read.guidance, read.clock, read.music, again.background, again.guidance, again.clock,
               again.music);
    FUZZ_CHECK(toCp932(formatSettings(again)) == written, "the written file is not stable");

    // Start-up reads the file into the game; every option matches the line reader.
    if (size > SETTINGS_FILE_MAX_BYTES) return 0;  // start-up replaces such a file
    static SilentPort port;
    const ScratchFile ini("Torvane.ini");
    static const std::unique_ptr<State> s = std::make_unique<State>(port);
    s->opt = Options{};  // as at start-up; the read touches nothing else that is checked
    writeBytes(ini.path(), data, size);
    FUZZ_CHECK(読込_環境設定ファイル(*s, ini.path()).ok, "a readable file was refused");
    const Options& o = s->opt;
    const int marks = o.MIDORI + o.TATAMI + o.TAKE + o.UCHU + o.RENGA;
    FUZZ_CHECK(marks == (read.background != 0 ? 1 : 0), "%d background marks for %d", marks,
               read.background);
    if (read.background != 0) FUZZ_CHECK(o.HAIKEI_NO == read.background, "background shown");
    FUZZ_CHECK((o.SIDOU_FLAG == 1) == read.guidance && (o.SIDOU_COLOR == 15) == read.guidance,
               "guidance");
    FUZZ_CHECK(o.KEIKA == read.clock && o.BGM == read.music, "clock or music");
    return 0;
}
