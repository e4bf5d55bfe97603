#pragma once

// The rollback journal beside the database: original page images of one transaction (one or
// more updates committed as one), and a checksum of each sector of what each page becomes.
//
// Invariants:
//  1. The journal is written and synced before the first byte of the database changes.
//  2. A journal whose header is valid is "hot": its transaction may be partly in the database.
//  3. A hot journal is resolved, and synced, before anything in the database is read: if every
//     page it names already holds its new image (and the file its new length), the transaction is
//     complete and is kept; otherwise the original images are restored and the file cut to its
//     old length.
//  4. So the database is synced once per transaction, and clearing the header afterwards needs no
//     sync of its own: a hot journal of a complete transaction is simply found complete.
//  5. Every record carries a checksum salted with the transaction's nonce. A journal with a record
//     that does not check out was never completely written, so its transaction never touched the
//     database: it is dropped and the database left alone.
//  6. Bytes 24-31 of the header count committed transactions; they survive clearing, so another
//     process learns from them that its cached pages are stale.
//  7. A hot journal found beside the file must prove that it belongs to it before it is applied:
//     the file's length lies between the transaction's old and new lengths, and every sector of
//     every page it names holds either that page's original bytes or its new ones (a page the
//     transaction appended may also still be zeros). Rolling back then only ever turns new
//     sectors into the originals they replaced. A journal that fails this (another file's, or
//     this file's from another state) is never applied: it is copied beside the file, cleared,
//     and reported. The pager's own journal of an abandoned commit needs no such proof.
//  8. The journal is opened read-only to look and for writing to write; a journal that cannot be
//     written fails the transaction like any other I/O error, and a hot one is not played back
//     before it can be cleared.
// The journal file is created by the first update, so reading never leaves files behind.
#include "jet/Bytes.h"
#include "jet/Format.h"
#include "jet/Status.h"
#include "jet/file/File.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace jet {

using PageImage = std::vector<std::uint8_t>;

class Journal {
public:
    // Opens the journal file; `create` is false when only an existing journal is wanted (then
    // possibly read-only), true when it is to be written.
    using Opener = std::function<Result<std::unique_ptr<File>>(bool create)>;
    // Keeps the bytes of a journal that does not belong in a new file beside it; returns its name.
    using Keeper = std::function<Result<std::string>(ByteView journal)>;

    Journal(Opener opener, Keeper keeper);

    struct Record {
        std::uint32_t page = 0;
        const PageImage* original = nullptr; // null for a page the statement appends
        const PageImage* current = nullptr;  // the page as the statement leaves it
    };

    // Writes the records, the page counts before and after the transaction and the count it will
    // commit as, then syncs.
    Status write(std::uint32_t originalPageCount, std::uint32_t newPageCount,
                 const std::vector<Record>& records, std::uint64_t counter);
    // Marks the journal as no longer hot, keeping the count (no sync: see invariant 4).
    Status clear(std::uint64_t counter);
    Result<bool> hot();
    // The count of committed transactions; 0 before the first.
    Result<std::uint64_t> counter();
    // Resolves a hot journal (invariant 3). A journal `found` before a transaction must belong to
    // the file (invariant 7); otherwise it is the pager's own, of a commit being abandoned, and is
    // restored even when complete. Returns where a journal that did not belong was kept, or "".
    Result<std::string> playBack(File& database, bool found);

private:
    Result<File*> file(bool forWriting);
    Result<std::string> setAside(File& journal);

    Opener m_opener;
    Keeper m_keeper;
    std::unique_ptr<File> m_file;
    std::uint32_t m_nonce = 0;
};

} // namespace jet
