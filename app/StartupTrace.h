#pragma once

// Where start-up spends its time: with VELMORA_STARTUP_TRACE set, each step says on stderr when
// it ended, in milliseconds since the moment VELMORA_STARTUP_T0 names (CLOCK_MONOTONIC, in
// nanoseconds, the parent's clock before it started us) or else since the first step. Costs one
// check of a flag when off.

namespace app {

void traceStartupStep(const char* step);

} // namespace app
