#pragma once

// Fills the fixed pages 1..15 of a new file: the four system tables, their rows, index leaves and
// usage maps, with the rows that register the user tables already written.
#include "jet/Status.h"
#include "jet/catalog/CreateImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace jet {

struct RegisteredTable {
    std::string name;
    std::uint32_t tdefPage = 0;
};

class CatalogWriter {
public:
    // Writes everything but the global usage map, which must come last (see writeGlobalMap).
    static Status write(CreateImage& image, const std::vector<RegisteredTable>& tables, double creationDate);
    // Page 1: the global usage map over the finished image, and Jet's second, empty map row.
    static Status writeGlobalMap(CreateImage& image);
};

} // namespace jet
