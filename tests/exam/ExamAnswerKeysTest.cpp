// Answering a paper of the built bank from the keyboard: each key given through the platform window
// records in the paper's table what the click on its control records, and page keys move as the
// navigation buttons do, messages included.
#include "ExamWindowFixture.h"

#include "bank/Scoring.h"
#include "exam/BankPaperStore.h"
#include "exam/ExamNames.h"
#include "exam/QuestionNumbering.h"
#include "ui/MessageBox.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace exam;

using bank::falseAnswer;
using bank::QuestionRecord;
using bank::trueAnswer;
namespace n = exam::names;

namespace {

class ExamAnswerKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString shipped = QCoreApplication::applicationDirPath() + u"/qvtb.mdb"_s;
        ASSERT_TRUE(QFile::exists(shipped)) << "the build puts qvtb.mdb beside the tests";
        m_path = m_folder.filePath(u"qvtb.mdb"_s);
        ASSERT_TRUE(QFile::copy(shipped, m_path));
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
        m_exam = std::make_unique<ExamWindowFixture>(bankPaperStore(m_path, 3));
        m_exam->window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_exam->window.get()));
    }

    void key(Qt::Key key) { QTest::keyClick(m_exam->window->windowHandle(), key); }
    QString recorded(int id) {
        const common::Outcome<QuestionRecord> question = bankPaperStore(m_path, 3)->readQuestion(id);
        return question ? question->xxda : QString();
    }

    QTemporaryDir m_folder;
    QString m_path;
    std::unique_ptr<ExamWindowFixture> m_exam;
};

TEST_F(ExamAnswerKeysTest, KeysAnswerEveryObjectiveKindIntoThePaper) {
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    key(Qt::Key_PageUp);
    EXPECT_EQ(boxes.texts(), QStringList{ExamWindow::kFirstReached});
    key(Qt::Key_C);
    EXPECT_EQ(recorded(1), u"C"_s);
    key(Qt::Key_2);
    EXPECT_EQ(recorded(1), u"B"_s);
    key(Qt::Key_PageDown);
    EXPECT_EQ(m_exam->window->currentQuestion(), 2);
    key(Qt::Key_A);
    EXPECT_EQ(recorded(2), u"A"_s);
    EXPECT_EQ(m_exam->get(n::singleOption(4))->toolTip(), u"快捷键：D 或 4"_s);

    m_exam->click(cardButtonName(21));
    key(Qt::Key_D);
    key(Qt::Key_B);
    EXPECT_EQ(recorded(21), u"BD"_s);
    key(Qt::Key_4);
    EXPECT_EQ(recorded(21), u"B"_s);

    m_exam->click(cardButtonName(41));
    key(Qt::Key_Right);
    EXPECT_EQ(recorded(41), falseAnswer());
    key(Qt::Key_Y);
    EXPECT_EQ(recorded(41), trueAnswer());
    key(Qt::Key_N);
    EXPECT_EQ(recorded(41), falseAnswer());
    key(Qt::Key_Left);
    EXPECT_EQ(recorded(41), trueAnswer());
    EXPECT_EQ(m_exam->get(n::kFalse)->toolTip(), u"快捷键：N 或 →"_s);
}

} // namespace
