#include "ui/KeysWindow.h"

#include "ui/Keys.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ui {
namespace {

QTableWidget* tableOf(const keys::WindowKeys& window, QWidget* parent) {
    auto* table = new QTableWidget(static_cast<int>(window.keys.size()), 2, parent);
    table->setObjectName(window.window);
    table->setAccessibleName(window.window + u"的快捷键"_s);
    table->setHorizontalHeaderLabels({u"按键"_s, u"作用"_s});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The arrows move in a table; Tab goes on to the next one.
    table->setTabKeyNavigation(false);
    for (int row = 0; row < window.keys.size(); ++row) {
        table->setItem(row, 0, new QTableWidgetItem(window.keys[row].keys));
        table->setItem(row, 1, new QTableWidgetItem(window.keys[row].action));
    }
    table->resizeColumnToContents(0);
    table->horizontalHeader()->setStretchLastSection(true);
    // Each table shows all its rows; the page scrolls, not the tables.
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setFixedHeight(table->horizontalHeader()->height() + table->verticalHeader()->length() + 4);
    return table;
}

} // namespace

KeysWindow::KeysWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(kName);
    setWindowTitle(kName);
    setAccessibleName(kName);
    resize(560, 600);
    auto* page = new QWidget;
    auto* tables = new QVBoxLayout(page);
    for (const keys::WindowKeys& window : keys::everyWindowsKeys()) {
        auto* title = new QLabel(window.window, page);
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        tables->addWidget(title);
        tables->addWidget(tableOf(window, page));
    }
    tables->addStretch();
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    (new QVBoxLayout(this))->addWidget(scroll);
}

void KeysWindow::installOn(QWidget* window) {
    auto* shortcut = new QShortcut(keys::kKeysList, window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, [window] { showOver(window); });
}

KeysWindow* KeysWindow::showOver(QWidget* window) {
    auto* list = new KeysWindow(window);
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->setWindowModality(Qt::WindowModal);
    list->show();
    list->activateWindow();
    return list;
}

} // namespace ui
