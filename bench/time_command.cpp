// Runs a command several times and reports the median wall time and the
// peak resident memory of its runs:
//   time_command RUNS COMMAND [ARGS...]   (standard output discarded)
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: time_command RUNS COMMAND [ARGS...]\n", stderr);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<double> seconds;
    long peakKilobytes = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            const int devNull = open("/dev/null", O_WRONLY);
            dup2(devNull, STDOUT_FILENO);
            execvp(argv[2], argv + 2);
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        peakKilobytes = std::max(peakKilobytes, usage.ru_maxrss);
        if (!WIFEXITED(status) || (WEXITSTATUS(status) != 0 && WEXITSTATUS(status) != 1)) {
            std::fprintf(stderr, "time_command: %s failed\n", argv[2]);
            return 1;
        }
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("%.4f %ld\n", seconds[seconds.size() / 2], peakKilobytes);
    return 0;
}
