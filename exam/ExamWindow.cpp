#include "ExamWindow.h"

#include "AnswerKeys.h"
#include "AnswerRules.h"
#include "CalcPages.h"
#include "ExamAnswerWindow.h"
#include "ExamAttemptRecord.h"
#include "ExamCalcAnswerWindow.h"
#include "ExamNames.h"
#include "ExamWindowDeclaration.h"
#include "Fonts.h"
#include "MessageBox.h"
#include "PaperRecording.h"
#include "PictureBox.h"
#include "PictureButton.h"
#include "Pictures.h"
#include "QuestionNumbering.h"
#include "QuestionType.h"
#include "Scoring.h"
#include "TabControl.h"
#include "TransparentLabel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLoggingCategory>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QTabBar>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

using bank::answerFromOptions;
using bank::falseAnswer;
using bank::optionsFromAnswer;
using bank::OptionStates;
using bank::paperQuestionType;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::trueAnswer;
using bank::trueFalseAnswer;
using bank::typePoints;

Q_LOGGING_CATEGORY(lcExam, "velmora.exam", QtInfoMsg)

namespace exam {
namespace {

constexpr int kCardWidth = 203;
constexpr int kCardTop = 68;
constexpr int kCardFootMargin = 2;   // under the legend at the design size
constexpr int kCardTitleBottom = 36; // 图片框1 and what lies above it never move
constexpr int kCardGap = 8;
constexpr int kHeaderHeight = 104;
constexpr int kTimerPanelFromRight = 300; // the design's distance of the panel from the right edge
constexpr int kQuestionTop = 110;
constexpr int kNavigationHeight = 56;
constexpr int kMinAnswerHeight = 284; // the design's answer pages
constexpr int kMaxAnswerHeight = 428; // tall enough for the whole journal-entry grid
constexpr int kPreferredQuestionHeight = 200;
constexpr int kMinQuestionHeight = 80;
constexpr int kOptionWidth = 665; // declared, in answer pages 728 wide
constexpr int kOptionMargin = 63; // 728 - 665: the options' right margin inside the answer pages

// Zoom: two pixels a step, from two steps smaller to five larger than the declared sizes.
constexpr int kZoomPixels = 2;
constexpr int kMinZoomStep = -2;
constexpr int kMaxZoomStep = 5;

const QString kLetters = u"ABCD"_s;

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

// At its design height (the client's height less the card's top) and above, the answer card keeps its
// declared layout. A shorter card keeps the legend at its foot and draws the rows between title and legend
// closer together.
void layOutCard(const ui::Built& controls, int cardHeight) {
    const QRect legend = ui::findDeclared(examWindowControls(), names::kLegend)->rect;
    const int legendTop = legend.top();
    const int shortBy = std::max(0, legend.bottom() + 1 + kCardFootMargin - cardHeight);
    const double scale = double(legendTop - shortBy - kCardTitleBottom) / (legendTop - kCardTitleBottom);
    for (const ui::Control& c : examWindowControls()) {
        if (c.parent != names::kCard) continue;
        int top = c.rect.top();
        if (c.name == names::kLegend)
            top -= shortBy;
        else if (top >= kCardTitleBottom)
            top = kCardTitleBottom + qRound((top - kCardTitleBottom) * scale);
        controls.widget(c.name)->move(c.rect.left(), top);
    }
}

// The controls the answer keys press: the single and multiple options, true/false, and moving.
ui::AnswerControls answerControls() {
    ui::AnswerControls controls{{{}, {}}, {names::kTrue, names::kFalse}, names::kPrevious, names::kNext};
    for (int n = 1; n <= 4; ++n) {
        controls.optionSets[0].append(names::singleOption(n));
        controls.optionSets[1].append(names::multipleOption(n));
    }
    return controls;
}

} // namespace

QString ExamWindow::resultText(int total) {
    return u"你本次考试的得分为:\r\n\r\n"_s + QString::number(total) + u" 分"_s;
}

ExamWindow::ExamWindow(std::unique_ptr<PaperStore> store, Countdown::Clock clock, QWidget* parent)
    : QWidget(parent), m_store(std::move(store)), m_countdown(std::move(clock)),
      m_confirm([](QWidget* owner, const QString& text) {
          // Enter must not throw the attempt away: closing unsubmitted defaults to No.
          return ui::askYesNo(owner, text, {}, text == kConfirmClose ? ui::Answer::No : ui::Answer::Yes);
      }) {
    m_controls = ui::buildWindow(this, examWindowDeclaration(), examWindowControls());
    setWindowModality(Qt::ApplicationModal);
    m_pages = m_controls.get<ui::TabControl>(names::kPages);
    // The page follows the question's kind; the candidate cannot pick another one from the strip.
    m_pages->tabBar()->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_calc = new entry::CalcPages(m_pages);
    // 交卷标签 lies over the button's right part: clicks on the word reach the button.
    m_controls.widget(names::kSubmitLabel)->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_controls.widget(names::kReview)->setEnabled(false);
    makeKeyboardReachable();
    keepDesignBlanks(m_controls.get<QLabel>(names::kCountCaption));
    m_timer.setObjectName(u"时钟1"_s);
    m_timer.setInterval(Countdown::kTickInterval);
    m_timer.setTimerType(Qt::PreciseTimer);
    connectControls();
    connectAnswerControls();
    ui::AnswerKeys::install(this, m_controls, answerControls());
    loadPaper();
}

ExamWindow::~ExamWindow() {
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
    connect(button(names::kReview), &QAbstractButton::clicked, this, &ExamWindow::openReview);
    connect(button(names::kZoomIn), &QAbstractButton::clicked, this, &ExamWindow::zoomIn);
    connect(button(names::kZoomReset), &QAbstractButton::clicked, this, &ExamWindow::zoomReset);
    connect(button(names::kZoomOut), &QAbstractButton::clicked, this, &ExamWindow::zoomOut);
    connect(button(names::kSubmit), &QAbstractButton::clicked, this, &ExamWindow::requestSubmission);
    for (int id = kFirstQuestion; id <= kLastQuestion; ++id)
        connect(button(cardButtonName(id)), &QAbstractButton::clicked, this,
                [this, id] { showQuestion(id); });
    connect(m_controls.get<ui::TransparentLabel>(names::kFlag), &ui::TransparentLabel::pressed, this,
            &ExamWindow::toggleFlag);
    connect(&m_timer, &QTimer::timeout, this, &ExamWindow::tick);
}

void ExamWindow::connectAnswerControls() {
    for (int n = 1; n <= 4; ++n) {
        const QString letter = kLetters.mid(n - 1, 1);
        // A single choice counts the moment the button goes down.
        connect(m_controls.get<QAbstractButton>(names::singleOption(n)), &QAbstractButton::pressed, this,
                [this, letter] { answerChoice(letter); });
        connect(m_controls.get<QAbstractButton>(names::multipleOption(n)), &QAbstractButton::clicked, this,
                [this] {
                    OptionStates states{};
                    for (int i = 0; i < 4; ++i)
                        states[i] = m_controls.get<QCheckBox>(names::multipleOption(i + 1))->isChecked();
                    answerChoice(answerFromOptions(states));
                });
    }
    connect(m_controls.get<QAbstractButton>(names::kTrue), &QAbstractButton::clicked, this,
            [this] { answerChoice(trueFalseAnswer(true)); });
    connect(m_controls.get<QAbstractButton>(names::kFalse), &QAbstractButton::clicked, this,
            [this] { answerChoice(trueFalseAnswer(false)); });
    connect(m_calc, &entry::CalcPages::submitRequested, this, &ExamWindow::answerCalculation);
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
    ui::placeTabStopsAfter(ui::placeTabStopsAfter(m_controls.widget(names::kFalse), m_calc->amountsPage()),
                           m_calc->journalPage());
    m_controls.widget(names::kQuestionText)->setFocus();
    m_pages->tabBar()->setFocusPolicy(Qt::NoFocus);
    m_controls.widget(names::kCountdown)->setAccessibleDescription(u"剩余时间"_s);
}

void ExamWindow::loadPaper() {
    std::optional<QList<QuestionRecord>> paper = m_store->readPaper();
    // Answers still in the paper can only be a run's that ended without closing the window.
    if (paper && !m_store->clearAnswers()) {
        qCWarning(lcExam).noquote() << "cannot clear" << m_store->table() << ":" << m_store->lastError();
        writeFailed(m_store->lastError());
    }
    if (paper) paper = m_store->readPaper();
    if (paper) {
        for (const QuestionRecord& question : *paper)
            m_card.setAnswered(question.id, hasAnswer(question));
    } else {
        qCWarning(lcExam).noquote() << "cannot read" << m_store->table() << ":" << m_store->lastError();
    }
    showQuestion(kFirstQuestion);
    paintCard();
    m_countdown.start();
    m_timer.start();
}

void ExamWindow::showQuestion(int id) {
    if (!isPaperQuestion(id)) return;
    keepTypedAnswer();
    const int previous = m_card.current();
    const std::optional<QuestionRecord> question = m_store->readQuestion(id);
    if (!question)
        qCWarning(lcExam).noquote() << "cannot read question" << id << "of" << m_store->table() << ":"
                                    << m_store->lastError();
    m_question = question.value_or(emptyQuestion(id));
    m_card.setCurrent(id);
    m_controls.get<QLabel>(names::kNumber)->setText(QString::number(id));
    m_controls.get<QLabel>(names::kSection)->setText(sectionCaption(id));
    m_controls.get<QPlainTextEdit>(names::kQuestionText)->setPlainText(m_question.tm);
    putAnswerBack();
    setAnswersEditable(!m_submitted && question.has_value());
    paintCardButton(previous);
    paintCardButton(id);
}

// Puts the question's options and its recorded answer on the page of its kind.
void ExamWindow::putAnswerBack() {
    const int page = objectivePage(m_question.id);
    if (page < 0) {
        const QStringList recorded(m_question.answers.begin(), m_question.answers.end());
        m_calc->showQuestion(m_question.tx, recorded);
        return;
    }
    m_pages->setCurrentIndex(page);
    const QuestionType type = *paperQuestionType(m_question.id);
    const OptionStates states = optionsFromAnswer(type, m_question.xxda).value_or(OptionStates{});
    const auto put = [](QAbstractButton* option, const QString& text, bool checked) {
        // Exclusive radio buttons cannot be unchecked one by one; lift the rule while setting.
        option->setAutoExclusive(false);
        option->setText(text);
        option->setChecked(checked);
        option->setAutoExclusive(qobject_cast<QRadioButton*>(option) != nullptr);
    };
    if (type == QuestionType::TrueFalse) {
        put(m_controls.get<QAbstractButton>(names::kTrue), trueAnswer(), states[0]);
        put(m_controls.get<QAbstractButton>(names::kFalse), falseAnswer(), states[1]);
        return;
    }
    for (int n = 1; n <= 4; ++n) {
        const QString name =
            type == QuestionType::SingleChoice ? names::singleOption(n) : names::multipleOption(n);
        put(m_controls.get<QAbstractButton>(name), practice::optionCaption(n - 1, m_question.options[n - 1]),
            states[n - 1]);
    }
}

void ExamWindow::showFirst() {
    showQuestion(kFirstQuestion);
}

void ExamWindow::showLast() {
    showQuestion(kLastQuestion);
}

void ExamWindow::showPrevious() {
    if (m_card.current() == kFirstQuestion) {
        ui::showMessage(this, kFirstReached);
        return;
    }
    showQuestion(m_card.current() - 1);
}

void ExamWindow::showNext() {
    if (m_card.current() == kLastQuestion) {
        ui::showMessage(this, kLastReached);
        return;
    }
    showQuestion(m_card.current() + 1);
}

void ExamWindow::toggleFlag() {
    m_card.toggleFlag(m_card.current());
    paintCardButton(m_card.current());
}

void ExamWindow::answerChoice(const QString& value) {
    if (m_submitted) return;
    const int id = m_card.current();
    if (recordChoice(*m_store, id, value)) return refreshAnswered(id);
    const QString failure = m_store->lastError();
    qCWarning(lcExam).noquote() << "answer" << value << "to question" << id << "not recorded:" << failure;
    showStoredAnswer(id);
    writeFailed(failure);
}

void ExamWindow::answerCalculation() {
    if (m_submitted) return;
    const int id = m_card.current();
    if (recordCalculation(*m_store, id, m_calc->answers())) {
        m_calc->markRecorded();
        return refreshAnswered(id);
    }
    const QString failure = m_store->lastError();
    qCWarning(lcExam).noquote() << "calculation answer to question" << id << "not recorded:" << failure;
    showStoredAnswer(id);
    writeFailed(failure);
}

void ExamWindow::writeFailed(const QString& error) {
    m_unsaved.tell(this, m_store->bankPath(), error);
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
        m_calc->hasUnrecordedChanges())
        answerCalculation();
}

