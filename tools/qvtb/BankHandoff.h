#pragma once

// The bank subcommands (`build`, `check`) need the question-bank rules and with them Qt; they live
// in qvtb-bank beside qvtb, so the engine subcommands start without loading Qt at all.
#include "Subcommand.h"

namespace qvtb {

int handBuildToBankTool(std::span<char* const> args);
int handCheckToBankTool(std::span<char* const> args);

} // namespace qvtb
