#include "jet/statements/TableStatements.h"

#include "jet/catalog/Table.h"
#include "jet/index/IndexUpdate.h"
#include "jet/longvalue/LongValue.h"
#include "jet/pages/CreateValue.h"
#include "jet/pages/GuardedPages.h"
#include "jet/pages/TextCodec.h"
#include "jet/pages/ValueText.h"

#include <cstdio>
#include <cstdlib>

namespace jet::TableStatements {

using format::ColumnType;

namespace {

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

// What the statement's condition compares: a column, and the text a matching value reads as.
struct Condition {
    const Column* column = nullptr; // none: every row matches
    std::string wanted;
};

Result<Condition> conditionOf(const TableDef& def, const Statement& st) {
    const Column* where = st.whereColumn ? def.find(*st.whereColumn) : nullptr;
    if (st.whereColumn && !where)
        return Status::notFound("no column " + *st.whereColumn + " in table " + st.table);
    Condition condition{where, st.whereValue};
    if (where && fromText(where->type)) {
        JET_ASSIGN_OR_RETURN(auto form, CreateValue::convert(*where, st.whereValue));
        condition.wanted = ValueText::format(*where, form);
    }
    return condition;
}

// The rows the condition picks, by their place in the table's rows.
std::vector<std::size_t> matchingRows(TableRows& rows, const TableDef& def, const Condition& where) {
    if (where.column) return rows.withText(def.position(*where.column), where.wanted);
    std::vector<std::size_t> all(rows.size());
    for (std::size_t r = 0; r < all.size(); ++r)
        all[r] = r;
    return all;
}

} // namespace

RowSet selectAll(const TableDef& def, const TableRows& rows) {
    std::vector<std::string> names;
    std::vector<ColumnType> types;
    for (const auto& column : def.columns) {
        names.push_back(column.name);
        types.push_back(column.type);
    }
    return RowSet(std::move(names), std::move(types), rows.texts());
}

Result<std::string> sum(PageStore& store, const TableDef& def, std::string_view table,
                        std::string_view columnName) {
    const Column* column = def.find(columnName);
    if (!column)
        return Status::notFound("no column " + std::string(columnName) + " in table " + std::string(table));
    if (!isNumeric(column->type))
        return Status::invalid("sum needs a numeric column; " + column->name + " is not one");
    JET_ASSIGN_OR_RETURN(auto rows, Table(store, def).scan());
    long double total = 0;
    long long integral = 0;
    for (const auto& row : rows) {
        const auto& raw = row.values[def.position(*column)];
        if (!raw) continue;
        const std::string text = ValueText::format(*column, *raw);
        if (column->type == ColumnType::Currency) {
            if (__builtin_add_overflow(integral, static_cast<long long>(get64(*raw, 0)), &integral))
                return Status::invalid("sum of " + column->name + " overflows");
        } else if (auto w = ValueText::wholeNumber(text)) {
            if (__builtin_add_overflow(integral, *w, &integral))
                return Status::invalid("sum of " + column->name + " overflows");
        }
        total += std::strtold(text.c_str(), nullptr);
    }
    return sumText(column->type, total, integral);
}

Status update(PageStore& store, const TableDef& def, const Statement& st, TableRows& rows) {
    const Column* target = def.find(st.column);
    if (!target) return Status::notFound("no column " + st.column + " in table " + st.table);
    JET_ASSIGN_OR_RETURN(auto stored, storedForm(*target, st.value));
    JET_ASSIGN_OR_RETURN(auto where, conditionOf(def, st));
    GuardedPages pages(store);
    Table table(pages, def);
    JET_TRY(pages.checkTable(def, rows.size()));
    const std::vector<std::size_t> matching = matchingRows(rows, def, where); // a copy: set() changes lookups
    PageAllocator allocator(pages);
    IndexUpdate indexes(pages, def, *target);
    const std::size_t at = def.position(*target);
    for (std::size_t r : matching) {
        JET_ASSIGN_OR_RETURN(auto row, table.row(rows.home(r)));
        RawRow values = row.values;
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
        JET_TRY(indexes.change(row.slot, row.values, values));
        JET_TRY(table.rewrite(row, values, allocator));
        JET_ASSIGN_OR_RETURN(auto text, table.text(*target, values[at]));
        rows.set(r, at, std::move(text));
    }
    return indexes.apply(allocator);
}

} // namespace jet::TableStatements
