#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QSet>

namespace practice {

// What a practice round came to, as the study record counts it: a question's answer counts while
// the candidate is on it; moving on, or seeing its standard answer after answering, settles it.
class RoundTally {
public:
    RoundTally() { m_clock.start(); }

    void answered(int question, bool right);
    // The candidate left the question, or saw its standard answer.
    void settle(int question);

    int answeredCount() const { return static_cast<int>(m_right.size()); }
    int rightCount() const;
    int wrongCount() const { return answeredCount() - rightCount(); }
    // The questions answered wrong, in the order first answered.
    QList<int> wrongQuestions() const;
    qint64 elapsedSeconds() const { return m_clock.elapsed() / 1000; }

private:
    QMap<int, bool> m_right;
    QList<int> m_order;
    QSet<int> m_settled;
    QElapsedTimer m_clock;
};

} // namespace practice
