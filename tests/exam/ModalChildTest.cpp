// Modal children of the exam window (the answer windows, the account chooser, the message boxes)
// stay above it for a window manager, close on Esc, Enter and Space, and hand activation back to the
// exam window, so its keys work again without a click.

#include "ExamWindowFixture.h"

#include "entry/GridNames.h"
#include "exam/ExamNames.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
namespace n = exam::names;

namespace {

// Activation arrives as an event of the platform; offscreen, qWaitForWindowActive only waits for
// the window to be shown.
bool becomesActive(QWidget* window) {
    return QTest::qWaitFor([window] { return window->isActiveWindow(); });
}

// A submitted paper with the answer window of `card` open and active.
QWidget* openReview(ExamWindowFixture& f, const QString& card) {
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    f.click(n::kSubmit);
    f.click(card);
    f.click(n::kAnswerButton);
    QWidget* review = f.window->reviewWindow();
    if (review) (void)becomesActive(review);
    return review;
}

} // namespace

class ModalChild : public ::testing::TestWithParam<Qt::Key> {};

TEST_P(ModalChild, AnAnswerWindowIsTransientForItsOpenerClosesOnTheKeyAndGivesActivationBack) {
    for (const QString& card : {u"单选2"_s, u"计算分析题2"_s}) {
        ExamWindowFixture f;
        ASSERT_TRUE(becomesActive(f.window.get()));
        QPointer<QWidget> review = openReview(f, card);
        ASSERT_NE(review, nullptr);
        ASSERT_TRUE(review->isActiveWindow()) << card.toStdString();
        ASSERT_NE(review->windowHandle(), nullptr);
        EXPECT_EQ(review->windowHandle()->transientParent(), f.window->windowHandle()) << card.toStdString();
        // On X11 only a dialog hands its transient parent on to the window manager.
        EXPECT_EQ(review->windowHandle()->type(), Qt::Dialog) << card.toStdString();

        QTest::keyClick(review->windowHandle(), GetParam());
        EXPECT_TRUE(review.isNull() || !review->isVisible()) << card.toStdString();
        EXPECT_TRUE(becomesActive(f.window.get())) << card.toStdString();
        EXPECT_EQ(QApplication::activeWindow(), f.window.get()) << card.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, ModalChild,
                         ::testing::Values(Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space));

TEST(ModalChildChooser, TheAccountChooserIsTransientForItsOpenerAndGivesActivationBack) {
    ExamWindowFixture f;
    ASSERT_TRUE(becomesActive(f.window.get()));
    f.window->showQuestion(62);
    QWindow* transientParent = nullptr;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* chooser = QApplication::activeModalWidget();
        if (!chooser || chooser == f.window.get()) return;
        seen = true;
        if (chooser->windowHandle()) transientParent = chooser->windowHandle()->transientParent();
        QTest::keyClick(chooser->windowHandle(), Qt::Key_Escape);
    });
    QTest::mouseClick(f.window->findChild<QWidget*>(entry::lineNames(1, 1).chooser), Qt::LeftButton);
    ASSERT_TRUE(seen);
    EXPECT_EQ(transientParent, f.window->windowHandle());
    EXPECT_TRUE(becomesActive(f.window.get()));
    EXPECT_EQ(QApplication::activeWindow(), f.window.get());
}

// A real box, not the test answers: 交卷 asked and answered 否 with Esc on the box.
TEST(ModalChildMessageBox, AQuestionBoxGivesActivationBackSoTheNextKeyReachesTheWindow) {
    ExamWindowFixture f;
    ASSERT_TRUE(becomesActive(f.window.get()));
    QWindow* transientParent = nullptr;
    bool asked = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->windowHandle()) return;
        asked = true;
        transientParent = box->windowHandle()->transientParent();
        QTest::keyClick(box->windowHandle(), Qt::Key_Escape);
    });
    f.click(n::kSubmit);
    ASSERT_TRUE(asked);
    EXPECT_EQ(transientParent, f.window->windowHandle());
    EXPECT_TRUE(becomesActive(f.window.get()));
    EXPECT_EQ(QApplication::activeWindow(), f.window.get());

    QTest::keyClick(f.window->windowHandle(), Qt::Key_PageDown);
    EXPECT_EQ(f.window->currentQuestion(), 2);
}
