// The candidate notice on a small laptop screen: the picture shrinks so that 进入考试 stays on the
// screen below it.

#include "exam/ExamNames.h"
#include "exam/ExamNoticeWindow.h"
#include "ui/PictureBox.h"

#include <QCoreApplication>
#include <QPushButton>

#include <gtest/gtest.h>

namespace n = exam::names;

TEST(NoticeSmallScreen, TheEnterButtonStaysVisibleBelowAShrunkPicture) {
    exam::ExamNoticeWindow notice(3);
    notice.show();
    for (const QSize size : {QSize(1024, 576), QSize(944, 600), QSize(400, 400)}) {
        notice.resize(size);
        QCoreApplication::processEvents();
        EXPECT_GE(notice.height(), 576) << "no smaller than its layout holds";
        auto* picture = notice.controls().get<ui::PictureBox>(n::kNoticePicture);
        const QRect button = notice.controls().widget(n::kEnter)->geometry();
        EXPECT_TRUE(notice.rect().contains(button)) << size.height();
        EXPECT_GT(button.top(), picture->geometry().bottom()) << size.height();
        EXPECT_GE(picture->y(), 48) << "below the band";
        EXPECT_TRUE(picture->isStretched()) << "the whole picture, smaller";
        EXPECT_NEAR(double(picture->width()) / picture->height(), 928.0 / 568.0, 0.01);
    }
}
