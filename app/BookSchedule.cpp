#include "app/BookSchedule.h"

#include "bank/QuestionType.h"
#include "practice/WrongAnswerQuestions.h"
#include "study/StudyRecord.h"
#include "ui/MessageBox.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace app {
namespace {

QTableWidget* scheduleTable(QWidget* parent, int rows) {
    auto* table = new QTableWidget(rows, 3, parent);
    table->setTabKeyNavigation(false); // the arrows move in the table, Tab goes on to 关闭
    table->setObjectName(kBookScheduleTable);
    table->setAccessibleName(kBookScheduleTitle);
    table->setHorizontalHeaderLabels({u"题型"_s, u"题目"_s, u"下次复习"_s});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    return table;
}

} // namespace

QString dueText(const QDate& due, const QDate& today) {
    const qint64 days = today.daysTo(due);
    if (days < 0) return u"今天（已过 %1 天）"_s.arg(-days);
    if (days == 0) return u"今天"_s;
    if (days == 1) return u"明天"_s;
    return u"%1月%2日（%3 天后）"_s.arg(due.month()).arg(due.day()).arg(days);
}

std::unique_ptr<QDialog> bookScheduleDialog(QWidget* parent, const QString& bankPath,
                                            const QString& studyPath, const QDate& today) {
    QList<study::BookEntry> entries;
    {
        study::StudyRecord record(studyPath);
        entries = record.wrongBookEntries(today);
    }
    if (entries.isEmpty()) {
        ui::showMessage(parent, u"错题本中还没有题目。"_s, kBookScheduleTitle);
        return nullptr;
    }
    QHash<QString, QHash<QString, QString>> texts; // by table, then hash
    auto dialog = std::make_unique<QDialog>(parent);
    dialog->setWindowTitle(kBookScheduleTitle);
    dialog->resize(720, 420);
    auto* table = scheduleTable(dialog.get(), static_cast<int>(entries.size()));
    for (int row = 0; row < entries.size(); ++row) {
        const study::BookEntry& entry = entries[row];
        if (!texts.contains(entry.table)) {
            const common::Outcome<QHash<QString, QString>> read =
                practice::questionTextsByHash(bankPath, entry.table);
            if (!read) {
                ui::showMessage(parent, u"题库无法读取（%1），复习安排无法显示。"_s.arg(read.reason()));
                return nullptr;
            }
            texts.insert(entry.table, *read);
        }
        const bank::QuestionType type =
            bank::allQuestionTypes[static_cast<std::size_t>(std::clamp(entry.type, 0, 3))];
        const QString text = texts[entry.table].value(entry.hash, u"（题库中已没有这道题）"_s).simplified();
        table->setItem(row, 0, new QTableWidgetItem(bank::typeCaption(type)));
        auto* question = new QTableWidgetItem(text);
        question->setToolTip(text);
        table->setItem(row, 1, question);
        table->setItem(row, 2, new QTableWidgetItem(dueText(entry.due, today)));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog.get());
    buttons->button(QDialogButtonBox::Close)->setText(u"关闭"_s);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog.get(), &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog.get());
    layout->addWidget(table);
    layout->addWidget(buttons);
    return dialog;
}

void showBookSchedule(QWidget* parent, const QString& bankPath, const QString& studyPath) {
    if (const std::unique_ptr<QDialog> dialog = bookScheduleDialog(parent, bankPath, studyPath))
        dialog->exec();
}

} // namespace app
