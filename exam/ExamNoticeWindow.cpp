#include "exam/ExamNoticeWindow.h"

#include "exam/ExamNames.h"
#include "exam/ExamNoticeDeclaration.h"
#include "ui/PictureBox.h"

#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>

namespace exam {

ExamNoticeWindow::ExamNoticeWindow(int paper, QWidget* parent) : QWidget(parent), m_paper(paper) {
    m_controls = ui::buildWindow(this, examNoticeWindowDeclaration(), examNoticeControls());
    setWindowModality(Qt::ApplicationModal);
    connect(m_controls.get<QPushButton>(names::kEnter), &QPushButton::clicked, this,
            &ExamNoticeWindow::enterExam);
}

void ExamNoticeWindow::showDeclared() {
    ui::showDeclared(this, examNoticeWindowDeclaration());
}

void ExamNoticeWindow::enterExam() {
    Q_EMIT examRequested(m_paper);
    close();
}

void ExamNoticeWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const NoticePlacement placement = placeNotice(event->size());
    auto* picture = m_controls.get<ui::PictureBox>(names::kNoticePicture);
    picture->setGeometry(placement.picture);
    picture->setStretched(placement.shrunk);
    m_controls.widget(names::kEnter)->setGeometry(placement.button);
    // The band is wider than the design window; a larger window stretches it to the full width.
    QWidget* band = m_controls.widget(names::kNoticeBand);
    band->resize(std::max(examNoticeControls().front().rect.width(), event->size().width()), band->height());
}

} // namespace exam
