#include "jet/longvalue/LongValue.h"

#include "jet/pages/DataPage.h"

#include <algorithm>
#include <set>

namespace jet {

namespace {

using namespace format;

constexpr std::size_t kChunkData = kMaxLongValueRow - 4;

struct Field {
    std::uint32_t length = 0;
    std::uint8_t kind = 0;
    RowId first;
};

Result<Field> parseField(ByteView field) {
    if (field.size() < kLongValueHeaderSize)
        return Status::corrupt("long-value field is shorter than its header");
    Field f{get24(field, 0), field[3], RowId::fromRaw(get32(field, 4))};
    if (f.kind != kLongValueInline && f.kind != kLongValueSingle && f.kind != kLongValueChain)
        return Status::corrupt("long-value field has unknown kind " + std::to_string(f.kind));
    return f;
}

Result<ByteView> lvalRow(PageStore& store, RowId id) {
    if (id.page == 0 || id.page >= store.pageCount())
        return Status::corrupt("long value points to page " + std::to_string(id.page) + " outside the file");
    JET_ASSIGN_OR_RETURN(auto page, store.read(id.page));
    if (DataPage::owner(page) != kLongValueOwner)
        return Status::corrupt("long value points to page " + std::to_string(id.page) +
                               ", not a long-value page");
    JET_ASSIGN_OR_RETURN(auto slot, DataPage::slot(page, id.row));
    if (slot.deleted()) return Status::corrupt("long value points to a deleted row");
    return DataPage::bytes(page, slot);
}

Bytes header(std::size_t length, std::uint8_t kind, RowId first) {
    Bytes f(kLongValueHeaderSize, 0);
    put24(f, 0, static_cast<std::uint32_t>(length));
    f[3] = kind;
    put32(f, 4, first.raw());
    return f;
}

Result<RowId> addRow(PageStore& store, ByteView row, const LongValue::PageWithRoom& pageWithRoom) {
    JET_ASSIGN_OR_RETURN(auto page, pageWithRoom(row.size() + 2));
    JET_ASSIGN_OR_RETURN(auto span, store.modify(page));
    JET_ASSIGN_OR_RETURN(auto added, DataPage::addRow(span, row, 0));
    return RowId{page, added};
}

} // namespace

Result<std::vector<RowId>> LongValue::rows(PageStore& store, ByteView field) {
    JET_ASSIGN_OR_RETURN(auto f, parseField(field));
    std::vector<RowId> out;
    if (f.kind == kLongValueInline) return out;
    if (f.kind == kLongValueSingle) {
        out.push_back(f.first);
        return out;
    }
    std::set<std::uint32_t> seen;
    std::size_t collected = 0;
    for (RowId id = f.first; collected < f.length;) {
        if (!seen.insert(id.raw()).second) return Status::corrupt("long-value chain loops");
        JET_ASSIGN_OR_RETURN(auto row, lvalRow(store, id));
        if (row.size() < 4) return Status::corrupt("long-value chain row is shorter than its pointer");
        out.push_back(id);
        collected += row.size() - 4;
        const std::uint32_t next = get32(row, 0);
        if (next == 0) break;
        id = RowId::fromRaw(next);
    }
    return out;
}

std::optional<ByteView> LongValue::inlineBytes(ByteView field) {
    auto f = parseField(field);
    if (!f.ok() || f->kind != kLongValueInline || field.size() - kLongValueHeaderSize < f->length)
        return std::nullopt;
    return field.subspan(kLongValueHeaderSize, f->length);
}

Result<Bytes> LongValue::read(PageStore& store, ByteView field) {
    JET_ASSIGN_OR_RETURN(auto f, parseField(field));
    if (f.kind == kLongValueInline) {
        if (field.size() - kLongValueHeaderSize < f.length)
            return Status::corrupt("inline long value is shorter than its length");
        return Bytes(field.begin() + kLongValueHeaderSize, field.begin() + kLongValueHeaderSize + f.length);
    }
    JET_ASSIGN_OR_RETURN(auto ids, rows(store, field));
    Bytes out;
    out.reserve(f.length);
    for (RowId id : ids) {
        JET_ASSIGN_OR_RETURN(auto row, lvalRow(store, id));
        const ByteView data = f.kind == kLongValueSingle ? row : row.subspan(4);
        out.insert(out.end(), data.begin(),
                   data.begin() + static_cast<std::ptrdiff_t>(
                                      std::min<std::size_t>(data.size(), f.length - out.size())));
    }
    if (out.size() != f.length) return Status::corrupt("long value is shorter than its length");
    return out;
}

Result<Bytes> LongValue::write(PageStore& store, ByteView value, const PageWithRoom& pageWithRoom) {
    if (value.size() > kMaxLongValueLength) return Status::invalid("long value is larger than 16 MB");
    if (value.size() <= kMaxInlineLongValue) {
        Bytes f = header(value.size(), kLongValueInline, {});
        f.insert(f.end(), value.begin(), value.end());
        return f;
    }
    if (value.size() <= kMaxLongValueRow) {
        JET_ASSIGN_OR_RETURN(auto id, addRow(store, value, pageWithRoom));
        return header(value.size(), kLongValueSingle, id);
    }
    // Chain: the last chunk first, so that each chunk knows the row of the next.
    std::uint32_t next = 0;
    for (std::size_t end = value.size(); end > 0;) {
        const std::size_t start = (end - 1) / kChunkData * kChunkData;
        Bytes row(4);
        put32(row, 0, next);
        row.insert(row.end(), value.begin() + static_cast<std::ptrdiff_t>(start),
                   value.begin() + static_cast<std::ptrdiff_t>(end));
        JET_ASSIGN_OR_RETURN(auto id, addRow(store, row, pageWithRoom));
        next = id.raw();
        end = start;
    }
    return header(value.size(), kLongValueChain, RowId::fromRaw(next));
}

Status LongValue::release(PageStore& store, ByteView field) {
    JET_ASSIGN_OR_RETURN(auto ids, rows(store, field));
    for (RowId id : ids) {
        JET_ASSIGN_OR_RETURN(auto page, store.modify(id.page));
        JET_TRY(DataPage::replaceRow(page, id.row, {}, kRowDeleted));
    }
    return {};
}

} // namespace jet
