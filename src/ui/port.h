#pragma once
#include <string_view>

// Everything the game logic needs from the outside world. The Qt window implements it;
// the tests use a recording fake; the headless tool uses a silent one.
// Positions are in twips (ui/geometry.h); colours are the standard numbers (ui/colours.h).
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };
enum class Sound { SONOTA, KINSHI, KOMA, BGM, SHOUMETSU };

class Port {
public:
    virtual ~Port() = default;

    // Canvas. A picture is named by the code passed to 描画_絵: 0 the empty square,
    // a piece code, 5..9 a background tile, -3 the title.
    virtual void drawPicture(int code, double left, double top) = 0;
    virtual void drawOutline(int colour, double left, double top, double right, double bottom) = 0;
    virtual void drawText(double left, double top, std::string_view text, int colour, int size,
                          bool bold) = 0;
    virtual void flush() = 0;

    // A modal message box; text and title are UTF-8.
    virtual Answer message(std::string_view text, std::string_view title, Buttons buttons) = 0;

    // The check mark of a menu item, named as in the menus ("KEIKA", "BGM", "LEVEL1", ...).
    virtual void setChecked(std::string_view item, bool checked) = 0;

    // The 50 ms clock timer.
    virtual void setTimer(bool enabled) = 0;
    // Seconds since midnight, single precision as the clocks keep it.
    virtual float timeOfDay() = 0;
    // The short pause of the animations; no window events are handled meanwhile.
    virtual void wait(double seconds) = 0;

    virtual void playSound(Sound sound) = 0;
    virtual void loopSound(Sound sound) = 0;
    virtual void stopSound(Sound sound) = 0;

    // Opens a local file path or a web address in the user's browser.
    virtual void browse(std::string_view target) = 0;
};

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
};
