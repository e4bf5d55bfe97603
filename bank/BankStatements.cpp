#include "bank/BankStatements.h"

#include "bank/QuestionType.h"

#include <array>
#include <utility>

using namespace Qt::StringLiterals;
using common::Failure;
using common::Outcome;

namespace bank {

namespace {

// The answer clauses, one fixed text per value; the empty value records an unticked question.
const std::array<std::pair<QString, QString>, 18>& answerClauses() {
    static const std::array<std::pair<QString, QString>, 18> clauses{{
        {u"A"_s, u" set XXDA='A'where TM='"_s},
        {u"B"_s, u" set XXDA='B'where TM='"_s},
        {u"C"_s, u" set XXDA='C'where TM='"_s},
        {u"D"_s, u" set XXDA='D'where TM='"_s},
        {u"AB"_s, u" set XXDA='AB'where TM='"_s},
        {u"AC"_s, u" set XXDA='AC'where TM='"_s},
        {u"AD"_s, u" set XXDA='AD'where TM='"_s},
        {u"BC"_s, u" set XXDA='BC'where TM='"_s},
        {u"BD"_s, u" set XXDA='BD'where TM='"_s},
        {u"CD"_s, u" set XXDA='CD'where TM='"_s},
        {u"ABC"_s, u" set XXDA='ABC'where TM='"_s},
        {u"ABD"_s, u" set XXDA='ABD'where TM='"_s},
        {u"ACD"_s, u" set XXDA='ACD'where TM='"_s},
        {u"BCD"_s, u" set XXDA='BCD'where TM='"_s},
        {u"ABCD"_s, u" set XXDA='ABCD'where TM='"_s},
        {u"正确"_s, u" set XXDA='正确'where TM='"_s},
        {u"错误"_s, u" set XXDA='错误'where TM='"_s},
        {QString(), u" set XXDA=''where TM='"_s},
    }};
    return clauses;
}

const std::array<std::pair<int, QString>, 7>& scoreClauses() {
    static const std::array<std::pair<int, QString>, 7> clauses{{
        {0, u" set fen='0'where TM='"_s},
        {1, u" set fen='1'where TM='"_s},
        {2, u" set fen='2'where TM='"_s},
        {4, u" set fen='4'where TM='"_s},
        {6, u" set fen='6'where TM='"_s},
        {8, u" set fen='8'where TM='"_s},
        {10, u" set fen='10'where TM='"_s},
    }};
    return clauses;
}

const std::array<QString, 5>& calcClauses() {
    static const std::array<QString, 5> clauses{u" set fenxi1='"_s, u" set fenxi2='"_s, u" set fenxi3='"_s,
                                                u" set fenxi4='"_s, u" set fenxi5='"_s};
    return clauses;
}

// The clause ends inside the opening quote of the question text: "… set XXDA='AB'where TM='".
QString update(const QString& table, const QString& clause, const QString& questionText) {
    return u"update "_s + table + clause + escapeQuotes(questionText) + u'\'';
}

} // namespace

QString escapeQuotes(const QString& text) {
    QString doubled = text;
    doubled.replace(u'\'', u"''"_s);
    return doubled;
}

QString selectStatement(const QString& table) {
    return u"select * from "_s + table;
}

QString findCriterion(int id) {
    return u"ID="_s + QString::number(id);
}

QString sumScoresStatement(const QString& table) {
    return u"select sum(fen) from "_s + table;
}

Outcome<QString> answerStatement(const QString& table, const QString& questionText, const QString& value) {
    if (isBankTable(table))
        for (const auto& [known, clause] : answerClauses())
            if (known == value) return update(table, clause, questionText);
    return Failure{u"no answer statement for %1 in %2"_s.arg(value, table)};
}

Outcome<QString> scoreStatement(const QString& table, const QString& questionText, int score) {
    if (isBankTable(table))
        for (const auto& [known, clause] : scoreClauses())
            if (known == score) return update(table, clause, questionText);
    return Failure{u"no score statement for %1 in %2"_s.arg(score).arg(table)};
}

Outcome<QString> calcAnswerStatement(const QString& table, const QString& questionText, int field,
                                     const QString& answer) {
    if (!isBankTable(table) || field < 1 || field > static_cast<int>(calcClauses().size()))
        return Failure{u"no answer field %1 in %2"_s.arg(field).arg(table)};
    const QString& clause = calcClauses()[static_cast<std::size_t>(field - 1)];
    return update(table, clause + escapeQuotes(answer) + u"'where TM='"_s, questionText);
}

QStringList clearStatements(const QString& table) {
    if (!isBankTable(table)) return {};
    const std::optional<QuestionType> practice = typeOfPracticeTable(table);
    const bool hasChoices = !practice || *practice != QuestionType::Calculation;
    const bool hasCalcFields = !practice || *practice == QuestionType::Calculation;
    QStringList statements{u"update "_s + table + u" set fen='0'"_s};
    if (hasChoices) statements.append(u"update "_s + table + u" set XXDA=''"_s);
    if (hasCalcFields)
        for (int field = 1; field <= 5; ++field)
            statements.append(u"update "_s + table + u" set fenxi"_s + QString::number(field) + u"=''"_s);
    return statements;
}

} // namespace bank
