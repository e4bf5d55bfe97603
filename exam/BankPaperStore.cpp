#include "exam/BankPaperStore.h"

#include "bank/QuestionType.h"

namespace exam {

std::unique_ptr<PaperStore> bankPaperStore(const QString& bankPath, int paper) {
    return openBankTable(bankPath, paperTable(paper));
}

} // namespace exam
