#include "MainWindow.h"

#include "HtmlViewer.h"
#include "MainWindowDeclaration.h"
#include "MessageBox.h"
#include "PictureButton.h"
#include "ProgramFiles.h"
#include "StatusBar.h"
#include "TabControl.h"

#include <QRadioButton>
#include <QTreeWidget>

namespace app {

MainWindow::MainWindow(const QString& programDirectory, QWidget* parent)
    : QWidget(parent), m_programDirectory(programDirectory) {
    m_controls = ui::buildWindow(this, mainWindowDeclaration(), mainWindowControls());
    m_pages = m_controls.get<ui::TabControl>(names::kPages);
    m_paperList = m_controls.get<QTreeWidget>(names::kPaperList);
    for (const QString& name : practiceChoices())
        m_choices.append(m_controls.get<QRadioButton>(name));
    m_controls.get<ui::StatusBar>(names::kStatusBar)->setPanelText(1, kVersionText);
    m_paperList->clearSelection();
    m_paperList->setCurrentItem(nullptr, 0, QItemSelectionModel::NoUpdate);
    connectNavigation();
    connect(m_controls.get<ui::PictureButton>(names::kEnterPractice), &QAbstractButton::clicked, this,
            &MainWindow::enterPractice);
    connect(m_controls.get<ui::PictureButton>(names::kEnterExam), &QAbstractButton::clicked, this,
            &MainWindow::enterExam);
    showPage(0);
}

void MainWindow::connectNavigation() {
    for (const NavigationEntry& entry : navigationEntries()) {
        const int page = entry.page;
        connect(m_controls.get<ui::PictureButton>(entry.button), &QAbstractButton::clicked, this,
                [this, page] { showPage(page); });
    }
}

void MainWindow::showPage(int page) {
    if (page < 0 || page >= m_pages->count()) return;
    m_pages->setCurrentIndex(page);
    if (page == 1 || page == 2) loadDocument(page);
}

int MainWindow::currentPage() const {
    return m_pages->currentIndex();
}

// Documents load when their page is first shown, so start-up does not wait for the browser.
void MainWindow::loadDocument(int page) {
    bool& loaded = m_documentLoaded[page - 1];
    if (loaded) return;
    loaded = true;
    const bool syllabus = page == 1;
    auto* viewer = m_controls.get<ui::HtmlViewer>(syllabus ? names::kSyllabusViewer : names::kHandbookViewer);
    // A missing document leaves the viewer empty; the page stays usable.
    viewer->navigate(ui::fileIn(m_programDirectory, syllabus ? kSyllabusFile : kHandbookFile));
}

std::optional<QuestionType> MainWindow::chosenType() const {
    for (int i = 0; i < m_choices.size(); ++i) {
        if (m_choices[i]->isChecked()) return allQuestionTypes[static_cast<size_t>(i)];
    }
    return std::nullopt;
}

int MainWindow::selectedPaper() const {
    const QList<QTreeWidgetItem*> selected = m_paperList->selectedItems();
    if (selected.isEmpty()) return 0;
    return m_paperList->indexOfTopLevelItem(selected.front()) + 1;
}

void MainWindow::enterPractice() {
    const std::optional<QuestionType> type = chosenType();
    if (!type) {
        ui::showMessage(this, kNoTypeChosen);
        return;
    }
    Q_EMIT practiceRequested(*type);
}

void MainWindow::enterExam() {
    const int paper = selectedPaper();
    if (paper == 0) {
        ui::showMessage(this, kNoPaperChosen);
        return;
    }
    Q_EMIT examRequested(paper);
}

} // namespace app
