// Esc with a drop-down list open closes the list only; the window and the candidate's answers stay.
// Keys go through the platform window, so the window-wide shortcut sees them as a real key press.

#include "ExamWindowFixture.h"

#include "entry/GridNames.h"
#include "ui/MessageBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QComboBox* openMarkList(ExamWindowFixture& f) {
    f.window->showQuestion(62); // answered with journal entries
    auto* mark = f.window->findChild<QComboBox*>(entry::lineNames(1, 1).mark);
    mark->setFocus();
    mark->showPopup();
    return mark;
}

} // namespace

TEST(EscapeWithPopup, EscOnAnOpenListClosesTheListOnlyAndTheNextEscTheWindow) {
    ExamWindowFixture f;
    const int clearedOnOpening = f.store->clears();
    ui::ScopedMessageAnswers closeAnyway(ui::Answer::Yes);
    ASSERT_TRUE(QTest::qWaitFor([&f] { return f.window->isActiveWindow(); }));
    QComboBox* mark = openMarkList(f);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mark->view()->window()));
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);

    QTest::keyClick(f.window->windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the list closes";
    EXPECT_TRUE(f.window->isVisible()) << "the window stays open";
    EXPECT_EQ(f.store->clears(), clearedOnOpening) << "the paper is not cleared";
    EXPECT_TRUE(closeAnyway.texts().isEmpty()) << "nor is closing asked about";

    QTest::keyClick(f.window->windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(f.window->isVisible()) << "with no list open, Esc closes the window";
    EXPECT_EQ(f.store->clears() - clearedOnOpening, 1);
}
