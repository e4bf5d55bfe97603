#include "jet/catalog/CreateTableWriter.h"

#include "jet/Format.h"
#include "jet/catalog/CreateTableDef.h"
#include "jet/index/CreateIndexLeaf.h"
#include "jet/index/IndexKey.h"
#include "jet/longvalue/CreateLongValue.h"
#include "jet/pages/CreateRowPacker.h"
#include "jet/pages/CreateUsageMap.h"
#include "jet/pages/CreateValue.h"
#include "jet/pages/DataPage.h"
#include "jet/pages/RowCodec.h"
#include "jet/pages/ValueText.h"

#include <algorithm>
#include <memory>
#include <set>
#include <utility>

namespace jet {

namespace {

using format::ColumnType;

constexpr std::uint8_t kFixedColumn = format::kColFlagFixed | format::kColFlagUpdatable;
constexpr std::uint8_t kVariableColumn = format::kColFlagUpdatable;

// The stored type of each type a new table's field may have.
constexpr std::pair<FieldType, ColumnType> kColumnTypes[] = {
    {FieldType::Text, ColumnType::Text},         {FieldType::Memo, ColumnType::Memo},
    {FieldType::Byte, ColumnType::Byte},         {FieldType::Integer, ColumnType::Integer},
    {FieldType::Long, ColumnType::Long},         {FieldType::Double, ColumnType::Double},
    {FieldType::Currency, ColumnType::Currency}, {FieldType::DateTime, ColumnType::DateTime},
    {FieldType::YesNo, ColumnType::Boolean},     {FieldType::Guid, ColumnType::Guid},
};

ColumnType columnType(FieldType type) {
    for (const auto& [field, column] : kColumnTypes)
        if (field == type) return column;
    return ColumnType::Text;
}

Status cellError(const NewTable& table, std::size_t row, const Column& column, const Status& why) {
    return Status::invalid("table " + table.name + ", row " + std::to_string(row + 1) + ", column " +
                           column.name + ": " + why.message());
}

// Memo values decide late whether they stay in the row: short ones do while the row fits a page.
struct PendingMemo {
    std::size_t position = 0;
    Bytes stored;
    bool inlined = false;
};

class RowBuilder {
public:
    RowBuilder(CreateImage& image, const NewTable& table, const TableDef& def) : m_table(table), m_def(def) {
        for (const Column& c : def.columns)
            m_longValues.push_back(c.isLong() ? std::make_unique<CreateLongValue>(image) : nullptr);
    }

    Result<Bytes> build(std::size_t index) {
        const NewRow& cells = m_table.rows[index];
        RawRow raw(m_def.columns.size());
        std::vector<PendingMemo> memos;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (!cells[i]) continue;
            auto value = CreateValue::convert(m_def.columns[i], *cells[i]);
            if (!value.ok()) return cellError(m_table, index, m_def.columns[i], value.status());
            if (m_def.columns[i].isLong()) {
                const bool shortValue = value.value().size() <= format::kMaxInlineLongValue;
                memos.push_back({i, std::move(value.value()), shortValue});
            } else
                raw[i] = std::move(value.value());
        }
        auto encoded = fitMemos(raw, memos);
        if (!encoded.ok())
            return Status::invalid("table " + m_table.name + ", row " + std::to_string(index + 1) + ": " +
                                   encoded.status().message());
        return encoded;
    }

    const CreateLongValue* longValue(std::size_t position) const { return m_longValues[position].get(); }

private:
    static Bytes placeholder(const PendingMemo& m) {
        return m.inlined ? CreateLongValue::inlineValue(m.stored) : Bytes(format::kLongValueHeaderSize, 0);
    }

    std::size_t rowSize(RawRow& raw, const std::vector<PendingMemo>& memos) const {
        for (const PendingMemo& m : memos)
            raw[m.position] = placeholder(m);
        auto encoded = RowCodec::encode(m_def, raw);
        return encoded.ok() ? encoded.value().size() : format::kMaxRowSize + 1;
    }

    // Moves the largest inline memos out of the row until it fits, then stores the long ones.
    Result<Bytes> fitMemos(RawRow& raw, std::vector<PendingMemo>& memos) {
        while (rowSize(raw, memos) > format::kMaxRowSize) {
            auto largest = std::max_element(memos.begin(), memos.end(), [](const auto& a, const auto& b) {
                return (a.inlined ? a.stored.size() : 0) < (b.inlined ? b.stored.size() : 0);
            });
            if (largest == memos.end() || !largest->inlined)
                break; // nothing left to move: the encoder names the excess
            largest->inlined = false;
        }
        for (const PendingMemo& m : memos) {
            if (m.inlined) continue;
            JET_ASSIGN_OR_RETURN(raw[m.position], m_longValues[m.position]->store(m.stored));
        }
        return RowCodec::encode(m_def, raw);
    }

