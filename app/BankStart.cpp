#include "app/BankStart.h"

#include "app/UserBank.h"
#include "bank/BankCheck.h"

#include <QDir>
#include <QFileInfo>

#include <system_error>
#include <utility>

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

BankPreparation::BankPreparation(QString shippedBank, QString bankPath, bool holdsBank, QObject* parent)
    : QObject(parent), m_shippedBank(std::move(shippedBank)), m_bankPath(std::move(bankPath)),
      m_holdsBank(holdsBank) {}

BankPreparation::~BankPreparation() {
    if (m_thread.joinable()) m_thread.join();
}

bool BankPreparation::claim() {
    const std::lock_guard lock(m_mutex);
    return !std::exchange(m_claimed, true);
}

void BankPreparation::prepare() {
    m_promise.set_value(prepareBank(m_shippedBank, m_bankPath, m_holdsBank));
    Q_EMIT prepared();
}

void BankPreparation::start() {
    if (!claim()) {
        if (!m_thread.joinable()) Q_EMIT prepared(); // already worked out here, by a request
        return;
    }
    try {
        m_thread = std::thread([this] { prepare(); });
    } catch (const std::system_error&) {
        prepare();
    }
}

const StartingBank& BankPreparation::result() {
    if (claim()) prepare();
    return m_result.get();
}

} // namespace app
