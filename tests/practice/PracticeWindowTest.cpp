#include "practice/PracticeWindow.h"
#include "TestBank.h"
#include "entry/CalcPages.h"
#include "entry/GridNames.h"
#include "practice/PracticeNames.h"
#include "question/AnswerNames.h"
#include "question/CalcAnswerWindow.h"
#include "question/ObjectiveAnswerWindow.h"
#include "ui/MessageBox.h"
#include "ui/PictureBox.h"
#include "ui/TabControl.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace practice;

using bank::BankTable;
using bank::QuestionRecord;
using bank::QuestionType;

namespace {

const QString kAmounts = u"计算分析题-计算"_s;
const QString kJournal = u"计算分析题-分录"_s;

class PracticeWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QList<BankTable> tables = {
            {u"danxuan"_s,
             {choiceQuestion(1, u"下列属于资产的是"_s, {u"应收账款"_s, u"短期借款"_s, u"实收资本"_s, {}},
                             u"A"_s, {}, u"应收账款是资产。"_s),
              choiceQuestion(2, u"会计的基本职能是"_s, {u"核算与监督"_s, u"预测"_s, u"决策"_s, u"评价"_s},
                             u"A"_s, u"C"_s),
              choiceQuestion(3, u"借贷记账法的记账符号是"_s, {u"增减"_s, u"收付"_s, u"借贷"_s, u"进出"_s},
                             u"C"_s)}},
            {u"duoxuan"_s,
             {choiceQuestion(1, u"下列属于负债的有"_s,
                             {u"短期借款"_s, u"应付账款"_s, u"存货"_s, u"固定资产"_s}, u"AB"_s),
              choiceQuestion(2, u"会计要素包括"_s, {u"资产"_s, u"利润"_s, u"负债"_s, u"收入"_s}, u"ACD"_s,
                             u"ACD"_s)}},
            {u"panduan"_s,
             {choiceQuestion(1, u"资产是企业拥有或控制的资源。"_s, {}, u"正确"_s),
              choiceQuestion(2, u"负债是所有者权益。"_s, {}, u"错误"_s)}},
            {u"fenxi"_s,
             {calcQuestion(1, kAmounts, u"计算下列金额"_s, {u"100"_s, u"200"_s, u"300"_s, u"400"_s, u"500"_s},
                           u"逐项计算"_s),
              calcQuestion(2, kJournal, u"编制会计分录"_s,
                           {u"借 银行存款 100\n贷 实收资本 100"_s, u"借 原材料 50\n贷 银行存款 50"_s,
                            u"借 库存现金 10\n贷 银行存款 10"_s, u"借 管理费用 5\n贷 库存现金 5"_s,
                            u"借 应付账款 20\n贷 银行存款 20"_s}),
              calcQuestion(3, {}, u"类型为空"_s, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}),
              calcQuestion(4, kAmounts + u" "_s, u"类型后有空格"_s,
                           {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s})}},
        };
        ASSERT_EQ(m_bank.write(tables), QString());
    }

    // The answer and the score the bank holds for question `id` of `table`.
    std::pair<QString, QString> recorded(const QString& table, int id) const {
        const QuestionRecord row = m_bank.stored(table, id);
        return {row.xxda, row.fen};
    }

    std::unique_ptr<PracticeWindow> open(QuestionType type) {
        return std::make_unique<PracticeWindow>(type, m_bank.path());
    }

    template <class T = QWidget> static T* control(const PracticeWindow& w, const QString& name) {
        return w.controls().get<T>(name);
    }
    static QString questionText(const PracticeWindow& w) {
        return control<QPlainTextEdit>(w, names::kQuestionText)->toPlainText();
    }
    static int currentPage(const PracticeWindow& w) {
        return control<ui::TabControl>(w, names::kAnswerPages)->currentIndex();
    }
    static void press(PracticeWindow& w, const QString& name) {
        QTest::mouseClick(control(w, name), Qt::LeftButton, {}, QPoint(8, 16));
    }
    static void click(PracticeWindow& w, const QString& name) {
        QTest::mouseClick(control(w, name), Qt::LeftButton, {}, QPoint(8, 12));
    }
    static void push(PracticeWindow& w, const QString& name) { control<QAbstractButton>(w, name)->click(); }
    static QList<bool> ticks(const PracticeWindow& w, const QStringList& names) {
        QList<bool> out;
        for (const QString& name : names)
            out.append(control<QAbstractButton>(w, name)->isChecked());
        return out;
    }

    TestBank m_bank;
    // A round's summary comes up when its window closes after answers.
    ui::ScopedMessageAnswers m_summaries{ui::Answer::No};
};

