#pragma once

#include "bank/QuestionType.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace app {

// 今日复习: the day's plan (study/DailyPlan), what is left of the daily target, reviews from the
// wrong-answer book and questions not yet answered, walked a type at a time: the types in the order
// the plan first needs them, each type's questions in the plan's order. Going on from a type's last
// question opens the next type; closing a window ends the review.
class TodayReview final : public QObject {
    Q_OBJECT
public:
    static inline const QString kNothingDue = QStringLiteral("今天没有需要复习的题目。");
    static inline const QString kTargetMet = QStringLiteral("今天的目标已经完成，明天再来复习。");

    TodayReview(QWidget* mainWindow, QString bankPath);

    // Reads the record at `studyPath` and the bank afresh, plans the rest of the day and opens its
    // first type; with nothing to plan, or the bank unreadable, says so.
    void start(const QString& studyPath);

private:
    struct Block {
        bank::QuestionType type;
        QList<int> questions;
    };
    void openNext();

    QWidget* m_mainWindow;
    QString m_bankPath;
    QString m_studyPath;
    QList<Block> m_blocks;
};

} // namespace app
