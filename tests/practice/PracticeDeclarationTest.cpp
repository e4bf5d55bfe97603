#include "DeclarationCheck.h"
#include "practice/PracticeNames.h"
#include "practice/PracticeWindow.h"
#include "practice/PracticeWindowDeclaration.h"
#include "question/QuestionLayout.h"
#include "ui/TabControl.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;
using namespace practice;

using bank::QuestionType;
using ui::Kind;

namespace {

struct Expected {
    QString name;
    Kind kind;
    QRect rect; // relative to the container; tab-page contents relative to the tab control
    std::optional<QString> caption;
};

// The practice window's own controls as they are meant to be at the design size.
const std::vector<Expected>& expected() {
    static const std::vector<Expected> e = {
        {u"图片框2"_s, Kind::PictureBox, {0, 0, 950, 104}, {}},
        {u"图片框3"_s, Kind::PictureBox, {55, 12, 240, 40}, {}},
        {u"透明标签1"_s, Kind::TransparentLabel, {320, 18, 104, 24}, u"专 项 练 习"_s},
        {u"透明标签5"_s, Kind::TransparentLabel, {35, 71, 88, 24}, u"Velmora"_s},
        {u"透明标签6"_s, Kind::TransparentLabel, {147, 72, 116, 24}, {}},
        {u"编辑框1"_s, Kind::TextEdit, {16, 110, 928, 226}, {}},
        {u"分隔条1"_s, Kind::SplitterLine, {0, 320, 728, 2}, {}},
        {u"高级选择夹1"_s, Kind::TabControl, {8, 324, 936, 284}, {}},
        {u"单选框1"_s, Kind::RadioButton, {20, 45, 885, 32}, {}},
        {u"单选框2"_s, Kind::RadioButton, {20, 92, 885, 32}, {}},
        {u"单选框3"_s, Kind::RadioButton, {20, 138, 885, 32}, {}},
        {u"单选框4"_s, Kind::RadioButton, {20, 187, 885, 32}, {}},
        {u"多选A"_s, Kind::CheckBox, {20, 45, 885, 32}, {}},
        {u"多选B"_s, Kind::CheckBox, {20, 92, 885, 32}, {}},
        {u"多选C"_s, Kind::CheckBox, {20, 138, 885, 32}, {}},
        {u"多选D"_s, Kind::CheckBox, {20, 187, 885, 32}, {}},
        {u"判断A"_s, Kind::RadioButton, {152, 116, 80, 24}, u"正确"_s},
        {u"判断B"_s, Kind::RadioButton, {336, 116, 80, 24}, u"错误"_s},
        {u"外形框1"_s, Kind::ShapeBox, {0, 570, 944, 56}, {}},
        {u"答案解析"_s, Kind::PushButton, {146, 14, 78, 32}, u"评分解析"_s},
        {u"上一题"_s, Kind::PictureButton, {240, 14, 72, 32}, u"上一题"_s},
        {u"下一题"_s, Kind::PictureButton, {328, 14, 72, 32}, u"下一题"_s},
        {u"缩小"_s, Kind::PictureButton, {565, 24, 50, 22}, QString()},
        {u"默认"_s, Kind::PictureButton, {623, 24, 50, 22}, QString()},
        {u"放大"_s, Kind::PictureButton, {680, 24, 50, 22}, QString()},
        {u"按钮3"_s, Kind::PushButton, {360, 164, 80, 32}, u"提交答案"_s},
        {u"图片框10"_s, Kind::PictureBox, {0, 20, 704, 408}, {}},
        {u"按钮2"_s, Kind::PushButton, {629, 176, 64, 32}, u"提交答案"_s},
    };
    return e;
}

QString captionOf(const QWidget* w) {
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
    if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
    return {};
}

} // namespace

