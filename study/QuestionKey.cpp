#include "study/QuestionKey.h"

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

namespace {

// N of a name beginning "第N章", 0 when it does not.
int chapterNumber(const QString& chapter) {
    static const QString digits = u"〇一二三四五六七八九"_s;
    if (!chapter.startsWith(u'第')) return 0;
    const qsizetype end = chapter.indexOf(u'章');
    if (end < 2) return 0;
    int number = 0;
    int tens = 0;
    for (QChar c : chapter.mid(1, end - 1)) {
        if (c == u'十') {
            tens = number == 0 ? 1 : number;
            number = 0;
        } else if (const qsizetype d = digits.indexOf(c); d >= 0) {
            number = static_cast<int>(d);
        } else {
            return 0;
        }
    }
    return tens * 10 + number;
}

} // namespace

bool chapterBefore(const QString& a, const QString& b) {
    const QString unfiled = chapterOrUnfiled({});
    if ((a == unfiled) != (b == unfiled)) return b == unfiled;
    const int na = chapterNumber(a);
    const int nb = chapterNumber(b);
    if ((na > 0) != (nb > 0)) return na > 0;
    if (na != nb) return na < nb;
    return a < b;
}

} // namespace study
