// Prints how long the bank takes to record one answer and to clear a paper, on a copy of the built bank.
//
//   bank_bench [BANK]     (default: qvtb.mdb beside this program)
//
// One answer is what a window does on a click: recordAnswer, re-select the table, find the question,
// read DA, recordScore. Each statement is durable on disk when it returns.
#include "QuestionBank.h"
#include "QuestionType.h"
#include "Scoring.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int answers = 1000;
constexpr int clears = 20;
const QString paper = u"tm1"_s;

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

void print(const char* what, const std::vector<double>& ms) {
    std::printf("%-34s n=%-5zu median %7.3f ms   p99 %7.3f ms   max %7.3f ms\n", what, ms.size(),
                percentile(ms, 0.5), percentile(ms, 0.99), *std::max_element(ms.begin(), ms.end()));
}

double elapsedMs(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// The questions' texts and kinds, read once, as a window holds them while the candidate answers.
struct Question {
    int id;
    QuestionType type;
    QString text;
};

bool readQuestions(QuestionBank& bank, std::vector<Question>& questions) {
    if (!bank.selectTable(paper)) return false;
    for (int id = 1; id <= 60; ++id) {
        bool ok = false;
        const QString text = bank.findQuestion(id) ? bank.readField(u"TM"_s, &ok) : QString();
        if (!ok) return false;
        questions.push_back({id, *paperQuestionType(id), text});
    }
    return true;
}

// The three steps of one answer, timed apart so that the figures say where the time goes.
struct Steps {
    std::vector<double> record, reread, score, total;
};

bool answerOnce(QuestionBank& bank, const Question& question, const QString& value, Steps* steps = nullptr) {
    QElapsedTimer timer;
    timer.start();
    if (!bank.recordAnswer(paper, question.text, value)) return false;
    const double recorded = elapsedMs(timer);
    if (!bank.selectTable(paper) || !bank.findQuestion(question.id)) return false;
    bool ok = false;
    const QString standard = bank.readField(u"DA"_s, &ok);
    const double reread = elapsedMs(timer);
    if (!ok || !bank.recordScore(paper, question.text, choiceScore(question.type, value, standard)))
        return false;
    if (steps) {
        const double total = elapsedMs(timer);
        steps->record.push_back(recorded);
        steps->reread.push_back(reread - recorded);
        steps->score.push_back(total - reread);
        steps->total.push_back(total);
    }
    return true;
}

// What one durable 4 KiB write costs on this disk: every statement pays a few of them.
std::vector<double> syncedWrites(const QString& path) {
    QFile file(path);
    std::vector<double> ms;
    if (!file.open(QIODevice::ReadWrite)) return ms;
    const QByteArray page(4096, 'x');
    for (int i = 0; i < 50; ++i) {
        QElapsedTimer timer;
        timer.start();
        file.seek(0);
        file.write(page);
        file.flush();
        ::fsync(file.handle());
        ms.push_back(elapsedMs(timer));
    }
    return ms;
}

QString valueFor(const Question& question, int round) {
    static const QStringList letters{u"A"_s, u"B"_s, u"C"_s, u"D"_s};
    static const QStringList combinations{u"AB"_s, u"ACD"_s, u"BD"_s, u"ABCD"_s};
    switch (question.type) {
    case QuestionType::SingleChoice:
        return letters[round % 4];
    case QuestionType::MultipleChoice:
        return combinations[round % 4];
    default:
        return trueFalseAnswer(round % 2 == 0);
    }
}

int fail(const QuestionBank& bank) {
    std::fprintf(stderr, "bank_bench: %s\n", qPrintable(bank.lastError()));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString source = args.size() > 1 ? args[1] : QuestionBank::defaultPath();
    QTemporaryDir dir;
    const QString path = dir.filePath(u"qvtb.mdb"_s);
    if (!dir.isValid() || !QFile::copy(source, path)) {
        std::fprintf(stderr, "bank_bench: cannot copy %s\n", qPrintable(source));
        return 1;
    }
    QuestionBank bank;
    std::vector<Question> questions;
    if (!bank.openBank(path) || !readQuestions(bank, questions)) return fail(bank);

    Steps steps;
    for (int i = 0; i < answers; ++i) {
        const Question& question = questions[static_cast<std::size_t>(i) % questions.size()];
        if (!answerOnce(bank, question, valueFor(question, i / static_cast<int>(questions.size())), &steps))
            return fail(bank);
    }
    std::vector<double> clearMs;
    for (int i = 0; i < clears; ++i) {
        for (const Question& question : questions)
            if (!answerOnce(bank, question, valueFor(question, i))) return fail(bank);
        QElapsedTimer timer;
        timer.start();
        if (!bank.clearAnswers(paper)) return fail(bank);
        clearMs.push_back(elapsedMs(timer));
    }
    std::printf("bank: %s (copy of %s)\n", qPrintable(path), qPrintable(source));
    print("one answer (record, find, score)", steps.total);
    print("  recordAnswer", steps.record);
    print("  re-select, find, read DA", steps.reread);
    print("  recordScore", steps.score);
    print("clearing a paper (7 statements)", clearMs);
    const std::vector<double> synced = syncedWrites(dir.filePath(u"sync-probe"_s));
    if (!synced.empty()) print("disk: one 4 KiB write + fsync", synced);
    return 0;
}
