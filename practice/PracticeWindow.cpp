#include "practice/PracticeWindow.h"

#include "bank/AnswerRecorder.h"
#include "bank/Scoring.h"
#include "entry/CalcPages.h"
#include "practice/CurrentQuestion.h"
#include "practice/PracticeNames.h"
#include "practice/WrongAnswerQuestions.h"
#include "question/PracticeAnswerWindow.h"
#include "question/PracticeCalcAnswerWindow.h"
#include "study/QuestionKey.h"
#include "ui/AnswerKeys.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"
#include "ui/TabControl.h"

#include "question/QuestionLayout.h"

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
using bank::QuestionRecord;
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

} // namespace

PracticeWindow::PracticeWindow(QuestionType type, const QString& bankPath, QWidget* parent)
    : PracticeWindow(type, bankPath, study::StudyRecord::defaultPath(), std::nullopt, parent) {}

PracticeWindow::PracticeWindow(QuestionType type, const QString& bankPath, const QString& studyPath,
                               std::optional<QList<int>> onlyQuestions, QWidget* parent)
    : QWidget(parent), m_type(type), m_table(practiceTable(type)), m_questions(tableOfBank(m_bank, m_table)),
      m_onlyQuestions(std::move(onlyQuestions)), m_study(std::make_unique<study::StudyRecord>(studyPath)) {
    const ui::Declaration declaration = practiceDeclaration();
    m_controls = ui::buildWindow(this, practiceWindowDeclaration(), declaration);
    findControls();
    m_calc = new entry::CalcPages(m_tabs, names::AmountsPage, names::JournalPage);
    // The calculation pages, built apart, follow the true/false page in the Tab order, as declared.
    ui::placeTabStopsAfter(ui::placeTabStopsAfter(m_options.trueFalse().last(), m_calc->amountsPage()),
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
    m_options = question::OptionControls(m_controls);
}

void PracticeWindow::connectControls() {
    const QList<QRadioButton*>& single = m_options.single();
    for (int i = 0; i < single.size(); ++i) {
        // The mouse records on the button going down; the keyboard when it moves the choice.
        single[i]->installEventFilter(this);
        connect(single[i], &QAbstractButton::toggled, this, [this, i](bool checked) {
            if (checked && !m_restoring) recordChoice(kLetters.mid(i, 1));
        });
    }
    for (QAbstractButton* box : m_options.multiple())
        connect(box, &QAbstractButton::clicked, this, [this] { recordChoice(m_options.multipleAnswer()); });
    const QList<QRadioButton*>& trueFalse = m_options.trueFalse();
    for (int i = 0; i < trueFalse.size(); ++i)
        connect(trueFalse[i], &QAbstractButton::clicked, this,
                [this, i] { recordChoice(trueFalseAnswer(i == 0)); });
    connect(m_calc, &entry::CalcPages::submitRequested, this, [this] { submitCalc(Submission::Pressed); });

    auto button = [this](const QString& name) { return m_controls.get<QAbstractButton>(name); };
    connect(button(names::kPrevious), &QAbstractButton::clicked, this, &PracticeWindow::showPrevious);
    connect(button(names::kNext), &QAbstractButton::clicked, this, &PracticeWindow::showNext);
    m_zoom.attach(this, m_controls, practiceDeclaration());
    connect(button(names::kAnswerButton), &QAbstractButton::clicked, this, [this] { openAnswerWindow(); });

    // The candidate may look at the strip but not bring a page of another kind to the front:
    // only the current question's page is enabled (showPage).
}

void PracticeWindow::openTable(const QString& bankPath) {
    m_bankPath = bankPath;
    common::Outcome<> opened = m_bank.openBank(bankPath);
    if (opened) opened = m_bank.selectTable(m_table);
    if (!opened) {
        qCWarning(lcPractice).noquote() << "cannot read" << m_table << ":" << opened.reason();
        showEmpty();
        // Told once the window stands.
        QTimer::singleShot(0, this, [this, reason = opened.reason()] {
            m_unreadable.tell(this, ui::UnreadableQuestionNotice::tableText(reason));
        });
        return;
    }
    // Answers still in the table can only be a run's that ended without closing the window.
    if (const common::Outcome<> cleared = m_questions->clearAnswers(); !cleared)
        writeFailed(cleared.reason());
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
    if (m_onlyQuestions ? m_questionNumbers.isEmpty() || !m_bank.findQuestion(m_questionNumbers.front()).ok()
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
    const common::Outcome<QuestionRecord> read = m_questions->readQuestion(m_question.id);
    if (!read) {
        qCWarning(lcPractice).noquote() << "cannot read question" << m_question.id << ":" << read.reason();
        m_unreadable.tell(this, ui::UnreadableQuestionNotice::questionText(read.reason()));
        return false;
    }
    m_question = *read;
    return true;
}

void PracticeWindow::showQuestion() {
    setAnswerControlsEnabled(true);
    m_questionBox->setPlainText(m_question.tm);
    m_questionBox->moveCursor(QTextCursor::Start);
    m_questionBox->verticalScrollBar()->setValue(0);
    showPosition();
    showPage(pageOfQuestion());
    m_options.showCaptions(m_question.options);
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

void PracticeWindow::clearOptions() {
    m_restoring = true;
    m_options.clear();
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
    m_options.showStates(m_type, *states);
    m_restoring = false;
}

void PracticeWindow::setAnswerControlsEnabled(bool enabled) {
    m_options.setEnabled(enabled);
    m_calc->setEnabled(enabled);
    for (const QString& name : {names::kAnswerButton, names::kPrevious, names::kNext})
        m_controls.widget(name)->setEnabled(enabled);
}

void PracticeWindow::recordChoice(const QString& value) {
    if (!m_hasQuestion) return;
    QString failure;
    const common::Outcome<int> score = recordChoiceAnswer(*m_questions, m_type, m_question.id, value);
    if (!score) {
        failure = score.reason();
        qCWarning(lcPractice).noquote()
            << "answer" << value << "of question" << m_question.id << "not recorded:" << failure;
    }
    // The options show what the bank holds, also when a statement failed, before anything is told.
    reloadQuestion();
    if (!value.isEmpty()) keepInStudyRecord(score);
    putBackAnswer();
    if (!failure.isEmpty()) writeFailed(failure);
}

void PracticeWindow::submitCalc(Submission how) {
    if (!m_hasQuestion) return;
    QString failure;
    const common::Outcome<int> score = recordCalcAnswers(*m_questions, m_question.id, m_calc->answers());
    if (!score) {
        failure = score.reason();
        qCWarning(lcPractice).noquote()
            << "answer of question" << m_question.id << "not recorded:" << failure;
    }
    reloadQuestion();
    keepInStudyRecord(score);
    putBackAnswer();
    if (!failure.isEmpty()) return writeFailed(failure);
    if (how == Submission::Pressed) m_calc->showSubmitted(submittedNote(*score));
}

QString PracticeWindow::submittedNote(int score) {
    return u"答案已提交，得 %1 分"_s.arg(score);
}

void PracticeWindow::writeFailed(const QString& error) {
    m_unsaved.tell(this, m_bankPath, error);
}

// An answer the bank graded joins the study record, with the chapter of the question's row as
// reloadQuestion read it; the record never holds the window up.
void PracticeWindow::keepInStudyRecord(const common::Outcome<int>& score) {
    if (!score) return;
    study::PracticeAnswer answer{m_table,
                                 m_question.tm,
                                 m_question.ch,
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
    if (m_type == QuestionType::Calculation && m_hasQuestion && m_calc->hasUnrecordedChanges())
        submitCalc(Submission::OnLeaving);
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
    m_study->settleAttempt();
    readCurrent();
    showQuestion();
}

void PracticeWindow::showNext() {
    if (!m_hasQuestion) return;
    keepTypedAnswer();
    if (!stepBy(1)) return stepAfterEnd();
    m_study->settleAttempt();
    readCurrent();
    showQuestion();
}

// One question on in the table's order, or in the listed order when the window walks a list.
bool PracticeWindow::stepBy(int step) {
    if (!m_onlyQuestions) return step > 0 ? m_bank.moveNext() : m_bank.movePrevious();
    const qsizetype at = m_questionNumbers.indexOf(m_question.id) + step;
    return at >= 0 && at < m_questionNumbers.size() && m_bank.findQuestion(m_questionNumbers[at]).ok();
}

void PracticeWindow::stepAfterEnd() {
    // A move past either end leaves the row set without a current row: the question stays current.
    if (!m_bank.findQuestion(m_question.id) && !reloadQuestion())
        qCWarning(lcPractice).noquote() << "question" << m_question.id << "lost";
}

question::AnswerWindow* PracticeWindow::openAnswerWindow() {
    if (!m_hasQuestion) return nullptr;
    keepTypedAnswer();
    // Once the standard answer is seen, a changed answer is practice, not the attempt.
    m_study->closeQuestion(m_table, m_question.tm);
    reloadQuestion();
    question::AnswerWindow* window = nullptr;
    if (m_type == QuestionType::Calculation)
        window = new question::PracticeCalcAnswerWindow(m_question, this);
    else
        window = new question::PracticeAnswerWindow(m_question, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showCentred();
    return window;
}

void PracticeWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const question::QuestionLayout layout = question::QuestionLayout::forClient(size(), kPracticeArea);
    m_controls.widget(names::kHeader)->setGeometry(layout.header);
    m_questionBox->setGeometry(layout.questionBox);
    m_controls.widget(names::kSeparator)->setGeometry(layout.separator);
    m_tabs->setGeometry(layout.answerArea);
    m_controls.widget(names::kBottomBar)->setGeometry(layout.bar);
    for (QWidget* option : m_options.single())
        option->resize(layout.optionWidth, option->height());
    for (QWidget* option : m_options.multiple())
        option->resize(layout.optionWidth, option->height());
}

void PracticeWindow::closeEvent(QCloseEvent* event) {
    finish();
    tellStudyNotice();
    event->accept();
}

bool PracticeWindow::eventFilter(QObject* watched, QEvent* event) {
    const QList<QRadioButton*>& single = m_options.single();
    const int option = single.indexOf(qobject_cast<QRadioButton*>(watched));
    if (option < 0 || event->type() != QEvent::MouseButtonPress) return QWidget::eventFilter(watched, event);
    if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton || !single[option]->isEnabled())
        return QWidget::eventFilter(watched, event);
    // Anywhere on the option, not only on its indicator; pressing the selected option again records
    // its letter again. The press is taken here, so the button's own click cannot change it afterwards.
    single[option]->setFocus(Qt::MouseFocusReason);
    m_restoring = true;
    single[option]->setChecked(true);
    m_restoring = false;
    recordChoice(kLetters.mid(option, 1));
    return true;
}

void PracticeWindow::finish() {
    if (m_finished) return;
    m_finished = true;
    // Every opening starts unanswered: the table is cleared before the connection ends.
    if (const common::Outcome<> cleared = m_bank.isOpen() ? m_questions->clearAnswers() : common::Outcome<>();
        !cleared)
        qCWarning(lcPractice).noquote() << "cannot clear" << m_table << ":" << cleared.reason();
    m_bank.closeBank();
    m_study->close();
}

} // namespace practice
