#include "jet/IntegrityCheck.h"

#include "jet/catalog/CatalogTables.h"
#include "jet/catalog/Table.h"
#include "jet/check/CheckProblems.h"
#include "jet/file/Pager.h"
#include "jet/index/IndexKey.h"
#include "jet/index/IndexTree.h"
#include "jet/longvalue/LongValue.h"
#include "jet/pages/DataPage.h"
#include "jet/pages/PageRules.h"
#include "jet/pages/TextCodec.h"
#include "jet/pages/UsageMap.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <optional>
#include <set>

namespace jet {

namespace {

using namespace format;

class Checker : private ProblemList {
public:
    explicit Checker(PageStore& store) : ProblemList(store) {}

    std::vector<std::string> run() {
        checkHeader();
        auto catalog = checked("catalog", TableDef::read(m_store, kCatalogPage));
        if (!catalog) return m_problems;
        for (const CatalogTable& table : catalogTables(catalog.value()))
            checkTable(table.name, table.page);
        checkGlobalMap();
        return m_problems;
    }

private:
    void use(std::uint32_t page, const std::string& role) {
        auto [it, fresh] = m_used.emplace(page, role);
        if (!fresh && it->second != role)
            problem("page " + std::to_string(page) + " is used as " + it->second + " and as " + role);
    }

    void checkHeader() {
        headerIsSound();
        use(0, "header");
    }

    std::vector<CatalogTable> catalogTables(const TableDef& catalog) {
        std::vector<CatalogTable> out{{"MSysObjects", kCatalogPage}};
        auto listed = checked("catalog", jet::catalogTables(m_store, catalog));
        if (!listed) return out;
        for (CatalogTable& table : listed.value())
            if (table.page != kCatalogPage) out.push_back(std::move(table));
        return out;
    }

    void checkGlobalMap() {
        const RowId global{kGlobalMapPage, kGlobalMapRow};
        checkSharedDataPage("usage-map holder", kGlobalMapPage);
        for (const auto& [page, role] : m_used) {
            auto free = checked("global usage map", UsageMap::test(m_store, global, page, true));
            if (!free) return;
            if (free.value())
                problem("global usage map: page " + std::to_string(page) + " (" + role + ") is marked free");
        }
    }

    std::set<std::uint32_t> mapPages(const std::string& where, RowId map) {
        std::set<std::uint32_t> out;
        auto pages = checked(where, UsageMap::pages(m_store, map));
        if (!pages) return out;
        use(map.page, "usage-map holder");
        checkSharedDataPage("usage-map holder", map.page);
        for (std::uint32_t page : pages.value()) {
            if (page >= m_store.pageCount())
                problem(where + ": lists page " + std::to_string(page) + " beyond the end of the file");
            else
                out.insert(page);
        }
        return out;
    }

    void checkTable(const std::string& name, std::uint32_t page) {
        const std::string where = "table " + name;
        auto def = checked(where, TableDef::read(m_store, page));
        if (!def) return;
        for (std::uint32_t p : def->pages)
            use(p, "definition of " + name);
        const auto owned = mapPages(where + " owned map", def->ownedMap);
        for (auto& text :
             PageRules::freeMapProblems(owned, mapPages(where + " free-space map", def->freeMap)))
            problem(where + ": " + text);
        std::set<std::uint32_t> goodPages;
        for (std::uint32_t p : owned)
            if (checkDataPage(where, p, page)) goodPages.insert(p);
        if (goodPages.size() != owned.size()) return;
        checkRelocations(where, goodPages);
        Table table(m_store, def.value());
        auto rows = checked(where, table.scan());
        if (!rows) return;
        const Status count = PageRules::rowCount(def.value(), rows->size());
        if (!count.ok()) problem(where + ": " + count.message());
        for (const auto& row : rows.value())
            checkValues(where, def.value(), row);
        for (std::size_t i = 0; i < def->indexes.size(); ++i)
            checkIndex(where + " index " + std::to_string(i), def.value(), i, rows.value());
    }

    bool checkDataPage(const std::string& where, std::uint32_t page, std::uint32_t owner) {
        auto view = checked(where, m_store.read(page));
        if (!view) return false;
        const std::string at = where + " page " + std::to_string(page);
        if (view.value()[0] != kPageData || DataPage::owner(view.value()) != owner) {
            problem(at + ": not a data page of the table");
            return false;
        }
        use(page, "data of " + where);
        if (!checked(at, DataPage::freeSpace(view.value()))) return false;
        checkFreeSpaceField(at, view.value());
        return true;
    }

    void checkFreeSpaceField(const std::string& at, ConstPageSpan view) {
        const Status field = PageRules::freeSpaceField(view);
        if (!field.ok()) problem(at + ": " + field.message());
    }

    // Pages holding long values or usage maps are data pages too, held to the same rules once.
    void checkSharedDataPage(const std::string& role, std::uint32_t page) {
        if (!m_sharedPages.insert(page).second) return;
        const std::string at = role + " page " + std::to_string(page);
        if (auto view = checked(at, m_store.read(page))) checkFreeSpaceField(at, view.value());
    }

