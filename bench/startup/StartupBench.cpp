// Time from starting a program to its window being mapped on the X display, for
// Tarvix and for a bare Qt dialog, measured the same way in alternating rounds.
//
//   startup_bench <Tarvix> <bare_dialog> [rounds]
//
// The window counts as shown when the X server maps it. Each program is then closed
// as the window manager would close it (WM_DELETE_WINDOW) and must exit before the
// next round starts.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::string WindowName(Display* dpy, Window w) {
    XTextProperty prop;
    std::string name;
    if (XGetWMName(dpy, w, &prop) != 0 && prop.value != nullptr) {
        name.assign(reinterpret_cast<const char*>(prop.value), prop.nitems);
        XFree(prop.value);
    }
    return name;
}

// Starts `program` and returns the seconds until a window named `title` is mapped;
// -1 when none is within 30 seconds.
double TimeToWindow(Display* dpy, const char* program, const std::string& title) {
    const Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, True);

    pid_t pid;
    char* argv[] = {const_cast<char*>(program), nullptr};
    const auto start = Clock::now();
    if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0) {
        std::perror(program);
        std::exit(1);
    }

    Window shown = 0;
    double seconds = -1;
    while (shown == 0 && Clock::now() - start < std::chrono::seconds(30)) {
        if (XPending(dpy) == 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        XEvent e;
        XNextEvent(dpy, &e);
        if (e.type == CreateNotify) {
            // Top-level windows are created on the root; their own map is seen on them.
            XSelectInput(dpy, e.xcreatewindow.window, StructureNotifyMask);
        } else if (e.type == MapNotify && WindowName(dpy, e.xmap.window) == title) {
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
            shown = e.xmap.window;
        }
    }
    XSelectInput(dpy, root, NoEventMask);

    if (shown != 0) {
        XEvent close{};
        close.xclient.type = ClientMessage;
        close.xclient.window = shown;
        close.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
        close.xclient.format = 32;
        close.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
        close.xclient.data.l[1] = CurrentTime;
        XSendEvent(dpy, shown, False, NoEventMask, &close);
        XFlush(dpy);
    }
    for (int i = 0; i < 500; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            return seconds;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::fprintf(stderr, "%s did not end; killing it\n", program);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return seconds;
}

struct Stats {
    double median, mean, min, max;
};

Stats Summarise(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (double x : v) {
        sum += x;
    }
    const std::size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return {median, sum / n, v.front(), v.back()};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <Tarvix> <bare_dialog> [rounds]\n", argv[0]);
        return 2;
    }
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 20;
    Display* dpy = XOpenDisplay(nullptr);
    if (dpy == nullptr) {
        std::fprintf(stderr, "no X display: set DISPLAY (for example start Xvfb first)\n");
        return 2;
    }

    // One unmeasured run each, so that both start from warm file caches.
    TimeToWindow(dpy, argv[1], "Tarvix");
    TimeToWindow(dpy, argv[2], "BareDialog");

    std::vector<double> tarvix, bare;
    for (int i = 0; i < rounds; ++i) {
        const double t = TimeToWindow(dpy, argv[1], "Tarvix");
        const double b = TimeToWindow(dpy, argv[2], "BareDialog");
        if (t < 0 || b < 0) {
            std::fprintf(stderr, "round %d: a window did not appear\n", i + 1);
            return 1;
        }
        tarvix.push_back(t);
        bare.push_back(b);
    }
    XCloseDisplay(dpy);

    const Stats ts = Summarise(tarvix);
    const Stats bs = Summarise(bare);
    std::printf("start to window shown, %d rounds (ms)   median    mean     min     max\n", rounds);
    std::printf("  Tarvix                               %7.1f %7.1f %7.1f %7.1f\n", ts.median * 1e3,
                ts.mean * 1e3, ts.min * 1e3, ts.max * 1e3);
    std::printf("  bare Qt dialog                       %7.1f %7.1f %7.1f %7.1f\n", bs.median * 1e3,
                bs.mean * 1e3, bs.min * 1e3, bs.max * 1e3);
    std::printf("  ratio of medians                     %7.2f   (aim: at most 1.30)\n",
                ts.median / bs.median);
    return 0;
}