TEST_F(PracticeWindowTest, OpensOnTheFirstQuestionWithItsCaptions) {
    auto w = open(QuestionType::SingleChoice);
    EXPECT_EQ(questionText(*w), u"下列属于资产的是"_s);
    EXPECT_EQ(control<QLabel>(*w, names::kTypeLabel)->text(), u"单选题"_s);
    EXPECT_EQ(currentPage(*w), names::SinglePage);
    EXPECT_EQ(control<QRadioButton>(*w, u"单选框1"_s)->text(), u"A 应收账款"_s);
    EXPECT_EQ(control<QRadioButton>(*w, u"单选框4"_s)->text(), u"D "_s); // empty option: letter and blank
    EXPECT_EQ(control<QCheckBox>(*w, u"多选D"_s)->text(), u"D "_s);
    EXPECT_EQ(ticks(*w, names::kSingleOptions), QList<bool>({false, false, false, false}));
    // The strip stays, but only this question's page can come to the front.
    QTabBar* bar = control<ui::TabControl>(*w, names::kAnswerPages)->tabBar();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(bar->isTabEnabled(i), i == names::SinglePage) << i;
    w->show();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(names::MultiplePage).center());
    EXPECT_EQ(currentPage(*w), names::SinglePage);

    for (auto [type, caption, page] :
         {std::tuple{QuestionType::MultipleChoice, u"多选题"_s, names::MultiplePage},
          std::tuple{QuestionType::TrueFalse, u"判断题"_s, names::TrueFalsePage}}) {
        auto other = open(type);
        EXPECT_EQ(control<QLabel>(*other, names::kTypeLabel)->text(), caption);
        EXPECT_EQ(currentPage(*other), page);
    }
}

TEST_F(PracticeWindowTest, SingleChoiceRecordsOnThePressAndScores) {
    auto w = open(QuestionType::SingleChoice);
    w->show();
    press(*w, u"单选框2"_s);
    EXPECT_EQ(recorded(u"danxuan"_s, 1), std::pair(u"B"_s, u"0"_s));
    press(*w, u"单选框1"_s);
    EXPECT_EQ(recorded(u"danxuan"_s, 1), std::pair(u"A"_s, u"1"_s));
    EXPECT_EQ(ticks(*w, names::kSingleOptions), QList<bool>({true, false, false, false}));
    // Only the current question changed.
    EXPECT_EQ(m_bank.stored(u"danxuan"_s, 3).xxda, QString());

    // The answer window shows what the bank holds now.
    QPointer<question::AnswerWindow> answer = w->openAnswerWindow();
    ASSERT_TRUE(answer);
    EXPECT_NE(qobject_cast<question::ObjectiveAnswerWindow*>(answer.data()), nullptr);
    EXPECT_EQ(answer->controls().get<QLabel>(question::names::kObjectiveRecorded)->text(), u"A"_s);
    EXPECT_EQ(answer->controls().get<QLabel>(question::names::kObjectiveScore)->text(), u"1"_s);
    EXPECT_EQ(answer->controls().get<ui::MarkBox>(question::names::kObjectiveMark)->mark(), ui::Mark::Tick);
    EXPECT_EQ(answer->parentWidget(), w.get());
    EXPECT_EQ(answer->windowModality(), Qt::WindowModal);
    answer->close();
}

