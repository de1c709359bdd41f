// Times a program's start from outside it: starts the program, waits for the X server to report
// that a top-level window with the given title was mapped, lets it settle, reads its peak
// resident memory and ends it.
//
//   launch_probe TITLE SETTLE_MS PROGRAM [ARGUMENTS...]
//
// Prints "startup_ms=<float> startup_cpu_ms=<float> peak_rss_kb=<int>" on success: the wall
// time from the fork to the map, the CPU time the program's threads had used by then, and the
// program's peak resident memory after settling.
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
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

// The CPU time used so far by the live threads of the process, in milliseconds, to the
// nanosecond: what the scheduler counts is finer than utime and stime in clock ticks.
double cpuMs(pid_t pid) {
    long long nanoseconds = 0;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task")) {
        std::ifstream schedstat(task.path() / "schedstat");
        long long onCpu = 0;
        if (schedstat >> onCpu) {
            nanoseconds += onCpu;
        }
    }
    return static_cast<double>(nanoseconds) / 1e6;
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
    const double startupCpuMs = mapped ? cpuMs(pid) : 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long peakKb = peakResidentKb(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    if (!mapped) {
        std::fprintf(stderr, "launch_probe: no window titled \"%s\" was mapped\n", title);
        return 1;
    }
    std::printf("startup_ms=%.2f startup_cpu_ms=%.2f peak_rss_kb=%ld\n", startupMs, startupCpuMs,
                peakKb);
    return 0;
}
