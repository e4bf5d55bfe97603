#include "exam/ExamNoticeDeclaration.h"

#include "exam/ExamNames.h"

#include <algorithm>

using namespace Qt::StringLiterals;
using ui::Control;
using ui::Kind;

namespace exam {
namespace {

constexpr QSize kPictureSize{928, 568};
constexpr QSize kButtonSize{96, 32};
constexpr int kBandHeight = 48;
constexpr int kTopMargin = 75; // the design's distance of the picture from the top
constexpr int kButtonGap = 17; // the design's gap between picture and button
constexpr int kFootMargin = 8; // kept free under the button on a short screen

// The words of the notice picture, for a screen reader.
const QString kNoticeText =
    u"考生须知。考试科目：Velmora；考试时间：60分钟；总分：100分；考试内容：单选题 20题 20分，"
    "多选题 20题 40分，判断题 20题 20分，计算分析题 2题 20分。注意事项：1. 考生进入考场后不得自带文稿、"
    "笔记、教材及辅导材料、书包等其它与考试无关的物品；2. 如有个人物品请在进入考场之前将其存放在指定的"
    "安全的个人物品存放区（除贵重物品）；3. 考场内请保持安静，不得讨论考试内容与走动，考场内只允许容纳"
    "考生与监考老师；4. 不得参阅其他人屏幕上的答案；5. 在考试过程中如遇（停电、机器故障）等问题，"
    "请立即示意监考老师为其解决。"_s;

} // namespace

const ui::WindowDeclaration& examNoticeWindowDeclaration() {
    static const ui::WindowDeclaration window{.title = u"考试须知"_s,
                                              .outerSize = {1024, 736},
                                              .frame = ui::Frame::Sizable,
                                              .taskbar = false,
                                              .maximized = true,
                                              .minimumSize = ui::kSmallestLayout,
                                              .backgroundPicture = u":/pictures/background.jpg"_s};
    return window;
}

const ui::Declaration& examNoticeControls() {
    static const ui::Declaration controls{
        {.name = names::kNoticeBand,
         .kind = Kind::PictureBox,
         .rect = {0, 0, 1152, kBandHeight},
         .picture = u":/pictures/notice_band.jpg"_s,
         .stretch = true},
        {.name = names::kNoticeLogo,
         .kind = Kind::PictureBox,
         .rect = {40, 0, 232, 40},
         .parent = names::kNoticeBand,
         .picture = u":/pictures/notice_logo.jpg"_s,
         .accessibleName = u"会计专业技术资格考试"_s},
        {.name = names::kNoticePicture,
         .kind = Kind::PictureBox,
         .rect = {QPoint(48, 75), kPictureSize},
         .picture = u":/pictures/notice.jpg"_s,
         .accessibleName = kNoticeText},
        {.name = names::kEnter,
         .kind = Kind::PushButton,
         .rect = {QPoint(448, 660), kButtonSize},
         .text = u"进入考试"_s},
    };
    return controls;
}

NoticePlacement placeNotice(QSize client) {
    // On a screen too short for the whole design the picture shrinks, keeping its proportions, so
    // that the button stays on the screen.
    const int room = client.height() - kTopMargin - kButtonGap - kButtonSize.height() - kFootMargin;
    const QSize picture =
        room < kPictureSize.height()
            ? kPictureSize.scaled(kPictureSize.width(), std::max(room, 1), Qt::KeepAspectRatio)
            : kPictureSize;
    const int blockHeight = picture.height() + kButtonGap + kButtonSize.height();
    const int top = std::max(kTopMargin, (client.height() - blockHeight) / 2);
    const int left = std::max(0, (client.width() - picture.width()) / 2);
    const int buttonLeft = std::max(0, (client.width() - kButtonSize.width()) / 2);
    return {.picture = {QPoint(left, top), picture},
            .button = {QPoint(buttonLeft, top + picture.height() + kButtonGap), kButtonSize},
            .shrunk = picture != kPictureSize};
}

} // namespace exam
