#include "PracticeWindow.h"

#include "AnswerKeys.h"
#include "AnswerRecorder.h"
#include "AnswerRules.h"
#include "CalcPages.h"
#include "CurrentQuestion.h"
#include "MessageBox.h"
#include "PictureButton.h"
#include "PracticeAnswerWindow.h"
#include "PracticeCalcAnswerWindow.h"
#include "PracticeLayout.h"
#include "PracticeNames.h"
#include "QuestionKey.h"
#include "Scoring.h"
#include "TabControl.h"
#include "WrongAnswerQuestions.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTimer>

using namespace Qt::StringLiterals;

using bank::answerFromOptions;
using bank::calcFieldCount;
using bank::CalcFields;
using bank::optionsFromAnswer;
using bank::OptionStates;
using bank::practiceTable;
using bank::QuestionType;
using bank::recordCalcAnswers;
using bank::recordChoiceAnswer;
using bank::trueFalseAnswer;
using bank::typeCaption;
using bank::typePoints;

namespace practice {
namespace {

Q_LOGGING_CATEGORY(lcPractice, "velmora.practice", QtWarningMsg)

const QString kLetters = u"ABCD"_s;

void setPixels(QWidget* widget, int pixels) {
    QFont font = widget->font();
    font.setPixelSize(pixels);
    widget->setFont(font);
}

// Unchecks every radio button of a group: an auto-exclusive group refuses to lose its last check.
void clearRadios(const QList<QRadioButton*>& radios) {
    for (QRadioButton* radio : radios) {
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    }
}

} // namespace

PracticeWindow::PracticeWindow(QuestionType type, const QString& bankPath, QWidget* parent)
    : PracticeWindow(type, bankPath, study::StudyRecord::defaultPath(), std::nullopt, parent) {}

PracticeWindow::PracticeWindow(QuestionType type, const QString& bankPath, const QString& studyPath,
                               std::optional<QList<int>> onlyQuestions, QWidget* parent)
    : QWidget(parent), m_type(type), m_table(practiceTable(type)), m_onlyQuestions(std::move(onlyQuestions)),
      m_study(std::make_unique<study::StudyRecord>(studyPath)) {
    const ui::Declaration declaration = practiceDeclaration();
    m_controls = ui::buildWindow(this, practiceWindowDeclaration(), declaration);
    findControls();
    m_calc = new entry::CalcPages(m_tabs, names::AmountsPage, names::JournalPage);
    // The calculation pages, built apart, follow the true/false page in the Tab order, as declared.
    ui::placeTabStopsAfter(ui::placeTabStopsAfter(m_trueFalse.last(), m_calc->amountsPage()),
                           m_calc->journalPage());
    connectControls();
    ui::AnswerKeys::install(this, m_controls,
                            {{names::kSingleOptions, names::kMultipleOptions},
                             names::kTrueFalseOptions,
                             names::kPrevious,
                             names::kNext});
    m_controls.get<QLabel>(names::kTypeLabel)->setText(typeCaption(type));
    placePositionLabel();
    openTable(bankPath);
    // A record set aside at opening is told once the window stands.
    QTimer::singleShot(0, this, &PracticeWindow::tellStudyNotice);
}

PracticeWindow::~PracticeWindow() {
    finish();
}

// Shows a new window over the main window, which waits for it; the window goes when closed.
PracticeWindow* PracticeWindow::showOver(PracticeWindow* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::WindowModal);
    ui::showDeclared(window, practiceWindowDeclaration());
    return window;
}

PracticeWindow* PracticeWindow::open(QuestionType type, QWidget* mainWindow, const QString& bankPath) {
    return showOver(new PracticeWindow(type, bankPath, mainWindow));
}

