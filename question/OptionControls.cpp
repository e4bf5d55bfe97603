#include "question/OptionControls.h"

#include "question/AnswerRules.h"

#include <QCheckBox>
#include <QRadioButton>

using bank::answerFromOptions;
using bank::falseAnswer;
using bank::OptionStates;
using bank::QuestionType;
using bank::trueAnswer;

namespace question {
namespace {

// Exclusive radio buttons cannot be unchecked one by one; the rule is lifted while setting.
void setChecked(QAbstractButton* option, bool checked) {
    const bool exclusive = option->autoExclusive();
    option->setAutoExclusive(false);
    option->setChecked(checked);
    option->setAutoExclusive(exclusive);
}

template <class Button> QList<Button*> find(const ui::Built& controls, const QStringList& names) {
    QList<Button*> buttons;
    for (const QString& name : names)
        buttons.append(controls.get<Button>(name));
    return buttons;
}

} // namespace

OptionControls::OptionControls(const ui::Built& controls)
    : m_single(find<QRadioButton>(controls, names::kSingleOptions)),
      m_multiple(find<QCheckBox>(controls, names::kMultipleOptions)),
      m_trueFalse(find<QRadioButton>(controls, names::kTrueFalseOptions)) {}

void OptionControls::showCaptions(const std::array<QString, 4>& texts) {
    for (int i = 0; i < 4; ++i) {
        const QString caption = optionCaption(i, texts[i]);
        m_single[i]->setText(caption);
        m_multiple[i]->setText(caption);
    }
    m_trueFalse[0]->setText(trueAnswer());
    m_trueFalse[1]->setText(falseAnswer());
}

void OptionControls::showStates(QuestionType type, const OptionStates& states) {
    clear();
    for (int i = 0; i < 4; ++i) {
        if (type == QuestionType::SingleChoice) setChecked(m_single[i], states[i]);
        if (type == QuestionType::MultipleChoice) setChecked(m_multiple[i], states[i]);
        if (type == QuestionType::TrueFalse && i < 2) setChecked(m_trueFalse[i], states[i]);
    }
}

void OptionControls::clear() {
    for (int i = 0; i < 4; ++i) {
        setChecked(m_single[i], false);
        setChecked(m_multiple[i], false);
    }
    for (QRadioButton* option : m_trueFalse)
        setChecked(option, false);
}

void OptionControls::setEnabled(bool enabled) {
    for (QWidget* option : m_single)
        option->setEnabled(enabled);
    for (QWidget* option : m_multiple)
        option->setEnabled(enabled);
    for (QWidget* option : m_trueFalse)
        option->setEnabled(enabled);
}

QString OptionControls::multipleAnswer() const {
    OptionStates states{};
    for (int i = 0; i < 4; ++i)
        states[i] = m_multiple[i]->isChecked();
    return answerFromOptions(states);
}

} // namespace question