TEST_F(PracticeWindowTest, SingleChoiceByKeyboardIsRecordedToo) {
    auto w = open(QuestionType::SingleChoice);
    w->show();
    QApplication::setActiveWindow(w.get());
    press(*w, u"单选框1"_s);
    ASSERT_EQ(m_bank.stored(u"danxuan"_s, 1).xxda, u"A"_s);
    // The arrow key moves the choice; what the options show is what the bank holds.
    QTest::keyClick(control(*w, u"单选框1"_s), Qt::Key_Down);
    EXPECT_EQ(ticks(*w, names::kSingleOptions), QList<bool>({false, true, false, false}));
    EXPECT_EQ(recorded(u"danxuan"_s, 1), std::pair(u"B"_s, u"0"_s));
}

TEST_F(PracticeWindowTest, RecordedAnswersArePutBack) {
    auto w = open(QuestionType::SingleChoice);
    w->show();
    w->showNext();
    EXPECT_EQ(w->question().id, 2);
    press(*w, names::kSingleOptions[2]);
    w->showNext();
    EXPECT_EQ(ticks(*w, names::kSingleOptions), QList<bool>({false, false, false, false}));
    w->showPrevious();
    EXPECT_EQ(ticks(*w, names::kSingleOptions), QList<bool>({false, false, true, false}));

    auto multiple = open(QuestionType::MultipleChoice);
    multiple->show();
    multiple->showNext();
    for (const QString& name : {u"多选A"_s, u"多选C"_s, u"多选D"_s})
        click(*multiple, name);
    multiple->showPrevious();
    EXPECT_EQ(ticks(*multiple, names::kMultipleOptions), QList<bool>({false, false, false, false}));
    multiple->showNext();
    EXPECT_EQ(ticks(*multiple, names::kMultipleOptions), QList<bool>({true, false, true, true}));
}

TEST_F(PracticeWindowTest, MultipleChoiceRecordsLettersInOrder) {
    auto w = open(QuestionType::MultipleChoice);
    w->show();
    // Each click records the ticked letters in order, and their score.
    const QList<std::tuple<QString, QString, QString>> clicks{
        {u"多选B"_s, u"B"_s, u"0"_s}, {u"多选A"_s, u"AB"_s, u"2"_s}, {u"多选D"_s, u"ABD"_s, u"0"_s}};
    for (const auto& [box, letters, score] : clicks) {
        click(*w, box);
        EXPECT_EQ(recorded(u"duoxuan"_s, 1), std::pair(letters, score)) << box.toStdString();
    }
    // Unticking every box records no answer, scoring 0, as the boxes show.
    for (const QString& name : {u"多选A"_s, u"多选B"_s, u"多选D"_s})
        click(*w, name);
    EXPECT_EQ(recorded(u"duoxuan"_s, 1), std::pair(QString(), u"0"_s));
    EXPECT_EQ(ticks(*w, names::kMultipleOptions), QList<bool>({false, false, false, false}));
}

TEST_F(PracticeWindowTest, TrueFalseRecordsTheWord) {
    auto w = open(QuestionType::TrueFalse);
    w->show();
    EXPECT_EQ(control<QRadioButton>(*w, u"判断A"_s)->text(), u"正确"_s);
    click(*w, u"判断B"_s);
    EXPECT_EQ(recorded(u"panduan"_s, 1), std::pair(u"错误"_s, u"0"_s));
    QPointer<question::AnswerWindow> answer = w->openAnswerWindow();
    EXPECT_EQ(answer->controls().get<QLabel>(question::names::kObjectiveStandard)->text(), u"正确"_s);
    EXPECT_EQ(answer->controls().get<QLabel>(question::names::kObjectiveRecorded)->text(), u"错误"_s);
    EXPECT_EQ(answer->controls().get<ui::MarkBox>(question::names::kObjectiveMark)->mark(), ui::Mark::Cross);
    answer->close();
    click(*w, u"判断A"_s);
    EXPECT_EQ(recorded(u"panduan"_s, 1), std::pair(u"正确"_s, u"1"_s));
}

