#pragma once

// The rollback journal beside the database: original page images of one statement, and a
// checksum of what each page becomes.
//
// Invariants:
//  1. The journal is written and synced before the first byte of the database changes.
//  2. A journal whose header is valid is "hot": its statement may be partly in the database.
//  3. A hot journal is resolved, and synced, before anything in the database is read: if every
//     page it names already holds its new image (and the file its new length), the statement is
//     complete and is kept; otherwise the original images are restored and the file cut to its
//     old length.
//  4. So the database is synced once per statement, and clearing the header afterwards needs no
//     sync of its own: a hot journal of a complete statement is simply found complete.
//  5. Every record carries a checksum salted with the statement's nonce. A journal with a record
//     that does not check out was never completely written, so its statement never touched the
//     database: it is dropped and the database left alone.
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

    struct Record {
        std::uint32_t page = 0;
        const PageImage* original = nullptr; // null for a page the statement appends
        const PageImage* current = nullptr;  // the page as the statement leaves it
    };

    // Writes the records, the page counts before and after the statement and the statement count
    // it will commit as, then syncs.
    Status write(std::uint32_t originalPageCount, std::uint32_t newPageCount,
                 const std::vector<Record>& records, std::uint64_t counter);
    // Marks the journal as no longer hot, keeping the statement count (no sync: see invariant 4).
    Status clear(std::uint64_t counter);
    Result<bool> hot();
    // The count of committed statements; 0 before the first.
    Result<std::uint64_t> counter();
    // Resolves a hot journal (invariant 3); `keepComplete` false restores even a complete
    // statement (its commit is being abandoned). False when there was nothing to do.
    Result<bool> playBack(File& database, bool keepComplete);

private:
    Result<File*> file(bool create);

    Opener m_opener;
    std::unique_ptr<File> m_file;
    std::uint32_t m_nonce = 0;
};

} // namespace jet
