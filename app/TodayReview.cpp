#include "app/TodayReview.h"

#include "bank/QuestionBank.h"
#include "practice/CurrentQuestion.h"
#include "practice/PracticeWindow.h"
#include "study/DailyPlan.h"
#include "study/MemoryStates.h"
#include "study/QuestionKey.h"
#include "study/StudyRecord.h"
#include "ui/MessageBox.h"

#include <QDate>
#include <QHash>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace app {
namespace {

// Each practice table's question hashes in its order, and the row ID of each.
struct BankQuestions {
    study::BankHashes hashes;
    std::array<QHash<QString, int>, 4> idOfHash;
};

common::Outcome<BankQuestions> readBankQuestions(const QString& bankPath) {
    BankQuestions questions;
    bank::QuestionBank bank;
    OUTCOME_TRY(bank.openBank(bankPath));
    for (bank::QuestionType type : bank::allQuestionTypes) {
        const std::size_t t = bank::typeIndex(type);
        OUTCOME_TRY(bank.selectTable(bank::practiceTable(type)));
        OUTCOME_TRY(bank.forEachRow([&]() -> common::Outcome<> {
            const bank::QuestionRecord row = practice::readCurrentQuestion(bank);
            const QString hash = study::questionHash(row.tm);
            questions.hashes[t].append(hash);
            questions.idOfHash[t].insert(hash, row.id);
            return {};
        }));
    }
    return questions;
}

} // namespace

TodayReview::TodayReview(QWidget* mainWindow, QString bankPath)
    : QObject(mainWindow), m_mainWindow(mainWindow), m_bankPath(std::move(bankPath)) {}

void TodayReview::start(const QString& studyPath) {
    m_studyPath = studyPath;
    const common::Outcome<BankQuestions> questions = readBankQuestions(m_bankPath);
    if (!questions)
        return ui::showMessage(m_mainWindow,
                               u"题库无法读取（%1），今日复习无法开始。"_s.arg(questions.reason()));
    QList<study::MemoryEntry> entries;
    study::DailyProgress progress;
    {
        study::StudyRecord record(m_studyPath);
        entries = record.memoryEntries();
        progress = record.dailyProgress();
    }
    const int left = progress.target - progress.answeredToday;
    if (left <= 0) return ui::showMessage(m_mainWindow, kTargetMet);
    m_blocks.clear();
    for (const study::PlannedQuestion& planned :
         study::dailyPlan(entries, questions->hashes, study::dayNumber(QDate::currentDate()), left)) {
        const bank::QuestionType type = bank::allQuestionTypes[static_cast<std::size_t>(planned.type)];
        const auto block =
            std::find_if(m_blocks.begin(), m_blocks.end(), [type](const Block& b) { return b.type == type; });
        const int id =
            questions->idOfHash[static_cast<std::size_t>(planned.type)].value(planned.questionHash);
        if (block == m_blocks.end())
            m_blocks.append({type, {id}});
        else
            block->questions.append(id);
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
