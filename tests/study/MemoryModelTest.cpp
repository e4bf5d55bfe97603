#include "study/MemoryModel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <random>
#include <vector>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace study::memory;

namespace {

using History = std::vector<GradedDay>;

// Histories shaped like a candidate's: mostly right, some wrong, a few right only after the
// explanation, reviews on the same day, the next day or after weeks away; one in ten uses Easy.
std::vector<History> generatedHistories(int count) {
    std::mt19937 random(20261210);
    std::discrete_distribution<int> grade({25, 10, 60, 5});
    std::discrete_distribution<int> gapKind({15, 35, 35, 15});
    std::vector<History> histories;
    for (int h = 0; h < count; ++h) {
        History history;
        int day = 20000 + static_cast<int>(random() % 300);
        const int reviews = 1 + static_cast<int>(random() % 12);
        for (int r = 0; r < reviews; ++r) {
            history.push_back({day, Grade(grade(random) + 1)});
            const int kind = gapKind(random);
            day += kind == 0   ? 0
                   : kind == 1 ? 1 + static_cast<int>(random() % 3)
                   : kind == 2 ? 3 + static_cast<int>(random() % 20)
                               : 20 + static_cast<int>(random() % 200);
        }
        histories.push_back(history);
    }
    return histories;
}

QJsonArray referenceReplay(const std::vector<History>& histories) {
    QJsonArray input;
    for (const History& history : histories) {
        QJsonArray reviews;
        for (const GradedDay& r : history)
            reviews.append(QJsonObject{{u"day"_s, r.day}, {u"grade"_s, static_cast<int>(r.grade)}});
        input.append(reviews);
    }
    QProcess node;
    node.start(u"node"_s, {QStringLiteral(VELMORA_ORACLE_DIR "/fsrs.mjs")});
    node.write(QJsonDocument(input).toJson(QJsonDocument::Compact));
    node.closeWriteChannel();
    EXPECT_TRUE(node.waitForFinished(60000)) << node.errorString().toStdString();
    EXPECT_EQ(node.exitCode(), 0) << node.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(node.readAllStandardOutput()).array();
}

} // namespace

TEST(MemoryModel, GivesTheReferenceIntervalsAndStatesForGeneratedHistories) {
    const std::vector<History> histories = generatedHistories(200);
    const QJsonArray reference = referenceReplay(histories);
    ASSERT_EQ(reference.size(), 200);
    for (size_t h = 0; h < histories.size(); ++h) {
        const History& history = histories[h];
        const QJsonObject expected = reference[static_cast<int>(h)].toObject();
        const QJsonArray intervals = expected[u"intervals"_s].toArray();
        ASSERT_EQ(intervals.size(), static_cast<int>(history.size()));
        for (size_t r = 1; r <= history.size(); ++r) {
            const auto card = replay(std::span(history).first(r));
            ASSERT_TRUE(card);
            EXPECT_EQ(card->dueDay - card->lastDay, intervals[static_cast<int>(r - 1)].toInt())
                << "history " << h << ", review " << r;
        }
        const auto card = replay(history);
        EXPECT_NEAR(card->state.stability, expected[u"stability"_s].toDouble(), 1e-6) << "history " << h;
        EXPECT_NEAR(card->state.difficulty, expected[u"difficulty"_s].toDouble(), 1e-6) << "history " << h;
    }
}

TEST(MemoryModel, AWrongAnswerComesBackSoonerThanARightOneAndAnEmptyHistoryHasNoCard) {
    const History right = {{100, Grade::Good}, {103, Grade::Good}};
    const History wrong = {{100, Grade::Good}, {103, Grade::Again}};
    const History hard = {{100, Grade::Good}, {103, Grade::Hard}};
    EXPECT_LT(replay(wrong)->dueDay, replay(hard)->dueDay);
    EXPECT_LT(replay(hard)->dueDay, replay(right)->dueDay);
    EXPECT_FALSE(replay({}));
}
