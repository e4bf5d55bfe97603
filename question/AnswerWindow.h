#pragma once

#include "ui/Declaration.h"
#include "ui/WindowBuilder.h"

#include <QPoint>
#include <QWidget>

#include <optional>
#include <span>

namespace question {

// What the answer windows share, objective or calculation, opened from practice or from the exam: built from
// their declaration over the tiled light-blue background, modal over the window that opens them, closed by
// Esc or the close box. They hold no connection: their opener gives them the values of one question.
class AnswerWindow : public QWidget {
    Q_OBJECT
public:
    const ui::Built& controls() const { return m_controls; }
    // Shows the window centred on the screen, modal over its opener (its parent).
    void showCentred();
    // Shows the window modal over its opener where answerWindowPlace puts it, with the place the
    // candidate last moved it to from the study record at `studyPath`; a new move is kept there
    // when the window closes.
    void showPlaced(const QString& studyPath);

protected:
    AnswerWindow(const ui::WindowDeclaration& window, std::span<const ui::Control> controls, QWidget* opener);
    // The text of a label or an edit box of this window; unknown names are ignored.
    void setText(const QString& name, const QString& text);
    void hideEvent(QHideEvent* event) override;

private:
    void scrollWhereCut();

    ui::WindowDeclaration m_window;
    ui::Built m_controls;
    QString m_studyPath;             // where a move is kept; none: not kept
    std::optional<QPoint> m_shownAt; // to tell the candidate's move from where the window opened
};

} // namespace question
