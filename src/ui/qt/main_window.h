#pragma once
#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/port.h"
#include "ui/qt/window_handlers.h"

class AnswerBox;
class CanvasWidget;
class QAction;
class RecordPanel;
class SoundBackend;

// Form1, the game's main window: the canvas under the menu bar, the clock timer, message
// boxes, the version box and the sound buffers, all offered to the game through the port.
//
// One event at a time reaches the game: while a handler runs (a click with COM's reply, a
// message box, a wait) further clicks, keys, menu commands and timer ticks are dropped, and
// a close is put off until the handler is done.
class MainWindow : public QMainWindow, public Port {
public:
    // The sound backend may be null (no sound); it must outlive the window.
    explicit MainWindow(SoundBackend* sound = nullptr);
    ~MainWindow() override;

    void setHandlers(WindowHandlers handlers) { handlers_ = std::move(handlers); }
    // Runs one piece of game logic as an event of the window (Form_Load, for one).
    void run(const std::function<void()>& handler);

    CanvasWidget* canvas() const { return canvas_; }
    RecordPanel* recordPanel() { return &panel(); }
    QAction* action(const std::string& control) const;
    // The wall clock's milliseconds since midnight, read once as the window is made; a test
    // may put its own in place before making a window.
    static inline qint64 (*wallClock)() = nullptr;
    // Whether the program is ending (quit() or the window closed).
    bool quitting() const { return quitting_; }
    // Calls `then` once the loaded sounds are decoded (after the first frame), or at once.
    void whenSoundsReady(std::function<void()> then);
    // Calls `then` just after the window's first frame reaches the screen, or at once.
    void afterFirstFrame(std::function<void()> then);

    // Port
    void drawPicture(int code, double left, double top) override;
    void drawOutline(int colour, double left, double top, double right, double bottom) override;
    void drawText(double left, double top, std::string_view text, int colour, int size,
                  bool bold) override;
    void flush() override;
    Answer message(std::string_view text, std::string_view title, Buttons buttons) override;
    void setChecked(std::string_view item, bool checked) override;
    void setTimer(bool enabled) override;
    float timeOfDay() override;
    void wait(double seconds) override;
    void playSound(Sound sound) override;
    void loopSound(Sound sound) override;
    void stopSound(Sound sound) override;
    void browse(std::string_view target) override;
    bool openSound() override;
    void loadSound(Sound sound, std::string bytes, int flag) override;
    void freeSound(Sound sound) override;
    void closeSound() override;
    void placeWindow(double width, double height) override;
    bool showVersionBox() override;
    void quit() override;
    void showRecordLists(bool drive, bool directory, bool file) override;
    void showRecordInputs(bool shown) override;
    void clearRecordInputs() override;
    std::string recordInput(int box) override;
    std::string recordDrive() override;
    std::string recordDirectory() override;
    bool setRecordDirectory(std::string_view path) override;
    std::string recordFileDirectory() override;
    void setRecordFileDirectory(std::string_view path) override;
    void refreshRecordFiles() override;
    void describe(const ReaderView& view) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void menuChosen(const std::string& control);
    // The menu bar lets go of the keyboard and its highlight.
    void leaveMenuBar();
    void afterHandler();
    void finishQuit();
    int buffer(Sound sound) const;
    void decodeSounds();
    // A buffer of the library for sound i; why it refused the bytes, if it says, goes to refused.
    int createBuffer(std::size_t i, std::string_view bytes, int flag,
                     std::vector<std::string>& refused);
    void soundsSettled();

    CanvasWidget* canvas_;
    RecordPanel& panel();
    RecordPanel* panel_ = nullptr;
    QString startDirectory_, startFileDirectory_;  // given before the panel was made
    std::array<AnswerBox*, 2> boxes_{};  // the message boxes, Ok and YesNo, made on first use
    WindowHandlers handlers_;
    std::map<std::string, QAction*> actions_;
    std::map<std::string, bool> checks_;  // the marks as the game set them
    QTimer* timer_;                       // Timer1
    // The time of day runs on from the wall clock's reading at the start with a monotonic
    // clock, so a step of the wall clock (NTP, summer time) is never read as a move's time.
    qint64 dayStartMs_ = 0;
    QElapsedTimer sinceStart_;
    SoundBackend* sound_;
    int device_ = 0;
    std::array<int, SOUND_KINDS> buffers_{};  // by Sound
    // Until the first frame is on the screen the wave files are only kept, so the window
    // shows sooner; what the game asked of them meanwhile is done once they are decoded.
    struct Pending {
        std::string bytes;
        int flag = 0;
        bool looping = false;
    };
    std::array<std::optional<Pending>, SOUND_KINDS> pending_;
    bool soundsDeferred_ = true;
    bool framed_ = false;  // the first frame is painted
    bool firstFrameShown_ = false;
    std::vector<std::function<void()>> afterFirstFrame_;
    std::function<void()> soundsReady_;
    bool busy_ = false;
    bool waiting_ = false;
    bool closeRequested_ = false;
    bool quitRequested_ = false;
    bool escapeRequested_ = false;  // Esc pressed during a wait, for the game afterwards
    bool quitting_ = false;
};
