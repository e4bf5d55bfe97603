#include "CurrentQuestion.h"

#include "QuestionBank.h"

using namespace Qt::StringLiterals;

using bank::calcFieldCount;
using bank::QuestionBank;
using bank::QuestionRecord;

namespace practice {

QuestionRecord readCurrentQuestion(QuestionBank& bank) {
    QuestionRecord q;
    q.id = bank.readField(u"ID"_s).toInt();
    q.tx = bank.readField(u"TX"_s);
    q.tm = bank.readField(u"TM"_s);
    const QString letters = u"ABCD"_s;
    for (int i = 0; i < 4; ++i)
        q.options[i] = bank.readField(u"XX"_s + letters[i]);
    q.da = bank.readField(u"DA"_s);
    q.xxda = bank.readField(u"XXDA"_s);
    q.fen = bank.readField(u"fen"_s);
    q.jx = bank.readField(u"JX"_s);
    for (int k = 1; k <= calcFieldCount; ++k) {
        q.answers[k - 1] = bank.readField(u"fenxi%1"_s.arg(k));
        q.standards[k - 1] = bank.readField(u"DAfenxi%1"_s.arg(k));
    }
    return q;
}

QList<int> questionNumbers(QuestionBank& bank) {
    QList<int> numbers;
    for (bool atRow = bank.moveFirst(); atRow; atRow = bank.moveNext())
        numbers.append(bank.readField(u"ID"_s).toInt());
    return numbers;
}

} // namespace practice
