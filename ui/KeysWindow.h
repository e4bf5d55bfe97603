#pragma once

#include <QDialog>

namespace ui {

// 快捷键: every key of every window, a table per window, from ui/Keys.h.
class KeysWindow final : public QDialog {
    Q_OBJECT
public:
    static inline const QString kName = QStringLiteral("快捷键");

    explicit KeysWindow(QWidget* parent);

    // F1 on `window` opens the list over it.
    static void installOn(QWidget* window);
    // The list, modal over `window`; it goes when closed.
    static KeysWindow* showOver(QWidget* window);
};

} // namespace ui
