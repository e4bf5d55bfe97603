#include "DeclarationCheck.h"
#include "question/AnswerNames.h"
#include "question/AnswerRules.h"
#include "question/CalcAnswerWindow.h"
#include "question/ObjectiveAnswerWindow.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;
using namespace question;

using bank::QuestionRecord;
using ui::Kind;
using ui::Mark;

namespace {

// The answer windows' controls as they are meant to be, inside the white panel 图片框1.
struct Expected {
    QString name;
    Kind kind;
    QRect rect;
    std::optional<QString> caption; // fixed captions only; filled controls are checked by behaviour
};

std::vector<Expected> objectiveExpected(bool exam) {
    std::vector<Expected> e;
    if (exam) {
        e.push_back({u"透明标签_题号2"_s, Kind::TransparentLabel, {27, 17, 160, 24}, {}});
    } else {
        e.push_back({u"透明标签6"_s, Kind::TransparentLabel, {24, 29, 59, 24}, u"本题得分："_s});
        e.push_back({u"透明标签7"_s, Kind::TransparentLabel, {90, 30, 112, 24}, {}});
    }
    e.push_back({u"透明标签3"_s, Kind::TransparentLabel, {25, exam ? 56 : 59, 59, 24}, u"标准答案："_s});
    e.push_back({u"透明标签1"_s, Kind::TransparentLabel, {90, exam ? 56 : 59, 112, 24}, {}});
    e.push_back({u"透明标签4"_s, Kind::TransparentLabel, {25, exam ? 88 : 90, 59, 24}, u"你的答案："_s});
    e.push_back({u"透明标签2"_s, Kind::TransparentLabel, {90, exam ? 88 : 90, 112, 24}, {}});
    e.push_back({u"图片框2"_s, Kind::MarkBox, {251, 44, 104, 104}, {}});
    e.push_back({u"透明标签5"_s, Kind::TransparentLabel, {25, 123, 59, 24}, u"答案解析："_s});
    e.push_back({u"编辑框1"_s, Kind::TextEdit, {11, 164, 376, 200}, {}});
    return e;
}

std::vector<Expected> calcExpected(bool exam) {
    std::vector<Expected> e;
    if (exam) e.push_back({u"当前题号"_s, Kind::TransparentLabel, {11, 1, 160, 24}, {}});
    e.push_back({u"透明标签3"_s, Kind::TransparentLabel, {41, 48, 122, 24}, u"标准答案(10分)："_s});
    e.push_back({u"透明标签4"_s, Kind::TransparentLabel, {272, 48, 115, 24}, u"你的答案(得分)"_s});
    e.push_back({u"透明标签1"_s, Kind::TransparentLabel, {395, 48, 74, 24}, {}});
    e.push_back({u"透明标签5"_s, Kind::TransparentLabel, {17, 395, 59, 24}, u"答案解析："_s});
    e.push_back({u"编辑框1"_s, Kind::TextEdit, {19, 420, 528, 136}, {}});
    const int labelTops[] = {96, 160, 224, 288, 352};
    const int boxTops[] = {84, 144, 208, 272, 336};
    const int markTops[] = {84, 144, 208, 272, 339};
    for (int n = 1; n <= 5; ++n) {
        e.push_back({u"透明标签_题号%1"_s.arg(n),
                     Kind::TransparentLabel,
                     {8, labelTops[n - 1], 27, 24},
                     u"(%1)"_s.arg(n)});
        // 59 high, not the drawn 50: room for a journal entry's three lines.
        e.push_back({u"标准答案编辑框%1"_s.arg(n), Kind::TextEdit, {40, boxTops[n - 1], 208, 59}, {}});
        e.push_back({u"考生答案编辑框%1"_s.arg(n), Kind::TextEdit, {272, boxTops[n - 1], 208, 59}, {}});
        e.push_back({u"图片框打分%1"_s.arg(n), Kind::MarkBox, {490, markTops[n - 1], 45, 45}, {}});
    }
    return e;
}

QString textOf(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(w)) return edit->toPlainText();
    return {};
}

// Every difference between a built answer window and how it is meant to be.
QStringList walk(const AnswerWindow& window, QSize client, QSize panel, const std::vector<Expected>& expected,
                 int controlCount) {
    QStringList faults;
    if (window.windowTitle() != u"答案解析"_s) faults << u"title "_s + window.windowTitle();
    if (window.size() != client || window.minimumSize() != client || window.maximumSize() != client)
        faults << u"client size"_s;
    const QWidget* box = window.controls().widget(names::kPanel);
    if (!box || box->geometry() != QRect(QPoint(5, 4), panel)) faults << u"panel"_s;
    for (const Expected& e : expected) {
        const QWidget* w = window.controls().widget(e.name);
        if (!w) {
            faults << e.name + u" missing"_s;
            continue;
        }
        if (w->parentWidget() != box) faults << e.name + u" not on the panel"_s;
        if (!ui::isOfKind(w, e.kind)) faults << e.name + u" kind"_s;
        if (w->geometry() != e.rect) faults << e.name + u" rect"_s;
        if (e.caption && textOf(w) != *e.caption) faults << e.name + u" caption "_s + textOf(w);
    }
    // Nothing more than the panel and what lies on it.
    if (window.controls().controls().size() != controlCount) faults << u"control count"_s;
    return faults;
}

