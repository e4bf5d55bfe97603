#include "bank/Amount.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace bank {

namespace {

// 16 digits keep every amount, its value in hundredths and the sum of many lines exact in 64 bits.
constexpr int maxDigits = 16;

bool groupedDigitsValid(const QString& digits) {
    if (!digits.contains(u',')) return !digits.isEmpty();
    static const QRegularExpression grouped(u"^[0-9]{1,3}(,[0-9]{3})+$"_s);
    return grouped.match(digits).hasMatch();
}

} // namespace

std::optional<Amount> parseAmount(const QString& text) {
    static const QRegularExpression form(u"^([+-]?)([0-9,]+)(?:\\.([0-9]+))?$"_s);
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch() || !groupedDigitsValid(match.captured(2))) return std::nullopt;
    QString whole = match.captured(2).remove(u',');
    QString fraction = match.captured(3);
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    QString digits = whole + fraction;
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    if (digits.size() > maxDigits) return std::nullopt;
    Amount amount;
    amount.units = digits.toLongLong();
    amount.scale = amount.units == 0 ? 0 : static_cast<int>(fraction.size());
    if (match.captured(1) == u"-"_s) amount.units = -amount.units;
    return amount;
}

std::optional<std::int64_t> amountInCents(const Amount& amount) {
    if (amount.scale > 2) return std::nullopt;
    std::int64_t cents = amount.units;
    for (int i = amount.scale; i < 2; ++i)
        cents *= 10;
    return cents;
}

bool isPlainAmount(const QString& text) {
    static const QRegularExpression plain(u"^[0-9]+(\\.[0-9]{1,2})?$"_s);
    return plain.match(text).hasMatch() && parseAmount(text).has_value();
}

} // namespace bank
