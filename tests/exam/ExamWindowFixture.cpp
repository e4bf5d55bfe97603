#include "ExamWindowFixture.h"

#include "exam/QuestionNumbering.h"
#include "ui/PictureButton.h"

QColor ExamWindowFixture::cardColour(int id) const {
    return get<ui::PictureButton>(exam::cardButtonName(id))->look().normal.background.value_or(QColor());
}
