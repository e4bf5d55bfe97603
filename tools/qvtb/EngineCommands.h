#pragma once

// qvtb subcommands that only need the Access engine.
#include "Subcommand.h"

namespace qvtb {

int runTables(std::span<char* const> args);
int runExport(std::span<char* const> args);
int runExec(std::span<char* const> args);
int runCheckStructure(std::span<char* const> args);

} // namespace qvtb
