#pragma once

#include "exam/QuestionNumbering.h"

#include <QColor>

#include <array>
#include <optional>

namespace exam {

// What a number button of the answer card shows about its question.
// Reviewed: after hand-in, a question that is not current, shown on white under its mark.
enum class CardState { Current, Flagged, Unanswered, Answered, Reviewed };

// The legend's colours; the unanswered colour is the system button face; reviewed is white.
QColor cardColour(CardState state);

// The answer card's state of the 62 questions, apart from any widget: exactly one question is
// current; the others show flagged before answered, so a question kept for review stays visible
// as such even after it was answered.
class AnswerCard {
public:
    int current() const { return m_current; }
    // Makes `id` current; numbers outside 1–62 are ignored.
    void setCurrent(int id);
    // Flags the question, or clears its flag when it is flagged already. Returns the new flag.
    bool toggleFlag(int id);
    bool isFlagged(int id) const;
    int flaggedCount() const;
    void setAnswered(int id, bool answered);
    bool isAnswered(int id) const;
    CardState state(int id) const;
    // After hand-in: whether the question earned its full points. Unknown (nullopt) before.
    void setRight(int id, bool right);
    std::optional<bool> isRight(int id) const;

private:
    std::array<bool, kLastQuestion + 1> m_flagged{};
    std::array<bool, kLastQuestion + 1> m_answered{};
    std::array<std::optional<bool>, kLastQuestion + 1> m_right{};
    int m_current = kFirstQuestion;
};

// What a screen reader says for the question's number button: its name, then its state in the
// legend's words: "单选 5，已做，待查"; "当前" for the current question, "答对" or "答错" after hand-in.
QString spokenCardButton(const AnswerCard& card, int id);

} // namespace exam
