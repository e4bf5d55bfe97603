#pragma once

// Walks header, usage maps, table definitions, rows, long values and indexes of a file and
// lists every inconsistency found. An empty list means the file is consistent.
#include "jet/Status.h"

#include <string>
#include <vector>

namespace jet {

class PageStore;

class IntegrityCheck {
public:
    static Result<std::vector<std::string>> run(const std::string& path);
    static std::vector<std::string> run(PageStore& store);
};

} // namespace jet