TEST_F(PracticeWindowTest, UnansweredShowsNotDoneWithTheCross) {
    auto w = open(QuestionType::SingleChoice);
    w->show();
    QPointer<question::AnswerWindow> answer = w->openAnswerWindow();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->controls().get<QLabel>(question::names::kObjectiveRecorded)->text(), u"未做"_s);
    EXPECT_EQ(answer->controls().get<QLabel>(question::names::kObjectiveStandard)->text(), u"A"_s);
    EXPECT_EQ(answer->controls().get<QLabel>(question::names::kObjectiveScore)->text(), u"0"_s);
    EXPECT_EQ(answer->controls().get<ui::MarkBox>(question::names::kObjectiveMark)->mark(), ui::Mark::Cross);
    EXPECT_EQ(answer->controls().get<QPlainTextEdit>(question::names::kExplanation)->toPlainText(),
              u"应收账款是资产。"_s);
    answer->close();
}

TEST_F(PracticeWindowTest, CalculationPageFollowsTheWholeTypeText) {
    ASSERT_EQ(m_bank.stored(u"fenxi"_s, 4).tx, kAmounts + u" "_s);
    auto w = open(QuestionType::Calculation);
    const int expected[] = {names::AmountsPage, names::JournalPage, names::JournalPage, names::JournalPage};
    for (int id = 1; id <= 4; ++id) {
        EXPECT_EQ(w->question().id, id);
        EXPECT_EQ(currentPage(*w), expected[id - 1]) << id;
        QTabBar* bar = control<ui::TabControl>(*w, names::kAnswerPages)->tabBar();
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(bar->isTabEnabled(i), i == expected[id - 1]) << id << " " << i;
        w->showNext();
    }
}

TEST_F(PracticeWindowTest, CalculationSubmitScoresTwoPerRightField) {
    auto w = open(QuestionType::Calculation);
    w->show();
    const QStringList typed = {u"100"_s, u"200"_s, u"299"_s, u"400"_s, {}};
    for (int n = 1; n <= 5; ++n)
        w->findChild<QLineEdit*>(entry::amountEditName(n))->setText(typed[n - 1]);
    w->findChild<QPushButton*>(entry::kAmountsSubmitName)->click();
    const QuestionRecord stored = m_bank.stored(u"fenxi"_s, 1);
    EXPECT_EQ(QStringList(stored.answers.begin(), stored.answers.end()), typed);
    EXPECT_EQ(stored.fen, u"6"_s);

    QPointer<question::AnswerWindow> answer = w->openAnswerWindow();
    ASSERT_NE(qobject_cast<question::CalcAnswerWindow*>(answer.data()), nullptr);
    const ui::Mark marks[] = {ui::Mark::Tick, ui::Mark::Tick, ui::Mark::Cross, ui::Mark::Tick,
                              ui::Mark::Cross};
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(answer->controls().get<ui::MarkBox>(question::names::calcMark(n))->mark(), marks[n - 1])
            << n;
    EXPECT_EQ(answer->controls().get<QLabel>(question::names::kCalcScore)->text(), u"6"_s);
    answer->close();

    // Moving away and back puts the recorded amounts back.
    w->showNext();
    w->showPrevious();
    EXPECT_EQ(w->findChild<QLineEdit*>(entry::amountEditName(3))->text(), u"299"_s);
}

