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

} // namespace

TEST(GiveAways, TheAuditsPairsAreFoundAndNothingElse) {
    const SampleSources sample = sampleSources(60, 0);
    QList<ComparedQuestion> questions;
    for (const auto& [text, type] : {std::pair{sample.danxuan, QuestionType::SingleChoice},
                                     std::pair{sample.duoxuan, QuestionType::MultipleChoice},
                                     std::pair{sample.panduan, QuestionType::TrueFalse}})
        for (const SourceQuestion& question : parseBankSource(text, u"x.txt"_s, type).questions)
            questions.append({type, question.record, {}, question.record.tm});
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
                found[1].reason.startsWith(u"4 options alike"_s))
        << found[1].reason.toStdString();
}
