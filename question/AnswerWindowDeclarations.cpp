#include "question/AnswerWindowDeclarations.h"

#include "question/AnswerNames.h"
#include "ui/Palette.h"

using namespace Qt::StringLiterals;
using ui::Border;
using ui::Control;
using ui::Font;
using ui::Kind;

namespace question {
namespace {

using namespace ui::palette;
const Font kBold16{.pixels = 16, .bold = true};
const Font kBold15{.pixels = 15, .bold = true};
const QString kExplanationName = u"答案解析"_s; // the caption above the box

ui::WindowDeclaration answerWindow(QSize outer) {
    return {.title = u"答案解析"_s, .outerSize = outer, .frame = ui::Frame::Fixed};
}

Control panel(QSize size) {
    return {.name = names::kPanel,
            .kind = Kind::PictureBox,
            .rect = {QPoint(5, 4), size},
            .background = kWhite,
            .tabStop = false};
}

Control caption(const QString& name, QRect rect, const QString& text, Font font = {}) {
    return {.name = name,
            .kind = Kind::TransparentLabel,
            .rect = rect,
            .parent = names::kPanel,
            .text = text,
            .font = font,
            .foreground = kBlack};
}

Control value(const QString& name, QRect rect, const QString& text, const QColor& colour, Font font) {
    return {.name = name,
            .kind = Kind::TransparentLabel,
            .rect = rect,
            .parent = names::kPanel,
            .text = text,
            .font = font,
            .foreground = colour};
}

Control markBox(const QString& name, QRect rect) {
    return {.name = name,
            .kind = Kind::MarkBox,
            .rect = rect,
            .parent = names::kPanel,
            .background = kWhite,
            .tabStop = false};
}

// `spoken` is what a screen reader calls the box: the caption it lies under.
Control answerBox(const QString& name, QRect rect, const QString& spoken, Border border, Font font = {}) {
    return {.name = name,
            .kind = Kind::TextEdit,
            .rect = rect,
            .parent = names::kPanel,
            .font = font,
            .foreground = kBlack,
            .background = kWhite,
            .accessibleName = spoken,
            .border = border,
            .readOnly = true,
            .scrollBar = true,
            .hideSelection = true};
}

} // namespace

ui::WindowDeclaration objectiveAnswerWindowDeclaration() {
    return answerWindow({412, 418});
}

ui::WindowDeclaration calcAnswerWindowDeclaration() {
    return answerWindow({573, 609});
}

ui::Declaration objectiveAnswerDeclaration(AnswerVariant variant) {
    const bool exam = variant == AnswerVariant::Exam;
    ui::Declaration d;
    d.push_back(panel({395, 380}));
    if (exam) {
        d.push_back(caption(names::kObjectiveLabel, {27, 17, 160, 24}, {}));
    } else {
        d.push_back(caption(u"透明标签6"_s, {24, 29, 59, 24}, u"本题得分："_s));
        d.push_back(value(names::kObjectiveScore, {90, 30, 112, 24}, u"本题得分"_s, kRed, kBold16));
    }
    const int standardTop = exam ? 56 : 59;
    const int recordedTop = exam ? 88 : 90;
    d.push_back(caption(u"透明标签3"_s, {25, standardTop, 59, 24}, u"标准答案："_s));
    d.push_back(value(names::kObjectiveStandard, {90, standardTop, 112, 24}, u"标准答案"_s, kBlack, kBold16));
    d.push_back(caption(u"透明标签4"_s, {25, recordedTop, 59, 24}, u"你的答案："_s));
    d.push_back(value(names::kObjectiveRecorded, {90, recordedTop, 112, 24}, u"你的答案"_s, kRed, kBold16));
    d.push_back(markBox(names::kObjectiveMark, {251, 44, 104, 104}));
    d.push_back(caption(u"透明标签5"_s, {25, 123, 59, 24}, u"答案解析："_s));
    d.push_back(
        answerBox(names::kExplanation, {11, 164, 376, 200}, kExplanationName, Border::None, {.pixels = 13}));
    return d;
}

ui::Declaration calcAnswerDeclaration(AnswerVariant variant) {
    ui::Declaration d;
    d.push_back(panel({555, 572}));
    if (variant == AnswerVariant::Exam) d.push_back(caption(names::kCalcLabel, {11, 1, 160, 24}, {}));
    d.push_back(caption(u"透明标签3"_s, {41, 48, 122, 24}, u"标准答案(10分)："_s, kBold15));
    d.push_back(caption(u"透明标签4"_s, {272, 48, 115, 24}, u"你的答案(得分)"_s, kBold15));
    d.push_back(value(names::kCalcScore, {395, 48, 74, 24}, u"0"_s, kRed, kBold15));
    // Row tops as drawn: the first row sits a little closer to the headings, the last mark 3 px lower.
    struct RowTops {
        int label, boxes, mark;
    };
    constexpr RowTops rows[5] = {
        {96, 84, 84}, {160, 144, 144}, {224, 208, 208}, {288, 272, 272}, {352, 336, 339}};
    // The answer boxes are 59 high, not 50: a journal entry of three lines needs three lines of the
    // 12 px face (17.7 px each) inside the frame and the document margin; the rows, 60 apart at the
    // least, leave room for no more.
    constexpr int boxHeight = 59;
    for (int n = 1; n <= 5; ++n) {
        const RowTops& row = rows[n - 1];
        d.push_back(
            caption(names::calcRowLabel(n), {8, row.label, 27, 24}, u"(%1)"_s.arg(n), {.pixels = 15}));
        d.push_back(answerBox(names::calcStandard(n), {40, row.boxes, 208, boxHeight},
                              u"(%1) 标准答案"_s.arg(n), Border::SingleLine));
        d.push_back(answerBox(names::calcRecorded(n), {272, row.boxes, 208, boxHeight},
                              u"(%1) 你的答案"_s.arg(n), Border::SingleLine));
        d.push_back(markBox(names::calcMark(n), {490, row.mark, 45, 45}));
    }
    d.push_back(caption(u"透明标签5"_s, {17, 395, 59, 24}, u"答案解析："_s));
    d.push_back(answerBox(names::kExplanation, {19, 420, 528, 136}, kExplanationName, Border::ShallowSunken));
    return d;
}

} // namespace question
