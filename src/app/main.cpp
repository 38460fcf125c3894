// The desktop program: the Qt window, the game state on it, and the sound library.
#include <QApplication>
#include <QFile>
#include <memory>
#include <utility>

#include "app/desktop.h"
#include "app/wiring.h"
#include "files/text_file.h"
#include "play/startup.h"
#include "play/state.h"
#include "ui/qt/artwork.h"
#include "ui/qt/fonts.h"
#include "ui/qt/interface_language.h"
#include "ui/qt/main_window.h"
#include "ui/qt/memory.h"
#include "ui/qt/sound_backend.h"
#include "ui/qt/window_close_watch.h"

#ifdef TORVANE_SOUND_LIBRARY
#include "app/library_sound.h"
#endif

int main(int argc, char** argv) {
    // A write past the file-size limit fails with the usual message instead of ending the game.
    ignoreFileSizeSignal();
    returnLargeBuffersToTheSystem();
    // The wave files are read while the window is made.
    Places places;
    choosePlaces(places);
    readWavesAhead(places);
    explainMissingDisplay();
    QApplication app(argc, argv);
    displayOpened();
    QApplication::setApplicationName(QStringLiteral("torvane"));
    setDesktopIdentity();
    useInterfaceFont();
    warnOfMissingJapaneseFont();

    // The desktop's language when the game speaks it (its catalogue lies with the data), else
    // Japanese, with Qt's standard buttons in Japanese too.
    installInterfaceLanguage(app, QFile::decodeName(places.dataDir.c_str()));

    // The pictures painted last time: the first frame need not paint them again.
    keepPicturesIn(picturesFile());

#ifdef TORVANE_SOUND_LIBRARY
    LibrarySound sound;
    MainWindow window(&sound);
#else
    MainWindow window;
#endif
    WindowCloseWatch closeWatch(window);
    auto state = std::make_unique<State>(window);
    State& s = *state;
    s.places = std::move(places);
    window.setHandlers(gameHandlers(s));
    window.run([&s] {
        Form_Load(s);
        読上げ更新(s);
    });
    // The sounds are decoded once the window is on the screen.
#ifdef TORVANE_SOUND_LIBRARY
    window.whenSoundsReady([&s, &sound] { reportFiles(s.places, sound.loaded); });
#else
    window.whenSoundsReady([&s] { reportFiles(s.places, 0); });
#endif
    window.afterFirstFrame(setWindowIcon);
    if (window.quitting()) return 0;
    window.show();
    const int status = QApplication::exec();
    savePictures();
    return status;
}