TEST_F(PracticeWindowTest, MovesNeverLeaveTheTable) {
    auto w = open(QuestionType::SingleChoice);
    w->show();
    push(*w, names::kPrevious);
    EXPECT_EQ(w->question().id, 1);
    EXPECT_EQ(questionText(*w), u"下列属于资产的是"_s);
    push(*w, names::kNext);
    push(*w, names::kNext);
    EXPECT_EQ(w->question().id, 3);
    push(*w, names::kNext);
    push(*w, names::kNext);
    EXPECT_EQ(w->question().id, 3);
    EXPECT_EQ(questionText(*w), u"借贷记账法的记账符号是"_s);
    EXPECT_EQ(currentPage(*w), names::SinglePage);
    // The row set really stayed on the last question: one step back is the second.
    push(*w, names::kPrevious);
    EXPECT_EQ(w->question().id, 2);
    // An answer on the last question after running past the end lands on that question.
    push(*w, names::kNext);
    push(*w, names::kNext);
    press(*w, u"单选框3"_s);
    EXPECT_EQ(recorded(u"danxuan"_s, 3), std::pair(u"C"_s, u"1"_s));

    auto calc = open(QuestionType::Calculation);
    calc->showPrevious();
    EXPECT_EQ(calc->question().id, 1);
    EXPECT_EQ(currentPage(*calc), names::AmountsPage);
}

TEST_F(PracticeWindowTest, ZoomStepsWithinLimitsAndResets) {
    auto w = open(QuestionType::SingleChoice);
    const auto pixels = [&](const QString& name) { return control(*w, name)->font().pixelSize(); };
    push(*w, names::kZoomIn);
    EXPECT_EQ(pixels(names::kQuestionText), 16);
    EXPECT_EQ(pixels(u"单选框1"_s), 16);
    EXPECT_EQ(pixels(u"多选A"_s), 17);
    push(*w, names::kZoomOut);
    push(*w, names::kZoomOut);
    EXPECT_EQ(pixels(names::kQuestionText), 12);
    for (int i = 0; i < 20; ++i)
        push(*w, names::kZoomIn);
    EXPECT_EQ(pixels(names::kQuestionText), 28);
    push(*w, names::kZoomReset);
    EXPECT_EQ(pixels(names::kQuestionText), 14);
    EXPECT_EQ(pixels(u"单选框1"_s), 14);
    EXPECT_EQ(pixels(u"多选A"_s), 15);
    for (int i = 0; i < 20; ++i)
        push(*w, names::kZoomOut);
    EXPECT_EQ(pixels(names::kQuestionText), 10);
    // The size stays for the next questions.
    w->showNext();
    EXPECT_EQ(pixels(names::kQuestionText), 10);
    push(*w, names::kZoomReset);
    EXPECT_EQ(pixels(names::kQuestionText), 14);
}

TEST_F(PracticeWindowTest, ClosingClearsTheTableForTheNextOpening) {
    {
        auto w = open(QuestionType::MultipleChoice);
        w->show();
        click(*w, u"多选A"_s);
        click(*w, u"多选B"_s);
        EXPECT_EQ(m_bank.stored(u"duoxuan"_s, 1).fen, u"2"_s);
        w->close();
        for (const QuestionRecord& row : m_bank.rows(u"duoxuan"_s)) {
            EXPECT_EQ(row.xxda, QString()) << row.id;
            EXPECT_EQ(row.fen, u"0"_s) << row.id;
        }
    }
    auto again = open(QuestionType::MultipleChoice);
    EXPECT_EQ(ticks(*again, names::kMultipleOptions), QList<bool>({false, false, false, false}));
    again->showNext(); // the row recorded before the bank was built is cleared too
    EXPECT_EQ(ticks(*again, names::kMultipleOptions), QList<bool>({false, false, false, false}));
    // The calculation table clears its five fields as well.
    {
        auto calc = open(QuestionType::Calculation);
        calc->findChild<QLineEdit*>(entry::amountEditName(1))->setText(u"100"_s);
        calc->findChild<QPushButton*>(entry::kAmountsSubmitName)->click();
        EXPECT_EQ(m_bank.stored(u"fenxi"_s, 1).answers[0], u"100"_s);
    }
    for (const QuestionRecord& row : m_bank.rows(u"fenxi"_s)) {
        EXPECT_EQ(row.fen, u"0"_s);
        for (const QString& answer : row.answers)
            EXPECT_EQ(answer, QString()) << row.id;
    }
}

