#include "jet/statements/Database.h"

#include "jet/catalog/CatalogTables.h"
#include "jet/catalog/Table.h"
#include "jet/index/IndexUpdate.h"
#include "jet/longvalue/LongValue.h"
#include "jet/pages/CreateValue.h"
#include "jet/pages/GuardedPages.h"
#include "jet/pages/TextCodec.h"
#include "jet/pages/ValueText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>

namespace jet {

namespace {

using namespace format;

constexpr std::uint32_t kSystemFlags = 0x80000002u;

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

// Holds the pager's shared lock for one read, unless the read is part of a transaction, which
// holds the exclusive lock already.
class ReadScope {
public:
    ReadScope(Pager& pager, bool inTransaction)
        : m_pager(pager), m_owned(!inTransaction), m_status(m_owned ? pager.beginRead() : Status{}) {}
    ~ReadScope() {
        if (m_owned && m_status.ok()) m_pager.endRead();
    }
    const Status& status() const { return m_status; }

private:
    Pager& m_pager;
    bool m_owned;
    Status m_status;
};

bool systemName(std::string_view name) {
    return name.size() >= 4 && lower(name[0]) == 'm' && lower(name[1]) == 's' && lower(name[2]) == 'y' &&
           lower(name[3]) == 's';
}

std::optional<long long> whole(const std::optional<std::string>& text) {
    long long v = 0;
    if (!text) return std::nullopt;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), v);
    if (ec != std::errc{} || end != text->data() + text->size()) return std::nullopt;
    return v;
}

bool isNumeric(ColumnType t) {
    return t == ColumnType::Byte || t == ColumnType::Integer || t == ColumnType::Long ||
           t == ColumnType::Currency || t == ColumnType::Single || t == ColumnType::Double;
}

bool isText(ColumnType t) {
    return t == ColumnType::Text || t == ColumnType::Memo;
}

// Fixed-width types whose values export writes as text and a literal gives back.
bool fromText(ColumnType t) {
    return isNumeric(t) || t == ColumnType::Boolean || t == ColumnType::DateTime || t == ColumnType::Guid;
}

// The stored form of a literal for `column`, or why it cannot be stored there.
Result<Bytes> storedForm(const Column& column, const std::string& literal) {
    if (fromText(column.type)) return CreateValue::convert(column, literal);
    if (!isText(column.type))
        return Status::unsupported("column " + column.name + " cannot be set from text");
    JET_ASSIGN_OR_RETURN(auto units, TextCodec::fromUtf8(literal));
    if (column.type == ColumnType::Text && units.size() > column.length / 2u)
        return Status::invalid("value has " + std::to_string(units.size()) + " characters; column " +
                               column.name + " holds at most " + std::to_string(column.length / 2u));
    Bytes stored = TextCodec::encode(units, column.compressible());
    // A few texts (U+FEFF first, then a character with a zero low byte) have no stored form that
    // every reader decodes back to them; refuse rather than store something else.
    if (TextCodec::decode(stored) != literal)
        return Status::invalid("value for column " + column.name +
                               " cannot be stored so that it reads back unchanged");
    return stored;
}

std::string sumText(ColumnType type, long double total, long long integral) {
    if (type == ColumnType::Byte || type == ColumnType::Integer || type == ColumnType::Long)
        return std::to_string(integral);
    if (type == ColumnType::Currency) {
        Column c;
        c.type = ColumnType::Currency;
        Bytes raw(8);
        put64(raw, 0, static_cast<std::uint64_t>(integral));
        return ValueText::format(c, raw);
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15Lg", total);
    return buf;
}

} // namespace

Result<std::shared_ptr<Database>> Database::open(const std::string& path) {
    static std::mutex registryMutex;
    static std::map<std::string, std::weak_ptr<Database>> registry;
    std::error_code ec;
    const std::string key = std::filesystem::canonical(path, ec).string();
    if (ec) return Status::notFound("cannot open " + path + ": " + ec.message());
    std::lock_guard guard(registryMutex);
    if (auto existing = registry[key].lock()) return existing;
    JET_ASSIGN_OR_RETURN(auto pager, Pager::open(key));
    auto database = std::make_shared<Database>(std::move(pager));
    JET_TRY(database->checkHeader());
    registry[key] = database;
    return database;
}

Status Database::checkHeader() {
    ReadScope scope(*m_pager, false);
    JET_TRY(scope.status());
    return checkHeaderPage(*m_pager);
}

