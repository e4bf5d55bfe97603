#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace bank {

// The fixed chart of accounts: 91 items in four levels (the root 会计科目, five categories, 66 accounts,
// 19 sub-accounts), in tree order. The chooser window shows it; the bank checker accepts the accounts
// of journal-entry standard answers against it.

struct AccountItem {
    QString text;
    int level = 0;   // 1 root, 2 category, 3 account, 4 sub-account
    int parent = -1; // index of the parent item in chartOfAccounts(), -1 for the root
};

const std::vector<AccountItem>& chartOfAccounts();

// The text a journal line carries for the item at `index`, or nullopt for the root and the categories:
// an account's own text (银行存款, 原材料-A); for a sub-account whose own text does not name its account
// (those of 应交税费, 盈余公积 and 利润分配) the account, an ASCII hyphen and the sub-account
// (应交税费-应交增值税（销项税额）, 利润分配-未分配利润).
std::optional<QString> journalAccountText(int index);

// Whether a journal line may name `account`: the journal text of an account or a sub-account.
bool isJournalAccount(const QString& account);

// The journal text of the account a candidate's typed name means, as a teacher reads it: the
// account's own journal text or the same without its bracketed alternative (实收资本 for
// 实收资本（或股本）), written with either brackets, with blanks or without, the sub-account after any
// of the separators textbooks use (-, －, —, ——), a material by its letter or as "A 材料"
// (原材料——A 材料 is 原材料-A). Any other text names no account of the chart: nullopt.
std::optional<QString> chartAccountNamed(const QString& typed);

// The account a sub-account's journal text belongs to (原材料 for 原材料-A, 应交税费 for
// 应交税费-应交增值税（销项税额）); nullopt for any other text.
std::optional<QString> parentAccountText(const QString& journalText);

} // namespace bank
