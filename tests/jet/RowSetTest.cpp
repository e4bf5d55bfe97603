// A row set walks both ways, finds rows by "ID=n" and reads columns by name.
#include "jet/RowSet.h"

#include <gtest/gtest.h>

namespace {

using jet::format::ColumnType;

jet::RowSet threeQuestions() {
    return jet::RowSet({"ID", "TM", "fen"}, {ColumnType::Long, ColumnType::Text, ColumnType::Integer},
                       {{"1", "第一题", "0"}, {"2", std::nullopt, "2"}, {"62", "最后一题", "10"}});
}

TEST(RowSet, WalksBothWaysAndStopsAtEitherEnd) {
    auto rows = threeQuestions();
    ASSERT_TRUE(rows.atRow());
    EXPECT_EQ(rows.text("ID").value(), "1");
    EXPECT_TRUE(rows.moveNext());
    EXPECT_TRUE(rows.moveNext());
    EXPECT_EQ(rows.text("ID").value(), "62");
    EXPECT_FALSE(rows.moveNext());
    EXPECT_FALSE(rows.text("ID").ok());
    EXPECT_EQ(rows.text("ID").status().code(), jet::Code::NotFound);
    EXPECT_TRUE(rows.movePrevious()); // back from past the end is the last row
    EXPECT_EQ(rows.text("ID").value(), "62");
    EXPECT_TRUE(rows.moveFirst());
    EXPECT_FALSE(rows.movePrevious());
    EXPECT_TRUE(rows.moveNext()); // forward from before the start is the first row
    EXPECT_EQ(rows.text("ID").value(), "1");
    EXPECT_TRUE(rows.moveLast());
    EXPECT_EQ(rows.text("TM").value(), "最后一题");
}

TEST(RowSet, FindsByNumberAndLeavesNoRowWhenNoneMatches) {
    auto rows = threeQuestions();
    EXPECT_TRUE(rows.find("ID=62").ok());
    EXPECT_EQ(rows.text("fen").value(), "10");
    EXPECT_TRUE(rows.find("id=2").ok());
    EXPECT_EQ(rows.text("TM").value(), ""); // NULL reads as empty text
    EXPECT_EQ(rows.find("ID=63").code(), jet::Code::NotFound);
    EXPECT_FALSE(rows.atRow());
    auto missing = rows.text("TM");
    EXPECT_FALSE(missing.ok());
    EXPECT_EQ(rows.find("ID=abc").code(), jet::Code::Invalid);
    EXPECT_EQ(rows.find("NOPE=1").code(), jet::Code::NotFound);
    EXPECT_EQ(rows.text("NOPE").status().code(), jet::Code::NotFound);
}

TEST(RowSet, EmptySetHasNoCurrentRow) {
    jet::RowSet rows({"ID"}, {ColumnType::Long}, {});
    EXPECT_FALSE(rows.atRow());
    EXPECT_FALSE(rows.moveFirst());
    EXPECT_FALSE(rows.moveLast());
    EXPECT_FALSE(rows.moveNext());
    EXPECT_FALSE(rows.movePrevious());
    EXPECT_FALSE(rows.text("ID").ok());
}

} // namespace