TEST(PracticeDeclaration, TheBuiltWindowMatchesTheDrawing) {
    QTemporaryDir dir; // no bank there: the window stays empty and keeps its design texts
    PracticeWindow w(QuestionType::SingleChoice, dir.filePath(u"none.mdb"_s));
    EXPECT_EQ(w.windowTitle(), u"专项练习"_s);
    EXPECT_EQ(w.size(), QSize(944, 627));
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    for (const Expected& e : expected()) {
        const QWidget* c = w.findChild<QWidget*>(e.name);
        ASSERT_NE(c, nullptr) << e.name.toStdString();
        EXPECT_TRUE(ui::isOfKind(c, e.kind)) << e.name.toStdString();
        EXPECT_EQ(c->geometry(), e.rect) << e.name.toStdString();
        if (e.caption) {
            EXPECT_EQ(captionOf(c), *e.caption) << e.name.toStdString();
        }
    }
    // Everything declared, the calculation pages included, was built where declared.
    ui::Declaration all = practiceDeclarationWithCalcPages();
    for (ui::Control& c : all)
        if (c.name == names::kTypeLabel) c.text = u"单选题"_s; // filled on opening
    for (ui::Control& c : all)
        if (c.name == names::kPositionLabel) // moved to follow the type name
            c.rect.moveLeft(w.controls().widget(names::kPositionLabel)->x());
    EXPECT_EQ(ui::compareWithDeclaration(&w, all), QStringList());

    const auto* tabs = w.controls().get<ui::TabControl>(names::kAnswerPages);
    ASSERT_EQ(tabs->count(), 5);
    const QStringList captions = {u"单选题"_s, u"多选题"_s, u"判断题"_s, u"计算分析题_计算"_s,
                                  u"计算分析题_分录"_s};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(tabs->tabBar()->tabText(i), captions[i]);
    EXPECT_EQ(tabs->bodyRect().top(), 20);
    EXPECT_EQ(w.controls().widget(u"透明标签1"_s)->palette().color(QPalette::WindowText), QColor(181, 90, 0));
    EXPECT_EQ(w.controls().widget(u"透明标签6"_s)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(w.controls().widget(names::kQuestionText)->font().pixelSize(), 14);
    EXPECT_EQ(w.controls().widget(u"多选A"_s)->font().pixelSize(), 15);
    EXPECT_EQ(w.controls().widget(u"判断A"_s)->font().pixelSize(), 15);
}

TEST(PracticeLayout, DesignSizeKeepsTheDesignedBlocksApart) {
    const question::QuestionLayout l = question::QuestionLayout::forClient({944, 627}, kPracticeArea);
    EXPECT_EQ(l.header, QRect(0, 0, 944, 104));
    EXPECT_EQ(l.bar, QRect(0, 570, 944, 56));
    EXPECT_EQ(l.answerArea.height(), 284);
    EXPECT_EQ(l.answerArea.bottom() + 1 + 2, l.bar.top());
    EXPECT_EQ(l.optionWidth, 885);
}

TEST(PracticeLayout, NothingOverlapsOrLeavesTheWindow) {
    for (QSize client :
         {QSize(944, 627), QSize(1024, 768), QSize(1024, 740), QSize(1920, 1080), QSize(1280, 1024)}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(client.width()).arg(client.height()).toStdString());
        const question::QuestionLayout l = question::QuestionLayout::forClient(client, kPracticeArea);
        const QRect area(QPoint(0, 0), client);
        const QRect blocks[] = {l.header, l.questionBox, l.separator, l.answerArea, l.bar};
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(area.contains(blocks[i])) << i;
            EXPECT_FALSE(blocks[i].isEmpty()) << i;
            for (int j = i + 1; j < 5; ++j)
                EXPECT_FALSE(blocks[i].intersects(blocks[j])) << i << " " << j;
        }
        // Every page's content fits: the journal grid's scroll bar ends at 275, 提交答案 of page 4 at 196.
        EXPECT_GE(l.answerArea.height(), 276);
        EXPECT_EQ(l.bar.bottom(), client.height() - 2);
        EXPECT_EQ(l.questionBox.right(), client.width() - 1);
        EXPECT_EQ(l.answerArea.right(), client.width() - 1);
    }
}

TEST(PracticeLayout, ExtraHeightIsShared) {
    const question::QuestionLayout design = question::QuestionLayout::forClient({944, 627}, kPracticeArea);
    const question::QuestionLayout big = question::QuestionLayout::forClient({1920, 1080}, kPracticeArea);
    const int questionGrowth = big.questionBox.height() - design.questionBox.height();
    const int answerGrowth = big.answerArea.height() - design.answerArea.height();
    EXPECT_GT(answerGrowth, 0);
    EXPECT_GT(questionGrowth, answerGrowth); // the question text gets most of it
    EXPECT_EQ(questionGrowth + answerGrowth, 1080 - 627);
    // A short window still leaves the question box a few lines.
    EXPECT_GE(question::QuestionLayout::forClient({800, 560}, kPracticeArea).questionBox.height(), 60);
}
