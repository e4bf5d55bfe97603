#include "exam/BankPaperStore.h"

#include "bank/QuestionType.h"

using bank::calcFieldCount;
using bank::openBankTable;
using bank::paperTable;
using bank::QuestionRecord;

namespace exam {

std::unique_ptr<PaperStore> bankPaperStore(const QString& bankPath, int paper) {
    return openBankTable(bankPath, paperTable(paper));
}

} // namespace exam