Status Database::loadCatalog() {
    if (m_catalogGeneration == m_pager->generation()) return {};
    m_catalog.clear();
    m_defs.clear();
    JET_ASSIGN_OR_RETURN(auto def, TableDef::read(*m_pager, kCatalogPage));
    const Column* id = def.find("Id");
    const Column* name = def.find("Name");
    const Column* type = def.find("Type");
    const Column* flags = def.find("Flags");
    if (!id || !name || !type || !flags)
        return Status::corrupt("catalog lacks its Id, Name, Type or Flags column");
    Table table(*m_pager, def);
    JET_ASSIGN_OR_RETURN(auto rows, table.scan());
    for (const auto& row : rows) {
        JET_ASSIGN_OR_RETURN(auto nameText, table.text(*name, row.values[def.position(*name)]));
        const auto typeValue = whole(table.text(*type, row.values[def.position(*type)]).value());
        const auto idValue = whole(table.text(*id, row.values[def.position(*id)]).value());
        const auto flagValue =
            whole(table.text(*flags, row.values[def.position(*flags)]).value()).value_or(0);
        if (!typeValue || (*typeValue & 0x7F) != 1 || !idValue || !nameText) continue;
        m_catalog.push_back({*nameText, static_cast<std::uint32_t>(*idValue & 0x00FFFFFF),
                             (static_cast<std::uint32_t>(flagValue) & kSystemFlags) != 0});
    }
    m_catalogGeneration = m_pager->generation();
    return {};
}

// The engine's own bookkeeping (MSysObjects and the like): flagged so, or named so.
bool Database::systemTable(std::string_view name) const {
    if (systemName(name)) return true;
    for (const auto& entry : m_catalog)
        if (sameName(entry.name, name)) return entry.system;
    return false;
}

Result<TableDef> Database::tableDef(std::string_view name) {
    JET_TRY(loadCatalog());
    for (const auto& entry : m_catalog) {
        if (!sameName(entry.name, name)) continue;
        auto cached = m_defs.find(entry.page);
        if (cached != m_defs.end()) return cached->second;
        JET_ASSIGN_OR_RETURN(auto def, TableDef::read(*m_pager, entry.page));
        m_defs.emplace(entry.page, def);
        return def;
    }
    return Status::notFound("no table " + std::string(name));
}

// Waits until no other connection's transaction is open; the owner of a failed one hears of its
// failure until it ends it.
Status Database::enter(std::unique_lock<std::mutex>& lock, Owner owner) {
    while (m_transaction && m_transaction->owner != owner) {
        if (m_transaction->thread == std::this_thread::get_id())
            return Status::invalid("another connection of this thread has a transaction open");
        m_idle.wait(lock);
    }
    if (inside(owner) && !m_transaction->failure.ok())
        return Status::invalid("the transaction was rolled back: " + m_transaction->failure.message());
    return {};
}

Status Database::begin(Owner owner) {
    std::unique_lock lock(m_mutex);
    if (inside(owner)) return Status::invalid("a transaction is already open on this connection");
    JET_TRY(enter(lock, owner));
    JET_TRY(m_pager->beginWrite());
    m_transaction = Transaction{owner, std::this_thread::get_id(), {}};
    return {};
}

Status Database::commit(Owner owner) {
    std::unique_lock lock(m_mutex);
    if (!inside(owner)) return Status::invalid("no transaction is open on this connection");
    const Status failure = m_transaction->failure;
    m_transaction.reset();
    m_idle.notify_all();
    if (!failure.ok()) return Status::invalid("the transaction was rolled back: " + failure.message());
    return m_pager->commit();
}

void Database::rollback(Owner owner) {
    std::unique_lock lock(m_mutex);
    if (!inside(owner)) return;
    if (m_transaction->failure.ok()) m_pager->abort();
    m_transaction.reset();
    m_idle.notify_all();
}

std::vector<std::string> Database::takeNotices() {
    std::lock_guard guard(m_mutex);
    return m_pager->takeNotices();
}

Result<std::vector<std::string>> Database::userTables(Owner owner) {
    std::unique_lock lock(m_mutex);
    JET_TRY(enter(lock, owner));
    ReadScope scope(*m_pager, inside(owner));
    JET_TRY(scope.status());
    JET_TRY(loadCatalog());
    std::vector<std::string> names;
    for (const auto& entry : m_catalog)
        if (!entry.system) names.push_back(entry.name);
    return names;
}

// Runs `read` on a table's definition with the lock held and a read scope open.
template <typename Read>
auto Database::readTable(std::string_view name, Owner owner, Read&& read)
    -> decltype(read(std::declval<const TableDef&>())) {
    std::unique_lock lock(m_mutex);
    JET_TRY(enter(lock, owner));
    ReadScope scope(*m_pager, inside(owner));
    JET_TRY(scope.status());
    JET_ASSIGN_OR_RETURN(auto def, tableDef(name));
    return read(def);
}

Result<RowSet> Database::selectAll(std::string_view name, Owner owner) {
    return readTable(name, owner, [&](const TableDef& def) -> Result<RowSet> {
        Table table(*m_pager, def);
        JET_ASSIGN_OR_RETURN(auto rows, table.scan());
        std::vector<TextRow> texts;
        texts.reserve(rows.size());
        for (const auto& row : rows) {
            TextRow text;
            text.reserve(row.values.size());
            for (std::size_t i = 0; i < row.values.size(); ++i) {
                JET_ASSIGN_OR_RETURN(auto value, table.text(def.columns[i], row.values[i]));
                text.push_back(std::move(value));
            }
            texts.push_back(std::move(text));
        }
        std::vector<std::string> names;
        std::vector<ColumnType> types;
        for (const auto& column : def.columns) {
            names.push_back(column.name);
            types.push_back(column.type);
        }
        return RowSet(std::move(names), std::move(types), std::move(texts));
    });
}

