#include "bank/QuestionRecord.h"

using namespace Qt::StringLiterals;

namespace bank {

QString amountsCalcType() {
    return u"计算分析题-计算"_s;
}
QString journalCalcType() {
    return u"计算分析题-分录"_s;
}

} // namespace bank
