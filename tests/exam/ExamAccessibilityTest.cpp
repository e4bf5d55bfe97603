// The exam window as a screen reader and a keyboard reach it: what its painted controls tell Qt's
// accessibility, and every action in the declared Tab order from keys of the platform window; the
// notice, every answer page and the answer windows with every control named and reached by Tab.

#include "ExamWindowFixture.h"

#include "AccessibilityWalk.h"
#include "PlatformKeys.h"
#include "ScreenReader.h"
#include "exam/ExamNames.h"
#include "exam/ExamNoticeWindow.h"
#include "question/QuestionPage.h"
#include "ui/MessageBox.h"

#include <QAccessible>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTabBar>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;
namespace n = exam::names;

namespace {

QAccessibleInterface* readerOf(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

// The names of the controls Tab walks to, once round the window, from 待查标签, the first declared stop.
QStringList roundFromFlag(QWidget* window) {
    QStringList walked;
    for (int i = 0; i < 300; ++i) {
        QWidget* focus = QApplication::focusWidget();
        const QString name = qobject_cast<QTabBar*>(focus) ? u"(strip)"_s : focus->objectName();
        if (walked.contains(name)) break;
        walked << name;
        QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
    }
    const qsizetype flag = walked.indexOf(n::kFlag);
    if (flag > 0) std::rotate(walked.begin(), walked.begin() + flag, walked.end());
    return walked;
}

std::string faultsOf(QWidget* window) {
    return walkFaults(window).join(u"; "_s).toStdString();
}

void expectInOrder(const QStringList& walked, const QStringList& declared) {
    qsizetype last = -1;
    for (const QString& name : declared) {
        const qsizetype at = walked.indexOf(name);
        EXPECT_GT(at, last) << name.toStdString() << " in " << walked.join(u' ').toStdString();
        last = at;
    }
}

} // namespace

TEST(ExamAccessibility, CardButtonsSayTheirNumberAndStateInTheLegendsWords) {
    ExamWindowFixture f;
    QWidget* five = f.get(u"单选5"_s);
    EXPECT_EQ(readerOf(five)->role(), QAccessible::Button);
    EXPECT_EQ(accessibleName(f.get(u"单选1"_s)), u"单选 1，未做，当前"_s);
    EXPECT_EQ(accessibleName(five), u"单选 5，未做"_s);
    f.click(u"单选5"_s);
    f.clickOption(n::singleOption(2));
    f.click(n::kFlag);
    EXPECT_TRUE(readerOf(f.get(n::kFlag))->state().checked);
    f.click(u"判断题3"_s);
    EXPECT_EQ(accessibleName(five), u"单选 5，已做，待查"_s);
    EXPECT_EQ(accessibleName(f.get(u"判断题3"_s)), u"判断题 3，未做，当前"_s);
    EXPECT_FALSE(readerOf(f.get(n::kFlag))->state().checked);

    // A screen reader presses them as a click does.
    readerOf(f.get(n::kFlag))->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(f.window->card().isFlagged(43));
    readerOf(five)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.window->currentQuestion() == 5; }));

    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    f.click(n::kSubmit);
    EXPECT_EQ(accessibleName(five), u"单选 5，已做，待查，当前，答对"_s);
    EXPECT_EQ(accessibleName(f.get(u"单选6"_s)), u"单选 6，未做，答错"_s);
}

TEST(ExamAccessibility, QuestionOptionsAndRemainingTimeAreRead) {
    ExamWindowFixture f;
    QAccessibleTextInterface* question = readerOf(f.get(n::kQuestionText))->textInterface();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->text(0, question->characterCount()), f.store->rows()[0].tm);
    f.clickOption(n::singleOption(3));
    QAccessibleInterface* option = readerOf(f.get(n::singleOption(3)));
    EXPECT_EQ(option->role(), QAccessible::RadioButton);
    EXPECT_EQ(option->text(QAccessible::Name), u"C 选项 1-3"_s);
    EXPECT_TRUE(option->state().checked);

    f.tick();
    QAccessibleInterface* countdown = readerOf(f.get(n::kCountdown));
    EXPECT_EQ(countdown->text(QAccessible::Name), u"00:59:59"_s);
    EXPECT_EQ(countdown->text(QAccessible::Description), u"剩余时间"_s);
    EXPECT_EQ(accessibleName(f.get(n::kTimerPanel)), u"剩余时间"_s);
    EXPECT_EQ(accessibleName(f.get(n::kCard)), u"答题卡"_s);
    EXPECT_EQ(accessibleName(f.get(n::kSubmit)), u"交卷"_s);
    EXPECT_EQ(accessibleName(f.get(n::kLast)), u"最后一题"_s);
    EXPECT_EQ(readerOf(f.get(n::kAnswerPages))->text(QAccessible::Name), u"单选题"_s);
}

