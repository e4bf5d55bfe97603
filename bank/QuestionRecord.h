#pragma once

#include "bank/Scoring.h"

#include <QString>

#include <array>

namespace bank {

// One row of a question table. Columns a table lacks stay empty.
struct QuestionRecord {
    int id = 0;
    QString tx;                     // TX: calculation kind
    QString tm;                     // TM: question text
    std::array<QString, 4> options; // XXA … XXD
    QString da;                     // DA: standard answer
    QString xxda;                   // XXDA: recorded answer
    QString fen;                    // fen: recorded score as text
    QString jx;                     // JX: explanation
    CalcFields answers;             // fenxi1 … fenxi5
    CalcFields standards;           // DAfenxi1 … DAfenxi5
    QString ch;                     // CH: chapter tag; empty where the table has no CH column
};

// TX of a calculation question answered with five amounts, and of one answered with journal entries.
QString amountsCalcType(); // 计算分析题-计算
QString journalCalcType(); // 计算分析题-分录

} // namespace bank