PracticeWindow* PracticeWindow::openWrongAnswers(QuestionType type, QWidget* mainWindow,
                                                 const QString& bankPath, const QString& studyPath) {
    QList<int> questions;
    {
        study::StudyRecord record(studyPath);
        questions = questionsWithHashes(bankPath, practiceTable(type), record.wrongBook(practiceTable(type)));
    }
    if (questions.isEmpty()) {
        ui::showMessage(mainWindow, kEmptyWrongBook);
        return nullptr;
    }
    return showOver(new PracticeWindow(type, bankPath, studyPath, questions, mainWindow));
}

void PracticeWindow::findControls() {
    m_tabs = m_controls.get<ui::TabControl>(names::kAnswerTabs);
    m_questionBox = m_controls.get<QPlainTextEdit>(names::kQuestionBox);
    m_position = m_controls.get<QLabel>(names::kPositionLabel);
    for (const QString& name : names::kSingleOptions)
        m_single.append(m_controls.get<QRadioButton>(name));
    for (const QString& name : names::kMultipleOptions)
        m_multiple.append(m_controls.get<QCheckBox>(name));
    for (const QString& name : names::kTrueFalseOptions)
        m_trueFalse.append(m_controls.get<QRadioButton>(name));
}

void PracticeWindow::connectControls() {
    for (int i = 0; i < m_single.size(); ++i) {
        // The mouse records on the button going down; the keyboard when it moves the choice.
        m_single[i]->installEventFilter(this);
        connect(m_single[i], &QAbstractButton::toggled, this, [this, i](bool checked) {
            if (checked && !m_restoring) recordChoice(kLetters.mid(i, 1));
        });
    }
    for (QCheckBox* box : m_multiple)
        connect(box, &QAbstractButton::clicked, this, [this] {
            OptionStates states{};
            for (int i = 0; i < m_multiple.size(); ++i)
                states[i] = m_multiple[i]->isChecked();
            recordChoice(answerFromOptions(states));
        });
    for (int i = 0; i < m_trueFalse.size(); ++i)
        connect(m_trueFalse[i], &QAbstractButton::clicked, this,
                [this, i] { recordChoice(trueFalseAnswer(i == 0)); });
    connect(m_calc, &entry::CalcPages::submitRequested, this, &PracticeWindow::submitCalc);

    auto button = [this](const QString& name) { return m_controls.get<QAbstractButton>(name); };
    connect(button(names::kPrevious), &QAbstractButton::clicked, this, &PracticeWindow::showPrevious);
    connect(button(names::kNext), &QAbstractButton::clicked, this, &PracticeWindow::showNext);
    connect(button(names::kZoomOut), &QAbstractButton::clicked, this, &PracticeWindow::zoomOut);
    connect(button(names::kZoomReset), &QAbstractButton::clicked, this, &PracticeWindow::zoomReset);
    connect(button(names::kZoomIn), &QAbstractButton::clicked, this, &PracticeWindow::zoomIn);
    connect(button(names::kAnswerButton), &QAbstractButton::clicked, this, [this] { openAnswerWindow(); });

    // The candidate may look at the strip but not bring a page of another kind to the front:
    // only the current question's page is enabled (showPage).
}

void PracticeWindow::openTable(const QString& bankPath) {
    m_bankPath = bankPath;
    if (!m_bank.openBank(bankPath) || !m_bank.selectTable(m_table)) {
        qCWarning(lcPractice).noquote() << "cannot read" << m_table << ":" << m_bank.lastError();
        showEmpty();
        return;
    }
    // Answers still in the table can only be a run's that ended without closing the window.
    if (!m_bank.clearAnswers(m_table)) writeFailed(m_bank.lastError());
    if (!m_bank.selectTable(m_table)) {
        showEmpty();
        return;
    }
    m_questionNumbers = questionNumbers(m_bank);
    if (m_onlyQuestions) {
        QList<int> listed;
        for (int id : std::as_const(*m_onlyQuestions))
            if (m_questionNumbers.contains(id)) listed.append(id);
        m_questionNumbers = listed;
    }
    if (m_onlyQuestions ? m_questionNumbers.isEmpty() || !m_bank.findQuestion(m_questionNumbers.front())
                        : !m_bank.moveFirst()) {
        showEmpty();
        return;
    }
    readCurrent();
    showQuestion();
}