TEST(ExamAccessibility, EveryActionIsReachedByTabInTheDeclaredOrder) {
    ExamWindowFixture f;
    ASSERT_TRUE(activate(f.window.get()));
    EXPECT_EQ(QApplication::focusWidget(), f.get(n::kQuestionText)); // read first on opening
    const QStringList walked = roundFromFlag(f.window.get());
    EXPECT_FALSE(walked.contains(u"(strip)"_s)) << walked.join(u' ').toStdString();
    expectInOrder(walked, {n::kFlag, n::kSubmit, n::kQuestionText, n::singleOption(1), n::kFirst, n::kLast,
                           n::kZoomIn, u"单选1"_s, u"计算分析题2"_s});
    f.click(u"计算分析题2"_s);
    expectInOrder(roundFromFlag(f.window.get()),
                  {n::kQuestionText, u"组合框_分录1"_s, u"超级按钮_分录5"_s, u"按钮2"_s, n::kFirst});
}

TEST(ExamAccessibility, FlagCardButtonsAndSubmitWorkFromTheKeyboard) {
    ExamWindowFixture f;
    ASSERT_TRUE(activate(f.window.get()));
    QWindow* keys = f.window->windowHandle();
    const QImage flagUnfocused = f.get(n::kFlag)->grab().toImage();
    const QImage submitUnfocused = f.get(n::kSubmit)->grab().toImage();
    ASSERT_TRUE(tabTo(f.get(n::kFlag)));
    EXPECT_NE(f.get(n::kFlag)->grab().toImage(), flagUnfocused); // the focus shows
    QTest::keyClick(keys, Qt::Key_Space);
    EXPECT_TRUE(f.window->card().isFlagged(1));
    QTest::keyClick(keys, Qt::Key_Return);
    EXPECT_FALSE(f.window->card().isFlagged(1));

    ASSERT_TRUE(tabTo(f.get(u"多选4"_s)));
    QTest::keyClick(keys, Qt::Key_Return);
    EXPECT_EQ(f.window->currentQuestion(), 24);
    ui::ScopedMessageAnswers boxes(ui::Answer::No);
    ASSERT_TRUE(tabTo(f.get(n::kSubmit)));
    EXPECT_NE(f.get(n::kSubmit)->grab().toImage(), submitUnfocused);
    QTest::keyClick(keys, Qt::Key_Return);
    EXPECT_EQ(boxes.texts(), QStringList{exam::ExamWindow::kConfirmSubmit});
}

TEST(ExamAccessibility, TheNoticeReadsItsPictureAndEnterExamIsTheOneTabStop) {
    exam::ExamNoticeWindow notice(3);
    notice.show();
    notice.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&notice));
    EXPECT_EQ(faultsOf(&notice), "");
    EXPECT_TRUE(accessibleName(notice.controls().widget(n::kNoticePicture))
                    .startsWith(u"考生须知。考试科目：Velmora"_s));
    EXPECT_EQ(QApplication::focusWidget(), notice.controls().widget(n::kEnter));
}

TEST(ExamAccessibility, EveryAnswerPageAndAnswerWindowNamesItsControlsAndTabReachesThem) {
    ExamWindowFixture f;
    ASSERT_TRUE(activate(f.window.get()));
    EXPECT_EQ(accessibleName(f.get(n::kQuestionText)), question::kQuestionTextName);
    EXPECT_EQ(accessibleName(f.get(u"图片框12"_s)), u"当前"_s); // the legend's colours
    for (const QString& question :
         {u"单选1"_s, u"多选1"_s, u"判断题1"_s, u"计算分析题1"_s, u"计算分析题2"_s}) {
        f.click(question);
        EXPECT_EQ(faultsOf(f.window.get()), "") << question.toStdString();
    }
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    f.click(n::kSubmit);
    EXPECT_EQ(faultsOf(f.window.get()), "") << "handed in";
    for (const QString& question : {u"单选1"_s, u"计算分析题2"_s}) {
        f.click(question);
        const QWidgetList before = QApplication::topLevelWidgets();
        f.click(u"答案解析"_s);
        QWidget* opened = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && !before.contains(w)) opened = w;
            return opened != nullptr;
        }));
        ASSERT_TRUE(QTest::qWaitForWindowActive(opened));
        EXPECT_EQ(faultsOf(opened), "") << question.toStdString();
        opened->close();
    }
}
