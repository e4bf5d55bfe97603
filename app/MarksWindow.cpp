#include "app/MarksWindow.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace app {
namespace {

QTableWidget* marksTable(const QList<study::MarkedQuestion>& marked, const QString& name, QWidget* parent) {
    auto* table = new QTableWidget(static_cast<int>(marked.size()), 3, parent);
    table->setTabKeyNavigation(false); // the arrows move in the table, Tab goes on to its button
    table->setObjectName(name);
    table->setAccessibleName(name);
    table->setHorizontalHeaderLabels({u"收藏"_s, u"题目"_s, u"笔记"_s});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setWordWrap(true);
    for (int row = 0; row < marked.size(); ++row) {
        const study::MarkedQuestion& m = marked[row];
        table->setItem(row, 0, new QTableWidgetItem(m.mark.starred ? u"★"_s : QString()));
        table->setItem(row, 1, new QTableWidgetItem(m.questionText));
        table->setItem(row, 2, new QTableWidgetItem(m.mark.note));
    }
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    table->resizeRowsToContents();
    return table;
}

} // namespace

MarksWindow::MarksWindow(const QList<study::MarkedQuestion>& marked, QWidget* parent) : QDialog(parent) {
    setObjectName(kName);
    setWindowTitle(kName);
    setAccessibleName(kName);
    resize(760, 480);
    auto* pages = new QTabWidget(this);
    for (const bank::QuestionType type : bank::allQuestionTypes) {
        const QString table = bank::practiceTable(type);
        QList<study::MarkedQuestion> ofType;
        bool anyStarred = false;
        for (const study::MarkedQuestion& m : marked) {
            if (m.table != table) continue;
            ofType.append(m);
            anyStarred = anyStarred || m.mark.starred;
        }
        auto* page = new QWidget;
        auto* layout = new QVBoxLayout(page);
        const QString caption = bank::typeCaption(type);
        layout->addWidget(marksTable(ofType, caption + kName, page));
        auto* practise = new QPushButton(kPractiseStarred, page);
        practise->setObjectName(kPractiseStarred + caption);
        practise->setAccessibleName(kPractiseStarred);
        practise->setEnabled(anyStarred);
        connect(practise, &QPushButton::clicked, this, [this, type] {
            accept();
            Q_EMIT starredRequested(type);
        });
        layout->addWidget(practise, 0, Qt::AlignRight);
        pages->addTab(page, u"%1（%2）"_s.arg(caption).arg(ofType.size()));
    }
    (new QVBoxLayout(this))->addWidget(pages);
}

} // namespace app
