#include "jet/catalog/CatalogWriter.h"

#include "jet/Format.h"
#include "jet/catalog/CatalogSchema.h"
#include "jet/catalog/CreateTableDef.h"
#include "jet/index/CreateIndexLeaf.h"
#include "jet/index/IndexKey.h"
#include "jet/pages/CreateRowPacker.h"
#include "jet/pages/CreateUsageMap.h"
#include "jet/pages/DataPage.h"
#include "jet/pages/RowCodec.h"
#include "jet/pages/TextCodec.h"
#include "jet/pages/UsageMap.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace jet {

namespace {

using namespace catalog;

constexpr std::uint32_t kGlobalMapOwner = 1; // as Jet stamps page 1
constexpr std::uint32_t kHolderOwner = 0;

Bytes le32(std::int32_t v) {
    Bytes out(4);
    put32(out, 0, static_cast<std::uint32_t>(v));
    return out;
}
Bytes le16(std::int16_t v) {
    Bytes out(2);
    put16(out, 0, static_cast<std::uint16_t>(v));
    return out;
}
Bytes date(double v) {
    Bytes out(8);
    std::memcpy(out.data(), &v, 8);
    return out;
}

struct Placed {
    RowId row;
    Bytes idKey;   // MSysObjects.Id or MSysACEs.ObjectId
    Bytes nameKey; // MSysObjects ParentId + Name
};

Result<Placed> placeObject(CreateRowPacker& packer, const TableDef& def, const ObjectRow& o, double created) {
    JET_ASSIGN_OR_RETURN(auto name, TextCodec::fromUtf8(o.name));
    JET_ASSIGN_OR_RETURN(auto nameKey, IndexKey::text(o.name));
    RawRow raw(def.columns.size());
    raw[0] = le32(o.id);
    raw[1] = le32(o.parentId);
    raw[2] = TextCodec::encode(name, false);
    raw[3] = le16(o.type);
    raw[4] = date(created);
    raw[5] = date(created);
    raw[6] = o.owner;
    raw[7] = le32(o.flags);
    auto encoded = RowCodec::encode(def, raw);
    JET_ASSIGN_OR_RETURN(auto row,
                         encoded.ok() ? packer.add(encoded.value()) : Result<RowId>(encoded.status()));
    Bytes parentName = IndexKey::longValue(o.parentId);
    parentName.insert(parentName.end(), nameKey.begin(), nameKey.end());
    return Placed{row, IndexKey::longValue(o.id), parentName};
}

Result<Placed> placeAce(CreateRowPacker& packer, const TableDef& def, const AceRow& a) {
    RawRow raw(def.columns.size());
    raw[0] = le32(a.objectId);
    raw[1] = a.sid;
    raw[2] = le32(a.rights);
    raw[3] = Bytes{static_cast<std::uint8_t>(a.inheritable ? 1 : 0)};
    auto encoded = RowCodec::encode(def, raw);
    JET_ASSIGN_OR_RETURN(auto row,
                         encoded.ok() ? packer.add(encoded.value()) : Result<RowId>(encoded.status()));
    return Placed{row, IndexKey::longValue(a.objectId), {}};
}

std::vector<Bytes> entries(const std::vector<Placed>& placed, Bytes Placed::*key) {
    std::vector<Bytes> out;
    for (const Placed& p : placed)
        out.push_back(IndexKey::leafEntry(p.*key, p.row));
    return out;
}

std::uint32_t distinct(const std::vector<Placed>& placed, Bytes Placed::*key) {
    std::set<Bytes> keys;
    for (const Placed& p : placed)
        keys.insert(p.*key);
    return static_cast<std::uint32_t>(keys.size());
}

// The holder's rows must land where the fixed definitions point.
class MapHolder {
public:
    explicit MapHolder(CreateImage& image) : m_image(image), m_packer(image, kHolderOwner, kMapHolderPage) {}

    Status add(RowId expected, const std::vector<std::uint32_t>& pages) {
        auto row = CreateUsageMap::row(m_image, pages);
        JET_ASSIGN_OR_RETURN(auto placed, row.ok() ? m_packer.add(row.value()) : Result<RowId>(row.status()));
        if (!(placed == expected)) return Status::failed("internal: catalog usage map placed out of order");
        return Status::okStatus();
    }

