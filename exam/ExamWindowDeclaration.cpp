#include "exam/ExamWindowDeclaration.h"

#include "bank/QuestionType.h"
#include "exam/ExamNames.h"
#include "exam/QuestionNumbering.h"
#include "question/QuestionPage.h"
#include "ui/Palette.h"

#include <array>

using namespace Qt::StringLiterals;

using bank::paperQuestionType;
using bank::QuestionType;
using ui::ButtonStyle;
using ui::Control;
using ui::Kind;

namespace exam {
namespace {

using namespace ui::palette;

// The grid rule: seven buttons a row; the sections' row tops and column lefts.
constexpr int kPerRow = 7;
constexpr std::array<int, 7> kColumns{8, 35, 62, 89, 116, 142, 169};
constexpr std::array<int, 7> kShiftedColumns{8, 35, 62, 88, 116, 142, 169};
struct SectionGrid {
    std::array<int, 3> rowTops;
    bool shiftFirstRow; // whether the first row already uses the shifted columns
    bool shiftLaterRows;
};
// In type order.
constexpr std::array<SectionGrid, 4> kSectionGrids{{
    {{67, 96, 125}, false, false},
    {{184, 214, 243}, false, true},
    {{299, 328, 356}, true, true},
    {{412, 412, 412}, false, false},
}};
const SectionGrid& gridOf(QuestionType type) {
    return kSectionGrids[typeIndex(type)];
}

Control label(const QString& name, QRect rect, const QString& parent, const QString& text, ui::Font font = {},
              QColor colour = kBlack) {
    return {.name = name,
            .kind = Kind::TransparentLabel,
            .rect = rect,
            .parent = parent,
            .text = text,
            .font = font,
            .foreground = colour};
}

// `words`: what the picture writes, for screen readers.
Control picture(const QString& name, QRect rect, const QString& parent, const QString& path,
                bool stretch = false, const QString& words = {}) {
    return {.name = name,
            .kind = Kind::PictureBox,
            .rect = rect,
            .parent = parent,
            .picture = path,
            .accessibleName = words,
            .stretch = stretch};
}

// A navigation-bar button: its picture only, flat with a frame under the mouse, system colours. The
// picture writes the button's name.
Control navigationButton(const QString& name, QRect rect, const QString& path) {
    return {.name = name,
            .kind = Kind::PictureButton,
            .rect = rect,
            .parent = names::kBar,
            .picture = path,
            .accessibleName = name,
            .look = {.style = ButtonStyle::HotFrame}};
}

Control numberButton(int id) {
    const ui::ButtonColours plain{.text = kBlack, .background = kWhite};
    return {.name = cardButtonName(id),
            .kind = Kind::PictureButton,
            .rect = cardButtonRect(id),
            .parent = names::kCard,
            .text = QString::number(numberInSection(id)),
            .look = {.style = ButtonStyle::Flat,
                     .normal = plain,
                     .hot = plain,
                     .focused = {.text = kBlack, .background = kGreen},
                     .focusRect = false}};
}

void appendHeader(ui::Declaration& d) {
    d.push_back(label(names::kNumber, {209, 67, 32, 33}, {}, u"1"_s, {}, kRed));
    d.back().align = Qt::AlignHCenter;
    d.push_back(label(names::kSection, {267, 68, 181, 33}, {}, u"题型题号显示"_s));
    d.push_back(picture(names::kHeader, {0, 0, 950, 104}, {}, u":/pictures/header_band.jpg"_s, true));
    d.push_back(picture(names::kLogo, {55, 12, 240, 40}, names::kHeader, u":/pictures/title_logo.jpg"_s,
                        false, u"会计专业技术资格考试"_s));
    d.push_back(label(u"透明标签5"_s, {40, 71, 72, 24}, names::kHeader, u"Velmora"_s,
                      {.pixels = 16, .face = u"微软雅黑"_s}));
    d.push_back(label(names::kCountCaption, {132, 72, 116, 24}, names::kHeader, u"共62题，当前第   题"_s));
    d.push_back(picture(names::kTimerPanel, {644, 1, 257, 55}, names::kHeader,
                        u":/pictures/timer_panel.jpg"_s, false, u"剩余时间"_s));
    d.push_back(label(names::kCountdown, {136, 0, 82, 23}, names::kTimerPanel, u"00:00:00"_s,
                      {.pixels = 15, .bold = true}, QColor(238, 247, 68)));
    d.push_back(label(names::kFlag, {80, 32, 40, 24}, names::kTimerPanel, u"待查"_s,
                      {.pixels = 12, .bold = true}, kWhite));
    d.push_back(label(names::kSubmitLabel, {167, 31, 40, 24}, names::kTimerPanel, u"交卷"_s,
                      {.pixels = 12, .bold = true}, kWhite));
    d.push_back({.name = names::kSubmit,
                 .kind = Kind::PictureButton,
                 .rect = {137, 33, 54, 22},
                 .parent = names::kTimerPanel,
                 .picture = u":/pictures/submit_button.jpg"_s,
                 .accessibleName = u"交卷"_s,
                 .look = {.style = ButtonStyle::Flat, .disabledPicture = u":/pictures/submit_button.jpg"_s}});
}

void appendNavigation(ui::Declaration& d) {
    d.push_back({.name = names::kBar,
                 .kind = Kind::ShapeBox,
                 .rect = {0, 570, 735, 56},
                 .foreground = kSilver,
                 .background = kPanelGrey});
    d.push_back(navigationButton(names::kFirst, {50, 16, 80, 24}, u":/pictures/step_first.jpg"_s));
    d.push_back(navigationButton(names::kPrevious, {140, 16, 80, 24}, u":/pictures/step_prev.jpg"_s));
    d.push_back(navigationButton(names::kNext, {234, 16, 80, 24}, u":/pictures/step_next.jpg"_s));
    d.push_back(navigationButton(names::kLast, {330, 16, 80, 24}, u":/pictures/step_last.jpg"_s));
    d.push_back({.name = names::kAnswerButton,
                 .kind = Kind::PushButton,
                 .rect = {442, 14, 64, 24},
                 .parent = names::kBar,
                 .text = u"答案解析"_s});
    d.push_back(navigationButton(names::kZoomOut, {565, 24, 50, 22}, u":/pictures/zoom_out.jpg"_s));
    d.push_back(navigationButton(names::kZoomReset, {623, 24, 50, 22}, u":/pictures/zoom_reset.jpg"_s));
    d.push_back(navigationButton(names::kZoomIn, {680, 24, 50, 22}, u":/pictures/zoom_in.jpg"_s));
}

void appendLegend(ui::Declaration& d) {
    d.push_back({.name = names::kLegend,
                 .kind = Kind::PictureBox,
                 .rect = {0, 502, 203, 55},
                 .parent = names::kCard,
                 .background = QColor(67, 159, 243)});
    struct Entry {
        const char16_t* swatch;
        QPoint at;
        std::optional<QColor> colour;
        const char16_t* label;
        QPoint labelAt;
        const char16_t* caption;
    };
    const std::array<Entry, 4> entries{{
        {u"图片框12", {50, 8}, kGreen, u"透明标签7", {16, 6}, u"当前："},
        {u"图片框13", {50, 31}, kOrange, u"透明标签8", {16, 30}, u"待查："},
        {u"图片框14", {152, 8}, std::nullopt, u"透明标签9", {112, 6}, u"未做："},
        {u"图片框15", {152, 31}, kSkyBlue, u"透明标签10", {112, 30}, u"已做："},
    }};
    for (const Entry& e : entries) {
        d.push_back({.name = QString::fromUtf16(e.swatch),
                     .kind = Kind::PictureBox,
                     .rect = {e.at, QSize(18, 13)},
                     .parent = names::kLegend,
                     .background = e.colour,
                     .accessibleName = QString::fromUtf16(e.caption).chopped(1), // "当前" of "当前："
                     .border = ui::Border::SingleLine});
        d.push_back(label(QString::fromUtf16(e.label), {e.labelAt, QSize(40, 16)}, names::kLegend,
                          QString::fromUtf16(e.caption)));
    }
}

void appendCard(ui::Declaration& d) {
    d.push_back({.name = names::kCard,
                 .kind = Kind::GroupBox,
                 .rect = {744, 68, 203, 560},
                 .background = QColor(136, 196, 255),
                 .accessibleName = u"答题卡"_s});
    d.push_back(picture(u"图片框1"_s, {2, 8, 196, 28}, names::kCard, u":/pictures/answer_card_title.jpg"_s,
                        false, u"答题卡"_s));
    const ui::Font heading{.pixels = 13, .face = u"宋体"_s, .bold = true};
    d.push_back(label(u"透明标签1"_s, {11, 38, 100, 24}, names::kCard, u"单选题"_s, heading));
    d.push_back(label(u"透明标签2"_s, {8, 155, 100, 24}, names::kCard, u"多选题"_s, heading));
    d.push_back(label(u"透明标签3"_s, {8, 272, 100, 24}, names::kCard, u"判断题"_s, heading));
    d.push_back(label(u"透明标签4"_s, {8, 384, 100, 24}, names::kCard, u"计算分析题"_s, heading));
    for (int id = kFirstQuestion; id <= kLastQuestion; ++id)
        d.push_back(numberButton(id));
    appendLegend(d);
}

ui::Declaration buildControls() {
    ui::Declaration d;
    appendHeader(d);
    question::appendQuestionArea(d, {.questionWidth = 728,
                                     .pagesWidth = 728,
                                     .optionWidth = 665,
                                     .singleCaption = u"单选框"_s,
                                     .multipleCaption = u"选择框"_s,
                                     .trueFalseCaptions = {u"单选框"_s, u"单选框"_s}});
    appendNavigation(d);
    appendCard(d);
    return d;
}

} // namespace

const ui::WindowDeclaration& examWindowDeclaration() {
    static const ui::WindowDeclaration window = question::questionWindowDeclaration(u"Ostrevin-Velmora"_s);
    return window;
}

const ui::Declaration& examWindowControls() {
    static const ui::Declaration controls = buildControls();
    return controls;
}

QRect cardButtonRect(int id) {
    const std::optional<QuestionType> type = paperQuestionType(id);
    if (!type) return {};
    const int index = numberInSection(id) - 1;
    const int row = index / kPerRow;
    const SectionGrid grid = gridOf(*type);
    const bool shifted = row == 0 ? grid.shiftFirstRow : grid.shiftLaterRows;
    const int left = (shifted ? kShiftedColumns : kColumns)[index % kPerRow];
    return {left, grid.rowTops[row], 20, 20};
}

} // namespace exam
