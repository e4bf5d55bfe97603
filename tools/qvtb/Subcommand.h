#pragma once

// One subcommand of qvtb: `qvtb NAME [OPTION] ARGS...`. A subcommand with an option is chosen
// only when that option follows its name, so "check --structure" and "check" can coexist.
#include <iostream>
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

// Runs the subcommand that argv names, or lists them all on stderr with kExitUsage.
// Entries with an option must come before entries of the same name without one.
inline int dispatch(std::span<const Subcommand> commands, std::span<char* const> argv) {
    for (const auto& command : commands) {
        if (argv.size() < 2 || argv[1] != command.name) continue;
        if (command.option.empty()) return command.run(argv.subspan(2));
        if (argv.size() > 2 && argv[2] == command.option) return command.run(argv.subspan(3));
    }
    std::cerr << "usage:\n";
    for (const auto& command : commands)
        std::cerr << "  qvtb " << command.usage << '\n';
    return kExitUsage;
}

} // namespace qvtb
