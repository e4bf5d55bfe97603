#include "jet/index/IndexKey.h"

#include "jet/index/GeneralSortCodes.h"
#include "jet/pages/TextCodec.h"
#include "jet/pages/ValueText.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace jet {

namespace {

// The marks of a key column that depend on its sort order.
struct Order {
    std::uint8_t present; // opens a column that holds a value
    std::uint8_t null;    // the whole key of a column without one
    std::uint8_t guidEnd; // closes a GUID
};
constexpr Order kAscending{0x7F, 0x00, 0x08};
constexpr Order kDescending{0x80, 0xFF, 0xF7};

const Order& orderOf(bool ascending) {
    return ascending ? kAscending : kDescending;
}

constexpr std::uint8_t kTrueAscending = 0x00;
constexpr std::uint8_t kFalseAscending = 0xFF;
constexpr std::uint8_t kGuidMiddle = 0x09;
constexpr std::uint8_t kIgnoresNulls = 0x02;
constexpr std::uint8_t kTextEnd = 0x01;
constexpr std::uint8_t kTextNoExtras = 0x00;
// Stands for "no accent" among the accent codes, which end at the last accented character.
constexpr std::uint8_t kNoAccent = 0x02;

std::string describe(char16_t c) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(c));
    // A control character is named by its number alone.
    if (c < 0x20 || c == 0x7F) return hex;
    return "'" + TextCodec::toUtf8(std::u16string(1, c)) + "' (" + hex + ")";
}

void invert(Bytes& bytes, std::size_t from) {
    for (std::size_t i = from; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(~bytes[i]);
}

// Little-endian stored bytes, most significant first.
Bytes bigEndian(const Bytes& raw) {
    return Bytes(raw.rbegin(), raw.rend());
}

Result<Bytes> numberKey(format::ColumnType type, const Bytes& raw) {
    using format::ColumnType;
    Bytes value = bigEndian(raw);
    switch (type) {
    case ColumnType::Byte:
        return value;
    case ColumnType::Integer:
    case ColumnType::Long:
    case ColumnType::Currency:
        value[0] ^= 0x80;
        return value;
    case ColumnType::Single:
    case ColumnType::Double:
    case ColumnType::DateTime:
        // Positive numbers sort by their bits with the sign set; negative ones in reverse.
        if (value[0] & 0x80)
            invert(value, 0);
        else
            value[0] ^= 0x80;
        return value;
    default:
        return Status::unsupported("no index key for this type");
    }
}

// A GUID as its text reads (the first three groups are stored little-endian), split after eight bytes.
Bytes guidKey(const Bytes& raw, bool ascending) {
    Bytes value{raw[3], raw[2], raw[1], raw[0], raw[5], raw[4], raw[7], raw[6]};
    value.insert(value.end(), raw.begin() + 8, raw.end());
    if (!ascending) invert(value, 0);
    value.insert(value.begin() + 8, kGuidMiddle);
    value.push_back(orderOf(ascending).guidEnd);
    return value;
}

} // namespace