// What the table now holds decides the card, so a failed statement never shows as answered.
void ExamWindow::refreshAnswered(int id) {
    const std::optional<QuestionRecord> question = m_store->readQuestion(id);
    if (question) {
        m_question = *question;
        m_card.setAnswered(id, hasAnswer(*question));
    }
    paintCardButton(id);
}

void ExamWindow::paintCardButton(int id) {
    auto* button = m_controls.get<ui::PictureButton>(cardButtonName(id));
    if (!button) return;
    ui::ButtonLook look = button->look();
    const QColor colour = cardColour(m_card.state(id));
    look.normal.background = colour;
    look.hot.background = colour;
    button->setLook(look);
    const std::optional<bool> right = m_card.isRight(id);
    button->setOverlay(
        right ? ui::loadPicture(*right ? ui::MarkBox::kTickPicture : ui::MarkBox::kCrossPicture) : QImage());
    button->setAccessibleName(spokenCardButton(m_card, id));
    if (id == m_card.current())
        m_controls.get<ui::TransparentLabel>(names::kFlag)->setChecked(m_card.isFlagged(id));
}

// After hand-in each number shows whether its question earned its full points, as the paper's table
// holds the scores; a table that cannot be read leaves the card as it was.
void ExamWindow::reviewCard() {
    const std::optional<QList<QuestionRecord>> paper = m_store->readPaper();
    if (!paper) {
        qCWarning(lcExam).noquote() << "cannot review" << m_store->table() << ":" << m_store->lastError();
        return;
    }
    for (const QuestionRecord& question : *paper) {
        const std::optional<QuestionType> type = paperQuestionType(question.id);
        if (type) m_card.setRight(question.id, question.fen.trimmed().toInt() == typePoints(*type));
    }
    paintCard();
}

