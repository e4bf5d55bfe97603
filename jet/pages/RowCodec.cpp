#include "jet/pages/RowCodec.h"

#include "jet/pages/ValueText.h"

#include <algorithm>

namespace jet {

namespace {

using namespace format;

// Where the parts of a stored row lie.
struct Layout {
    std::size_t columnCount = 0;
    std::size_t maskStart = 0;
    std::size_t fixedLimit = 0; // end of the fixed area: start of the variable data
    std::size_t varTableStart = 0;
    std::vector<std::size_t> offsets; // variable column starts, then the end of the variable data
};

Result<Layout> layout(const TableDef& table, ByteView row) {
    Layout l;
    if (row.size() < kRowColumnCountSize) return Status::corrupt("row is shorter than its column count");
    l.columnCount = get16(row, 0);
    const std::size_t maskLength = (l.columnCount + 7) / 8;
    if (row.size() < kRowColumnCountSize + maskLength)
        return Status::corrupt("row is shorter than its null mask");
    l.maskStart = row.size() - maskLength;
    l.fixedLimit = l.maskStart;
    l.varTableStart = l.maskStart;
    if (table.varCols == 0) return l;
    if (l.maskStart < kRowColumnCountSize + 4)
        return Status::corrupt("row is shorter than its variable table");
    const std::size_t varCount = get16(row, l.maskStart - 2);
    if (l.maskStart < kRowColumnCountSize + 4 + 2 * varCount)
        return Status::corrupt("row is shorter than its variable table");
    l.varTableStart = l.maskStart - 4 - 2 * varCount;
    for (std::size_t i = 0; i < varCount; ++i)
        l.offsets.push_back(get16(row, l.maskStart - 4 - 2 * i));
    l.offsets.push_back(get16(row, l.varTableStart)); // end of variable data
    for (std::size_t i = 0; i < l.offsets.size(); ++i) {
        if (l.offsets[i] < kRowColumnCountSize || l.offsets[i] > l.varTableStart ||
            (i > 0 && l.offsets[i] < l.offsets[i - 1]))
            return Status::corrupt("row has variable offsets out of order");
    }
    l.fixedLimit = l.offsets.front();
    return l;
}

bool maskBit(ByteView row, const Layout& l, std::size_t number) {
    return (row[l.maskStart + number / 8] >> (number % 8)) & 1;
}

constexpr std::uint8_t kNo[1] = {0};
constexpr std::uint8_t kYes[1] = {1};

Result<std::optional<ByteView>> field(const Column& c, ByteView row, const Layout& l) {
    if (c.number >= l.columnCount) return std::optional<ByteView>{};
    const bool present = maskBit(row, l, c.number);
    if (c.type == ColumnType::Boolean) return std::optional<ByteView>{ByteView(present ? kYes : kNo)};
    if (!present) return std::optional<ByteView>{};
    if (c.fixed()) {
        const std::size_t size = ValueText::fixedSize(c.type) ? ValueText::fixedSize(c.type) : c.length;
        const std::size_t start = kRowColumnCountSize + c.fixedOffset;
        if (start + size > l.fixedLimit)
            return Status::corrupt("column " + c.name + " lies beyond the fixed area of its row");
        return std::optional<ByteView>{row.subspan(start, size)};
    }
    if (c.varIndex + 1u >= l.offsets.size()) return std::optional<ByteView>{};
    const std::size_t start = l.offsets[c.varIndex];
    const std::size_t end = l.offsets[c.varIndex + 1u];
    return std::optional<ByteView>{row.subspan(start, end - start)};
}

std::size_t fixedAreaSize(const TableDef& table) {
    std::size_t size = 0;
    for (const auto& c : table.columns)
        if (c.fixed() && c.type != ColumnType::Boolean)
            size = std::max<std::size_t>(
                size,
                c.fixedOffset + (ValueText::fixedSize(c.type) ? ValueText::fixedSize(c.type) : c.length));
    return size;
}

} // namespace

Status RowCodec::decodeViews(const TableDef& table, ByteView row, RowViews& out) {
    JET_ASSIGN_OR_RETURN(auto l, layout(table, row));
    out.clear();
    for (const auto& column : table.columns) {
        JET_ASSIGN_OR_RETURN(auto value, field(column, row, l));
        out.push_back(value);
    }
    return {};
}

Result<RawRow> RowCodec::decode(const TableDef& table, ByteView row) {
    RowViews views;
    views.reserve(table.columns.size());
    JET_TRY(decodeViews(table, row, views));
    RawRow out;
    out.reserve(views.size());
    for (const auto& view : views)
        out.push_back(view ? std::optional<Bytes>(Bytes(view->begin(), view->end())) : std::nullopt);
    return out;
}

Result<Bytes> RowCodec::encode(const TableDef& table, const RawRow& row) {
    if (row.size() != table.columns.size()) return Status::invalid("row has the wrong number of columns");
    Bytes out(kRowColumnCountSize + fixedAreaSize(table), 0);
    put16(out, 0, table.maxCols);
    Bytes mask((table.maxCols + 7) / 8, 0);
    std::vector<const Column*> byVarIndex;
    for (std::size_t i = 0; i < row.size(); ++i) {
        const Column& c = table.columns[i];
        const bool present = c.type == ColumnType::Boolean
                                 ? (row[i] && !row[i]->empty() && row[i]->front() != 0)
                                 : row[i].has_value();
        if (present)
            mask[c.number / 8] = static_cast<std::uint8_t>(mask[c.number / 8] | (1u << (c.number % 8)));
        if (c.type == ColumnType::Boolean) continue;
        if (!c.fixed()) {
            if (byVarIndex.size() <= c.varIndex) byVarIndex.resize(c.varIndex + 1u, nullptr);
            byVarIndex[c.varIndex] = &c;
        } else if (present) {
            if (row[i]->size() != (ValueText::fixedSize(c.type) ? ValueText::fixedSize(c.type) : c.length))
                return Status::invalid("value of column " + c.name + " has the wrong size");
            std::copy(row[i]->begin(), row[i]->end(),
                      out.begin() + static_cast<std::ptrdiff_t>(2 + c.fixedOffset));
        }
    }
    if (table.varCols > 0) {
        std::vector<std::uint16_t> offsets;
        for (const Column* c : byVarIndex) {
            offsets.push_back(static_cast<std::uint16_t>(out.size()));
            const auto& value = c ? row[table.position(*c)] : std::optional<Bytes>{};
            if (value) out.insert(out.end(), value->begin(), value->end());
        }
        const std::size_t eod = out.size();
        out.resize(out.size() + 2 + 2 * offsets.size() + 2);
        put16(out, eod, static_cast<std::uint16_t>(eod));
        for (std::size_t i = 0; i < offsets.size(); ++i)
            put16(out, eod + 2 + 2 * (offsets.size() - 1 - i), offsets[i]);
        put16(out, out.size() - 2, static_cast<std::uint16_t>(offsets.size()));
    }
    out.insert(out.end(), mask.begin(), mask.end());
    if (out.size() > kMaxRowSize)
        return Status::invalid("row would take " + std::to_string(out.size()) +
                               " bytes, more than a row can hold");
    return out;
}

} // namespace jet
