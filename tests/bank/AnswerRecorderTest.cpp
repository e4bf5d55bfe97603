// The one road of an answer, as both windows take it, over a table of a real bank.
#include "bank/AnswerRecorder.h"
#include "RecordingBank.h"
#include "bank/QuestionTable.h"

using namespace Qt::StringLiterals;
using namespace bank;

namespace {

class AnswerRecorderTest : public RecordingBank {
protected:
    common::Outcome<int> choose(const QString& table, QuestionType type, int id, const QString& value) {
        return recordChoiceAnswer(*tableOfBank(m_bank, table), type, id, value);
    }
    common::Outcome<int> calculate(int id, const QStringList& answers) {
        return recordCalcAnswers(*tableOfBank(m_bank, u"tm1"_s), id, answers);
    }
};

TEST_F(AnswerRecorderTest, DuplicatedQuestionTextsAreBothUpdated) {
    EXPECT_EQ(valueOf(choose(u"danxuan"_s, QuestionType::SingleChoice, 1, u"B"_s)), 1);
    EXPECT_EQ(field(u"danxuan"_s, 3, u"XXDA"_s), u"B"_s);
    EXPECT_EQ(field(u"danxuan"_s, 3, u"fen"_s), u"1"_s);
    EXPECT_EQ(field(u"danxuan"_s, 2, u"XXDA"_s), QString());
    // Answering B after A leaves B and its score.
    EXPECT_EQ(valueOf(choose(u"danxuan"_s, QuestionType::SingleChoice, 2, u"A"_s)), 0);
    EXPECT_EQ(valueOf(choose(u"danxuan"_s, QuestionType::SingleChoice, 2, u"C"_s)), 1);
    EXPECT_EQ(field(u"danxuan"_s, 2, u"XXDA"_s), u"C"_s);
    EXPECT_EQ(field(u"danxuan"_s, 2, u"fen"_s), u"1"_s);
}

TEST_F(AnswerRecorderTest, MultipleChoiceRecordsEachClickAndTheEmptyAnswer) {
    QList<int> scores;
    QStringList recorded;
    for (const QString& value : {u"B"_s, u"BD"_s, u"ABD"_s}) {
        scores.append(valueOf(choose(u"tm1"_s, QuestionType::MultipleChoice, 25, value)).value_or(-1));
        recorded.append(field(u"tm1"_s, 25, u"XXDA"_s));
    }
    EXPECT_EQ(scores, (QList<int>{0, 0, 2}));
    EXPECT_EQ(recorded, (QStringList{u"B"_s, u"BD"_s, u"ABD"_s}));
    EXPECT_EQ(valueOf(choose(u"tm1"_s, QuestionType::MultipleChoice, 26, u"ABC"_s)), 0);
    // Unticking the last box: the bank shows no answer and no score, as the boxes do.
    EXPECT_EQ(valueOf(choose(u"tm1"_s, QuestionType::MultipleChoice, 25, QString())), 0);
    EXPECT_EQ(field(u"tm1"_s, 25, u"XXDA"_s), QString());
    EXPECT_EQ(field(u"tm1"_s, 25, u"fen"_s), u"0"_s);
}

TEST_F(AnswerRecorderTest, ThreeOfFiveCalculationFieldsScoreSix) {
    EXPECT_EQ(valueOf(calculate(61, {u"100"_s, u"２００"_s, u"300.00"_s, u"401"_s, QString()})), 6);
    EXPECT_EQ(field(u"tm1"_s, 61, u"fen"_s), u"6"_s);
    EXPECT_EQ(field(u"tm1"_s, 61, u"fenxi2"_s), u"２００"_s);
    const QString entry = u"贷 短期借款 1,000.00\n借 银行存款 1000"_s;
    EXPECT_EQ(valueOf(calculate(62, {entry, entry, entry, entry, entry})), 10);
    EXPECT_EQ(field(u"tm1"_s, 62, u"fenxi5"_s), entry);
}

// A practice table takes only the values of its kind, as a paper does: a true/false value given to a
// single-choice question, or a letter to a calculation question, writes nothing.
TEST_F(AnswerRecorderTest, AValueOfAnotherKindWritesNothing) {
    const BankTable before = stored(u"danxuan"_s);
    const common::Outcome<int> refused = choose(u"danxuan"_s, QuestionType::SingleChoice, 1, u"正确"_s);
    EXPECT_FALSE(refused.reason().isEmpty());
    EXPECT_FALSE(choose(u"tm1"_s, QuestionType::Calculation, 61, u"A"_s));
    EXPECT_EQ(stored(u"danxuan"_s).rows[0].xxda, before.rows[0].xxda);
    EXPECT_EQ(field(u"tm1"_s, 61, u"XXDA"_s), QString());
}

} // namespace