void ExamWindow::paintCard() {
    for (int id = kFirstQuestion; id <= kLastQuestion; ++id)
        paintCardButton(id);
}

void ExamWindow::tick() {
    if (!m_countdown.tick()) {
        if (m_countdown.isRunning()) m_controls.get<QLabel>(names::kCountdown)->setText(m_countdown.text());
        return;
    }
    // Stopped before the message, so the message is shown once.
    m_timer.stop();
    m_controls.get<QLabel>(names::kCountdown)->setText(Countdown::formatRemaining(0));
    ui::showMessage(this, kTimeUp);
    if (!m_submitted) submit();
}

void ExamWindow::requestSubmission() {
    if (m_submitted) {
        showResult();
        return;
    }
    if (!m_confirm(this, kConfirmSubmit)) return;
    // The time may have run out while the question was open; that submitted the paper already.
    if (m_submitted) return;
    submit();
}

void ExamWindow::submit() {
    keepTypedAnswer(); // before the scores are summed
    m_submitted = true;
    m_timer.stop();
    m_countdown.stop();
    setAnswersEditable(false);
    m_controls.widget(names::kReview)->setEnabled(true);
    reviewCard();
    keepInStudyRecord();
    showResult();
}

// The attempt outlives the window in the study record; a record that cannot take it is told once.
void ExamWindow::keepInStudyRecord() {
    const std::optional<study::ExamAttempt> attempt =
        handedInAttempt(*m_store, m_started, QDateTime::currentDateTime());
    if (!attempt) {
        qCWarning(lcExam).noquote() << "cannot read" << m_store->table()
                                    << "for the study record:" << m_store->lastError();
        return;
    }
    study::StudyRecord record(m_studyPath);
    record.recordExam(*attempt);
    record.close();
    const QString notice = record.takeNotice();
    if (!notice.isEmpty()) ui::showMessage(this, notice);
}