void PracticeWindow::readCurrent() {
    m_question = readCurrentQuestion(m_bank);
    m_hasQuestion = true;
}

bool PracticeWindow::reloadQuestion() {
    // A select reads the rows as they are now; the question is found again by its number.
    if (!m_bank.selectTable(m_table) || !m_bank.findQuestion(m_question.id)) {
        qCWarning(lcPractice).noquote()
            << "cannot read question" << m_question.id << ":" << m_bank.lastError();
        return false;
    }
    m_question = readCurrentQuestion(m_bank);
    return true;
}

void PracticeWindow::showQuestion() {
    setAnswerControlsEnabled(true);
    m_questionBox->setPlainText(m_question.tm);
    m_questionBox->moveCursor(QTextCursor::Start);
    m_questionBox->verticalScrollBar()->setValue(0);
    showPosition();
    showPage(pageOfQuestion());
    setOptionCaptions();
    putBackAnswer();
}

void PracticeWindow::showEmpty() {
    m_hasQuestion = false;
    m_question = {};
    m_questionBox->clear();
    m_position->clear();
    showPage(pageOfQuestion());
    clearOptions();
    setAnswerControlsEnabled(false);
}

int PracticeWindow::pageOfQuestion() const {
    switch (m_type) {
    case QuestionType::SingleChoice:
        return names::SinglePage;
    case QuestionType::MultipleChoice:
        return names::MultiplePage;
    case QuestionType::TrueFalse:
        return names::TrueFalsePage;
    case QuestionType::Calculation:
        break;
    }
    return entry::pageForType(m_question.tx) == entry::CalcPage::Amounts ? names::AmountsPage
                                                                         : names::JournalPage;
}

void PracticeWindow::showPage(int page) {
    // Enable the new page before disabling the others, so the strip never moves on by itself.
    QTabBar* bar = m_tabs->tabBar();
    bar->setTabEnabled(page, true);
    m_tabs->setCurrentIndex(page);
    for (int i = 0; i < m_tabs->count(); ++i)
        bar->setTabEnabled(i, i == page);
}

void PracticeWindow::setOptionCaptions() {
    for (int i = 0; i < 4; ++i) {
        const QString caption = optionCaption(i, m_question.options[i]);
        m_single[i]->setText(caption);
        m_multiple[i]->setText(caption);
    }
}

void PracticeWindow::clearOptions() {
    m_restoring = true;
    clearRadios(m_single);
    clearRadios(m_trueFalse);
    for (QCheckBox* box : m_multiple)
        box->setChecked(false);
    m_calc->clear();
    m_restoring = false;
}

void PracticeWindow::putBackAnswer() {
    clearOptions();
    if (m_type == QuestionType::Calculation) {
        m_calc->showQuestion(m_question.tx,
                             QStringList(m_question.answers.begin(), m_question.answers.end()));
        return;
    }
    const std::optional<OptionStates> states = optionsFromAnswer(m_type, m_question.xxda);
    if (!states) {
        qCWarning(lcPractice).noquote()
            << "question" << m_question.id << "holds an unknown answer" << m_question.xxda;
        return;
    }
    m_restoring = true;
    for (int i = 0; i < 4; ++i) {
        if (m_type == QuestionType::SingleChoice) m_single[i]->setChecked((*states)[i]);
        if (m_type == QuestionType::MultipleChoice) m_multiple[i]->setChecked((*states)[i]);
        if (m_type == QuestionType::TrueFalse && i < 2) m_trueFalse[i]->setChecked((*states)[i]);
    }
    m_restoring = false;
}

