#pragma once

#include <QDate>
#include <QString>

#include <memory>

class QDialog;
class QWidget;

namespace app {

inline const QString kBookScheduleTitle = QStringLiteral("复习安排");
inline const QString kBookScheduleTable = QStringLiteral("复习安排表");

// "今天", "明天", "12月14日（5 天后）", or for a question overdue "今天（已过 3 天）".
QString dueText(const QDate& due, const QDate& today);

// Every question in the wrong-answer book with its type, its text and when it is next due, longest
// due first, in a dialog over `parent`; with an empty book or an unreadable bank, says so instead
// (nullptr).
std::unique_ptr<QDialog> bookScheduleDialog(QWidget* parent, const QString& bankPath,
                                            const QString& studyPath,
                                            const QDate& today = QDate::currentDate());
void showBookSchedule(QWidget* parent, const QString& bankPath, const QString& studyPath);

} // namespace app
