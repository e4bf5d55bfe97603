#pragma once

// qvtb subcommands for question banks: compile the sources into a bank, check a bank's content.
#include "Subcommand.h"

namespace qvtb {

int runBuild(std::span<char* const> args);
int runCheck(std::span<char* const> args);

} // namespace qvtb
