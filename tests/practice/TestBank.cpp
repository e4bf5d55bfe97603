#include "TestBank.h"

#include "authoring/BankCompiler.h"
#include "bank/QuestionBank.h"
#include "practice/CurrentQuestion.h"

using namespace Qt::StringLiterals;

using bank::BankTable;
using bank::CalcFields;
using bank::QuestionBank;
using bank::QuestionRecord;

TestBank::TestBank() : m_path(m_dir.filePath(u"qvtb.mdb"_s)) {}

QString TestBank::write(const QList<BankTable>& tables) {
    const common::Outcome<> written = authoring::writeBank(tables, m_path);
    return written ? QString() : written.reason();
}

QuestionRecord TestBank::stored(const QString& table, int id) const {
    QuestionBank bank;
    if (!bank.openBank(m_path) || !bank.selectTable(table) || !bank.findQuestion(id)) return {};
    return practice::readCurrentQuestion(bank);
}

QList<QuestionRecord> TestBank::rows(const QString& table) const {
    QList<QuestionRecord> out;
    QuestionBank bank;
    if (!bank.openBank(m_path) || !bank.selectTable(table)) return out;
    const common::Outcome<> walked = bank.forEachRow([&]() -> common::Outcome<> {
        out.append(practice::readCurrentQuestion(bank));
        return {};
    });
    return walked ? out : QList<QuestionRecord>();
}

QuestionRecord choiceQuestion(int id, const QString& text, const QStringList& options,
                              const QString& standard, const QString& recorded, const QString& explanation) {
    QuestionRecord q;
    q.id = id;
    q.tm = text;
    for (int i = 0; i < 4; ++i)
        q.options[i] = options.value(i);
    q.da = standard;
    q.xxda = recorded;
    q.fen = u"0"_s;
    q.jx = explanation;
    return q;
}

QuestionRecord calcQuestion(int id, const QString& type, const QString& text, const CalcFields& standards,
                            const QString& explanation) {
    QuestionRecord q;
    q.id = id;
    q.tx = type;
    q.tm = text;
    q.fen = u"0"_s;
    q.jx = explanation;
    q.standards = standards;
    return q;
}
