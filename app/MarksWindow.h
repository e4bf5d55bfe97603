#pragma once

#include "bank/QuestionType.h"
#include "study/QuestionMarks.h"

#include <QDialog>

namespace app {

// 收藏与笔记: the questions the candidate starred or wrote a note on, a page per type, each with
// 练习收藏题 to practise that type's starred questions.
class MarksWindow final : public QDialog {
    Q_OBJECT
public:
    static inline const QString kName = QStringLiteral("收藏与笔记");
    static inline const QString kPractiseStarred = QStringLiteral("练习收藏题");

    MarksWindow(const QList<study::MarkedQuestion>& marked, QWidget* parent);

Q_SIGNALS:
    void starredRequested(bank::QuestionType type);
};

} // namespace app
