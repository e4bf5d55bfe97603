#include "study/ShownQuestion.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace study {
namespace {

template <std::size_t N> QJsonArray arrayOf(const std::array<QString, N>& texts) {
    QJsonArray array;
    for (const QString& text : texts)
        array.append(text);
    return array;
}

template <std::size_t N> std::array<QString, N> textsOf(const QJsonValue& value) {
    std::array<QString, N> texts{};
    const QJsonArray array = value.toArray();
    for (std::size_t i = 0; i < N && i < static_cast<std::size_t>(array.size()); ++i)
        texts[i] = array[static_cast<qsizetype>(i)].toString();
    return texts;
}

} // namespace

QString shownQuestionText(const bank::QuestionRecord& q) {
    const QJsonObject object{{u"id"_s, q.id},
                             {u"tx"_s, q.tx},
                             {u"tm"_s, q.tm},
                             {u"options"_s, arrayOf(q.options)},
                             {u"da"_s, q.da},
                             {u"xxda"_s, q.xxda},
                             {u"fen"_s, q.fen},
                             {u"jx"_s, q.jx},
                             {u"answers"_s, arrayOf(q.answers)},
                             {u"standards"_s, arrayOf(q.standards)},
                             {u"ch"_s, q.ch}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

std::optional<bank::QuestionRecord> shownQuestionFrom(const QString& text) {
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject()) return std::nullopt;
    const QJsonObject o = document.object();
    bank::QuestionRecord q;
    q.id = o[u"id"_s].toInt();
    q.tx = o[u"tx"_s].toString();
    q.tm = o[u"tm"_s].toString();
    q.options = textsOf<4>(o[u"options"_s]);
    q.da = o[u"da"_s].toString();
    q.xxda = o[u"xxda"_s].toString();
    q.fen = o[u"fen"_s].toString();
    q.jx = o[u"jx"_s].toString();
    q.answers = textsOf<bank::calcFieldCount>(o[u"answers"_s]);
    q.standards = textsOf<bank::calcFieldCount>(o[u"standards"_s]);
    q.ch = o[u"ch"_s].toString();
    return q;
}

} // namespace study
