#pragma once

// Writes one new user table into the image: its definition, rows, long values and usage maps.
#include "jet/DatabaseCreator.h"
#include "jet/Status.h"
#include "jet/catalog/CreateImage.h"
#include "jet/catalog/TableDef.h"

#include <cstdint>

namespace jet {

class CreateTableWriter {
public:
    // The columns a new table gets for its fields: numbered in field order, fixed columns packed
    // in that order, Text and Memo with Unicode compression allowed as Access sets by default.
    static TableDef columns(const NewTable& table);

    // Returns the table's definition page, which is also its catalog id.
    static Result<std::uint32_t> write(CreateImage& image, const NewTable& table);
};

} // namespace jet
