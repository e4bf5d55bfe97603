#pragma once

// Runs a program directly (no shell between) with its output thrown away, as a whole process, and
// gives its wall time and peak memory. A program that cannot start or fails ends the benchmark
// named `bench`: a figure from a failed run would mislead.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

struct ProcessRun {
    double ms = 0;
    double peakMiB = 0;
};

inline ProcessRun runWholeProcess(const std::vector<std::string>& argv, const char* bench) {
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    int status = 1;
    rusage usage{};
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) != 0 ||
        wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s: %s failed\n", bench, argv[0].c_str());
        std::exit(1);
    }
    const auto stop = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    return {std::chrono::duration<double, std::milli>(stop - start).count(), usage.ru_maxrss / 1024.0};
}
