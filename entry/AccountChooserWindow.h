#pragma once

// The chart-of-accounts chooser "会计科目": a modal window with the fixed chart as a tree. "确定"
// on an account or a sub-account hands back the text a journal line carries for it; on the root
// or a category it does nothing and the window stays open. "取消", the close box and Esc choose
// nothing.

#include <QDialog>

#include <optional>

class QTreeWidget;
class QTreeWidgetItem;

namespace entry {

class AccountChooserWindow final : public QDialog {
    Q_OBJECT
public:
    explicit AccountChooserWindow(QWidget* parent = nullptr);

    // Opens the window modally over `parent`; the chosen account, or nothing.
    static std::optional<QString> chooseAccount(QWidget* parent);

    // The account chosen by "确定" (empty until then).
    std::optional<QString> chosenAccount() const { return m_chosen; }
    QTreeWidget* tree() const { return m_tree; }

private:
    void fillTree();
    void accept() override;

    QTreeWidget* m_tree = nullptr;
    std::optional<QString> m_chosen;
};

} // namespace entry
