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
    std::string value; // the row's text
    Bytes entry;       // the index entry Access wrote for the row
    jet::Result<std::optional<Bytes>> computed;
};

// Each entry of every index over a text column of the file, with its row's key as we compute it.
std::vector<StoredText> storedTexts(const std::string& file) {
    std::vector<StoredText> out;
    auto pager = jet::Pager::open(file);
    EXPECT_TRUE(pager.ok() && pager.value()->beginRead().ok()) << file;
    for (std::uint32_t page = 2; page < pager.value()->pageCount(); ++page) {
        auto def = jet::TableDef::read(*pager.value(), page);
        if (!def.ok()) continue;
        jet::Table table(*pager.value(), def.value());
        for (const auto& index : def->indexes) {
            const auto column = std::ranges::find_if(def->columns, [&](const jet::Column& c) {
                return c.type == jet::format::ColumnType::Text &&
                       std::ranges::count(index.columns, c.number) > 0;
            });
            auto tree = jet::IndexTree::read(*pager.value(), index.root, page);
            EXPECT_TRUE(tree.ok()) << file << " " << page;
            if (column == def->columns.end() || !tree.ok()) continue;
            for (const Bytes& entry : tree->entries()) {
                auto row = table.row(jet::IndexPage::leafRow(entry));
                auto text =
                    row.ok() ? table.text(*column, row->values[def->position(*column)]) : row.status();
                EXPECT_TRUE(text.ok()) << file << " " << page << ": " << text.status().message();
                if (!text.ok()) continue;
                out.push_back(
                    {text->value_or(""), entry, jet::IndexKey::rowKey(def.value(), index, row->values)});
            }
        }
    }
    pager.value()->endRead();
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

TEST(GeneralSortKey, EveryStoredTextKeyBeyondAsciiIsRecomputedExactly) {
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
    expectUpdates(dir.copy("testV2003.mdb"), "Table1",
                  {"update Table1 set B='Táchira' where C='0'", "update Table1 set A='Ñuñoa' where C='0'",
                   "update Table1 set B='North East Zone'", "update Table1 set A='Ðøñ Ýþÿ' where C='0'",
                   "update Table1 set B='ΑΓΩ καλπτ ϰ'", "update Table1 set B='Мир мир' where C='0'"});
    expectUpdates(dir.copy("testUnicodeCompV2003.mdb"), "Table",
                  {"update [Table] set [Unicode]='Táchira' where ID='1'",
                   "update [Table] set [Unicode]='North East Zone' where ID='2'",
                   "update [Table] set [Unicode]='Мир' where ID='3'",
                   "update [Table] set [Unicode]='Ävä Åre' where ID='7'",
                   "update [Table] set [Unicode]='ümlaut' where ID='3'"});
    // A character without a code is named; so is one of a row's old key, needed to move its entry.
    auto [copy, file, before, connection] = OpenedCopy("testUnicodeCompV2003.mdb");
    expectRefused(connection->execute("update [Table] set [Unicode]='ἐγὼ' where ID='2'"),
                  jet::Code::Unsupported, "no General sort code is known for 'ἐ' (U+1F10)");
    // Letters of the published table that no Access-made key has shown stay refused.
    for (const char* unconfirmed : {"Łódź", "Ёлка", "Άργος"})
        expectRefused(connection->execute("update [Table] set [Unicode]='" + std::string(unconfirmed) +
                                          "' where ID='2'"),
                      jet::Code::Unsupported, "no General sort code is known for");
    expectRefused(connection->execute("update [Table] set [Unicode]='Мир' where ID='5'"),
                  jet::Code::Unsupported, "no General sort code is known for '漢' (U+6F22)");
    EXPECT_EQ(readFile(file), before);
}

} // namespace
