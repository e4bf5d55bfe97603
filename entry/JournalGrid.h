#pragma once

// The journal-entry page "计算分析题_分录": five entries of up to three debit/credit lines.
//
// An entry shows its first two lines; its "+" opens the third line by moving the entries below it
// down by one line and puts the focus on the new line's mark, a second press closes it again (its
// text stays and still counts). The scroll
// bar moves the entries inside 图片框10 so that the lowest line can always be brought into view:
// position 1 shows the top, position 100 the bottom; a line that takes the focus is scrolled into view. Entry
// r's answer is the journal-entry text of its lines (JournalEntry.h); "..." fills its line's account box from
// the chooser.

#include "bank/JournalEntry.h"

#include <QObject>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace ui {
class Built;
class PictureBox;
class PictureButton;
} // namespace ui

namespace entry {

class JournalGrid final : public QObject {
    Q_OBJECT
public:
    // Asks for an account; nothing when the candidate chose none. The default opens the chooser.
    using AccountSource = std::function<std::optional<QString>(QWidget* parent)>;

    JournalGrid(QWidget* page, const ui::Built& built);

    QStringList answers() const;
    void setAnswers(const QStringList& recorded); // missing texts count as empty
    QString entryText(int entry) const;           // entry 1..5
    void setEntryText(int entry, const QString& text);
    void clear();
    void setEnabled(bool enabled);

    bool isThirdLineOpen(int entry) const;
    void setThirdLineOpen(int entry, bool open);
    // How far the entries are moved up by the scroll bar, in pixels.
    int scrollOffset() const { return m_offset; }
    // The height of the entries as they stand (closed entries count 50, open ones 75).
    int contentHeight() const;

    void setAccountSource(AccountSource source) { m_accountSource = std::move(source); }
    QWidget* page() const { return m_page; }

Q_SIGNALS:
    void submitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Line {
        QComboBox* mark = nullptr;
        QWidget* accountCaption = nullptr;
        QLineEdit* account = nullptr;
        QPushButton* chooser = nullptr;
        QWidget* amountCaption = nullptr;
        QLineEdit* amount = nullptr;
        void setVisible(bool visible) const;
        bank::JournalLine read() const;
        void write(const bank::JournalLine& line) const;
    };
    struct Entry {
        ui::PictureBox* box = nullptr;
        ui::PictureButton* plus = nullptr;
        std::array<Line, 3> lines;
        bool thirdLineOpen = false;
    };

    void bindEntry(int entry, const ui::Built& built);
    void toggleThirdLine(int entry);
    void chooseAccount(QLineEdit* account);
    void reveal(QWidget* control);
    int visibleHeight() const;
    void relayout();

    QWidget* m_page;
    QWidget* m_gridBox = nullptr;
    QScrollBar* m_scrollBar = nullptr;
    QPushButton* m_submit = nullptr;
    std::array<Entry, 5> m_entries;
    int m_offset = 0;
    AccountSource m_accountSource;
};

} // namespace entry
