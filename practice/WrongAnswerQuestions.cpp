#include "WrongAnswerQuestions.h"

#include "QuestionBank.h"
#include "QuestionKey.h"

#include <QHash>

using namespace Qt::StringLiterals;

using bank::QuestionBank;

namespace practice {

QList<int> questionsWithHashes(const QString& bankPath, const QString& table, const QStringList& hashes) {
    QList<int> ids;
    if (hashes.isEmpty()) return ids;
    QuestionBank bank;
    if (!bank.openBank(bankPath) || !bank.selectTable(table)) return ids;
    QHash<QString, int> idOfHash;
    for (bool atRow = bank.moveFirst(); atRow; atRow = bank.moveNext())
        idOfHash.insert(study::questionHash(bank.readField(u"TM"_s)), bank.readField(u"ID"_s).toInt());
    for (const QString& hash : hashes)
        if (idOfHash.contains(hash)) ids.append(idOfHash.value(hash));
    return ids;
}

} // namespace practice
