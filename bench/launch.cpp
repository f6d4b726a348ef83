// Starts one program and reports what the kernel measured for it, so that a
// start-up figure begins at the exec itself and peak memory and CPU come from
// the kernel rather than from the program's own idea of them.
//
//   bench_launch [--stop-after-ms N] [--cpu-window-ms FROM:TO] -- PROGRAM ARGS...
//
// The child gets TXC_BENCH_START_NS, the CLOCK_MONOTONIC time taken right
// before its exec (see startclock.h). With --stop-after-ms the child is sent
// SIGTERM after N ms. With --cpu-window-ms the child's utime+stime are read
// from /proc/PID/stat at FROM and at TO ms after the start.
//
// Prints key=value lines: max_rss_kib, cpu_ms (whole run), window_cpu_ms and
// window_ms (when asked for), status.
#include "procstat.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

long long monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

// utime + stime of a running process in clock ticks, or -1 once it is gone.
long long cpuTicks(pid_t pid)
{
    const std::string fields = procStatFromState("/proc/" + std::to_string(pid) + "/stat");
    // utime and stime are fields 14 and 15.
    unsigned long long utime = 0, stime = 0;
    if (std::sscanf(fields.c_str(), "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime,
                    &stime) != 2)
        return -1;
    return static_cast<long long>(utime + stime);
}

void sleepUntil(long long startNs, long long offsetMs)
{
    const long long target = startNs + offsetMs * 1000000LL;
    for (long long now = monotonicNs(); now < target; now = monotonicNs()) {
        const long long left = target - now;
        timespec ts{static_cast<time_t>(left / 1000000000LL),
                    static_cast<long>(left % 1000000000LL)};
        nanosleep(&ts, nullptr);
    }
}

int usage()
{
    std::fprintf(stderr, "usage: bench_launch [--stop-after-ms N] [--cpu-window-ms FROM:TO] -- "
                         "PROGRAM ARGS...\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    long long stopAfterMs = -1;
    long long windowFromMs = -1, windowToMs = -1;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--stop-after-ms") == 0 && i + 1 < argc)
            stopAfterMs = std::atoll(argv[++i]);
        else if (std::strcmp(argv[i], "--cpu-window-ms") == 0 && i + 1 < argc &&
                 std::sscanf(argv[++i], "%lld:%lld", &windowFromMs, &windowToMs) == 2)
            continue;
        else
            return usage();
    }
    if (i + 1 >= argc)
        return usage();
    if (windowToMs >= 0 && (windowFromMs < 0 || windowToMs <= windowFromMs ||
                            (stopAfterMs >= 0 && stopAfterMs < windowToMs)))
        return usage();
    char **command = argv + i + 1;

    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 1;
    }
    if (child == 0) {
        const std::string stamp = std::to_string(monotonicNs());
        setenv("TXC_BENCH_START_NS", stamp.c_str(), 1);
        execvp(command[0], command);
        std::perror(command[0]);
        _exit(127);
    }
    const long long startNs = monotonicNs();

    const long long ticksPerSecond = sysconf(_SC_CLK_TCK);
    if (windowToMs >= 0) {
        sleepUntil(startNs, windowFromMs);
        const long long before = cpuTicks(child);
        const long long beforeNs = monotonicNs();
        sleepUntil(startNs, windowToMs);
        const long long after = cpuTicks(child);
        const long long afterNs = monotonicNs();
        if (before < 0 || after < 0) {
            std::fprintf(stderr, "bench_launch: the program ended inside the CPU window\n");
        } else {
            std::printf("window_cpu_ms=%lld\n", (after - before) * 1000 / ticksPerSecond);
            std::printf("window_ms=%lld\n", (afterNs - beforeNs) / 1000000);
        }
    }
    if (stopAfterMs >= 0) {
        sleepUntil(startNs, stopAfterMs);
        kill(child, SIGTERM);
    }

    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    std::printf("max_rss_kib=%ld\n", usage.ru_maxrss);
    std::printf("cpu_ms=%lld\n", (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000LL +
                                     (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000);
    if (WIFEXITED(status)) {
        std::printf("status=exit %d\n", WEXITSTATUS(status));
        return WEXITSTATUS(status);
    }
    const int sig = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    std::printf("status=signal %d\n", sig);
    // Being stopped on request is the expected end of a timed run.
    return sig == SIGTERM && stopAfterMs >= 0 ? 0 : 1;
}
