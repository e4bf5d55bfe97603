#include "app/MainWindowDeclaration.h"

#include "ui/Palette.h"
#include "ui/WindowBuilder.h"

using namespace Qt::StringLiterals;
using ui::ButtonStyle;
using ui::Control;
using ui::Kind;

namespace app {
namespace {

using namespace ui::palette;

const QString kBackground = u":/pictures/background.jpg"_s;
const QString kSidePanel = u":/pictures/side_panel.jpg"_s;
const QString kSideBar = u":/pictures/side_bar.jpg"_s;
// The navigation bar, the status bar and a few rows of the page between them, which scrolls.
constexpr QSize kLeastClient{944, 360};

Control navigationButton(const QString& name, int left, const QString& caption, const QString& picture) {
    const ui::ButtonColours colours{.text = kBlack, .background = kNavBlue};
    return {.name = name,
            .kind = Kind::PictureButton,
            .rect = {left, 8, 72, 90},
            .parent = u"导航图片框"_s,
            .text = caption,
            .font = {.pixels = 13},
            .picture = picture,
            .transparentCorner = true,
            .look = {.style = ButtonStyle::Flat,
                     .place = ui::PicturePlace::Above,
                     .normal = colours,
                     .hot = colours,
                     .focused = colours}};
}

Control orangeButton(const QString& name, QRect rect) {
    return {.name = name,
            .kind = Kind::PictureButton,
            .rect = rect,
            .parent = names::kPages,
            .page = name == names::kEnterPractice ? pages::Practice : pages::Papers,
            .text = name,
            .look = {.style = ButtonStyle::Raised,
                     .normal = {.text = kBlack, .background = kOrange},
                     .hot = {.text = kBlack, .background = kDarkOrange}}};
}

// The left side panel of the practice and paper pages: a pale panel, the blue bar with 当前科目, the subject.
void appendSidePanel(ui::Declaration& d, pages::Page page, const QString& panel, const QString& bar,
                     const QString& barLabel, const QString& subjectLabel, int subjectWidth) {
    d.push_back({.name = panel,
                 .kind = Kind::PictureBox,
                 .rect = {0, 0, 216, 505},
                 .parent = names::kPages,
                 .page = page,
                 .picture = kSidePanel,
                 .stretch = true});
    d.push_back({.name = bar,
                 .kind = Kind::PictureBox,
                 .rect = {0, 0, 216, 36},
                 .parent = panel,
                 .picture = kSideBar});
    d.push_back({.name = barLabel,
                 .kind = Kind::TransparentLabel,
                 .rect = {17, 9, 88, 16},
                 .parent = bar,
                 .text = u"当前科目"_s,
                 .font = {.pixels = 15, .bold = true},
                 .foreground = kWhite});
    d.push_back({.name = subjectLabel,
                 .kind = Kind::TransparentLabel,
                 .rect = {8, 48, subjectWidth, 16},
                 .parent = panel,
                 .text = u"《Velmora》"_s,
                 .font = {.pixels = 15, .bold = true},
                 .foreground = kOrange});
}

std::vector<QStringList> paperRows() {
    std::vector<QStringList> rows;
    for (int paper = 1; paper <= 20; ++paper)
        rows.push_back({u"《Velmora》全真考试卷第"_s + chineseNumeral(paper) + u"套"_s, u"100"_s, u"62"_s});
    return rows;
}

ui::Declaration build() {
    ui::Declaration d;
    d.push_back({.name = u"导航图片框"_s,
                 .kind = Kind::PictureBox,
                 .rect = {0, 0, 950, 104},
                 .picture = kBackground,
                 .stretch = true});
    d.push_back(navigationButton(u"考试大纲"_s, 40, u"考试大纲"_s, u":/pictures/nav_syllabus.bmp"_s));
    d.push_back(navigationButton(u"备考宝典"_s, 152, u"备考宝典"_s, u":/pictures/nav_handbook.bmp"_s));
    d.push_back(navigationButton(u"章节练习"_s, 264, u"专项练习"_s, u":/pictures/nav_practice.bmp"_s));
    d.push_back(navigationButton(u"全真考场"_s, 376, u"全真考场"_s, u":/pictures/nav_exam.bmp"_s));
    d.push_back(
        navigationButton(names::kStudyRecord, 488, names::kStudyRecord, u":/pictures/nav_record.bmp"_s));
    // The status bar lies above the page container.
    d.push_back({.name = names::kStatusBar,
                 .kind = Kind::StatusBar,
                 .rect = {0, 607, 944, 20},
                 .items = {QString(), u"软件版本:"_s, QString()},
                 .widths = {800, 180, 350}});
    // The strip would run along the bottom under the status bar, which covers all but a sliver of
    // it; pages change only through the navigation bar, so the strip is not shown at all.
    d.push_back({.name = names::kPages,
                 .kind = Kind::TabControl,
                 .rect = {2, 103, 940, 521},
                 .background = kWhite,
                 .items = {QString(), u"新大纲分析"_s, u"备考宝典"_s, u"章节练习"_s, u"全真考场"_s,
                           names::kStudyRecord},
                 .strip = ui::TabStrip::Hidden,
                 .stripFont = {.pixels = 12, .face = u"SimSun"_s}});

    d.push_back({.name = u"图片框1"_s,
                 .kind = Kind::PictureBox,
                 .rect = {0, 0, 940, 510},
                 .parent = names::kPages,
                 .page = pages::Home,
                 .background = kWhite,
                 .picture = u":/pictures/splash.jpg"_s,
                 .accessibleName = u"会计专业技术资格考试 《Velmora》 2027 版"_s,
                 .stretch = true});
    d.push_back({.name = names::kSyllabusViewer,
                 .kind = Kind::HtmlViewer,
                 .rect = {0, 5, 934, 483},
                 .parent = names::kPages,
                 .page = pages::Syllabus});
    d.push_back({.name = names::kHandbookViewer,
                 .kind = Kind::HtmlViewer,
                 .rect = {8, 8, 928, 483},
                 .parent = names::kPages,
                 .page = pages::Handbook});

    appendSidePanel(d, pages::Practice, u"图片框3"_s, u"图片框6"_s, u"透明标签4"_s, u"透明标签3"_s, 126);
    d.push_back({.name = u"透明标签5"_s,
                 .kind = Kind::TransparentLabel,
                 .rect = {270, 73, 512, 32},
                 .parent = names::kPages,
                 .page = pages::Practice,
                 .text = u"请选择以下题型进入答题"_s,
                 .font = {.pixels = 15, .bold = true},
                 .foreground = kBlack});
    const int radioTops[] = {147, 184, 221, 256};
    for (int i = 0; i < 4; ++i) {
        d.push_back(
            {.name = practiceChoices()[i],
             .kind = Kind::RadioButton,
             .rect = {360, radioTops[i], i == 3 ? 174 : 96, 24},
             .parent = names::kPages,
             .page = pages::Practice,
             .text = QStringList{u"单选题练习"_s, u"多选题练习"_s, u"判断题练习"_s, u"计算分析题练习"_s}[i],
             .font = {.pixels = 15},
             .foreground = kBlack,
             .background = kWhite});
    }
    d.push_back(orangeButton(names::kEnterPractice, {480, 344, 72, 32}));

    appendSidePanel(d, pages::Papers, u"图片框4"_s, u"图片框5"_s, u"透明标签1"_s, u"透明标签2"_s, 150);
    d.push_back({.name = u"图片框2"_s,
                 .kind = Kind::PictureBox,
                 .rect = {225, 17, 592, 72},
                 .parent = names::kPages,
                 .page = pages::Papers,
                 .picture = u":/pictures/paper_list_head.jpg"_s,
                 .accessibleName = u"全真模拟试卷：试卷名称，总分，总题数，进入测试"_s});
    d.push_back({.name = names::kPaperList,
                 .kind = Kind::ListView,
                 .rect = {225, 89, 584, 336},
                 .parent = names::kPages,
                 .page = pages::Papers,
                 .font = {.pixels = 13},
                 .foreground = kBlack,
                 .background = kWhite,
                 .accessibleName = u"全真模拟试卷"_s, // the heading in the picture above it
                 .border = ui::Border::SingleLine,
                 .widths = {360, 70, 65},
                 .rows = paperRows(),
                 .rowHeight = 25});
    d.push_back(orangeButton(names::kEnterExam, {494, 449, 72, 32}));
    return d;
}

} // namespace

const ui::WindowDeclaration& mainWindowDeclaration() {
    static const ui::WindowDeclaration window{.title = u"Velmora-Ostrevin"_s,
                                              .outerSize = {950, 655},
                                              .frame = ui::Frame::Sizable,
                                              .minimizeButton = true,
                                              .maximizeButton = true,
                                              .taskbar = true,
                                              .minimumSize = kLeastClient,
                                              .scrollsWhenCut = true,
                                              .backgroundPicture = kBackground};
    return window;
}

const ui::Declaration& mainWindowControls() {
    static const ui::Declaration controls = build();
    return controls;
}

namespace {

// The page of the page container that holds `c`; the home page for controls outside the container.
pages::Page pageOf(const ui::Control& c, const ui::Declaration& all) {
    const ui::Control* control = &c;
    while (!control->parent.isEmpty()) {
        if (control->parent == names::kPages) return static_cast<pages::Page>(control->page);
        control = ui::findDeclared(all, control->parent);
        if (!control) return pages::Home;
    }
    return pages::Home;
}

} // namespace

ui::Declaration mainWindowPage(pages::Page page) {
    const ui::Declaration& all = mainWindowControls();
    ui::Declaration controls;
    for (const ui::Control& c : all)
        if (pageOf(c, all) == page) controls.push_back(c);
    return controls;
}

const std::vector<NavigationEntry>& navigationEntries() {
    static const std::vector<NavigationEntry> entries = {{u"考试大纲"_s, pages::Syllabus},
                                                         {u"备考宝典"_s, pages::Handbook},
                                                         {u"章节练习"_s, pages::Practice},
                                                         {u"全真考场"_s, pages::Papers},
                                                         {names::kStudyRecord, pages::StudyRecord}};
    return entries;
}

const QStringList& practiceChoices() {
    static const QStringList choices = {u"单选框1"_s, u"单选框2"_s, u"单选框3"_s, u"单选框4"_s};
    return choices;
}

QString chineseNumeral(int number) {
    static const QString digits = u"〇一二三四五六七八九"_s;
    if (number < 1 || number > 99) return QString::number(number);
    const int tens = number / 10;
    const int ones = number % 10;
    QString text;
    if (tens > 1) text += digits[tens];
    if (tens > 0) text += u'十';
    if (ones > 0) text += digits[ones];
    return text;
}

} // namespace app
