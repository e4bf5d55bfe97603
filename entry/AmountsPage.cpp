#include "entry/AmountsPage.h"

#include "entry/GridNames.h"
#include "ui/WindowBuilder.h"

#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace entry {

AmountsPage::AmountsPage(QWidget* page, const ui::Built& built) : QObject(page), m_page(page) {
    for (int row = 1; row <= 5; ++row) {
        QLineEdit* input = built.get<QLineEdit>(amountEditName(row));
        // The boxes have no length limit of their own; the answer column decides what it keeps.
        input->setMaxLength(std::numeric_limits<int>::max());
        m_inputs[row - 1] = input;
    }
    m_submit = built.get<QPushButton>(kAmountsSubmitName);
    connect(m_submit, &QPushButton::clicked, this, &AmountsPage::submitRequested);
}

QStringList AmountsPage::answers() const {
    QStringList texts;
    for (const QLineEdit* input : m_inputs)
        texts.append(input->text());
    return texts;
}

void AmountsPage::setAnswers(const QStringList& recorded) {
    for (int i = 0; i < 5; ++i)
        m_inputs[i]->setText(recorded.value(i));
}

void AmountsPage::clear() {
    setAnswers({});
}

void AmountsPage::setEnabled(bool enabled) {
    for (QLineEdit* input : m_inputs)
        input->setEnabled(enabled);
    m_submit->setEnabled(enabled);
}

} // namespace entry
