#include "MainWindow.h"

#include "HtmlViewer.h"
#include "MainWindowDeclaration.h"
#include "MessageBox.h"
#include "PictureButton.h"
#include "ProgramFiles.h"
#include "StatusBar.h"
#include "StudyPage.h"
#include "TabControl.h"

#include <QRadioButton>
#include <QTreeWidget>

using bank::allQuestionTypes;
using bank::QuestionType;

namespace app {

MainWindow::MainWindow(const QString& programDirectory, QWidget* parent)
    : QWidget(parent), m_programDirectory(programDirectory), m_studyPath(study::StudyRecord::defaultPath()) {
    m_controls = ui::buildWindow(this, mainWindowDeclaration(), mainWindowPage(0));
    m_pages = m_controls.get<ui::TabControl>(names::kPages);
    m_controls.get<ui::StatusBar>(names::kStatusBar)->setPanelText(1, kVersionText);
    connectNavigation();
    showPage(0);
}

// Builds a later page into the existing container and wires its controls.
void MainWindow::buildPage(int page) {
    bool& built = m_pageBuilt[page];
    if (built) return;
    built = true;
    const QSize containerSize = ui::findDeclared(mainWindowControls(), names::kPages)->rect.size();
    const ui::Built made = ui::buildControls(this, containerSize, mainWindowPage(page));
    for (QWidget* w : made.controls())
        m_controls.add(w->objectName(), w);
    for (const QString& error : made.errors())
        m_controls.addError(error);
    if (page == 3) {
        for (const QString& name : practiceChoices())
            m_choices.append(m_controls.get<QRadioButton>(name));
        connect(m_controls.get<ui::PictureButton>(names::kEnterPractice), &QAbstractButton::clicked, this,
                &MainWindow::enterPractice);
    }
    if (page == 5) {
        // The page is built in code: its figures and charts follow the record, not a declaration.
        m_studyPage = new StudyPage(m_studyPath, m_pages->page(5));
        m_studyPage->setGeometry(m_pages->page(5)->rect());
        connect(m_studyPage, &StudyPage::wrongAnswersRequested, this, &MainWindow::wrongAnswersRequested);
    }
    if (page == 4) {
        m_paperList = m_controls.get<QTreeWidget>(names::kPaperList);
        m_paperList->clearSelection();
        m_paperList->setCurrentItem(nullptr, 0, QItemSelectionModel::NoUpdate);
        connect(m_controls.get<ui::PictureButton>(names::kEnterExam), &QAbstractButton::clicked, this,
                &MainWindow::enterExam);
    }
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
    buildPage(page);
    m_pages->setCurrentIndex(page);
    if (page == 1 || page == 2) loadDocument(page);
    if (page == 5) {
        m_studyPage->setStudyPath(m_studyPath);
        m_studyPage->refresh();
    }
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
    if (!m_paperList) return 0;
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