void ExamWindow::showResult() {
    if (!m_total) m_total = m_store->sumScores();
    if (!m_total) {
        qCWarning(lcExam).noquote() << "cannot total" << m_store->table() << ":" << m_store->lastError();
        return;
    }
    ui::showMessage(this, resultText(*m_total), kResultTitle);
}

void ExamWindow::setAnswersEditable(bool editable) {
    for (int n = 1; n <= 4; ++n) {
        m_controls.widget(names::singleOption(n))->setEnabled(editable);
        m_controls.widget(names::multipleOption(n))->setEnabled(editable);
    }
    m_controls.widget(names::kTrue)->setEnabled(editable);
    m_controls.widget(names::kFalse)->setEnabled(editable);
    m_calc->setEnabled(editable);
}

void ExamWindow::openReview() {
    if (!m_submitted) return;
    const int id = m_card.current();
    const std::optional<QuestionRecord> question = m_store->readQuestion(id);
    const QuestionRecord shown = question.value_or(emptyQuestion(id));
    practice::AnswerWindow* window = nullptr;
    if (paperQuestionType(id) == QuestionType::Calculation)
        window = new practice::ExamCalcAnswerWindow(shown, this);
    else
        window = new practice::ExamAnswerWindow(shown, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_review = window;
    window->showCentred();
}

void ExamWindow::zoomIn() {
    m_zoomStep = std::min(m_zoomStep + 1, kMaxZoomStep);
    applyZoom();
}

void ExamWindow::zoomOut() {
    m_zoomStep = std::max(m_zoomStep - 1, kMinZoomStep);
    applyZoom();
}

void ExamWindow::zoomReset() {
    m_zoomStep = 0;
    applyZoom();
}

// The question text and the option captions grow and shrink together from their declared sizes.
void ExamWindow::applyZoom() {
    QStringList zoomed{names::kQuestionText, names::kTrue, names::kFalse};
    for (int n = 1; n <= 4; ++n)
        zoomed << names::singleOption(n) << names::multipleOption(n);
    for (const QString& name : zoomed) {
        ui::Font font = ui::findDeclared(examWindowControls(), name)->font;
        font.pixels += m_zoomStep * kZoomPixels;
        m_controls.widget(name)->setFont(ui::fontFor(font));
    }
}

void ExamWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout(event->size());
}

