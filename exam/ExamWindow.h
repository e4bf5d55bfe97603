#pragma once

#include "bank/QuestionRecord.h"
#include "exam/AnswerCard.h"
#include "exam/CardView.h"
#include "exam/Countdown.h"
#include "exam/ExamAttemptRecord.h"
#include "exam/ExamNames.h"
#include "exam/PaperStore.h"
#include "question/QuestionPage.h"
#include "question/Zoom.h"
#include "study/ExamReview.h"
#include "ui/UnreadableQuestionNotice.h"
#include "ui/WindowBuilder.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

class QCheckBox;

namespace entry {
class CalcPages;
}

namespace question {
class MarkButtons;
}

namespace exam {

// The window in which one paper is worked: one question at a time, the answer card of 62 number
// buttons, the hour's countdown, submission and, once submitted, the review of each question.
// Answers go to the paper's table the moment they are given; the window keeps only the current
// question, the flags and the card's colours. Opening and closing it clear the paper; the first
// write that fails is told to the candidate. The window moves between questions, records answers
// and hands the paper in; the question page shows the question, CardView the card, and
// AttemptRecord keeps the attempt in the study record.
class ExamWindow final : public QWidget {
    Q_OBJECT
public:
    static inline const QString kFirstReached = QStringLiteral("当前已是第一题!");
    static inline const QString kLastReached = QStringLiteral("已是最后一题!");
    static inline const QString kConfirmSubmit = QStringLiteral("确定要交卷吗?");
    // "还有 2 题标记为待查，确定要交卷吗?"
    static QString confirmSubmitWithFlags(int flagged);
    static inline const QString kTimeUp = QStringLiteral("答题时间已到,已自动交卷.");
    static inline const QString kConfirmClose =
        QStringLiteral("尚未交卷，关闭后本次作答将被清除。确定关闭吗?");
    static inline const QString kResultTitle = QStringLiteral("评分");
    // "你本次考试的得分为:\r\n\r\n86 分"
    static QString resultText(int total);

    static inline const QString kOnlyWrong = QStringLiteral("只看错题");
    static inline const QString kScores = QStringLiteral("成绩标签");
    static inline const QString kNoneWrong = QStringLiteral("这次考试没有答错的题。");
    // "单选 18 分　多选 14 分　判断 8 分　计算分析 10 分\n总分 50 分（未及格，60 分及格）"
    static QString scoresText(const study::ExamHistoryEntry& attempt);

    // Loads the paper, shows question 1 and starts the countdown on `clock`: the hour, or for an
    // attempt `resumed` after an interruption the time it had left, with its answers kept.
    explicit ExamWindow(std::unique_ptr<PaperStore> store, Countdown::Clock clock = Countdown::steadyClock(),
                        QWidget* parent = nullptr, std::optional<study::ExamInProgress> resumed = {});
    // A past attempt reviewed: its paper as it was handed in, read-only, the card green and red for
    // right and wrong, the section scores and the pass line over it, and 只看错题 to walk only the
    // questions answered wrong. No countdown runs and nothing is written.
    explicit ExamWindow(const study::ExamReview& review, QWidget* parent = nullptr);
    ~ExamWindow() override;

    void showDeclared();
    const ui::Built& controls() const { return m_controls; }
    PaperStore& store() { return *m_store; }
    const AnswerCard& card() const { return m_card; }
    int currentQuestion() const { return m_card.current(); }
    const Countdown& countdown() const { return m_countdown; }
    bool isCountdownTimerActive() const { return m_timer.isActive(); }
    bool isSubmitted() const { return m_submitted; }
    // The answer window opened by 答案解析 while it is open.
    QWidget* reviewWindow() const { return m_review; }
    entry::CalcPages* calcPages() const { return m_page->calcPages(); }
    int zoomStep() const { return m_zoom.zoom().step(); }
    // Where the handed-in attempt is kept; the per-user study record unless a test gives its own.
    void setStudyRecordPath(const QString& path) { m_attempt.setPath(path); }

    void showQuestion(int id);
    void showFirst();
    void showPrevious();
    void showNext();
    void showLast();
    void toggleFlag();
    void requestSubmission();
    // Hands the paper in without asking and shows the total: the candidate chose to hand in an
    // interrupted attempt as it stands.
    void handInAsItStands();
    void tick();
    void openReview();
    // Only the questions answered wrong are shown and walked; a past attempt's review only.
    void setOnlyWrong(bool only);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setUp();
    void addPastReviewControls(const study::ExamHistoryEntry& attempt);
    bool isWalked(int id) const;
    // The first question walked from `from` on in steps of `step` (±1); 0 when there is none.
    int walkedFrom(int from, int step) const;
    void connectControls();
    void connectAnswerControls();
    void makeKeyboardReachable();
    void loadPaper(const std::optional<study::ExamInProgress>& resumed);
    void putAnswerBack();
    // After a write, what the table now holds: the card on success, the page as well on failure.
    void showRecorded(int id, const common::Outcome<int>& recorded);
    void answerChoice(const QString& value);
    void answerCalculation();
    void keepTypedAnswer();
    void refreshAnswered(int id);
    void showStoredAnswer(int id);
    void reviewCard();
    void submit();
    void handIn();
    void showResult();
    void keepProgress();
    void setAnswersEditable(bool editable);
    void clearPaper();
    void addMarks();

    std::unique_ptr<PaperStore> m_store;
    ui::Built m_controls;
    question::QuestionPage* m_page = nullptr;
    bank::QuestionRecord m_question;
    AnswerCard m_card;
    CardView m_cardView{m_controls, m_card};
    Countdown m_countdown;
    QTimer m_timer;
    ui::UnreadableQuestionNotice m_unreadable;
    QPointer<QWidget> m_review;
    question::MarkButtons* m_marks = nullptr; // once handed in
    std::optional<int> m_total;
    AttemptRecord m_attempt{this, *m_store};
    // From two steps smaller to five larger than declared, the question text and all option captions.
    question::ZoomedText m_zoom{{-2, 5},
                                QStringList{names::kQuestionText} + names::kTrueFalseOptions +
                                    names::kSingleOptions + names::kMultipleOptions};
    QCheckBox* m_onlyWrong = nullptr; // a past attempt's review only
    bool m_submitted = false;
    bool m_cleared = false; // the paper cleared, or kept for the next start
};

} // namespace exam
