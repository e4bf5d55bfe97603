#include "jet/catalog/CatalogTables.h"

#include "jet/catalog/Table.h"
#include "jet/file/HeaderMask.h"

#include <cstring>

namespace jet {

using namespace format;

Status checkHeaderPage(PageStore& store) {
    if (store.pageCount() < 3) return Status::corrupt("file is too short to be an Access database");
    JET_ASSIGN_OR_RETURN(auto page0, store.read(0));
    Bytes header(page0.begin(), page0.end());
    HeaderMask::apply(header);
    if (header[0] != kPageBlank ||
        std::memcmp(header.data() + kEngineNameOffset, kEngineName, sizeof kEngineName) != 0)
        return Status::corrupt("file is not an Access (Jet) database");
    if (header[kVersionOffset] != kVersionJet4)
        return Status::unsupported("only Access 2000-2003 (Jet 4) files are supported");
    if (get32(header, kDbKeyOffset) != 0) return Status::unsupported("encrypted databases are not supported");
    return {};
}

Result<std::vector<CatalogTable>> catalogTables(PageStore& store, const TableDef& catalog) {
    const Column* id = catalog.find("Id");
    const Column* name = catalog.find("Name");
    const Column* type = catalog.find("Type");
    if (!id || !name || !type) return Status::corrupt("catalog lacks Id, Name or Type");
    Table table(store, catalog);
    JET_ASSIGN_OR_RETURN(auto rows, table.scan());
    std::vector<CatalogTable> out;
    for (const auto& row : rows) {
        const auto& typeRaw = row.values[catalog.position(*type)];
        const auto& idRaw = row.values[catalog.position(*id)];
        if (!typeRaw || !idRaw || typeRaw->size() != 2 || idRaw->size() != 4 ||
            (get16(*typeRaw, 0) & 0x7F) != 1)
            continue;
        auto text = table.text(*name, row.values[catalog.position(*name)]);
        out.push_back({text.ok() && text.value() ? *text.value() : "?", get32(*idRaw, 0) & 0x00FFFFFF});
    }
    return out;
}

} // namespace jet
