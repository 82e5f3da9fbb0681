// first-map RUNS FOLDER A.EXE B.EXE: starts `wine A.EXE` and `wine B.EXE` in turn, RUNS times each,
// in FOLDER, and times each from the fork to the X server's mapping of the program's window (its
// first window wider than 100 pixels to be mapped): the moment it can be seen. The program is
// then killed. Prints a line per program with the median, fastest and slowest start in seconds,
// then the ratio of the medians, A over B. Needs DISPLAY and a Wine prefix with its server warm.

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Seconds from starting `program` to the map of its window; negative when it never came (5 s).
double timeToMap(Display* display, const char* folder, const char* program) {
    XSync(display, True);  // forget what earlier programs left
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder) != 0) _exit(127);
        execlp("wine", "wine", program, static_cast<char*>(nullptr));
        _exit(127);
    }
    double seconds = -1;
    while (Clock::now() - start < std::chrono::seconds(5)) {
        if (XPending(display) == 0) {
            usleep(200);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != MapNotify) continue;
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, event.xmap.window, &attributes) == 0 || attributes.width <= 100) continue;
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
        break;
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    usleep(200000);  // the server tidies up after the program
    return seconds;
}

void print(const char* program, std::vector<double>& times) {
    std::sort(times.begin(), times.end());
    std::printf("%s: median %.4f s, fastest %.4f s, slowest %.4f s\n", program, times[times.size() / 2],
                times.front(), times.back());
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc == 5 ? std::atoi(argv[1]) : 0;
    Display* display = runs > 0 ? XOpenDisplay(nullptr) : nullptr;
    if (!display) {
        std::fputs("usage: first-map RUNS FOLDER A.EXE B.EXE (with DISPLAY set)\n", stderr);
        return 64;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    std::vector<double> a, b;
    for (int i = 0; i < runs; ++i) {
        for (auto [program, times] : {std::pair{argv[3], &a}, std::pair{argv[4], &b}}) {
            const double seconds = timeToMap(display, argv[2], program);
            if (seconds < 0) {
                std::fprintf(stderr, "first-map: %s mapped no window\n", program);
                return 1;
            }
            times->push_back(seconds);
        }
    }
    print(argv[3], a);
    print(argv[4], b);
    std::printf("ratio of medians: %.3f\n", a[a.size() / 2] / b[b.size() / 2]);
    return 0;
}
