#include "authoring/BankReview.h"

#include "authoring/AnswerPatterns.h"
#include "authoring/GiveAways.h"

#include <QHash>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

using bank::allQuestionTypes;
using bank::amountsCalcType;
using bank::BankTable;
using bank::journalCalcType;
using bank::paperOfTable;
using bank::paperQuestionType;
using bank::practiceTable;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::typeOfPracticeTable;

namespace authoring {

namespace {

QString start(const QString& text) {
    constexpr qsizetype shown = 28;
    return text.size() <= shown ? text : text.left(shown) + u"…"_s;
}

QString percent(double share) {
    return QString::number(share * 100, 'f', 1) + u" %"_s;
}

QList<QuestionRecord> inIdOrder(QList<QuestionRecord> rows) {
    std::sort(rows.begin(), rows.end(),
              [](const QuestionRecord& a, const QuestionRecord& b) { return a.id < b.id; });
    return rows;
}

void reviewFigures(const QString& table, QuestionType type, const QList<QuestionRecord>& rows,
                   BankReview& review) {
    for (const PatternFigure& figure : patternFigures(type, inIdOrder(rows))) {
        const QString limit = figure.limit > 0
                                  ? u"limit %1%2"_s.arg(figure.twoSided ? u"±"_s : u"+"_s).arg(figure.limit)
                                  : u"reported only"_s;
        review.report.append(
            u"%1: %2: %3 of %4 (chance %5, %6%7 points, %8)"_s.arg(table, figure.name, percent(figure.score))
                .arg(figure.covered)
                .arg(percent(figure.chance), figure.excessPoints() >= 0 ? u"+"_s : QString())
                .arg(figure.excessPoints(), 0, 'f', 1)
                .arg(limit));
        if (figure.fails())
            review.problems.append(
                u"%1: figure \"%2\" scores %3, %4 points %5 its chance %6 (limit %7)"_s
                    .arg(table, figure.name, percent(figure.score))
                    .arg(std::abs(figure.excessPoints()), 0, 'f', 1)
                    .arg(figure.excessPoints() > 0 ? u"over"_s : u"under"_s, percent(figure.chance))
                    .arg(figure.limit));
    }
}

QString pairText(const ComparedQuestion& a, const ComparedQuestion& b, const QString& reason) {
    return u"%1 「%2」 and %3 「%4」: %5"_s.arg(a.where, start(a.record.tm), b.where, start(b.record.tm),
                                                reason);
}

// Pairs that give each other away among the practice tables' questions, by kind and text.
QSet<QPair<QString, QString>> giveAwaysOfPools(const QList<BankTable>& tables) {
    QList<ComparedQuestion> questions;
    for (const BankTable& table : tables)
        if (const std::optional<QuestionType> type = typeOfPracticeTable(table.name))
            for (const QuestionRecord& row : table.rows)
                questions.append({*type, row, {}, {}});
    QSet<QPair<QString, QString>> pairs;
    for (const GiveAwayPair& pair : findGiveAways(questions)) {
        const QString a = practiceTable(questions[pair.first].type) + questions[pair.first].record.tm;
        const QString b = practiceTable(questions[pair.second].type) + questions[pair.second].record.tm;
        pairs.insert({std::min(a, b), std::max(a, b)});
    }
    return pairs;
}

void reviewPaper(const BankTable& table, const QSet<QPair<QString, QString>>& giveAways, BankReview& review) {
    QList<QPair<int, QString>> questions; // ID, kind and text
    for (const QuestionRecord& row : table.rows)
        if (const std::optional<QuestionType> type = paperQuestionType(row.id))
            questions.append({row.id, practiceTable(*type) + row.tm});
    for (qsizetype i = 0; i < questions.size(); ++i)
        for (qsizetype j = i + 1; j < questions.size(); ++j) {
            const QString& a = questions[i].second;
            const QString& b = questions[j].second;
            if (giveAways.contains({std::min(a, b), std::max(a, b)}))
                review.problems.append(
                    u"%1 holds ID %2 and ID %3, which give each other away"_s.arg(table.name)
                        .arg(questions[i].first)
                        .arg(questions[j].first));
        }
}

// Where each question of the pools is, by kind and question text (unique within its kind).
using SourceIndex = QHash<QPair<int, QString>, int>;

SourceIndex indexPools(const QuestionPools& pools) {
    SourceIndex index;
    for (QuestionType type : allQuestionTypes) {
        const QList<SourceQuestion>& pool = pools[static_cast<std::size_t>(type)];
        for (int i = 0; i < pool.size(); ++i)
            index.insert({static_cast<int>(type), pool[i].record.tm}, i);
    }
    return index;
}

QString whereInSources(QuestionType type, const SourceQuestion& question) {
    return u"%1:%2"_s.arg(sourceFileName(type)).arg(question.line);
}

void reviewPracticeTable(const BankTable& table, QuestionType type, const QuestionPools& pools,
                         const SourceIndex& index, BankReview& review) {
    QSet<int> found;
    for (const QuestionRecord& row : table.rows)
        if (const int i = index.value({static_cast<int>(type), row.tm}, -1); i >= 0) found.insert(i);
    const auto sources = pools[static_cast<std::size_t>(type)].size();
    if (found.size() != sources || table.rows.size() != sources)
        review.problems.append(
            u"%1 does not hold the questions of %2: %3 rows, %4 source questions, %5 of them found"_s
                .arg(table.name, sourceFileName(type))
                .arg(table.rows.size())
                .arg(sources)
                .arg(found.size()));
}

void reviewPoolGiveAways(const QuestionPools& pools, BankReview& review) {
    QList<ComparedQuestion> questions;
    for (QuestionType type : allQuestionTypes)
        for (const SourceQuestion& question : pools[static_cast<std::size_t>(type)])
            questions.append({type, question.record, question.related, whereInSources(type, question)});
    int declared = 0;
    for (const GiveAwayPair& pair : findGiveAways(questions)) {
        const ComparedQuestion& a = questions[pair.first];
        const ComparedQuestion& b = questions[pair.second];
        if (areRelated(a, b))
            ++declared;
        else
            review.problems.append(u"give-away not declared by a shared RE tag: "_s +
                                   pairText(a, b, pair.reason));
    }
    review.report.append(u"give-aways across the pools: %1 declared by RE tags"_s.arg(declared));
}

// The papers' questions as pool places, kind by kind; -1 where a row is not from the pools.
struct PaperPlaces {
    QString table;
    QList<QPair<QuestionType, int>> questions;
};

void reviewPaperDraw(const PaperPlaces& paper, const QuestionPools& pools, const QSet<QString>& chapters,
                     BankReview& review) {
    QHash<QString, QString> tagHolder;
    QSet<QString> covered;
    for (qsizetype row = 0; row < paper.questions.size(); ++row) {
        const auto& [type, i] = paper.questions[row];
        if (i < 0) {
            review.problems.append(u"%1 ID %2 is not a question of %3"_s.arg(paper.table)
                                       .arg(row + 1)
                                       .arg(sourceFileName(type)));
            continue;
        }
        const SourceQuestion& question = pools[static_cast<std::size_t>(type)][i];
        covered.insert(question.chapter);
        const QString where = whereInSources(type, question);
        for (const QString& tag : question.related) {
            if (tagHolder.contains(tag))
                review.problems.append(u"%1 holds %2 and %3, related by RE tag %4"_s.arg(
                    paper.table, tagHolder.value(tag), where, tag));
            tagHolder.insert(tag, where);
        }
    }
    QStringList missing;
    for (const QString& chapter : chapterTags())
        if (chapters.contains(chapter) && !covered.contains(chapter)) missing.append(chapter);
    if (!missing.isEmpty())
        review.problems.append(
            u"%1 holds no question of the chapter(s) %2"_s.arg(paper.table, missing.join(u", "_s)));
}

void reviewUse(const QList<PaperPlaces>& papers, const QuestionPools& pools, BankReview& review) {
    for (QuestionType type : allQuestionTypes) {
        const QList<SourceQuestion>& pool = pools[static_cast<std::size_t>(type)];
        std::vector<int> uses(static_cast<std::size_t>(pool.size()), 0);
        for (const PaperPlaces& paper : papers)
            for (const auto& [kind, i] : paper.questions)
                if (kind == type && i >= 0) ++uses[static_cast<std::size_t>(i)];
        // A calculation question is drawn among its own form only.
        for (const QString& tx : type == QuestionType::Calculation
                                     ? QStringList{amountsCalcType(), journalCalcType()}
                                     : QStringList{QString()}) {
            std::vector<int> group;
            for (int i = 0; i < pool.size(); ++i)
                if (tx.isNull() || pool[i].record.tx == tx)
                    group.push_back(uses[static_cast<std::size_t>(i)]);
            if (group.empty()) continue;
            const auto [fewest, most] = std::minmax_element(group.begin(), group.end());
            const QString what =
                tx.isNull() ? sourceFileName(type) : u"%1 %2"_s.arg(sourceFileName(type), tx);
            review.report.append(
                u"papers use each question of %1 %2 to %3 times"_s.arg(what).arg(*fewest).arg(*most));
            if (*most - *fewest > 1)
                review.problems.append(
                    u"the papers use %1 unevenly: %2 to %3 times"_s.arg(what).arg(*fewest).arg(*most));
        }
    }
}

} // namespace

BankReview reviewTables(const QList<BankTable>& tables) {
    BankReview review;
    const QSet<QPair<QString, QString>> giveAways = giveAwaysOfPools(tables);
    for (const BankTable& table : tables) {
        if (const std::optional<QuestionType> type = typeOfPracticeTable(table.name))
            reviewFigures(table.name, *type, table.rows, review);
        else if (paperOfTable(table.name))
            reviewPaper(table, giveAways, review);
    }
    return review;
}

BankReview reviewAgainstSources(const QList<BankTable>& tables, const QuestionPools& pools) {
    BankReview review;
    const SourceIndex index = indexPools(pools);
    QSet<QString> chapters;
    for (const QList<SourceQuestion>& pool : pools)
        for (const SourceQuestion& question : pool)
            chapters.insert(question.chapter);
    QList<PaperPlaces> papers;
    for (const BankTable& table : tables) {
        if (const std::optional<QuestionType> type = typeOfPracticeTable(table.name)) {
            reviewPracticeTable(table, *type, pools, index, review);
            continue;
        }
        if (!paperOfTable(table.name)) continue;
        PaperPlaces paper{table.name, {}};
        for (const QuestionRecord& row : table.rows)
            if (const std::optional<QuestionType> type = paperQuestionType(row.id))
                paper.questions.append({*type, index.value({static_cast<int>(*type), row.tm}, -1)});
        reviewPaperDraw(paper, pools, chapters, review);
        papers.append(paper);
    }
    reviewPoolGiveAways(pools, review);
    reviewUse(papers, pools, review);
    return review;
}

} // namespace authoring
