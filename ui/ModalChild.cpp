#include "ui/ModalChild.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace ui {
namespace {

// Activates the opener when the child is hidden (closed, or ended by a dialog's exec()).
class ActivateOpenerOnHide final : public QObject {
public:
    ActivateOpenerOnHide(QWidget* child, QWidget* opener) : QObject(child), m_opener(opener) {
        child->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && m_opener && m_opener->isVisible()) m_opener->activateWindow();
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> m_opener;
};

} // namespace

void makeModalChild(QWidget* child, QWidget* opener, Qt::WindowModality modality) {
    QWidget* openerWindow = opener ? opener->window() : nullptr;
    if (openerWindow) {
        child->setParent(openerWindow, (child->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
        new ActivateOpenerOnHide(child, openerWindow);
    }
    child->setWindowModality(modality);
}

} // namespace ui
