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
         .picture = u":/pictures/notice_logo.jpg"_s},
        {.name = names::kNoticePicture,
         .kind = Kind::PictureBox,
         .rect = {QPoint(48, 75), kPictureSize},
         .picture = u":/pictures/notice.jpg"_s},
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
