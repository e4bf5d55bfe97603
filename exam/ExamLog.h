#pragma once

#include <QLoggingCategory>

// What the exam windows log: failures the candidate is told of in other words, and why.
Q_DECLARE_LOGGING_CATEGORY(lcExam)
