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

// --content-warnings: what only the writers can mend is printed as a warning and passes, while they
// rewrite the sources; the rules, the order and the draw still fail the bank.
int runCheck(std::span<char* const> args) {
    const bool contentWarnings = !args.empty() && std::string_view(args[0]) == "--content-warnings";
    if (contentWarnings) args = args.subspan(1);
    if (args.empty() || args.size() > 2) return usage("check [--content-warnings] FILE [SOURCE_DIR]");
    const authoring::BankReview review = authoring::checkBank(
        QString::fromLocal8Bit(args[0]), args.size() == 2 ? QString::fromLocal8Bit(args[1]) : QString());
    for (const QString& line : review.report)
        std::cout << line.toStdString() << '\n';
    QStringList problems = review.problems;
    if (contentWarnings)
        for (const QString& finding : review.contentProblems)
            std::cerr << "qvtb: warning: " << finding.toStdString() << '\n';
    else
        problems.append(review.contentProblems);
    if (problems.isEmpty()) std::cout << args[0] << ": every table and question keeps the bank's rules\n";
    return report(problems);
}

} // namespace qvtb
