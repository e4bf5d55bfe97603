// The 交卷 button lies on the timer panel like its picture: nothing of its own shows under the
// picture's last row, and the word in the picture lies exactly under the white label 交卷标签.

#include "ExamWindowFixture.h"

#include "exam/ExamNames.h"

#include <QImage>

#include <gtest/gtest.h>

namespace n = exam::names;

namespace {

QImage shot(const ExamWindowFixture& f) {
    return f.window->grab().toImage();
}

// The centre of the white text inside `area`: the mean position of its pixels, each weighted by
// how far it is from the panel's blue towards white.
QPointF whiteCentre(const QImage& image, const QRect& area) {
    double sum = 0, x = 0, y = 0;
    for (int px = area.left(); px <= area.right(); ++px)
        for (int py = area.top(); py <= area.bottom(); ++py) {
            const QColor c = image.pixelColor(px, py);
            const double weight = std::max(0, std::min({c.red(), c.green(), c.blue()}) - 150);
            sum += weight;
            x += weight * px;
            y += weight * py;
        }
    return sum > 0 ? QPointF(x / sum, y / sum) : QPointF(-1, -1);
}

} // namespace

TEST(SubmitButton, TheButtonAddsNothingUnderItsPicture) {
    ExamWindowFixture f;
    QWidget* button = f.get(n::kSubmit);
    const QRect onWindow(button->mapTo(f.window.get(), QPoint()), button->size());
    const QImage withButton = shot(f);
    button->hide();
    const QImage panelOnly = shot(f);
    for (int x = onWindow.left(); x <= onWindow.right(); ++x)
        ASSERT_EQ(withButton.pixelColor(x, onWindow.bottom()), panelOnly.pixelColor(x, onWindow.bottom()))
            << x;
}

TEST(SubmitButton, TheLabelsWordLiesOnThePicturesWord) {
    ExamWindowFixture f;
    QWidget* label = f.get(n::kSubmitLabel);
    QWidget* button = f.get(n::kSubmit);
    const QRect area(label->mapTo(f.window.get(), QPoint()), label->size());
    label->hide();
    const QPointF pictureWord = whiteCentre(shot(f), area);
    label->show();
    button->hide();
    const QPointF labelWord = whiteCentre(shot(f), area);
    EXPECT_NEAR(pictureWord.x(), labelWord.x(), 0.5);
    EXPECT_NEAR(pictureWord.y(), labelWord.y(), 0.5);
}
