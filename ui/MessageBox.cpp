#include "ui/MessageBox.h"

#include "ui/ModalChild.h"
#include "ui/SessionEnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDebug>
#include <QMessageBox>

#include <utility>

namespace ui {
namespace {

ScopedMessageAnswers* g_answers = nullptr;

QWidget* ownerOf(QWidget* parent) {
    if (parent) return parent->window();
    return QApplication::activeWindow();
}

// Modal over the whole program, and, like the answer windows, handing activation back to the window
// that asked when it closes: without that its keys would do nothing until a click.
void makeModal(QMessageBox& box, QWidget* parent) {
    makeModalChild(&box, ownerOf(parent), Qt::ApplicationModal);
}

QString titleOr(const QString& title) {
    return title.isEmpty() ? QStringLiteral("提示") : title;
}

// Nobody is left to read a box while the session ends, and a box would hold the quit up.
bool skippedAtSessionEnd(const QString& text) {
    if (!isSessionEnding()) return false;
    qInfo().noquote() << "not shown, the session is ending:" << text;
    return true;
}

} // namespace

// Records the box for the innermost ScopedMessageAnswers; `handled` says whether one was alive.
Answer answerMessage(const QString& text, const QString& title, bool* handled) {
    *handled = g_answers != nullptr;
    if (!g_answers) return Answer::Ok;
    g_answers->m_texts.append(text);
    g_answers->m_titles.append(title);
    if (const std::function<void()> action = std::exchange(g_answers->m_whileUp, {})) action();
    return g_answers->m_answer;
}

ScopedMessageAnswers::ScopedMessageAnswers(Answer answer) : m_answer(answer), m_previous(g_answers) {
    g_answers = this;
}

ScopedMessageAnswers::~ScopedMessageAnswers() {
    g_answers = m_previous;
}

void showMessage(QWidget* parent, const QString& text, const QString& title) {
    if (skippedAtSessionEnd(text)) return;
    bool handled = false;
    answerMessage(text, titleOr(title), &handled);
    if (handled) return;
    QMessageBox box(QMessageBox::NoIcon, titleOr(title), text, QMessageBox::Ok);
    makeModal(box, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

bool askYesNo(QWidget* parent, const QString& text, const QString& title, Answer defaultAnswer) {
    return askChoice(parent, text, title, QStringLiteral("是"), QStringLiteral("否"), defaultAnswer);
}

bool askChoice(QWidget* parent, const QString& text, const QString& title, const QString& yes,
               const QString& no, Answer defaultAnswer) {
    if (skippedAtSessionEnd(text)) return false;
    bool handled = false;
    const Answer answer = answerMessage(text, titleOr(title), &handled);
    if (handled) return answer == Answer::Yes;
    QMessageBox box(QMessageBox::Question, titleOr(title), text, QMessageBox::Yes | QMessageBox::No);
    makeModal(box, parent);
    box.button(QMessageBox::Yes)->setText(yes);
    box.button(QMessageBox::No)->setText(no);
    box.setDefaultButton(defaultAnswer == Answer::No ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

Answer askTwoWaysOrCancel(QWidget* parent, const QString& text, const QString& yesText, const QString& noText,
                          const QString& title) {
    if (skippedAtSessionEnd(text)) return Answer::Cancel;
    bool handled = false;
    const Answer answer = answerMessage(text, titleOr(title), &handled);
    if (handled) return answer;
    QMessageBox box(QMessageBox::Question, titleOr(title), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    makeModal(box, parent);
    box.button(QMessageBox::Yes)->setText(yesText);
    box.button(QMessageBox::No)->setText(noText);
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

} // namespace ui
