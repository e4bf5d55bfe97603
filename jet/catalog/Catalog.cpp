#include "jet/catalog/Catalog.h"

#include "jet/NameCase.h"
#include "jet/catalog/Table.h"
#include "jet/pages/ValueText.h"

namespace jet {

namespace {

constexpr std::uint32_t kSystemFlags = 0x80000002u;

bool systemName(std::string_view name) {
    return name.size() >= 4 && NameCase::same(name.substr(0, 4), "msys");
}

} // namespace

Status Catalog::load() {
    if (m_generation == m_pager.generation()) return {};
    m_entries.clear();
    m_defs.clear();
    JET_ASSIGN_OR_RETURN(auto def, TableDef::read(m_pager, format::kCatalogPage));
    const Column* id = def.find("Id");
    const Column* name = def.find("Name");
    const Column* type = def.find("Type");
    const Column* flags = def.find("Flags");
    if (!id || !name || !type || !flags)
        return Status::corrupt("catalog lacks its Id, Name, Type or Flags column");
    Table table(m_pager, def);
    JET_ASSIGN_OR_RETURN(auto rows, table.scan());
    auto whole = [&](const Column& column, const StoredRow& row) -> std::optional<long long> {
        const auto text = table.text(column, row.values[def.position(column)]).value();
        return text ? ValueText::wholeNumber(*text) : std::nullopt;
    };
    for (const auto& row : rows) {
        JET_ASSIGN_OR_RETURN(auto nameText, table.text(*name, row.values[def.position(*name)]));
        const auto typeValue = whole(*type, row);
        const auto idValue = whole(*id, row);
        const auto flagValue = whole(*flags, row).value_or(0);
        if (!typeValue || (*typeValue & 0x7F) != 1 || !idValue || !nameText) continue;
        m_entries.push_back({*nameText, static_cast<std::uint32_t>(*idValue & 0x00FFFFFF),
                             (static_cast<std::uint32_t>(flagValue) & kSystemFlags) != 0});
    }
    m_generation = m_pager.generation();
    return {};
}

Result<std::vector<std::string>> Catalog::userTables() {
    JET_TRY(load());
    std::vector<std::string> names;
    for (const auto& entry : m_entries)
        if (!entry.system) names.push_back(entry.name);
    return names;
}

bool Catalog::systemTable(std::string_view name) const {
    if (systemName(name)) return true;
    for (const auto& entry : m_entries)
        if (NameCase::same(entry.name, name)) return entry.system;
    return false;
}

Result<TableDef> Catalog::tableDef(std::string_view name) {
    JET_TRY(load());
    for (const auto& entry : m_entries) {
        if (!NameCase::same(entry.name, name)) continue;
        auto cached = m_defs.find(entry.page);
        if (cached != m_defs.end()) return cached->second;
        JET_ASSIGN_OR_RETURN(auto def, TableDef::read(m_pager, entry.page));
        m_defs.emplace(entry.page, def);
        return def;
    }
    return Status::notFound("no table " + std::string(name));
}

} // namespace jet
