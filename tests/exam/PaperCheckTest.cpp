// A paper whose table lacks a question (its row's number damaged away) is refused before its hour
// starts, naming the question as the candidate knows it; a whole paper opens as before.

#include "MemoryPaperStore.h"
#include "bank/QuestionType.h"
#include "exam/ExamLauncher.h"
#include "exam/ExamNames.h"
#include "ui/MessageBox.h"
#include "ui/UnreadableQuestionNotice.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using bank::paperTable;

namespace {

QList<bank::QuestionRecord> paperWithout(int paper, int id) {
    QList<bank::QuestionRecord> rows = samplePaper(paper);
    rows.removeIf([id](const bank::QuestionRecord& row) { return row.id == id; });
    return rows;
}

} // namespace

TEST(PaperCheck, APaperLackingAQuestionIsRefusedBeforeItsHourNamingIt) {
    QWidget main;
    main.show();
    exam::ExamLauncher launcher(&main, [](int paper) {
        return std::make_unique<MemoryPaperStore>(paperTable(paper),
                                                  paper == 14 ? paperWithout(14, 48) : samplePaper(paper));
    });
    ui::ScopedMessageAnswers boxes;
    launcher.enterExam(14);
    ASSERT_NE(launcher.notice(), nullptr);
    QTest::mouseClick(launcher.notice()->findChild<QWidget*>(exam::names::kEnter), Qt::LeftButton);
    EXPECT_EQ(launcher.examWindow(), nullptr);
    EXPECT_EQ(boxes.texts(), QStringList{ui::UnreadableQuestionNotice::paperText({u"判断题第 8 题"_s}, {})});

    launcher.enterExam(13);
    QTest::mouseClick(launcher.notice()->findChild<QWidget*>(exam::names::kEnter), Qt::LeftButton);
    ASSERT_NE(launcher.examWindow(), nullptr);
    EXPECT_TRUE(launcher.examWindow()->isCountdownTimerActive());
    EXPECT_EQ(boxes.texts().size(), 1);
    delete launcher.examWindow();
}
