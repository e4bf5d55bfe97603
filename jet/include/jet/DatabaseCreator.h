#pragma once

// Writes a whole new Access (Jet 4) file: Jet's own empty database plus the given tables and rows.
//
//   jet::NewTable t{"danxuan", {{"ID", jet::FieldType::Long}, {"TM", jet::FieldType::Memo},
//                               {"DA", jet::FieldType::Text, 10}}};
//   t.rows.push_back({"1", "题目……", "A"});
//   jet::Status s = jet::DatabaseCreator::create("qvtb.mdb", {t});
//
// The file appears complete or not at all: it is written under a temporary name, flushed and renamed.
#include "jet/Status.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace jet {

// The Access column types a new table may have.
enum class FieldType {
    Text,     // Text(size): size in characters, 1..255
    Memo,     // long text, up to 16 MB of UTF-16
    Byte,     // 0..255
    Integer,  // -32768..32767
    Long,     // 32-bit signed
    Double,   // 64-bit floating point: "-12.5", "1.5e-07"
    Currency, // up to 4 decimals, about ±922 trillion
    DateTime, // "YYYY-MM-DD", "YYYY-MM-DD HH:MM" or "YYYY-MM-DD HH:MM:SS", years 100..9999
    YesNo,    // "1"/"-1"/"0", "true"/"false", "yes"/"no" (any case); NULL stores No
    Guid,     // Replication ID: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
};

struct NewField {
    std::string name; // UTF-8, 1..64 characters, no leading blank, none of . ! ` [ ] or control characters
    FieldType type = FieldType::Text;
    std::uint16_t size = 255; // Text only: the maximum number of characters
    // Gets an index (duplicates allowed) named after the field, on one leaf page: its values must be
    // ones the engine keys exactly (Text: letters, digits and blanks) and few enough to fit.
    bool indexed = false;
    // The table's primary key: an index as above, named PrimaryKey, that refuses a value twice,
    // both here and in later updates.
    bool primaryKey = false;
};

// A cell is UTF-8 text converted to its column's type; nullopt stores NULL.
using NewRow = std::vector<std::optional<std::string>>;

struct NewTable {
    std::string name; // ASCII letters and digits, starting with a letter, at most 64 characters
    std::vector<NewField> fields;
    std::vector<NewRow> rows; // each row holds one cell per field, in field order
};

struct CreateOptions {
    // The creation date written to the header and the catalog, in Access days since 1899-12-30.
    // Unset means now (local time); set it to make the output reproducible.
    std::optional<double> creationDate;
};

class DatabaseCreator {
public:
    // Writes `path` anew (replacing a file already there only once the new one is complete).
    // Every refused name, value or size comes back as Code::Invalid naming table, row and column;
    // nothing is written then.
    static Status create(const std::string& path, const std::vector<NewTable>& tables,
                         const CreateOptions& options = {});
};

} // namespace jet
