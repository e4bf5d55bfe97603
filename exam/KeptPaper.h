#pragma once

#include "exam/PaperStore.h"

#include <QList>

namespace exam {

// A handed-in paper as the study record kept it, for reviewing a past attempt: read as the paper's
// table was read at hand-in; nothing can be written to it.
class KeptPaper final : public PaperStore {
public:
    KeptPaper(QString table, QList<bank::QuestionRecord> questions);

    QString table() const override { return m_table; }
    common::Outcome<QList<bank::QuestionRecord>> readAll() override { return m_questions; }
    common::Outcome<bank::QuestionRecord> readQuestion(int id) override;
    common::Outcome<> recordAnswer(const QString&, const QString&) override { return refused(); }
    common::Outcome<> recordScore(const QString&, int) override { return refused(); }
    common::Outcome<> recordCalcAnswer(const QString&, int, const QString&) override { return refused(); }
    common::Outcome<> clearAnswers() override { return refused(); }
    common::Outcome<int> sumScores() override;
    common::Outcome<> asOne(const std::function<common::Outcome<>()>&) override { return refused(); }

private:
    static common::Failure refused();

    QString m_table;
    QList<bank::QuestionRecord> m_questions;
};

} // namespace exam
