#include "IntegrityCheck.h"

#include "CatalogTables.h"
#include "DataPage.h"
#include "LongValue.h"
#include "Pager.h"
#include "Table.h"
#include "TextCodec.h"
#include "UsageMap.h"

#include <filesystem>
#include <map>
#include <set>

namespace jet {

namespace {

using namespace format;

constexpr unsigned kMaxIndexDepth = 16;

class Checker {
public:
    explicit Checker(PageStore& store) : m_store(store) {}

    std::vector<std::string> run() {
        checkHeader();
        auto catalog = TableDef::read(m_store, kCatalogPage);
        if (!catalog.ok()) {
            problem("catalog: " + catalog.status().message());
            return m_problems;
        }
        for (const CatalogTable& table : catalogTables(catalog.value()))
            checkTable(table.name, table.page);
        checkGlobalMap();
        return m_problems;
    }

private:
    void problem(std::string text) { m_problems.push_back(std::move(text)); }

    void use(std::uint32_t page, const std::string& role) {
        auto [it, fresh] = m_used.emplace(page, role);
        if (!fresh && it->second != role)
            problem("page " + std::to_string(page) + " is used as " + it->second + " and as " + role);
    }

    void checkHeader() {
        const Status header = checkHeaderPage(m_store);
        if (!header.ok()) problem("header: " + header.message());
        use(0, "header");
    }

    std::vector<CatalogTable> catalogTables(const TableDef& catalog) {
        std::vector<CatalogTable> out{{"MSysObjects", kCatalogPage}};
        auto listed = jet::catalogTables(m_store, catalog);
        if (!listed.ok()) {
            problem("catalog: " + listed.status().message());
            return out;
        }
        for (CatalogTable& table : listed.value())
            if (table.page != kCatalogPage) out.push_back(std::move(table));
        return out;
    }

    void checkGlobalMap() {
        const RowId global{kGlobalMapPage, kGlobalMapRow};
        for (const auto& [page, role] : m_used) {
            auto free = UsageMap::test(m_store, global, page, true);
            if (!free.ok()) {
                problem("global usage map: " + free.status().message());
                return;
            }
            if (free.value())
                problem("global usage map: page " + std::to_string(page) + " (" + role + ") is marked free");
        }
    }

    std::set<std::uint32_t> mapPages(const std::string& where, RowId map) {
        std::set<std::uint32_t> out;
        auto pages = UsageMap::pages(m_store, map);
        if (!pages.ok()) {
            problem(where + ": " + pages.status().message());
            return out;
        }
        use(map.page, "usage-map holder");
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
        auto def = TableDef::read(m_store, page);
        if (!def.ok()) {
            problem(where + ": " + def.status().message());
            return;
        }
        for (std::uint32_t p : def->pages)
            use(p, "definition of " + name);
        const auto owned = mapPages(where + " owned map", def->ownedMap);
        for (std::uint32_t p : mapPages(where + " free-space map", def->freeMap))
            if (!owned.contains(p))
                problem(where + ": free-space map lists page " + std::to_string(p) + " it does not own");
        std::set<std::uint32_t> goodPages;
        for (std::uint32_t p : owned)
            if (checkDataPage(where, p, page)) goodPages.insert(p);
        if (goodPages.size() != owned.size()) return;
        checkRelocations(where, goodPages);
        Table table(m_store, def.value());
        auto rows = table.scan();
        if (!rows.ok()) {
            problem(where + ": " + rows.status().message());
            return;
        }
        if (rows->size() != def->rowCount)
            problem(where + ": definition counts " + std::to_string(def->rowCount) + " rows, pages hold " +
                    std::to_string(rows->size()));
        for (const auto& row : rows.value())
            checkValues(where, def.value(), row);
        for (std::size_t i = 0; i < def->indexes.size(); ++i)
            checkIndex(where + " index " + std::to_string(i), def.value(), def->indexes[i], rows.value());
    }

    bool checkDataPage(const std::string& where, std::uint32_t page, std::uint32_t owner) {
        auto view = m_store.read(page);
        if (!view.ok()) {
            problem(where + ": " + view.status().message());
            return false;
        }
        const std::string at = where + " page " + std::to_string(page);
        if (view.value()[0] != kPageData || DataPage::owner(view.value()) != owner) {
            problem(at + ": not a data page of the table");
            return false;
        }
        use(page, "data of " + where);
        auto free = DataPage::freeSpace(view.value());
        if (!free.ok()) {
            problem(at + ": " + free.status().message());
            return false;
        }
        if (get16(view.value(), kDataFreeSpaceOffset) != free.value())
            problem(at + ": free-space field says " +
                    std::to_string(get16(view.value(), kDataFreeSpaceOffset)) + ", rows leave " +
                    std::to_string(free.value()));
        return true;
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
            auto value = LongValue::read(m_store, *raw);
            if (!value.ok()) {
                problem(at + ": " + column.name + ": " + value.status().message());
                continue;
            }
            const auto ids = LongValue::rows(m_store, *raw);
            for (RowId id : ids.value()) {
                use(id.page, "long values");
                if (!m_longValueRows.insert(id.raw()).second)
                    problem(at + ": " + column.name + " shares a long-value row with another value");
            }
        }
    }

