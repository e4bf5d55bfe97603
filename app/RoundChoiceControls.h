#pragma once

#include "practice/PracticeRound.h"

#include <QObject>

class QCheckBox;
class QComboBox;
class QWidget;

namespace app {

// Beside the type on the practice page: the chapter to drill (全部章节 first), 只做未答 and 随机顺序.
class RoundChoiceControls final : public QObject {
    Q_OBJECT
public:
    static inline const QString kChapterBox = QStringLiteral("章节");
    static inline const QString kAllChapters = QStringLiteral("全部章节");
    static inline const QString kOnlyUnanswered = QStringLiteral("只做未答");
    static inline const QString kShuffled = QStringLiteral("随机顺序");

    // Puts the controls on `page`, after `tabBefore` in the Tab order.
    RoundChoiceControls(QWidget* page, QWidget* tabBefore);

    practice::RoundChoice choice() const;
    QWidget* lastInTabOrder() const;

private:
    QComboBox* m_chapter = nullptr;
    QCheckBox* m_onlyUnanswered = nullptr;
    QCheckBox* m_shuffled = nullptr;
};

} // namespace app