    // Every moved copy is reached from exactly one pointer, and every pointer reaches a moved copy.
    void checkRelocations(const std::string& where, const std::set<std::uint32_t>& pages) {
        std::map<std::uint32_t, int> copies;
        for (std::uint32_t page : pages) {
            auto view = m_store.read(page).value();
            const unsigned rows = DataPage::rowCount(view).value();
            for (unsigned r = 0; r < rows; ++r) {
                auto slot = DataPage::slot(view, r);
                if (!slot.ok()) continue;
                if (slot->lookup()) copies[RowId{page, r}.raw()] += 0;
                if (slot->overflow() && slot->length() >= 4)
                    copies[get32(DataPage::bytes(view, slot.value()), 0)] += 1;
            }
        }
        for (const auto& [raw, pointers] : copies) {
            const RowId id = RowId::fromRaw(raw);
            if (pointers != 1)
                problem(where + ": moved row " + std::to_string(id.page) + "/" + std::to_string(id.row) +
                        " has " + std::to_string(pointers) + " pointers to it");
        }
    }

    void checkValues(const std::string& where, const TableDef& def, const StoredRow& row) {
        const std::string at =
            where + " row " + std::to_string(row.slot.page) + "/" + std::to_string(row.slot.row);
        for (std::size_t i = 0; i < def.columns.size(); ++i) {
            const Column& column = def.columns[i];
            const auto& raw = row.values[i];
            if (!raw) continue;
            const auto units = TextCodec::fromUtf8(TextCodec::decode(*raw));
            if (column.type == ColumnType::Text && units.ok() && units->size() > column.length / 2u)
                problem(at + ": " + column.name + " is longer than its column");
            if (!column.isLong()) continue;
            auto value = checked(at + ": " + column.name, LongValue::read(m_store, *raw));
            if (!value) continue;
            const auto ids = LongValue::rows(m_store, *raw);
            for (RowId id : ids.value()) {
                use(id.page, "long values");
                checkSharedDataPage("long values", id.page);
                if (!m_longValueRows.insert(id.raw()).second)
                    problem(at + ": " + column.name + " shares a long-value row with another value");
            }
        }
    }

    // An index against the rows it covers: its tree, its pages' map and every entry.
    void checkIndex(const std::string& where, const TableDef& def, std::size_t number,
                    const std::vector<StoredRow>& rows) {
        const RealIndex& index = def.indexes[number];
        auto tree = checked(where, IndexTree::read(m_store, index.root, def.page));
        if (!tree) return;
        for (std::uint32_t page : tree->pages())
            use(page, "index of " + where);
        // An index map that cannot be read has no holder to speak of; the index's problems say so.
        if (UsageMap::pages(m_store, index.map).ok()) checkSharedDataPage("usage-map holder", index.map.page);
        for (auto& text : PageRules::indexProblems(m_store, index, tree.value()))
            problem(where + ": " + text);
        checkEntries(where, def, index, tree->entries(), rows);
    }

    // Each row the index covers has exactly one entry, and nothing else has one. An entry's key is
    // compared with the row's values wherever the engine can key them exactly.
    void checkEntries(const std::string& where, const TableDef& def, const RealIndex& index,
                      const std::vector<Bytes>& entries, const std::vector<StoredRow>& rows) {
        struct Expected {
            std::optional<Bytes> entry; // nullopt: the key cannot be computed exactly
            bool covered = true;
            int found = 0;
        };
        std::map<std::uint32_t, Expected> expected;
        std::size_t covered = 0;
        for (const auto& row : rows) {
            Expected& e = expected[row.slot.raw()];
            auto key = IndexKey::rowKey(def, index, row.values);
            if (!key.ok() && key.status().code() != Code::Unsupported)
                problem(where + ": " + key.status().message());
            if (key.ok() && !key.value()) e.covered = false;
            if (key.ok() && key.value()) e.entry = IndexKey::leafEntry(*key.value(), row.slot);
            covered += e.covered ? 1 : 0;
        }
        if (entries.size() != covered)
            problem(where + ": " + std::to_string(entries.size()) + " entries for " +
                    std::to_string(covered) + " rows");
        for (const Bytes& entry : entries) {
            const RowId id = IndexPage::leafRow(entry);
            const std::string row = std::to_string(id.page) + "/" + std::to_string(id.row);
            auto found = expected.find(id.raw());
            if (found == expected.end() || !found->second.covered) {
                problem(where + ": entry points to " + row + ", which is not a row it covers");
                continue;
            }
            if (++found->second.found == 2) problem(where + ": row " + row + " has two entries");
            if (found->second.entry && *found->second.entry != entry)
                problem(where + ": key of row " + row + " does not match its values");
        }
        for (const auto& [raw, e] : expected)
            if (e.covered && e.found == 0)
                problem(where + ": row " + std::to_string(RowId::fromRaw(raw).page) + "/" +
                        std::to_string(RowId::fromRaw(raw).row) + " has no entry");
    }

    std::map<std::uint32_t, std::string> m_used;
    std::set<std::uint32_t> m_longValueRows;
    std::set<std::uint32_t> m_sharedPages;
};

} // namespace

std::vector<std::string> IntegrityCheck::run(PageStore& store) {
    return Checker(store).run();
}

Result<std::vector<std::string>> IntegrityCheck::run(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return Status::notFound("cannot open " + path + ": " + ec.message());
    JET_ASSIGN_OR_RETURN(auto pager, Pager::open(path));
    JET_ASSIGN_OR_RETURN(auto problems, checkWhileReading(*pager, size, [&] { return run(*pager); }));
    // A journal set aside on opening is told here too, or nobody would hear of it.
    const auto notices = pager->takeNotices();
    problems.insert(problems.begin(), notices.begin(), notices.end());
    return problems;
}

} // namespace jet
