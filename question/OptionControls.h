#pragma once

#include "bank/QuestionType.h"
#include "bank/Scoring.h"
#include "question/QuestionPageNames.h"
#include "ui/WindowBuilder.h"

#include <QList>
#include <QString>

#include <array>

class QCheckBox;
class QRadioButton;

namespace question {

// The options of the single-choice, multiple-choice and true/false pages of a window. They show a
// question's options and the answer the bank holds for it; what a click records is the window's.
class OptionControls {
public:
    OptionControls() = default;
    explicit OptionControls(const ui::Built& controls);

    const QList<QRadioButton*>& single() const { return m_single; }
    const QList<QCheckBox*>& multiple() const { return m_multiple; }
    const QList<QRadioButton*>& trueFalse() const { return m_trueFalse; }

    // Letter and text of each choice option; 正确 and 错误 on the true/false pair.
    void showCaptions(const std::array<QString, 4>& texts);
    // Clears every option, then checks those `states` name on the page of `type`. Setting them
    // clicks nothing.
    void showStates(bank::QuestionType type, const bank::OptionStates& states);
    void clear();
    void setEnabled(bool enabled);
    // The multiple-choice answer the ticked boxes give ("ACD").
    QString multipleAnswer() const;

private:
    QList<QRadioButton*> m_single;
    QList<QCheckBox*> m_multiple;
    QList<QRadioButton*> m_trueFalse;
};

} // namespace question
