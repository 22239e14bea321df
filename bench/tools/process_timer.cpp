// Times whole commands as a user runs them: each run from fork to exit, or, with --ready, from
// fork to the line a window program writes once it takes typing. Prints the median of the runs
// in milliseconds and the largest peak memory in kilobytes.
//   process_timer [--ready] [--stdout FILE] RUNS -- COMMAND ARGS...
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    bool ready = false;
    std::string out = "/dev/null";
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--ready") == 0)
            ready = true;
        else if (std::strcmp(argv[i], "--stdout") == 0 && i + 1 < argc)
            out = argv[++i];
        else
            break;
    }
    if (i + 2 >= argc) {
        std::fprintf(stderr, "usage: process_timer [--ready] [--stdout FILE] RUNS -- COMMAND...\n");
        return 2;
    }
    const int runs = std::atoi(argv[i]);
    char** command = argv + i + 2;
    std::vector<double> times;
    long peak = 0;
    for (int run = 0; run < runs; ++run) {
        int pipefd[2] = {-1, -1};
        if (ready && ::pipe(pipefd) != 0)
            return 1;
        const auto start = std::chrono::steady_clock::now();
        const pid_t pid = ::fork();
        if (pid == 0) {
            const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ::dup2(fd, 1);
            if (ready) {
                ::close(pipefd[0]);
                ::setenv("PARLINO_READY_FD", std::to_string(pipefd[1]).c_str(), 1);
            }
            ::execvp(command[0], command);
            std::perror(command[0]);
            ::_exit(127);
        }
        double ms = 0;
        if (ready) {
            ::close(pipefd[1]);
            char c = 0;
            const bool got = ::read(pipefd[0], &c, 1) == 1;
            ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count();
            ::close(pipefd[0]);
            if (!got) {
                std::fprintf(stderr, "%s ended before its window took typing\n", command[0]);
                return 1;
            }
        }
        int status = 0;
        rusage usage{};
        ::wait4(pid, &status, 0, &usage);
        if (!ready) {
            ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count();
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
                std::fprintf(stderr, "%s failed\n", command[0]);
                return 1;
            }
        }
        times.push_back(ms);
        peak = std::max(peak, usage.ru_maxrss);
    }
    std::sort(times.begin(), times.end());
    std::printf("%.3f %ld\n", times[times.size() / 2], peak);
    return 0;
}
