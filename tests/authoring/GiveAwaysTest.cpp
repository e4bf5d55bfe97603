// Give-away pairs found by the likeness of texts, on pairs the audit of the shipped bank found, among
// sample questions that give nothing away.
#include "authoring/GiveAways.h"
#include "SampleBank.h"

#include "authoring/BankSource.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace authoring;

using bank::QuestionType;

namespace {

ComparedQuestion choice(QuestionType type, const QString& text, const std::array<QString, 4>& options,
                        const QString& key) {
    ComparedQuestion question{type, {}, {}, text};
    question.record.tm = text;
    question.record.options = options;
    question.record.da = key;
    return question;
}

// The sample's choice and true/false questions, which give nothing away.
QList<ComparedQuestion> sampleQuestions() {
    const SampleSources sample = sampleSources(60, 0);
    QList<ComparedQuestion> questions;
    for (const auto& [text, type] : {std::pair{sample.danxuan, QuestionType::SingleChoice},
                                     std::pair{sample.duoxuan, QuestionType::MultipleChoice},
                                     std::pair{sample.panduan, QuestionType::TrueFalse}})
        for (const SourceQuestion& question : parseBankSource(text, u"x.txt"_s, type).questions)
            questions.append({type, question.record, {}, question.record.tm});
    return questions;
}

} // namespace

TEST(GiveAways, TheAuditsPairsAreFoundAndNothingElse) {
    QList<ComparedQuestion> questions = sampleQuestions();
    const std::array<QString, 4> closing{u"管理费用"_s, u"应收账款"_s, u"主营业务收入"_s,
                                         u"实收资本（或股本）"_s};
    const std::array<QString, 4> corrections{u"划线更正法"_s, u"红字更正法"_s, u"补充登记法"_s,
                                             u"平行登记法"_s};
    const qsizetype first = questions.size();
    questions += {// The same classification asked as single and as multiple choice.
                  choice(QuestionType::SingleChoice, u"下列账户中，期末结转后一般没有余额的是（ ）。"_s,
                         closing, u"A"_s),
                  choice(QuestionType::MultipleChoice, u"下列账户中，期末结转后一般没有余额的有（ ）。"_s,
                         closing, u"AC"_s),
                  // The same options, keyed alike, on two wordings of one error.
                  choice(QuestionType::SingleChoice,
                         u"记账后发现记账凭证所记金额大于应记金额，科目无误，应采用的更正方法是（ ）。"_s,
                         corrections, u"B"_s),
                  choice(QuestionType::SingleChoice,
                         u"记账后发现记账凭证中应借的会计科目用错，并已登记入账，应采用的方法是（ ）。"_s,
                         corrections, u"B"_s)};
    const QList<GiveAwayPair> found = findGiveAways(questions);
    ASSERT_EQ(found.size(), 2) << (found.isEmpty() ? std::string() : found.first().reason.toStdString());
    EXPECT_EQ(std::pair(found[0].first, found[0].second), std::pair(int(first), int(first + 1)));
    EXPECT_TRUE(found[0].reason.startsWith(u"similar texts"_s)) << found[0].reason.toStdString();
    EXPECT_EQ(std::pair(found[1].first, found[1].second), std::pair(int(first + 2), int(first + 3)));
    EXPECT_TRUE(found[1].reason.startsWith(u"3 options alike"_s) ||
                found[1].reason.startsWith(u"the same 4 options"_s))
        << found[1].reason.toStdString();
}

namespace {

ComparedQuestion statement(const QString& text, const QString& answer) {
    ComparedQuestion question{QuestionType::TrueFalse, {}, {}, text};
    question.record.tm = text;
    question.record.da = answer;
    return question;
}

// The sample's questions, which give nothing away, with `planted` after them; the pairs found among
// the planted ones, as indices into `planted`.
QList<std::pair<int, int>> pairsAmong(const QList<ComparedQuestion>& planted) {
    QList<ComparedQuestion> questions = sampleQuestions();
    const auto first = static_cast<int>(questions.size());
    questions += planted;
    QList<std::pair<int, int>> pairs;
    for (const GiveAwayPair& pair : findGiveAways(questions)) {
        EXPECT_GE(pair.first, first) << "a sample question flagged: " << pair.reason.toStdString();
        pairs.append({pair.first - first, pair.second - first});
    }
    return pairs;
}

const std::array<QString, 4> purchaseCosts{u"取得专用发票的进项税额"_s, u"运输途中的合理损耗"_s,
                                           u"入库前的挑选整理费"_s, u"采购人员的差旅费"_s};

} // namespace

TEST(GiveAways, AStatementThatIsAnUnkeyedOptionOrItsNegationIsFound) {
    const QList<std::pair<int, int>> found = pairsAmong(
        {choice(QuestionType::MultipleChoice,
                u"一般纳税人外购材料，下列各项中应计入材料采购成本的有（ ）。"_s, purchaseCosts, u"BC"_s),
         statement(u"一般纳税人外购材料取得专用发票的进项税额，应计入材料采购成本。"_s, u"错误"_s),
         statement(u"一般纳税人外购材料时，采购人员的差旅费不计入采购成本。"_s, u"正确"_s)});
    EXPECT_EQ(found, (QList<std::pair<int, int>>{{0, 1}, {0, 2}}));
}

TEST(GiveAways, TheSameOptionsAskedAsBelongingAndNotBelongingAreFound) {
    const std::array<QString, 4> periodCosts{u"销售费用"_s, u"管理费用"_s, u"财务费用"_s, u"制造费用"_s};
    const std::array<QString, 4> sameSet{u"制造费用"_s, u"财务费用"_s, u"管理费用"_s, u"销售费用"_s};
    const QList<std::pair<int, int>> found = pairsAmong(
        {choice(QuestionType::SingleChoice, u"下列各项中，不属于期间费用的是（ ）。"_s, periodCosts, u"D"_s),
         choice(QuestionType::MultipleChoice, u"下列各项中，属于期间费用的有（ ）。"_s, periodCosts,
                u"ABC"_s),
         // The same four options under another question: they settle each other as well.
         choice(QuestionType::SingleChoice, u"月末一般需要分配转入产品成本的账户是（ ）。"_s, sameSet,
                u"A"_s)});
    EXPECT_EQ(found, (QList<std::pair<int, int>>{{0, 1}, {0, 2}, {1, 2}}));
}

TEST(GiveAways, OneTemplateWithOtherAmountsIsFound) {
    // Amounts make up most of the texts: alike only once they are masked.
    const QList<std::pair<int, int>> found = pairsAmong(
        {choice(QuestionType::SingleChoice,
                u"某账户期初余额 12580 元，本期增加 34760 元，减少 29340 元，期末余额为（ ）元。"_s,
                {u"18000"_s, u"14000"_s, u"22000"_s, u"76680"_s}, u"A"_s),
         choice(QuestionType::SingleChoice,
                u"某账户期初余额 46930 元，本期增加 58210 元，减少 67470 元，期末余额为（ ）元。"_s,
                {u"37670"_s, u"29930"_s, u"55690"_s, u"172610"_s}, u"A"_s)});
    EXPECT_EQ(found, (QList<std::pair<int, int>>{{0, 1}}));
}