QuestionRecord objective(const QString& standard, const QString& recorded, const QString& score, int id = 1) {
    QuestionRecord q;
    q.id = id;
    q.da = standard;
    q.xxda = recorded;
    q.fen = score;
    q.jx = u"解析"_s;
    return q;
}

QString text(const AnswerWindow& w, const QString& name) {
    return textOf(w.controls().widget(name));
}

Mark markOf(const AnswerWindow& w, const QString& name) {
    return w.controls().get<ui::MarkBox>(name)->mark();
}

} // namespace

TEST(AnswerWindows, EachWindowIsBuiltAsDrawn) {
    const QuestionRecord q = objective(u"A"_s, u"A"_s, u"1"_s);
    for (const AnswerVariant variant : {AnswerVariant::Practice, AnswerVariant::Exam}) {
        const bool exam = variant == AnswerVariant::Exam;
        EXPECT_EQ(walk(ObjectiveAnswerWindow(variant, q, nullptr), {406, 390}, {395, 380},
                       objectiveExpected(exam), exam ? 9 : 10),
                  QStringList());
        EXPECT_EQ(walk(CalcAnswerWindow(variant, q, nullptr), {567, 581}, {555, 572}, calcExpected(exam),
                       exam ? 27 : 26),
                  QStringList());
    }
}

