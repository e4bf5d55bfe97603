// The quick bank check the program runs at start, against the whole-file integrity check, on the
// bank given (the shipped one by default): min, median and max of repeated runs, in milliseconds.
//
//   bank_check_bench [BANK] [RUNS]

#include "bank/BankTables.h"

#include "jet/IntegrityCheck.h"
#include "jet/QuickCheck.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using bank::bankTableNames;

namespace {

void measure(const char* name, int runs, const std::function<bool()>& check) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        if (!check()) {
            std::printf("%s: the check failed\n", name);
            return;
        }
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("%-16s runs %d  min %.2f ms  median %.2f ms  max %.2f ms\n", name, runs, times.front(),
                times[times.size() / 2], times.back());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QString bank = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QCoreApplication::applicationDirPath() + QStringLiteral("/qvtb.mdb");
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 50;
    const std::string path = QFile::encodeName(bank).toStdString();
    std::vector<std::string> tables;
    for (const QString& table : bankTableNames())
        tables.push_back(table.toStdString());
    std::printf("%s, %lld bytes\n", path.c_str(), static_cast<long long>(QFile(bank).size()));
    measure("quick check", runs, [&] {
        const auto problems = jet::QuickCheck::run(path, tables);
        return problems.ok() && problems->empty();
    });
    measure("integrity check", std::max(1, runs / 10), [&] {
        const auto problems = jet::IntegrityCheck::run(path);
        return problems.ok() && problems->empty();
    });
    return 0;
}
