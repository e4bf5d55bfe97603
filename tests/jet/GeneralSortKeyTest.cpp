// Text keys beyond ASCII in the General sort order: every text index entry Access stored in the
// shared files recomputed from its row, and updates that move such keys on Access-made files.
#include "EngineTestSupport.h"

#include "jet/catalog/Table.h"
#include "jet/catalog/TableDef.h"
#include "jet/file/Pager.h"
#include "jet/index/IndexKey.h"
#include "jet/index/IndexTree.h"

#include <algorithm>
#include <set>

using namespace enginetest;

namespace {

using jet::Bytes;

struct StoredText {
    std::string value; // the row's text, UTF-8
    Bytes entry;       // the index entry Access wrote for it
    jet::Result<std::optional<Bytes>> computed;
};

// The first text column of an index, if it has one.
const jet::Column* textColumn(const jet::TableDef& def, const jet::RealIndex& index) {
    for (std::uint16_t number : index.columns)
        for (const auto& c : def.columns)
            if (c.number == number && c.type == jet::format::ColumnType::Text) return &c;
    return nullptr;
}

// Each entry of every index over a text column of the file, with its row's key as we compute it.
std::vector<StoredText> storedTexts(const std::string& file) {
    std::vector<StoredText> out;
    auto pager = jet::Pager::open(file);
    EXPECT_TRUE(pager.ok() && pager.value()->beginRead().ok()) << file;
    jet::Pager& store = *pager.value();
    for (std::uint32_t page = 2; page < store.pageCount(); ++page) {
        auto def = jet::TableDef::read(store, page);
        if (!def.ok()) continue;
        jet::Table table(store, def.value());
        for (const auto& index : def->indexes) {
            const jet::Column* column = textColumn(def.value(), index);
            if (column == nullptr) continue;
            auto tree = jet::IndexTree::read(store, index.root, def->page);
            EXPECT_TRUE(tree.ok()) << file << " " << page;
            for (const Bytes& entry : tree->entries()) {
                auto row = table.row(jet::IndexPage::leafRow(entry));
                EXPECT_TRUE(row.ok()) << file << " " << page;
                std::string value;
                if (auto text = table.text(*column, row->values[def->position(*column)]);
                    text.ok() && text.value())
                    value = *text.value();
                out.push_back({value, entry, jet::IndexKey::rowKey(def.value(), index, row->values)});
            }
        }
    }
    store.endRead();
    return out;
}

bool beyondAscii(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// The base codes and the accent codes of `letters` each stand in one piece inside `stored`: the
// letters run unbroken inside a longer text whose whole key needs codes we do not have.
void expectPartsWithin(const Bytes& stored, const std::string& letters) {
    const auto computed = jet::IndexKey::text(letters);
    ASSERT_TRUE(computed.ok()) << computed.status().message();
    const Bytes& key = computed.value();
    const auto end = std::find(key.begin() + 1, key.end(), 0x01);
    const Bytes base(key.begin() + 1, end), accents(end + 1, key.end() - 1);
    EXPECT_NE(std::search(stored.begin(), stored.end(), base.begin(), base.end()), stored.end()) << letters;
    EXPECT_NE(std::search(stored.begin(), stored.end(), accents.begin(), accents.end()), stored.end())
        << letters;
}

TEST(GeneralSortKey, EveryStoredTextKeyBeyondAsciiIsRecomputedOrRefusedWithItsReason) {
    std::set<std::string> exact, refused;
    std::map<std::string, Bytes> storedOf;
    for (const auto& name : kAccessFiles) {
        for (const auto& stored : storedTexts(accessFile(name).string())) {
            storedOf[stored.value] = stored.entry;
            if (stored.computed.ok()) {
                ASSERT_TRUE(stored.computed.value().has_value()) << name << " " << stored.value;
                const Bytes key =
                    jet::IndexKey::leafEntry(*stored.computed.value(), jet::IndexPage::leafRow(stored.entry));
                EXPECT_EQ(key, stored.entry) << name << ": " << stored.value;
                if (beyondAscii(stored.value)) exact.insert(stored.value);
                continue;
            }
            EXPECT_EQ(stored.computed.status().code(), jet::Code::Unsupported) << stored.value;
            EXPECT_NE(stored.computed.status().message().find("no General sort code is known for "),
                      std::string::npos)
                << stored.computed.status().message();
            if (beyondAscii(stored.value)) refused.insert(stored.value);
        }
    }
    // Latin-1 with diaeresis and Cyrillic, whole keys.
    EXPECT_EQ(exact, (std::set<std::string>{"ääkkösiä", "ümlaut", "Мир"}));
    // Punctuation, controls, CJK and polytonic Greek stay refused: four rows of the Unicode table.
    EXPECT_EQ(refused.size(), 4u);
    // The row of all characters U+0001..U+00FF holds every Latin-1 letter; the polytonic row holds
    // Greek letters and the kappa symbol between characters without a code here.
    const auto startingWith = [&](const std::string& prefix) {
        const auto found = std::find_if(storedOf.begin(), storedOf.end(),
                                        [&](const auto& s) { return s.first.starts_with(prefix); });
        return found == storedOf.end() ? Bytes{} : found->second;
    };
    const Bytes all = startingWith("\x01\x02\x03");
    for (const std::string letters : {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖ",
                                      "ØÙÚÛÜÝÞßàáâãäåæçèéêëìíîïðñòóôõö", "øùúûüýþÿ"})
        expectPartsWithin(all, letters);
    for (const std::string letters : {"ϰα", "Κϰλωπα"})
        expectPartsWithin(startingWith("ϰα"), letters);
}

// After every step both the structure and each entry's key against its row are checked.
void expectUpdates(const std::string& file, const std::string& table,
                   const std::vector<std::string>& statements) {
    const auto before = problems(file);
    auto connection = jet::Connection::open(file);
    ASSERT_TRUE(connection.ok());
    for (const auto& statement : statements) {
        const auto done = connection->execute(statement);
        ASSERT_TRUE(done.ok()) << statement << ": " << done.message();
        EXPECT_EQ(problems(file), before) << statement;
    }
    expectReadersAgree(file, table, mdbReaderTables(file));
}

TEST(GeneralSortKey, UpdatesMoveKeysBeyondAsciiInAccessMadeIndexes) {
    ScratchDir dir;
    // The whole-table update that used to fail on a row holding 'Táchira'.
    expectUpdates(
        dir.copy("testV2003.mdb"), "Table1",
        {"update Table1 set B='Táchira' where C='0'", "update Table1 set A='Ñuñoa' where C='0'",
         "update Table1 set B='North East Zone'", "update Table1 set A='Łódź Dvořák Œuvre' where C='0'",
         "update Table1 set B='Ελλάδα Άργος ΐ'", "update Table1 set B='Ёлка Москва Її' where C='0'"});
    expectUpdates(dir.copy("testUnicodeCompV2003.mdb"), "Table",
                  {"update [Table] set [Unicode]='Táchira' where ID='1'",
                   "update [Table] set [Unicode]='North East Zone' where ID='2'",
                   "update [Table] set [Unicode]='Санкт Петербург' where ID='3'",
                   "update [Table] set [Unicode]='Ävä Åre' where ID='7'",
                   "update [Table] set [Unicode]='ümlaut' where ID='3'"});
}

TEST(GeneralSortKey, TextsWithoutKnownCodesAreRefusedNamingTheCharacter) {
    auto [dir, file, before, connection] = OpenedCopy("testUnicodeCompV2003.mdb");
    ASSERT_TRUE(connection.ok());
    expectRefused(connection->execute("update [Table] set [Unicode]='ἐγὼ' where ID='2'"),
                  jet::Code::Unsupported, "no General sort code is known for 'ἐ' (U+1F10)");
    // The row's old key is needed to move its entry.
    expectRefused(connection->execute("update [Table] set [Unicode]='Мир' where ID='5'"),
                  jet::Code::Unsupported, "(U+6F22)");
    EXPECT_EQ(readFile(file), before);
}

} // namespace
