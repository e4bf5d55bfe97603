#pragma once

#include "ui/WindowBuilder.h"

#include <QWidget>

namespace exam {

// The candidate notice shown before a paper: 按钮1 asks for the exam and closes the notice; any
// other way of closing it (close box, Esc) returns to the main window with no exam started.
class ExamNoticeWindow final : public QWidget {
    Q_OBJECT
public:
    ExamNoticeWindow(int paper, QWidget* parent = nullptr);

    int paper() const { return m_paper; }
    const ui::Built& controls() const { return m_controls; }
    void showDeclared();

Q_SIGNALS:
    void examRequested(int paper);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void enterExam();

    int m_paper;
    ui::Built m_controls;
};

} // namespace exam
