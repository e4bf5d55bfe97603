#pragma once

// A single index leaf page holding every entry of a small index, as Jet writes the catalog's indexes,
// its entries whole where they fit and with their shared prefix written once where they do not.
#include "jet/Bytes.h"
#include "jet/Status.h"
#include "jet/file/PageStore.h"

#include <cstdint>
#include <vector>

namespace jet {

class CreateIndexLeaf {
public:
    // Fills `page` with the entries (sorted here, bytewise) of the index of table `tdefPage`.
    // An index that needs more than one page is refused: new files keep their catalog small.
    static Status write(PageSpan page, std::uint32_t tdefPage, std::vector<Bytes> entries);
};

} // namespace jet
