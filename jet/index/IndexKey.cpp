#include "jet/index/IndexKey.h"

#include "jet/pages/TextCodec.h"
#include "jet/pages/ValueText.h"

#include <algorithm>
#include <array>
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
// Blanks sort before digits and letters and carry no extra marks (seen in an Access-made index).
constexpr std::uint8_t kBlankCode = 0x07;
constexpr std::uint8_t kTextEnd = 0x01;
constexpr std::uint8_t kTextNoExtras = 0x00;

// Codes of the letters a..z, upper and lower case alike. Read off the catalog indexes Jet and
// Access wrote for names such as "MSysRelationships", "SummaryInfo" and "NavPaneObjectIDs"; 'z',
// which no sample name holds, is taken from the General table that Jackcess ships
// (index_codes_genleg), which agrees with every code seen in the samples.
constexpr std::array<std::uint8_t, 26> kLetterCodes = {
    0x4A, 0x4C, 0x4D, 0x4F, 0x51, 0x53, 0x55, 0x57, 0x59, 0x5B, 0x5C, 0x5E, 0x60,
    0x62, 0x64, 0x66, 0x68, 0x69, 0x6B, 0x6D, 0x6F, 0x71, 0x73, 0x75, 0x76, 0x78,
};
// Digits run in steps of 2 from 0x36 ("Table1".."Table4" give 38, 3A, 3C, 3E; the same table
// gives '0' = 36 and '9' = 48).
constexpr std::uint8_t kDigitZeroCode = 0x36;

std::optional<std::uint8_t> code(char c) {
    if (c == ' ') return kBlankCode;
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(kDigitZeroCode + 2 * (c - '0'));
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c >= 'a' && c <= 'z') return kLetterCodes[static_cast<std::size_t>(c - 'a')];
    return std::nullopt;
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
            return Status::unsupported("the index key of '" + text + "' in " + column.name +
                                       " cannot be encoded exactly: only letters, digits and blanks can");
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

Result<Bytes> IndexKey::text(std::string_view ascii) {
    Bytes key{kAscending.present};
    for (char c : ascii) {
        const auto mapped = code(c);
        if (!mapped)
            return Status::invalid("no index code for character '" + std::string(1, c) + "' in name '" +
                                   std::string(ascii) + "'");
        key.push_back(*mapped);
    }
    key.push_back(kTextEnd);
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
