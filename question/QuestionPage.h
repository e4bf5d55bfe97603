#pragma once

#include "bank/QuestionRecord.h"
#include "bank/QuestionType.h"
#include "common/Outcome.h"
#include "question/AnswerWindowDeclarations.h"
#include "question/OptionControls.h"
#include "question/QuestionLayout.h"
#include "ui/AnswerKeys.h"
#include "ui/Declaration.h"
#include "ui/UnsavedAnswersNotice.h"
#include "ui/WindowBuilder.h"

#include <QLoggingCategory>
#include <QObject>

#include <array>
#include <functional>
#include <optional>

namespace entry {
class CalcPages;
}
namespace ui {
class TabControl;
}

namespace question {

class AnswerWindow;

// Design character height of the question text.
inline constexpr int kQuestionTextPixels = 14;
// What a screen reader calls the question text: the box has no caption of its own.
inline const QString kQuestionTextName = QStringLiteral("题目");

// How a window declares its question area; the rest of it is alike in both windows.
struct QuestionAreaShape {
    int questionWidth = 0;
    bool hideSelection = false; // of the question text while it has no focus
    bool separatorTabStop = true;
    int pagesWidth = 0; // of the answer pages' tab control
    int optionWidth = 0;
    std::optional<QColor> background{};
    // What the options read before a question gives them its own captions.
    QString singleCaption{};
    QString multipleCaption{};
    std::array<QString, 2> trueFalseCaptions{};
};

// A window that shows a question page, titled `title`: 950 × 655, sizable, opens maximized, white.
ui::WindowDeclaration questionWindowDeclaration(const QString& title);

// The question area as declared: the question text, the separator under it, and the answer pages'
// tab control with the option controls of its single-choice, multiple-choice and true/false pages.
void appendQuestionArea(ui::Declaration& d, const QuestionAreaShape& shape);

// The page of the answer pages that answers a question of `type`; a calculation-analysis
// question's page follows its type text.
names::AnswerPage answerPage(bank::QuestionType type, const QString& typeText);

// The answer window of `question`, of `type`, modal over `opener` and gone once closed. With a
// study record (`studyPath`) it opens where AnswerWindow::showPlaced puts it, else centred.
AnswerWindow* openAnswerWindow(AnswerVariant variant, bank::QuestionType type,
                               const bank::QuestionRecord& question, QWidget* opener,
                               const QString& studyPath = {});

// What the practice and the exam window both do with the question on screen: its text, the
// answer pages with their options and the calculation pages, the option relayout, recording an
// answer and telling the candidate when it could not be stored. A click on a multiple-choice or
// true/false option gives choiceGiven(), 提交答案 calcSubmitted(); single choices record
// differently in the two windows, which wire them.
class QuestionPage final : public QObject {
    Q_OBJECT
public:
    using LogCategory = const QLoggingCategory& (*)();

    // Builds the calculation pages into the answer pages of `window`'s `controls`.
    QuestionPage(QWidget* window, const ui::Built& controls, AnswerVariant variant, LogCategory log);

    OptionControls& options() { return m_options; }
    entry::CalcPages* calcPages() const { return m_calc; }
    ui::TabControl* answerPages() const { return m_pages; }
    // The calculation pages take their declared place in the Tab order, after the true/false page.
    void placeCalcTabStops();
    // The controls the answer keys press: the options of each page and the bar's moves.
    static ui::AnswerControls answerKeyControls();

    // The question text from its start, the options' captions and the answer the bank holds.
    void show(const bank::QuestionRecord& question, bank::QuestionType type);
    // The page of the question's kind to the front, with the answer the bank holds on it.
    void showAnswer(const bank::QuestionRecord& question, bank::QuestionType type);
    void setAnswersEnabled(bool enabled);
    // The shared blocks placed for a client of `client` size; long options use the width gained.
    void relayout(QSize client, const AreaRules& rules) const;

    // Writes an answer (`write`), then has the window show what the bank now holds (`showStored`,
    // told whether the write succeeded) before a failure is told to the candidate, once per window:
    // nothing looks given that is not stored. `what` names the answer in the log. The score, once stored.
    std::optional<int> recordAndTell(const QString& what, const std::function<common::Outcome<int>()>& write,
                                     const std::function<void(const common::Outcome<int>&)>& showStored);
    // Tells the candidate that answers cannot be stored in the bank at `bankPath`, once per window.
    void tellUnsaved(const QString& reason);
    void setBankPath(const QString& bankPath) { m_bankPath = bankPath; }

    // Placed with the study record at `studyPath`.
    AnswerWindow* openAnswerWindow(const bank::QuestionRecord& question, bank::QuestionType type,
                                   const QString& studyPath) const;

Q_SIGNALS:
    void choiceGiven(const QString& value);
    void calcSubmitted();

private:
    QWidget* m_window;
    const ui::Built& m_controls;
    AnswerVariant m_variant;
    LogCategory m_log;
    ui::TabControl* m_pages;
    OptionControls m_options;
    entry::CalcPages* m_calc;
    QString m_bankPath;
    ui::UnsavedAnswersNotice m_unsaved;
};

} // namespace question
