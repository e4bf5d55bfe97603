#include "bank/BankCheck.h"

#include "bank/BankTables.h"
#include "common/BankInUse.h"

#include "jet/QuickCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStringList>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace bank {
namespace {

Q_LOGGING_CATEGORY(lcBankCheck, "velmora.bank", QtInfoMsg)

const QString kReplaceIt = u"请用安装包中完好的 qvtb.mdb 替换它，然后重新启动本程序。"_s;

// A link is followed only when the user made it and it leads to a file of the user's: one that
// another user planted (in a folder others can write to) could send the candidate's writes into
// any file the candidate may write.
bool trustedLink(const QString& bankPath) {
    struct stat link {};
    struct stat target {};
    const QByteArray path = QFile::encodeName(bankPath);
    return ::lstat(path.constData(), &link) == 0 && ::stat(path.constData(), &target) == 0 &&
           link.st_uid == ::geteuid() && target.st_uid == ::geteuid() && S_ISREG(target.st_mode);
}

BankInspection found(BankProblem problem, const QString& what, const QString& bankPath,
                     const QString& remedy = {}) {
    return {problem, common::Failure{bankUnusable(what, bankPath, remedy)}, {}};
}

BankInspection checkPages(const QString& bankPath, const std::vector<std::string>& tables,
                          std::vector<std::string>& notices) {
    const auto problems = jet::QuickCheck::run(QFile::encodeName(bankPath).toStdString(), tables, &notices);
    if (!problems.ok()) {
        qCWarning(lcBankCheck).noquote() << QString::fromStdString(problems.status().message());
        switch (problems.status().code()) {
        case jet::Code::NotFound:
            return found(BankProblem::Missing, u"找不到题库文件"_s, bankPath);
        case jet::Code::Busy:
            return found(BankProblem::InUse, common::kBankInUse, bankPath,
                         u"请关闭正在使用题库的程序，然后重新启动本程序。"_s);
        default:
            return found(BankProblem::Unopenable, u"题库文件无法打开"_s, bankPath, kReplaceIt);
        }
    }
    if (problems->empty()) return {};
    for (const std::string& problem : problems.value())
        qCWarning(lcBankCheck).noquote() << bankPath << ":" << QString::fromStdString(problem);
    return found(BankProblem::Damaged, u"题库文件已损坏"_s, bankPath, kReplaceIt);
}

// The engine's notice ends with where it kept the journal.
QString journalNotice(const QString& bankPath, const std::vector<std::string>& notices) {
    static const QString kKeptAs = u"kept as "_s;
    QStringList told;
    for (const std::string& notice : notices) {
        const QString text = QString::fromStdString(notice);
        qCWarning(lcBankCheck).noquote() << bankPath << ":" << text;
        const qsizetype at = text.lastIndexOf(kKeptAs);
        if (at >= 0) told.append(journalSetAsideNotice(bankPath, text.mid(at + kKeptAs.size())));
    }
    return told.join(u"\n\n"_s);
}

BankInspection quickCheck(const QString& bankPath) {
    std::vector<std::string> tables;
    for (const QString& table : bankTableNames())
        tables.push_back(table.toStdString());
    std::vector<std::string> notices;
    BankInspection inspection = checkPages(bankPath, tables, notices);
    inspection.notice = journalNotice(bankPath, notices);
    return inspection;
}

} // namespace

QString journalSetAsideNotice(const QString& bankPath, const QString& keptAs) {
    return u"题库文件旁有一个不属于它的日志文件（%1），程序没有用它改动题库，已把它另存为：\n%2"_s.arg(
        QDir::toNativeSeparators(bankPath + u"-journal"_s), QDir::toNativeSeparators(keptAs));
}

QString bankUnusable(const QString& what, const QString& bankPath, const QString& remedy) {
    QString text = u"%1：\n%2\n\n专项练习和全真考场都需要题库，现在无法使用。"_s.arg(
        what, QDir::toNativeSeparators(bankPath));
    return remedy.isEmpty() ? text : text + u"\n"_s + remedy;
}

BankInspection inspectBank(const QString& bankPath) {
    const QFileInfo file(bankPath);
    if (file.isSymLink() && !trustedLink(bankPath)) {
        qCWarning(lcBankCheck).noquote() << bankPath << "is a link to" << file.symLinkTarget()
                                         << "that this user did not make or does not own";
        return found(
            BankProblem::Link,
            u"题库文件是一个指向别处（%1）的链接，链接或它指向的文件不属于你，为了安全没有使用"_s.arg(
                QDir::toNativeSeparators(file.symLinkTarget())),
            bankPath, u"请删除这个链接，然后重新启动本程序。"_s);
    }
    return quickCheck(bankPath);
}

common::Outcome<> checkBank(const QString& bankPath) {
    return inspectBank(bankPath).usable;
}

} // namespace bank
