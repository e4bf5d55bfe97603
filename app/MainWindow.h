#pragma once

#include "study/StudyFigures.h"

#include "app/MainWindowDeclaration.h"
#include "bank/QuestionType.h"
#include "practice/PracticeRound.h"
#include "ui/WindowBuilder.h"

#include <QWidget>

#include <optional>

class QLineEdit;
class QRadioButton;
class QScrollArea;
class QTreeWidget;

namespace ui {
class HtmlViewer;
class StatusBar;
class TabControl;
} // namespace ui

namespace app {

class RoundChoiceControls;
class StudyPage;

// The start window: navigation bar, five pages (home, two documents, practice choice, paper
// list) and the status bar. It lives for the whole run; closing it ends the program. It opens no
// other window itself: it asks for practice or an exam through its signals.
class MainWindow final : public QWidget {
    Q_OBJECT
public:
    static inline const QString kVersionText = QStringLiteral("软件版本：V2.0.0.0");
    static inline const QString kNoTypeChosen = QStringLiteral("还未选择任何题型");
    static inline const QString kNoPaperChosen = QStringLiteral("你还未选择套题,请先选择 !!");
    static inline const QString kSyllabusFile = QStringLiteral("\\Velmora考试大纲.mht");
    static inline const QString kHandbookFile = QStringLiteral("\\beikao.mht");
    static inline const QString kSearchField = QStringLiteral("搜索");
    // Today's questions against the daily target, in the status bar's first panel.
    static QString dailyProgressText(const study::DailyProgress& progress);

    // `programDirectory` is where the two documents lie.
    explicit MainWindow(const QString& programDirectory, QWidget* parent = nullptr);

    // Shows `page` and hides the others. Later pages are built the first time they are shown, so
    // start-up builds only the home page; a document page also loads its document then.
    void showPage(pages::Page page);
    pages::Page currentPage() const;
    // The type of the checked radio button, if any (none before the practice page was shown).
    std::optional<bank::QuestionType> chosenType() const;
    // The paper (1 to 20) of the selected row, or 0 with none selected or the list not yet built.
    int selectedPaper() const;
    const ui::Built& controls() const { return m_controls; }

    void enterPractice();
    void enterExam();
    // A drill of `chapter`'s questions of the type the candidate got right least often there.
    void drillChapter(const QString& chapter);
    // Asks for the search window with what the search field holds (Ctrl+K, or typing in the field).
    void startSearch();
    // The study record the 学习记录 page shows; the per-user one unless a test gives its own.
    void setStudyRecordPath(const QString& path) { m_studyPath = path; }
    const QString& studyRecordPath() const { return m_studyPath; }
    StudyPage* studyPage() const { return m_studyPage; }

Q_SIGNALS:
    void practiceRequested(bank::QuestionType type, const practice::RoundChoice& choice);
    void examRequested(int paper);
    void wrongAnswersRequested(bank::QuestionType type);
    void todayReviewRequested();
    void bookScheduleRequested();
    void starredRequested(bank::QuestionType type);
    void searchRequested(const QString& words);
    // A row of the 学习记录 page's exam history opened: the attempt kept in the study record.
    void examReviewRequested(const QString& studyPath, qint64 exam);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Reads today's progress from the study record into the status bar.
    void showDailyProgress();
    void connectNavigation();
    void makePagesScroll();
    void placeAreas();
    void addSearch();
    void buildPage(pages::Page page);
    void loadDocument(pages::Page page);

    QString m_programDirectory;
    ui::Built m_controls;
    ui::TabControl* m_pages = nullptr;
    QScrollArea* m_pageArea = nullptr;
    QTreeWidget* m_paperList = nullptr;
    QList<QRadioButton*> m_choices;
    QLineEdit* m_searchField = nullptr;
    StudyPage* m_studyPage = nullptr;
    RoundChoiceControls* m_roundChoice = nullptr;
    QString m_studyPath;
    bool m_pageBuilt[pages::Count] = {true}; // the home page is built with the window
    bool m_documentLoaded[pages::Count] = {};
    bool m_progressShown = false;
};

} // namespace app
