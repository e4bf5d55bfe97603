#include "question/AnswerWindow.h"

#include "question/AnswerWindowDeclarations.h"
#include "question/AnswerWindowPlace.h"
#include "study/StudyRecord.h"
#include "ui/KeysWindow.h"
#include "ui/ModalChild.h"
#include "ui/Pictures.h"
#include "ui/ScreenFit.h"

#include <QLabel>
#include <QLoggingCategory>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>

namespace question {
namespace {

Q_LOGGING_CATEGORY(lcAnswerWindow, "velmora.answerwindow")

} // namespace

AnswerWindow::AnswerWindow(const ui::WindowDeclaration& window, std::span<const ui::Control> controls,
                           QWidget* opener)
    : QWidget(opener), m_window(window) {
    m_controls = ui::buildWindow(this, window, controls);
    // The one-colour picture is repeated as tiles, not stretched, whatever the client size.
    QPalette palette = this->palette();
    palette.setBrush(QPalette::Window, QBrush(QPixmap::fromImage(ui::loadPicture(kAnswerBackground))));
    setPalette(palette);
    setAutoFillBackground(true);
    ui::makeModalChild(this, opener, opener ? Qt::WindowModal : Qt::ApplicationModal);
    // The window has nothing to act on: Enter and Space close it as Esc does.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
    ui::KeysWindow::installOn(this);
}

// Where the screen is shorter than the window (the calculation's on a netbook), the window is made
// to fit and its contents scroll inside it, on the same tiles.
void AnswerWindow::scrollWhereCut() {
    const QScreen* screen = this->screen();
    if (!screen || findChild<QScrollArea*>(QString(), Qt::FindDirectChildrenOnly)) return;
    const QSize fitted = ui::fittedClientSize(size(), screen->availableGeometry(), ui::kFrameEstimate,
                                              style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    if (fitted == size()) return;
    auto* content = new QWidget;
    content->resize(size());
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) continue;
        const bool shown = !child->isHidden();
        child->setParent(content);
        child->setVisible(shown);
    }
    auto* area = new QScrollArea(this);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(content);
    area->setGeometry(QRect(QPoint(), fitted));
    area->show();
    setFixedSize(fitted);
}

void AnswerWindow::showCentred() {
    scrollWhereCut();
    ui::showDeclared(this, m_window);
    activateWindow(); // its keys work at once, also where no window manager activates it
}

void AnswerWindow::showPlaced(const QString& studyPath) {
    m_studyPath = studyPath;
    scrollWhereCut();
    const QSize outer = size() + (m_window.outerSize - ui::clientSize(m_window));
    const QWidget* opener = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = opener ? opener->screen() : nullptr;
    const std::optional<QPoint> place =
        screen ? answerWindowPlace(opener->frameGeometry(), outer, screen->availableGeometry(),
                                   study::StudyRecord(studyPath).answerWindowPlace())
               : std::nullopt;
    if (!place) {
        showCentred();
    } else {
        move(*place);
        show();
        activateWindow(); // as showCentred
    }
    m_shownAt = pos();
}

// Where the candidate moved the window is where it opens next time, in this sitting and the next.
void AnswerWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (m_studyPath.isEmpty() || !m_shownAt || pos() == *m_shownAt) return;
    m_shownAt = pos();
    // Not worth a message: the window merely opens elsewhere next time.
    if (const common::Outcome<> kept = study::StudyRecord(m_studyPath).keepAnswerWindowPlace(pos()); !kept)
        qCWarning(lcAnswerWindow).noquote()
            << "cannot keep where the answer window was moved:" << kept.reason();
}

void AnswerWindow::setText(const QString& name, const QString& text) {
    QWidget* control = m_controls.widget(name);
    if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(control)) {
        edit->setPlainText(text);
        edit->moveCursor(QTextCursor::Start);
    }
}

} // namespace question
