#pragma once

// Memo and OLE values: a 12-byte field in the row, the value inline or on "LVAL" pages.
#include "jet/Bytes.h"
#include "jet/Status.h"
#include "jet/file/PageStore.h"

#include <functional>
#include <optional>
#include <vector>

namespace jet {

class LongValue {
public:
    // The value, exactly as long as the field says; every row on the way is checked.
    static Result<Bytes> read(PageStore& store, ByteView field);
    // A value kept in the row itself, without a copy; nullopt for values elsewhere (or damaged,
    // which read() reports).
    static std::optional<ByteView> inlineBytes(ByteView field);
    // The long-value rows a field refers to, in chain order.
    static Result<std::vector<RowId>> rows(PageStore& store, ByteView field);

    // A long-value page with at least `bytes` free (slot included), added to the right maps.
    using PageWithRoom = std::function<Result<std::uint32_t>(std::size_t bytes)>;
    // Stores a value and returns its field: inline when short, else one row or a chain of rows.
    static Result<Bytes> write(PageStore& store, ByteView value, const PageWithRoom& pageWithRoom);
    // Marks the rows of a field deleted, giving their bytes back to their pages.
    static Status release(PageStore& store, ByteView field);
};

} // namespace jet
