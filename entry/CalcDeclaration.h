#pragma once

// The declarations of the two calculation pages. Top-level controls have no parent: the pages are
// built straight into a tab control's page, whose origin is the tab control's top-left corner.

#include "ui/Declaration.h"

namespace entry {

// Tops of a grid line's controls inside its entry box, and the entry boxes' spacing.
inline constexpr int kLineTops[] = {3, 27, 50};
inline constexpr int kEntrySpacing = 50;
inline constexpr int kEntryHeight = 75;     // entries 1 to 4
inline constexpr int kLastEntryHeight = 50; // entry 5
inline constexpr int kThirdLineHeight = kEntryHeight - kEntrySpacing;

ui::Declaration amountsPageDeclaration();
ui::Declaration journalPageDeclaration();

// The same controls as contents of page `page` of the tab control `tabName`, as the owning
// windows' declarations name them.
ui::Declaration onTabPage(ui::Declaration controls, const QString& tabName, int page);

} // namespace entry
