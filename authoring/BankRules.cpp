#include "authoring/BankRules.h"

#include "bank/Amount.h"
#include "bank/ChartOfAccounts.h"
#include "bank/JournalEntry.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

using namespace Qt::StringLiterals;

using bank::Amount;
using bank::amountInCents;
using bank::amountsCalcType;
using bank::calcFieldCount;
using bank::debitMark;
using bank::falseAnswer;
using bank::isJournalAccount;
using bank::isPlainAmount;
using bank::isRecordableAnswer;
using bank::isRecordableScore;
using bank::journalCalcType;
using bank::optionsFromAnswer;
using bank::paperOfTable;
using bank::paperQuestionCount;
using bank::paperQuestionType;
using bank::parseAmount;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::trueAnswer;
using bank::typeOfPracticeTable;
using bank::typePoints;

namespace authoring {

namespace {

constexpr int maxJournalLines = 3;

const std::array<QString, 4> optionColumns{u"XXA"_s, u"XXB"_s, u"XXC"_s, u"XXD"_s};

QString fieldName(const QString& prefix, std::size_t index) {
    return prefix + QString::number(index + 1);
}

QStringList multipleChoiceProblems(const QString& da) {
    QSet<QChar> letters;
    for (QChar c : da)
        if (c < u'A' || c > u'D' || letters.contains(c))
            return {u"DA %1 is not a multiple-choice answer (two to four of the letters A–D)"_s.arg(da)};
        else
            letters.insert(c);
    if (da.size() < 2 || da.size() > 4)
        return {u"DA %1 is not a multiple-choice answer (two to four of the letters A–D)"_s.arg(da)};
    if (!optionsFromAnswer(QuestionType::MultipleChoice, da))
        return {u"DA %1 is not in letter order"_s.arg(da)};
    return {};
}

QStringList standardAnswerProblems(QuestionType type, const QString& da) {
    switch (type) {
    case QuestionType::SingleChoice:
        if (da.size() != 1 || !optionsFromAnswer(type, da))
            return {u"DA %1 is not one of A, B, C, D"_s.arg(da)};
        return {};
    case QuestionType::MultipleChoice:
        return multipleChoiceProblems(da);
    case QuestionType::TrueFalse:
        if (da != trueAnswer() && da != falseAnswer()) return {u"DA %1 is neither 正确 nor 错误"_s.arg(da)};
        return {};
    case QuestionType::Calculation:
        break;
    }
    return {};
}

QStringList optionProblems(const QuestionRecord& record) {
    QStringList problems;
    QSet<QString> texts;
    for (std::size_t i = 0; i < record.options.size(); ++i) {
        const QString& option = record.options[i];
        if (option.trimmed().isEmpty())
            problems.append(u"%1 is empty"_s.arg(optionColumns[i]));
        else if (texts.contains(option))
            problems.append(u"%1 repeats another option"_s.arg(optionColumns[i]));
        texts.insert(option);
    }
    return problems;
}

QStringList calculationProblems(const QuestionRecord& record) {
    const bool amounts = record.tx == amountsCalcType();
    if (!amounts && record.tx != journalCalcType())
        return {u"TX %1 is neither %2 nor %3"_s.arg(record.tx, amountsCalcType(), journalCalcType())};
    QStringList problems;
    for (std::size_t i = 0; i < record.standards.size(); ++i) {
        const QString& standard = record.standards[i];
        const QString field = fieldName(u"DAfenxi"_s, i);
        if (standard.isEmpty())
            problems.append(u"%1 is empty"_s.arg(field));
        else if (amounts && !isPlainAmount(standard))
            problems.append(
                u"%1 %2 is not a plain amount, as TX %3 requires"_s.arg(field, standard, record.tx));
        else if (!amounts)
            for (const QString& problem : journalStandardProblems(standard))
                problems.append(u"%1: %2"_s.arg(field, problem));
    }
    return problems;
}

QStringList recordedProblems(QuestionType type, const QuestionRecord& record) {
    QStringList problems;
    if (type != QuestionType::Calculation && !isRecordableAnswer(type, record.xxda))
        problems.append(u"XXDA %1 is not an answer of its kind"_s.arg(record.xxda));
    if (!record.fen.isEmpty()) {
        bool ok = false;
        const int score = record.fen.toInt(&ok);
        const bool fits =
            type == QuestionType::Calculation ? score % 2 == 0 : score == 0 || score == typePoints(type);
        if (!ok || !isRecordableScore(score) || !fits)
            problems.append(u"fen %1 is not a score of its kind"_s.arg(record.fen));
    }
    return problems;
}

} // namespace

QStringList journalStandardProblems(const QString& entry) {
    static const QRegularExpression form(u"^(借|贷) (\\S+) (\\S+)$"_s);
    const QStringList lines = entry.split(u'\n');
    if (lines.size() > maxJournalLines)
        return {u"%1 lines, an entry has at most %2"_s.arg(lines.size()).arg(maxJournalLines)};
    QStringList problems;
    std::int64_t debits = 0;
    std::int64_t credits = 0;
    bool creditSeen = false;
    for (const QString& line : lines) {
        const QRegularExpressionMatch match = form.match(line);
        if (!match.hasMatch()) {
            problems.append(u"line \"%1\" is not \"借|贷 ACCOUNT AMOUNT\""_s.arg(line));
            continue;
        }
        const bool debit = match.captured(1) == debitMark();
        if (debit && creditSeen) problems.append(u"debit line \"%1\" after a credit line"_s.arg(line));
        creditSeen = creditSeen || !debit;
        if (!isJournalAccount(match.captured(2)))
            problems.append(u"account %1 is not in the chart of accounts"_s.arg(match.captured(2)));
        const QString amountText = match.captured(3);
        const std::optional<Amount> amount = parseAmount(amountText);
        if (!isPlainAmount(amountText) || !amount || amount->units == 0) {
            problems.append(u"amount %1 is not a plain positive amount"_s.arg(amountText));
            continue;
        }
        (debit ? debits : credits) += *amountInCents(*amount);
    }
    if (problems.isEmpty() && (debits == 0 || credits == 0))
        problems.append(u"an entry needs a debit and a credit"_s);
    else if (problems.isEmpty() && debits != credits)
        problems.append(u"debits %1 and credits %2 do not balance"_s.arg(debits / 100.0, 0, 'f', 2)
                            .arg(credits / 100.0, 0, 'f', 2));
    return problems;
}

QStringList questionProblems(QuestionType type, const QuestionRecord& record) {
    QStringList problems;
    if (record.tm.trimmed().isEmpty()) problems.append(u"TM is empty"_s);
    if (record.jx.trimmed().isEmpty()) problems.append(u"JX is empty"_s);
    if (type == QuestionType::SingleChoice || type == QuestionType::MultipleChoice)
        problems.append(optionProblems(record));
    if (type == QuestionType::Calculation)
        problems.append(calculationProblems(record));
    else
        problems.append(standardAnswerProblems(type, record.da));
    problems.append(recordedProblems(type, record));
    return problems;
}

QStringList tableProblems(const QString& table, const QList<QuestionRecord>& rows) {
    const std::optional<QuestionType> practice = typeOfPracticeTable(table);
    const bool paper = paperOfTable(table).has_value();
    if (!practice && !paper) return {u"%1 is not a table of the bank"_s.arg(table)};
    QStringList problems;
    QHash<int, int> idCount;
    QHash<QString, int> firstIdOfText;
    QStringList calcKinds;
    for (const QuestionRecord& row : rows) {
        const QString where = u"%1 ID %2"_s.arg(table).arg(row.id);
        if (++idCount[row.id] == 2) problems.append(u"%1: ID given to more than one row"_s.arg(where));
        const std::optional<QuestionType> type = practice ? practice : paperQuestionType(row.id);
        if (!type) {
            problems.append(
                u"%1: a paper numbers its questions 1 to %2"_s.arg(where).arg(paperQuestionCount));
            continue;
        }
        if (row.id < 1) problems.append(u"%1: ID must be positive"_s.arg(where));
        if (firstIdOfText.contains(row.tm))
            problems.append(u"%1: question text repeats ID %2: %3"_s.arg(where)
                                .arg(firstIdOfText.value(row.tm))
                                .arg(row.tm));
        else
            firstIdOfText.insert(row.tm, row.id);
        for (const QString& problem : questionProblems(*type, row))
            problems.append(u"%1: %2"_s.arg(where, problem));
        if (*type == QuestionType::Calculation) calcKinds.append(row.tx);
    }
    if (paper) {
        if (rows.size() != paperQuestionCount || idCount.size() != paperQuestionCount)
            problems.append(
                u"%1 has %2 rows with %3 distinct IDs; a paper has exactly the IDs 1 to %4"_s.arg(table)
                    .arg(rows.size())
                    .arg(idCount.size())
                    .arg(paperQuestionCount));
        QStringList expected{amountsCalcType(), journalCalcType()};
        expected.sort();
        calcKinds.sort();
        if (calcKinds != expected)
            problems.append(
                u"%1 must hold one amounts and one journal-entry calculation question"_s.arg(table));
    }
    return problems;
}

} // namespace authoring
