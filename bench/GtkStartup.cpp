// Start-up to the first frame on the GTK backend, under Xvfb. Each run starts a program and times process
// start to its "first-frame" line, which it prints once its first complete frame is on the screen:
//   - the probe (bench/startup/GtkStartupProbe.cpp): the sample dialog of the controls layer, and a plain
//     framed window of the window system, the reference;
//   - the program itself, kalvenor, to its login dialog (KALVENOR_STARTUP_PROBE, app/StartupProbe.h),
//     measured against the plain window in the same run, turn by turn: the time as a ratio, the peak
//     resident memory of each (from the kernel's account of the ended process) and its difference, and
//     the processes kalvenor has started by then (none: the browser engine comes with the first page).
// One Xvfb serves all runs.

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

// A program built beside this one, or named by an environment variable (say, an optimised build).
std::string Beside(const char* Variable, const char* Name) {
    if (const char* p = std::getenv(Variable); p && *p) return p;
    char self[4096];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return Name;
    std::string p(self, static_cast<std::size_t>(n));
    return p.substr(0, p.rfind('/') + 1) + Name;
}

// Starts a program with extra environment entries; its standard output goes to outFd and its standard
// input comes from inFd when they are >= 0.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv, int outFd,
            int inFd = -1) {
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
    if (inFd >= 0) posix_spawn_file_actions_adddup2(&fa, inFd, 0);
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

// The processes whose parent is Pid.
int ChildrenOf(pid_t Pid) {
    int count = 0;
    DIR* proc = opendir("/proc");
    if (!proc) return -1;
    while (dirent* e = readdir(proc)) {
        if (e->d_name[0] < '1' || e->d_name[0] > '9') continue;
        std::ifstream stat(std::string("/proc/") + e->d_name + "/stat");
        std::string line;
        std::getline(stat, line);
        // pid (comm) state ppid ...: the name may hold blanks, so read after its closing parenthesis.
        auto close = line.rfind(')');
        if (close == std::string::npos) continue;
        char state = 0;
        int ppid = 0;
        if (std::sscanf(line.c_str() + close + 1, " %c %d", &state, &ppid) == 2 && ppid == Pid) ++count;
    }
    closedir(proc);
    return count;
}

struct RunResult {
    bool Ok = false;
    double Seconds = 0;
    double PeakMiB = 0;
    int Children = 0;
};

// Runs a program to its "first-frame" line. A program that waits for its standard input to close after
// the line (Hold) has its children counted at that moment first.
RunResult RunToFirstFrame(const std::vector<std::string>& argv, std::vector<std::string> env, bool Hold) {
    RunResult r;
    int out[2], in[2] = {-1, -1};
    // Close-on-exec: a child holding the other end of its own input would never see it closed.
    if (pipe2(out, O_CLOEXEC) != 0 || (Hold && pipe2(in, O_CLOEXEC) != 0)) return r;
    auto start = std::chrono::steady_clock::now();
    pid_t pid = Spawn(argv, env, out[1], in[0]);
    close(out[1]);
    if (in[0] >= 0) close(in[0]);
    std::string text;
    char buf[256];
    bool seen = false;
    ssize_t n;
    while (!seen && (n = read(out[0], buf, sizeof buf)) > 0) {
        text.append(buf, static_cast<std::size_t>(n));
        seen = text.find("first-frame\n") != std::string::npos;
    }
    auto end = std::chrono::steady_clock::now();
    if (seen && Hold) r.Children = ChildrenOf(pid);
    if (in[1] >= 0) close(in[1]);
    close(out[0]);
    int status = 0;
    rusage usage{};
    if (pid > 0) wait4(pid, &status, 0, &usage);
    r.Ok = seen && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    r.Seconds = std::chrono::duration<double>(end - start).count();
    r.PeakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return r;
}

std::vector<std::string> DisplayEnv(const Xvfb& X) {
    return {"DISPLAY=" + X.Display, "KALVENOR_BACKEND=gtk", "NO_AT_BRIDGE=1", "ASAN_OPTIONS=detect_leaks=0"};
}

// Times the probe started with args (empty: the sample dialog).
void TimeProbe(benchmark::State& state, const std::vector<std::string>& args) {
    Xvfb x;
    if (x.Display.empty()) {
        state.SkipWithError("Xvfb could not be started");
        return;
    }
    std::string probe = Beside("KALVENOR_STARTUP_PROBE", "gtk_startup_probe");
    std::vector<std::string> argv{probe};
    argv.insert(argv.end(), args.begin(), args.end());
    for (auto _ : state) {
        RunResult r = RunToFirstFrame(argv, DisplayEnv(x), false);
        if (!r.Ok) {
            state.SkipWithError(("the probe showed no frame or failed: " + probe).c_str());
            return;
        }
        state.SetIterationTime(r.Seconds);
    }
}

void BM_GtkStartupToSampleDialog(benchmark::State& state) {
    TimeProbe(state, {});
}

void BM_GtkStartupToPlainWindow(benchmark::State& state) {
    TimeProbe(state, {"--window"});
}

// kalvenor to its login dialog against the plain window, turn by turn. The iteration time is kalvenor's.
void BM_KalvenorStartupToLoginDialog(benchmark::State& state) {
    Xvfb x;
    if (x.Display.empty()) {
        state.SkipWithError("Xvfb could not be started");
        return;
    }
    std::string probe = Beside("KALVENOR_STARTUP_PROBE", "gtk_startup_probe");
    std::string program = Beside("KALVENOR_PROGRAM", "kalvenor");
    char folder[] = "/tmp/kalvenor-bench-XXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    std::vector<std::string> appEnv = DisplayEnv(x);
    appEnv.push_back("KALVENOR_STARTUP_PROBE=1");
    appEnv.push_back(std::string("KALVENOR_REGISTRY_DIR=") + folder);
    // Never contacted before the login dialog is answered.
    appEnv.push_back("KALVENOR_SERVICE_URL=http://127.0.0.1:2/");
    double appTime = 0, plainTime = 0, appPeak = 0, plainPeak = 0;
    int children = 0, runs = 0;
    for (auto _ : state) {
        RunResult plain = RunToFirstFrame({probe, "--window"}, DisplayEnv(x), false);
        RunResult app = RunToFirstFrame({program}, appEnv, true);
        if (!plain.Ok || !app.Ok) {
            state.SkipWithError(("no first frame from " + (plain.Ok ? program : probe)).c_str());
            break;
        }
        state.SetIterationTime(app.Seconds);
        appTime += app.Seconds;
        plainTime += plain.Seconds;
        appPeak = std::max(appPeak, app.PeakMiB);
        plainPeak = std::max(plainPeak, plain.PeakMiB);
        children = std::max(children, app.Children);
        ++runs;
    }
    std::string cleanup = std::string("rm -rf ") + folder;
    if (std::system(cleanup.c_str()) != 0) state.SkipWithError("could not remove the temporary folder");
    if (runs == 0) return;
    state.counters["time_ratio"] = appTime / plainTime;
    state.counters["peak_MiB"] = appPeak;
    state.counters["plain_peak_MiB"] = plainPeak;
    state.counters["extra_MiB"] = appPeak - plainPeak;
    state.counters["child_processes"] = children;
}

} // namespace

BENCHMARK(BM_GtkStartupToSampleDialog)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_GtkStartupToPlainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_KalvenorStartupToLoginDialog)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

BENCHMARK_MAIN();
