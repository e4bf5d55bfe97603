#include "app/StartupTrace.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace app {
namespace {

long long monotonicNanoseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// Read once, before Qt starts: the environment is not Qt's to give yet.
struct TraceStart {
    bool on = std::getenv("VELMORA_STARTUP_TRACE") != nullptr;
    long long origin = [] {
        const char* given = std::getenv("VELMORA_STARTUP_T0");
        return given ? std::atoll(given) : monotonicNanoseconds();
    }();
};

const TraceStart& traceStart() {
    static const TraceStart start;
    return start;
}

} // namespace

void traceStartupStep(const char* step) {
    const TraceStart& start = traceStart();
    if (!start.on) return;
    const double milliseconds = static_cast<double>(monotonicNanoseconds() - start.origin) / 1e6;
    std::fprintf(stderr, "trace %.2f %s\n", milliseconds, step);
}

} // namespace app
