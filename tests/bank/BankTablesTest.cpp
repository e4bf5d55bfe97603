#include "bank/BankTables.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace bank;

TEST(BankTables, RequiredColumnsFollowTheTable) {
    EXPECT_EQ(requiredColumns(u"tm5"_s).size(), 21);
    EXPECT_EQ(requiredColumns(u"panduan"_s),
              (QStringList{u"ID"_s, u"TM"_s, u"fen"_s, u"JX"_s, u"DA"_s, u"XXDA"_s}));
    EXPECT_TRUE(requiredColumns(u"fenxi"_s).contains(u"DAfenxi5"_s));
    EXPECT_FALSE(requiredColumns(u"fenxi"_s).contains(u"XXDA"_s));
    EXPECT_TRUE(requiredColumns(u"danxuan"_s).contains(u"XXD"_s));
}
