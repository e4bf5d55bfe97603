#pragma once

class QLineEdit;

namespace entry {

// For a single-line box narrower than its longest texts (应交税费-应交增值税（进项税额转出）): the
// whole text is the box's tooltip, and when the focus leaves the box its start shows again rather
// than the end where typing or Tab left the cursor.
void showWholeText(QLineEdit* edit);

// While `edit` has the focus and its text is wider than the box, the box grows to the right over
// its neighbours, as far as `right` (in its parent's coordinates), so that the whole text shows; it
// goes back to its own width when the focus leaves.
void widenWhileFocused(QLineEdit* edit, int right);

} // namespace entry
