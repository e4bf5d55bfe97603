#pragma once

#include "OutcomeValue.h"
#include "PaperRecords.h"
#include "bank/BankTables.h"
#include "bank/QuestionBank.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

// Paper tm1 whose answers are A, ABD, 正确, five amounts (61) and five journal entries (62).
bank::BankTable answerPaper();
// danxuan with one question text twice and one full of quotes.
bank::BankTable answerPractice();

// A bank of answerPractice() and answerPaper() in a folder of its own, open in m_bank.
class RecordingBank : public ::testing::Test {
protected:
    void SetUp() override;
    bank::BankTable stored(const QString& name) const;
    // A column of question `id` of `table` as the bank holds it now; empty when it cannot be read.
    QString field(const QString& table, int id, const QString& column);

    QTemporaryDir m_dir;
    QString m_path;
    bank::QuestionBank m_bank;
};
