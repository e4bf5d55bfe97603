#pragma once

#include <QString>

#include <optional>

namespace entry {

// The chart index (chartOfAccounts()) of the first account or sub-account, in tree order from
// `from` round to the item before it, whose name starts with `typed`; failing that, the first
// whose name contains it. Case is ignored; the root and the categories are never found.
std::optional<int> findAccount(const QString& typed, int from);

} // namespace entry
