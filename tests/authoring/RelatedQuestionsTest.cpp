// RE tags: read from the sources, and kept apart by the paper draw.
#include "OutcomeValue.h"
#include "SampleBank.h"
#include "authoring/BankCompiler.h"
#include "authoring/PaperDraw.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QSet>

using namespace Qt::StringLiterals;
using namespace authoring;

using bank::QuestionType;

TEST(RelatedQuestions, TagsAreReadAndTheirFormChecked) {
    const QString text =
        u"CH: 会计要素与等式\nTM: 预收账款属于企业的负债要素。\nDA: 正确\nRE: 预收账款归类 负债要素\nJX: "
        u"j\n\n"
        u"CH: 会计要素与等式\nTM: 预付账款属于企业的资产要素。\nDA: 正确\nJX: j\n\n"
        u"CH: 会计要素与等式\nTM: 应收票据属于企业的资产要素。\nDA: 正确\nRE: 资产要素  票据\nJX: j\n"_s;
    const ParsedSource parsed = parseBankSource(text, u"panduan.txt"_s, QuestionType::TrueFalse);
    EXPECT_EQ(parsed.problems, QStringList{u"panduan.txt:15: RE tags are separated by single blanks"_s});
    ASSERT_EQ(parsed.questions.size(), 3);
    EXPECT_EQ(parsed.questions[0].related, (QStringList{u"预收账款归类"_s, u"负债要素"_s}));
    EXPECT_TRUE(parsed.questions[1].related.isEmpty());
}

TEST(RelatedQuestions, PapersKeepTaggedQuestionsApartAndHoldEveryChapter) {
    // Sample pools of 60 questions a kind: every third question shares a tag with its counterparts of the
    // same number in the other kinds, and two in five share one with their neighbour of the same kind.
    const SampleSources sample = sampleSources(60, 10);
    QuestionPools pools{
        parseBankSource(sample.danxuan, u"danxuan.txt"_s, QuestionType::SingleChoice).questions,
        parseBankSource(sample.duoxuan, u"duoxuan.txt"_s, QuestionType::MultipleChoice).questions,
        parseBankSource(sample.panduan, u"panduan.txt"_s, QuestionType::TrueFalse).questions,
        parseBankSource(sample.fenxi, u"fenxi.txt"_s, QuestionType::Calculation).questions};
    for (std::size_t kind = 0; kind < 3; ++kind)
        for (int i = 0; i < 60; ++i) {
            if (i % 3 == 0) pools[kind][i].related.append(u"题组%1"_s.arg(i));
            if (i % 5 < 2) pools[kind][i].related.append(u"对照%1-%2"_s.arg(kind).arg(i / 5));
        }
    const common::Outcome<Papers> drawn = drawPapers(pools);
    ASSERT_EQ(reasonOf(drawn), QString());
    for (std::size_t p = 0; p < drawn->size(); ++p) {
        QHash<QString, int> tagged;
        QSet<QString> chapters;
        for (const PaperQuestion& question : (*drawn)[p]) {
            const SourceQuestion& source = pools[static_cast<std::size_t>(question.type)][question.poolIndex];
            chapters.insert(source.chapter);
            for (const QString& tag : source.related)
                EXPECT_EQ(++tagged[tag], 1)
                    << "paper " << p + 1 << " holds tag " << tag.toStdString() << " twice";
        }
        EXPECT_EQ(chapters.size(), chapterTags().size()) << "paper " << p + 1;
    }
}
