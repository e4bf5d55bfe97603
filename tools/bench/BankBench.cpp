// Prints how long the bank takes to record one answer and to clear a table, on a copy of the built
// bank and on banks whose single-choice table is grown to 500 and 2,000 rows from the built one's,
// beside what one sync of a file costs on the same disk in the same run.
//
//   bank_bench [BANK]     (default: qvtb.mdb beside this program)
//
// One answer is what a window does on a click, as one transaction: recordAnswer, re-select the
// table, find the question, read DA, recordScore, commit. It is durable on disk when it returns:
// the journal and the file are synced once each, so two syncs are its floor.
#include "authoring/BankCompiler.h"
#include "bank/QuestionBank.h"
#include "bank/QuestionType.h"
#include "bank/Scoring.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

using bank::BankTable;
using bank::choiceScore;
using bank::paperQuestionType;
using bank::practiceTable;
using bank::QuestionBank;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::trueFalseAnswer;
using bank::typeOfPracticeTable;

namespace {

constexpr int answers = 1000;
constexpr int clears = 20;
constexpr int grownSizes[] = {500, 2000};

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

void print(const QString& what, const std::vector<double>& ms) {
    std::printf("%-40s n=%-5zu min %7.3f   median %7.3f   p99 %7.3f   max %7.3f  ms\n", qPrintable(what),
                ms.size(), *std::min_element(ms.begin(), ms.end()), percentile(ms, 0.5), percentile(ms, 0.99),
                *std::max_element(ms.begin(), ms.end()));
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

std::optional<QuestionType> choiceType(const QString& table, int id) {
    const std::optional<QuestionType> type =
        typeOfPracticeTable(table) ? typeOfPracticeTable(table) : paperQuestionType(id);
    return type && *type != QuestionType::Calculation ? type : std::nullopt;
}

common::Outcome<> readQuestions(QuestionBank& bank, const QString& table, std::vector<Question>& questions) {
    OUTCOME_TRY(bank.selectTable(table));
    OUTCOME_TRY(bank.forEachRow([&]() -> common::Outcome<> {
        const common::Outcome<QuestionRecord> row = bank.currentRecord();
        if (!row) return common::Failure{row.reason()};
        if (const auto type = choiceType(table, row->id)) questions.push_back({row->id, *type, row->tm});
        return {};
    }));
    if (questions.empty()) return common::Failure{table + u" has no choice questions"_s};
    return {};
}

// The steps of one answer, timed apart so that the figures say where the time goes.
struct Steps {
    std::vector<double> record, reread, score, commit, total;
};

common::Outcome<> answerOnce(QuestionBank& bank, const QString& table, const Question& question,
                             const QString& value, Steps* steps = nullptr) {
    QElapsedTimer timer;
    timer.start();
    double recorded = 0;
    double reread = 0;
    double scored = 0;
    const common::Outcome<> ok = bank.asOne([&]() -> common::Outcome<> {
        OUTCOME_TRY(bank.recordAnswer(table, question.text, value));
        recorded = elapsedMs(timer);
        OUTCOME_TRY(bank.selectTable(table));
        OUTCOME_TRY(bank.findQuestion(question.id));
        const common::Outcome<QString> standard = bank.readField(u"DA"_s);
        reread = elapsedMs(timer);
        if (!standard) return common::Failure{standard.reason()};
        OUTCOME_TRY(bank.recordScore(table, question.text, choiceScore(question.type, value, *standard)));
        scored = elapsedMs(timer);
        return {};
    });
    if (ok && steps) {
        const double total = elapsedMs(timer);
        steps->record.push_back(recorded);
        steps->reread.push_back(reread - recorded);
        steps->score.push_back(scored - reread);
        steps->commit.push_back(total - scored);
        steps->total.push_back(total);
    }
    return ok;
}

// What one durable 4 KiB write costs on this disk, synced as the engine syncs (fdatasync). Taken
// between the answers, so that it sees the same load on the disk as they do.
class SyncProbe {
public:
    explicit SyncProbe(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {}
    ~SyncProbe() {
        if (m_fd >= 0) ::close(m_fd);
    }
    SyncProbe(const SyncProbe&) = delete;
    SyncProbe& operator=(const SyncProbe&) = delete;

    bool measure() {
        const std::vector<char> page(4096, 'x');
        QElapsedTimer timer;
        timer.start();
        if (m_fd < 0 || ::pwrite(m_fd, page.data(), page.size(), 0) != static_cast<ssize_t>(page.size()) ||
            ::fdatasync(m_fd) != 0)
            return false;
        m_ms.push_back(elapsedMs(timer));
        return true;
    }
    const std::vector<double>& ms() const { return m_ms; }

private:
    int m_fd;
    std::vector<double> m_ms;
};

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

int fail(const common::Outcome<>& failed) {
    std::fprintf(stderr, "bank_bench: %s\n", qPrintable(failed.reason()));
    return 1;
}

// Answers the table's questions round after round, then clears it now and then.
int benchTable(QuestionBank& bank, const QString& table, const QString& probePath) {
    SyncProbe probe(probePath);
    std::vector<Question> questions;
    if (const common::Outcome<> read = readQuestions(bank, table, questions); !read) return fail(read);
    Steps steps;
    for (int i = 0; i < answers; ++i) {
        // A stride prime to the table's size reaches every row, as a candidate moving about would.
        const std::size_t at = static_cast<std::size_t>(i) * 7919 % questions.size();
        const Question& question = questions[at];
        const common::Outcome<> answered = answerOnce(
            bank, table, question, valueFor(question, i / static_cast<int>(questions.size())), &steps);
        if (!answered) return fail(answered);
        if (!probe.measure()) {
            std::fprintf(stderr, "bank_bench: cannot measure a synced write\n");
            return 1;
        }
    }
    std::vector<double> clearMs;
    for (int i = 0; i < clears; ++i) {
        for (std::size_t k = 0; k < std::min<std::size_t>(questions.size(), 60); ++k)
            if (const common::Outcome<> answered =
                    answerOnce(bank, table, questions[k], valueFor(questions[k], i));
                !answered)
                return fail(answered);
        QElapsedTimer timer;
        timer.start();
        if (const common::Outcome<> cleared = bank.clearAnswers(table); !cleared) return fail(cleared);
        clearMs.push_back(elapsedMs(timer));
    }
    std::printf("%s: %zu questions\n", qPrintable(table), questions.size());
    print(u"one answer (record, find, score, commit)"_s, steps.total);
    print(u"  recordAnswer"_s, steps.record);
    print(u"  re-select, find, read DA"_s, steps.reread);
    print(u"  recordScore"_s, steps.score);
    print(u"  commit (journal, file, two syncs)"_s, steps.commit);
    print(u"clearing the table (one transaction)"_s, clearMs);
    print(u"disk floor: one 4 KiB write + fdatasync"_s, probe.ms());
    std::vector<double> pairs;
    for (std::size_t i = 0; i + 1 < probe.ms().size(); i += 2)
        pairs.push_back(probe.ms()[i] + probe.ms()[i + 1]);
    print(u"disk floor: two of them (a commit's)"_s, pairs);
    return 0;
}

// A bank holding the built bank's single-choice table grown to `rows` rows: its questions again
// and again, each copy with a number and a text of its own, written as the bank compiler writes
// but without the key on ID, whose index the creator lays on one page and 2,000 rows overflow (an
// answer never reads it).
common::Outcome<> writeGrownBank(QuestionBank& source, int rows, const QString& path) {
    const QString table = practiceTable(QuestionType::SingleChoice);
    QList<QuestionRecord> originals;
    OUTCOME_TRY(source.selectTable(table));
    OUTCOME_TRY(source.forEachRow([&]() -> common::Outcome<> {
        const common::Outcome<QuestionRecord> row = source.currentRecord();
        if (!row) return common::Failure{row.reason()};
        originals.append(*row);
        return {};
    }));
    if (originals.isEmpty()) return common::Failure{table + u" has no rows to grow from"_s};
    BankTable grown{table, {}};
    for (int i = 0; i < rows; ++i) {
        QuestionRecord record = originals[i % originals.size()];
        record.id = i + 1;
        if (i >= originals.size()) record.tm += u"（%1）"_s.arg(i / originals.size() + 1);
        grown.rows.append(record);
    }
    jet::NewTable created = authoring::newTable(grown, bank::tableColumns(table));
    for (jet::NewField& field : created.fields)
        field.primaryKey = false;
    const jet::Status status = jet::DatabaseCreator::create(QFile::encodeName(path).toStdString(), {created});
    if (!status.ok()) return common::Failure{QString::fromStdString(status.message())};
    return {};
}

int benchGrown(QuestionBank& source, int rows, const QTemporaryDir& dir) {
    const QString path = dir.filePath(u"grown-%1.mdb"_s.arg(rows));
    if (const common::Outcome<> written = writeGrownBank(source, rows, path); !written) return fail(written);
    QuestionBank grown;
    if (const common::Outcome<> opened = grown.openBank(path); !opened) return fail(opened);
    std::printf("bank: %s (its %s grown to %d rows)\n", qPrintable(path),
                qPrintable(practiceTable(QuestionType::SingleChoice)), rows);
    return benchTable(grown, practiceTable(QuestionType::SingleChoice), dir.filePath(u"sync-probe"_s));
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
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    QuestionBank bank;
    if (const common::Outcome<> opened = bank.openBank(path); !opened) return fail(opened);
    std::printf("bank: %s (copy of %s)\n", qPrintable(path), qPrintable(source));
    for (const QString& table : {u"tm1"_s, practiceTable(QuestionType::SingleChoice)})
        if (const int failed = benchTable(bank, table, dir.filePath(u"sync-probe"_s))) return failed;
    for (const int rows : grownSizes)
        if (const int failed = benchGrown(bank, rows, dir)) return failed;
    return 0;
}
