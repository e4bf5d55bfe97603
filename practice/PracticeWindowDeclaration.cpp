#include "practice/PracticeWindowDeclaration.h"

#include "entry/CalcDeclaration.h"
#include "practice/PracticeNames.h"
#include "question/QuestionPage.h"
#include "ui/Palette.h"

using namespace Qt::StringLiterals;
using ui::Control;
using ui::Kind;

namespace practice {
namespace {

using namespace ui::palette;

void addHeader(ui::Declaration& d) {
    d.push_back({.name = names::kHeader,
                 .kind = Kind::PictureBox,
                 .rect = {0, 0, 950, 104},
                 .picture = u":/pictures/header_band.jpg"_s,
                 .stretch = true,
                 .tabStop = false});
    d.push_back({.name = u"图片框3"_s,
                 .kind = Kind::PictureBox,
                 .rect = {55, 12, 240, 40},
                 .parent = names::kHeader,
                 .picture = u":/pictures/title_logo.jpg"_s,
                 .accessibleName = u"会计专业技术资格考试"_s,
                 .tabStop = false});
    d.push_back({.name = u"透明标签1"_s,
                 .kind = Kind::TransparentLabel,
                 .rect = {320, 18, 104, 24},
                 .parent = names::kHeader,
                 .text = u"专 项 练 习"_s,
                 .font = {.pixels = 19, .face = u"微软雅黑"_s, .bold = true},
                 .foreground = QColor(181, 90, 0)});
    d.push_back({.name = u"透明标签5"_s,
                 .kind = Kind::TransparentLabel,
                 .rect = {35, 71, 88, 24},
                 .parent = names::kHeader,
                 .text = u"Velmora"_s,
                 .font = {.pixels = 16, .face = u"微软雅黑"_s},
                 .foreground = kBlack});
    d.push_back({.name = names::kTypeLabel,
                 .kind = Kind::TransparentLabel,
                 .rect = {147, 72, 116, 24},
                 .parent = names::kHeader,
                 .text = u"题"_s,
                 .foreground = kRed});
    // Looks like the type's name; the window moves it to just after the name's text.
    d.push_back({.name = names::kPositionLabel,
                 .kind = Kind::TransparentLabel,
                 .rect = {263, 72, 160, 24},
                 .parent = names::kHeader,
                 .foreground = kRed});
}

Control barButton(const QString& name, QRect rect, const QString& picture, ui::ButtonStyle style,
                  const QString& text = {}) {
    ui::ButtonLook look{.style = style,
                        .normal = {.text = kBlack, .background = QColor(240, 240, 240)},
                        .hot = {.background = kWhite}};
    return {.name = name,
            .kind = Kind::PictureButton,
            .rect = rect,
            .parent = names::kBar,
            .text = text,
            .picture = picture,
            .accessibleName = text.isEmpty() ? name : QString(), // the picture shows the name's words
            .look = look};
}

void addBottomBar(ui::Declaration& d) {
    d.push_back({.name = names::kBar,
                 .kind = Kind::ShapeBox,
                 .rect = {0, 570, 944, 56},
                 .foreground = kSilver,
                 .background = kPanelGrey,
                 .tabStop = false});
    d.push_back({.name = names::kAnswerButton,
                 .kind = Kind::PushButton,
                 .rect = {146, 14, 78, 32},
                 .parent = names::kBar,
                 .text = u"评分解析"_s});
    d.push_back(barButton(names::kPrevious, {240, 14, 72, 32}, u":/pictures/arrow_left.jpg"_s,
                          ui::ButtonStyle::Raised, u"上一题"_s));
    d.push_back(barButton(names::kNext, {328, 14, 72, 32}, u":/pictures/arrow_right.jpg"_s,
                          ui::ButtonStyle::Raised, u"下一题"_s));
    d.push_back(
        barButton(names::kZoomOut, {565, 24, 50, 22}, u":/pictures/zoom_out.jpg"_s, ui::ButtonStyle::Flat));
    d.push_back(barButton(names::kZoomReset, {623, 24, 50, 22}, u":/pictures/zoom_reset.jpg"_s,
                          ui::ButtonStyle::Flat));
    d.push_back(
        barButton(names::kZoomIn, {680, 24, 50, 22}, u":/pictures/zoom_in.jpg"_s, ui::ButtonStyle::Flat));
}

} // namespace

ui::WindowDeclaration practiceWindowDeclaration() {
    return question::questionWindowDeclaration(u"专项练习"_s);
}

ui::Declaration practiceDeclaration() {
    ui::Declaration d;
    addHeader(d);
    question::appendQuestionArea(d, {.questionWidth = 928,
                                     .hideSelection = true,
                                     .separatorTabStop = false,
                                     .pagesWidth = 936,
                                     .optionWidth = 885,
                                     .background = kWhite,
                                     .trueFalseCaptions = {u"正确"_s, u"错误"_s}});
    addBottomBar(d);
    return d;
}

ui::Declaration practiceDeclarationWithCalcPages() {
    ui::Declaration d = practiceDeclaration();
    for (const Control& c :
         entry::onTabPage(entry::amountsPageDeclaration(), names::kAnswerPages, names::AmountsPage))
        d.push_back(c);
    for (const Control& c :
         entry::onTabPage(entry::journalPageDeclaration(), names::kAnswerPages, names::JournalPage))
        d.push_back(c);
    return d;
}

} // namespace practice
