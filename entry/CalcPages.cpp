#include "entry/CalcPages.h"

#include "entry/AmountsPage.h"
#include "entry/CalcDeclaration.h"
#include "entry/GridNames.h"
#include "entry/JournalGrid.h"
#include "ui/TabControl.h"
#include "ui/WindowBuilder.h"

#include <QToolTip>

using namespace Qt::StringLiterals;

namespace entry {
namespace {

constexpr int kSubmittedNoteMs = 2500;

ui::Built buildPage(ui::TabControl* tabs, int index, const ui::Declaration& controls) {
    QWidget* page = tabs->page(index);
    Q_ASSERT_X(page, "CalcPages", "the answer tab control lacks a calculation page");
    ui::Built built = ui::buildControls(page, controls);
    Q_ASSERT_X(built.errors().isEmpty(), "CalcPages", qPrintable(built.errors().join(u'\n')));
    return built;
}

} // namespace

CalcPage pageForType(const QString& typeText) {
    return typeText == u"计算分析题-计算"_s ? CalcPage::Amounts : CalcPage::Journal;
}

CalcPages::CalcPages(ui::TabControl* tabs, int amountsPage, int journalPage)
    : QObject(tabs), m_tabs(tabs), m_amountsIndex(amountsPage), m_journalIndex(journalPage) {
    m_amounts =
        new AmountsPage(tabs->page(amountsPage), buildPage(tabs, amountsPage, amountsPageDeclaration()));
    m_grid = new JournalGrid(tabs->page(journalPage), buildPage(tabs, journalPage, journalPageDeclaration()));
    connect(m_amounts, &AmountsPage::submitRequested, this, &CalcPages::submitRequested);
    connect(m_grid, &JournalGrid::submitRequested, this, &CalcPages::submitRequested);
}

CalcPages::~CalcPages() = default;

void CalcPages::showSubmitted(const QString& note) {
    QWidget* page = m_current == CalcPage::Amounts ? amountsPage() : journalPage();
    auto* button =
        page->findChild<QWidget*>(m_current == CalcPage::Amounts ? kAmountsSubmitName : kJournalSubmitName);
    if (!button) return;
    QToolTip::showText(button->mapToGlobal(QPoint(0, -button->height())), note, button, {}, kSubmittedNoteMs);
    button->setAccessibleDescription(note);
}

void CalcPages::showQuestion(const QString& typeText, const QStringList& recorded) {
    clear();
    m_current = pageForType(typeText);
    setAnswers(recorded);
    m_tabs->setCurrentIndex(m_current == CalcPage::Amounts ? m_amountsIndex : m_journalIndex);
}

void CalcPages::setAnswers(const QStringList& recorded) {
    if (m_current == CalcPage::Amounts)
        m_amounts->setAnswers(recorded);
    else
        m_grid->setAnswers(recorded);
    markRecorded();
}

QStringList CalcPages::answers() const {
    return m_current == CalcPage::Amounts ? m_amounts->answers() : m_grid->answers();
}

void CalcPages::clear() {
    m_amounts->clear();
    m_grid->clear();
    markRecorded();
}

void CalcPages::setEnabled(bool enabled) {
    m_amounts->setEnabled(enabled);
    m_grid->setEnabled(enabled);
}

QWidget* CalcPages::amountsPage() const {
    return m_amounts->page();
}

QWidget* CalcPages::journalPage() const {
    return m_grid->page();
}

} // namespace entry
