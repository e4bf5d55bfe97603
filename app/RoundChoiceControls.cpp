#include "app/RoundChoiceControls.h"

#include "bank/BankTables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace app {
namespace {

QCheckBox* choiceBox(const QString& name, QWidget* page, QRect rect) {
    auto* box = new QCheckBox(name, page);
    box->setObjectName(name);
    box->setGeometry(rect);
    return box;
}

} // namespace

// Beside the four types, in the page's blank right half; the declared controls stay where they are.
RoundChoiceControls::RoundChoiceControls(QWidget* page, QWidget* tabBefore) : QObject(page) {
    auto* label = new QLabel(kChapterBox, page);
    label->setGeometry(580, 147, 36, 24);
    m_chapter = new QComboBox(page);
    m_chapter->setObjectName(kChapterBox);
    m_chapter->setAccessibleName(kChapterBox);
    m_chapter->addItem(kAllChapters);
    m_chapter->addItems(bank::chapterTags());
    m_chapter->setGeometry(620, 145, 160, 28);
    label->setBuddy(m_chapter);
    m_onlyUnanswered = choiceBox(kOnlyUnanswered, page, {580, 184, 120, 24});
    m_shuffled = choiceBox(kShuffled, page, {580, 221, 120, 24});
    for (QWidget* w : {static_cast<QWidget*>(label), static_cast<QWidget*>(m_chapter),
                       static_cast<QWidget*>(m_onlyUnanswered), static_cast<QWidget*>(m_shuffled)}) {
        w->setFont(tabBefore->font()); // the types' font
        w->show();
    }
    QWidget::setTabOrder(tabBefore, m_chapter);
    QWidget::setTabOrder(m_chapter, m_onlyUnanswered);
    QWidget::setTabOrder(m_onlyUnanswered, m_shuffled);
}

QWidget* RoundChoiceControls::lastInTabOrder() const {
    return m_shuffled;
}

practice::RoundChoice RoundChoiceControls::choice() const {
    const QString chapter = m_chapter->currentIndex() > 0 ? m_chapter->currentText() : QString();
    return {chapter, m_onlyUnanswered->isChecked(), m_shuffled->isChecked()};
}

} // namespace app
