#include "study/BankSearch.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <utility>

using namespace Qt::StringLiterals;

namespace study {
namespace {

// The trigram tokenizer matches any run of three or more characters, so Chinese needs no word
// breaking; shorter words, common in Chinese (存货, 折旧), it cannot index and LIKE scans for them.
constexpr int kShortestIndexedWord = 3;

QString nextConnectionName() {
    static int count = 0;
    return u"bank-search-%1"_s.arg(++count);
}

common::Failure failureOf(const QSqlQuery& query) {
    return common::Failure{query.lastError().text()};
}

common::Outcome<> run(QSqlDatabase db, const QString& statement) {
    QSqlQuery query(db);
    if (!query.exec(statement)) return failureOf(query);
    return {};
}

common::Outcome<> createSchema(QSqlDatabase db) {
    OUTCOME_TRY(run(db, u"CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)"_s));
    return run(db, u"CREATE VIRTUAL TABLE IF NOT EXISTS questions USING fts5("
                   "tbl UNINDEXED, qid UNINDEXED, text, options, explanation, tokenize='trigram')"_s);
}

QStringList wordsOf(const QString& words) {
    static const QRegularExpression blanks(u"[\\s\u3000]+"_s);
    return words.split(blanks, Qt::SkipEmptyParts);
}

// A word as an FTS5 phrase: quoted, its quotes doubled, so no word is read as query syntax.
QString phrase(const QString& word) {
    return u'"' + QString(word).replace(u'"', u"\"\""_s) + u'"';
}

// A word as a LIKE pattern that matches it literally.
QString likePattern(const QString& word) {
    QString escaped = word;
    escaped.replace(u'\\', u"\\\\"_s).replace(u'%', u"\\%"_s).replace(u'_', u"\\_"_s);
    return u'%' + escaped + u'%';
}

const QString kShortWordCondition =
    u"(text LIKE ? ESCAPE '\\' OR options LIKE ? ESCAPE '\\' OR explanation LIKE ? ESCAPE '\\')"_s;

struct SearchQuery {
    QString statement;
    QStringList values;
};

// How many of the words stand in `column`: a question whose own text holds more of what the
// candidate typed is the one they remember.
QString wordsIn(const QString& column, const QStringList& words, QStringList* values) {
    QStringList terms;
    for (const QString& word : words) {
        terms << u"(%1 LIKE ? ESCAPE '\\')"_s.arg(column);
        *values << likePattern(word);
    }
    return terms.join(u" + "_s);
}

SearchQuery queryFor(const QStringList& words, int limit) {
    QStringList phrases, conditions, values;
    for (const QString& word : words) {
        if (word.size() >= kShortestIndexedWord) {
            phrases << phrase(word);
        } else {
            conditions << kShortWordCondition;
            values << likePattern(word) << likePattern(word) << likePattern(word);
        }
    }
    if (!phrases.isEmpty()) {
        conditions.prepend(u"questions MATCH ?"_s);
        values.prepend(phrases.join(u" AND "_s));
    }
    QString statement = u"SELECT tbl, text, qid FROM questions WHERE "_s + conditions.join(u" AND "_s);
    statement += u" ORDER BY "_s + wordsIn(u"text"_s, words, &values) + u" DESC, "_s;
    // The index's rank weighs where the long words stand; short words alone have none.
    if (!phrases.isEmpty()) statement += u"bm25(questions, 0.0, 0.0, 10.0, 4.0, 1.0), "_s;
    statement += wordsIn(u"options"_s, words, &values) + u" DESC, length(text) LIMIT %1"_s.arg(limit);
    return {statement, values};
}

} // namespace

SearchDocument searchDocumentOf(const QString& table, const bank::QuestionRecord& record) {
    QStringList options;
    for (const QString& option : record.options)
        if (!option.isEmpty()) options << option;
    return {table, record.tm, options.join(u'\n'), record.jx, record.id};
}

BankSearch::BankSearch(QString connection) : m_connection(std::move(connection)) {}

BankSearch::BankSearch(BankSearch&& other) noexcept
    : m_connection(std::exchange(other.m_connection, QString())) {}

BankSearch::~BankSearch() {
    if (m_connection.isEmpty()) return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

common::Outcome<BankSearch> BankSearch::open(const QString& path) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        BankSearch search(nextConnectionName());
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, search.m_connection);
        db.setDatabaseName(path);
        if (!db.open()) return common::Failure{db.lastError().text()};
        if (createSchema(db)) return search;
        // A cache is only ever rebuilt from the bank: one that cannot be read is started afresh.
        db.close();
        if (attempt == 0 && !QFile::remove(path))
            return common::Failure{u"无法替换搜索索引文件 %1"_s.arg(path)};
    }
    return common::Failure{u"无法建立搜索索引 %1"_s.arg(path)};
}

QString BankSearch::indexedVersion() const {
    QSqlQuery query(QSqlDatabase::database(m_connection));
    if (!query.exec(u"SELECT value FROM meta WHERE key = 'version'"_s) || !query.next()) return {};
    return query.value(0).toString();
}

common::Outcome<> BankSearch::rebuild(const QString& version, const QList<SearchDocument>& documents) {
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    if (!db.transaction()) return common::Failure{db.lastError().text()};
    const auto steps = [&]() -> common::Outcome<> {
        OUTCOME_TRY(run(db, u"DELETE FROM questions"_s));
        QSqlQuery insert(db);
        if (!insert.prepare(
                u"INSERT INTO questions (tbl, qid, text, options, explanation) VALUES (?, ?, ?, ?, ?)"_s))
            return failureOf(insert);
        for (const SearchDocument& d : documents) {
            insert.addBindValue(d.table);
            insert.addBindValue(d.id);
            insert.addBindValue(d.text);
            insert.addBindValue(d.options);
            insert.addBindValue(d.explanation);
            if (!insert.exec()) return failureOf(insert);
        }
        QSqlQuery meta(db);
        meta.prepare(u"INSERT OR REPLACE INTO meta (key, value) VALUES ('version', ?)"_s);
        meta.addBindValue(version);
        if (!meta.exec()) return failureOf(meta);
        return {};
    };
    if (auto built = steps(); !built) {
        db.rollback();
        return built;
    }
    if (!db.commit()) return common::Failure{db.lastError().text()};
    return {};
}

common::Outcome<QList<SearchHit>> BankSearch::find(const QString& words, int limit) const {
    const QStringList split = wordsOf(words);
    if (split.isEmpty()) return QList<SearchHit>{};
    const SearchQuery search = queryFor(split, limit);
    QSqlQuery query(QSqlDatabase::database(m_connection));
    query.setForwardOnly(true);
    if (!query.prepare(search.statement)) return failureOf(query);
    for (const QString& value : search.values)
        query.addBindValue(value);
    if (!query.exec()) return failureOf(query);
    QList<SearchHit> hits;
    while (query.next())
        hits.append({query.value(0).toString(), query.value(1).toString(), query.value(2).toInt()});
    return hits;
}

} // namespace study
