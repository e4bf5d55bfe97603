#pragma once

// What the checks read of a file before its tables: the header page, and the tables the catalog
// (MSysObjects) lists.
#include "jet/Status.h"
#include "jet/catalog/TableDef.h"
#include "jet/file/PageStore.h"

#include <cstdint>
#include <string>
#include <vector>

namespace jet {

// OK when the file is long enough and page 0 is an unencrypted Jet 4 header.
Status checkHeaderPage(PageStore& store);

struct CatalogTable {
    std::string name; // "?" where the catalog's name cannot be read
    std::uint32_t page = 0;
};

// Every table row of the catalog with its definition page, the catalog's own row included.
Result<std::vector<CatalogTable>> catalogTables(PageStore& store, const TableDef& catalog);

} // namespace jet
