#include "app/SearchIndex.h"

#include "app/UserBank.h"
#include "bank/QuestionBank.h"
#include "bank/QuestionType.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace app {
namespace {

QString contentVersion(const QString& bankPath) {
    QFile file(bankPath + UserBank::kVersionSuffix);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

// Every question of every practice table, as the index holds it.
common::Outcome<QList<study::SearchDocument>> readDocuments(const QString& bankPath) {
    bank::QuestionBank bank;
    OUTCOME_TRY(bank.openBank(bankPath));
    QList<study::SearchDocument> documents;
    for (const bank::QuestionType type : bank::allQuestionTypes) {
        const QString table = bank::practiceTable(type);
        OUTCOME_TRY(bank.selectTable(table));
        OUTCOME_TRY(bank.forEachRow([&]() -> common::Outcome<> {
            const common::Outcome<bank::QuestionRecord> record = bank.currentRecord();
            if (!record) return common::Failure{record.reason()};
            documents.append(study::searchDocumentOf(table, *record));
            return {};
        }));
    }
    return documents;
}

QString hashOf(const QList<study::SearchDocument>& documents) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const study::SearchDocument& d : documents)
        for (const QString& part : {d.table, QString::number(d.id), d.text, d.options, d.explanation})
            hash.addData((part + u'\x1f').toUtf8());
    return u"sha1:"_s + QString::fromLatin1(hash.result().toHex());
}

} // namespace

QString defaultSearchIndexPath() {
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + u"/search.sqlite"_s;
}

common::Outcome<study::BankSearch> openSearchIndex(const QString& bankPath, const QString& cachePath) {
    if (!QDir().mkpath(QFileInfo(cachePath).path()))
        return common::Failure{u"无法建立文件夹 %1"_s.arg(QFileInfo(cachePath).path())};
    common::Outcome<study::BankSearch> search = study::BankSearch::open(cachePath);
    if (!search) return search;
    QString version = contentVersion(bankPath);
    if (!version.isEmpty() && search->indexedVersion() == version) return search;
    const common::Outcome<QList<study::SearchDocument>> documents = readDocuments(bankPath);
    if (!documents) return common::Failure{documents.reason()};
    if (version.isEmpty()) version = hashOf(*documents);
    if (search->indexedVersion() != version) OUTCOME_TRY(search->rebuild(version, *documents));
    return search;
}

} // namespace app
