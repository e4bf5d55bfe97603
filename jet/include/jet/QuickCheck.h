#pragma once

// A quick look at the pages a program reads before it trusts a file: the header, the catalog, the
// definitions of the tables it names and the data pages their usage maps list (inside the file,
// data pages of that table, a sound slot table). It decodes no row, so it takes a few
// milliseconds where IntegrityCheck walks everything.
#include "jet/Status.h"

#include <string>
#include <vector>

namespace jet {

class QuickCheck {
public:
    // Every problem found, empty when the file looks sound. An error when the file cannot be
    // opened at all (missing, not a regular file, unreadable), or Busy when another process keeps
    // its lock for longer than a start waits.
    // What the engine did unasked on opening the file (a journal that did not belong set aside) is
    // added to `notices` when given.
    static Result<std::vector<std::string>> run(const std::string& path,
                                                const std::vector<std::string>& tables,
                                                std::vector<std::string>* notices = nullptr);
};

} // namespace jet
