// Times a program's start from outside it: starts the program, waits for the X server to report
// that a top-level window with the given title was mapped, lets it settle, reads its peak
// resident memory and ends it.
//
//   launch_probe TITLE SETTLE_MS PROGRAM [ARGUMENTS...]
//
// Prints "startup_ms=<float> peak_rss_kb=<int>" on success.
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {
using Clock = std::chrono::steady_clock;

bool hasTitle(Display* display, Window window, const char* title) {
    char* name = nullptr;
    if (XFetchName(display, window, &name) == 0 || name == nullptr) {
        return false;
    }
    const bool same = std::strcmp(name, title) == 0;
    XFree(name);
    return same;
}

// Waits until a window with the title is mapped, the program ends, or the timeout passes.
bool waitForMap(Display* display, const char* title, pid_t pid, Clock::time_point deadline) {
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (Clock::now() < deadline && waitpid(pid, nullptr, WNOHANG) == 0) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && hasTitle(display, event.xmap.window, title)) {
                return true;
            }
        }
        poll(&connection, 1, 100);
    }
    return false;
}

long peakResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}
}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s TITLE SETTLE_MS PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const char* title = argv[1];
    const int settleMs = std::stoi(argv[2]);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "launch_probe: cannot open the display\n");
        return 2;
    }
    // Without a window manager, top-level windows are mapped as children of the root.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[3], argv + 3);
        std::perror("launch_probe: exec");
        _exit(127);
    }
    const bool mapped = waitForMap(display, title, pid, start + std::chrono::seconds(30));
    const double startupMs =
        std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long peakKb = peakResidentKb(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    if (!mapped) {
        std::fprintf(stderr, "launch_probe: no window titled \"%s\" was mapped\n", title);
        return 1;
    }
    std::printf("startup_ms=%.2f peak_rss_kb=%ld\n", startupMs, peakKb);
    return 0;
}
