#include "jet/QuickCheck.h"

#include "jet/NameCase.h"
#include "jet/catalog/CatalogTables.h"
#include "jet/catalog/TableDef.h"
#include "jet/check/CheckProblems.h"
#include "jet/file/Pager.h"
#include "jet/pages/DataPage.h"
#include "jet/pages/UsageMap.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace jet {

namespace {

class Checker : private ProblemList {
public:
    explicit Checker(PageStore& store) : ProblemList(store) {}

    std::vector<std::string> run(const std::vector<std::string>& tables) {
        if (!headerIsSound()) return m_problems;
        const std::map<std::string, std::uint32_t> catalog = readCatalog();
        if (!m_problems.empty()) return m_problems;
        for (const std::string& name : tables) {
            const auto found = catalog.find(NameCase::lowered(name));
            if (found == catalog.end())
                problem("table " + name + ": not in the catalog");
            else
                checkTable(name, found->second);
        }
        return m_problems;
    }

private:
    // User tables by their lower-case name, with their definition pages.
    std::map<std::string, std::uint32_t> readCatalog() {
        std::map<std::string, std::uint32_t> out;
        auto def = TableDef::read(m_store, format::kCatalogPage);
        const auto tables = checked("catalog", def.ok() ? catalogTables(m_store, def.value()) : def.status());
        if (!tables) return out;
        for (const CatalogTable& table : tables.value())
            out.emplace(NameCase::lowered(table.name), table.page);
        return out;
    }

    void checkTable(const std::string& name, std::uint32_t page) {
        const std::string where = "table " + name;
        const auto def = checked(where, TableDef::read(m_store, page));
        if (!def) return;
        const auto pages = checked(where + " usage map", UsageMap::pages(m_store, def->ownedMap));
        if (!pages) return;
        for (std::uint32_t data : pages.value())
            if (!checkDataPage(where, data, page)) return;
    }

    bool checkDataPage(const std::string& where, std::uint32_t page, std::uint32_t owner) {
        const std::string at = where + " page " + std::to_string(page);
        if (page >= m_store.pageCount()) {
            problem(at + ": beyond the end of the file");
            return false;
        }
        const auto view = checked(at, m_store.read(page));
        if (!view) return false;
        if (view.value()[0] != format::kPageData || DataPage::owner(view.value()) != owner) {
            problem(at + ": not a data page of the table");
            return false;
        }
        return checked(at, DataPage::rowCount(view.value())).has_value();
    }
};

} // namespace

Result<std::vector<std::string>> QuickCheck::run(const std::string& path,
                                                 const std::vector<std::string>& tables,
                                                 std::vector<std::string>* notices) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return Status::notFound("no database file at " + path);
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return Status::io("cannot read " + path + ": " + ec.message());
    JET_ASSIGN_OR_RETURN(auto pager, Pager::open(path, kStartLockWait));
    auto problems = checkWhileReading(*pager, size, [&] { return Checker(*pager).run(tables); });
    if (notices) {
        const auto taken = pager->takeNotices();
        notices->insert(notices->end(), taken.begin(), taken.end());
    }
    return problems;
}

} // namespace jet
