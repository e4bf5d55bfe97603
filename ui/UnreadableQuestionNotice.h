#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace ui {

// Tells the candidate, once for the window that owns it, that questions cannot be read from the
// bank and why; later failures of the same window pass without a word, and the window goes on
// with the questions it can read.
class UnreadableQuestionNotice {
public:
    // The reason in the candidate's words: the bank in use elsewhere, or damaged.
    static QString reason(const QString& engineError);
    // One question of a window that walks several.
    static QString questionText(const QString& engineError);
    // A practice table none of whose questions can be read.
    static QString tableText(const QString& engineError);
    // A paper refused before its hour starts; `questions` name those that cannot be read ("判断题第
    // 8 题"), none when the paper cannot be read at all.
    static QString paperText(const QStringList& questions, const QString& engineError);

    // Shows `text` over `window` the first time; does nothing afterwards.
    void tell(QWidget* window, const QString& text);
    bool told() const { return m_told; }

private:
    bool m_told = false;
};

} // namespace ui
