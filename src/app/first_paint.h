#pragma once
// Start-up measurement shared by the game and the bare reference window of bench/: the time
// from launch to the first painted frame and the resident memory at that moment.
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace first_paint {

// Milliseconds since launch: from TORVANE_LAUNCH_US (microseconds of the real-time clock,
// taken by the launcher just before exec), or else from the process start time the kernel
// keeps (10 ms steps).
inline double sinceLaunchMs() {
    timespec now{};
    if (const char* launch = std::getenv("TORVANE_LAUNCH_US"); launch && *launch) {
        clock_gettime(CLOCK_REALTIME, &now);
        const double us = double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1e3;
        return (us - std::strtod(launch, nullptr)) / 1e3;
    }
    std::ifstream in("/proc/self/stat");
    std::string line;
    std::getline(in, line);
    const auto close = line.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    // Field 22 of the line, the 20th after the command name.
    for (int i = 0; i < 20 && fields >> field; ++i) {
    }
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double ticks = double(sysconf(_SC_CLK_TCK));
    return (double(now.tv_sec) + double(now.tv_nsec) / 1e9 -
            std::strtod(field.c_str(), nullptr) / ticks) *
           1e3;
}

// VmRSS of this process in kB.
inline long residentKb() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Processor time of every thread so far, user and system, in milliseconds.
inline double processorMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

// Calls `then` once, right after the widget's first paint has been put on the screen.
class Watch : public QObject {
public:
    Watch(QWidget* widget, std::function<void()> then) : QObject(widget), then_(std::move(then)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            watched->removeEventFilter(this);
            // Queued: the window flushes the frame once every widget of it is painted.
            QTimer::singleShot(0, this, then_);
        }
        return false;
    }

private:
    std::function<void()> then_;
    bool seen_ = false;
};

inline bool exitRequested() {
    const char* v = std::getenv("TORVANE_EXIT_AFTER_FIRST_PAINT");
    return v && *v && std::string(v) != "0";
}

// TORVANE_EXIT_AFTER_FIRST_PAINT=1: print "first_paint_ms=… cpu_ms=… rss_kb=…" after the widget's
// first frame and end the process at once, without the usual shutdown.
inline void exitAfterFirstPaint(QWidget* widget) {
    new Watch(widget, [] {
        std::printf("first_paint_ms=%.2f cpu_ms=%.1f rss_kb=%ld\n", sinceLaunchMs(), processorMs(),
                    residentKb());
        std::fflush(stdout);
        std::_Exit(0);
    });
}

}  // namespace first_paint
