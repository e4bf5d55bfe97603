#include "entry/JournalGrid.h"

#include "entry/AccountChooserWindow.h"
#include "entry/CalcDeclaration.h"
#include "entry/GridNames.h"
#include "entry/WholeTextField.h"
#include "ui/PictureBox.h"
#include "ui/PictureButton.h"
#include "ui/WindowBuilder.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <limits>

using bank::formatJournalEntry;
using bank::JournalLine;
using bank::parseJournalEntry;

namespace entry {
namespace {

// A line break inside a box would split the entry's text into extra lines, so it counts as a blank.
QString oneLine(const QString& text) {
    QString flat = text;
    flat.replace(u'\r', u' ').replace(u'\n', u' ');
    return flat;
}

// Scroll-bar positions per wheel notch: a tenth of the bar's travel.
constexpr int kWheelStep = 10;

void unlimit(QLineEdit* edit) {
    // No length limit of its own: the answer column decides what it keeps.
    edit->setMaxLength(std::numeric_limits<int>::max());
}

} // namespace

void JournalGrid::Line::setVisible(bool visible) const {
    for (QWidget* w : {static_cast<QWidget*>(mark), accountCaption, static_cast<QWidget*>(account),
                       static_cast<QWidget*>(chooser), amountCaption, static_cast<QWidget*>(amount)})
        w->setVisible(visible);
}

JournalLine JournalGrid::Line::read() const {
    const QString accountText = oneLine(account->text());
    const QString amountText = oneLine(amount->text());
    // A mark cannot be taken back once chosen, so a mark alone does not make a line.
    if (accountText.trimmed().isEmpty() && amountText.trimmed().isEmpty()) return {};
    return {mark->currentIndex() < 0 ? QString() : mark->currentText(), accountText, amountText};
}

void JournalGrid::Line::write(const JournalLine& line) const {
    const int index = mark->findText(line.mark, Qt::MatchExactly);
    mark->setCurrentIndex(index);
    // A mark the list does not hold stays visible in front of the account rather than being lost.
    const bool unknownMark = index < 0 && !line.mark.isEmpty();
    account->setText(unknownMark ? line.mark + u' ' + line.account : line.account);
    amount->setText(line.amount);
    account->setCursorPosition(0);
    amount->setCursorPosition(0);
}

JournalGrid::JournalGrid(QWidget* page, const ui::Built& built)
    : QObject(page), m_page(page), m_accountSource(&AccountChooserWindow::chooseAccount) {
    m_gridBox = built.widget(kGridBoxName);
    m_scrollBar = built.get<QScrollBar>(kScrollBarName);
    m_submit = built.get<QPushButton>(kJournalSubmitName);
    for (int entry = 1; entry <= kEntryCount; ++entry)
        bindEntry(entry, built);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &JournalGrid::relayout);
    connect(m_submit, &QPushButton::clicked, this, &JournalGrid::submitRequested);
    m_page->installEventFilter(this);
    m_gridBox->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { reveal(now); });
    relayout();
}

void JournalGrid::bindEntry(int entry, const ui::Built& built) {
    Entry& e = m_entries[entry - 1];
    e.box = built.get<ui::PictureBox>(entryBoxName(entry));
    e.plus = built.get<ui::PictureButton>(plusButtonName(entry));
    for (int line = 1; line <= kLinesPerEntry; ++line) {
        const LineNames names = lineNames(entry, line);
        Line& l = e.lines[line - 1];
        l = {built.get<QComboBox>(names.mark),    built.widget(names.accountCaption),
             built.get<QLineEdit>(names.account), built.get<QPushButton>(names.chooser),
             built.widget(names.amountCaption),   built.get<QLineEdit>(names.amount)};
        l.mark->setCurrentIndex(-1);
        l.mark->installEventFilter(this);
        unlimit(l.account);
        unlimit(l.amount);
        showWholeText(l.account);
        showWholeText(l.amount);
        // A long account shows whole while typed or looked at, over "..." and the amount.
        widenWhileFocused(l.account, l.amount->geometry().right() + 1);
        QLineEdit* account = l.account;
        connect(l.chooser, &QPushButton::clicked, this, [this, account] { chooseAccount(account); });
    }
    connect(e.plus, &QAbstractButton::clicked, this, [this, entry] { toggleThirdLine(entry); });
}

// The line "+" opens is the one the candidate fills next: it takes the focus, so that Tab goes on
// through it rather than past it to the next entry.
void JournalGrid::toggleThirdLine(int entry) {
    const bool open = !isThirdLineOpen(entry);
    setThirdLineOpen(entry, open);
    if (open) m_entries[entry - 1].lines[2].mark->setFocus(Qt::OtherFocusReason);
}

