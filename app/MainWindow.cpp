#include "app/MainWindow.h"

#include "app/FirstPaint.h"
#include "app/MainWindowDeclaration.h"
#include "app/RoundChoiceControls.h"
#include "app/StudyPage.h"
#include "bank/BankTables.h"
#include "ui/Fonts.h"
#include "ui/HtmlViewer.h"
#include "ui/Keys.h"
#include "ui/KeysWindow.h"
#include "ui/MessageBox.h"
#include "ui/PictureButton.h"
#include "ui/ProgramFiles.h"
#include "ui/StatusBar.h"
#include "ui/TabControl.h"

#include <QEvent>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QShortcut>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

using bank::allQuestionTypes;
using bank::QuestionType;

namespace app {
namespace {

Q_LOGGING_CATEGORY(lcMainWindow, "velmora.mainwindow")

const QString kNavigationBar = u"导航图片框"_s;

} // namespace

MainWindow::MainWindow(const QString& programDirectory, QWidget* parent)
    : QWidget(parent), m_programDirectory(programDirectory), m_studyPath(study::StudyRecord::defaultPath()) {
    m_controls = ui::buildWindow(this, mainWindowDeclaration(), mainWindowPage(pages::Home));
    m_pages = m_controls.get<ui::TabControl>(names::kPages);
    makePagesScroll();
    m_controls.get<ui::StatusBar>(names::kStatusBar)->setPanelText(1, kVersionText);
    connectNavigation();
    addSearch();
    ui::KeysWindow::installOn(this);
    showPage(pages::Home);
    // The record is read after the first paint, which needs nothing of it, and again each time the
    // candidate comes back to this window from practice or an exam.
    afterFirstPaint(this, [this] {
        m_progressShown = true;
        showDailyProgress();
    });
}

// The field sits in the navigation bar's free right end, clear of the five buttons; typing into it
// or Ctrl+K anywhere opens the search window with its words. It is the first text laid out: the
// window's other controls are built meanwhile.
void MainWindow::addSearch() {
    ui::waitForFontConfiguration();
    m_searchField = new QLineEdit(m_controls.widget(kNavigationBar));
    m_searchField->setObjectName(kSearchField);
    m_searchField->setAccessibleName(kSearchField);
    m_searchField->setPlaceholderText(u"搜索题目 (%1)"_s.arg(ui::keys::keyText(ui::keys::kSearch)));
    m_searchField->setGeometry(650, 40, 260, 26);
    connect(m_searchField, &QLineEdit::textEdited, this, &MainWindow::startSearch);
    connect(m_searchField, &QLineEdit::returnPressed, this, &MainWindow::startSearch);
    auto* shortcut = new QShortcut(ui::keys::kSearch, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, &MainWindow::startSearch);
}

// Where the screen leaves less height than the pages need (a netbook), the page container scrolls
// between the bars, which stay in sight; where the window is larger (maximized), the pages stay at
// their size, centred on white, and only the bars widen: no picture is stretched.
void MainWindow::makePagesScroll() {
    m_pageArea = new QScrollArea(this);
    m_pageArea->setFrameShape(QFrame::NoFrame);
    m_pageArea->setFocusPolicy(Qt::NoFocus); // the pages' controls take the focus, not the area
    m_pageArea->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette white = m_pageArea->viewport()->palette();
    white.setColor(m_pageArea->viewport()->backgroundRole(), m_pages->palette().color(QPalette::Window));
    m_pageArea->viewport()->setPalette(white);
    m_pageArea->setGeometry(m_pages->geometry());
    m_pageArea->setWidget(m_pages);
    m_pageArea->stackUnder(m_controls.widget(names::kStatusBar)); // which lies over the pages' foot
}

// The areas as declared, moved and widened by what the window has more or less than its design.
void MainWindow::placeAreas() {
    const ui::Declaration& declared = mainWindowControls();
    const QSize grown = size() - ui::clientSize(mainWindowDeclaration());
    const QRect bar = ui::findDeclared(declared, kNavigationBar)->rect;
    m_controls.widget(kNavigationBar)->resize(std::max(bar.width(), width()), bar.height());
    const QRect status = ui::findDeclared(declared, names::kStatusBar)->rect;
    m_controls.widget(names::kStatusBar)
        ->setGeometry(status.translated(0, grown.height()).adjusted(0, 0, grown.width(), 0));
    m_pageArea->setGeometry(
        ui::findDeclared(declared, names::kPages)->rect.adjusted(0, 0, grown.width(), grown.height()));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeAreas();
}

void MainWindow::startSearch() {
    const QString words = m_searchField->text();
    m_searchField->clear(); // the words go on in the search window
    Q_EMIT searchRequested(words);
}

QString MainWindow::dailyProgressText(const study::DailyProgress& progress) {
    QString text = u"今日已答 %1 / %2 题"_s.arg(progress.answeredToday).arg(progress.target);
    if (progress.daysMetInARow > 0) text += u"，已连续 %1 天达标"_s.arg(progress.daysMetInARow);
    return text;
}

void MainWindow::showDailyProgress() {
    m_controls.get<ui::StatusBar>(names::kStatusBar)
        ->setPanelText(0, dailyProgressText(study::StudyRecord(m_studyPath).dailyProgress()));
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_progressShown) showDailyProgress();
}