TEST(AnswerWindows, LooksFollowTheDrawing) {
    ObjectiveAnswerWindow w(AnswerVariant::Practice, objective(u"A"_s, u"A"_s, u"1"_s), nullptr);
    const QWidget* score = w.controls().widget(u"透明标签7"_s);
    EXPECT_EQ(score->font().pixelSize(), 16);
    EXPECT_TRUE(score->font().bold());
    EXPECT_EQ(score->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(w.controls().widget(u"透明标签1"_s)->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_EQ(w.controls().widget(names::kExplanation)->font().pixelSize(), 13);
    EXPECT_TRUE(w.controls().get<QPlainTextEdit>(names::kExplanation)->isReadOnly());
    // The margin is the light-blue picture as tiles: a brush with a texture, not a plain colour.
    const QBrush margin = w.palette().brush(QPalette::Window);
    ASSERT_FALSE(margin.texture().isNull());
    EXPECT_EQ(margin.texture().toImage().pixelColor(5, 5), QColor(159, 203, 240));
    const QImage shot = w.grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(159, 203, 240));
    EXPECT_EQ(shot.pixelColor(403, 387), QColor(159, 203, 240));
    EXPECT_EQ(shot.pixelColor(200, 300), QColor(255, 255, 255)); // the white panel, under the explanation
}

TEST(AnswerWindows, PracticeObjectiveShowsAnswersScoreAndMark) {
    const ObjectiveAnswerWindow right(AnswerVariant::Practice, objective(u"ABD"_s, u"ABD"_s, u"2"_s),
                                      nullptr);
    EXPECT_EQ(text(right, u"透明标签1"_s), u"ABD"_s);
    EXPECT_EQ(text(right, u"透明标签2"_s), u"ABD"_s);
    EXPECT_EQ(text(right, u"透明标签7"_s), u"2"_s);
    EXPECT_EQ(markOf(right, u"图片框2"_s), Mark::Tick);
    EXPECT_EQ(text(right, names::kExplanation), u"解析"_s);

    const ObjectiveAnswerWindow unanswered(AnswerVariant::Practice, objective(u"C"_s, {}, u"0"_s), nullptr);
    EXPECT_EQ(text(unanswered, u"透明标签2"_s), u"未做"_s);
    EXPECT_EQ(text(unanswered, u"透明标签7"_s), u"0"_s);
    EXPECT_EQ(markOf(unanswered, u"图片框2"_s), Mark::Cross);

    const ObjectiveAnswerWindow wrong(AnswerVariant::Practice, objective(u"正确"_s, u"错误"_s, u"0"_s),
                                      nullptr);
    EXPECT_EQ(text(wrong, u"透明标签1"_s), u"正确"_s);
    EXPECT_EQ(text(wrong, u"透明标签2"_s), u"错误"_s);
    EXPECT_EQ(markOf(wrong, u"图片框2"_s), Mark::Cross);

    // A superset of the right letters is wrong: no partial credit, no tick.
    EXPECT_EQ(
        markOf(ObjectiveAnswerWindow(AnswerVariant::Practice, objective(u"AB"_s, u"ABC"_s, u"0"_s), nullptr),
               u"图片框2"_s),
        Mark::Cross);
}

TEST(AnswerWindows, ExamObjectiveShowsItsLabelAndNoScore) {
    const ObjectiveAnswerWindow w(AnswerVariant::Exam, objective(u"正确"_s, {}, u"0"_s, 41), nullptr);
    EXPECT_EQ(text(w, names::kObjectiveLabel), u"判断题第 1 题"_s);
    EXPECT_EQ(text(w, u"透明标签2"_s), QString()); // 未做 belongs to the practice window only
    EXPECT_EQ(markOf(w, u"图片框2"_s), Mark::Cross);
    EXPECT_EQ(w.controls().widget(u"透明标签7"_s), nullptr);
    EXPECT_EQ(text(ObjectiveAnswerWindow(AnswerVariant::Exam, objective(u"B"_s, u"B"_s, {}, 25), nullptr),
                   names::kObjectiveLabel),
              u"多选题第 5 题"_s);
}

TEST(AnswerWindows, PaperLabelsFollowTheSections) {
    QStringList shown;
    for (int id : {1, 20, 21, 25, 40, 41, 60, 61, 62, 0, 63})
        shown << paperQuestionLabel(id);
    EXPECT_EQ(shown.join(u'|'), u"单选题第 1 题|单选题第 20 题|多选题第 1 题|多选题第 5 题|多选题第 20 题|"
                                u"判断题第 1 题|判断题第 20 题|计算分析题第 1 题|计算分析题第 2 题||"_s);
}

TEST(AnswerWindows, CalcMarksEachFieldAndShowsTheScore) {
    QuestionRecord q;
    q.id = 61;
    q.standards = {u"100"_s, u"200"_s, u"300"_s, u"借 银行存款 500\n贷 实收资本 500"_s, u"600"_s};
    q.answers = {u"100"_s, u"200.00"_s, u"301"_s, u"贷 实收资本 500\n借 银行存款 500"_s, {}};
    q.fen = u"6"_s;
    q.jx = u"第一行\n第二行"_s;
    for (bool exam : {false, true}) {
        const auto w = std::make_unique<CalcAnswerWindow>(
            exam ? AnswerVariant::Exam : AnswerVariant::Practice, q, nullptr);
        const Mark expected[5] = {Mark::Tick, Mark::Tick, Mark::Cross, Mark::Tick, Mark::Cross};
        for (int n = 1; n <= 5; ++n) {
            EXPECT_EQ(markOf(*w, names::calcMark(n)), expected[n - 1]) << n;
            EXPECT_EQ(text(*w, names::calcStandard(n)), q.standards[n - 1]) << n;
            EXPECT_EQ(text(*w, names::calcRecorded(n)), q.answers[n - 1]) << n;
        }
        EXPECT_EQ(text(*w, names::kCalcScore), u"6"_s);
        EXPECT_EQ(text(*w, names::kExplanation), q.jx);
        if (exam) {
            EXPECT_EQ(text(*w, names::kCalcLabel), u"计算分析题第 1 题"_s);
        }
    }
    // A journal entry shows line by line in its box.
    CalcAnswerWindow w(AnswerVariant::Practice, q, nullptr);
    EXPECT_EQ(w.controls().get<QPlainTextEdit>(names::calcStandard(4))->document()->blockCount(), 2);
}

TEST(AnswerWindows, ModalOverTheOpenerAndClosedByEsc) {
    QWidget opener;
    opener.show();
    auto* w = new ObjectiveAnswerWindow(AnswerVariant::Practice, objective(u"A"_s, u"A"_s, u"1"_s), &opener);
    w->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<AnswerWindow> alive(w);
    w->showCentred();
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->windowModality(), Qt::WindowModal);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

TEST(AnswerWindows, AwkwardTextsShowExactly) {
    const QString quotes = u"它's \"引号\" '' ;--"_s;
    const QString longText = QString(10000, u'账');
    const QString lines = u"第一行\n第二行\r\n\n第四行"_s;
    const QString astral = u"𠀀𪚥 😀 end"_s;
    for (const QString& t : {quotes, longText, lines, astral}) {
        QuestionRecord q = objective(t, t, u"1"_s);
        q.jx = t;
        const ObjectiveAnswerWindow w(AnswerVariant::Practice, q, nullptr);
        EXPECT_EQ(text(w, u"透明标签1"_s), t);
        EXPECT_EQ(text(w, u"透明标签2"_s), t);
        // QPlainTextEdit keeps paragraphs; a CR LF pair reads back as one line break.
        QString shown = t;
        shown.replace(u"\r\n"_s, u"\n"_s);
        EXPECT_EQ(text(w, names::kExplanation), shown);
        EXPECT_EQ(w.size(), QSize(406, 390));
    }
    QuestionRecord q = objective(u"A"_s, u"A"_s, u"1"_s);
    q.jx = longText;
    ObjectiveAnswerWindow w(AnswerVariant::Practice, q, nullptr);
    w.show();
    // The long explanation scrolls inside its box; the window keeps its size.
    const auto* box = w.controls().get<QPlainTextEdit>(names::kExplanation);
    EXPECT_GT(box->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(box->size(), QSize(376, 200));
    EXPECT_EQ(w.size(), QSize(406, 390));
}
