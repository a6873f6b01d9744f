// Times a program from its start until a top-level window with a given title is mapped on the
// X display, and reads its resident memory once the window has settled. No hook in the
// program is needed: the watcher listens to the root window's map events.
//
//   startwatch --title=TITLE [--runs=N] [--settle-ms=MS] [--timeout-ms=MS] -- PROGRAM ARGS...
//
// Prints one line per run: milliseconds to the first mapped window, milliseconds to the
// titled window, resident and peak resident memory in KiB. Exits 1 when a run times out.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    std::string title;
    int runs = 1;
    int settleMs = 300;
    int timeoutMs = 20000;
    std::vector<char*> command;
};

struct Run {
    double firstMs = -1;
    double shownMs = -1;
    long rssKb = 0;
    long peakKb = 0;
};

int ignoreXError(Display*, XErrorEvent*)
{
    return 0; // a window may be gone before its title is asked for
}

std::string windowTitle(Display* display, Window window)
{
    XTextProperty property{};
    if (XGetWMName(display, window, &property) == 0 || property.value == nullptr)
        return {};
    std::string title(reinterpret_cast<const char*>(property.value), property.nitems);
    XFree(property.value);
    return title;
}

long statusKb(pid_t pid, const std::string& field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(field + ":"))
            return std::stol(line.substr(field.size() + 1));
    }
    return 0;
}

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::optional<Run> runOnce(Display* display, const Options& options)
{
    while (XPending(display) > 0) {
        XEvent stale;
        XNextEvent(display, &stale);
    }
    Run run;
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(options.command[0], options.command.data());
        _exit(127);
    }
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (run.shownMs < 0 && msSince(start) < options.timeoutMs) {
        if (XPending(display) == 0) {
            if (waitpid(pid, nullptr, WNOHANG) == pid)
                return std::nullopt;
            poll(&connection, 1, 5);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != MapNotify)
            continue;
        const double now = msSince(start);
        if (run.firstMs < 0)
            run.firstMs = now;
        if (windowTitle(display, event.xmap.window) == options.title)
            run.shownMs = now;
    }
    if (run.shownMs >= 0) {
        usleep(static_cast<useconds_t>(options.settleMs) * 1000);
        run.rssKb = statusKb(pid, "VmRSS");
        run.peakKb = statusKb(pid, "VmHWM");
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    if (run.shownMs < 0)
        return std::nullopt;
    return run;
}

bool parse(int argc, char** argv, Options& options)
{
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg.starts_with("--title="))
            options.title = arg.substr(8);
        else if (arg.starts_with("--runs="))
            options.runs = std::stoi(arg.substr(7));
        else if (arg.starts_with("--settle-ms="))
            options.settleMs = std::stoi(arg.substr(12));
        else if (arg.starts_with("--timeout-ms="))
            options.timeoutMs = std::stoi(arg.substr(13));
        else
            return false;
    }
    for (; i < argc; ++i)
        options.command.push_back(argv[i]);
    options.command.push_back(nullptr);
    return !options.title.empty() && options.command.size() > 1;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr << "usage: startwatch --title=TITLE [--runs=N] [--settle-ms=MS] "
                     "[--timeout-ms=MS] -- PROGRAM ARGS...\n";
        return 2;
    }
    // A busy X server may turn a connection away for a moment.
    Display* display = XOpenDisplay(nullptr);
    for (int attempt = 0; display == nullptr && attempt < 50; ++attempt) {
        usleep(100 * 1000);
        display = XOpenDisplay(nullptr);
    }
    if (display == nullptr) {
        std::cerr << "startwatch: no X display\n";
        return 2;
    }
    XSetErrorHandler(ignoreXError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    for (int run = 0; run < options.runs; ++run) {
        const auto result = runOnce(display, options);
        if (!result) {
            std::cerr << "startwatch: no window titled '" << options.title << "' appeared\n";
            return 1;
        }
        std::printf("%.2f %.2f %ld %ld\n", result->firstMs, result->shownMs, result->rssKb,
                    result->peakKb);
        std::fflush(stdout);
    }
    XCloseDisplay(display);
    return 0;
}