    // Leaf entries of an index, from its root down, each as (key bytes, row pointer).
    bool indexEntries(const std::string& where, std::uint32_t page, std::uint32_t owner, unsigned depth,
                      std::vector<std::pair<Bytes, RowId>>& out) {
        if (depth > kMaxIndexDepth || !m_indexPages.insert(page).second) {
            problem(where + ": index pages form a loop");
            return false;
        }
        if (page == 0 || page >= m_store.pageCount()) {
            problem(where + ": index page " + std::to_string(page) + " is outside the file");
            return false;
        }
        auto view = m_store.read(page).value();
        if ((view[0] != kPageIndexNode && view[0] != kPageIndexLeaf) || get32(view, 4) != owner) {
            problem(where + ": page " + std::to_string(page) + " is not an index page of the table");
            return false;
        }
        use(page, "index of " + where);
        const std::size_t prefix = get16(view, kIndexPrefixOffset);
        Bytes first;
        std::size_t start = kIndexEntriesOffset;
        for (std::size_t k = 0;
             kIndexEntriesOffset + k < kPageSize && kIndexBitmapOffset + k / 8 < kIndexEntriesOffset; ++k) {
            if (!((view[kIndexBitmapOffset + k / 8] >> (k % 8)) & 1)) continue;
            const std::size_t end = kIndexEntriesOffset + k;
            Bytes entry =
                first.empty()
                    ? Bytes{}
                    : Bytes(first.begin(),
                            first.begin() + static_cast<std::ptrdiff_t>(std::min(prefix, first.size())));
            entry.insert(entry.end(), view.begin() + static_cast<std::ptrdiff_t>(start),
                         view.begin() + static_cast<std::ptrdiff_t>(end));
            if (first.empty()) first = entry;
            start = end;
            if (entry.size() < 4) {
                problem(where + ": index entry on page " + std::to_string(page) + " is too short");
                return false;
            }
            if (view[0] == kPageIndexLeaf) {
                const RowId id{get24BE(entry, entry.size() - 4), entry.back()};
                out.emplace_back(Bytes(entry.begin(), entry.end() - 4), id);
            } else if (!indexEntries(where, get32BE(entry, entry.size() - 4), owner, depth + 1, out)) {
                return false;
            }
        }
        return true;
    }

    static std::uint32_t get24BE(const Bytes& b, std::size_t at) {
        return (static_cast<std::uint32_t>(b[at]) << 16) | (b[at + 1] << 8) | b[at + 2];
    }
    static std::uint32_t get32BE(const Bytes& b, std::size_t at) { return (get24BE(b, at) << 8) | b[at + 3]; }

    void checkIndex(const std::string& where, const TableDef& def, const RealIndex& index,
                    const std::vector<StoredRow>& rows) {
        std::vector<std::pair<Bytes, RowId>> entries;
        if (!indexEntries(where, index.root, def.page, 0, entries)) return;
        std::map<std::uint32_t, const StoredRow*> live;
        for (const auto& row : rows)
            live[row.slot.raw()] = &row;
        const bool ignoresNulls = (index.flags & 0x02) != 0;
        if (entries.size() != rows.size() && !(ignoresNulls && entries.size() < rows.size()))
            problem(where + ": " + std::to_string(entries.size()) + " entries for " +
                    std::to_string(rows.size()) + " rows");
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const auto& [key, id] = entries[i];
            auto found = live.find(id.raw());
            if (found == live.end()) {
                problem(where + ": entry points to " + std::to_string(id.page) + "/" +
                        std::to_string(id.row) + ", which is not a row");
                continue;
            }
            if (i > 0 && entries[i - 1].first > key) problem(where + ": entries are out of order");
            checkIntegerKey(where, def, index, key, *found->second);
        }
    }

    // Whole-number keys can be recomputed from the row: big-endian with the sign bit flipped.
    void checkIntegerKey(const std::string& where, const TableDef& def, const RealIndex& index,
                         const Bytes& key, const StoredRow& row) {
        if (index.columns.size() != 1) return;
        const Column* column = nullptr;
        for (const auto& c : def.columns)
            if (c.number == index.columns[0]) column = &c;
        if (!column || (column->type != ColumnType::Long && column->type != ColumnType::Integer)) return;
        const auto& raw = row.values[def.position(*column)];
        if (!raw || raw->empty() || key.size() != 1 + raw->size()) return;
        Bytes expected{key[0]};
        for (std::size_t i = raw->size(); i-- > 0;)
            expected.push_back((*raw)[i]);
        expected.at(1) ^= 0x80;
        if (key[0] != 0x7F) // descending keys invert every byte
            for (std::size_t i = 1; i < expected.size(); ++i)
                expected[i] = static_cast<std::uint8_t>(~expected[i]);
        if (expected != key)
            problem(where + ": key of row " + std::to_string(row.slot.page) + "/" +
                    std::to_string(row.slot.row) + " does not match its " + column->name);
    }

    PageStore& m_store;
    std::vector<std::string> m_problems;
    std::map<std::uint32_t, std::string> m_used;
    std::set<std::uint32_t> m_longValueRows;
    std::set<std::uint32_t> m_indexPages;
};

} // namespace

std::vector<std::string> IntegrityCheck::run(PageStore& store) {
    return Checker(store).run();
}

Result<std::vector<std::string>> IntegrityCheck::run(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return Status::notFound("cannot open " + path + ": " + ec.message());
    auto pager = Pager::open(path);
    if (!pager.ok()) return pager.status();
    JET_TRY(pager.value()->beginRead());
    auto problems = run(*pager.value());
    pager.value()->endRead();
    if (size % kPageSize != 0)
        problems.insert(problems.begin(),
                        "file length " + std::to_string(size) + " is not a whole number of pages");
    // A journal set aside on opening is told here too, or nobody would hear of it.
    const auto notices = pager.value()->takeNotices();
    problems.insert(problems.begin(), notices.begin(), notices.end());
    return problems;
}

} // namespace jet
