// 待查, 交卷 and 答案解析 from the keyboard of the exam window, by the keys the F1 list names (the
// keys list and the binding come from one table, so a key the list shows is the key the window
// takes); and the picture button and the label that acts as a button show the keyboard focus.

#include "ExamWindowFixture.h"

#include "FocusShown.h"
#include "PlatformKeys.h"
#include "ScreenReader.h"
#include "exam/ExamNames.h"
#include "ui/Keys.h"
#include "ui/KeysWindow.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QTableWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using exam::ExamWindow;
namespace n = exam::names;

namespace {

class ExamButtonKeysTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(activate(f.window.get())); }

    // The key the F1 list gives the exam window for what `action` names.
    QKeySequence listedKey(const QString& action) {
        QTest::keySequence(f.window->windowHandle(), ui::keys::kKeysList);
        auto* list = qobject_cast<ui::KeysWindow*>(QApplication::activeModalWidget());
        if (!list) return {};
        QString keys;
        const auto* table = list->findChild<QTableWidget*>(u"全真考场"_s);
        for (int row = 0; table && row < table->rowCount(); ++row)
            if (table->item(row, 1)->text() == action) keys = table->item(row, 0)->text();
        list->close();
        activate(f.window.get());
        return QKeySequence(keys, QKeySequence::NativeText);
    }
    void press(const QKeySequence& key) { QTest::keySequence(f.window->windowHandle(), key); }
    QString tooltip(const QString& name) const { return f.get(name)->toolTip(); }

    ExamWindowFixture f;
};

} // namespace

TEST_F(ExamButtonKeysTest, TheListedFlagKeyMarksTheQuestionAndTakesTheMarkOffAgain) {
    const QKeySequence flag = listedKey(u"标记或取消待查"_s);
    ASSERT_FALSE(flag.isEmpty()) << "the list names a key for 待查";
    EXPECT_TRUE(tooltip(n::kFlag).endsWith(flag.toString(QKeySequence::NativeText)));
    f.clickOption(n::singleOption(2)); // the focus on an option, as after answering
    press(flag);
    EXPECT_TRUE(f.window->card().isFlagged(1));
    press(flag);
    EXPECT_FALSE(f.window->card().isFlagged(1));
}

TEST_F(ExamButtonKeysTest, TheListedHandInKeyAsksFirstAndAfterHandInTheScoreKeyOpensTheReview) {
    const QKeySequence handIn = listedKey(u"交卷（先询问）"_s);
    const QKeySequence score = listedKey(u"交卷后：答案解析"_s);
    ASSERT_FALSE(handIn.isEmpty()) << "the list names a key for 交卷";
    ASSERT_FALSE(score.isEmpty()) << "the list names a key for 答案解析";
    EXPECT_TRUE(tooltip(n::kSubmit).endsWith(handIn.toString(QKeySequence::NativeText)));
    EXPECT_TRUE(tooltip(n::kAnswerButton).endsWith(score.toString(QKeySequence::NativeText)));

    ui::ScopedMessageAnswers boxes(ui::Answer::No);
    press(score);
    EXPECT_EQ(f.window->reviewWindow(), nullptr) << "no review before hand-in";
    press(handIn);
    EXPECT_EQ(boxes.texts(), QStringList{ExamWindow::kConfirmSubmit});
    EXPECT_FALSE(f.get(n::kAnswerButton)->isEnabled()) << "No keeps the paper open";
    boxes.setAnswer(ui::Answer::Yes);
    press(handIn);
    ASSERT_TRUE(f.get(n::kAnswerButton)->isEnabled()) << "Yes hands the paper in";
    EXPECT_EQ(boxes.titles().last(), ExamWindow::kResultTitle) << "the score is told";
    press(score);
    EXPECT_NE(f.window->reviewWindow(), nullptr);
}

TEST_F(ExamButtonKeysTest, ThePictureButtonAndTheFlagLabelShowTheKeyboardFocus) {
    QWidget* submit = f.get(n::kSubmit);
    QWidget* flag = f.get(n::kFlag);
    QTest::keyClick(f.window->windowHandle(), Qt::Key_Tab); // the window is walked by keys
    ASSERT_FALSE(submit->hasFocus() || flag->hasFocus());
    const QImage submitPlain = submit->grab().toImage();
    const QImage flagPlain = flag->grab().toImage();
    ASSERT_TRUE(tabTo(flag));
    EXPECT_GT(clearlyChangedEdgeShare(flagPlain, flag->grab().toImage()), 0.05);
    ASSERT_TRUE(tabTo(submit));
    EXPECT_GT(clearlyChangedEdgeShare(submitPlain, submit->grab().toImage()), 0.05);
}
