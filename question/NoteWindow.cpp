#include "question/NoteWindow.h"

#include "ui/Keys.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace question {

NoteWindow::NoteWindow(const QString& note, QWidget* parent) : QDialog(parent) {
    setObjectName(kName);
    setWindowTitle(kName);
    setAccessibleName(kName);
    resize(480, 260);
    m_text = new QPlainTextEdit(note, this);
    m_text->setObjectName(kText);
    m_text->setAccessibleName(kText);
    // Tab leaves the box for the buttons instead of typing a tab.
    m_text->setTabChangesFocus(true);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(kSave, QDialogButtonBox::AcceptRole);
    save->setObjectName(kSave);
    save->setAccessibleName(kSave);
    QPushButton* cancel = buttons->addButton(kCancel, QDialogButtonBox::RejectRole);
    cancel->setObjectName(kCancel);
    cancel->setAccessibleName(kCancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter makes a new line in the box; Ctrl+Enter saves from it.
    auto* keep = new QShortcut(ui::keys::kSaveNote, this);
    connect(keep, &QShortcut::activated, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
    m_text->moveCursor(QTextCursor::End);
    m_text->setFocus();
}

QString NoteWindow::note() const {
    return m_text->toPlainText();
}

} // namespace question
