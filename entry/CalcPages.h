#pragma once

// The two answer pages of a calculation-analysis question, shared by the practice window and the
// exam window with the same control names: the amounts page (five amount boxes, 按钮3) and the
// journal-entry page (five entries of up to three debit/credit lines, 按钮2). The owning window
// records what answers() gives when submitRequested() is emitted; this component never touches
// the question bank.
//
//   m_calc = new entry::CalcPages(tabs);                       // pages 3 and 4 of 高级选择夹1
//   connect(m_calc, &entry::CalcPages::submitRequested, this, &PracticeWindow::submitCalc);
//   m_calc->showQuestion(record.TX, {fenxi1, …, fenxi5});      // switches the tab to its page
//   const QStringList five = m_calc->answers();

#include <QObject>
#include <QStringList>

namespace ui {
class TabControl;
}

namespace entry {

class JournalGrid;
class AmountsPage;

// Which page answers a question: the amounts page for the type text "计算分析题-计算", the
// journal-entry page for any other calculation-analysis question.
enum class CalcPage { Amounts, Journal };
CalcPage pageForType(const QString& typeText);

inline constexpr int kCalcAnswerCount = 5;
// Page indexes of the two pages in the answer tab control of both windows.
inline constexpr int kAmountsPageIndex = 3;
inline constexpr int kJournalPageIndex = 4;

class CalcPages final : public QObject {
    Q_OBJECT
public:
    // Builds the amounts page into tabs->page(amountsPage) and the journal-entry page into
    // tabs->page(journalPage), with the declared names, positions and looks. `tabs` owns them.
    explicit CalcPages(ui::TabControl* tabs, int amountsPage = kAmountsPageIndex,
                       int journalPage = kJournalPageIndex);
    ~CalcPages() override;

    // Shows the page that `typeText` selects (makes it the tab control's current page) and puts
    // the recorded answers back on it; the other page is emptied. Missing texts count as empty.
    void showQuestion(const QString& typeText, const QStringList& recorded);
    CalcPage currentPage() const { return m_current; }

    // Puts five recorded texts back on the current page: amounts into their boxes, journal texts
    // split into their entries' lines (the third line opened when a text has one).
    void setAnswers(const QStringList& recorded);
    // The five answer texts of the current page, in the order fenxi1 … fenxi5.
    QStringList answers() const;
    // Empties both pages: no mark chosen, every box empty, entries closed, scrolled to the top.
    void clear();

    // Whether the candidate changed the answer texts since they were put on the page (showQuestion,
    // setAnswers, clear) or last recorded (markRecorded): typed, chose an account or a mark. The
    // owning window records them when the candidate leaves the question without 提交答案.
    bool hasUnrecordedChanges() const { return answers() != m_shown; }
    // The texts on the page now are the ones the bank holds.
    void markRecorded() { m_shown = answers(); }
    // Tells the candidate, beside the current page's 提交答案, that the answer was taken: a note
    // that goes by itself, so the next answer is not held up.
    void showSubmitted(const QString& note);

    // Enables or disables every input and both submit buttons (an empty question table).
    void setEnabled(bool enabled);

    QWidget* amountsPage() const;
    QWidget* journalPage() const;
    JournalGrid* journalGrid() const { return m_grid; }

Q_SIGNALS:
    // "提交答案" was pressed on either page (按钮3 or 按钮2).
    void submitRequested();

private:
    ui::TabControl* m_tabs;
    int m_amountsIndex;
    int m_journalIndex;
    AmountsPage* m_amounts = nullptr;
    JournalGrid* m_grid = nullptr;
    CalcPage m_current = CalcPage::Journal;
    QStringList m_shown; // answers() as last put on the page or recorded
};

} // namespace entry
