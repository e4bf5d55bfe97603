#pragma once

// The one way the program tells the user something: plain task-modal message boxes with fixed
// texts. Tests answer them through ScopedMessageAnswers instead of a blocking box.

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace ui {

enum class Answer { Ok, Yes, No, Cancel };

// A box with the text and an OK button.
void showMessage(QWidget* parent, const QString& text, const QString& title = {});
// A box with Yes and No; true for Yes. `defaultAnswer` is what Enter gives: No where Yes throws
// work away. While the session ends no box is shown: showMessage returns at once, askYesNo gives No.
bool askYesNo(QWidget* parent, const QString& text, const QString& title = {},
              Answer defaultAnswer = Answer::Yes);
// askYesNo with buttons that name the two ways on, `yes` first.
bool askChoice(QWidget* parent, const QString& text, const QString& title, const QString& yes,
               const QString& no, Answer defaultAnswer = Answer::Yes);

// A box with three buttons: `yesText` (Answer::Yes, the default), `noText` (Answer::No) and 取消
// (Answer::Cancel, also Esc). While the session ends no box is shown and the answer is Cancel.
Answer askTwoWaysOrCancel(QWidget* parent, const QString& text, const QString& yesText, const QString& noText,
                          const QString& title = {});

// While alive, message boxes are not shown: their texts are recorded and Yes/No boxes get
// `answer`. For tests.
class ScopedMessageAnswers {
public:
    explicit ScopedMessageAnswers(Answer answer = Answer::Ok);
    ~ScopedMessageAnswers();
    ScopedMessageAnswers(const ScopedMessageAnswers&) = delete;
    ScopedMessageAnswers& operator=(const ScopedMessageAnswers&) = delete;

    const QStringList& texts() const { return m_texts; }
    const QStringList& titles() const { return m_titles; }
    void setAnswer(Answer answer) { m_answer = answer; }
    // Runs `action` once, when the next box comes up and before it is answered: what happens while
    // a real box would wait for the user.
    void whileNextBoxIsUp(std::function<void()> action) { m_whileUp = std::move(action); }

private:
    friend Answer answerMessage(const QString& text, const QString& title, bool* handled);
    Answer m_answer;
    QStringList m_texts;
    QStringList m_titles;
    std::function<void()> m_whileUp;
    ScopedMessageAnswers* m_previous;
};

} // namespace ui
