#pragma once

// Page 0 of a new file: the Jet 4 header with its masked block, as Jet writes it for a database
// without a password.
#include "jet/file/PageStore.h"

namespace jet {

class CreateHeader {
public:
    // `creationDate` in Access days; it also keys the password mask, which an empty password leaves
    // in place.
    static void write(PageSpan page, double creationDate);
};

} // namespace jet