// Builds a later page into the existing container and wires its controls.
void MainWindow::buildPage(pages::Page page) {
    bool& built = m_pageBuilt[page];
    if (built) return;
    built = true;
    const ui::Built made = ui::buildControls(this, mainWindowPage(page));
    for (QWidget* w : made.controls())
        m_controls.add(w->objectName(), w);
    for (const QString& error : made.errors())
        m_controls.addError(error);
    if (page == pages::Practice) {
        for (const QString& name : practiceChoices())
            m_choices.append(m_controls.get<QRadioButton>(name));
        auto* enter = m_controls.get<ui::PictureButton>(names::kEnterPractice);
        connect(enter, &QAbstractButton::clicked, this, &MainWindow::enterPractice);
        m_roundChoice = new RoundChoiceControls(m_pages->page(pages::Practice), m_choices.back());
        QWidget::setTabOrder(m_roundChoice->lastInTabOrder(), enter);
    }
    if (page == pages::StudyRecord) {
        // The page is built in code: its figures and charts follow the record, not a declaration.
        m_studyPage = new StudyPage(m_studyPath, m_pages->page(pages::StudyRecord));
        m_studyPage->setGeometry(m_pages->page(pages::StudyRecord)->rect());
        connect(m_studyPage, &StudyPage::wrongAnswersRequested, this, &MainWindow::wrongAnswersRequested);
        connect(m_studyPage, &StudyPage::starredRequested, this, &MainWindow::starredRequested);
        connect(m_studyPage, &StudyPage::dailyTargetChanged, this, &MainWindow::showDailyProgress);
        connect(m_studyPage, &StudyPage::chapterDrillRequested, this, &MainWindow::drillChapter);
        connect(m_studyPage, &StudyPage::todayReviewRequested, this, &MainWindow::todayReviewRequested);
        connect(m_studyPage, &StudyPage::bookScheduleRequested, this, &MainWindow::bookScheduleRequested);
        connect(m_studyPage, &StudyPage::recordImported, this, &MainWindow::showDailyProgress);
        connect(m_studyPage, &StudyPage::examReviewRequested, this,
                [this](qint64 exam) { Q_EMIT examReviewRequested(m_studyPath, exam); });
    }
    if (page == pages::Papers) {
        m_paperList = m_controls.get<QTreeWidget>(names::kPaperList);
        m_paperList->clearSelection();
        m_paperList->setCurrentItem(nullptr, 0, QItemSelectionModel::NoUpdate);
        connect(m_controls.get<ui::PictureButton>(names::kEnterExam), &QAbstractButton::clicked, this,
                &MainWindow::enterExam);
    }
}

void MainWindow::connectNavigation() {
    for (const NavigationEntry& entry : navigationEntries()) {
        const pages::Page page = entry.page;
        connect(m_controls.get<ui::PictureButton>(entry.button), &QAbstractButton::clicked, this,
                [this, page] { showPage(page); });
    }
}

void MainWindow::showPage(pages::Page page) {
    if (page < 0 || page >= m_pages->count()) return;
    buildPage(page);
    m_pages->setCurrentIndex(page);
    if (page == pages::Syllabus || page == pages::Handbook) loadDocument(page);
    if (page == pages::StudyRecord) {
        m_studyPage->setStudyPath(m_studyPath);
        m_studyPage->refresh();
    }
}

pages::Page MainWindow::currentPage() const {
    return static_cast<pages::Page>(m_pages->currentIndex());
}

// Documents load when their page is first shown, so start-up does not wait for the browser.
void MainWindow::loadDocument(pages::Page page) {
    bool& loaded = m_documentLoaded[page];
    if (loaded) return;
    loaded = true;
    const bool syllabus = page == pages::Syllabus;
    auto* viewer = m_controls.get<ui::HtmlViewer>(syllabus ? names::kSyllabusViewer : names::kHandbookViewer);
    // A missing document leaves the viewer empty; the page stays usable.
    const common::Outcome<> shown =
        viewer->navigate(ui::fileIn(m_programDirectory, syllabus ? kSyllabusFile : kHandbookFile));
    if (!shown) qCWarning(lcMainWindow).noquote() << shown.reason();
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
    Q_EMIT practiceRequested(*type, m_roundChoice->choice());
}

void MainWindow::drillChapter(const QString& chapter) {
    const std::optional<int> weakest = study::StudyRecord(m_studyPath).weakestTypeIn(chapter);
    const QuestionType type =
        allQuestionTypes[static_cast<std::size_t>(std::clamp(weakest.value_or(0), 0, 3))];
    // Answers of questions without a chapter tag are filed as unfiled: their drill is the whole table.
    const bool tagged = bank::chapterTags().contains(chapter);
    Q_EMIT practiceRequested(type, {tagged ? chapter : QString(), false, false});
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
