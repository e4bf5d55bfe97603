#pragma once

#include "PracticeWindowDeclaration.h"
#include "QuestionBank.h"
#include "QuestionRecord.h"
#include "QuestionType.h"
#include "StudyRecord.h"
#include "UnsavedAnswersNotice.h"
#include "WindowBuilder.h"

#include <QList>
#include <QWidget>

#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QRadioButton;

namespace entry {
class CalcPages;
}
namespace ui {
class TabControl;
}

namespace practice {

class AnswerWindow;

// The candidate works through the practice questions of one type, one at a time. Every answer is
// written to the bank the moment it is given, with its score; the window keeps no answer of its
// own. Opening and closing it clear the type's table, so each opening starts unanswered also after
// a run that ended without closing it. The first write that fails is told to the candidate.
class PracticeWindow final : public QWidget {
    Q_OBJECT
public:
    // Zoom of the question text: steps of 2 px between 10 and 28 px (the option rows still hold
    // one line of their largest caption).
    static constexpr int kZoomStep = 2;
    static constexpr int kMinPixels = 10;
    static constexpr int kMaxPixels = 28;

    // Opens the bank at `bankPath` with a connection of its own and shows the first question of
    // the type's practice table. A bank or table that cannot be read leaves the window empty.
    PracticeWindow(bank::QuestionType type, const QString& bankPath, QWidget* parent = nullptr);
    // Graded answers also go to the study record at `studyPath`. With `onlyQuestions`, the window
    // walks those questions of the table in that order instead of the whole table.
    PracticeWindow(bank::QuestionType type, const QString& bankPath, const QString& studyPath,
                   std::optional<QList<int>> onlyQuestions, QWidget* parent = nullptr);
    ~PracticeWindow() override;

    // The window for `type` over the bank at `bankPath`, modal over `mainWindow`, maximized; it
    // deletes itself when closed.
    static PracticeWindow* open(bank::QuestionType type, QWidget* mainWindow,
                                const QString& bankPath = bank::QuestionBank::defaultPath());
    // Practice over the type's questions in the wrong-answer book, as open() does; with none,
    // says so over `mainWindow` and opens nothing (nullptr).
    static PracticeWindow* openWrongAnswers(bank::QuestionType type, QWidget* mainWindow,
                                            const QString& bankPath,
                                            const QString& studyPath = study::StudyRecord::defaultPath());
    static inline const QString kEmptyWrongBook = QStringLiteral("错题本中没有该题型的题目。");

    bank::QuestionType type() const { return m_type; }
    const ui::Built& controls() const { return m_controls; }
    // The current question as last read from the bank; empty (ID 0) when the table has none.
    const bank::QuestionRecord& question() const { return m_question; }
    bool hasQuestion() const { return m_hasQuestion; }
    int questionPixels() const { return m_questionPixels; }
    entry::CalcPages* calcPages() const { return m_calc; }

    void showPrevious();
    void showNext();
    void zoomIn();
    void zoomOut();
    void zoomReset();
    // PracticeAnswerWindow or PracticeCalcAnswerWindow for the current question as the bank holds
    // it now, modal over this window; nullptr without a question.
    AnswerWindow* openAnswerWindow();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static PracticeWindow* showOver(PracticeWindow* window);
    void findControls();
    void connectControls();
    void openTable(const QString& bankPath);
    void readCurrent();
    bool reloadQuestion();
    void showQuestion();
    void showEmpty();
    int pageOfQuestion() const;
    void showPage(int page);
    void setOptionCaptions();
    void putBackAnswer();
    void clearOptions();
    void setAnswerControlsEnabled(bool enabled);
    void recordChoice(const QString& value);
    void submitCalc();
    void keepTypedAnswer();
    void placePositionLabel();
    void showPosition();
    void writeFailed(const QString& error);
    void keepInStudyRecord(std::optional<int> score);
    void tellStudyNotice();
    bool stepBy(int step);
    void stepAfterEnd();
    void applyZoom();
    void finish();

    bank::QuestionType m_type;
    QString m_table;
    QString m_bankPath;
    bank::QuestionBank m_bank;
    ui::UnsavedAnswersNotice m_unsaved;
    bank::QuestionRecord m_question;
    QList<int> m_questionNumbers; // the table's questions in the order the window walks them
    std::optional<QList<int>> m_onlyQuestions;
    std::unique_ptr<study::StudyRecord> m_study;
    bool m_hasQuestion = false;
    bool m_restoring = false; // options are being set from the bank, not by the candidate
    bool m_finished = false;
    int m_questionPixels = kQuestionPixels;

    ui::Built m_controls;
    ui::TabControl* m_tabs = nullptr;
    QPlainTextEdit* m_questionBox = nullptr;
    QLabel* m_position = nullptr;
    QList<QRadioButton*> m_single;
    QList<QCheckBox*> m_multiple;
    QList<QRadioButton*> m_trueFalse;
    entry::CalcPages* m_calc = nullptr;
};

} // namespace practice
