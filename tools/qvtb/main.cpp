// qvtb: the command-line tool for question banks.
#include "EngineCommands.h"
#include "Subcommand.h"
#ifdef QVTB_BANK_COMMANDS
#include "BankCommands.h"
#endif

#include <array>
#include <iostream>
#include <span>

namespace {

// More specific entries (with an option) come before entries of the same name without one.
constexpr std::array kSubcommands{
    qvtb::Subcommand{"tables", "", "tables FILE", qvtb::runTables},
    qvtb::Subcommand{"export", "", "export FILE TABLE", qvtb::runExport},
    qvtb::Subcommand{"exec", "", "exec FILE \"STATEMENT\"", qvtb::runExec},
    qvtb::Subcommand{"check", "--structure", "check --structure FILE", qvtb::runCheckStructure},
#ifdef QVTB_BANK_COMMANDS
    qvtb::Subcommand{"build", "", "build SOURCE_DIR FILE", qvtb::runBuild},
    qvtb::Subcommand{"check", "", "check FILE", qvtb::runCheck},
#endif
};

int usage() {
    std::cerr << "usage:\n";
    for (const auto& command : kSubcommands)
        std::cerr << "  qvtb " << command.usage << '\n';
    return qvtb::kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    const std::span<char* const> args(argv, static_cast<std::size_t>(argc));
    if (args.size() < 2) return usage();
    for (const auto& command : kSubcommands) {
        if (args[1] != command.name) continue;
        if (command.option.empty()) return command.run(args.subspan(2));
        if (args.size() > 2 && args[2] == command.option) return command.run(args.subspan(3));
    }
    return usage();
}
