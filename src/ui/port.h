#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "ui/reader_view.h"

// Everything the game logic needs from the outside world. The Qt window implements it;
// the tests use a recording fake; the headless tool uses a silent one.
// Positions are in twips (ui/geometry.h); colours are the standard numbers (ui/colours.h).
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };
enum class Sound { SONOTA, KINSHI, KOMA, BGM, SHOUMETSU };
inline constexpr std::size_t SOUND_KINDS = 5;  // the values of Sound

// The port by roles, so that a procedure can be handed only the part it uses.

// Canvas. A picture is named by the code passed to 描画_絵: 0 the empty square, a piece code,
// 5..9 a background tile, -3 the title.
class DrawingPort {
public:
    virtual ~DrawingPort() = default;
    virtual void drawPicture(int code, double left, double top) = 0;
    virtual void drawOutline(int colour, double left, double top, double right, double bottom) = 0;
    virtual void drawText(double left, double top, std::string_view text, int colour, int size,
                          bool bold) = 0;
    virtual void flush() = 0;
};

class DialogPort {
public:
    virtual ~DialogPort() = default;
    // A modal message box; text and title are UTF-8.
    virtual Answer message(std::string_view text, std::string_view title, Buttons buttons) = 0;
    // Shows the version box Form2 modally; true when its "ホームページ" button closed it.
    virtual bool showVersionBox() = 0;
    // Opens a local file path or a web address in the user's browser.
    virtual void browse(std::string_view target) = 0;
};

class ClockPort {
public:
    virtual ~ClockPort() = default;
    // The 50 ms clock timer.
    virtual void setTimer(bool enabled) = 0;
    // Seconds since midnight, single precision as the clocks keep it.
    virtual float timeOfDay() = 0;
    // The short pause of the animations; no window events are handled meanwhile.
    virtual void wait(double seconds) = 0;
};

class SoundPort {
public:
    virtual ~SoundPort() = default;
    virtual void playSound(Sound sound) = 0;
    virtual void loopSound(Sound sound) = 0;
    virtual void stopSound(Sound sound) = 0;
    // Sound device and buffers; the window maps them onto the sound library (dsInitialize,
    // dsCreateDSB, dsFree, dsTerminate). openSound answers false when there is no device.
    virtual bool openSound() = 0;
    // Makes the buffer of a sound from the whole bytes of its wave file; flag 3 for the short
    // effects, 1 for the music and the vanish sound.
    virtual void loadSound(Sound sound, std::string bytes, int flag) = 0;
    virtual void freeSound(Sound sound) = 0;
    virtual void closeSound() = 0;
};

class WindowPort {
public:
    virtual ~WindowPort() = default;
    // The check mark of a menu item, named as in the menus ("KEIKA", "BGM", "LEVEL1", ...).
    virtual void setChecked(std::string_view item, bool checked) = 0;
    // Places the window at the top-left of the screen with this size in twips, unless it is
    // maximised.
    virtual void placeWindow(double width, double height) = 0;
    // Ends the program once the current event has been handled.
    virtual void quit() = 0;
};

// The record panel: the drive list Drive1, the directory list Dir1, the file list File1
// (files "*.棋譜"), the name boxes Text1..Text4 with their labels and the button Command1.
class RecordPanelPort {
public:
    virtual ~RecordPanelPort() = default;
    virtual void showRecordLists(bool drive, bool directory, bool file) = 0;
    // Text1..Text4, their labels and Command1.
    virtual void showRecordInputs(bool shown) = 0;
    virtual void clearRecordInputs() = 0;
    // The text of Text1..Text4 (box 1..4), UTF-8.
    virtual std::string recordInput(int box) = 0;
    // The drive chosen in Drive1: the path of its top directory.
    virtual std::string recordDrive() = 0;
    // Dir1's directory, and moving it elsewhere: false when that directory cannot be opened
    // (the list then stays as it was).
    virtual std::string recordDirectory() = 0;
    virtual bool setRecordDirectory(std::string_view path) = 0;
    // File1's directory; setting it lists the record files there.
    virtual std::string recordFileDirectory() = 0;
    virtual void setRecordFileDirectory(std::string_view path) = 0;
    // Reads File1's directory again.
    virtual void refreshRecordFiles() = 0;
};

// Every role: what the Qt window, the recording fake and the silent port implement.
class Port : public DrawingPort,
             public DialogPort,
             public ClockPort,
             public SoundPort,
             public WindowPort,
             public RecordPanelPort,
             public ReaderPort {};

// A port that draws nothing, waits for nothing and answers every message with OK.
class SilentPort : public Port {
public:
    void drawPicture(int, double, double) override {}
    void drawOutline(int, double, double, double, double) override {}
    void drawText(double, double, std::string_view, int, int, bool) override {}
    void flush() override {}
    Answer message(std::string_view, std::string_view, Buttons) override { return Answer::Ok; }
    void setChecked(std::string_view, bool) override {}
    void setTimer(bool) override {}
    float timeOfDay() override { return 0.0f; }
    void wait(double) override {}
    void playSound(Sound) override {}
    void loopSound(Sound) override {}
    void stopSound(Sound) override {}
    void browse(std::string_view) override {}
    bool openSound() override { return false; }
    void loadSound(Sound, std::string, int) override {}
    void freeSound(Sound) override {}
    void closeSound() override {}
    void placeWindow(double, double) override {}
    bool showVersionBox() override { return false; }
    void quit() override {}
    void showRecordLists(bool, bool, bool) override {}
    void showRecordInputs(bool) override {}
    void clearRecordInputs() override {}
    std::string recordInput(int) override { return {}; }
    std::string recordDrive() override { return {}; }
    std::string recordDirectory() override { return {}; }
    bool setRecordDirectory(std::string_view) override { return false; }
    std::string recordFileDirectory() override { return {}; }
    void setRecordFileDirectory(std::string_view) override {}
    void refreshRecordFiles() override {}
};
