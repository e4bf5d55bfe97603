#pragma once

// Finding questions by the words a candidate remembers of them: a full-text index over every
// question's text, options and explanation, kept in a cache file of its own and rebuilt whenever
// the bank's content version changes. The bank itself is never written.
#include "bank/QuestionRecord.h"
#include "common/Outcome.h"

#include <QList>
#include <QString>

namespace study {

// What the index holds of one question.
struct SearchDocument {
    QString table;   // the bank's table
    QString text;    // TM, the question's text: with the table, what names the question
    QString options; // the options' texts, one line each
    QString explanation;
    int id = 0; // the question's number in its table, which opens it
};

// What the index holds of a question of `table` as the bank stores it.
SearchDocument searchDocumentOf(const QString& table, const bank::QuestionRecord& record);

struct SearchHit {
    QString table;
    QString text;
    int id = 0;
};

class BankSearch final {
public:
    // Opens (creating when missing) the cache at `path`; a cache that cannot be read is replaced.
    static common::Outcome<BankSearch> open(const QString& path);
    BankSearch(BankSearch&& other) noexcept;
    BankSearch& operator=(BankSearch&&) = delete;
    BankSearch(const BankSearch&) = delete;
    ~BankSearch();

    // The content version the index was built from; empty before the first build.
    QString indexedVersion() const;
    // Replaces the index with `documents`, as one change, and records `version`.
    common::Outcome<> rebuild(const QString& version, const QList<SearchDocument>& documents);

    // The questions holding every word of `words` (blank-separated; Chinese needs no blanks),
    // best first: words in the question's text weigh more than in its options, and those more
    // than in its explanation. At most `limit`.
    common::Outcome<QList<SearchHit>> find(const QString& words, int limit = 20) const;

private:
    explicit BankSearch(QString connection);
    QString m_connection;
};

} // namespace study
