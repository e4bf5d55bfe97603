#include "app/TodayReview.h"

#include "practice/PracticeWindow.h"
#include "practice/WrongAnswerQuestions.h"
#include "study/StudyRecord.h"
#include "ui/MessageBox.h"

#include <QStringList>
#include <QWidget>

namespace app {

TodayReview::TodayReview(QWidget* mainWindow, QString bankPath)
    : QObject(mainWindow), m_mainWindow(mainWindow), m_bankPath(std::move(bankPath)) {}

void TodayReview::start(const QString& studyPath) {
    m_studyPath = studyPath;
    QList<study::BookEntry> entries;
    {
        study::StudyRecord record(m_studyPath);
        entries = record.wrongBookEntries();
    }
    // The entries come longest due first, so each type first appears at its longest due question.
    QList<int> typeOrder;
    QList<QStringList> hashes(4);
    for (const study::BookEntry& entry : std::as_const(entries)) {
        if (entry.type < 0 || entry.type >= 4) continue;
        if (!typeOrder.contains(entry.type)) typeOrder.append(entry.type);
        hashes[entry.type].append(entry.hash);
    }
    m_blocks.clear();
    for (int type : std::as_const(typeOrder)) {
        const bank::QuestionType kind = bank::allQuestionTypes[static_cast<std::size_t>(type)];
        const QList<int> ids =
            practice::questionsWithHashes(m_bankPath, bank::practiceTable(kind), hashes[type]);
        if (!ids.isEmpty()) m_blocks.append({kind, ids});
    }
    if (m_blocks.isEmpty()) return ui::showMessage(m_mainWindow, kNothingDue);
    openNext();
}

void TodayReview::openNext() {
    if (m_blocks.isEmpty()) return;
    const Block block = m_blocks.takeFirst();
    auto* window = practice::PracticeWindow::openList(block.type, block.questions, m_mainWindow, m_bankPath,
                                                      m_studyPath);
    connect(window, &practice::PracticeWindow::roundCompleted, this, [this, window] {
        window->close();
        openNext();
    });
}

} // namespace app
