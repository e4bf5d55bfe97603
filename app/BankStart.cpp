#include "app/BankStart.h"

#include "app/UserBank.h"
#include "bank/BankCheck.h"

#include <QDir>
#include <QFileInfo>

#include <system_error>

using namespace Qt::StringLiterals;

using bank::BankInspection;
using bank::BankProblem;

namespace app {

QString bankRestoredNotice(const QString& asidePath) {
    return u"题库文件已损坏，已经重新复制了一份完好的题库，可以照常练习和考试。\n\n损坏的文件已另存为：\n%1"_s
        .arg(QDir::toNativeSeparators(asidePath));
}

namespace {

StartingBank asFound(const BankInspection& inspection) {
    if (!inspection.usable) return {inspection.usable, {}};
    return {{}, inspection.notice};
}

bool restorable(BankProblem problem) {
    return problem == BankProblem::Damaged || problem == BankProblem::Unopenable;
}

} // namespace

StartingBank prepareBank(const QString& shippedBank, const QString& bankPath, bool holdsBank) {
    if (bankPath == shippedBank) return asFound(bank::inspectBank(bankPath));
    if (holdsBank || !QFileInfo::exists(bankPath)) {
        if (common::Outcome<> prepared = UserBank::prepare(shippedBank, bankPath); !prepared)
            return {prepared, {}};
    }
    const BankInspection inspection = bank::inspectBank(bankPath);
    if (!restorable(inspection.problem) || !holdsBank || !QFileInfo(shippedBank).isFile())
        return asFound(inspection);
    const common::Outcome<QString> aside = UserBank::restore(shippedBank, bankPath);
    if (!aside) return {common::Failure{aside.reason()}, {}};
    return {bank::checkBank(bankPath), bankRestoredNotice(*aside)};
}

std::shared_future<StartingBank> prepareBankInBackground(const QString& shippedBank, const QString& bankPath,
                                                         bool holdsBank) {
    auto prepare = [=] { return prepareBank(shippedBank, bankPath, holdsBank); };
    try {
        return std::async(std::launch::async, prepare).share();
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, prepare).share();
    }
}

} // namespace app
