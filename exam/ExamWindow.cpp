#include "exam/ExamWindow.h"

#include "bank/QuestionType.h"
#include "bank/Scoring.h"
#include "entry/CalcPages.h"
#include "exam/ExamLog.h"
#include "exam/ExamNames.h"
#include "exam/ExamWindowDeclaration.h"
#include "exam/KeptPaper.h"
#include "exam/PaperRecording.h"
#include "exam/QuestionNumbering.h"
#include "question/AnswerRules.h"
#include "question/AnswerWindow.h"
#include "question/MarkButtons.h"
#include "ui/AnswerKeys.h"
#include "ui/ButtonKey.h"
#include "ui/Keys.h"
#include "ui/KeysWindow.h"
#include "ui/MessageBox.h"
#include "ui/SessionEnd.h"
#include "ui/TabControl.h"
#include "ui/TransparentLabel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLoggingCategory>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTabBar>

using namespace Qt::StringLiterals;

using bank::paperQuestionType;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::typePoints;

Q_LOGGING_CATEGORY(lcExam, "velmora.exam", QtInfoMsg)

namespace exam {
namespace {

constexpr int kTimerPanelFromRight = 300; // the design's distance of the panel from the right edge
// How often the time left is kept for an interrupted attempt, besides at every answer.
constexpr std::int64_t kProgressEvery = 5000;

// What a question that cannot be read shows: its number and nothing else.
QuestionRecord emptyQuestion(int id) {
    QuestionRecord question;
    question.id = id;
    return question;
}

// The caption's three blanks leave room for the question number, which lies over them. The design
// face draws Latin characters and blanks half an em wide; the proportional CJK face's blank is a
// fifth of an em, so a two-digit number would cover the 题 after the gap. The monospaced variant
// of the same face has the design's half-width metrics.
void keepDesignBlanks(QLabel* caption) {
    QFont font = caption->font();
    font.setFamilies({u"Noto Sans Mono CJK SC"_s, font.family()});
    caption->setFont(font);
}

} // namespace

QString ExamWindow::resultText(int total) {
    return u"你本次考试的得分为:\r\n\r\n"_s + QString::number(total) + u" 分"_s;
}

QString ExamWindow::confirmSubmitWithFlags(int flagged) {
    return u"还有 %1 题标记为待查，确定要交卷吗?"_s.arg(flagged);
}

ExamWindow::ExamWindow(std::unique_ptr<PaperStore> store, Countdown::Clock clock, QWidget* parent,
                       std::optional<study::ExamInProgress> resumed)
    : QWidget(parent), m_store(std::move(store)), m_countdown(std::move(clock)) {
    setUp();
    if (resumed) m_attempt.resume(resumed->started);
    loadPaper(resumed);
}

ExamWindow::ExamWindow(const study::ExamReview& review, QWidget* parent)
    : QWidget(parent),
      m_store(std::make_unique<KeptPaper>(bank::paperTable(review.attempt.paper), review.questions)),
      m_countdown(Countdown::steadyClock()) {
    setUp();
    m_cleared = true; // the bank's paper is not this window's
    m_submitted = true;
    m_total = review.attempt.total;
    m_cardView.colourRightAndWrong();
    for (const QuestionRecord& question : review.questions)
        m_card.setAnswered(question.id, hasAnswer(question));
    m_controls.widget(names::kAnswerButton)->setEnabled(true);
    m_controls.get<QLabel>(names::kCountdown)
        ->setText(Countdown::formatRemaining(Countdown::kDuration - review.attempt.usedSeconds * 1000LL));
    addPastReviewControls(review.attempt);
    reviewCard();
    showQuestion(kFirstQuestion);
}

void ExamWindow::setUp() {
    m_controls = ui::buildWindow(this, examWindowDeclaration(), examWindowControls());
    setWindowModality(Qt::ApplicationModal);
    m_page = new question::QuestionPage(this, m_controls, question::AnswerVariant::Exam, lcExam);
    m_page->setBankPath(m_store->bankPath());
    // The page follows the question's kind; the candidate cannot pick another one from the strip.
    m_page->answerPages()->tabBar()->setAttribute(Qt::WA_TransparentForMouseEvents);
    // 交卷标签 lies over the button's right part: clicks on the word reach the button.
    m_controls.widget(names::kSubmitLabel)->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_controls.widget(names::kAnswerButton)->setEnabled(false);
    makeKeyboardReachable();
    keepDesignBlanks(m_controls.get<QLabel>(names::kCountCaption));
    m_timer.setObjectName(u"时钟1"_s);
    m_timer.setInterval(Countdown::kTickInterval);
    m_timer.setTimerType(Qt::PreciseTimer);
    connectControls();
    connectAnswerControls();
    ui::AnswerKeys::install(this, m_controls, question::QuestionPage::answerKeyControls());
    ui::KeysWindow::installOn(this);
}

QString ExamWindow::scoresText(const study::ExamHistoryEntry& attempt) {
    const std::array<QString, 4> sections{u"单选"_s, u"多选"_s, u"判断"_s, u"计算分析"_s};
    QStringList parts;
    for (std::size_t i = 0; i < sections.size(); ++i)
        parts.append(u"%1 %2 分"_s.arg(sections[i]).arg(attempt.typeScores[i]));
    return parts.join(u"　"_s) + u"\n总分 %1 分（%2，%3 分及格）"_s.arg(attempt.total)
                                     .arg(attempt.total >= study::kPassScore ? u"及格"_s : u"未及格"_s)
                                     .arg(study::kPassScore);
}

// On the header's grey band, between the question's caption and the card; 只看错题, made after the
// declared controls, comes last in the Tab order.
void ExamWindow::addPastReviewControls(const study::ExamHistoryEntry& attempt) {
    QWidget* header = m_controls.widget(names::kHeader);
    m_onlyWrong = new QCheckBox(kOnlyWrong, header);
    m_onlyWrong->setObjectName(kOnlyWrong);
    m_onlyWrong->setAccessibleName(kOnlyWrong);
    m_onlyWrong->setGeometry(460, 72, 84, 24);
    auto* scores = new QLabel(scoresText(attempt), header);
    scores->setObjectName(kScores);
    scores->setAccessibleName(u"成绩"_s);
    QFont font = scores->font();
    font.setPixelSize(12);
    scores->setFont(font);
    scores->setGeometry(548, 68, 272, 34);
    connect(m_onlyWrong, &QCheckBox::toggled, this, &ExamWindow::setOnlyWrong);
}

void ExamWindow::setOnlyWrong(bool only) {
    if (!m_onlyWrong) return;
    if (only && walkedFrom(kFirstQuestion, 1) == 0) {
        const QSignalBlocker quiet(m_onlyWrong);
        m_onlyWrong->setChecked(false);
        ui::showMessage(this, kNoneWrong);
        return;
    }
    {
        const QSignalBlocker quiet(m_onlyWrong);
        m_onlyWrong->setChecked(only);
    }
    for (int id = kFirstQuestion; id <= kLastQuestion; ++id)
        m_controls.widget(cardButtonName(id))->setEnabled(isWalked(id));
    if (!isWalked(m_card.current())) showQuestion(walkedFrom(kFirstQuestion, 1));
}

bool ExamWindow::isWalked(int id) const {
    return !(m_onlyWrong && m_onlyWrong->isChecked() && m_card.isRight(id).value_or(false));
}

int ExamWindow::walkedFrom(int from, int step) const {
    for (int id = from; isPaperQuestion(id); id += step)
        if (isWalked(id)) return id;
    return 0;
}

ExamWindow::~ExamWindow() {
    if (m_cleared) return; // closed already
    // The session ending may destroy the window without closing it: the attempt is kept.
    if (!m_submitted && ui::isSessionEnding()) {
        keepProgress();
        m_attempt.close();
        return;
    }
    if (!m_submitted) m_attempt.forgetProgress();
    clearPaper();
}

void ExamWindow::showDeclared() {
    ui::showDeclared(this, examWindowDeclaration());
}

void ExamWindow::connectControls() {
    const auto button = [this](const QString& name) { return m_controls.get<QAbstractButton>(name); };
    connect(button(names::kFirst), &QAbstractButton::clicked, this, &ExamWindow::showFirst);
    connect(button(names::kPrevious), &QAbstractButton::clicked, this, &ExamWindow::showPrevious);
    connect(button(names::kNext), &QAbstractButton::clicked, this, &ExamWindow::showNext);
    connect(button(names::kLast), &QAbstractButton::clicked, this, &ExamWindow::showLast);
    connect(button(names::kAnswerButton), &QAbstractButton::clicked, this, &ExamWindow::openReview);
    m_zoom.attach(this, m_controls, examWindowControls());
    connect(button(names::kSubmit), &QAbstractButton::clicked, this, &ExamWindow::requestSubmission);
    for (int id = kFirstQuestion; id <= kLastQuestion; ++id)
        connect(button(cardButtonName(id)), &QAbstractButton::clicked, this,
                [this, id] { showQuestion(id); });
    connect(m_controls.get<ui::TransparentLabel>(names::kFlag), &ui::TransparentLabel::pressed, this,
            &ExamWindow::toggleFlag);
    m_controls.widget(names::kFlag)->setToolTip(ui::keyTip(ui::keys::kFlag));
    ui::bindButtonKey(this, button(names::kSubmit), ui::keys::kHandIn);
    ui::bindButtonKey(this, button(names::kAnswerButton), ui::keys::kScore);
    connect(&m_timer, &QTimer::timeout, this, &ExamWindow::tick);
}

void ExamWindow::connectAnswerControls() {
    const QList<QRadioButton*>& single = m_page->options().single();
    for (int i = 0; i < single.size(); ++i) {
        // A single choice counts the moment the button goes down.
        connect(single[i], &QAbstractButton::pressed, this,
                [this, letter = question::optionLetter(i)] { answerChoice(letter); });
    }
    connect(m_page, &question::QuestionPage::choiceGiven, this, &ExamWindow::answerChoice);
    connect(m_page, &question::QuestionPage::calcSubmitted, this, &ExamWindow::answerCalculation);
}

// Every action can be done from the keyboard, in the declared Tab order: 待查标签 acts as a button
// in its place. The window opens with the focus in the question, which a screen reader then reads,
// rather than on 待查标签, whose focus frame would show. The strip of the answer pages takes no focus,
// so its arrow keys cannot bring a page of another kind to the front. The countdown says what it
// counts for a screen reader; the panel's picture says it for the eye.
void ExamWindow::makeKeyboardReachable() {
    m_controls.get<ui::TransparentLabel>(names::kFlag)->setActsAsButton(true);
    ui::chainTabOrder(m_controls);
    // The calculation pages, built apart, follow the true/false page as they are declared.
    m_page->placeCalcTabStops();
    m_controls.widget(names::kQuestionText)->setFocus();
    m_page->answerPages()->tabBar()->setFocusPolicy(Qt::NoFocus);
    m_controls.widget(names::kCountdown)->setAccessibleDescription(u"剩余时间"_s);
}

void ExamWindow::loadPaper(const std::optional<study::ExamInProgress>& resumed) {
    common::Outcome<QList<QuestionRecord>> paper = m_store->readAll();
    // Answers still in the paper are a run's that ended without closing the window: an interrupted
    // attempt's, kept when it is resumed, and cleared otherwise.
    const bool clear = paper && !resumed;
    if (const common::Outcome<> cleared = clear ? m_store->clearAnswers() : common::Outcome<>(); !cleared) {
        qCWarning(lcExam).noquote() << "cannot clear" << m_store->table() << ":" << cleared.reason();
        m_page->tellUnsaved(cleared.reason());
    }
    if (paper) paper = m_store->readAll();
    if (paper) {
        for (const QuestionRecord& question : *paper)
            m_card.setAnswered(question.id, hasAnswer(question));
    } else {
        qCWarning(lcExam).noquote() << "cannot read" << m_store->table() << ":" << paper.reason();
    }
    showQuestion(kFirstQuestion);
    m_cardView.paintAll();
    m_countdown.start(resumed ? resumed->remainingMs : Countdown::kDuration);
    m_timer.start();
}

void ExamWindow::showQuestion(int id) {
    if (!isPaperQuestion(id)) return;
    keepTypedAnswer();
    const int previous = m_card.current();
    const common::Outcome<QuestionRecord> question = m_store->readQuestion(id);
    if (!question) {
        qCWarning(lcExam).noquote() << "cannot read question" << id << "of" << m_store->table() << ":"
                                    << question.reason();
        m_unreadable.tell(this, ui::UnreadableQuestionNotice::questionText(question.reason()));
    }
    m_question = question ? *question : emptyQuestion(id);
    m_card.setCurrent(id);
    m_controls.get<QLabel>(names::kNumber)->setText(QString::number(id));
    m_controls.get<QLabel>(names::kSection)->setText(sectionCaption(id));
    m_page->show(m_question, *paperQuestionType(id));
    if (m_marks) m_marks->showQuestion(bank::practiceTable(*paperQuestionType(id)), m_question.tm);
    setAnswersEditable(!m_submitted && question.ok());
    m_cardView.paint(previous);
    m_cardView.paint(id);
}

// Puts the question's recorded answer on the page of its kind.
void ExamWindow::putAnswerBack() {
    m_page->showAnswer(m_question, *paperQuestionType(m_question.id));
}

void ExamWindow::showFirst() {
    showQuestion(walkedFrom(kFirstQuestion, 1));
}

void ExamWindow::showLast() {
    showQuestion(walkedFrom(kLastQuestion, -1));
}

void ExamWindow::showPrevious() {
    const int previous = walkedFrom(m_card.current() - 1, -1);
    if (previous == 0) {
        ui::showMessage(this, kFirstReached);
        return;
    }
    showQuestion(previous);
}

void ExamWindow::showNext() {
    const int next = walkedFrom(m_card.current() + 1, 1);
    if (next == 0) {
        ui::showMessage(this, kLastReached);
        return;
    }
    showQuestion(next);
}

void ExamWindow::toggleFlag() {
    m_card.toggleFlag(m_card.current());
    m_cardView.paint(m_card.current());
}

void ExamWindow::answerChoice(const QString& value) {
    if (m_submitted) return;
    const int id = m_card.current();
    m_page->recordAndTell(
        u"answer %1 to question %2"_s.arg(value).arg(id), [&] { return recordChoice(*m_store, id, value); },
        [&](const common::Outcome<int>& recorded) { showRecorded(id, recorded); });
}

void ExamWindow::answerCalculation() {
    if (m_submitted) return;
    const int id = m_card.current();
    m_page->recordAndTell(
        u"calculation answer to question %1"_s.arg(id),
        [&] { return recordCalculation(*m_store, id, calcPages()->answers()); },
        [&](const common::Outcome<int>& recorded) {
            if (recorded) calcPages()->markRecorded();
            showRecorded(id, recorded);
        });
}

void ExamWindow::showRecorded(int id, const common::Outcome<int>& recorded) {
    if (!recorded) return showStoredAnswer(id);
    keepProgress();
    refreshAnswered(id);
}

// After a failed write the page shows what the table holds, not what was clicked or typed. A
// single choice fails while its button is down: lifted here, the button's release does not check it.
void ExamWindow::showStoredAnswer(int id) {
    for (int n = 1; n <= 4; ++n)
        m_controls.get<QAbstractButton>(names::singleOption(n))->setDown(false);
    refreshAnswered(id);
    putAnswerBack();
}

// Typed amounts and journal lines count as given when the candidate leaves the question or the
// paper is submitted, as if 提交答案 had been pressed; answers already in the table are not written again.
void ExamWindow::keepTypedAnswer() {
    if (!m_submitted && paperQuestionType(m_card.current()) == QuestionType::Calculation &&
        calcPages()->hasUnrecordedChanges())
        answerCalculation();
}

// What the table now holds decides the card, so a failed statement never shows as answered.
void ExamWindow::refreshAnswered(int id) {
    const common::Outcome<QuestionRecord> question = m_store->readQuestion(id);
    if (question) {
        m_question = *question;
        m_card.setAnswered(id, hasAnswer(*question));
    }
    m_cardView.paint(id);
}

// After hand-in each number shows whether its question earned its full points, as the paper's table
// holds the scores; a table that cannot be read leaves the card as it was.
void ExamWindow::reviewCard() {
    const common::Outcome<QList<QuestionRecord>> paper = m_store->readAll();
    if (!paper) {
        qCWarning(lcExam).noquote() << "cannot review" << m_store->table() << ":" << paper.reason();
        return;
    }
    for (const QuestionRecord& question : *paper) {
        const std::optional<QuestionType> type = paperQuestionType(question.id);
        if (type) m_card.setRight(question.id, question.fen.trimmed().toInt() == typePoints(*type));
    }
    m_cardView.paintAll();
}

void ExamWindow::tick() {
    if (!m_countdown.tick()) {
        if (!m_countdown.isRunning()) return;
        m_controls.get<QLabel>(names::kCountdown)->setText(m_countdown.text());
        if (m_countdown.remaining() % kProgressEvery == 0) keepProgress();
        return;
    }
    // Stopped before the message, so the message is shown once. The paper is handed in before the
    // message says so: a candidate away from the desk, or a session ending while the box is up,
    // must find the attempt handed in, with the hour as its time.
    m_timer.stop();
    m_controls.get<QLabel>(names::kCountdown)->setText(Countdown::formatRemaining(0));
    if (!m_submitted) handIn();
    ui::showMessage(this, kTimeUp);
    showResult();
}

void ExamWindow::requestSubmission() {
    if (m_submitted) {
        showResult();
        return;
    }
    const int flagged = m_card.flaggedCount();
    if (!ui::askYesNo(this, flagged > 0 ? confirmSubmitWithFlags(flagged) : kConfirmSubmit)) return;
    // The time may have run out while the question was open; that submitted the paper already.
    if (m_submitted) return;
    submit();
}

void ExamWindow::handInAsItStands() {
    if (!m_submitted) submit();
}

void ExamWindow::submit() {
    handIn();
    showResult();
}

void ExamWindow::handIn() {
    keepTypedAnswer(); // before the scores are summed
    m_submitted = true;
    m_timer.stop();
    m_countdown.stop();
    setAnswersEditable(false);
    m_controls.widget(names::kAnswerButton)->setEnabled(true);
    reviewCard();
    m_attempt.keepHandedIn(m_countdown.usedSeconds());
    addMarks();
}

// 收藏 and 笔记 come with the review, at the free right end of the line that names the question.
// They go by the question's practice table, so a star given here joins that type's starred round.
void ExamWindow::addMarks() {
    if (m_marks) return;
    m_marks = new question::MarkButtons(this, {600, 71, 60, 26}, m_attempt.record());
    const int id = m_card.current();
    m_marks->showQuestion(bank::practiceTable(*paperQuestionType(id)), m_question.tm);
}

// F, S and N reach here when neither a field nor an answer key took them: N answers 错误 on a
// true/false question.
void ExamWindow::keyPressEvent(QKeyEvent* event) {
    const QKeySequence pressed(event->keyCombination());
    if (pressed == ui::keys::kFlag) return m_controls.get<ui::TransparentLabel>(names::kFlag)->press();
    if (m_marks && pressed == ui::keys::kStar) return m_marks->toggleStar();
    if (m_marks && pressed == ui::keys::kNote) return m_marks->openNote();
    QWidget::keyPressEvent(event);
}

void ExamWindow::keepProgress() {
    if (!m_submitted) m_attempt.keepProgress(m_countdown.remaining());
}

void ExamWindow::showResult() {
    if (!m_total) {
        const common::Outcome<int> total = m_store->sumScores();
        if (!total) {
            qCWarning(lcExam).noquote() << "cannot total" << m_store->table() << ":" << total.reason();
            return;
        }
        m_total = *total;
    }
    ui::showMessage(this, resultText(*m_total), kResultTitle);
}

void ExamWindow::setAnswersEditable(bool editable) {
    m_page->setAnswersEnabled(editable);
}

void ExamWindow::openReview() {
    if (!m_submitted) return;
    const int id = m_card.current();
    const common::Outcome<QuestionRecord> question = m_store->readQuestion(id);
    QuestionRecord shown = question ? *question : emptyQuestion(id);
    if (m_marks) shown.jx = m_marks->withNote(shown.jx);
    m_review = m_page->openAnswerWindow(shown, *paperQuestionType(id), m_attempt.path());
}

// The answer card keeps to the right edge at full height; the question text, the answer pages
// and the navigation bar share the rest, the navigation bar at the foot.
void ExamWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize client = event->size();
    m_cardView.layOut(client);
    QWidget* panel = m_controls.widget(names::kTimerPanel);
    panel->move(client.width() - kTimerPanelFromRight, panel->y());

    m_page->relayout(client, kExamArea);
}

void ExamWindow::closeEvent(QCloseEvent* event) {
    // The session ending closes the window unasked and keeps the attempt for the next start.
    if (!m_submitted && ui::isSessionEnding()) {
        m_timer.stop();
        keepProgress();
        m_attempt.close();
        m_cleared = true;
        QWidget::closeEvent(event);
        return;
    }
    // Closing clears the paper: Esc or the close button must not throw an attempt away unasked. The
    // countdown goes on while the question is open; its deadline is the clock's, so No costs no time.
    // Enter must not throw the attempt away: the question defaults to No.
    if (!m_submitted && !ui::askYesNo(this, kConfirmClose, {}, ui::Answer::No)) {
        event->ignore();
        return;
    }
    m_timer.stop();
    m_countdown.stop();
    if (!m_submitted) m_attempt.forgetProgress();
    clearPaper();
    QWidget::closeEvent(event);
}

void ExamWindow::clearPaper() {
    if (m_cleared) return;
    m_cleared = true;
    if (const common::Outcome<> cleared = m_store->clearAnswers(); !cleared)
        qCWarning(lcExam).noquote() << "cannot clear" << m_store->table() << ":" << cleared.reason();
}

} // namespace exam
