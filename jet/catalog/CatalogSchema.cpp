#include "jet/catalog/CatalogSchema.h"

#include "jet/Format.h"

#include <algorithm>

namespace jet::catalog {

namespace {

using format::ColumnType;

// Column flags of the system tables: fixed or variable, always "updatable", and the 0x10 (and for
// the security-id columns 0x20) bits that Jet sets on its own columns.
constexpr std::uint8_t kSysFixed = 0x13;
constexpr std::uint8_t kSysVariable = 0x12;
constexpr std::uint8_t kSysSid = 0x32;
constexpr std::uint16_t kName = 510; // Text(255)

constexpr std::uint8_t kIndexUnique = 0x01;
constexpr std::uint8_t kIndexIgnoreNulls = 0x02;
constexpr std::uint8_t kIndexRequired = 0x08;
constexpr std::uint8_t kIndexJet4 = 0x80;

struct SysColumn {
    const char* name;
    ColumnType type;
    std::uint16_t number;
    std::uint16_t varIndex;    // variable columns only
    std::uint16_t fixedOffset; // fixed columns only
    std::uint16_t length;
    std::uint8_t flags;
};

struct SysIndex {
    std::vector<std::uint16_t> columns;
    unsigned mapRow;
    std::uint32_t root;
    std::uint8_t flags;
};

struct SysLongColumn {
    std::uint16_t column;
    unsigned ownedRow; // the free map follows in the next row
};

RowId holderRow(unsigned row) {
    return {kMapHolderPage, row};
}

// Columns are listed in Jet's stored order (by name); TableDef keeps them by number.
TableLayout layout(std::uint32_t page, const std::vector<SysColumn>& sysColumns,
                   const std::vector<SysIndex>& indexes, const std::vector<LogicalIndexDef>& logical,
                   const std::vector<SysLongColumn>& longs, unsigned ownedRow) {
    TableLayout out;
    TableDef& def = out.def;
    def.page = page;
    def.pages = {page};
    def.tableType = format::kTableSystem;
    for (const SysColumn& s : sysColumns) {
        Column c;
        c.name = s.name;
        c.type = s.type;
        c.number = s.number;
        c.varIndex = s.varIndex;
        c.fixedOffset = s.fixedOffset;
        c.length = s.length;
        c.flags = s.flags;
        def.columns.push_back(c);
        if (!c.fixed()) ++def.varCols;
    }
    def.maxCols = static_cast<std::uint16_t>(sysColumns.size());
    std::sort(def.columns.begin(), def.columns.end(),
              [](const Column& a, const Column& b) { return a.number < b.number; });
    for (const SysColumn& s : sysColumns)
        out.storedOrder.push_back(s.number);
    for (const SysIndex& s : indexes)
        def.indexes.push_back(RealIndex{s.columns, holderRow(s.mapRow), s.root, s.flags, {}});
    out.uniqueKeys.assign(indexes.size(), 0);
    out.logical = logical;
    for (const SysLongColumn& s : longs)
        def.longValueMaps.push_back(
            LongValueMaps{s.column, holderRow(s.ownedRow), holderRow(s.ownedRow + 1)});
    def.ownedMap = holderRow(ownedRow);
    def.freeMap = holderRow(ownedRow + 1);
    return out;
}

} // namespace

TableLayout objectsLayout() {
    const SysColumn memo{"", ColumnType::Memo, 0, 0, 0, 0, kSysVariable};
    const SysColumn ole{"", ColumnType::Ole, 0, 0, 0, 0, kSysVariable};
    auto named = [](SysColumn s, const char* name, std::uint16_t number, std::uint16_t varIndex) {
        s.name = name;
        s.number = number;
        s.varIndex = varIndex;
        return s;
    };
    return layout(kObjectsPage,
                  {
                      named(memo, "Connect", 9, 3),
                      named(memo, "Database", 8, 2),
                      {"DateCreate", ColumnType::DateTime, 4, 0, 10, 8, kSysFixed},
                      {"DateUpdate", ColumnType::DateTime, 5, 0, 18, 8, kSysFixed},
                      {"Flags", ColumnType::Long, 7, 0, 26, 4, kSysFixed},
                      {"ForeignName", ColumnType::Text, 10, 4, 0, kName, kSysVariable},
                      {"Id", ColumnType::Long, 0, 0, 0, 4, kSysFixed},
                      named(ole, "Lv", 13, 7),
                      named(ole, "LvExtra", 16, 10),
                      named(ole, "LvModule", 15, 9),
                      named(ole, "LvProp", 14, 8),
                      {"Name", ColumnType::Text, 2, 0, 0, kName, kSysVariable},
                      {"Owner", ColumnType::Binary, 6, 1, 0, kName, kSysSid},
                      {"ParentId", ColumnType::Long, 1, 0, 4, 4, kSysFixed},
                      named(ole, "RmtInfoLong", 12, 6),
                      {"RmtInfoShort", ColumnType::Binary, 11, 5, 0, kName, kSysVariable},
                      {"Type", ColumnType::Integer, 3, 0, 8, 2, kSysFixed},
                  },
                  {
                      {{1, 2}, 16, 7, kIndexJet4 | kIndexUnique},
                      {{0}, 17, 8, kIndexJet4 | kIndexUnique},
                  },
                  {{"Id", 1, 1, true}, {"ParentIdName", 0, 0, false}},
                  {{9, 4}, {8, 2}, {13, 8}, {16, 14}, {15, 12}, {14, 10}, {12, 6}}, 0);
}

TableLayout acesLayout() {
    return layout(kAcesPage,
                  {
                      {"ACM", ColumnType::Long, 2, 0, 4, 4, kSysFixed},
                      {"FInheritable", ColumnType::Boolean, 3, 0, 0, 1, kSysFixed},
                      {"ObjectId", ColumnType::Long, 0, 0, 0, 4, kSysFixed},
                      {"SID", ColumnType::Binary, 1, 0, 0, kName, kSysSid},
                  },
                  {{{0}, 20, 9, kIndexJet4 | kIndexRequired}}, {{"ObjectId", 0, 0, false}}, {}, 18);
}

TableLayout queriesLayout() {
    return layout(kQueriesPage,
                  {
                      {"Attribute", ColumnType::Byte, 1, 0, 4, 1, kSysFixed},
                      {"Expression", ColumnType::Memo, 5, 3, 0, 0, kSysVariable},
                      {"Flag", ColumnType::Integer, 6, 0, 5, 2, kSysFixed},
                      {"LvExtra", ColumnType::Long, 7, 0, 7, 4, kSysFixed},
                      {"Name1", ColumnType::Text, 3, 1, 0, kName, kSysVariable},
                      {"Name2", ColumnType::Text, 4, 2, 0, kName, kSysVariable},
                      {"ObjectId", ColumnType::Long, 0, 0, 0, 4, kSysFixed},
                      {"Order", ColumnType::Binary, 2, 0, 0, kName, kSysVariable},
                  },
                  {{{0, 1, 2}, 25, 10, kIndexJet4 | kIndexUnique}}, {{"ObjectIdAttribute", 0, 0, true}},
                  {{5, 23}}, 21);
}

TableLayout relationshipsLayout() {
    return layout(
        kRelationshipsPage,
        {
            {"ccolumn", ColumnType::Long, 2, 0, 4, 4, kSysFixed},
            {"grbit", ColumnType::Long, 1, 0, 0, 4, kSysFixed},
            {"icolumn", ColumnType::Long, 3, 0, 8, 4, kSysFixed},
            {"szColumn", ColumnType::Text, 5, 2, 0, kName, kSysVariable},
            {"szObject", ColumnType::Text, 4, 1, 0, kName, kSysVariable},
            {"szReferencedColumn", ColumnType::Text, 7, 4, 0, kName, kSysVariable},
            {"szReferencedObject", ColumnType::Text, 6, 3, 0, kName, kSysVariable},
            {"szRelationship", ColumnType::Text, 0, 0, 0, kName, kSysVariable},
        },
        {
            {{0}, 28, 11, kIndexJet4 | kIndexIgnoreNulls},
            {{4}, 29, 12, kIndexJet4 | kIndexIgnoreNulls},
            {{6}, 30, 13, kIndexJet4 | kIndexIgnoreNulls},
        },
        {{"szObject", 1, 1, false}, {"szReferencedObject", 2, 2, false}, {"szRelationship", 0, 0, false}}, {},
        26);
}

std::vector<ObjectRow> systemObjects() {
    return {
        {kTablesId, kRootContainerId, "Tables", kTypeContainer, kSidEngine, kSystemObjectFlag},
        {kDatabasesId, kRootContainerId, "Databases", kTypeContainer, kSidEngine, kSystemObjectFlag},
        {kRelationshipsId, kRootContainerId, "Relationships", kTypeContainer, kSidEngine, kSystemObjectFlag},
        {kMSysDbId, kDatabasesId, "MSysDb", kTypeDatabase, kSidAdmin, kSystemObjectFlag},
        {kObjectsPage, kTablesId, "MSysObjects", kTypeTable, kSidEngine, kSystemObjectFlag},
        {kAcesPage, kTablesId, "MSysACEs", kTypeTable, kSidEngine, kSystemObjectFlag},
        {kQueriesPage, kTablesId, "MSysQueries", kTypeTable, kSidEngine, kSystemObjectFlag},
        {kRelationshipsPage, kTablesId, "MSysRelationships", kTypeTable, kSidEngine, kSystemObjectFlag},
    };
}

std::vector<AceRow> systemAces() {
    return {
        {kObjectsPage, kSidAdmin, 0x00060000, false},
        {kAcesPage, kSidAdmin, 0x00060000, false},
        {kQueriesPage, kSidAdmin, 0x00060000, false},
        {kRelationshipsPage, kSidAdmin, 0x000E0000, false},
        {kTablesId, kSidAdmins, 0x000F00FE, true},
        {kTablesId, kSidAdmin, 0x00060001, false},
        {kRelationshipsId, kSidAdmins, 0x000F00FE, true},
        {kRelationshipsId, kSidAdmin, 0x00060001, false},
        {kDatabasesId, kSidAdmin, 0x00060000, false},
        {kMSysDbId, kSidAdmin, 0x0006000E, false},
        {kMSysDbId, kSidUsers, 0x0000000E, false},
        {kQueriesPage, kSidUsers, 0x00000014, false},
        {kRelationshipsPage, kSidUsers, 0x00000014, false},
        {kObjectsPage, kSidUsers, 0x00000014, false},
        {kTablesId, kSidUsers, 0x000FFEFF, true},
        {kRelationshipsId, kSidUsers, 0x000FFFFF, true},
    };
}

ObjectRow userTable(std::int32_t tdefPage, const std::string& name) {
    // The creating user owns the table, as it owns MSysDb.
    return {tdefPage, kTablesId, name, kTypeTable, kSidAdmin, 0};
}

std::vector<AceRow> userTableAces(std::int32_t tdefPage) {
    return {
        {tdefPage, kSidAdmins, kFullAccess, false},
        {tdefPage, kSidAdmin, kFullAccess, false},
        {tdefPage, kSidUsers, kFullAccess, false},
    };
}

} // namespace jet::catalog
