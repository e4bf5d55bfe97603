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
#include "Bytes.h"
#include "File.h"
#include "Format.h"
#include "Status.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace jet {

using PageImage = std::vector<std::uint8_t>;

class Journal {
public:
    // A null file means a read-only database: never hot, and nothing can be written.
    explicit Journal(std::unique_ptr<File> file);
    bool available() const { return m_file != nullptr; }

    // Writes the original images and the page count before the statement, then syncs.
    Status write(std::uint32_t originalPageCount, const std::map<std::uint32_t, PageImage>& originals);
    // Marks the journal as no longer hot, and syncs.
    Status clear();
    Result<bool> hot();
    // Restores a hot journal into `database` and clears it; false when there was nothing to do.
    Result<bool> playBack(File& database);

private:
    std::unique_ptr<File> m_file;
    std::uint32_t m_nonce;
};

} // namespace jet
