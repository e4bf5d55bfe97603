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

    friend auto operator<=>(const ComparableLine& a, const ComparableLine& b) {
        if (auto c = a.mark.compare(b.mark); c != 0) return c <=> 0;
        if (auto c = a.account.compare(b.account); c != 0) return c <=> 0;
        if (a.amount.units != b.amount.units) return a.amount.units <=> b.amount.units;
        return a.amount.scale <=> b.amount.scale;
    }
    friend bool operator==(const ComparableLine&, const ComparableLine&) = default;
};

// The lines of a normalised journal entry, sorted; nullopt when any line is not "借|贷 ACCOUNT AMOUNT".
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
    std::sort(lines.begin(), lines.end());
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

bool calcFieldMatches(const QString& answer, const QString& standard) {
    const QString normalStandard = normaliseAnswerText(standard);
    const QString normalAnswer = normaliseAnswerText(answer);
    if (normalStandard.isEmpty()) return normalAnswer.isEmpty();
    if (const std::optional<Amount> expected = parseAmount(normalStandard))
        return answerAmount(normalAnswer) == expected;
    if (const auto expectedLines = journalLines(normalStandard))
        return journalLines(normalAnswer) == expectedLines;
    return normalAnswer == normalStandard;
}

} // namespace bank
