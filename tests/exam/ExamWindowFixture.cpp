#include "ExamWindowFixture.h"

#include "PictureButton.h"
#include "QuestionNumbering.h"

QColor ExamWindowFixture::cardColour(int id) const {
    return get<ui::PictureButton>(exam::cardButtonName(id))->look().normal.background.value_or(QColor());
}
