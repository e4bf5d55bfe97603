#include "ui/PictureBox.h"
#include "ui/PictureButton.h"
#include "ui/TransparentLabel.h"

#include <QEnterEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QImage solid(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QColor pixelOf(QWidget& widget, QPoint at) {
    return widget.grab().toImage().pixelColor(at);
}

void hover(QWidget& widget, bool inside) {
    if (inside) {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(&widget, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&widget, &leave);
    }
}

const QColor kOrange(255, 128, 0);
const QColor kDarkOrange(192, 96, 0);

} // namespace

TEST(PictureButton, ColoursFollowNormalHotAndFocusedLooks) {
    ui::PictureButton button;
    button.resize(72, 32);
    button.setLook({.style = ui::ButtonStyle::Raised,
                    .normal = {.text = Qt::black, .background = kOrange},
                    .hot = {.background = kDarkOrange},
                    .focused = {.text = Qt::blue}});
    button.show();
    EXPECT_EQ(button.currentBackground(), kOrange);
    EXPECT_EQ(pixelOf(button, {36, 16}), kOrange);
    hover(button, true);
    EXPECT_TRUE(button.isHot());
    EXPECT_EQ(button.currentBackground(), kDarkOrange);
    EXPECT_EQ(button.currentText(), QColor(Qt::black)); // hot look names no text colour: normal's
    EXPECT_EQ(pixelOf(button, {36, 16}), kDarkOrange);
    hover(button, false);
    button.setDown(true); // pressed is hot as well
    EXPECT_EQ(button.currentBackground(), kDarkOrange);
    button.setDown(false);
    button.setFocus();
    if (button.hasFocus()) {
        EXPECT_EQ(button.currentText(), QColor(Qt::blue));
    }
}

TEST(PictureButton, FlatButtonDrawsNoEdgesAndKeysItsPicture) {
    const QColor navBlue(159, 203, 240);
    QImage icon = solid({20, 20}, QColor(255, 0, 255)); // key colour in the corner
    for (int y = 5; y < 15; ++y)
        for (int x = 5; x < 15; ++x)
            icon.setPixelColor(x, y, Qt::darkGreen);
    ui::PictureButton button;
    button.resize(72, 90);
    button.setLook({.style = ui::ButtonStyle::Flat,
                    .place = ui::PicturePlace::Above,
                    .normal = {.background = navBlue},
                    .focusRect = false});
    button.setPicture(icon, true);
    button.setText(u"考试大纲"_s);
    button.show();
    const QImage shot = button.grab().toImage();
    EXPECT_EQ(shot.pixelColor(0, 0), navBlue);   // no edge
    EXPECT_EQ(shot.pixelColor(71, 89), navBlue); // no edge
    // The picture is centred above the caption; its key colour shows the background.
    bool keyShown = false, iconShown = false;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 72; ++x) {
            keyShown |= shot.pixelColor(x, y) == QColor(255, 0, 255);
            iconShown |= shot.pixelColor(x, y) == QColor(Qt::darkGreen);
        }
    EXPECT_FALSE(keyShown);
    EXPECT_TRUE(iconShown);
}

TEST(PictureButton, DisabledLookUsesTheDisabledPicture) {
    ui::PictureButton button;
    button.resize(40, 40);
    button.setPicture(solid({10, 10}, Qt::red));
    button.setDisabledPicture(solid({10, 10}, Qt::green));
    button.setEnabled(false);
    button.show();
    EXPECT_EQ(pixelOf(button, {20, 20}), QColor(Qt::green));
    button.setEnabled(true);
    EXPECT_EQ(pixelOf(button, {20, 20}), QColor(Qt::red));
}

TEST(PictureBox, NaturalSizeClipsAndStretchFills) {
    QImage picture = solid({10, 10}, Qt::red);
    for (int x = 5; x < 10; ++x)
        for (int y = 0; y < 10; ++y)
            picture.setPixelColor(x, y, Qt::blue);
    ui::PictureBox box;
    box.resize(40, 6);
    box.setBackground(QColor(Qt::white));
    box.setPicture(picture);
    box.show();
    EXPECT_EQ(pixelOf(box, {2, 2}), QColor(Qt::red));
    EXPECT_EQ(pixelOf(box, {7, 2}), QColor(Qt::blue));
    EXPECT_EQ(pixelOf(box, {30, 2}), QColor(Qt::white)); // beyond the picture: background
    box.setStretched(true);
    EXPECT_EQ(pixelOf(box, {8, 2}), QColor(Qt::red));
    EXPECT_EQ(pixelOf(box, {30, 2}), QColor(Qt::blue));
}

TEST(PictureBox, BordersTakeTheirWidth) {
    ui::PictureBox box;
    box.resize(20, 20);
    box.setBorder(ui::Border::Sunken);
    EXPECT_EQ(box.contentRect(), QRect(2, 2, 16, 16));
    box.setBorder(ui::Border::SingleLine);
    EXPECT_EQ(box.contentRect(), QRect(1, 1, 18, 18));
    box.setBorder(ui::Border::None);
    EXPECT_EQ(box.contentRect(), box.rect());
}

TEST(MarkBox, ShowsTickCrossOrNothing) {
    ui::MarkBox mark;
    mark.resize(45, 45);
    EXPECT_EQ(mark.mark(), ui::Mark::None);
    EXPECT_TRUE(mark.picture().isNull());
    mark.setMark(ui::Mark::Cross);
    EXPECT_EQ(mark.mark(), ui::Mark::Cross);
    mark.setMark(ui::Mark::None);
    EXPECT_TRUE(mark.picture().isNull());
    EXPECT_TRUE(mark.isStretched());
}

TEST(TransparentLabel, SingleLineCentredWrappedFromTheTop) {
    ui::TransparentLabel label;
    label.setHorizontalAlignment(Qt::AlignRight);
    EXPECT_EQ(label.alignment(), Qt::AlignRight | Qt::AlignVCenter);
    label.setWrapping(true);
    EXPECT_EQ(label.alignment(), Qt::AlignRight | Qt::AlignTop);
    EXPECT_FALSE(label.autoFillBackground());
}
