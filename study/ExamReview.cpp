#include "study/ExamReview.h"

#include "study/ShownQuestion.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace study {

common::Outcome<ExamReview> examReview(const QSqlDatabase& db, qint64 exam) {
    const common::Failure notKept{
        u"这次考试的试题没有保存在学习记录中（交卷于能回顾试卷的版本之前），无法回顾。"_s};
    ExamReview review;
    const QList<ExamHistoryEntry> history = examHistory(db);
    const auto found = std::find_if(history.begin(), history.end(),
                                    [exam](const ExamHistoryEntry& e) { return e.id == exam; });
    if (found == history.end()) return common::Failure{u"学习记录中没有这次考试。"_s};
    review.attempt = *found;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(u"SELECT shown FROM exam_questions WHERE exam = ? ORDER BY number"_s);
    query.addBindValue(exam);
    if (!query.exec()) return common::Failure{query.lastError().text()};
    while (query.next()) {
        if (query.value(0).isNull()) return notKept;
        const std::optional<bank::QuestionRecord> question = shownQuestionFrom(query.value(0).toString());
        if (!question) return common::Failure{u"这次考试保存的试题已损坏，无法回顾。"_s};
        review.questions.append(*question);
    }
    if (review.questions.isEmpty()) return notKept;
    return review;
}

} // namespace study
