#pragma once

// The names of the journal grid's controls. Each kind carries one running number across the five
// entries: the first entry counts from its first line down, entries 2 to 5 from their third line
// up, and the labels of an entry are numbered together (its number label last).

#include <QString>

namespace entry {

inline constexpr int kEntryCount = 5;
inline constexpr int kLinesPerEntry = 3;

// The six controls of line `line` (1..3) of entry `entry` (1..5).
struct LineNames {
    QString mark;           // 组合框_分录n
    QString accountCaption; // 透明标签_分录n, "会计科目:"
    QString account;        // 编辑框_分录n
    QString chooser;        // 按钮_分录n, "..."
    QString amountCaption;  // 透明标签_分录n, "金额:"
    QString amount;         // 编辑框_分录n
};

LineNames lineNames(int entry, int line);
QString entryBoxName(int entry);    // 图片框5 … 图片框9
QString numberLabelName(int entry); // 透明标签_分录1, 14, 21, 28, 35
QString plusButtonName(int entry);  // 超级按钮_分录1 … 5

inline const QString kGridBoxName = QStringLiteral("图片框10");
inline const QString kScrollBarName = QStringLiteral("纵向滚动条1");
inline const QString kJournalSubmitName = QStringLiteral("按钮2");
inline const QString kAmountsSubmitName = QStringLiteral("按钮3");
QString amountEditName(int row);    // 计算_编辑框1 … 5
QString amountCaptionName(int row); // 标签1 … 5

} // namespace entry
