#pragma once

#include "bank/QuestionBank.h"
#include "bank/QuestionRecord.h"
#include "bank/QuestionTable.h"
#include "bank/QuestionType.h"
#include "practice/PracticeNames.h"
#include "practice/PracticeRound.h"
#include "practice/PracticeWindowDeclaration.h"
#include "practice/RoundSummary.h"
#include "practice/RoundTally.h"
#include "question/QuestionPage.h"
#include "question/Zoom.h"
#include "study/StudyRecord.h"
#include "ui/UnreadableQuestionNotice.h"
#include "ui/WindowBuilder.h"

#include <QHash>
#include <QList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace entry {
class CalcPages;
}

namespace question {
class MarkButtons;
}

namespace practice {

// The candidate works through the practice questions of one type, one at a time. Every answer is
// written to the bank the moment it is given, with its score; the window keeps no answer of its
// own. Opening and closing it clear the type's table, so each opening starts unanswered also after
// a run that ended without closing it. The first write that fails is told to the candidate.
class PracticeWindow final : public QWidget {
    Q_OBJECT
public:
    // Opens the bank at `bankPath` with a connection of its own and shows the first question of
    // the type's practice table. A bank or table that cannot be read leaves the window empty.
    PracticeWindow(bank::QuestionType type, const QString& bankPath, QWidget* parent = nullptr);
    // Graded answers also go to the study record at `studyPath`. With `onlyQuestions`, the window
    // walks those questions of the table in that order instead of the whole table.
    PracticeWindow(bank::QuestionType type, const QString& bankPath, const QString& studyPath,
                   std::optional<QList<int>> onlyQuestions, QWidget* parent = nullptr);
    // A round as `plan` says: a chapter, only unanswered questions, a shuffled order, or a list.
    // A round that resumes opens at the question the candidate left it at.
    PracticeWindow(bank::QuestionType type, const QString& bankPath, const QString& studyPath, RoundPlan plan,
                   QWidget* parent = nullptr);
    ~PracticeWindow() override;

    // The window for `type` over the bank at `bankPath`, modal over `mainWindow`, maximized; it
    // deletes itself when closed.
    static PracticeWindow* open(bank::QuestionType type, QWidget* mainWindow,
                                const QString& bankPath = bank::QuestionBank::defaultPath());
    static PracticeWindow* open(bank::QuestionType type, const RoundChoice& choice, QWidget* mainWindow,
                                const QString& bankPath,
                                const QString& studyPath = study::StudyRecord::defaultPath());
    // A round of the listed questions of the type's table, as open() does.
    static PracticeWindow* openList(bank::QuestionType type, const QList<int>& questions, QWidget* mainWindow,
                                    const QString& bankPath, const QString& studyPath);
    // Practice over the type's questions in the wrong-answer book, as open() does; with none,
    // says so over `mainWindow` and opens nothing (nullptr).
    static PracticeWindow* openWrongAnswers(bank::QuestionType type, QWidget* mainWindow,
                                            const QString& bankPath,
                                            const QString& studyPath = study::StudyRecord::defaultPath());
    static inline const QString kEmptyWrongBook = QStringLiteral("错题本中没有该题型的题目。");
    static inline const QString kNoStarred = QStringLiteral("该题型还没有收藏的题目。");
    // A round of the type's starred questions, as openWrongAnswers() does.
    static PracticeWindow* openStarred(bank::QuestionType type, QWidget* mainWindow, const QString& bankPath,
                                       const QString& studyPath);
    // "答案已提交，得 6 分": shown beside 提交答案 once the answer is recorded.
    static QString submittedNote(int score);
    // "第 3 / 36 题 · 会计凭证": where the question stands in the round, and the drilled chapter.
    static QString positionText(int position, int count, const QString& chapter);
    static inline const QString kFromStartButton = QStringLiteral("从第 1 题开始");
    static inline const QString kJumpField = QStringLiteral("题号");

