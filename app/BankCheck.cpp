#include "app/BankCheck.h"

#include "bank/BankTables.h"

#include "jet/QuickCheck.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>

using namespace Qt::StringLiterals;

using bank::bankTableNames;

namespace app {
namespace {

Q_LOGGING_CATEGORY(lcBankCheck, "velmora.bank", QtInfoMsg)

} // namespace

QString bankUnusable(const QString& what, const QString& bankPath) {
    return u"%1：\n%2\n\n专项练习和全真考场都需要题库，现在无法使用。"_s.arg(
        what, QDir::toNativeSeparators(bankPath));
}

common::Outcome<> checkBank(const QString& bankPath) {
    std::vector<std::string> tables;
    for (const QString& table : bankTableNames())
        tables.push_back(table.toStdString());
    const auto problems = jet::QuickCheck::run(QFile::encodeName(bankPath).toStdString(), tables);
    if (!problems.ok()) {
        qCWarning(lcBankCheck).noquote() << QString::fromStdString(problems.status().message());
        return common::Failure{bankUnusable(
            problems.status().code() == jet::Code::NotFound ? u"找不到题库文件"_s : u"题库文件无法打开"_s,
            bankPath)};
    }
    if (problems->empty()) return {};
    for (const std::string& problem : problems.value())
        qCWarning(lcBankCheck).noquote() << bankPath << ":" << QString::fromStdString(problem);
    return common::Failure{bankUnusable(u"题库文件已损坏"_s, bankPath)};
}

} // namespace app
