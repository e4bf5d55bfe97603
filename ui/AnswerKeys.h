#pragma once

#include "ui/WindowBuilder.h"

#include <QList>
#include <QObject>
#include <QStringList>

class QAbstractButton;
class QKeyEvent;

namespace ui {

// Names of the controls a window answers and moves with.
struct AnswerControls {
    QList<QStringList> optionSets; // each A to D; the set on show takes the letters
    QStringList trueFalse;         // as they stand on screen, left first
    QString previous;
    QString next;
};

// Answering from the keyboard: A–D or 1–4 press the option of that letter on show, Y or ← the
// left true/false choice and N or → the right one, PgUp/PgDn the window's previous/next buttons.
// Each key clicks its control, so it does what the mouse does there. Keys typed into a field, or
// given while a popup or another modal window is open, are left alone.
class AnswerKeys final : public QObject {
public:
    // Watches the keys of `window` until it is destroyed, and names each key in its control's tooltip.
    static void install(QWidget* window, const Built& built, const AnswerControls& controls);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AnswerKeys(QWidget* window, const Built& built, const AnswerControls& controls);
    bool mayAnswer(QObject* receiver) const;
    QAbstractButton* target(const QKeyEvent& key) const;
    QAbstractButton* shownOption(int index) const;

    QWidget* m_window;
    QList<QList<QAbstractButton*>> m_optionSets;
    QList<QAbstractButton*> m_trueFalse;
    QAbstractButton* m_previous;
    QAbstractButton* m_next;
};

} // namespace ui