TEST_F(PracticeWindowTest, TheWindowLaysItselfOutAtCommonScreenSizes) {
    auto w = open(QuestionType::Calculation);
    w->show();
    struct Expected {
        QSize size;
        QRect questionBox;
        QRect answerTabs;
        QRect bottomBar;
        int optionWidth;
    };
    // The answer area takes a third of the height beyond the design's 627, the question the rest.
    for (const Expected& e :
         {Expected{{1024, 768}, {16, 110, 1008, 262}, {8, 378, 1016, 331}, {0, 711, 1024, 56}, 965},
          Expected{{1920, 1080}, {16, 110, 1904, 470}, {8, 586, 1912, 435}, {0, 1023, 1920, 56}, 1861}}) {
        w->resize(e.size);
        EXPECT_EQ(control(*w, names::kQuestionText)->geometry(), e.questionBox);
        EXPECT_EQ(control(*w, names::kAnswerPages)->geometry(), e.answerTabs);
        EXPECT_EQ(control(*w, names::kBar)->geometry(), e.bottomBar);
        // The contents of every page lie inside the answer area.
        auto* tabControl = control(*w, names::kAnswerPages);
        const QRect tabs(QPoint(0, 0), e.answerTabs.size());
        for (const QString& name : {u"单选框4"_s, u"多选D"_s, u"判断B"_s, entry::kAmountsSubmitName,
                                    entry::kJournalSubmitName, entry::kScrollBarName}) {
            const QWidget* c = w->findChild<QWidget*>(name);
            const QRect inTabs(c->parentWidget()->mapTo(tabControl, c->pos()), c->size());
            EXPECT_TRUE(tabs.contains(inTabs)) << name.toStdString();
        }
        EXPECT_EQ(control(*w, u"单选框1"_s)->width(), e.optionWidth);
    }
}

// Texts that could break a statement or a display: each is shown, stored and read back exactly.
class AwkwardTextTest : public ::testing::Test {
protected:
    const QStringList m_texts = {u"它的'引号' 和 \"双引号\" '';--"_s, QString(10000, u'账'),
                                 u"第一行\n第二行\n\n第四行"_s, u"𠀀𪚥😀 在基本平面之外"_s};
    TestBank m_bank;
    // A round's summary comes up when its window closes after answers.
    ui::ScopedMessageAnswers m_summaries{ui::Answer::No};
};

