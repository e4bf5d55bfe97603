#include "jet/DatabaseCreator.h"

#include "jet/Names.h"
#include "jet/catalog/CatalogSchema.h"
#include "jet/catalog/CatalogWriter.h"
#include "jet/catalog/CreateImage.h"
#include "jet/catalog/CreateTableWriter.h"
#include "jet/file/CreateFileWriter.h"
#include "jet/file/CreateHeader.h"
#include "jet/index/IndexKey.h"

#include <chrono>
#include <ctime>
#include <set>

namespace jet {

namespace {

constexpr std::size_t kMaxNameLength = 64;
constexpr std::size_t kMaxFields = 255;
constexpr std::uint16_t kMaxTextSize = 255;
constexpr double kUnixEpochInAccessDays = 25569.0;

std::string lowerAscii(std::string s) {
    for (char& c : s)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return s;
}

double nowInAccessDays() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // Access dates are local wall-clock time: shift by the zone's offset from UTC.
    const double seconds = static_cast<double>(now) + static_cast<double>(local.tm_gmtoff);
    return kUnixEpochInAccessDays + seconds / 86400.0;
}

Status checkTableName(const std::string& name) {
    if (name.empty() || name.size() > kMaxNameLength)
        return Status::invalid("table name '" + name + "' must have 1 to 64 characters");
    const char first = name.front();
    if (!((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z')))
        return Status::invalid("table name '" + name + "' must start with a letter");
    if (lowerAscii(name).starts_with("msys"))
        return Status::invalid("table name '" + name + "' is reserved for the system tables");
    // The catalog's name index needs a key for every character.
    auto key = IndexKey::text(name);
    return key.ok() ? Status::okStatus() : Status::invalid("table name: " + key.status().message());
}

Status checkFieldName(const NewTable& table, const std::string& name) {
    const Status allowed = Names::check(name, "field name");
    return allowed.ok() ? allowed : Status::invalid("table " + table.name + ": " + allowed.message());
}

Status checkFields(const NewTable& table) {
    if (table.fields.empty() || table.fields.size() > kMaxFields)
        return Status::invalid("table " + table.name + " must have 1 to 255 fields");
    std::set<std::string> seen;
    for (const NewField& field : table.fields) {
        JET_TRY(checkFieldName(table, field.name));
        // Access compares names without regard to case.
        if (!seen.insert(lowerAscii(field.name)).second)
            return Status::invalid("table " + table.name + " has two fields named '" + field.name + "'");
        if (field.type == FieldType::Text && (field.size == 0 || field.size > kMaxTextSize))
            return Status::invalid("table " + table.name + ": Text field " + field.name +
                                   " must hold 1 to 255 characters");
    }
    for (std::size_t r = 0; r < table.rows.size(); ++r)
        if (table.rows[r].size() != table.fields.size())
            return Status::invalid("table " + table.name + ", row " + std::to_string(r + 1) + " has " +
                                   std::to_string(table.rows[r].size()) + " cells for " +
                                   std::to_string(table.fields.size()) + " fields");
    return Status::okStatus();
}

Status checkTables(const std::vector<NewTable>& tables) {
    std::set<std::string> seen;
    for (const NewTable& table : tables) {
        JET_TRY(checkTableName(table.name));
        if (!seen.insert(lowerAscii(table.name)).second)
            return Status::invalid("two tables are named '" + table.name + "'");
        JET_TRY(checkFields(table));
    }
    return Status::okStatus();
}

} // namespace

Status DatabaseCreator::create(const std::string& path, const std::vector<NewTable>& tables,
                               const CreateOptions& options) {
    JET_TRY(checkTables(tables));
    const double created = options.creationDate.value_or(nowInAccessDays());
    CreateImage image(catalog::kFixedPages);
    std::vector<RegisteredTable> registered;
    for (const NewTable& table : tables) {
        JET_ASSIGN_OR_RETURN(auto page, CreateTableWriter::write(image, table));
        registered.push_back({table.name, page});
    }
    JET_TRY(CatalogWriter::write(image, registered, created));
    JET_TRY(CatalogWriter::writeGlobalMap(image));
    CreateHeader::write(image.page(catalog::kHeaderPage), created);
    return CreateFileWriter::write(path, image);
}

} // namespace jet
