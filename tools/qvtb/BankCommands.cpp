#include "BankCommands.h"

#include "authoring/BankChecker.h"
#include "authoring/BankCompiler.h"

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
    return report(authoring::compileBank(QString::fromLocal8Bit(args[0]), QString::fromLocal8Bit(args[1])));
}

int runCheck(std::span<char* const> args) {
    if (args.empty() || args.size() > 2) return usage("check FILE [SOURCE_DIR]");
    const authoring::BankReview review = authoring::checkBank(
        QString::fromLocal8Bit(args[0]), args.size() == 2 ? QString::fromLocal8Bit(args[1]) : QString());
    for (const QString& line : review.report)
        std::cout << line.toStdString() << '\n';
    const QStringList& problems = review.problems;
    if (problems.isEmpty()) std::cout << args[0] << ": every table and question keeps the bank's rules\n";
    return report(problems);
}

} // namespace qvtb
