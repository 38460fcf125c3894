// Measures a program's start-up from outside, as a player sees it: starts the program, polls
// the X server until a window of that process is mapped and shows painted pixels, then prints
//   first_paint_ms=… cpu_ms=… rss_kb=…
// (time since the start, processor time of all its threads and its resident memory at that
// moment) and kills the program. Needs a screen whose root is black (Xvfb -br): a window shows
// black until its program first paints it.
//
//   torvane-window-watch PROGRAM [ARGUMENTS…]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

long residentKb(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// The scheduler's own count of every thread, far finer than utime and stime.
double processorMs(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    double ns = 0;
    if (DIR* dir = opendir(tasks.c_str())) {
        while (dirent* e = readdir(dir)) {
            if (e->d_name[0] == '.') continue;
            std::ifstream in(tasks + "/" + e->d_name + "/schedstat");
            double n = 0;
            if (in >> n) ns += n;
        }
        closedir(dir);
    }
    return ns / 1e6;
}

long windowPid(Display* d, Window w, Atom pidAtom) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(d, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data && count == 1 && format == 32)
        pid = *reinterpret_cast<long*>(data);
    if (data) XFree(data);
    return pid;
}

// A viewable window of the process, searched down from the root (a window manager puts
// frames in between); 0 if there is none yet.
Window findWindow(Display* d, Window parent, pid_t pid, Atom pidAtom, int depth = 0) {
    Window root, up, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, parent, &root, &up, &children, &n)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < n && !found; ++i) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable) continue;
        if (a.width > 1 && a.height > 1 && windowPid(d, children[i], pidAtom) == pid)
            found = children[i];
        else if (depth < 2)
            found = findWindow(d, children[i], pid, pidAtom, depth + 1);
    }
    if (children) XFree(children);
    return found;
}

bool painted(Display* d, Window w) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return false;
    XImage* image = XGetImage(d, w, a.width / 2, a.height / 2, 1, 1, AllPlanes, ZPixmap);
    if (!image) return false;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return (pixel & 0xffffff) != 0;
}

int ignoreErrors(Display*, XErrorEvent*) { return 0; }  // a window may vanish while looked at

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "window-watch: no X display\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    const Atom pidAtom = XInternAtom(d, "_NET_WM_PID", False);

    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    Window w = 0;
    while (Clock::now() - start < std::chrono::seconds(30)) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "window-watch: %s ended without a window\n", argv[1]);
            return 1;
        }
        if (!w) w = findWindow(d, DefaultRootWindow(d), pid, pidAtom);
        if (w && painted(d, w)) {
            const double ms =
                std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            std::printf("first_paint_ms=%.2f cpu_ms=%.1f rss_kb=%ld\n", ms, processorMs(pid),
                        residentKb(pid));
            std::fflush(stdout);
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::fprintf(stderr, "window-watch: no painted window of %s\n", argv[1]);
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return 1;
}
