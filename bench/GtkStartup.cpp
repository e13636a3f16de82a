// Start-up to the first frame on the GTK backend, under Xvfb: each iteration starts the probe program
// (bench/startup/GtkStartupProbe.cpp) and times process start to its "first-frame" line, which it prints
// once its window's first complete frame is on the screen: the sample dialog of the controls layer, and a
// plain framed window of the window system for comparison. One Xvfb serves all iterations.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::string ProbePath() {
    // Another build of the probe (say, an optimised one) can be named explicitly.
    if (const char* p = std::getenv("KALVENOR_STARTUP_PROBE"); p && *p) return p;
#ifdef KV_STARTUP_PROBE
    return KV_STARTUP_PROBE;
#else
    // Built beside this program.
    char self[4096];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return "gtk_startup_probe";
    std::string p(self, static_cast<std::size_t>(n));
    return p.substr(0, p.rfind('/') + 1) + "gtk_startup_probe";
#endif
}

// Starts a program with extra environment entries; its standard output goes to outFd when >= 0.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv, int outFd) {
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<std::string> envStore(extraEnv);
    for (char** e = environ; *e; ++e)
        envStore.emplace_back(*e);
    std::vector<char*> env;
    for (auto& e : envStore)
        env.push_back(e.data());
    env.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    if (outFd >= 0) posix_spawn_file_actions_adddup2(&fa, outFd, 1);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], &fa, nullptr, args.data(), env.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&fa);
    return pid;
}

struct Xvfb {
    pid_t Pid = -1;
    std::string Display;
    Xvfb() {
        int fds[2];
        if (pipe(fds) != 0) return;
        std::string fd = std::to_string(fds[1]);
        Pid = Spawn({"Xvfb", "-displayfd", fd, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}, {}, -1);
        close(fds[1]);
        char buf[32] = {};
        ssize_t n = Pid > 0 ? read(fds[0], buf, sizeof buf - 1) : 0;
        close(fds[0]);
        if (n > 0)
            Display = ":" + std::string(buf, static_cast<std::size_t>(n)).substr(0, std::strcspn(buf, "\n"));
    }
    ~Xvfb() {
        if (Pid > 0) {
            kill(Pid, SIGTERM);
            waitpid(Pid, nullptr, 0);
        }
    }
};

// Times the probe started with args (empty: the sample dialog).
void TimeProbe(benchmark::State& state, const std::vector<std::string>& args) {
    Xvfb x;
    if (x.Display.empty()) {
        state.SkipWithError("Xvfb could not be started");
        return;
    }
    std::string probe = ProbePath();
    for (auto _ : state) {
        int fds[2];
        if (pipe(fds) != 0) {
            state.SkipWithError("pipe failed");
            return;
        }
        auto start = std::chrono::steady_clock::now();
        std::vector<std::string> argv{probe};
        argv.insert(argv.end(), args.begin(), args.end());
        pid_t pid = Spawn(
            argv,
            {"DISPLAY=" + x.Display, "KALVENOR_BACKEND=gtk", "NO_AT_BRIDGE=1", "ASAN_OPTIONS=detect_leaks=0"},
            fds[1]);
        close(fds[1]);
        std::string out;
        char buf[256];
        bool seen = false;
        ssize_t n;
        while (!seen && (n = read(fds[0], buf, sizeof buf)) > 0) {
            out.append(buf, static_cast<std::size_t>(n));
            seen = out.find("first-frame\n") != std::string::npos;
        }
        auto end = std::chrono::steady_clock::now();
        close(fds[0]);
        int status = 0;
        if (pid > 0) waitpid(pid, &status, 0);
        if (!seen || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError(("the probe showed no frame or failed: " + probe).c_str());
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

void BM_GtkStartupToSampleDialog(benchmark::State& state) {
    TimeProbe(state, {});
}

void BM_GtkStartupToPlainWindow(benchmark::State& state) {
    TimeProbe(state, {"--window"});
}

} // namespace

BENCHMARK(BM_GtkStartupToSampleDialog)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_GtkStartupToPlainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

BENCHMARK_MAIN();