    bank::QuestionType type() const { return m_type; }
    const ui::Built& controls() const { return m_controls; }
    // The current question as last read from the bank; empty (ID 0) when the table has none.
    const bank::QuestionRecord& question() const { return m_question; }
    bool hasQuestion() const { return m_hasQuestion; }
    int questionPixels() const { return m_zoom.zoom().pixels(question::kQuestionTextPixels); }
    entry::CalcPages* calcPages() const { return m_page->calcPages(); }

    void showPrevious();
    void showNext();
    void showFirst();
    // Question `position` (from 1) of the round; a number outside it is told.
    void jumpTo(int position);
    const RoundTally& tally() const { return m_tally; }
    question::ZoomedText& zoom() { return m_zoom; }
    // The answer window of the current question as the bank holds it now, modal over this window;
    // nullptr without a question.
    question::AnswerWindow* openAnswerWindow();
    question::MarkButtons* marks() const { return m_marks; }

Q_SIGNALS:
    // The candidate went on from the round's last question, saw its summary and did not choose to
    // redo its wrong answers.
    void roundCompleted();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static PracticeWindow* showOver(PracticeWindow* window);
    static PracticeWindow* openHashed(bank::QuestionType type, const QStringList& hashes,
                                      const QString& noneText, QWidget* mainWindow, const QString& bankPath,
                                      const QString& studyPath);
    void findControls();
    void connectControls();
    void openTable(const QString& bankPath);
    void readCurrent();
    bool reloadQuestion();
    void showQuestion();
    void showEmpty();
    void showPage(int page);
    void putBackAnswer();
    void clearOptions();
    void setAnswerControlsEnabled(bool enabled);
    void recordChoice(const QString& value);
    // 提交答案 pressed, which is told; or typed answers kept as the candidate leaves the question.
    enum class Submission { Pressed, OnLeaving };
    void submitCalc(Submission how);
    // Shows what the bank holds after a write; a graded answer joins the study record.
    void showRecorded(const common::Outcome<int>& score, bool answered);
    void keepTypedAnswer();
    void placePositionLabel();
    void showPosition();
    void keepInStudyRecord(const common::Outcome<int>& score);
    void tellStudyNotice();
    void stepBy(int step);
    common::Outcome<bool> moveTo(const std::function<common::Outcome<bool>()>& move);
    void walkTheBarAsItReads();
    void addRoundControls();
    void placeRoundControls();
    common::Outcome<> orderRound();
    qsizetype resumeIndex();
    void keepResumePoint();
    RoundFigures roundFigures();
    void offerSummary();
    bool walksList() const { return m_plan.onlyQuestions || !m_plan.choice.walksWholeTable(); }
    common::Outcome<bool> atListed(qsizetype index);
    void tableUnreadable(const QString& reason);
    void stepAfterEnd();
    void finish();

    bank::QuestionType m_type;
    QString m_table;
    QString m_bankPath;
    bank::QuestionBank m_bank;
    std::unique_ptr<bank::QuestionTable> m_questions; // the type's table through m_bank
    ui::UnreadableQuestionNotice m_unreadable;
    bank::QuestionRecord m_question;
    QList<int> m_questionNumbers; // the table's questions in the order the window walks them
    RoundPlan m_plan;
    quint32 m_seed;
    RoundTally m_tally;
    QHash<int, QString> m_answeredHashes;
    bool m_summaryShown = false;
    QList<int> m_redo; // the wrong answers to practise again once this window has closed
    std::unique_ptr<study::StudyRecord> m_study;
    bool m_hasQuestion = false;
    bool m_restoring = false; // options are being set from the bank, not by the candidate
    bool m_finished = false;
    // From two steps smaller to seven larger than declared: the question text 10 to 28 px, and the
    // option rows still hold one line of their largest caption. The true/false choices keep their size.
    question::ZoomedText m_zoom{
        {-2, 7}, QStringList{names::kQuestionText} + names::kSingleOptions + names::kMultipleOptions};

    ui::Built m_controls;
    question::QuestionPage* m_page = nullptr;
    QLabel* m_position = nullptr;
    QPushButton* m_fromStart = nullptr;
    QLineEdit* m_jumpField = nullptr;
    question::MarkButtons* m_marks = nullptr;
};

} // namespace practice
