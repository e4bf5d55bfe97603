#include "authoring/PaperDraw.h"
#include "OutcomeValue.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace authoring;

using bank::amountsCalcType;
using bank::journalCalcType;
using bank::paperCount;
using bank::paperQuestionType;
using bank::QuestionType;

namespace {

// A pool of `size` questions of a kind, spread over the chapters round-robin (or all in the first).
QList<SourceQuestion> pool(QuestionType type, int size, const QString& prefix, bool oneChapter = false) {
    QList<SourceQuestion> questions;
    for (int i = 0; i < size; ++i) {
        SourceQuestion question;
        question.record.id = i + 1;
        question.record.tm = prefix + QString::number(i);
        question.chapter = chapterTags()[oneChapter ? 0 : i % chapterTags().size()];
        if (type == QuestionType::Calculation)
            question.record.tx = i % 2 == 0 ? amountsCalcType() : journalCalcType();
        questions.append(question);
    }
    return questions;
}

QuestionPools pools(int choiceSize, int calcSize) {
    return {pool(QuestionType::SingleChoice, choiceSize, u"单"_s),
            pool(QuestionType::MultipleChoice, choiceSize, u"多"_s),
            pool(QuestionType::TrueFalse, choiceSize, u"判"_s),
            pool(QuestionType::Calculation, calcSize, u"算"_s)};
}

const SourceQuestion& sourceOf(const QuestionPools& pools, const PaperQuestion& question) {
    return pools[static_cast<std::size_t>(question.type)][question.poolIndex];
}

} // namespace

TEST(PaperDraw, EveryPaperHasItsSectionsWithoutRepeatedTexts) {
    QuestionPools given = pools(45, 6);
    // The same text in two kinds must still appear once per paper.
    for (int i = 0; i < 45; ++i)
        given[2][i].record.tm = given[0][i].record.tm;
    const common::Outcome<Papers> drawn = drawPapers(given);
    ASSERT_EQ(reasonOf(drawn), QString());
    for (const Paper& paper : *drawn) {
        ASSERT_EQ(paper.size(), 62);
        QSet<QString> texts;
        for (int id = 1; id <= 62; ++id) {
            const PaperQuestion& question = paper[id - 1];
            EXPECT_EQ(question.type, paperQuestionType(id));
            texts.insert(sourceOf(given, question).record.tm);
        }
        EXPECT_EQ(texts.size(), 62);
        EXPECT_EQ(sourceOf(given, paper[60]).record.tx, amountsCalcType());
        EXPECT_EQ(sourceOf(given, paper[61]).record.tx, journalCalcType());
    }
}

TEST(PaperDraw, SamePoolsSamePapersAndNoTwoPapersAlike) {
    const QuestionPools given = pools(60, 10);
    const common::Outcome<Papers> first = drawPapers(given);
    const common::Outcome<Papers> second = drawPapers(given);
    ASSERT_EQ(reasonOf(first), QString());
    ASSERT_EQ(reasonOf(second), QString());
    EXPECT_EQ(*first, *second);
    for (int a = 0; a < paperCount; ++a)
        for (int b = a + 1; b < paperCount; ++b) {
            Paper left = (*first)[static_cast<std::size_t>(a)], right = (*first)[static_cast<std::size_t>(b)];
            const auto order = [](const PaperQuestion& x, const PaperQuestion& y) {
                return std::pair(x.type, x.poolIndex) < std::pair(y.type, y.poolIndex);
            };
            std::sort(left.begin(), left.end(), order);
            std::sort(right.begin(), right.end(), order);
            EXPECT_NE(left, right) << "papers " << a + 1 << " and " << b + 1;
        }
}

TEST(PaperDraw, ChaptersAndQuestionsAreUsedEvenly) {
    const QuestionPools given = pools(80, 8); // ten questions per chapter
    const common::Outcome<Papers> drawn = drawPapers(given);
    ASSERT_EQ(reasonOf(drawn), QString());
    QHash<QString, int> uses;
    for (const Paper& paper : *drawn) {
        QHash<QString, int> perChapter; // within the single-choice section
        for (int id = 1; id <= 20; ++id)
            ++perChapter[sourceOf(given, paper[id - 1]).chapter];
        for (const QString& chapter : chapterTags())
            EXPECT_TRUE(perChapter.value(chapter) >= 2 && perChapter.value(chapter) <= 3)
                << chapter.toStdString() << " " << perChapter.value(chapter);
        for (const PaperQuestion& question : paper)
            ++uses[sourceOf(given, question).record.tm];
    }
    // 400 draws from 80 questions: five each.
    for (const SourceQuestion& question : given[0])
        EXPECT_EQ(uses.value(question.record.tm), 5) << question.record.tm.toStdString();
}

TEST(PaperDraw, TooSmallPoolsAreReported) {
    EXPECT_EQ(reasonOf(drawPapers(pools(19, 6))),
              u"the danxuan questions cannot fill paper 1 with 20 different, unrelated questions"_s);
    QuestionPools noJournal = pools(30, 6);
    for (SourceQuestion& question : noJournal[3])
        question.record.tx = amountsCalcType();
    EXPECT_EQ(reasonOf(drawPapers(noJournal)),
              u"the 计算分析题-分录 questions cannot fill paper 1 with 1 different, unrelated questions"_s);
    // Twenty single-choice texts that the true/false pool shares leave it unable to fill a paper.
    QuestionPools shared = pools(20, 6);
    shared[2] = pool(QuestionType::TrueFalse, 20, u"单"_s, true);
    EXPECT_FALSE(drawPapers(shared).ok());
}
