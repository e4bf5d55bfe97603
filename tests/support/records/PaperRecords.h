#pragma once

#include "bank/QuestionRecord.h"

#include <QList>
#include <QString>

// Question records shaped like the bank's, for the tests that write a bank or check its rules.

// A question with four options (texts without their letters), standard answer `da`, unanswered.
bank::QuestionRecord choiceRecord(int id, const QString& tm, const QString& da);

// The 62 rows of a paper that keeps every rule: single choice answered A, multiple choice ABD,
// true/false 正确, then an amounts question (100, 200, 300, 400, 500.50) and a journal question.
QList<bank::QuestionRecord> paperRows();
