#include "BankCommands.h"

#include "BankChecker.h"
#include "BankCompiler.h"

#include <QString>
#include <QStringList>

#include <iostream>

namespace qvtb {

namespace {

int usage(std::string_view text) {
    std::cerr << "usage: qvtb " << text << '\n';
    return kExitUsage;
}

int report(const QStringList& problems) {
    for (const QString& problem : problems)
        std::cerr << "qvtb: " << problem.toStdString() << '\n';
    return problems.isEmpty() ? 0 : kExitFailed;
}

} // namespace

int runBuild(std::span<char* const> args) {
    if (args.size() != 2) return usage("build SOURCE_DIR FILE");
    return report(compileBank(QString::fromLocal8Bit(args[0]), QString::fromLocal8Bit(args[1])));
}

int runCheck(std::span<char* const> args) {
    if (args.size() != 1) return usage("check FILE");
    const QStringList problems = checkBankFile(QString::fromLocal8Bit(args[0]));
    if (problems.isEmpty()) std::cout << args[0] << ": every table and question keeps the bank's rules\n";
    return report(problems);
}

} // namespace qvtb
