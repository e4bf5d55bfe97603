#include "exam/PaperCheck.h"

#include "exam/QuestionNumbering.h"
#include "question/AnswerRules.h"
#include "ui/UnreadableQuestionNotice.h"

#include <QLoggingCategory>

#include <set>

namespace exam {
namespace {

Q_LOGGING_CATEGORY(lcPaperCheck, "velmora.exam", QtInfoMsg)

} // namespace

common::Outcome<> checkPaperReadable(PaperStore& store) {
    const common::Outcome<QList<bank::QuestionRecord>> paper = store.readAll();
    if (!paper) {
        qCWarning(lcPaperCheck).noquote() << "cannot read" << store.table() << ":" << paper.reason();
        return common::Failure{ui::UnreadableQuestionNotice::paperText({}, paper.reason())};
    }
    std::set<int> present;
    for (const bank::QuestionRecord& question : *paper)
        present.insert(question.id);
    QStringList missing;
    for (int id = kFirstQuestion; id <= kLastQuestion; ++id)
        if (!present.contains(id)) missing.append(question::paperQuestionLabel(id));
    if (missing.isEmpty()) return {};
    qCWarning(lcPaperCheck).noquote() << store.table() << "lacks questions" << missing;
    return common::Failure{ui::UnreadableQuestionNotice::paperText(missing, {})};
}

} // namespace exam
