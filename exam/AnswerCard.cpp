#include "exam/AnswerCard.h"

#include <algorithm>

#include "ui/Palette.h"

#include <QApplication>
#include <QPalette>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace exam {

QColor cardColour(CardState state) {
    switch (state) {
    case CardState::Current:
        return ui::palette::kGreen;
    case CardState::Flagged:
        return ui::palette::kOrange;
    case CardState::Answered:
        return ui::palette::kSkyBlue;
    case CardState::Reviewed:
        return ui::palette::kWhite;
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

int AnswerCard::flaggedCount() const {
    return static_cast<int>(std::count(m_flagged.begin(), m_flagged.end(), true));
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

QString spokenCardButton(const AnswerCard& card, int id) {
    if (!isPaperQuestion(id)) return {};
    QStringList words{spokenCardButtonName(id), card.isAnswered(id) ? u"已做"_s : u"未做"_s};
    if (card.isFlagged(id)) words << u"待查"_s;
    if (card.current() == id) words << u"当前"_s;
    if (const std::optional<bool> right = card.isRight(id)) words << (*right ? u"答对"_s : u"答错"_s);
    return words.join(u"，"_s);
}

} // namespace exam
