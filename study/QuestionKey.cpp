#include "QuestionKey.h"

#include <QCryptographicHash>

using namespace Qt::StringLiterals;

namespace study {

QString questionHash(const QString& questionText) {
    return QString::fromLatin1(
        QCryptographicHash::hash(questionText.toUtf8(), QCryptographicHash::Sha1).toHex());
}

QString chapterOrUnfiled(const QString& chapter) {
    const QString trimmed = chapter.trimmed();
    return trimmed.isEmpty() ? u"未分类"_s : trimmed;
}

} // namespace study
