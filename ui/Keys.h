#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

// Every key of every window, in one place: the windows bind these sequences, and the 快捷键 list
// shows them from the same table, so the list cannot tell of a key the code no longer has.
namespace ui::keys {

inline const QKeySequence kKeysList{Qt::Key_F1};
inline const QKeySequence kSearch{Qt::CTRL | Qt::Key_K};
inline const QKeySequence kClose{Qt::Key_Escape};
inline const QKeySequence kPrevious{Qt::Key_PageUp};
inline const QKeySequence kNext{Qt::Key_PageDown};
inline const QKeySequence kStar{Qt::Key_S};
inline const QKeySequence kNote{Qt::Key_N};
inline const QKeySequence kSaveNote{Qt::CTRL | Qt::Key_Return};
// The practice and exam windows' own buttons. Ctrl+Enter is also the note's save key: the note is a
// window of its own, so the two never meet.
inline const QKeySequence kScore{Qt::CTRL | Qt::Key_Return};
inline const QKeySequence kFlag{Qt::Key_F};
inline const QKeySequence kHandIn{Qt::CTRL | Qt::SHIFT | Qt::Key_Return};
inline const QKeySequence kTrueChoice{Qt::Key_Y};
inline const QKeySequence kFalseChoice{Qt::Key_N};
inline const QKeySequence kZoomIn{Qt::CTRL | Qt::Key_Equal};
inline const QKeySequence kZoomInPlus{Qt::CTRL | Qt::Key_Plus};
inline const QKeySequence kZoomOut{Qt::CTRL | Qt::Key_Minus};
inline const QKeySequence kZoomReset{Qt::CTRL | Qt::Key_0};

// The platform's find key, which only the running application knows.
inline QKeySequence findKey() {
    return QKeySequence(QKeySequence::Find);
}

// One key (or keys that do the same) of a window and what it does there.
struct Key {
    QString keys; // as the candidate reads them: "Ctrl+K", "A–D 或 1–4"
    QString action;
};

struct WindowKeys {
    QString window; // the window's Chinese name
    QList<Key> keys;
};

// The keys of every window, in the order the candidate meets the windows.
const QList<WindowKeys>& everyWindowsKeys();

// A sequence as the list writes it.
QString keyText(const QKeySequence& sequence);

} // namespace ui::keys
