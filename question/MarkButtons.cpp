#include "question/MarkButtons.h"

#include "question/NoteWindow.h"
#include "study/StudyRecord.h"
#include "ui/ButtonKey.h"
#include "ui/Keys.h"
#include "ui/MessageBox.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

namespace question {
namespace {

QPushButton* barButton(QWidget* bar, const QString& name, QRect rect, const QKeySequence& key) {
    auto* button = new QPushButton(name, bar);
    button->setObjectName(name);
    button->setAccessibleName(name);
    button->setToolTip(ui::keyTip(key));
    button->setGeometry(rect);
    button->setEnabled(false);
    button->show(); // also when made on a window already shown
    return button;
}

} // namespace

MarkButtons::MarkButtons(QWidget* bar, QRect first, study::StudyRecord& record)
    : QObject(bar), m_window(bar->window()), m_record(record),
      m_star(barButton(bar, kStar, first, ui::keys::kStar)),
      m_note(barButton(bar, kNote, first.translated(first.width() + 8, 0), ui::keys::kNote)) {
    m_star->setCheckable(true);
    // The star shows on the button too, not only its pressed look.
    connect(m_star, &QAbstractButton::toggled, this,
            [this](bool starred) { m_star->setText((starred ? u"★"_s : QString()) + kStar); });
    connect(m_star, &QAbstractButton::clicked, this, [this](bool starred) {
        if (const common::Outcome<> kept = m_record.setStarred(m_table, m_questionText, starred); !kept) {
            m_star->setChecked(!starred);
            tellIfFailed(kept.reason());
        }
    });
    connect(m_note, &QAbstractButton::clicked, this, &MarkButtons::openNote);
}

void MarkButtons::showQuestion(const QString& table, const QString& questionText) {
    m_table = table;
    m_questionText = questionText;
    m_star->setEnabled(true);
    m_note->setEnabled(true);
    m_star->setChecked(m_record.questionMark(table, questionText).starred);
}

void MarkButtons::clear() {
    m_questionText.clear();
    m_star->setChecked(false);
    m_star->setEnabled(false);
    m_note->setEnabled(false);
}

void MarkButtons::toggleStar() {
    if (m_star->isEnabled()) m_star->click();
}

void MarkButtons::openNote() {
    if (!m_note->isEnabled()) return;
    auto* note = new NoteWindow(m_record.questionMark(m_table, m_questionText).note, m_window);
    note->setAttribute(Qt::WA_DeleteOnClose);
    note->setWindowModality(Qt::WindowModal);
    // The question may change under a window left open by a test or the session ending: the note
    // goes to the question it was opened on.
    connect(note, &QDialog::accepted, this, [this, note, table = m_table, text = m_questionText] {
        const common::Outcome<> kept = m_record.setNote(table, text, note->note());
        if (!kept) tellIfFailed(kept.reason());
    });
    note->show();
    note->activateWindow();
}

QString MarkButtons::withNote(const QString& explanation) {
    const QString note = m_record.questionMark(m_table, m_questionText).note;
    if (note.isEmpty()) return explanation;
    return explanation + u"\n\n"_s + kNoteHeading + u'\n' + note;
}

void MarkButtons::tellIfFailed(const QString& reason) {
    ui::showMessage(m_window, kNotKept.arg(reason));
}

} // namespace question
