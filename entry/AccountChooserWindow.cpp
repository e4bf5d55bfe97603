#include "entry/AccountChooserWindow.h"

#include "bank/ChartOfAccounts.h"
#include "entry/AccountSearch.h"
#include "ui/ModalChild.h"
#include "ui/Palette.h"
#include "ui/PictureButton.h"
#include "ui/Pictures.h"
#include "ui/WindowBuilder.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QStyleFactory>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

using bank::AccountItem;
using bank::chartOfAccounts;
using bank::journalAccountText;
using ui::Kind;

namespace entry {
namespace {

const QString kTreeName = u"树型框1"_s;
const QString kCancelName = u"超级按钮2"_s;
const QString kOkName = u"超级按钮1"_s;
constexpr int kIndexRole = Qt::UserRole;

const ui::WindowDeclaration& windowDeclaration() {
    static const ui::WindowDeclaration window{
        .title = u"会计科目"_s, .outerSize = {332, 401}, .taskbar = false};
    return window;
}

// The two raised buttons under the tree, a picture beside the caption.
ui::Control button(const QString& name, int left, const QString& caption, const QString& picture) {
    return {.name = name,
            .kind = Kind::PictureButton,
            .rect = {left, 344, 64, 24},
            .text = caption,
            .picture = picture,
            .transparentCorner = true,
            .look = {.style = ui::ButtonStyle::Raised}};
}

const ui::Declaration& controls() {
    static const ui::Declaration declared{
        {.name = kTreeName,
         .kind = Kind::Tree,
         .rect = {8, 8, 312, 328},
         .foreground = ui::palette::kBlack,
         .background = ui::palette::kWhite,
         .accessibleName = u"会计科目"_s, // the window's title: the tree is all it holds
         .border = ui::Border::Sunken},
        button(kCancelName, 80, u"取消"_s, u":/pictures/button_cross.bmp"_s),
        button(kOkName, 208, u"确定"_s, u":/pictures/button_tick.bmp"_s),
    };
    return declared;
}

QIcon treeIcon(const QString& path) {
    return QIcon(QPixmap::fromImage(ui::withTransparentCorner(ui::loadPicture(path))));
}

} // namespace

AccountChooserWindow::AccountChooserWindow(QWidget* parent, std::optional<int> lastChosen) : QDialog(parent) {
    setObjectName(u"AccountChooserWindow"_s);
    const ui::Built built = ui::buildWindow(this, windowDeclaration(), controls());
    m_tree = built.get<QTreeWidget>(kTreeName);
    fillTree();
    if (lastChosen) expandTo(*lastChosen);
    m_tree->installEventFilter(this);
    // Accounts only: a double-click on the root or a category opens or closes it as usual.
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });
    connect(built.get<ui::PictureButton>(kOkName), &QAbstractButton::clicked, this,
            &AccountChooserWindow::accept);
    connect(built.get<ui::PictureButton>(kCancelName), &QAbstractButton::clicked, this,
            &AccountChooserWindow::reject);
}

std::optional<QString> AccountChooserWindow::chooseAccount(QWidget* parent) {
    static std::optional<int> lastChosen; // for this run of the program
    AccountChooserWindow window(parent, lastChosen);
    ui::makeModalChild(&window, parent, Qt::ApplicationModal);
    ui::showDeclared(&window, windowDeclaration());
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    lastChosen = window.chosenIndex();
    return window.chosenAccount();
}

// The root shows no picture and is bold, expanded and selected; categories show a folder and
// start collapsed; accounts and sub-accounts show a page.
void AccountChooserWindow::fillTree() {
    // The classic style draws the dotted lines that connect the items; without it, lines are lost.
    if (QStyle* classic = QStyleFactory::create(u"Windows"_s)) {
        classic->setParent(m_tree);
        m_tree->setStyle(classic);
    }
    m_tree->setRootIsDecorated(false);
    m_tree->setIconSize(QSize(16, 15));
    const QIcon page = treeIcon(u":/pictures/tree_page.bmp"_s);
    const QIcon folder = treeIcon(u":/pictures/tree_folder.bmp"_s);
    const std::vector<AccountItem>& chart = chartOfAccounts();
    std::vector<QTreeWidgetItem*>& items = m_items;
    items.reserve(chart.size());
    for (size_t i = 0; i < chart.size(); ++i) {
        const AccountItem& account = chart[i];
        auto* item =
            account.parent < 0 ? new QTreeWidgetItem(m_tree) : new QTreeWidgetItem(items[account.parent]);
        item->setText(0, account.text);
        item->setData(0, kIndexRole, static_cast<int>(i));
        if (account.level == 2) item->setIcon(0, folder);
        if (account.level >= 3) item->setIcon(0, page);
        items.push_back(item);
    }
    QTreeWidgetItem* root = m_tree->topLevelItem(0);
    QFont bold = root->font(0);
    bold.setBold(true);
    root->setFont(0, bold);
    root->setExpanded(true);
    m_tree->setCurrentItem(root);
}

// Opens the category (and, for a sub-account, the account) above an item of the chart.
void AccountChooserWindow::expandTo(int chartIndex) {
    if (chartIndex < 0 || chartIndex >= static_cast<int>(m_items.size())) return;
    for (QTreeWidgetItem* above = m_items[chartIndex]->parent(); above; above = above->parent())
        above->setExpanded(true);
}

bool AccountChooserWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_tree) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::InputMethod) {
        const QString committed = static_cast<QInputMethodEvent*>(event)->commitString();
        if (committed.trimmed().isEmpty()) return false;
        typeToFind(committed);
        return true;
    }
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        QTreeWidgetItem* item = m_tree->currentItem();
        if (item && !journalAccountText(item->data(0, kIndexRole).toInt()))
            item->setExpanded(!item->isExpanded());
        else
            accept();
        return true;
    }
    const bool plainText = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plainText && !key->text().trimmed().isEmpty() && key->text().at(0).isPrint()) {
        typeToFind(key->text());
        return true;
    }
    return false;
}

// Keys typed in quick succession spell one name; after a pause the search starts afresh from the
// item after the current one, so typing the same start again steps through its accounts.
void AccountChooserWindow::typeToFind(const QString& typed) {
    const bool continued =
        m_sinceTyped.isValid() && m_sinceTyped.elapsed() < QApplication::keyboardInputInterval();
    m_typed = continued ? m_typed + typed : typed;
    m_sinceTyped.start();
    const QTreeWidgetItem* current = m_tree->currentItem();
    const int at = current ? current->data(0, kIndexRole).toInt() : 0;
    const std::optional<int> found = findAccount(m_typed, continued ? at : at + 1);
    if (!found) return;
    expandTo(*found);
    m_tree->setCurrentItem(m_items[*found]);
    m_tree->scrollToItem(m_items[*found]);
}

void AccountChooserWindow::accept() {
    const QTreeWidgetItem* item = m_tree->currentItem();
    if (!item) return;
    const int index = item->data(0, kIndexRole).toInt();
    const std::optional<QString> text = journalAccountText(index);
    if (!text) return; // the root or a category: not an account, the window stays open
    m_chosen = text;
    m_chosenIndex = index;
    QDialog::accept();
}

} // namespace entry
