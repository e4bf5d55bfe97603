#include "practice/WrongAnswerQuestions.h"

#include "bank/QuestionBank.h"
#include "practice/CurrentQuestion.h"
#include "study/QuestionKey.h"

#include <QHash>

using namespace Qt::StringLiterals;

using bank::QuestionBank;
using bank::QuestionRecord;

namespace practice {

QList<int> questionsWithHashes(const QString& bankPath, const QString& table, const QStringList& hashes) {
    QList<int> ids;
    if (hashes.isEmpty()) return ids;
    QuestionBank bank;
    if (!bank.openBank(bankPath) || !bank.selectTable(table)) return ids;
    QHash<QString, int> idOfHash;
    const common::Outcome<> walked = bank.forEachRow([&]() -> common::Outcome<> {
        const QuestionRecord row = readCurrentQuestion(bank);
        idOfHash.insert(study::questionHash(row.tm), row.id);
        return {};
    });
    if (!walked) return ids;
    for (const QString& hash : hashes)
        if (idOfHash.contains(hash)) ids.append(idOfHash.value(hash));
    return ids;
}

common::Outcome<QHash<QString, QString>> questionTextsByHash(const QString& bankPath, const QString& table) {
    QuestionBank bank;
    OUTCOME_TRY(bank.openBank(bankPath));
    OUTCOME_TRY(bank.selectTable(table));
    QHash<QString, QString> texts;
    OUTCOME_TRY(bank.forEachRow([&]() -> common::Outcome<> {
        const QuestionRecord row = readCurrentQuestion(bank);
        texts.insert(study::questionHash(row.tm), row.tm);
        return {};
    }));
    return texts;
}

} // namespace practice
