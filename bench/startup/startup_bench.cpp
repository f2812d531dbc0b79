// Start-up time and memory of the desktop program: from the moment the
// process is started to the moment its main window has been painted, and the
// resident memory then. Each run is a fresh process doing exactly what the
// program does (same windows, same data.cfg, same Duskwheel.ini reading), in
// a temporary folder so the user's files are never touched.
//
//   duskwheel-startup-bench [RUNS]     (offscreen unless QT_QPA_PLATFORM is set)

#include "application.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

long long MonotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

// VmRSS and VmHWM of this process, kB.
void Memory(long& rss, long& hwm) {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    std::string unit;
    rss = hwm = 0;
    while (status >> key) {
        if (key == "VmRSS:" && status >> value >> unit) {
            rss = value;
        } else if (key == "VmHWM:" && status >> value >> unit) {
            hwm = value;
        } else {
            status.ignore(1 << 16, '\n');
        }
    }
}

int Child(int argc, char** argv, const char* dir) {
    duskwheel::ui::RunHooks hooks;
    hooks.filesDir = QString::fromLocal8Bit(dir);
    hooks.onFirstPaint = [](duskwheel::ui::TFormMain&) {
        const long long now = MonotonicNs();
        long rss = 0;
        long hwm = 0;
        Memory(rss, hwm);
        std::printf("SHOWN %lld %ld %ld\n", now, rss, hwm);
        std::fflush(stdout);
        std::_Exit(0); // no Duskwheel.ini written, nothing else done
    };
    return duskwheel::ui::RunDuskwheel(argc, argv, hooks);
}

struct Sample {
    double ms;
    double rssMb;
    double hwmMb;
};

bool RunOnce(const char* self, const std::string& dir, Sample& out) {
    int fds[2];
    if (pipe(fds) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::string a0 = self;
    std::string a1 = "--child";
    std::string a2 = dir;
    char* args[] = {a0.data(), a1.data(), a2.data(), nullptr};
    pid_t pid = 0;
    const long long start = MonotonicNs();
    const int rc = posix_spawn(&pid, self, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return false;
    }
    std::string text;
    char buf[256];
    ssize_t n = 0;
    while ((n = read(fds[0], buf, sizeof buf)) > 0) {
        text.append(buf, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    long long shown = 0;
    long rss = 0;
    long hwm = 0;
    const std::size_t at = text.find("SHOWN ");
    if (at == std::string::npos ||
        std::sscanf(text.c_str() + at, "SHOWN %lld %ld %ld", &shown, &rss, &hwm) != 3) {
        std::fprintf(stderr, "the probe did not report: %s\n", text.c_str());
        return false;
    }
    out = {static_cast<double>(shown - start) / 1e6, rss / 1024.0, hwm / 1024.0};
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0) {
        return Child(argc, argv, argv[2]);
    }
    const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 15;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }

    QTemporaryDir dir;
    if (!dir.isValid() || !QFile::copy(QStringLiteral(DUSKWHEEL_SOURCE_DATA_DIR "/data.cfg"),
                                       QDir(dir.path()).filePath(QStringLiteral("data.cfg")))) {
        std::fprintf(stderr, "cannot prepare a folder with data.cfg\n");
        return 1;
    }
    const std::string folder = QFile::encodeName(dir.path()).toStdString();
    char self[4096];
    const ssize_t len = readlink("/proc/self/exe", self, sizeof self - 1);
    if (len <= 0) {
        return 1;
    }
    self[len] = '\0';

    std::vector<Sample> samples;
    Sample first{};
    if (!RunOnce(self, folder, first)) { // warms the file cache; not counted
        return 1;
    }
    for (int i = 0; i < runs; ++i) {
        Sample s{};
        if (!RunOnce(self, folder, s)) {
            return 1;
        }
        samples.push_back(s);
    }
    auto median = [&](auto field) {
        std::vector<double> v;
        for (const Sample& s : samples) {
            v.push_back(s.*field);
        }
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    double best = samples[0].ms;
    double worst = samples[0].ms;
    for (const Sample& s : samples) {
        best = std::min(best, s.ms);
        worst = std::max(worst, s.ms);
    }
    std::printf("platform %s, %d runs (first cold run %.1f ms not counted)\n",
                std::getenv("QT_QPA_PLATFORM"), runs, first.ms);
    std::printf("process start -> main window painted: median %.1f ms (min %.1f, max %.1f)\n",
                median(&Sample::ms), best, worst);
    std::printf("resident memory then: median %.1f MB (peak so far %.1f MB)\n",
                median(&Sample::rssMb), median(&Sample::hwmMb));
    return 0;
}