bool JournalGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_page && event->type() == QEvent::Resize) {
        relayout();
        return false;
    }
    // The wheel over the entries scrolls them; over a mark without focus it scrolls too instead of
    // silently turning 借 into 贷.
    auto* mark = qobject_cast<QComboBox*>(watched);
    if (event->type() == QEvent::Wheel && (watched == m_gridBox || (mark && !mark->hasFocus()))) {
        const int notches = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
        m_scrollBar->setValue(m_scrollBar->value() - notches * kWheelStep);
        return true;
    }
    // Delete or Backspace on a mark takes the choice back, so a line can be emptied again.
    if (mark && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete || key == Qt::Key_Backspace) {
            mark->setCurrentIndex(-1);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

QStringList JournalGrid::answers() const {
    QStringList texts;
    for (int entry = 1; entry <= kEntryCount; ++entry)
        texts.append(entryText(entry));
    return texts;
}

void JournalGrid::setAnswers(const QStringList& recorded) {
    for (int entry = 1; entry <= kEntryCount; ++entry)
        setEntryText(entry, recorded.value(entry - 1));
}

QString JournalGrid::entryText(int entry) const {
    QList<JournalLine> lines;
    for (const Line& line : m_entries[entry - 1].lines)
        lines.append(line.read());
    return formatJournalEntry(lines);
}

void JournalGrid::setEntryText(int entry, const QString& text) {
    const QList<JournalLine> lines = parseJournalEntry(text);
    Entry& e = m_entries[entry - 1];
    for (int i = 0; i < kLinesPerEntry; ++i)
        e.lines[i].write(lines.value(i));
    setThirdLineOpen(entry, lines.size() >= kLinesPerEntry);
}

void JournalGrid::clear() {
    for (int entry = 1; entry <= kEntryCount; ++entry)
        setEntryText(entry, {});
    m_scrollBar->setValue(m_scrollBar->minimum());
    relayout();
}

void JournalGrid::setEnabled(bool enabled) {
    for (const Entry& e : m_entries) {
        e.plus->setEnabled(enabled);
        for (const Line& l : e.lines)
            for (QWidget* w : {static_cast<QWidget*>(l.mark), static_cast<QWidget*>(l.account),
                               static_cast<QWidget*>(l.chooser), static_cast<QWidget*>(l.amount)})
                w->setEnabled(enabled);
    }
    m_scrollBar->setEnabled(enabled);
    m_submit->setEnabled(enabled);
}

bool JournalGrid::isThirdLineOpen(int entry) const {
    return m_entries[entry - 1].thirdLineOpen;
}

void JournalGrid::setThirdLineOpen(int entry, bool open) {
    m_entries[entry - 1].thirdLineOpen = open;
    relayout();
}

int JournalGrid::contentHeight() const {
    int height = kEntrySpacing * (kEntryCount - 1) + kLastEntryHeight;
    for (const Entry& e : m_entries)
        if (e.thirdLineOpen) height += kThirdLineHeight;
    return height;
}

void JournalGrid::chooseAccount(QLineEdit* account) {
    const std::optional<QString> chosen = m_accountSource(m_page->window());
    if (!chosen) return;
    account->setText(*chosen);
    account->setCursorPosition(0);
}

// Scrolls just far enough that a line's control taking the focus (by Tab) can be seen.
void JournalGrid::reveal(QWidget* control) {
    const bool inEntry =
        control && std::any_of(m_entries.begin(), m_entries.end(),
                               [control](const Entry& e) { return e.box->isAncestorOf(control); });
    if (!inEntry) return;
    const int overflow = std::max(0, contentHeight() - visibleHeight());
    const int span = m_scrollBar->maximum() - m_scrollBar->minimum();
    if (overflow == 0 || span == 0) return;
    const int top = control->mapTo(m_gridBox, QPoint(0, 0)).y();
    const int bottom = top + control->height();
    double steps = 0;
    if (top < 0)
        steps = std::floor(double(m_offset + top) * span / overflow);
    else if (bottom > visibleHeight())
        steps = std::ceil(double(m_offset + bottom - visibleHeight()) * span / overflow);
    else
        return;
    m_scrollBar->setValue(m_scrollBar->minimum() + static_cast<int>(steps));
}

// The part of 图片框10 that its page shows; the box is declared taller than the pages.
int JournalGrid::visibleHeight() const {
    const int shown = m_page->height() - m_gridBox->y();
    if (shown <= 0) return m_gridBox->height();
    return std::min(shown, m_gridBox->height());
}

void JournalGrid::relayout() {
    const int overflow = std::max(0, contentHeight() - visibleHeight());
    const int span = m_scrollBar->maximum() - m_scrollBar->minimum();
    const int step = m_scrollBar->value() - m_scrollBar->minimum();
    m_offset = span > 0 ? static_cast<int>(std::lround(double(step) * overflow / span)) : 0;
    int pushed = 0;
    for (int i = 0; i < kEntryCount; ++i) {
        Entry& e = m_entries[i];
        const bool last = i == kEntryCount - 1;
        const int height = last && !e.thirdLineOpen ? kLastEntryHeight : kEntryHeight;
        e.box->setGeometry(2, kEntrySpacing * i + pushed - m_offset, 600, height);
        e.lines[2].setVisible(e.thirdLineOpen);
        if (e.thirdLineOpen) pushed += kThirdLineHeight;
    }
}

} // namespace entry
