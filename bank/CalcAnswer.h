#pragma once

#include <QString>

namespace bank {

// How a calculation field's answer is compared with its standard answer.
//
// Both texts are normalised first: full-width digits, letters and signs (U+FF01–U+FF5E) and the
// ideographic blank fold to ASCII; every line is trimmed and its runs of blanks become one blank;
// empty lines go. Then, by the form of the standard answer:
// - empty: only an empty answer matches;
// - an amount: the answer matches when it is an amount of the same value ("1,000.00" equals "1000"),
//   written alone or followed by the unit 元 ("540000元");
// - a journal entry (every line "借|贷 ACCOUNT AMOUNT"): the answer matches when it has the same lines,
//   in any order, accounts naming the same chart item (ChartOfAccounts.h, chartAccountNamed; other
//   accounts equal as text) and amounts equal by value, 元 allowed after them; where the question
//   does not ask for sub-accounts, a line naming the account of the standard's sub-account is right
//   too (原材料 for 原材料-A);
// - anything else: the normalised texts must be equal.

// Whether a journal answer must name the sub-accounts its standard answer names. A question asks
// for them in its text, with the words "明细科目"; otherwise the account above suffices.
enum class SubAccounts { AsKeyed, AccountSuffices };
SubAccounts subAccountsAskedBy(const QString& questionText);

QString normaliseAnswerText(const QString& text);
bool calcFieldMatches(const QString& answer, const QString& standard, SubAccounts subAccounts);

} // namespace bank
