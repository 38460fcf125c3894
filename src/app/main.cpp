// The desktop program: the Qt window, the game state on it, and the sound library.
#include <QApplication>
#include <memory>

#include "app/bench_hooks.h"
#include "app/desktop.h"
#include "app/wiring.h"
#include "files/text_file.h"
#include "play/state.h"
#include "ui/qt/main_window.h"
#include "ui/qt/sound_backend.h"
#include "ui/qt/translations.h"

#ifdef TORVANE_SOUND_LIBRARY
#include "sound_library.h"

// The sound library behind the window's sound calls.
class LibrarySound final : public SoundBackend {
public:
    int initialize(long window) override {
        return sound_library::dsInitialize(static_cast<int>(window));
    }
    int createBuffer(int device, std::string_view bytes, int flag) override {
        const int buffer = sound_library::dsCreateDSB(device, bytes, flag);
        if (buffer != 0) ++loaded;
        return buffer;
    }
    void play(int buffer) override { sound_library::dsPlay(buffer); }
    void loop(int buffer) override { sound_library::dsPlayLooping(buffer); }
    void stop(int buffer) override { sound_library::dsStop(buffer); }
    void free(int buffer) override { sound_library::dsFree(buffer); }
    void terminate(int device) override { sound_library::dsTerminate(device); }
    int loaded = 0;  // wave files taken, for reportFiles
};
#endif

int main(int argc, char** argv) {
    // A write past the file-size limit fails with the usual message instead of ending the game.
    ignoreFileSizeSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("torvane"));
    setDesktopIdentity();

    // The standard buttons of message boxes in Japanese, like the rest of the game.
    installJapaneseQtTexts(app);

#ifdef TORVANE_SOUND_LIBRARY
    LibrarySound sound;
    MainWindow window(&sound);
#else
    MainWindow window;
#endif
    auto state = std::make_unique<State>(window);
    State& s = *state;
    choosePlaces(s);
    window.setHandlers(gameHandlers(s));
    window.run([&s] { Form_Load(s); });
#ifdef TORVANE_SOUND_LIBRARY
    reportFiles(s, sound.loaded);
#else
    reportFiles(s, 0);
#endif
    if (window.quitting()) return 0;
    startBenchHooks(window, s);  // off unless bench/ asks for one
    window.show();
    return QApplication::exec();
}
