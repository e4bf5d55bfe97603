#include "practice/PracticeWindow.h"

#include "bank/AnswerRecorder.h"
#include "bank/Scoring.h"
#include "entry/CalcPages.h"
#include "practice/CurrentQuestion.h"
#include "practice/PracticeNames.h"
#include "practice/WrongAnswerQuestions.h"
#include "question/AnswerRules.h"
#include "question/MarkButtons.h"
#include "study/QuestionKey.h"
#include "ui/AnswerKeys.h"
#include "ui/ButtonKey.h"
#include "ui/Keys.h"
#include "ui/KeysWindow.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"
#include "ui/TabControl.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QShortcut>
#include <QTabBar>
#include <QTimer>

using namespace Qt::StringLiterals;

using bank::practiceTable;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::recordCalcAnswers;
using bank::recordChoiceAnswer;
using bank::typeCaption;
using bank::typePoints;

namespace practice {
namespace {

Q_LOGGING_CATEGORY(lcPractice, "velmora.practice", QtWarningMsg)

} // namespace

PracticeWindow::PracticeWindow(QuestionType type, const QString& bankPath, QWidget* parent)
    : PracticeWindow(type, bankPath, study::StudyRecord::defaultPath(), std::nullopt, parent) {}

PracticeWindow::PracticeWindow(QuestionType type, const QString& bankPath, const QString& studyPath,
                               std::optional<QList<int>> onlyQuestions, QWidget* parent)
    : PracticeWindow(type, bankPath, studyPath, RoundPlan{{}, std::move(onlyQuestions)}, parent) {}

PracticeWindow::PracticeWindow(QuestionType type, const QString& bankPath, const QString& studyPath,
                               RoundPlan plan, QWidget* parent)
    : QWidget(parent), m_type(type), m_table(practiceTable(type)), m_questions(tableOfBank(m_bank, m_table)),
      m_plan(std::move(plan)), m_seed(QRandomGenerator::global()->generate()),
      m_study(std::make_unique<study::StudyRecord>(studyPath)) {
    const ui::Declaration declaration = practiceDeclaration();
    m_controls = ui::buildWindow(this, practiceWindowDeclaration(), declaration);
    m_page = new question::QuestionPage(this, m_controls, question::AnswerVariant::Practice, lcPractice);
    m_position = m_controls.get<QLabel>(names::kPositionLabel);
    m_page->placeCalcTabStops();
    // After 下一题, clear of the zoom buttons.
    m_marks = new question::MarkButtons(m_controls.widget(names::kBar), {416, 14, 64, 32}, *m_study);
    walkTheBarAsItReads();
    connectControls();
    ui::AnswerKeys::install(this, m_controls, question::QuestionPage::answerKeyControls());
    ui::KeysWindow::installOn(this);
    m_controls.get<QLabel>(names::kTypeLabel)->setText(typeCaption(type));
    placePositionLabel();
    addRoundControls();
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

PracticeWindow* PracticeWindow::open(QuestionType type, const RoundChoice& choice, QWidget* mainWindow,
                                     const QString& bankPath, const QString& studyPath) {
    return showOver(
        new PracticeWindow(type, bankPath, studyPath, RoundPlan{choice, std::nullopt}, mainWindow));
}

PracticeWindow* PracticeWindow::openList(QuestionType type, const QList<int>& questions, QWidget* mainWindow,
                                         const QString& bankPath, const QString& studyPath) {
    return showOver(new PracticeWindow(type, bankPath, studyPath, RoundPlan{{}, questions}, mainWindow));
}

PracticeWindow* PracticeWindow::openWrongAnswers(QuestionType type, QWidget* mainWindow,
                                                 const QString& bankPath, const QString& studyPath) {
    const QStringList hashes = study::StudyRecord(studyPath).wrongBook(practiceTable(type));
    return openHashed(type, hashes, kEmptyWrongBook, mainWindow, bankPath, studyPath);
}

PracticeWindow* PracticeWindow::openStarred(QuestionType type, QWidget* mainWindow, const QString& bankPath,
                                            const QString& studyPath) {
    const QString table = practiceTable(type);
    QStringList hashes;
    {
        study::StudyRecord record(studyPath);
        for (const study::MarkedQuestion& marked : record.markedQuestions())
            if (marked.table == table && marked.mark.starred)
                hashes.append(study::questionHash(marked.questionText));
    }
    return openHashed(type, hashes, kNoStarred, mainWindow, bankPath, studyPath);
}

// A round of the type's questions with the `hashes` the bank still holds; with none, `noneText`
// is told over `mainWindow` and nothing opens.
PracticeWindow* PracticeWindow::openHashed(QuestionType type, const QStringList& hashes,
                                           const QString& noneText, QWidget* mainWindow,
                                           const QString& bankPath, const QString& studyPath) {
    const QList<int> questions = questionsWithHashes(bankPath, practiceTable(type), hashes);
    if (questions.isEmpty()) {
        ui::showMessage(mainWindow, noneText);
        return nullptr;
    }
    return openList(type, questions, mainWindow, bankPath, studyPath);
}

void PracticeWindow::connectControls() {
    const QList<QRadioButton*>& single = m_page->options().single();
    for (int i = 0; i < single.size(); ++i) {
        // The mouse records on the button going down; the keyboard when it moves the choice.
        single[i]->installEventFilter(this);
        connect(single[i], &QAbstractButton::toggled, this, [this, i](bool checked) {
            if (checked && !m_restoring) recordChoice(question::optionLetter(i));
        });
    }
    connect(m_page, &question::QuestionPage::choiceGiven, this, &PracticeWindow::recordChoice);
    connect(m_page, &question::QuestionPage::calcSubmitted, this,
            [this] { submitCalc(Submission::Pressed); });

    auto button = [this](const QString& name) { return m_controls.get<QAbstractButton>(name); };
    connect(button(names::kPrevious), &QAbstractButton::clicked, this, &PracticeWindow::showPrevious);
    connect(button(names::kNext), &QAbstractButton::clicked, this, &PracticeWindow::showNext);
    m_zoom.attach(this, m_controls, practiceDeclaration());
    auto* jump = new QShortcut(QKeySequence(u"Ctrl+G"_s), this);
    connect(jump, &QShortcut::activated, this, [this] {
        m_jumpField->show();
        m_jumpField->setFocus(Qt::ShortcutFocusReason);
        m_jumpField->selectAll();
    });
    connect(button(names::kAnswerButton), &QAbstractButton::clicked, this, [this] { openAnswerWindow(); });
    ui::bindButtonKey(this, button(names::kAnswerButton), ui::keys::kScore);

    // The candidate may look at the strip but not bring a page of another kind to the front:
    // only the current question's page is enabled (showPage).
}

void PracticeWindow::openTable(const QString& bankPath) {
    m_bankPath = bankPath;
    m_page->setBankPath(bankPath);
    common::Outcome<> opened = m_bank.openBank(bankPath);
    if (opened) opened = m_bank.selectTable(m_table);
    if (!opened) return tableUnreadable(opened.reason());
    // Answers still in the table can only be a run's that ended without closing the window.
    if (const common::Outcome<> cleared = m_questions->clearAnswers(); !cleared)
        m_page->tellUnsaved(cleared.reason());
    if (!m_bank.selectTable(m_table)) {
        showEmpty();
        return;
    }
    if (const common::Outcome<> ordered = orderRound(); !ordered) return tableUnreadable(ordered.reason());
    const qsizetype start = resumeIndex();
    const common::Outcome<bool> first = walksList() || start > 0 ? atListed(start) : m_bank.moveFirst();
    if (!first) return tableUnreadable(first.reason());
    if (!*first) {
        showEmpty();
        return;
    }
    readCurrent();
    showQuestion();
}

void PracticeWindow::tableUnreadable(const QString& reason) {
    qCWarning(lcPractice).noquote() << "cannot read" << m_table << ":" << reason;
    showEmpty();
    // Told once the window stands.
    QTimer::singleShot(0, this, [this, reason] {
        m_unreadable.tell(this, ui::UnreadableQuestionNotice::tableText(reason));
    });
}

// The round's questions in the order it walks them: the table's, the listed ones the table holds,
// or those the candidate's choice keeps.
common::Outcome<> PracticeWindow::orderRound() {
    if (!m_plan.onlyQuestions && !m_plan.choice.walksWholeTable()) {
        const common::Outcome<QList<TableRow>> rows = tableRows(m_bank);
        if (!rows) return common::Failure{rows.reason()};
        m_questionNumbers = roundOrder(*rows, m_plan.choice, m_study->answeredQuestions(m_table), m_seed);
        return {};
    }
    const common::Outcome<QList<int>> numbers = questionNumbers(m_bank);
    if (!numbers) return common::Failure{numbers.reason()};
    m_questionNumbers = *numbers;
    if (m_plan.onlyQuestions) {
        QList<int> listed;
        for (int id : std::as_const(*m_plan.onlyQuestions))
            if (m_questionNumbers.contains(id)) listed.append(id);
        m_questionNumbers = listed;
    }
    return {};
}

// Where the round was left, when it resumes and that question still stands there; else its start.
qsizetype PracticeWindow::resumeIndex() {
    if (!m_plan.resumes()) return 0;
    const std::optional<ResumePoint> point =
        ResumePoint::fromText(m_study->resumePoint(resumeKey(m_table, m_plan.choice)));
    const qsizetype index = point ? m_questionNumbers.indexOf(point->id) : -1;
    if (index <= 0 || !m_bank.findQuestion(point->id)) return 0;
    return study::questionHash(readCurrentQuestion(m_bank).tm) == point->hash ? index : 0;
}

void PracticeWindow::keepResumePoint() {
    if (!m_hasQuestion || !m_plan.resumes()) return;
    const ResumePoint point{m_question.id, study::questionHash(m_question.tm)};
    if (const common::Outcome<> kept =
            m_study->keepResumePoint(resumeKey(m_table, m_plan.choice), point.toText());
        !kept)
        qCWarning(lcPractice).noquote() << "cannot keep where" << m_table << "was left:" << kept.reason();
}

// Tab reaches 收藏 and 笔记 where they lie, after 下一题. The strip of the answer pages only shows the
// page of the question's kind, the others being disabled, so it takes no focus.
void PracticeWindow::walkTheBarAsItReads() {
    QWidget::setTabOrder(m_controls.widget(names::kNext), m_marks->star());
    QWidget::setTabOrder(m_marks->star(), m_marks->note());
    m_page->answerPages()->tabBar()->setFocusPolicy(Qt::NoFocus);
}

// 从第 1 题开始 and the question-number field, on the header's row after the position.
void PracticeWindow::addRoundControls() {
    auto* header = m_controls.widget(names::kHeader);
    m_fromStart = new QPushButton(kFromStartButton, header);
    m_fromStart->setObjectName(kFromStartButton);
    m_fromStart->resize(110, 28);
    connect(m_fromStart, &QPushButton::clicked, this, &PracticeWindow::showFirst);
    auto* before = new QLabel(u"跳到第"_s, header);
    before->setObjectName(u"跳到第标签"_s);
    before->resize(48, 24);
    m_jumpField = new QLineEdit(header);
    m_jumpField->setObjectName(kJumpField);
    m_jumpField->setAccessibleName(kJumpField);
    m_jumpField->setToolTip(u"输入题号后按回车跳到该题（Ctrl+G）"_s);
    m_jumpField->setValidator(new QIntValidator(1, 99999, m_jumpField));
    m_jumpField->resize(52, 26);
    before->setBuddy(m_jumpField);
    auto* after = new QLabel(u"题"_s, header);
    after->setObjectName(u"跳到第题标签"_s);
    after->resize(20, 24);
    connect(m_jumpField, &QLineEdit::returnPressed, this, [this] { jumpTo(m_jumpField->text().toInt()); });
    connect(m_jumpField, &QLineEdit::editingFinished, this, &PracticeWindow::placeRoundControls);
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
    showPosition();
    showPage(question::answerPage(m_type, m_question.tx));
    m_restoring = true;
    clearOptions();
    m_page->show(m_question, m_type);
    m_restoring = false;
    m_marks->showQuestion(m_table, m_question.tm);
}

void PracticeWindow::showEmpty() {
    m_hasQuestion = false;
    m_question = {};
    m_controls.get<QPlainTextEdit>(names::kQuestionText)->clear();
    m_position->clear();
    showPage(question::answerPage(m_type, m_question.tx));
    clearOptions();
    setAnswerControlsEnabled(false);
    m_marks->clear();
}

void PracticeWindow::showPage(int page) {
    // Enable the new page before disabling the others, so the strip never moves on by itself.
    ui::TabControl* tabs = m_page->answerPages();
    QTabBar* bar = tabs->tabBar();
    bar->setTabEnabled(page, true);
    tabs->setCurrentIndex(page);
    for (int i = 0; i < tabs->count(); ++i)
        bar->setTabEnabled(i, i == page);
}

void PracticeWindow::clearOptions() {
    const bool restoring = std::exchange(m_restoring, true);
    m_page->options().clear();
    calcPages()->clear();
    m_restoring = restoring;
}

void PracticeWindow::putBackAnswer() {
    m_restoring = true;
    clearOptions();
    m_page->showAnswer(m_question, m_type);
    m_restoring = false;
}

void PracticeWindow::setAnswerControlsEnabled(bool enabled) {
    m_page->setAnswersEnabled(enabled);
    for (const QString& name : {names::kAnswerButton, names::kPrevious, names::kNext})
        m_controls.widget(name)->setEnabled(enabled);
}

void PracticeWindow::recordChoice(const QString& value) {
    if (!m_hasQuestion) return;
    m_page->recordAndTell(
        u"answer %1 of question %2"_s.arg(value).arg(m_question.id),
        [&] { return recordChoiceAnswer(*m_questions, m_type, m_question.id, value); },
        [&](const common::Outcome<int>& score) { showRecorded(score, !value.isEmpty()); });
}

void PracticeWindow::submitCalc(Submission how) {
    if (!m_hasQuestion) return;
    const std::optional<int> score = m_page->recordAndTell(
        u"answer of question %1"_s.arg(m_question.id),
        [&] { return recordCalcAnswers(*m_questions, m_question.id, calcPages()->answers()); },
        [&](const common::Outcome<int>& recorded) { showRecorded(recorded, true); });
    if (score && how == Submission::Pressed) calcPages()->showSubmitted(submittedNote(*score));
}

// The options show what the bank holds, also when a statement failed, before anything is told.
void PracticeWindow::showRecorded(const common::Outcome<int>& score, bool answered) {
    reloadQuestion();
    if (answered) keepInStudyRecord(score);
    putBackAnswer();
}

QString PracticeWindow::submittedNote(int score) {
    return u"答案已提交，得 %1 分"_s.arg(score);
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
    m_tally.answered(m_question.id, answer.right);
    m_answeredHashes.insert(m_question.id, study::questionHash(m_question.tm));
    tellStudyNotice();
}

void PracticeWindow::tellStudyNotice() {
    const QString notice = m_study->takeNotice();
    if (!notice.isEmpty()) ui::showMessage(this, notice);
}

// Typed amounts and journal lines count as given when the candidate leaves the question, as if
// 提交答案 had been pressed; answers already in the bank are not written again.
void PracticeWindow::keepTypedAnswer() {
    if (m_type == QuestionType::Calculation && m_hasQuestion && calcPages()->hasUnrecordedChanges())
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

QString PracticeWindow::positionText(int position, int count, const QString& chapter) {
    const QString text = u"第 %1 / %2 题"_s.arg(position).arg(count);
    return chapter.isEmpty() ? text : text + u" · "_s + chapter;
}

void PracticeWindow::showPosition() {
    const int position = static_cast<int>(m_questionNumbers.indexOf(m_question.id)) + 1;
    m_position->setText(position > 0 ? positionText(position, static_cast<int>(m_questionNumbers.size()),
                                                    m_plan.choice.chapter)
                                     : QString());
    m_position->resize(m_position->sizeHint().width(), m_position->height());
    m_fromStart->setEnabled(position > 1);
    placeRoundControls();
}

void PracticeWindow::showPrevious() {
    stepBy(-1);
}

void PracticeWindow::showNext() {
    stepBy(1);
}

// One question on in the table's order, or in the listed order when the window walks a list.
// Going on from the round's last question ends the round: its summary is offered.
void PracticeWindow::stepBy(int step) {
    const qsizetype index = m_questionNumbers.indexOf(m_question.id) + step;
    const common::Outcome<bool> moved = moveTo([&] {
        return walksList() ? atListed(index) : (step > 0 ? m_bank.moveNext() : m_bank.movePrevious());
    });
    if (!moved || *moved || step < 0 || m_summaryShown) return;
    if (m_tally.answeredCount() > 0) offerSummary();
    if (!m_redo.isEmpty())
        close();
    else
        Q_EMIT roundCompleted();
}

// A move that fails is told by moveTo.
void PracticeWindow::showFirst() {
    std::ignore = moveTo([&] { return atListed(0); });
}

void PracticeWindow::jumpTo(int position) {
    if (!m_hasQuestion) return;
    if (position < 1 || position > m_questionNumbers.size()) {
        ui::showMessage(this, u"请输入 1 到 %1 之间的题号。"_s.arg(m_questionNumbers.size()));
        return;
    }
    std::ignore = moveTo([&] { return atListed(position - 1); });
}

// The candidate leaves the question for the one `move` makes current. A move the bank cannot
// make is told, and the question stays, as at either end.
common::Outcome<bool> PracticeWindow::moveTo(const std::function<common::Outcome<bool>()>& move) {
    if (!m_hasQuestion) return false;
    keepTypedAnswer();
    const common::Outcome<bool> moved = move();
    if (!moved) {
        qCWarning(lcPractice).noquote()
            << "cannot move from question" << m_question.id << ":" << moved.reason();
        m_unreadable.tell(this, ui::UnreadableQuestionNotice::questionText(moved.reason()));
    }
    if (!moved || !*moved) {
        stepAfterEnd();
        return moved;
    }
    m_study->settleAttempt();
    m_tally.settle(m_question.id);
    readCurrent();
    showQuestion();
    return true;
}

// The listed question at `index` made current; false past either end of the list.
common::Outcome<bool> PracticeWindow::atListed(qsizetype index) {
    if (index < 0 || index >= m_questionNumbers.size()) return false;
    OUTCOME_TRY(m_bank.findQuestion(m_questionNumbers[index]));
    return true;
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
    m_tally.settle(m_question.id);
    reloadQuestion();
    QuestionRecord shown = m_question;
    shown.jx = m_marks->withNote(shown.jx);
    return m_page->openAnswerWindow(shown, m_type, m_study->path());
}

// S and N reach here when no answer key took them: N answers 错误 on a true/false question.
void PracticeWindow::keyPressEvent(QKeyEvent* event) {
    const QKeySequence pressed(event->keyCombination());
    if (pressed == ui::keys::kStar) return m_marks->toggleStar();
    if (pressed == ui::keys::kNote) return m_marks->openNote();
    QWidget::keyPressEvent(event);
}

void PracticeWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_page->relayout(size(), kPracticeArea);
    placeRoundControls();
}

// Right-aligned on the header's row, as wide as the window is. Where the window is too narrow to
// show them after the position, they give way; Ctrl+G still brings up the field while it is used.
void PracticeWindow::placeRoundControls() {
    auto* header = m_controls.widget(names::kHeader);
    struct Place {
        QWidget* widget;
        int gapAfter; // to what stands right of it
        int top;
    };
    const Place places[] = {{header->findChild<QWidget*>(u"跳到第题标签"_s), 16, 72},
                            {m_jumpField, 4, 70},
                            {header->findChild<QWidget*>(u"跳到第标签"_s), 4, 72},
                            {m_fromStart, 12, 69}};
    const int positionEnd = m_position->x() + m_position->width() + 8;
    int right = std::min(width(), header->width());
    for (const Place& place : places) {
        place.widget->move(right - place.gapAfter - place.widget->width(), place.top);
        place.widget->setVisible(place.widget->x() >= positionEnd ||
                                 (place.widget == m_jumpField && m_jumpField->hasFocus()));
        right = place.widget->x();
    }
}

void PracticeWindow::closeEvent(QCloseEvent* event) {
    finish();
    tellStudyNotice();
    if (m_tally.answeredCount() > 0 && !m_summaryShown) offerSummary();
    event->accept();
    if (!m_redo.isEmpty()) openList(m_type, m_redo, parentWidget(), m_bankPath, m_study->path());
}

// The round's figures, with the questions of it the wrong-answer book now holds as the record
// has them once what waits is written.
RoundFigures PracticeWindow::roundFigures() {
    m_study->settleAttempt();
    const QStringList book = m_study->wrongBook(m_table);
    RoundFigures figures{
        m_tally.answeredCount(), m_tally.rightCount(), m_tally.wrongCount(), m_tally.elapsedSeconds(), {}};
    for (qsizetype i = 0; i < m_questionNumbers.size(); ++i)
        if (m_answeredHashes.contains(m_questionNumbers[i]) &&
            book.contains(m_answeredHashes.value(m_questionNumbers[i])))
            figures.inBookPositions.append(static_cast<int>(i) + 1);
    return figures;
}

// Shown once a round; 重做错题 opens a round of the wrong answers once this window has closed.
void PracticeWindow::offerSummary() {
    m_summaryShown = true;
    if (offerRoundSummary(this, roundFigures())) m_redo = m_tally.wrongQuestions();
}

bool PracticeWindow::eventFilter(QObject* watched, QEvent* event) {
    const QList<QRadioButton*>& single = m_page->options().single();
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
    recordChoice(question::optionLetter(option));
    return true;
}

void PracticeWindow::finish() {
    if (m_finished) return;
    m_finished = true;
    keepResumePoint();
    // Every opening starts unanswered: the table is cleared before the connection ends.
    if (const common::Outcome<> cleared = m_bank.isOpen() ? m_questions->clearAnswers() : common::Outcome<>();
        !cleared)
        qCWarning(lcPractice).noquote() << "cannot clear" << m_table << ":" << cleared.reason();
    m_bank.closeBank();
    m_study->close();
}

} // namespace practice