Result<Bytes> IndexKey::columnKey(const Column& column, const std::optional<Bytes>& raw, bool ascending) {
    using format::ColumnType;
    const std::uint8_t present = orderOf(ascending).present;
    if (column.type == ColumnType::Boolean) {
        const bool yes = raw && !raw->empty() && raw->front() != 0;
        const std::uint8_t code = yes ? kTrueAscending : kFalseAscending;
        return Bytes{present, ascending ? code : static_cast<std::uint8_t>(~code)};
    }
    if (!raw) return Bytes{orderOf(ascending).null};
    Bytes key;
    if (column.type == ColumnType::Text) {
        const std::string text = TextCodec::decode(*raw);
        if (!ascending)
            return Status::unsupported("descending text keys of " + column.name +
                                       " cannot be encoded exactly");
        if (text.empty())
            return Status::unsupported("the index key of an empty text in " + column.name +
                                       " cannot be encoded exactly");
        auto encoded = IndexKey::text(text);
        if (!encoded.ok())
            return Status::unsupported("the index key of column " + column.name +
                                       " cannot be encoded exactly: " + encoded.status().message());
        return std::move(encoded.value());
    }
    // Decimal keys are not known; every other fixed-size number has its key below.
    const std::size_t size = column.type == ColumnType::Numeric ? 0 : ValueText::fixedSize(column.type);
    if (size == 0)
        return Status::unsupported("index keys of column " + column.name +
                                   " (of its type) cannot be encoded exactly");
    if (raw->size() != size) return Status::corrupt("value of column " + column.name + " has the wrong size");
    if (column.type == ColumnType::Guid) {
        key = guidKey(*raw, ascending);
    } else {
        JET_ASSIGN_OR_RETURN(key, numberKey(column.type, *raw));
        if (!ascending) invert(key, 0);
    }
    key.insert(key.begin(), present);
    return key;
}

Result<std::optional<Bytes>> IndexKey::rowKey(const TableDef& def, const RealIndex& index,
                                              const RawRow& values) {
    Bytes key;
    bool allNull = true;
    for (std::size_t i = 0; i < index.columns.size(); ++i) {
        const auto column = std::find_if(def.columns.begin(), def.columns.end(),
                                         [&](const Column& c) { return c.number == index.columns[i]; });
        if (column == def.columns.end())
            return Status::corrupt("index names column " + std::to_string(index.columns[i]) +
                                   ", which the table lacks");
        if (def.position(*column) >= values.size())
            return Status::corrupt("row lacks column " + column->name);
        const auto& raw = values[def.position(*column)];
        if (raw && column->type != format::ColumnType::Boolean) allNull = false;
        const bool ascending = i >= index.ascending.size() || index.ascending[i];
        JET_ASSIGN_OR_RETURN(auto part, columnKey(*column, raw, ascending));
        key.insert(key.end(), part.begin(), part.end());
    }
    if (allNull && (index.flags & kIgnoresNulls)) return std::optional<Bytes>{};
    return std::optional<Bytes>{std::move(key)};
}

Bytes IndexKey::longValue(std::int32_t value) {
    const auto flipped = static_cast<std::uint32_t>(value) ^ 0x80000000u;
    return {kAscending.present, static_cast<std::uint8_t>(flipped >> 24),
            static_cast<std::uint8_t>(flipped >> 16), static_cast<std::uint8_t>(flipped >> 8),
            static_cast<std::uint8_t>(flipped)};
}

Result<Bytes> IndexKey::text(std::string_view utf8) {
    JET_ASSIGN_OR_RETURN(const auto chars, TextCodec::fromUtf8(utf8));
    Bytes key{kAscending.present};
    Bytes accents;
    for (char16_t c : chars) {
        const auto code = GeneralSortCodes::of(c);
        if (!code)
            return Status::invalid("no General sort code is known for " + describe(c) + " in '" +
                                   std::string(utf8) + "'");
        if (code->base > 0xFF) key.push_back(static_cast<std::uint8_t>(code->base >> 8));
        key.push_back(static_cast<std::uint8_t>(code->base));
        accents.push_back(code->accent != 0 ? code->accent : kNoAccent);
    }
    while (!accents.empty() && accents.back() == kNoAccent)
        accents.pop_back();
    key.push_back(kTextEnd);
    key.insert(key.end(), accents.begin(), accents.end());
    key.push_back(kTextNoExtras);
    return key;
}

Bytes IndexKey::leafEntry(ByteView key, RowId row) {
    Bytes entry(key.begin(), key.end());
    entry.push_back(static_cast<std::uint8_t>(row.page >> 16));
    entry.push_back(static_cast<std::uint8_t>(row.page >> 8));
    entry.push_back(static_cast<std::uint8_t>(row.page));
    entry.push_back(static_cast<std::uint8_t>(row.row));
    return entry;
}

} // namespace jet
