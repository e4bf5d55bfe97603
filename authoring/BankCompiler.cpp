#include "authoring/BankCompiler.h"

#include "authoring/BankRules.h"
#include "authoring/BankSource.h"
#include "authoring/GiveAways.h"
#include "authoring/PracticeOrder.h"

#include "jet/DatabaseCreator.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

using bank::allQuestionTypes;
using bank::BankColumn;
using bank::BankTable;
using bank::paperCount;
using bank::paperTable;
using bank::practiceTable;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::recordCells;
using bank::tableColumns;

namespace authoring {

namespace {

// A fixed creation date keeps the same sources giving the same file (2026-01-01, in Access days).
constexpr double creationDate = 46023.0;

// A source question as the bank's row `id` holds it: with its chapter, without answers.
QuestionRecord unanswered(const SourceQuestion& source, int id) {
    QuestionRecord record = source.record;
    record.id = id;
    record.ch = source.chapter;
    record.xxda.clear();
    record.fen = u"0"_s;
    record.answers = {};
    return record;
}

jet::FieldType fieldType(BankColumn::Kind kind) {
    switch (kind) {
    case BankColumn::Kind::Long:
        return jet::FieldType::Long;
    case BankColumn::Kind::Text:
        return jet::FieldType::Text;
    case BankColumn::Kind::Memo:
        return jet::FieldType::Memo;
    }
    return jet::FieldType::Memo;
}

// The pools with every pair that gives itself away sharing a tag of its own, so that the draw keeps the
// pair apart even before its writers declare it. The tags are marked so that no RE tag equals them.
QuestionPools withGiveAwaysRelated(QuestionPools pools) {
    QList<ComparedQuestion> questions;
    QList<SourceQuestion*> sources;
    for (QuestionType type : allQuestionTypes)
        for (SourceQuestion& question : pools[static_cast<std::size_t>(type)]) {
            questions.append({type, question.record, question.related, {}});
            sources.append(&question);
        }
    const QList<GiveAwayPair> pairs = findGiveAways(questions);
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        const QString tag = QChar(0x2) + QString::number(i);
        sources[pairs[i].first]->related.append(tag);
        sources[pairs[i].second]->related.append(tag);
    }
    return pools;
}

} // namespace

QStringList poolAnswers(const QList<SourceQuestion>& pool) {
    QStringList answers;
    for (const SourceQuestion& question : pool)
        answers.append(question.record.da);
    return answers;
}

LoadedPools loadPools(const QString& directory) {
    LoadedPools loaded;
    for (QuestionType type : allQuestionTypes) {
        const QString path = QDir(directory).filePath(sourceFileName(type));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            loaded.problems.append(u"%1: %2"_s.arg(path, file.errorString()));
            continue;
        }
        ParsedSource parsed = parseBankSource(QString::fromUtf8(file.readAll()), sourceFileName(type), type);
        loaded.problems.append(parsed.problems);
        BankTable practice{practiceTable(type), {}};
        for (const SourceQuestion& question : std::as_const(parsed.questions))
            practice.rows.append(question.record);
        for (const QString& problem : tableProblems(practice.name, practice.rows))
            loaded.problems.append(u"%1: %2"_s.arg(sourceFileName(type), problem));
        loaded.pools[static_cast<std::size_t>(type)] = std::move(parsed.questions);
    }
    return loaded;
}

common::Outcome<QList<BankTable>> composeBank(const QuestionPools& pools) {
    QList<BankTable> tables;
    for (QuestionType type : allQuestionTypes) {
        const QList<SourceQuestion>& pool = pools[static_cast<std::size_t>(type)];
        BankTable table{practiceTable(type), {}};
        for (int index : practiceOrder(type, poolAnswers(pool)))
            table.rows.append(unanswered(pool[index], static_cast<int>(table.rows.size()) + 1));
        tables.append(table);
    }
    const common::Outcome<Papers> papers = drawPapers(withGiveAwaysRelated(pools));
    OUTCOME_TRY(papers);
    for (int p = 0; p < paperCount; ++p) {
        BankTable table{paperTable(p + 1), {}};
        for (const PaperQuestion& question : (*papers)[static_cast<std::size_t>(p)]) {
            const SourceQuestion& source = pools[static_cast<std::size_t>(question.type)][question.poolIndex];
            table.rows.append(unanswered(source, static_cast<int>(table.rows.size()) + 1));
        }
        tables.append(table);
    }
    return tables;
}

jet::NewTable newTable(const BankTable& table, const QList<BankColumn>& columns) {
    jet::NewTable result;
    result.name = table.name.toStdString();
    // Every table is keyed on ID, so no update can give two questions one number.
    for (const BankColumn& column : columns)
        result.fields.push_back(
            {column.name.toStdString(), fieldType(column.kind), column.size, false, column.name == u"ID"_s});
    for (const QuestionRecord& record : table.rows) {
        jet::NewRow row;
        for (const QString& cell : recordCells(columns, record))
            row.push_back(cell.toStdString());
        result.rows.push_back(std::move(row));
    }
    return result;
}

common::Outcome<> writeBank(const QList<BankTable>& tables, const QString& path) {
    std::vector<jet::NewTable> newTables;
    for (const BankTable& table : tables)
        newTables.push_back(newTable(table, tableColumns(table.name)));
    jet::CreateOptions options;
    options.creationDate = creationDate;
    const jet::Status status =
        jet::DatabaseCreator::create(QFile::encodeName(path).toStdString(), newTables, options);
    if (!status.ok()) return common::Failure{QString::fromStdString(status.message())};
    return {};
}

QStringList compileBank(const QString& sourceDirectory, const QString& path) {
    const LoadedPools loaded = loadPools(sourceDirectory);
    if (!loaded.problems.isEmpty()) return loaded.problems;
    const common::Outcome<QList<BankTable>> tables = composeBank(loaded.pools);
    if (!tables) return {tables.reason()};
    QStringList problems;
    for (const BankTable& table : *tables)
        problems.append(tableProblems(table.name, table.rows));
    if (!problems.isEmpty()) return problems;
    const common::Outcome<> written = writeBank(*tables, path);
    return written ? QStringList() : QStringList{u"%1: %2"_s.arg(path, written.reason())};
}

} // namespace authoring
