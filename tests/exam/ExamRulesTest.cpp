// The exam's rules apart from its windows: numbering, the card, the countdown, the notice's
// placement and the recording of answers.

#include "MemoryPaperStore.h"
#include "OutcomeValue.h"
#include "bank/Scoring.h"
#include "exam/AnswerCard.h"
#include "exam/Countdown.h"
#include "exam/ExamNoticeDeclaration.h"
#include "exam/ExamWindowDeclaration.h"
#include "exam/PaperRecording.h"
#include "exam/QuestionNumbering.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace Qt::StringLiterals;
using namespace exam;

using bank::falseAnswer;
using bank::QuestionRecord;
using bank::trueAnswer;

TEST(QuestionNumbering, CaptionsAndButtonsFollowTheSectionLimits) {
    const QList<int> ids{1, 20, 21, 25, 41, 60, 62, 0, 63};
    const QStringList captions{u"(单选题第 1 题)"_s,
                               u"(单选题第 20 题)"_s,
                               u"(多选题第 1 题)"_s,
                               u"(多选题第 5 题)"_s,
                               u"(判断题第 1 题)"_s,
                               u"(判断题第 20 题)"_s,
                               u"(计算分析题第 2 题)"_s,
                               QString(),
                               QString()};
    for (qsizetype i = 0; i < ids.size(); ++i)
        EXPECT_EQ(sectionCaption(ids[i]), captions[i]) << ids[i];

    EXPECT_EQ(cardButtonName(1), u"单选1"_s);
    EXPECT_EQ(cardButtonName(40), u"多选20"_s);
    EXPECT_EQ(cardButtonName(45), u"判断题5"_s);
    EXPECT_EQ(cardButtonName(61), u"计算分析题1"_s);
}

TEST(AnswerCardGrid, ButtonsFollowTheGridRuleAndNeverOverlap) {
    EXPECT_EQ(cardButtonRect(1), QRect(8, 67, 20, 20));
    EXPECT_EQ(cardButtonRect(7), QRect(169, 67, 20, 20));
    EXPECT_EQ(cardButtonRect(8), QRect(8, 96, 20, 20));
    EXPECT_EQ(cardButtonRect(20), QRect(142, 125, 20, 20));
    EXPECT_EQ(cardButtonRect(24), QRect(89, 184, 20, 20)); // first multiple-choice row keeps 89
    EXPECT_EQ(cardButtonRect(31), QRect(88, 214, 20, 20)); // later rows move to 88
    EXPECT_EQ(cardButtonRect(44), QRect(88, 299, 20, 20));
    EXPECT_EQ(cardButtonRect(60), QRect(142, 356, 20, 20));
    EXPECT_EQ(cardButtonRect(62), QRect(35, 412, 20, 20));
    for (int a = 1; a <= 62; ++a)
        for (int b = a + 1; b <= 62; ++b)
            ASSERT_FALSE(cardButtonRect(a).intersects(cardButtonRect(b))) << a << " and " << b;
}

TEST(AnswerCard, ExactlyOneCurrentAndFlagsWinOverAnswers) {
    AnswerCard card;
    EXPECT_EQ(card.current(), 1);
    card.setAnswered(5, true);
    card.setAnswered(6, true);
    EXPECT_TRUE(card.toggleFlag(6));
    EXPECT_EQ(card.state(5), CardState::Answered);
    EXPECT_EQ(card.state(6), CardState::Flagged);
    EXPECT_EQ(card.state(7), CardState::Unanswered);
    card.setCurrent(6);
    int current = 0;
    for (int id = 1; id <= 62; ++id)
        current += card.state(id) == CardState::Current;
    EXPECT_EQ(current, 1);
    EXPECT_EQ(card.state(6), CardState::Current);
    EXPECT_FALSE(card.toggleFlag(6)); // a second press clears the flag
    card.setCurrent(1);
    EXPECT_EQ(card.state(6), CardState::Answered);
    card.setCurrent(99);
    EXPECT_EQ(card.current(), 1);
    EXPECT_EQ(cardColour(CardState::Current), QColor(0, 128, 0));
    EXPECT_EQ(cardColour(CardState::Flagged), QColor(255, 128, 0));
    EXPECT_EQ(cardColour(CardState::Answered), QColor(0, 136, 255));
}

namespace {
struct FakeClock {
    std::int64_t now = 5'000'000; // any start: the countdown measures from its own start
    Countdown::Clock clock() {
        return [this] { return now; };
    }
};
} // namespace

