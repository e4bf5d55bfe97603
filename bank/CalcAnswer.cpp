#include "bank/CalcAnswer.h"

#include "bank/Amount.h"
#include "bank/ChartOfAccounts.h"
#include "bank/JournalEntry.h"

#include <QStringList>

#include <algorithm>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace bank {

namespace {

QChar foldWidth(QChar c) {
    const char16_t code = c.unicode();
    if (code >= 0xFF01 && code <= 0xFF5E) return QChar(static_cast<char16_t>(code - 0xFF01 + 0x21));
    if (code == 0x3000) return QChar(u' ');
    return c;
}

QString normaliseLine(const QString& line) {
    QString folded;
    folded.reserve(line.size());
    for (QChar c : line)
        folded.append(foldWidth(c));
    return folded.simplified();
}

// An amount as candidates write it: the number alone or followed by the unit 元.
std::optional<Amount> answerAmount(const QString& text) {
    if (const std::optional<Amount> amount = parseAmount(text)) return amount;
    if (!text.endsWith(u'元')) return std::nullopt;
    return parseAmount(text.chopped(1).trimmed());
}

// Accounts compare as the chart items they name; a text the chart does not know stays as written.
QString comparableAccount(const QString& account) {
    return chartAccountNamed(account).value_or(account);
}

struct ComparableLine {
    QString mark;
    QString account;
    Amount amount;
};

bool answersLine(const ComparableLine& answer, const ComparableLine& standard, SubAccounts subAccounts) {
    if (answer.mark != standard.mark || answer.amount != standard.amount) return false;
    if (answer.account == standard.account) return true;
    return subAccounts == SubAccounts::AccountSuffices &&
           parentAccountText(standard.account) == answer.account;
}

// The same lines in some order, each answer line answering its standard line. An entry has at most
// a handful of lines, so every order is tried.
bool sameEntry(std::vector<ComparableLine> answer, const std::vector<ComparableLine>& standard,
               SubAccounts subAccounts) {
    if (answer.size() != standard.size()) return false;
    std::vector<std::size_t> order(answer.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    do {
        bool all = true;
        for (std::size_t i = 0; all && i < order.size(); ++i)
            all = answersLine(answer[order[i]], standard[i], subAccounts);
        if (all) return true;
    } while (std::next_permutation(order.begin(), order.end()));
    return false;
}

// The lines of a normalised journal entry; nullopt when any line is not "借|贷 ACCOUNT AMOUNT".
std::optional<std::vector<ComparableLine>> journalLines(const QString& normalised) {
    std::vector<ComparableLine> lines;
    for (const JournalLine& line : parseJournalEntry(normalised)) {
        if ((line.mark != debitMark() && line.mark != creditMark()) || line.account.isEmpty())
            return std::nullopt;
        const std::optional<Amount> amount = answerAmount(line.amount);
        if (!amount) return std::nullopt;
        lines.push_back({line.mark, comparableAccount(line.account), *amount});
    }
    if (lines.empty()) return std::nullopt;
    return lines;
}

} // namespace

QString normaliseAnswerText(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split(u'\n')) {
        QString normal = normaliseLine(line);
        if (!normal.isEmpty()) lines.append(normal);
    }
    return lines.join(u'\n');
}

SubAccounts subAccountsAskedBy(const QString& questionText) {
    return questionText.contains(u"明细科目"_s) ? SubAccounts::AsKeyed : SubAccounts::AccountSuffices;
}

bool calcFieldMatches(const QString& answer, const QString& standard, SubAccounts subAccounts) {
    const QString normalStandard = normaliseAnswerText(standard);
    const QString normalAnswer = normaliseAnswerText(answer);
    if (normalStandard.isEmpty()) return normalAnswer.isEmpty();
    if (const std::optional<Amount> expected = parseAmount(normalStandard))
        return answerAmount(normalAnswer) == expected;
    if (const auto expectedLines = journalLines(normalStandard)) {
        const auto answerLines = journalLines(normalAnswer);
        return answerLines && sameEntry(*answerLines, *expectedLines, subAccounts);
    }
    return normalAnswer == normalStandard;
}

} // namespace bank
