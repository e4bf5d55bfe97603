#pragma once

// The four system tables of an empty Jet 4 database, as Jet itself defines and fills them:
// MSysObjects, MSysACEs, MSysQueries, MSysRelationships, with their fixed pages and rows.
#include "jet/Bytes.h"
#include "jet/catalog/CreateTableDef.h"

#include <cstdint>
#include <string>
#include <vector>

namespace jet::catalog {

// Pages 0..15 have fixed roles in every new file.
inline constexpr std::uint32_t kHeaderPage = 0;
inline constexpr std::uint32_t kGlobalMapPage = 1;
inline constexpr std::uint32_t kObjectsPage = 2;
inline constexpr std::uint32_t kAcesPage = 3;
inline constexpr std::uint32_t kQueriesPage = 4;
inline constexpr std::uint32_t kRelationshipsPage = 5;
inline constexpr std::uint32_t kMapHolderPage = 6;
inline constexpr std::uint32_t kObjectsFirstDataPage = 14;
inline constexpr std::uint32_t kAcesFirstDataPage = 15;
inline constexpr std::uint32_t kFixedPages = 16;

// Object ids of the catalog's own rows; a table's id is its definition page.
inline constexpr std::int32_t kRootContainerId = 0x0F000000;
inline constexpr std::int32_t kTablesId = 0x0F000001;
inline constexpr std::int32_t kDatabasesId = 0x0F000002;
inline constexpr std::int32_t kRelationshipsId = 0x0F000003;
inline constexpr std::int32_t kMSysDbId = 0x10000000;

inline constexpr std::int16_t kTypeTable = 1;
inline constexpr std::int16_t kTypeDatabase = 2;
inline constexpr std::int16_t kTypeContainer = 3;
inline constexpr std::int32_t kSystemObjectFlag = static_cast<std::int32_t>(0x80000000u);

// The security ids Jet writes into a new database, two bytes each. Their roles are read off the
// rows: one owns the system objects, one owns MSysDb (the creating user), and two more hold
// inheritable rights on the "Tables" container (named here after Jet's default groups).
inline const Bytes kSidEngine = {0x65, 0x89};
inline const Bytes kSidAdmin = {0x64, 0x8B};
inline const Bytes kSidAdmins = {0x65, 0x8E};
inline const Bytes kSidUsers = {0x65, 0x8B};
// Rights a new table grants each id that holds rights on the "Tables" container: full access,
// as Jackcess-written tables (which Access opens) grant them.
inline constexpr std::int32_t kFullAccess = 0x000FFFFF;

struct ObjectRow {
    std::int32_t id = 0;
    std::int32_t parentId = 0;
    std::string name;
    std::int16_t type = 0;
    Bytes owner;
    std::int32_t flags = 0;
};

struct AceRow {
    std::int32_t objectId = 0;
    Bytes sid;
    std::int32_t rights = 0;
    bool inheritable = false;
};

// The four definitions with every pointer of the fixed layout filled in (maps on page 6, index
// roots on pages 7..13); only the row and key counts are left to the writer.
TableLayout objectsLayout();
TableLayout acesLayout();
TableLayout queriesLayout();
TableLayout relationshipsLayout();

// Jet's own catalog rows and access-control rows, in the order Jet stores them.
std::vector<ObjectRow> systemObjects();
std::vector<AceRow> systemAces();

// The rows that register a new user table.
ObjectRow userTable(std::int32_t tdefPage, const std::string& name);
std::vector<AceRow> userTableAces(std::int32_t tdefPage);

} // namespace jet::catalog