void PracticeWindow::setAnswerControlsEnabled(bool enabled) {
    for (QWidget* option : m_single)
        option->setEnabled(enabled);
    for (QWidget* option : m_multiple)
        option->setEnabled(enabled);
    for (QWidget* option : m_trueFalse)
        option->setEnabled(enabled);
    m_calc->setEnabled(enabled);
    for (const QString& name : {names::kAnswerButton, names::kPrevious, names::kNext})
        m_controls.widget(name)->setEnabled(enabled);
}

void PracticeWindow::recordChoice(const QString& value) {
    if (!m_hasQuestion) return;
    QString failure;
    const std::optional<int> score = recordChoiceAnswer(m_bank, m_table, m_type, m_question.id, value);
    if (!score) {
        failure = m_bank.lastError();
        qCWarning(lcPractice).noquote()
            << "answer" << value << "of question" << m_question.id << "not recorded:" << failure;
    }
    // The options show what the bank holds, also when a statement failed, before anything is told.
    reloadQuestion();
    if (!value.isEmpty()) keepInStudyRecord(score);
    putBackAnswer();
    if (!failure.isEmpty()) writeFailed(failure);
}

void PracticeWindow::submitCalc() {
    if (!m_hasQuestion) return;
    const QStringList texts = m_calc->answers();
    CalcFields answers;
    for (int k = 0; k < calcFieldCount; ++k)
        answers[k] = texts.value(k);
    QString failure;
    const std::optional<int> score = recordCalcAnswers(m_bank, m_table, m_question.id, answers);
    if (!score) {
        failure = m_bank.lastError();
        qCWarning(lcPractice).noquote()
            << "answer of question" << m_question.id << "not recorded:" << failure;
    }
    reloadQuestion();
    keepInStudyRecord(score);
    putBackAnswer();
    if (!failure.isEmpty()) writeFailed(failure);
}

void PracticeWindow::writeFailed(const QString& error) {
    m_unsaved.tell(this, m_bankPath, error);
}

// An answer the bank graded joins the study record, with the chapter of the question's row (the
// bank stands on it after reloadQuestion); the record never holds the window up.
void PracticeWindow::keepInStudyRecord(std::optional<int> score) {
    if (!score) return;
    study::PracticeAnswer answer{m_table,
                                 m_question.tm,
                                 m_bank.readField(u"CH"_s),
                                 m_type,
                                 *score == typePoints(m_type),
                                 *score,
                                 QDateTime::currentDateTime()};
    m_study->recordAnswer(answer);
    tellStudyNotice();
}

void PracticeWindow::tellStudyNotice() {
    const QString notice = m_study->takeNotice();
    if (!notice.isEmpty()) ui::showMessage(this, notice);
}

// Typed amounts and journal lines count as given when the candidate leaves the question, as if
// 提交答案 had been pressed; answers already in the bank are not written again.
void PracticeWindow::keepTypedAnswer() {
    if (m_type == QuestionType::Calculation && m_hasQuestion && m_calc->hasUnrecordedChanges()) submitCalc();
}

// The position reads on from the type's name, two blanks after its text.
void PracticeWindow::placePositionLabel() {
    const auto* name = m_controls.get<QLabel>(names::kTypeLabel);
    const QFontMetrics metrics(name->font());
    const int after =
        name->x() + metrics.horizontalAdvance(name->text()) + metrics.horizontalAdvance(u"  "_s);
    m_position->move(after, m_position->y());
}

void PracticeWindow::showPosition() {
    const int position = static_cast<int>(m_questionNumbers.indexOf(m_question.id)) + 1;
    m_position->setText(position > 0 ? u"第 %1 / %2 题"_s.arg(position).arg(m_questionNumbers.size())
                                     : QString());
}

void PracticeWindow::showPrevious() {
    if (!m_hasQuestion) return;
    keepTypedAnswer();
    if (!stepBy(-1)) return stepAfterEnd();
    readCurrent();
    showQuestion();
}

void PracticeWindow::showNext() {
    if (!m_hasQuestion) return;
    keepTypedAnswer();
    if (!stepBy(1)) return stepAfterEnd();
    readCurrent();
    showQuestion();
}

