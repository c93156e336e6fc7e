// Start-up of the calculator next to a bare Qt Widgets window of the same
// size: the time from launching a process to the first paint of its window
// having reached the screen, and the process's peak resident memory then.
//
//   naklon_startup_bench [--runs N] [--platform offscreen|xcb]...
//
// Without --platform it measures offscreen and, when Xvfb is installed,
// under a private Xvfb server it starts itself. The kinds of window are
// measured in the same run, in turn, each in a fresh process of this same
// program (same libraries, same platform plugin):
//   bare    an empty QWidget of the calculator's size, the target's yardstick;
//   text    the same with one label, which adds what any window that shows
//           text pays (font configuration, font files, shaping);
//   naklon  the calculator, started as the program starts it.
// The medians and the ratios of the calculator to the two others are
// printed. The target is 1.10 at most against the text window, for both the
// time and the memory: the calculator paints about as fast as any window
// that shows text.
//
// The child processes are this program started as
//   naklon_startup_bench --child bare|text|naklon
// which print one line "<monotonic ns at main> <monotonic ns at paint>
// <peak RSS KiB>" and end.

#include "core/extended.h"
#include "app/naklon_application.h"
#include "app/start_up.h"
#include "reference_window/unit2.h"
#include "main_window/zeverozozod.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

extern char **environ;

