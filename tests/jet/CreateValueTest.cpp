#include "jet/pages/CreateValue.h"
#include "jet/catalog/CreateTableWriter.h"
#include "jet/pages/TextCodec.h"

#include <gtest/gtest.h>

#include <cstring>

namespace jet {
namespace {

Column column(FieldType type, std::uint16_t size = 255) {
    NewTable t{"t", {{"c", type, size}}, {}};
    return CreateTableWriter::columns(t).columns[0];
}

double storedDate(const Bytes& raw) {
    double v = 0;
    std::memcpy(&v, raw.data(), 8);
    return v;
}

TEST(CreateValue, DatesCountDaysFrom1899AndTimeForwardEvenBeforeIt) {
    EXPECT_EQ(CreateValue::parseDate("1899-12-30").value(), 0.0);
    EXPECT_EQ(CreateValue::parseDate("1899-12-31 12:00").value(), 1.5);
    EXPECT_EQ(CreateValue::parseDate("1899-12-29 06:00:00").value(), -1.25);
    EXPECT_EQ(CreateValue::parseDate("1974-09-21").value(), 27293.0);
    EXPECT_EQ(CreateValue::parseDate("2000-02-29").value(), 36585.0);
    EXPECT_NEAR(CreateValue::parseDate("9999-12-31 23:59:59").value(), 2958465.99998843, 1e-8);
    EXPECT_EQ(CreateValue::parseDate("0100-01-01").value(), -657434.0);
    EXPECT_EQ(storedDate(CreateValue::convert(column(FieldType::DateTime), "1900-01-01").value()), 2.0);
}

TEST(CreateValue, RefusesImpossibleDates) {
    for (const char* text : {"", "2023-02-29", "1900-02-29", "2024-13-01", "2024-00-10", "2024-01-32",
                             "0099-12-31", "2024-01-01 24:00", "2024-01-01 12:60", "2024-01-01T12:00",
                             "2024-1-1", "2024-01-01 12", "2024-01-01 12:00:00.5", "yesterday"})
        EXPECT_EQ(CreateValue::parseDate(text).status().code(), Code::Invalid) << text;
}

TEST(CreateValue, YesNoTakesTheUsualSpellings) {
    const Column c = column(FieldType::YesNo);
    for (const char* yes : {"1", "-1", "true", "TRUE", "Yes"})
        EXPECT_EQ(CreateValue::convert(c, yes).value(), Bytes{1}) << yes;
    for (const char* no : {"0", "false", "No"})
        EXPECT_EQ(CreateValue::convert(c, no).value(), Bytes{0}) << no;
    for (const char* neither : {"", "2", "y", "是"})
        EXPECT_FALSE(CreateValue::convert(c, neither).ok()) << neither;
}

// A Text field's size counts UTF-16 units, as Access does: a character outside the BMP takes two.
TEST(CreateValue, TextSizeCountsUtf16Units) {
    const Column c = column(FieldType::Text, 3);
    EXPECT_TRUE(CreateValue::convert(c, "会计学").ok());
    EXPECT_TRUE(CreateValue::convert(c, "a\xF0\x9F\x98\x80").ok());
    EXPECT_FALSE(CreateValue::convert(c, "会计学原理").ok());
    EXPECT_FALSE(CreateValue::convert(c, "ab\xF0\x9F\x98\x80").ok());
    EXPECT_TRUE(CreateValue::convert(column(FieldType::Memo), std::string(100000, 'x')).ok());
}

// What is stored decodes to what was given, whatever the first character is.
TEST(CreateValue, StoredTextDecodesToTheSameText) {
    const Column text = column(FieldType::Text, 20);
    for (const char* value : {"", "A", "ABC", "借贷", "\xEF\xBB\xBF",
                              "\xEF\xBB\xBF"
                              "abc",
                              "\xEF\xBB\xBF"
                              "借",
                              "\xC3\xBF\xC3\xBE"
                              "x",
                              "\xF0\x9F\x98\x80"})
        EXPECT_EQ(TextCodec::decode(CreateValue::convert(text, value).value()), value) << value;
}

// Every reader takes a leading FF FE for the compression marker and a zero byte inside for a mode
// switch, so such a text could not be read back as written.
TEST(CreateValue, RefusesTextsNoReaderCouldReadBack) {
    const Column memo = column(FieldType::Memo);
    EXPECT_EQ(CreateValue::convert(memo, "\xEF\xBB\xBF"
                                         "一")
                  .status()
                  .code(),
              Code::Invalid);
    EXPECT_EQ(CreateValue::convert(memo, "\xEF\xBB\xBF"
                                         "\xF0\x9F\x98\x80")
                  .status()
                  .code(),
              Code::Invalid);
    EXPECT_TRUE(CreateValue::convert(memo, "一\xEF\xBB\xBF").ok());
}

TEST(CreateValue, NewColumnsAreLaidOutInFieldOrder) {
    NewTable t{"t",
               {{"ID", FieldType::Long},
                {"TM", FieldType::Memo},
                {"ok", FieldType::YesNo},
                {"fen", FieldType::Integer},
                {"DA", FieldType::Text, 10},
                {"when", FieldType::DateTime}},
               {}};
    const TableDef def = CreateTableWriter::columns(t);
    EXPECT_EQ(def.maxCols, 6);
    EXPECT_EQ(def.varCols, 2);
    EXPECT_EQ(def.columns[0].fixedOffset, 0);
    EXPECT_EQ(def.columns[3].fixedOffset, 4); // the Yes/No column takes no room
    EXPECT_EQ(def.columns[5].fixedOffset, 6);
    EXPECT_EQ(def.columns[1].varIndex, 0);
    EXPECT_EQ(def.columns[4].varIndex, 1);
    EXPECT_EQ(def.columns[4].length, 20);
    EXPECT_TRUE(def.columns[4].compressible());
    EXPECT_TRUE(def.columns[2].fixed());
}

} // namespace
} // namespace jet
