#include "question/QuestionPage.h"

#include "bank/Scoring.h"
#include "entry/CalcPages.h"
#include "question/CalcAnswerWindow.h"
#include "question/ObjectiveAnswerWindow.h"
#include "question/QuestionPageNames.h"
#include "ui/Palette.h"
#include "ui/TabControl.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>

using namespace Qt::StringLiterals;

using bank::optionsFromAnswer;
using bank::OptionStates;
using bank::QuestionRecord;
using bank::QuestionType;
using common::Outcome;

namespace question {
namespace {

using namespace ui::palette;

ui::Control option(const QString& name, ui::Kind kind, QRect rect, names::AnswerPage page,
                   const QString& text, int pixels) {
    return {.name = name,
            .kind = kind,
            .rect = rect,
            .parent = names::kAnswerPages,
            .page = page,
            .text = text,
            .font = {.pixels = pixels},
            .foreground = kBlack,
            .background = kWhite};
}

} // namespace

ui::WindowDeclaration questionWindowDeclaration(const QString& title) {
    return {.title = title,
            .outerSize = {950, 655},
            .frame = ui::Frame::Sizable,
            .minimizeButton = true,
            .maximizeButton = true,
            .maximized = true,
            .minimumSize = ui::kSmallestLayout,
            .background = kWhite};
}

void appendQuestionArea(ui::Declaration& d, const QuestionAreaShape& shape) {
    d.push_back({.name = names::kQuestionText,
                 .kind = ui::Kind::TextEdit,
                 .rect = {16, 110, shape.questionWidth, 226},
                 .font = {.pixels = kQuestionTextPixels},
                 .foreground = kBlack,
                 .background = kWhite,
                 .accessibleName = kQuestionTextName,
                 .readOnly = true,
                 .scrollBar = true,
                 .hideSelection = shape.hideSelection});
    d.push_back({.name = names::kSeparator,
                 .kind = ui::Kind::SplitterLine,
                 .rect = {0, 320, 728, 2},
                 .foreground = kSilver,
                 .tabStop = shape.separatorTabStop});
    d.push_back({.name = names::kAnswerPages,
                 .kind = ui::Kind::TabControl,
                 .rect = {8, 324, shape.pagesWidth, 284},
                 .background = shape.background,
                 .items = {u"单选题"_s, u"多选题"_s, u"判断题"_s, u"计算分析题_计算"_s, u"计算分析题_分录"_s},
                 .stripHeight = 20,
                 .stripFont = {.pixels = 12, .face = u"SimSun"_s}});
    constexpr std::array<int, 4> tops{45, 92, 138, 187};
    for (int i = 0; i < 4; ++i)
        d.push_back(option(names::kSingleOptions[i], ui::Kind::RadioButton,
                           {20, tops[i], shape.optionWidth, 32}, names::SinglePage, shape.singleCaption, 14));
    for (int i = 0; i < 4; ++i)
        d.push_back(option(names::kMultipleOptions[i], ui::Kind::CheckBox,
                           {20, tops[i], shape.optionWidth, 32}, names::MultiplePage, shape.multipleCaption,
                           15));
    for (int i = 0; i < 2; ++i)
        d.push_back(option(names::kTrueFalseOptions[i], ui::Kind::RadioButton, {152 + 184 * i, 116, 80, 24},
                           names::TrueFalsePage, shape.trueFalseCaptions[i], 15));
}

names::AnswerPage answerPage(QuestionType type, const QString& typeText) {
    switch (type) {
    case QuestionType::SingleChoice:
        return names::SinglePage;
    case QuestionType::MultipleChoice:
        return names::MultiplePage;
    case QuestionType::TrueFalse:
        return names::TrueFalsePage;
    case QuestionType::Calculation:
        break;
    }
    return entry::pageForType(typeText) == entry::CalcPage::Amounts ? names::AmountsPage : names::JournalPage;
}

AnswerWindow* openAnswerWindow(AnswerVariant variant, QuestionType type, const QuestionRecord& question,
                               QWidget* opener, const QString& studyPath) {
    AnswerWindow* window = nullptr;
    if (type == QuestionType::Calculation)
        window = new CalcAnswerWindow(variant, question, opener);
    else
        window = new ObjectiveAnswerWindow(variant, question, opener);
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (studyPath.isEmpty())
        window->showCentred();
    else
        window->showPlaced(studyPath);
    return window;
}

QuestionPage::QuestionPage(QWidget* window, const ui::Built& controls, AnswerVariant variant, LogCategory log)
    : QObject(window), m_window(window), m_controls(controls), m_variant(variant), m_log(log),
      m_pages(controls.get<ui::TabControl>(names::kAnswerPages)), m_options(controls),
      m_calc(new entry::CalcPages(m_pages, names::AmountsPage, names::JournalPage)) {
    for (QAbstractButton* box : m_options.multiple())
        connect(box, &QAbstractButton::clicked, this,
                [this] { Q_EMIT choiceGiven(m_options.multipleAnswer()); });
    const QList<QRadioButton*>& trueFalse = m_options.trueFalse();
    for (int i = 0; i < trueFalse.size(); ++i)
        connect(trueFalse[i], &QAbstractButton::clicked, this,
                [this, i] { Q_EMIT choiceGiven(bank::trueFalseAnswer(i == 0)); });
    connect(m_calc, &entry::CalcPages::submitRequested, this, &QuestionPage::calcSubmitted);
}

void QuestionPage::placeCalcTabStops() {
    ui::placeTabStopsAfter(ui::placeTabStopsAfter(m_options.trueFalse().last(), m_calc->amountsPage()),
                           m_calc->journalPage());
}

ui::AnswerControls QuestionPage::answerKeyControls() {
    return {{names::kSingleOptions, names::kMultipleOptions},
            names::kTrueFalseOptions,
            names::kPrevious,
            names::kNext};
}

void QuestionPage::show(const QuestionRecord& question, QuestionType type) {
    auto* text = m_controls.get<QPlainTextEdit>(names::kQuestionText);
    text->setPlainText(question.tm);
    text->moveCursor(QTextCursor::Start);
    text->verticalScrollBar()->setValue(0);
    m_options.showCaptions(question.options);
    showAnswer(question, type);
}

void QuestionPage::showAnswer(const QuestionRecord& question, QuestionType type) {
    if (type == QuestionType::Calculation) {
        m_calc->showQuestion(question.tx, QStringList(question.answers.begin(), question.answers.end()));
        return;
    }
    m_pages->setCurrentIndex(answerPage(type, question.tx));
    const std::optional<OptionStates> states = optionsFromAnswer(type, question.xxda);
    if (!states)
        qCWarning(m_log).noquote() << "question" << question.id << "holds an unknown answer" << question.xxda;
    m_options.showStates(type, states.value_or(OptionStates{}));
}

void QuestionPage::setAnswersEnabled(bool enabled) {
    m_options.setEnabled(enabled);
    m_calc->setEnabled(enabled);
}

void QuestionPage::relayout(QSize client, const AreaRules& rules) const {
    const QuestionLayout layout = QuestionLayout::forClient(client, rules);
    m_controls.widget(names::kHeader)->setGeometry(layout.header);
    m_controls.widget(names::kQuestionText)->setGeometry(layout.questionBox);
    m_controls.widget(names::kSeparator)->setGeometry(layout.separator);
    m_pages->setGeometry(layout.answerArea);
    m_controls.widget(names::kBar)->setGeometry(layout.bar);
    for (QWidget* option : m_options.single())
        option->resize(layout.optionWidth, option->height());
    for (QWidget* option : m_options.multiple())
        option->resize(layout.optionWidth, option->height());
}

std::optional<int> QuestionPage::recordAndTell(const QString& what,
                                               const std::function<Outcome<int>()>& write,
                                               const std::function<void(const Outcome<int>&)>& showStored) {
    const Outcome<int> recorded = write();
    if (!recorded) qCWarning(m_log).noquote() << what << "not recorded:" << recorded.reason();
    showStored(recorded);
    if (!recorded) {
        tellUnsaved(recorded.reason());
        return std::nullopt;
    }
    return *recorded;
}

void QuestionPage::tellUnsaved(const QString& reason) {
    m_unsaved.tell(m_window, m_bankPath, reason);
}

AnswerWindow* QuestionPage::openAnswerWindow(const QuestionRecord& question, QuestionType type,
                                             const QString& studyPath) const {
    return question::openAnswerWindow(m_variant, type, question, m_window, studyPath);
}

} // namespace question
