// The 答案解析 window beside the practice window on a wide screen, where it covers none of the
// options; moved by the candidate, it opens where it was moved, also in the next sitting.

#include "practice/PracticeNames.h"
#include "practice/PracticeWindow.h"
#include "question/AnswerWindow.h"

#include <QFile>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const std::optional<QList<int>> kWholeTable;

class AnswerWindowPlace : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::screens().size(), 2);
        m_wide = QGuiApplication::screens().at(1);
        ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_BUILT_BANK), m_bank));
        QFile::setPermissions(m_bank, QFile::ReadOwner | QFile::WriteOwner);
    }

    // A practice window of the design size at the wide screen's left edge: a sitting.
    std::unique_ptr<practice::PracticeWindow> sitting() {
        auto w = std::make_unique<practice::PracticeWindow>(
            bank::QuestionType::SingleChoice, m_bank, m_folder.filePath(u"study.sqlite"_s), kWholeTable);
        w->setScreen(m_wide);
        w->resize(944, 627);
        w->move(m_wide->availableGeometry().topLeft());
        w->show();
        return w;
    }

    // 评分解析 clicked: the answer window it opens.
    static QPointer<question::AnswerWindow> openAnswer(practice::PracticeWindow& w) {
        QTest::mouseClick(w.controls().widget(practice::names::kAnswerButton), Qt::LeftButton);
        return w.findChild<question::AnswerWindow*>();
    }

    static void closeByKey(QPointer<question::AnswerWindow>& answer) {
        ASSERT_TRUE(QTest::qWaitFor([&answer] { return answer->isActiveWindow(); }));
        QTest::keyClick(answer->windowHandle(), Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([&answer] { return answer.isNull(); }));
    }

    QTemporaryDir m_folder;
    QString m_bank = m_folder.filePath(u"qvtb.mdb"_s);
    QScreen* m_wide = nullptr;
};

} // namespace

TEST_F(AnswerWindowPlace, OpensBesideTheQuestionWindowThenWhereTheCandidateMovedItAlsoNextSitting) {
    const QPoint moved = m_wide->availableGeometry().topLeft() + QPoint(300, 200);
    {
        std::unique_ptr<practice::PracticeWindow> w = sitting();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        QPointer<question::AnswerWindow> answer = openAnswer(*w);
        ASSERT_TRUE(answer);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(answer.data()));
        EXPECT_FALSE(answer->frameGeometry().intersects(w->frameGeometry()))
            << "beside, not over the options";
        EXPECT_TRUE(m_wide->availableGeometry().contains(answer->frameGeometry()));

        answer->move(moved);
        closeByKey(answer);
        answer = openAnswer(*w);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->pos(), moved) << "where it was moved, in the same sitting";
        closeByKey(answer);
    }
    std::unique_ptr<practice::PracticeWindow> next = sitting();
    QPointer<question::AnswerWindow> answer = openAnswer(*next);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->pos(), moved) << "and in the next";
}
