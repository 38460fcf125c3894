#pragma once
#include <QAbstractNativeEventFilter>
#include <cstdint>

class QWidget;

// Closes of a window that Qt does not deliver on X, turned into close events of the window:
// - the window destroyed from outside (xdotool windowclose, a crashed window manager), after
//   which the program would run on with no window;
// - the window manager's close while a modal box blocks the window, which Qt drops.
class WindowCloseWatch : public QAbstractNativeEventFilter {
public:
    // Reads the atoms of the close request from the X connection, if there is one.
    explicit WindowCloseWatch(QWidget& window);
    // With given atoms, for a test without X.
    WindowCloseWatch(QWidget& window, std::uint32_t protocols, std::uint32_t deleteWindow);
    ~WindowCloseWatch() override;
    WindowCloseWatch(const WindowCloseWatch&) = delete;
    WindowCloseWatch& operator=(const WindowCloseWatch&) = delete;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

    // The X events, as a test builds them.
    static constexpr std::uint8_t DESTROY_NOTIFY = 17;
    static constexpr std::uint8_t CLIENT_MESSAGE = 33;

private:
    QWidget& window_;
    std::uint32_t protocols_ = 0, deleteWindow_ = 0;
};
