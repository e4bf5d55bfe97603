#pragma once

// The chart-of-accounts chooser "会计科目": a modal window with the fixed chart as a tree. "确定"
// on an account or a sub-account hands back the text a journal line carries for it; on the root
// or a category it does nothing and the window stays open. A double-click or Enter on an account
// chooses it as "确定" does (Enter on a category opens or closes it). Typing jumps to the next
// account whose name starts with, or else contains, what was typed. "取消", the close box and Esc
// choose nothing.

#include <QDialog>
#include <QElapsedTimer>

#include <optional>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace entry {

class AccountChooserWindow final : public QDialog {
    Q_OBJECT
public:
    // `lastChosen`: the chart index (chartOfAccounts()) of the account chosen last; its category
    // opens expanded, so the next line of the same kind is one step away.
    explicit AccountChooserWindow(QWidget* parent = nullptr, std::optional<int> lastChosen = std::nullopt);

    // Opens the window modally over `parent`; the chosen account, or nothing. Remembers the choice
    // for the next opening while the program runs.
    static std::optional<QString> chooseAccount(QWidget* parent);

    // The account chosen by "确定" (empty until then), and its chart index.
    std::optional<QString> chosenAccount() const { return m_chosen; }
    std::optional<int> chosenIndex() const { return m_chosenIndex; }
    QTreeWidget* tree() const { return m_tree; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillTree();
    void expandTo(int chartIndex);
    void typeToFind(const QString& typed);
    void accept() override;

    QTreeWidget* m_tree = nullptr;
    std::vector<QTreeWidgetItem*> m_items; // by chart index
    std::optional<QString> m_chosen;
    std::optional<int> m_chosenIndex;
    QString m_typed;
    QElapsedTimer m_sinceTyped;
};

} // namespace entry
