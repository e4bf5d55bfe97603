#pragma once

#include "bank/QuestionType.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace app {

// 今日复习: the questions of the wrong-answer book due today, of every type, walked a type at a time,
// the type with the longest due question first and each type's questions longest due first. Going
// on from a type's last question opens the next type; closing a window ends the review.
class TodayReview final : public QObject {
    Q_OBJECT
public:
    static inline const QString kNothingDue = QStringLiteral("今天没有需要复习的题目。");

    TodayReview(QWidget* mainWindow, QString bankPath);

    // Reads the book of the record at `studyPath` afresh and opens its first type; with nothing
    // due, says so.
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