    // Owned and free maps, the long-value columns' pairs, then one map per index.
    Status addTable(const TableDef& def, const CreateRowPacker* rows) {
        JET_TRY(add(def.ownedMap, rows ? rows->pages() : std::vector<std::uint32_t>{}));
        JET_TRY(add(def.freeMap, rows ? rows->pagesWithRoom() : std::vector<std::uint32_t>{}));
        std::vector<LongValueMaps> byColumn = def.longValueMaps;
        std::sort(byColumn.begin(), byColumn.end(),
                  [](const auto& a, const auto& b) { return a.column < b.column; });
        for (const LongValueMaps& maps : byColumn) {
            JET_TRY(add(maps.owned, {}));
            JET_TRY(add(maps.free, {}));
        }
        for (const RealIndex& index : def.indexes)
            JET_TRY(add(index.map, {index.root}));
        return Status::okStatus();
    }

private:
    CreateImage& m_image;
    CreateRowPacker m_packer;
};

Status writeDefinition(CreateImage& image, const TableLayout& layout) {
    JET_ASSIGN_OR_RETURN(auto stream, CreateTableDef::encode(layout));
    return CreateTableDef::write(image, layout.def.page, stream);
}

Status writeEmptyLeaves(CreateImage& image, const TableLayout& layout) {
    for (const RealIndex& index : layout.def.indexes)
        JET_TRY(CreateIndexLeaf::write(image.page(index.root), layout.def.page, {}));
    return Status::okStatus();
}

} // namespace

Status CatalogWriter::write(CreateImage& image, const std::vector<RegisteredTable>& tables,
                            double creationDate) {
    TableLayout objects = objectsLayout();
    TableLayout aces = acesLayout();
    TableLayout queries = queriesLayout();
    TableLayout relationships = relationshipsLayout();

    std::vector<ObjectRow> objectRows = systemObjects();
    std::vector<AceRow> aceRows = systemAces();
    for (const RegisteredTable& t : tables) {
        const auto id = static_cast<std::int32_t>(t.tdefPage);
        objectRows.push_back(userTable(id, t.name));
        for (const AceRow& a : userTableAces(id))
            aceRows.push_back(a);
    }

    CreateRowPacker objectPages(image, kObjectsPage, kObjectsFirstDataPage);
    std::vector<Placed> placedObjects;
    for (const ObjectRow& o : objectRows) {
        JET_ASSIGN_OR_RETURN(auto placed, placeObject(objectPages, objects.def, o, creationDate));
        placedObjects.push_back(std::move(placed));
    }
    CreateRowPacker acePages(image, kAcesPage, kAcesFirstDataPage);
    std::vector<Placed> placedAces;
    for (const AceRow& a : aceRows) {
        JET_ASSIGN_OR_RETURN(auto placed, placeAce(acePages, aces.def, a));
        placedAces.push_back(std::move(placed));
    }

    // Real index 0 of MSysObjects is ParentIdName, real index 1 is Id.
    JET_TRY(CreateIndexLeaf::write(image.page(objects.def.indexes[0].root), kObjectsPage,
                                   entries(placedObjects, &Placed::nameKey)));
    JET_TRY(CreateIndexLeaf::write(image.page(objects.def.indexes[1].root), kObjectsPage,
                                   entries(placedObjects, &Placed::idKey)));
    JET_TRY(CreateIndexLeaf::write(image.page(aces.def.indexes[0].root), kAcesPage,
                                   entries(placedAces, &Placed::idKey)));
    JET_TRY(writeEmptyLeaves(image, queries));
    JET_TRY(writeEmptyLeaves(image, relationships));

    objects.def.rowCount = static_cast<std::uint32_t>(placedObjects.size());
    objects.uniqueKeys = {distinct(placedObjects, &Placed::nameKey), distinct(placedObjects, &Placed::idKey)};
    aces.def.rowCount = static_cast<std::uint32_t>(placedAces.size());
    aces.uniqueKeys = {distinct(placedAces, &Placed::idKey)};

    MapHolder holder(image);
    JET_TRY(holder.addTable(objects.def, &objectPages));
    JET_TRY(holder.addTable(aces.def, &acePages));
    JET_TRY(holder.addTable(queries.def, nullptr));
    JET_TRY(holder.addTable(relationships.def, nullptr));

    for (const TableLayout* layout : {&objects, &aces, &queries, &relationships})
        JET_TRY(writeDefinition(image, *layout));
    return Status::okStatus();
}

Status CatalogWriter::writeGlobalMap(CreateImage& image) {
    JET_ASSIGN_OR_RETURN(auto global, CreateUsageMap::globalRow(image));
    PageSpan page = image.page(kGlobalMapPage);
    DataPage::format(page, kGlobalMapOwner);
    JET_TRY(DataPage::addRow(page, global, 0).status());
    return DataPage::addRow(page, UsageMap::makeInline(0, format::kDefaultInlineBitmap, {}), 0).status();
}

} // namespace jet
