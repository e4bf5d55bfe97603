#pragma once

// The tables a file's catalog (MSysObjects) lists, and their definitions as read: read again
// whenever the file has changed since. Callers read or write the file at the time (see Transactions).
#include "jet/Status.h"
#include "jet/catalog/TableDef.h"
#include "jet/file/Pager.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

class Catalog {
public:
    explicit Catalog(Pager& pager) : m_pager(pager) {}

    // Every table that is not the engine's own bookkeeping.
    Result<std::vector<std::string>> userTables();
    Result<TableDef> tableDef(std::string_view name);
    // The engine's own bookkeeping (MSysObjects and the like): flagged so, or named so. Asks the
    // catalog as last read.
    bool systemTable(std::string_view name) const;

private:
    struct Entry {
        std::string name;
        std::uint32_t page = 0;
        bool system = false;
    };
    Status load();

    Pager& m_pager;
    std::vector<Entry> m_entries;
    std::map<std::uint32_t, TableDef> m_defs;
    std::uint64_t m_generation = ~0ull;
};

} // namespace jet
