#include "authoring/BankSource.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace authoring;

using bank::QuestionType;

namespace {

const QString twoQuestions =
    u"\uFEFF# comment\r\n"
    "CH: 会计要素与等式\r\n"
    "TM: 题一\r\n"
    "A: 甲\nB: 乙\nC: 丙\nD: 丁\n"
    "DA: AB\n"
    "JX: 解析一\n"
    "\n\n   \n"
    "CH: 会计凭证\nTM: 题二\n# comment inside a block\nA: 1\nB: 2\nC: 3\nD: 4\nDA: CD\nJX: 二\n"_s;

} // namespace

TEST(BankSource, ReadsBlocksIntoNumberedQuestions) {
    const ParsedSource parsed = parseBankSource(twoQuestions, u"duoxuan.txt"_s, QuestionType::MultipleChoice);
    EXPECT_TRUE(parsed.problems.isEmpty()) << parsed.problems.join(u'\n').toStdString();
    ASSERT_EQ(parsed.questions.size(), 2);
    const SourceQuestion& first = parsed.questions[0];
    EXPECT_EQ(first.record.id, 1);
    EXPECT_EQ(first.line, 2);
    EXPECT_EQ(first.chapter, u"会计要素与等式"_s);
    EXPECT_EQ(first.record.tm, u"题一"_s);
    EXPECT_EQ(first.record.options, (std::array<QString, 4>{u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s}));
    EXPECT_EQ(first.record.da, u"AB"_s);
    EXPECT_EQ(first.record.jx, u"解析一"_s);
    EXPECT_EQ(parsed.questions[1].record.id, 2);
    EXPECT_EQ(parsed.questions[1].line, 13);
    EXPECT_EQ(parsed.questions[1].record.da, u"CD"_s);
}

TEST(BankSource, RepeatedJournalKeysJoinTheirLines) {
    const QString text =
        u"CH: 会计凭证\nTX: 计算分析题-分录\nTM: t\nDA1: 借 银行存款 5\nDA1: 贷 实收资本（或股本） 5\n"
        "DA2: 2\nDA3: 3\nDA4: 4\nDA5: 5\nJX: j\n"_s;
    const ParsedSource parsed = parseBankSource(text, u"fenxi.txt"_s, QuestionType::Calculation);
    ASSERT_TRUE(parsed.problems.isEmpty()) << parsed.problems.join(u'\n').toStdString();
    ASSERT_EQ(parsed.questions.size(), 1);
    EXPECT_EQ(parsed.questions[0].record.standards[0], u"借 银行存款 5\n贷 实收资本（或股本） 5"_s);
    EXPECT_EQ(parsed.questions[0].record.standards[4], u"5"_s);
    EXPECT_EQ(parsed.questions[0].record.tx, u"计算分析题-分录"_s);
}

TEST(BankSource, BrokenFormIsReportedWithFileAndLine) {
    const QString text = u"CH: 会计凭证\nTM: t\nDA: 正确\nDA: 错误\nJX: j\nA: 不该有\n\n"
                         "CH: 会计凭证\nTM: 二\n说明没有键\nJX: \n\n"
                         "CH: 第九章\nTM: 三\nDA: 正确\nJX: j\n"_s;
    const ParsedSource parsed = parseBankSource(text, u"panduan.txt"_s, QuestionType::TrueFalse);
    EXPECT_EQ(
        parsed.problems,
        (QStringList{u"panduan.txt:4: DA given twice in one question"_s,
                     u"panduan.txt:6: key A does not belong in panduan.txt"_s,
                     u"panduan.txt:10: expected \"KEY: value\""_s, u"panduan.txt:11: JX has no value"_s,
                     u"panduan.txt:8: question lacks DA"_s, u"panduan.txt:13: unknown chapter 第九章"_s}));
}
