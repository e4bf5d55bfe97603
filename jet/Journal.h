#pragma once

// The rollback journal beside the database: original page images of one statement.
//
// Invariants:
//  1. The journal is written and synced before the first byte of the database changes.
//  2. A journal whose header is valid is "hot": its statement may be partly in the database.
//  3. A hot journal is played back (its images restored, the file cut to its old length) and
//     synced before anything in the database is read.
//  4. The header is cleared, and synced, only after the database itself was synced.
//  5. Every record carries a checksum salted with the statement's nonce, so a record left from
//     an earlier statement, or half written, is never played back.
//  6. Bytes 24-31 of the header count committed statements; they survive clearing, so another
//     process learns from them that its cached pages are stale.
// The journal file is created by the first update, so reading never leaves files behind.
#include "Bytes.h"
#include "File.h"
#include "Format.h"
#include "Status.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace jet {

using PageImage = std::vector<std::uint8_t>;

class Journal {
public:
    // Opens the journal file; `create` is false when only an existing journal is wanted.
    using Opener = std::function<Result<std::unique_ptr<File>>(bool create)>;

    explicit Journal(Opener opener) : m_opener(std::move(opener)) {}

    // Writes the original images, the page count before the statement and the statement count
    // it will commit as, then syncs.
    Status write(std::uint32_t originalPageCount, const std::map<std::uint32_t, PageImage>& originals,
                 std::uint64_t counter);
    // Marks the journal as no longer hot, keeping the statement count, and syncs.
    Status clear(std::uint64_t counter);
    Result<bool> hot();
    // The count of committed statements; 0 before the first.
    Result<std::uint64_t> counter();
    // Restores a hot journal into `database` and clears it; false when there was nothing to do.
    Result<bool> playBack(File& database);

private:
    Result<File*> file(bool create);

    Opener m_opener;
    std::unique_ptr<File> m_file;
    std::uint32_t m_nonce = 0;
};

} // namespace jet
