// The exam window's choice options carry their letters, as the practice window's do: the answer
// window names the standard answer by letter, so the candidate must see which option is which.

#include "ExamWindowFixture.h"

#include "exam/ExamNames.h"

#include <QCheckBox>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using bank::QuestionRecord;
namespace n = exam::names;

TEST(ExamOptionLetters, SingleAndMultipleChoiceOptionsShowLetterBlankText) {
    ExamWindowFixture f;
    const QuestionRecord& single = f.store->rows()[0];
    ASSERT_FALSE(single.options[0].startsWith(u'A')) << "the bank's option texts carry no letter";
    const QString letters = u"ABCD"_s;
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(f.get<QRadioButton>(n::singleOption(i + 1))->text(), letters[i] + u' ' + single.options[i]);
    f.window->showQuestion(21);
    const QuestionRecord& multiple = f.store->rows()[20];
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(f.get<QCheckBox>(n::multipleOption(i + 1))->text(),
                  letters[i] + u' ' + multiple.options[i]);
}

TEST(ExamOptionLetters, AnEmptyOptionStillShowsItsLetter) {
    ExamWindowFixture f;
    QList<QuestionRecord> rows = f.store->rows();
    rows[0].options[3].clear();
    f.window.reset();
    f.open(7, rows);
    EXPECT_EQ(f.get<QRadioButton>(n::singleOption(4))->text(), u"D "_s);
}