Status Database::eachRow(std::string_view name, RowVisitor& visitor, Owner owner) {
    return readTable(name, owner, [&](const TableDef& def) { return Table(*m_pager, def).eachRow(visitor); });
}

Result<std::string> Database::sum(std::string_view name, std::string_view columnName, Owner owner) {
    return readTable(name, owner, [&](const TableDef& def) -> Result<std::string> {
        const Column* column = def.find(columnName);
        if (!column)
            return Status::notFound("no column " + std::string(columnName) + " in table " +
                                    std::string(name));
        if (!isNumeric(column->type))
            return Status::invalid("sum needs a numeric column; " + column->name + " is not one");
        JET_ASSIGN_OR_RETURN(auto rows, Table(*m_pager, def).scan());
        long double total = 0;
        long long integral = 0;
        for (const auto& row : rows) {
            const auto& raw = row.values[def.position(*column)];
            if (!raw) continue;
            const std::string text = ValueText::format(*column, *raw);
            if (column->type == ColumnType::Currency) {
                if (__builtin_add_overflow(integral, static_cast<long long>(get64(*raw, 0)), &integral))
                    return Status::invalid("sum of " + column->name + " overflows");
            } else if (auto w = whole(text)) {
                if (__builtin_add_overflow(integral, *w, &integral))
                    return Status::invalid("sum of " + column->name + " overflows");
            }
            total += std::strtold(text.c_str(), nullptr);
        }
        return sumText(column->type, total, integral);
    });
}

Status Database::update(const Statement& statement, Owner owner) {
    if (statement.kind != Statement::Kind::Update)
        return Status::invalid("only update statements change the database");
    std::unique_lock lock(m_mutex);
    JET_TRY(enter(lock, owner));
    if (inside(owner)) {
        // A half-applied update cannot be undone alone: the whole transaction goes.
        Status s = applyUpdate(statement);
        if (!s.ok()) {
            m_pager->abort();
            m_transaction->failure = s;
        }
        return s;
    }
    JET_TRY(m_pager->beginWrite());
    Status s = applyUpdate(statement);
    if (!s.ok()) {
        m_pager->abort();
        return s;
    }
    return m_pager->commit();
}

Status Database::applyUpdate(const Statement& st) {
    JET_ASSIGN_OR_RETURN(auto def, tableDef(st.table));
    if (systemTable(st.table))
        return Status::invalid("table " + st.table + " is a system table; it is not changed by statements");
    const Column* target = def.find(st.column);
    if (!target) return Status::notFound("no column " + st.column + " in table " + st.table);
    JET_ASSIGN_OR_RETURN(auto stored, storedForm(*target, st.value));
    const Column* where = st.whereColumn ? def.find(*st.whereColumn) : nullptr;
    if (st.whereColumn && !where)
        return Status::notFound("no column " + *st.whereColumn + " in table " + st.table);
    std::string wanted = st.whereValue;
    if (where && fromText(where->type)) {
        JET_ASSIGN_OR_RETURN(auto form, CreateValue::convert(*where, st.whereValue));
        wanted = ValueText::format(*where, form);
    }
    GuardedPages pages(*m_pager);
    Table table(pages, def);
    JET_ASSIGN_OR_RETURN(auto rows, table.scan());
    JET_TRY(pages.checkTable(def, rows.size()));
    std::vector<const StoredRow*> matching;
    for (const auto& row : rows) {
        if (where) {
            JET_ASSIGN_OR_RETURN(auto text, table.text(*where, row.values[def.position(*where)]));
            if (!text || *text != wanted) continue;
        }
        matching.push_back(&row);
    }
    PageAllocator allocator(pages);
    IndexUpdate indexes(pages, def, *target);
    const std::size_t at = def.position(*target);
    for (const StoredRow* row : matching) {
        RawRow values = row->values;
        if (target->isLong()) {
            if (values[at]) {
                JET_ASSIGN_OR_RETURN(auto old, LongValue::read(pages, *values[at]));
                if (old == stored) continue;
                JET_TRY(LongValue::release(pages, *values[at]));
            }
            JET_ASSIGN_OR_RETURN(values[at], table.writeLongValue(*target, stored, allocator));
        } else {
            if (values[at] == stored) continue;
            values[at] = stored;
        }
        JET_TRY(indexes.change(row->slot, row->values, values));
        JET_TRY(table.rewrite(*row, values, allocator));
    }
    return indexes.apply(allocator);
}

} // namespace jet
