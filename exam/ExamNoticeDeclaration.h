#pragma once

#include "ui/Declaration.h"

namespace exam {

// ExamNoticeWindow as declared: band, logo, the notice picture and 按钮1 at the design size.
const ui::WindowDeclaration& examNoticeWindowDeclaration();
const ui::Declaration& examNoticeControls();

// Where the notice picture and 按钮1 go in a client area of `client`: both centred across, the
// button below the picture, the pair centred down the area but never over the band. On a short
// area the picture is shrunk to leave room for the button.
struct NoticePlacement {
    QRect picture;
    QRect button;
    bool shrunk = false; // the picture is drawn smaller than its design size
};
NoticePlacement placeNotice(QSize client);

} // namespace exam
