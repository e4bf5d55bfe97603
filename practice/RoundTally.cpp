#include "practice/RoundTally.h"

#include <algorithm>

namespace practice {

void RoundTally::answered(int question, bool right) {
    if (m_settled.contains(question)) return;
    if (!m_right.contains(question)) m_order.append(question);
    m_right.insert(question, right);
}

void RoundTally::settle(int question) {
    if (m_right.contains(question)) m_settled.insert(question);
}

int RoundTally::rightCount() const {
    return static_cast<int>(std::count(m_right.cbegin(), m_right.cend(), true));
}

QList<int> RoundTally::wrongQuestions() const {
    QList<int> wrong;
    for (int question : m_order)
        if (!m_right.value(question)) wrong.append(question);
    return wrong;
}

} // namespace practice
