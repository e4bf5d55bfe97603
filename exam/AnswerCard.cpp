#include "AnswerCard.h"

#include <QApplication>
#include <QPalette>

namespace exam {

QColor cardColour(CardState state) {
    switch (state) {
    case CardState::Current:
        return QColor(0, 128, 0);
    case CardState::Flagged:
        return QColor(255, 128, 0);
    case CardState::Answered:
        return QColor(0, 136, 255);
    case CardState::Reviewed:
        return QColor(255, 255, 255);
    case CardState::Unanswered:
        break;
    }
    return QApplication::palette().color(QPalette::Button);
}

void AnswerCard::setCurrent(int id) {
    if (isPaperQuestion(id)) m_current = id;
}

bool AnswerCard::toggleFlag(int id) {
    if (!isPaperQuestion(id)) return false;
    m_flagged[id] = !m_flagged[id];
    return m_flagged[id];
}

bool AnswerCard::isFlagged(int id) const {
    return isPaperQuestion(id) && m_flagged[id];
}

void AnswerCard::setAnswered(int id, bool answered) {
    if (isPaperQuestion(id)) m_answered[id] = answered;
}

bool AnswerCard::isAnswered(int id) const {
    return isPaperQuestion(id) && m_answered[id];
}

CardState AnswerCard::state(int id) const {
    if (id == m_current) return CardState::Current;
    if (isRight(id).has_value()) return CardState::Reviewed;
    if (isFlagged(id)) return CardState::Flagged;
    if (isAnswered(id)) return CardState::Answered;
    return CardState::Unanswered;
}

void AnswerCard::setRight(int id, bool right) {
    if (isPaperQuestion(id)) m_right[id] = right;
}

std::optional<bool> AnswerCard::isRight(int id) const {
    return isPaperQuestion(id) ? m_right[id] : std::nullopt;
}

} // namespace exam
