// qvtb: the command-line tool for question banks.
#include "BankHandoff.h"
#include "EngineCommands.h"

#include <array>

namespace {

constexpr std::array kSubcommands{
    qvtb::Subcommand{"tables", "", "tables FILE", qvtb::runTables},
    qvtb::Subcommand{"export", "", "export FILE TABLE", qvtb::runExport},
    qvtb::Subcommand{"exec", "", "exec FILE \"STATEMENT\"", qvtb::runExec},
    qvtb::Subcommand{"check", "--structure", "check --structure FILE", qvtb::runCheckStructure},
    qvtb::Subcommand{"build", "", "build SOURCE_DIR FILE", qvtb::handBuildToBankTool},
    qvtb::Subcommand{"check", "", "check FILE [SOURCE_DIR]", qvtb::handCheckToBankTool},
};

} // namespace

int main(int argc, char** argv) {
    return qvtb::dispatch(kSubcommands, std::span<char* const>(argv, static_cast<std::size_t>(argc)));
}
