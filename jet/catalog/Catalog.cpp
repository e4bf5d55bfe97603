#include "jet/catalog/Catalog.h"

#include "jet/catalog/Table.h"
#include "jet/pages/ValueText.h"

#include <algorithm>

namespace jet {

namespace {

constexpr std::uint32_t kSystemFlags = 0x80000002u;

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

bool systemName(std::string_view name) {
    return name.size() >= 4 && lower(name[0]) == 'm' && lower(name[1]) == 's' && lower(name[2]) == 'y' &&
           lower(name[3]) == 's';
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
        if (sameName(entry.name, name)) return entry.system;
    return false;
}

Result<TableDef> Catalog::tableDef(std::string_view name) {
    JET_TRY(load());
    for (const auto& entry : m_entries) {
        if (!sameName(entry.name, name)) continue;
        auto cached = m_defs.find(entry.page);
        if (cached != m_defs.end()) return cached->second;
        JET_ASSIGN_OR_RETURN(auto def, TableDef::read(m_pager, entry.page));
        m_defs.emplace(entry.page, def);
        return def;
    }
    return Status::notFound("no table " + std::string(name));
}

} // namespace jet
