#pragma once

// One subcommand of qvtb: `qvtb NAME [OPTION] ARGS...`. A subcommand with an option is chosen
// only when that option follows its name, so "check --structure" and "check" can coexist.
#include <span>
#include <string_view>

namespace qvtb {

struct Subcommand {
    std::string_view name;
    std::string_view option; // empty: none
    std::string_view usage;
    // Receives the arguments after the name (and after the option, when there is one).
    int (*run)(std::span<char* const> args);
};

// Exit codes: 0 done, 1 the operation failed (reason on one line), 2 wrong usage.
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

} // namespace qvtb
