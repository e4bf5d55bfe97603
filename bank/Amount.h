#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace bank {

// A decimal amount held exactly: value = units / 10^scale, with no trailing zero in the fraction,
// so that two amounts of the same value compare equal member by member ("1,000.00" and "1000").
struct Amount {
    std::int64_t units = 0;
    int scale = 0;

    friend bool operator==(const Amount&, const Amount&) = default;
};

// Reads an amount written as an optional sign, digits (optionally grouped by thousands with ","),
// and an optional "." with at least one digit. The text is taken as it is: fold widths and blanks first.
// Anything else, or more than 16 significant digits, gives nullopt.
std::optional<Amount> parseAmount(const QString& text);

// The amount in hundredths, when it has at most two decimals.
std::optional<std::int64_t> amountInCents(const Amount& amount);

// Whether `text` is a plain amount as the standard answers write it: digits, an optional "." and one or
// two decimals, no sign, no separator ("56000", "1250.50").
bool isPlainAmount(const QString& text);

} // namespace bank
