#include "entry/WholeTextField.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QStyle>

#include <algorithm>

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

class WidenWhileFocused final : public QObject {
public:
    WidenWhileFocused(QLineEdit* edit, int right) : QObject(edit), m_edit(edit), m_right(right) {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, &WidenWhileFocused::fit);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_edit) return false;
        if (event->type() == QEvent::FocusIn) {
            m_ownWidth = m_edit->width();
            fit();
        } else if (event->type() == QEvent::FocusOut &&
                   static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason && m_ownWidth > 0) {
            m_edit->resize(m_ownWidth, m_edit->height());
            m_ownWidth = 0;
        }
        return false;
    }

private:
    // The text's width, the box's frame and margins around it, and room for the cursor after it.
    int wholeWidth() const {
        const QMargins margins = m_edit->textMargins();
        const int frame = m_edit->hasFrame() ? m_edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        constexpr int kInnerMargins = 2 * 2 + 2; // the box's own margins either side, and the cursor
        return m_edit->fontMetrics().horizontalAdvance(m_edit->text()) + margins.left() + margins.right() +
               2 * frame + kInnerMargins;
    }

    void fit() {
        if (m_ownWidth == 0) return; // not focused
        const int widest = std::max(m_ownWidth, m_right - m_edit->x());
        m_edit->resize(std::clamp(wholeWidth(), m_ownWidth, widest), m_edit->height());
        m_edit->raise();
    }

    QLineEdit* m_edit;
    int m_right;
    int m_ownWidth = 0; // while focused: the width it goes back to
};

} // namespace

void widenWhileFocused(QLineEdit* edit, int right) {
    new WidenWhileFocused(edit, right);
}

void showWholeText(QLineEdit* edit) {
    edit->setToolTip(edit->text());
    QObject::connect(edit, &QLineEdit::textChanged, edit, &QLineEdit::setToolTip);
    new StartOnLeaving(edit);
}

} // namespace entry