// One question on in the table's order, or in the listed order when the window walks a list.
bool PracticeWindow::stepBy(int step) {
    if (!m_onlyQuestions) return step > 0 ? m_bank.moveNext() : m_bank.movePrevious();
    const qsizetype at = m_questionNumbers.indexOf(m_question.id) + step;
    return at >= 0 && at < m_questionNumbers.size() && m_bank.findQuestion(m_questionNumbers[at]);
}

void PracticeWindow::stepAfterEnd() {
    // A move past either end leaves the row set without a current row: the question stays current.
    if (!m_bank.findQuestion(m_question.id) && !reloadQuestion())
        qCWarning(lcPractice).noquote() << "question" << m_question.id << "lost:" << m_bank.lastError();
}

void PracticeWindow::zoomIn() {
    m_questionPixels = std::min(m_questionPixels + kZoomStep, kMaxPixels);
    applyZoom();
}

void PracticeWindow::zoomOut() {
    m_questionPixels = std::max(m_questionPixels - kZoomStep, kMinPixels);
    applyZoom();
}

void PracticeWindow::zoomReset() {
    m_questionPixels = kQuestionPixels;
    applyZoom();
}

void PracticeWindow::applyZoom() {
    setPixels(m_questionBox, m_questionPixels);
    // The option captions follow by the same amount; the true/false choices keep their size.
    const int change = m_questionPixels - kQuestionPixels;
    for (QWidget* option : m_single)
        setPixels(option, kSingleOptionPixels + change);
    for (QWidget* option : m_multiple)
        setPixels(option, kOtherOptionPixels + change);
}

AnswerWindow* PracticeWindow::openAnswerWindow() {
    if (!m_hasQuestion) return nullptr;
    keepTypedAnswer();
    reloadQuestion();
    AnswerWindow* window = nullptr;
    if (m_type == QuestionType::Calculation)
        window = new PracticeCalcAnswerWindow(m_question, this);
    else
        window = new PracticeAnswerWindow(m_question, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showCentred();
    return window;
}

void PracticeWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const PracticeLayout layout = PracticeLayout::forClient(size());
    m_controls.widget(names::kHeader)->setGeometry(layout.header);
    m_questionBox->setGeometry(layout.questionBox);
    m_controls.widget(names::kSeparator)->setGeometry(layout.separator);
    m_tabs->setGeometry(layout.answerTabs);
    m_controls.widget(names::kBottomBar)->setGeometry(layout.bottomBar);
    for (QWidget* option : m_single)
        option->resize(layout.optionWidth, option->height());
    for (QWidget* option : m_multiple)
        option->resize(layout.optionWidth, option->height());
}

void PracticeWindow::closeEvent(QCloseEvent* event) {
    finish();
    tellStudyNotice();
    event->accept();
}

bool PracticeWindow::eventFilter(QObject* watched, QEvent* event) {
    const int option = m_single.indexOf(qobject_cast<QRadioButton*>(watched));
    if (option < 0 || event->type() != QEvent::MouseButtonPress) return QWidget::eventFilter(watched, event);
    if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton || !m_single[option]->isEnabled())
        return QWidget::eventFilter(watched, event);
    // Anywhere on the option, not only on its indicator; pressing the selected option again records
    // its letter again. The press is taken here, so the button's own click cannot change it afterwards.
    m_single[option]->setFocus(Qt::MouseFocusReason);
    m_restoring = true;
    m_single[option]->setChecked(true);
    m_restoring = false;
    recordChoice(kLetters.mid(option, 1));
    return true;
}

void PracticeWindow::finish() {
    if (m_finished) return;
    m_finished = true;
    // Every opening starts unanswered: the table is cleared before the connection ends.
    if (m_bank.isOpen() && !m_bank.clearAnswers(m_table))
        qCWarning(lcPractice).noquote() << "cannot clear" << m_table << ":" << m_bank.lastError();
    m_bank.closeBank();
    m_study->close();
}

} // namespace practice
