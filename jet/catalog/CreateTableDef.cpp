#include "jet/catalog/CreateTableDef.h"

#include "jet/Format.h"
#include "jet/pages/TextCodec.h"

#include <algorithm>

namespace jet {

namespace {

namespace f = format;

constexpr std::uint8_t kAutoNumberWorks = 0x01; // set in every table Jet writes
constexpr std::size_t kTdefMagicOffset = 12;
constexpr std::size_t kAutoNumberFlagOffset = 24;
constexpr std::uint8_t kSortGeneral[4] = {0x09, 0x04, 0x00, 0x00}; // LCID 1033, version 0
constexpr std::uint8_t kIndexColumnAscending = 0x01;
constexpr std::uint32_t kNoRelatedIndex = 0xFFFFFFFF;
constexpr std::uint8_t kCascadeAsJetWrites = 0x04; // Jet leaves 4 in both cascade bytes of plain indexes
constexpr std::uint8_t kPrimaryKeyType = 0x01;

void append16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void append32(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

Status appendName(Bytes& out, const std::string& name) {
    JET_ASSIGN_OR_RETURN(auto utf16, TextCodec::fromUtf8(name));
    append16(out, static_cast<std::uint16_t>(utf16.size() * 2));
    for (char16_t c : utf16)
        append16(out, static_cast<std::uint16_t>(c));
    return Status::okStatus();
}

void appendFixedBlock(Bytes& out, const TableLayout& layout) {
    const TableDef& def = layout.def;
    out.resize(f::kTdefBlockEnd, 0);
    out[0] = f::kPageTableDef;
    out[1] = 0x01;
    put32(out, kTdefMagicOffset, f::kTdefMagic);
    put32(out, f::kTdefRowCountOffset, def.rowCount);
    out[kAutoNumberFlagOffset] = kAutoNumberWorks;
    out[f::kTdefTableTypeOffset] = def.tableType;
    put16(out, f::kTdefMaxColsOffset, def.maxCols);
    put16(out, f::kTdefVarColsOffset, def.varCols);
    put16(out, f::kTdefColCountOffset, static_cast<std::uint16_t>(def.columns.size()));
    put32(out, f::kTdefLogicalIndexCountOffset, static_cast<std::uint32_t>(layout.logical.size()));
    put32(out, f::kTdefRealIndexCountOffset, static_cast<std::uint32_t>(def.indexes.size()));
    put32(out, f::kTdefOwnedMapOffset, def.ownedMap.raw());
    put32(out, f::kTdefFreeMapOffset, def.freeMap.raw());
}

void appendDescriptor(Bytes& out, const Column& c, std::uint8_t tableType) {
    out.push_back(static_cast<std::uint8_t>(c.type));
    append32(out, f::kTdefMagic);
    append16(out, c.number);
    append16(out, c.varIndex);
    // "Column number again": 0 in Jet's own tables, the number in Access's; no reader uses it.
    append16(out, tableType == f::kTableSystem ? 0 : c.number);
    out.insert(out.end(), std::begin(kSortGeneral), std::end(kSortGeneral));
    out.push_back(c.flags);
    out.push_back(c.extFlags);
    append32(out, 0);
    append16(out, c.fixedOffset);
    append16(out, c.length);
}

void appendRealIndex(Bytes& out, const RealIndex& index) {
    append32(out, f::kIndexMagic);
    for (unsigned slot = 0; slot < f::kIndexColumnSlots; ++slot) {
        const bool used = slot < index.columns.size();
        append16(out, used ? index.columns[slot] : f::kIndexUnusedColumn);
        out.push_back(used ? kIndexColumnAscending : 0);
    }
    append32(out, index.map.raw());
    append32(out, index.root);
    append32(out, 0);
    out.push_back(index.flags);
    out.insert(out.end(), 5, 0);
}

void appendLogicalIndex(Bytes& out, const LogicalIndexDef& index) {
    append32(out, f::kTdefMagic);
    append32(out, index.number);
    append32(out, index.realIndex);
    out.push_back(0); // related table type: none
    append32(out, kNoRelatedIndex);
    append32(out, 0); // related table page
    out.push_back(kCascadeAsJetWrites);
    out.push_back(kCascadeAsJetWrites);
    out.push_back(index.primaryKey ? kPrimaryKeyType : 0);
    append32(out, 0);
}

} // namespace

Result<Bytes> CreateTableDef::encode(const TableLayout& layout) {
    const TableDef& def = layout.def;
    if (layout.uniqueKeys.size() != def.indexes.size() || layout.storedOrder.size() != def.columns.size())
        return Status::invalid("table layout of '" + std::to_string(def.page) + "' is inconsistent");
    Bytes out;
    appendFixedBlock(out, layout);
    for (std::uint32_t keys : layout.uniqueKeys) {
        append32(out, 0);
        append32(out, keys);
        append32(out, 0);
    }
    for (std::size_t at : layout.storedOrder)
        appendDescriptor(out, def.columns.at(at), def.tableType);
    for (std::size_t at : layout.storedOrder)
        JET_TRY(appendName(out, def.columns.at(at).name));
    for (const RealIndex& index : def.indexes)
        appendRealIndex(out, index);
    for (const LogicalIndexDef& index : layout.logical)
        appendLogicalIndex(out, index);
    for (const LogicalIndexDef& index : layout.logical)
        JET_TRY(appendName(out, index.name));
    for (const LongValueMaps& maps : def.longValueMaps) {
        append16(out, maps.column);
        append32(out, maps.owned.raw());
        append32(out, maps.free.raw());
    }
    append16(out, f::kLongValueMapEnd);
    put32(out, f::kTdefLengthOffset, static_cast<std::uint32_t>(out.size()));
    return out;
}

Status CreateTableDef::write(CreateImage& image, std::uint32_t firstPage, const Bytes& stream) {
    constexpr std::size_t payload = f::kPageSize - f::kTdefHeaderSize;
    std::uint32_t current = firstPage;
    std::size_t at = f::kTdefHeaderSize; // the stream already starts with the first page's header
    while (true) {
        PageSpan page = image.page(current);
        std::fill(page.begin(), page.end(), std::uint8_t{0});
        page[0] = f::kPageTableDef;
        page[1] = 0x01;
        const std::size_t chunk = std::min(payload, stream.size() - at);
        std::copy_n(stream.begin() + static_cast<std::ptrdiff_t>(at), chunk,
                    page.begin() + f::kTdefHeaderSize);
        at += chunk;
        // Jet counts the free space of a definition page as the unused bytes less 8.
        const std::size_t unused = payload - chunk;
        put16(page, f::kDataFreeSpaceOffset, static_cast<std::uint16_t>(unused >= 8 ? unused - 8 : 0));
        if (at == stream.size()) return Status::okStatus();
        JET_ASSIGN_OR_RETURN(auto next, image.append());
        put32(page, f::kTdefNextPageOffset, next);
        current = next;
    }
}

} // namespace jet