TEST(Countdown, StepsOnceASecondAndEndsAtTheHour) {
    FakeClock time;
    Countdown countdown(time.clock());
    countdown.start();
    EXPECT_EQ(countdown.remaining(), 3'600'000);
    time.now += 1000;
    EXPECT_FALSE(countdown.tick());
    EXPECT_EQ(countdown.text(), u"00:59:59"_s);
    int timeUps = 0;
    for (int tick = 2; tick <= 3600; ++tick) {
        time.now += 1000;
        const bool up = countdown.tick();
        timeUps += up;
        if (tick == 3599) {
            EXPECT_FALSE(up);
            EXPECT_EQ(countdown.text(), u"00:00:01"_s);
        }
        if (tick == 3600) {
            EXPECT_TRUE(up);
        }
    }
    EXPECT_EQ(timeUps, 1);
    EXPECT_EQ(countdown.text(), u"00:00:00"_s);
    EXPECT_FALSE(countdown.isRunning());
    time.now += 1000;
    EXPECT_FALSE(countdown.tick()) << "a stopped countdown reports the end once only";
}

TEST(Countdown, FollowsTheClockNotTheNumberOfTicks) {
    FakeClock time;
    Countdown countdown(time.clock());
    countdown.start();
    time.now += 1004; // a tick a little late still shows its own second
    countdown.tick();
    EXPECT_EQ(countdown.text(), u"00:59:59"_s);
    time.now += 950; // and one a little early takes its second too
    countdown.tick();
    EXPECT_EQ(countdown.text(), u"00:59:58"_s);
    time.now += 10 * 60'000; // the machine was busy for ten minutes: the time is gone all the same
    countdown.tick();
    EXPECT_EQ(countdown.text(), u"00:49:59"_s);
    time.now += 50 * 60'000;
    EXPECT_TRUE(countdown.tick()) << "the hour ends on time however few ticks came";
    EXPECT_EQ(Countdown::formatRemaining(3'600'000), u"01:00:00"_s);
    EXPECT_EQ(Countdown::formatRemaining(-5), u"00:00:00"_s);
    EXPECT_EQ(Countdown::formatRemaining(61'000), u"00:01:01"_s);
}

TEST(NoticePlacement, PictureAndButtonCentredAndVisible) {
    for (const QSize client : {QSize(1018, 708), QSize(1024, 740), QSize(1920, 1050), QSize(2560, 1400)}) {
        const NoticePlacement p = placeNotice(client);
        EXPECT_EQ(p.picture.center().x(), p.button.center().x()) << client.width();
        EXPECT_LE(std::abs(p.picture.center().x() - client.width() / 2), 1);
        EXPECT_GT(p.button.top(), p.picture.bottom());
        EXPECT_GE(p.picture.top(), 48) << "below the band";
        EXPECT_TRUE(QRect(QPoint(), client).contains(p.picture.united(p.button))) << client.width();
    }
}

TEST(PaperRecording, ScoresChoicesAgainstTheStandardAndReplacesEarlierAnswers) {
    MemoryPaperStore store(u"tm3"_s, samplePaper(3));
    const QString standard = store.readQuestion(25)->da; // "AB"... any multiple-choice answer
    EXPECT_EQ(valueOf(recordChoice(store, 25, u"ABCD"_s == standard ? u"A"_s : u"ABCD"_s)), 0);
    EXPECT_EQ(valueOf(recordChoice(store, 25, standard)), 2);
    EXPECT_EQ(store.readQuestion(25)->xxda, standard);
    EXPECT_EQ(store.readQuestion(25)->fen, u"2"_s);
    EXPECT_EQ(valueOf(recordChoice(store, 3, store.readQuestion(3)->da)), 1);
    EXPECT_EQ(valueOf(recordChoice(
                  store, 41, store.readQuestion(41)->da == trueAnswer() ? falseAnswer() : trueAnswer())),
              0);
    EXPECT_EQ(*store.sumScores(), 3);
    // Unticking every box empties the answer; it no longer counts as answered.
    EXPECT_EQ(valueOf(recordChoice(store, 25, QString())), 0);
    EXPECT_FALSE(hasAnswer(*store.readQuestion(25)));
    EXPECT_FALSE(recordChoice(store, 3, u"E"_s)) << "not a value of the kind";
    EXPECT_FALSE(recordChoice(store, 61, u"A"_s)) << "a calculation question takes no letter";
}

TEST(PaperRecording, CalculationScoresTwoPerMatchingField) {
    MemoryPaperStore store(u"tm3"_s, samplePaper(3));
    const QuestionRecord q = *store.readQuestion(61);
    QStringList answers(q.standards.begin(), q.standards.end());
    answers[2] = u"301"_s;
    answers[4] = QString();
    EXPECT_EQ(valueOf(recordCalculation(store, 61, answers)), 6);
    EXPECT_TRUE(hasAnswer(*store.readQuestion(61)));
    EXPECT_EQ(store.readQuestion(61)->fen, u"6"_s);
    EXPECT_FALSE(recordCalculation(store, 60, answers));
}

TEST(PaperRecording, AFailedWriteIsReportedAndChangesNothing) {
    MemoryPaperStore store(u"tm3"_s, samplePaper(3));
    store.failWrites();
    EXPECT_FALSE(recordChoice(store, 1, u"A"_s).reason().isEmpty());
    EXPECT_TRUE(store.readQuestion(1)->xxda.isEmpty());
}
