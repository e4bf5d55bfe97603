#include "entry/WholeTextField.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>

namespace entry {
namespace {

class StartOnLeaving final : public QObject {
public:
    explicit StartOnLeaving(QLineEdit* edit) : QObject(edit), m_edit(edit) { edit->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A popup (the box's own context menu) takes the focus only for a moment.
        if (watched == m_edit && event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            m_edit->setCursorPosition(0);
        return false;
    }

private:
    QLineEdit* m_edit;
};

} // namespace

void showWholeText(QLineEdit* edit) {
    edit->setToolTip(edit->text());
    QObject::connect(edit, &QLineEdit::textChanged, edit, &QLineEdit::setToolTip);
    new StartOnLeaving(edit);
}

} // namespace entry
