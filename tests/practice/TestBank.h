#pragma once

#include "bank/BankTables.h"
#include "bank/QuestionRecord.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A bank file written for one test, with the tables it names, and a second connection to look at it.
class TestBank {
public:
    TestBank();
    // Writes the tables into a new file; returns the error, empty on success.
    QString write(const QList<bank::BankTable>& tables);
    const QString& path() const { return m_path; }
    // The row of `table` with `id` as another connection sees it now; ID 0 when there is none.
    bank::QuestionRecord stored(const QString& table, int id) const;
    // Every row of `table`, in the row set's order.
    QList<bank::QuestionRecord> rows(const QString& table) const;

private:
    QTemporaryDir m_dir;
    QString m_path;
};

bank::QuestionRecord choiceQuestion(int id, const QString& text, const QStringList& options,
                                    const QString& standard, const QString& recorded = {},
                                    const QString& explanation = {});
bank::QuestionRecord calcQuestion(int id, const QString& type, const QString& text,
                                  const bank::CalcFields& standards, const QString& explanation = {});
