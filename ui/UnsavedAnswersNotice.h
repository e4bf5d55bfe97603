#pragma once

#include <QString>

class QWidget;

namespace ui {

// Tells the candidate, once for the window that owns it, that answers cannot be saved to the bank
// and why. Later failures of the same window pass without a word: the window then shows what the
// bank holds, so nothing looks given that is not stored.
class UnsavedAnswersNotice {
public:
    static inline const QString kLead = QStringLiteral("作答无法保存到题库");

    // The message: what failed, why (from the file and its disk as they are now, otherwise the
    // engine's own reason) and which file. `bankPath` may be empty when it is not known.
    static QString text(const QString& bankPath, const QString& engineError);

    // Shows the message over `window` the first time; does nothing afterwards.
    void tell(QWidget* window, const QString& bankPath, const QString& engineError);
    bool told() const { return m_told; }

private:
    bool m_told = false;
};

} // namespace ui