TEST_F(AwkwardTextTest, QuestionsAnswersAndExplanationsSurviveExactly) {
    QList<QuestionRecord> single;
    QList<QuestionRecord> calc;
    for (int i = 0; i < m_texts.size(); ++i) {
        single.append(choiceQuestion(i + 1, m_texts[i], {m_texts[i], u"乙"_s, u"丙"_s, u"丁"_s}, u"A"_s, {},
                                     m_texts[i]));
        calc.append(calcQuestion(i + 1, kAmounts, m_texts[i], {m_texts[i], u"2"_s, u"3"_s, u"4"_s, u"5"_s},
                                 m_texts[i]));
    }
    ASSERT_EQ(m_bank.write({{u"danxuan"_s, single}, {u"fenxi"_s, calc}}), QString());

    PracticeWindow w(QuestionType::SingleChoice, m_bank.path());
    w.show();
    for (int i = 0; i < m_texts.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(w.controls().get<QPlainTextEdit>(names::kQuestionText)->toPlainText(), m_texts[i]);
        EXPECT_EQ(w.controls().get<QRadioButton>(u"单选框1"_s)->text(), u"A "_s + m_texts[i]);
        QTest::mouseClick(w.controls().widget(u"单选框1"_s), Qt::LeftButton, {}, QPoint(8, 16));
        const QuestionRecord stored = m_bank.stored(u"danxuan"_s, i + 1);
        EXPECT_EQ(stored.tm, m_texts[i]);
        EXPECT_EQ(stored.xxda, u"A"_s);
        EXPECT_EQ(stored.fen, u"1"_s);
        QPointer<question::AnswerWindow> answer = w.openAnswerWindow();
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->controls().get<QPlainTextEdit>(question::names::kExplanation)->toPlainText(),
                  m_texts[i]);
        EXPECT_EQ(answer->controls().get<ui::MarkBox>(question::names::kObjectiveMark)->mark(),
                  ui::Mark::Tick);
        answer->close();
        w.showNext();
    }
    // No other row was touched by a statement built from these texts.
    for (const QuestionRecord& row : m_bank.rows(u"danxuan"_s))
        EXPECT_EQ(row.da, u"A"_s);

    PracticeWindow c(QuestionType::Calculation, m_bank.path());
    c.show();
    for (int i = 0; i < m_texts.size(); ++i) {
        SCOPED_TRACE(i);
        // Amount boxes hold one line: line breaks are the journal page's business.
        const QString typed = QString(m_texts[i]).replace(u'\n', u' ');
        c.findChild<QLineEdit*>(entry::amountEditName(1))->setText(typed);
        c.findChild<QPushButton*>(entry::kAmountsSubmitName)->click();
        EXPECT_EQ(m_bank.stored(u"fenxi"_s, i + 1).answers[0], typed);
        // Away and back again: the box is filled from the bank, not left as typed.
        if (i + 1 < m_texts.size()) {
            c.showNext();
            c.showPrevious();
        } else {
            c.showPrevious();
            c.showNext();
        }
        EXPECT_EQ(c.question().id, i + 1);
        EXPECT_EQ(c.findChild<QLineEdit*>(entry::amountEditName(1))->text(), typed);
        c.showNext();
    }
}

TEST(PracticeWindowWithoutQuestions, MissingTableEmptyTableOrMissingFileLeaveAnEmptyUsableWindow) {
    TestBank bank;
    ASSERT_EQ(bank.write({{u"danxuan"_s, {}}, {u"panduan"_s, {choiceQuestion(1, u"题"_s, {}, u"正确"_s)}}}),
              QString());
    QTemporaryDir elsewhere;
    const std::pair<QuestionType, QString> cases[] = {
        {QuestionType::MultipleChoice, bank.path()},                     // no duoxuan table
        {QuestionType::SingleChoice, bank.path()},                       // danxuan without rows
        {QuestionType::Calculation, elsewhere.filePath(u"qvtb.mdb"_s)}}; // no bank at all
    for (const auto& [type, path] : cases) {
        auto* w = new PracticeWindow(type, path);
        w->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<PracticeWindow> alive(w);
        w->show();
        EXPECT_FALSE(w->hasQuestion());
        EXPECT_EQ(w->controls().get<QPlainTextEdit>(names::kQuestionText)->toPlainText(), QString());
        for (const QString& name : names::kSingleOptions + names::kMultipleOptions + names::kTrueFalseOptions)
            EXPECT_FALSE(w->controls().widget(name)->isEnabled()) << name.toStdString();
        EXPECT_FALSE(w->findChild<QWidget*>(entry::kAmountsSubmitName)->isEnabled());
        EXPECT_FALSE(w->controls().widget(names::kAnswerButton)->isEnabled());
        EXPECT_EQ(w->openAnswerWindow(), nullptr);
        w->showNext();
        w->showPrevious();
        w->zoom().in();
        EXPECT_EQ(w->questionPixels(), 16);
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(alive.isNull());
    }
    // The table beside the missing one was left as it was.
    EXPECT_EQ(bank.stored(u"panduan"_s, 1).da, u"正确"_s);
}

} // namespace
