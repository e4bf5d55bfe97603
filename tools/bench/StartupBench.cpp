// Start-up benchmark: starts the program and a bare Qt window N times each (alternating), and
// prints the time from process start to the window's first paint and the peak resident memory
// of the process sitting on its first page.
//
//   startup_bench [runs]      (default 10; offscreen unless QT_QPA_PLATFORM is set)

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Run {
    double paintMs = -1; // < 0: the probe never reported a paint
    double peakMb = 0;
};

std::string directoryOf(const char* program) {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
    std::string self = n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string(program);
    return self.substr(0, self.rfind('/'));
}

Run runOnce(const std::string& probe) {
    int out[2];
    if (pipe(out) != 0) return {};
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(probe.c_str(), probe.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    Run run;
    char line[64];
    FILE* reader = fdopen(out[0], "r");
    if (reader && std::fgets(line, sizeof(line), reader) && std::string(line) == "painted\n")
        run.paintMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    while (reader && std::fgets(line, sizeof(line), reader)) {
    }
    if (reader) std::fclose(reader);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) run.paintMs = -1;
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

struct Summary {
    double medianPaint = 0, minPaint = 0, peakMb = 0;
    int failures = 0;
};

Summary summarise(const std::vector<Run>& runs) {
    std::vector<double> paints;
    Summary s;
    for (const Run& run : runs) {
        if (run.paintMs < 0)
            ++s.failures;
        else
            paints.push_back(run.paintMs);
        s.peakMb = std::max(s.peakMb, run.peakMb);
    }
    s.medianPaint = median(paints);
    s.minPaint = paints.empty() ? 0 : *std::min_element(paints.begin(), paints.end());
    return s;
}

void print(const char* name, const Summary& s, size_t runs) {
    std::printf(
        "%-18s first paint: median %7.1f ms, best %7.1f ms; peak memory %6.1f MB; failed runs %d/%zu\n", name,
        s.medianPaint, s.minPaint, s.peakMb, s.failures, runs);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string dir = directoryOf(argv[0]);
    const std::string program = dir + "/startup_probe_velmora";
    const std::string bare = dir + "/startup_probe_bare";

    runOnce(bare); // warm the file cache for both before measuring
    runOnce(program);
    std::vector<Run> programRuns, bareRuns;
    for (int i = 0; i < runs; ++i) {
        bareRuns.push_back(runOnce(bare));
        programRuns.push_back(runOnce(program));
    }
    const Summary p = summarise(programRuns);
    const Summary b = summarise(bareRuns);
    std::printf("%d runs each, QT_QPA_PLATFORM=%s\n", runs, std::getenv("QT_QPA_PLATFORM"));
    print("bare Qt window", b, bareRuns.size());
    print("velmora page 0", p, programRuns.size());
    std::printf("start-up ratio (median): %.2f (limit 1.50); peak memory %.1f MB (limit 80)\n",
                b.medianPaint > 0 ? p.medianPaint / b.medianPaint : 0.0, p.peakMb);
    return p.failures + b.failures == 0 ? 0 : 1;
}