namespace {

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

long peakRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Reports once the first paint of `window` is done: the repaint and the
// flush to the platform run inside the one event that exposes the window, so
// a zero timer started from its first paint event fires right after them.
class FirstPaintReporter : public QObject {
    Q_OBJECT

public:
    FirstPaintReporter(QWidget *window, long long mainNs) : window_(window), mainNs_(mainNs)
    {
        window_->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == window_ && event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, this, [this] {
                const long long paintNs = monotonicNs();
                std::printf("%lld %lld %ld\n", mainNs_, paintNs, peakRssKiB());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    QWidget *window_;
    long long mainNs_;
    bool seen_ = false;
};

// The calculator's own start-up, step for step as the program does it.
int runCalculator(int argc, char **argv, long long mainNs)
{
    naklon::NaklonApplication application(argc, argv);
    naklon::applyFloatingPointSettings();
    naklon::ProgramWindows windows = naklon::createProgramWindows();
    FirstPaintReporter reporter(windows.main.get(), mainNs);
    windows.main->show();
    application.exec();
    return 0;
}

int runBare(int argc, char **argv, long long mainNs, bool withText)
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(TForm1::kClientSize);
    QLabel label(QStringLiteral("Расчет наклонных сечений"), &window);
    label.setVisible(withText);
    FirstPaintReporter reporter(&window, mainNs);
    window.show();
    application.exec();
    return 0;
}

struct Sample {
    double startupMs = 0;   // launch to first paint
    double inProcessMs = 0; // main() to first paint
    double peakMiB = 0;
};

bool launch(const std::string &self, const char *kind, const std::string &platform, Sample &sample)
{
    int out[2];
    if (pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);

    std::vector<std::string> env;
    for (char **entry = environ; *entry; ++entry) {
        if (std::strncmp(*entry, "QT_QPA_PLATFORM=", 16) != 0)
            env.emplace_back(*entry);
    }
    env.push_back("QT_QPA_PLATFORM=" + platform);
    std::vector<char *> envp;
    for (std::string &entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string childFlag = "--child";
    std::string kindArg = kind;
    std::string program = self;
    char *argv[] = {program.data(), childFlag.data(), kindArg.data(), nullptr};

    const long long spawnNs = monotonicNs();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, self.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (failed) {
        close(out[0]);
        return false;
    }
    std::string line;
    char buffer[256];
    ssize_t got = 0;
    while ((got = read(out[0], buffer, sizeof buffer)) > 0)
        line.append(buffer, static_cast<std::size_t>(got));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    long long mainNs = 0;
    long long paintNs = 0;
    long rss = 0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0
        || std::sscanf(line.c_str(), "%lld %lld %ld", &mainNs, &paintNs, &rss) != 3)
        return false;
    sample.startupMs = static_cast<double>(paintNs - spawnNs) / 1e6;
    sample.inProcessMs = static_cast<double>(paintNs - mainNs) / 1e6;
    sample.peakMiB = static_cast<double>(rss) / 1024.0;
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A private X server for the xcb measurements; its display name comes back
// through -displayfd.
class Xvfb {
public:
    bool start()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        const std::string fd = std::to_string(fds[1]);
        const char *argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
            nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        const int failed = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char **>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        if (failed) {
            pid_ = 0;
            close(fds[0]);
            return false;
        }
        std::string number;
        char c = 0;
        while (read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (number.empty())
            return false;
        display_ = ":" + number;
        return true;
    }
    ~Xvfb()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    const std::string &display() const { return display_; }

private:
    pid_t pid_ = 0;
    std::string display_;
};

bool measure(const std::string &self, const std::string &platform, int runs)
{
    constexpr int kKinds = 3;
    std::vector<Sample> samples[kKinds];
    const char *kinds[kKinds] = {"bare", "text", "naklon"};
    // One unmeasured launch of each warms the file cache for both alike.
    for (const char *kind : kinds) {
        Sample warm;
        if (!launch(self, kind, platform, warm)) {
            std::fprintf(stderr, "startup_bench: the %s window did not start on %s\n", kind, platform.c_str());
            return false;
        }
    }
    for (int run = 0; run < runs; ++run) {
        for (int k = 0; k < kKinds; ++k) {
            Sample sample;
            if (!launch(self, kinds[k], platform, sample))
                return false;
            samples[k].push_back(sample);
        }
    }
    double startup[kKinds], inProcess[kKinds], peak[kKinds];
    for (int k = 0; k < kKinds; ++k) {
        std::vector<double> a, b, c;
        for (const Sample &s : samples[k]) {
            a.push_back(s.startupMs);
            b.push_back(s.inProcessMs);
            c.push_back(s.peakMiB);
        }
        startup[k] = median(a);
        inProcess[k] = median(b);
        peak[k] = median(c);
        std::printf("%-10s %-7s start-up %7.1f ms  (in main %7.1f ms)  peak RSS %6.1f MiB\n", platform.c_str(),
            kinds[k], startup[k], inProcess[k], peak[k]);
    }
    const int naklon = kKinds - 1;
    for (int k = 0; k < naklon; ++k)
        std::printf("%-10s naklon/%-5s start-up %5.2f  (in main %5.2f)       peak RSS %5.2f%s\n", platform.c_str(),
            kinds[k], startup[naklon] / startup[k], inProcess[naklon] / inProcess[k], peak[naklon] / peak[k],
            k == 1 ? "   target 1.10" : "");
    std::printf("\n");
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    const long long mainNs = monotonicNs();
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) {
        int childArgc = 1;
        if (std::strcmp(argv[2], "naklon") == 0)
            return runCalculator(childArgc, argv, mainNs);
        return runBare(childArgc, argv, mainNs, std::strcmp(argv[2], "text") == 0);
    }

    int runs = 15;
    std::vector<std::string> platforms;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--platform") == 0 && i + 1 < argc)
            platforms.emplace_back(argv[++i]);
        else {
            std::fprintf(stderr, "usage: %s [--runs N] [--platform offscreen|xcb]...\n", argv[0]);
            return 2;
        }
    }
    const bool chosen = !platforms.empty();
    if (!chosen)
        platforms = {"offscreen", "xcb"};

    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return 1;
    self[length] = '\0';

    std::printf("%d launches of each window per platform, medians; window %dx%d\n\n", runs, TForm1::kClientSize.width(),
        TForm1::kClientSize.height());
    bool ok = true;
    for (const std::string &platform : platforms) {
        if (platform != "xcb") {
            ok = measure(self, platform, runs) && ok;
            continue;
        }
        Xvfb server;
        if (!server.start()) {
            std::fprintf(stderr, "startup_bench: no Xvfb, xcb not measured\n");
            ok = ok && !chosen;
            continue;
        }
        setenv("DISPLAY", server.display().c_str(), 1);
        ok = measure(self, platform, runs) && ok;
    }
    return ok ? 0 : 1;
}

#include "startup_bench.moc"
