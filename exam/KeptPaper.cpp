#include "exam/KeptPaper.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace exam {

KeptPaper::KeptPaper(QString table, QList<bank::QuestionRecord> questions)
    : m_table(std::move(table)), m_questions(std::move(questions)) {}

common::Outcome<bank::QuestionRecord> KeptPaper::readQuestion(int id) {
    const auto found = std::find_if(m_questions.begin(), m_questions.end(),
                                    [id](const bank::QuestionRecord& q) { return q.id == id; });
    if (found == m_questions.end()) return common::Failure{u"第 %1 题没有保存在学习记录中"_s.arg(id)};
    return *found;
}

common::Outcome<int> KeptPaper::sumScores() {
    int total = 0;
    for (const bank::QuestionRecord& question : m_questions)
        total += question.fen.toInt();
    return total;
}

common::Failure KeptPaper::refused() {
    return common::Failure{u"回顾中的试卷不能再作答"_s};
}

} // namespace exam
