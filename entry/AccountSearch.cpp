#include "entry/AccountSearch.h"

#include "bank/ChartOfAccounts.h"

#include <functional>

using bank::AccountItem;
using bank::chartOfAccounts;

namespace entry {
namespace {

std::optional<int> firstFrom(int from, const std::function<bool(const AccountItem&)>& matches) {
    const std::vector<AccountItem>& chart = chartOfAccounts();
    const int count = static_cast<int>(chart.size());
    for (int step = 0; step < count; ++step) {
        const int index = ((from + step) % count + count) % count;
        if (chart[index].level >= 3 && matches(chart[index])) return index;
    }
    return std::nullopt;
}

} // namespace

std::optional<int> findAccount(const QString& typed, int from) {
    if (typed.isEmpty()) return std::nullopt;
    const auto starts = [&typed](const AccountItem& a) {
        return a.text.startsWith(typed, Qt::CaseInsensitive);
    };
    const auto contains = [&typed](const AccountItem& a) {
        return a.text.contains(typed, Qt::CaseInsensitive);
    };
    if (const std::optional<int> found = firstFrom(from, starts)) return found;
    return firstFrom(from, contains);
}

} // namespace entry