// The answer card keeps to the right edge at full height; the question text, the answer pages
// and the navigation bar share the rest, the navigation bar at the foot.
void ExamWindow::relayout(QSize client) {
    const int width = client.width();
    const int height = client.height();
    const int cardLeft = width - kCardWidth;
    const int leftWidth = cardLeft - kCardGap;
    m_controls.widget(names::kCard)->setGeometry(cardLeft, kCardTop, kCardWidth, height - kCardTop);
    layOutCard(m_controls, height - kCardTop);
    m_controls.widget(names::kHeader)->setGeometry(0, 0, width, kHeaderHeight);
    QWidget* panel = m_controls.widget(names::kTimerPanel);
    panel->move(width - kTimerPanelFromRight, panel->y());

    const int navigationTop = height - kNavigationHeight;
    m_controls.widget(names::kNavigation)->setGeometry(0, navigationTop, leftWidth, kNavigationHeight);
    const int available = navigationTop - kQuestionTop;
    const int answerHeight =
        std::clamp(available - kPreferredQuestionHeight, kMinAnswerHeight, kMaxAnswerHeight);
    const int questionHeight = std::max(kMinQuestionHeight, available - answerHeight - 6);
    m_controls.widget(names::kQuestionText)->setGeometry(16, kQuestionTop, leftWidth - 16, questionHeight);
    const int splitterTop = kQuestionTop + questionHeight + 1;
    m_controls.widget(names::kSplitter)->setGeometry(0, splitterTop, leftWidth, 2);
    const int pagesTop = splitterTop + 3;
    m_pages->setGeometry(8, pagesTop, leftWidth - 8, std::max(0, navigationTop - pagesTop - 2));
    // Long options use the width the pages gain beyond their design.
    for (int n = 1; n <= 4; ++n)
        for (const QString& name : {names::singleOption(n), names::multipleOption(n)}) {
            QWidget* option = m_controls.widget(name);
            option->resize(std::max(kOptionWidth, m_pages->width() - kOptionMargin), option->height());
        }
}

void ExamWindow::closeEvent(QCloseEvent* event) {
    // Closing clears the paper: Esc or the close button must not throw an attempt away unasked. The
    // countdown goes on while the question is open; its deadline is the clock's, so No costs no time.
    if (!m_submitted && !m_confirm(this, kConfirmClose)) {
        event->ignore();
        return;
    }
    m_timer.stop();
    m_countdown.stop();
    clearPaper();
    QWidget::closeEvent(event);
}

void ExamWindow::clearPaper() {
    if (m_cleared) return;
    m_cleared = true;
    if (!m_store->clearAnswers())
        qCWarning(lcExam).noquote() << "cannot clear" << m_store->table() << ":" << m_store->lastError();
}

} // namespace exam
