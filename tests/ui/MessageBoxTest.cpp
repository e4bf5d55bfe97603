#include "ui/MessageBox.h"
#include "ui/ProgramFiles.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(MessageBox, AnswersAreRecordedAndGiven) {
    ui::ScopedMessageAnswers answers(ui::Answer::Yes);
    ui::showMessage(nullptr, u"还未选择任何题型"_s);
    EXPECT_TRUE(ui::askYesNo(nullptr, u"确定交卷吗?"_s, u"交卷"_s));
    answers.setAnswer(ui::Answer::No);
    EXPECT_FALSE(ui::askYesNo(nullptr, u"再问一次"_s));
    EXPECT_EQ(answers.texts(), (QStringList{u"还未选择任何题型"_s, u"确定交卷吗?"_s, u"再问一次"_s}));
    EXPECT_EQ(answers.titles().at(1), u"交卷"_s);
}

TEST(MessageBox, InnerScopeAnswersUntilItEnds) {
    ui::ScopedMessageAnswers outer(ui::Answer::No);
    {
        ui::ScopedMessageAnswers inner(ui::Answer::Yes);
        EXPECT_TRUE(ui::askYesNo(nullptr, u"内"_s));
        EXPECT_EQ(inner.texts().size(), 1);
    }
    EXPECT_FALSE(ui::askYesNo(nullptr, u"外"_s));
    EXPECT_EQ(outer.texts(), QStringList{u"外"_s});
}

TEST(ProgramFiles, WrittenNamesUseThePlatformSeparator) {
    const QString dir = QDir::toNativeSeparators(u"/opt/velmora"_s);
    EXPECT_EQ(QDir::fromNativeSeparators(ui::fileIn(dir, u"\\beikao.mht"_s)), u"/opt/velmora/beikao.mht"_s);
    EXPECT_EQ(QDir::fromNativeSeparators(ui::fileIn(dir, u"\\Velmora考试大纲.mht"_s)),
              u"/opt/velmora/Velmora考试大纲.mht"_s);
    EXPECT_EQ(QDir::fromNativeSeparators(ui::fileIn(dir, u"sub\\qvtb.mdb"_s)),
              u"/opt/velmora/sub/qvtb.mdb"_s);
    EXPECT_FALSE(ui::programFile(u"\\qvtb.mdb"_s).contains(u'\\'));
}

// A real box: Enter takes the default button, which may be No where Yes throws work away.
TEST(MessageBox, EnterGivesTheDefaultAnswer) {
    const auto enterOnTheBox = [] {
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QTest::keyClick(box, Qt::Key_Return);
        });
    };
    enterOnTheBox();
    EXPECT_TRUE(ui::askYesNo(nullptr, u"确定交卷吗?"_s));
    enterOnTheBox();
    EXPECT_FALSE(ui::askYesNo(nullptr, u"确定关闭吗?"_s, {}, ui::Answer::No));
}
