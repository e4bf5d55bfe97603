// qvtb-bank: the bank subcommands, which qvtb hands `build` and `check` over to.
#include "BankCommands.h"

#include <array>

namespace {

constexpr std::array kSubcommands{
    qvtb::Subcommand{"build", "", "build SOURCE_DIR FILE", qvtb::runBuild},
    qvtb::Subcommand{"check", "", "check FILE [SOURCE_DIR]", qvtb::runCheck},
};

} // namespace

int main(int argc, char** argv) {
    return qvtb::dispatch(kSubcommands, std::span<char* const>(argv, static_cast<std::size_t>(argc)));
}
