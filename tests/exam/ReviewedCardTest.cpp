// After hand-in: the answer card marks each question right or wrong, and the locked journal page
// draws its disabled "+" buttons greyed.

#include "ExamWindowFixture.h"

#include "entry/CalcPages.h"
#include "entry/GridNames.h"
#include "exam/ExamNames.h"
#include "exam/QuestionNumbering.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace exam;

using bank::QuestionRecord;
namespace n = exam::names;

namespace {

struct Colours {
    int green = 0; // the tick's strokes
    int red = 0;   // the cross's strokes
    int dark = 0;  // the number (and nothing else on white)
};

Colours coloursOf(QWidget* widget) {
    const QImage shot = widget->grab().toImage();
    Colours c;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QColor p = shot.pixelColor(x, y);
            if (p.green() > p.red() + 30 && p.green() > p.blue() + 30) ++c.green;
            if (p.red() > p.green() + 40 && p.red() > p.blue() + 40) ++c.red;
            if (p.red() < 60 && p.green() < 60 && p.blue() < 60) ++c.dark;
        }
    return c;
}

void handIn(ExamWindowFixture& f) {
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    f.click(n::kSubmit);
    ASSERT_TRUE(f.window->isSubmitted());
}

} // namespace

TEST(ReviewedCard, MarksEveryQuestionRightOrWrongFromTheRecordedScoresAfterHandIn) {
    ExamWindowFixture f;
    const QList<QuestionRecord>& rows = f.store->rows();
    // Question 1 right, question 2 wrong, question 41 right; the rest unanswered.
    f.clickOption(n::singleOption(u"ABCD"_s.indexOf(rows[0].da) + 1));
    f.click(cardButtonName(2));
    const QString wrong = rows[1].da == u"A"_s ? u"B"_s : u"A"_s;
    f.clickOption(n::singleOption(u"ABCD"_s.indexOf(wrong) + 1));
    f.click(cardButtonName(41));
    f.clickOption(rows[40].da == u"正确"_s ? n::kTrue : n::kFalse);
    f.click(cardButtonName(10));
    ASSERT_EQ(rows[0].fen, u"1"_s);
    ASSERT_EQ(rows[1].fen, u"0"_s);
    ASSERT_EQ(rows[40].fen, u"1"_s);

    // Before hand-in the card is exactly as declared: colours only, no marks.
    for (int id = kFirstQuestion; id <= kLastQuestion; ++id)
        ASSERT_FALSE(f.get<ui::PictureButton>(cardButtonName(id))->hasOverlay()) << id;
    EXPECT_EQ(coloursOf(f.get(cardButtonName(2))).red, 0);
    EXPECT_EQ(f.cardColour(1), cardColour(CardState::Answered));

    handIn(f);
    for (const int right : {1, 41}) {
        const Colours c = coloursOf(f.get(cardButtonName(right)));
        EXPECT_GT(c.green, 15) << "a tick over question " << right;
        EXPECT_EQ(c.red, 0) << right;
        EXPECT_GT(c.dark, 4) << "its number still reads through the tick";
    }
    for (const int wrong : {2, 3, 20, 21, 60, 61, 62}) {
        const Colours c = coloursOf(f.get(cardButtonName(wrong)));
        EXPECT_GT(c.red, 15) << "a cross over question " << wrong;
        EXPECT_EQ(c.green, 0) << wrong;
        EXPECT_GT(c.dark, 4) << wrong;
    }
    EXPECT_EQ(f.cardColour(2), QColor(255, 255, 255)) << "marks are shown on white";
    EXPECT_EQ(f.cardColour(10), cardColour(CardState::Current)) << "the current question stays visible";
    f.click(cardButtonName(41));
    EXPECT_EQ(f.cardColour(10), QColor(255, 255, 255));
    EXPECT_EQ(f.cardColour(41), cardColour(CardState::Current));
}

TEST(ReviewedCard, DisabledPlusButtonsOfTheJournalPageAreGreyedNotBlack) {
    ExamWindowFixture f;
    handIn(f);
    f.click(cardButtonName(62));
    ASSERT_EQ(f.window->calcPages()->currentPage(), entry::CalcPage::Journal);
    for (int entry = 1; entry <= entry::kEntryCount; ++entry) {
        auto* plus = f.window->findChild<ui::PictureButton*>(entry::plusButtonName(entry));
        ASSERT_NE(plus, nullptr);
        ASSERT_FALSE(plus->isEnabled());
        const QImage shot = plus->grab().toImage();
        int black = 0;
        int coloured = 0;
        int grey = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QColor p = shot.pixelColor(x, y);
                if (std::max({p.red(), p.green(), p.blue()}) < 40) ++black;
                if (std::max({p.red(), p.green(), p.blue()}) - std::min({p.red(), p.green(), p.blue()}) > 30)
                    ++coloured;
                else if (p.value() < 200)
                    ++grey;
            }
        EXPECT_EQ(black, 0) << "entry " << entry << ": the picture's transparent part shows the button";
        EXPECT_EQ(coloured, 0) << "entry " << entry << ": no blue left";
        EXPECT_GT(grey, 10) << "entry " << entry << ": the plus sign still shows, in grey";
    }
}