    const NewTable& m_table;
    const TableDef& m_def;
    std::vector<std::unique_ptr<CreateLongValue>> m_longValues;
};

// Adds the table's maps to its holder pages: owned and free first, then each memo column's pair.
Status writeMaps(CreateImage& image, std::uint32_t holderPage, TableDef& def, const CreateRowPacker& data,
                 const RowBuilder& rows, const std::vector<std::uint32_t>& indexRoots) {
    CreateRowPacker holder(image, 0, holderPage);
    auto addMap = [&](const std::vector<std::uint32_t>& pages) -> Result<RowId> {
        JET_ASSIGN_OR_RETURN(auto row, CreateUsageMap::row(image, pages));
        return holder.add(row);
    };
    auto owned = addMap(data.pages());
    JET_ASSIGN_OR_RETURN(auto free, owned.ok() ? addMap(data.pagesWithRoom()) : owned);
    def.ownedMap = owned.value();
    def.freeMap = free;
    for (std::size_t i = 0; i < def.columns.size(); ++i) {
        const CreateLongValue* lv = rows.longValue(i);
        if (!lv) continue;
        auto lvOwned = addMap(lv->pages());
        JET_ASSIGN_OR_RETURN(auto lvFree, lvOwned.ok() ? addMap(lv->pagesWithRoom()) : lvOwned);
        def.longValueMaps.push_back({def.columns[i].number, lvOwned.value(), lvFree});
    }
    for (std::size_t i = 0; i < indexRoots.size(); ++i) {
        JET_ASSIGN_OR_RETURN(def.indexes[i].map, addMap({indexRoots[i]}));
    }
    return Status::okStatus();
}

// One single-leaf index per indexed field, over the rows as placed; their maps come with the others.
Result<std::vector<std::uint32_t>> writeIndexes(CreateImage& image, const NewTable& table,
                                                TableLayout& layout,
                                                const std::vector<std::pair<RowId, RawRow>>& placed) {
    TableDef& def = layout.def;
    std::vector<std::uint32_t> roots;
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        const NewField& field = table.fields[i];
        if (!field.indexed && !field.primaryKey) continue;
        JET_ASSIGN_OR_RETURN(auto root, image.append());
        RealIndex index{{def.columns[i].number},
                        {},
                        root,
                        field.primaryKey ? format::kIndexUnique : std::uint8_t{0},
                        {true}};
        std::vector<Bytes> entries;
        std::set<Bytes> keys;
        for (const auto& [id, values] : placed) {
            auto key = IndexKey::rowKey(def, index, values);
            if (!key.ok())
                return Status::invalid("table " + table.name + ", index " + table.fields[i].name + ": " +
                                       key.status().message());
            keys.insert(*key.value());
            entries.push_back(IndexKey::leafEntry(*key.value(), id));
        }
        if (field.primaryKey && keys.size() != entries.size())
            return Status::invalid("table " + table.name + ", primary key " + field.name +
                                   ": a value appears twice");
        JET_TRY(CreateIndexLeaf::write(image.page(root), def.page, std::move(entries)));
        layout.logical.push_back({field.primaryKey ? std::string("PrimaryKey") : field.name,
                                  static_cast<std::uint32_t>(def.indexes.size()),
                                  static_cast<std::uint32_t>(def.indexes.size()), field.primaryKey});
        layout.uniqueKeys.push_back(static_cast<std::uint32_t>(keys.size()));
        def.indexes.push_back(std::move(index));
        roots.push_back(root);
    }
    return roots;
}

} // namespace

TableDef CreateTableWriter::columns(const NewTable& table) {
    TableDef def;
    def.tableType = format::kTableUser;
    std::uint16_t fixedOffset = 0;
    for (const NewField& field : table.fields) {
        Column c;
        c.name = field.name;
        c.type = columnType(field.type);
        c.number = static_cast<std::uint16_t>(def.columns.size());
        if (c.type == ColumnType::Text || c.type == ColumnType::Memo) {
            c.flags = kVariableColumn;
            c.extFlags = format::kColExtCompressed;
            c.varIndex = def.varCols++;
            c.length = c.type == ColumnType::Text ? static_cast<std::uint16_t>(field.size * 2) : 0;
        } else {
            c.flags = kFixedColumn;
            c.length = static_cast<std::uint16_t>(std::max<std::size_t>(1, ValueText::fixedSize(c.type)));
            if (c.type != ColumnType::Boolean) {
                c.fixedOffset = fixedOffset;
                fixedOffset = static_cast<std::uint16_t>(fixedOffset + c.length);
            }
        }
        def.columns.push_back(c);
    }
    def.maxCols = static_cast<std::uint16_t>(def.columns.size());
    return def;
}

Result<std::uint32_t> CreateTableWriter::write(CreateImage& image, const NewTable& table) {
    TableLayout layout;
    layout.def = columns(table);
    TableDef& def = layout.def;
    auto tdefPage = image.append();
    JET_ASSIGN_OR_RETURN(auto holderPage, tdefPage.ok() ? image.append() : tdefPage);
    def.page = tdefPage.value();
    def.pages = {def.page};

    CreateRowPacker data(image, def.page);
    RowBuilder rows(image, table, def);
    std::vector<std::pair<RowId, RawRow>> placedRows;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        auto encoded = rows.build(i);
        JET_ASSIGN_OR_RETURN(auto placed,
                             encoded.ok() ? data.add(encoded.value()) : Result<RowId>(encoded.status()));
        JET_ASSIGN_OR_RETURN(auto values, RowCodec::decode(def, encoded.value()));
        placedRows.emplace_back(placed, std::move(values));
    }
    def.rowCount = static_cast<std::uint32_t>(table.rows.size());
    JET_ASSIGN_OR_RETURN(auto roots, writeIndexes(image, table, layout, placedRows));
    JET_TRY(writeMaps(image, holderPage, def, data, rows, roots));

    for (std::size_t i = 0; i < def.columns.size(); ++i)
        layout.storedOrder.push_back(i);
    JET_ASSIGN_OR_RETURN(auto stream, CreateTableDef::encode(layout));
    JET_TRY(CreateTableDef::write(image, def.page, stream));
    return def.page;
}

} // namespace jet
