// Prints how long the journal-entry page takes to build (all its controls and the grid's
// behaviour) and how long the chart-of-accounts chooser takes to open (built, filled, shown).

#include "entry/AccountChooserWindow.h"
#include "entry/CalcDeclaration.h"
#include "entry/CalcPages.h"
#include "entry/JournalGrid.h"
#include "ui/Fonts.h"
#include "ui/TabControl.h"
#include "ui/WindowBuilder.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRuns = 30;

// Milliseconds of each run of `work`; the first run includes loading the pictures.
std::vector<double> measure(const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        QCoreApplication::processEvents();
    }
    return times;
}

void report(const char* what, std::vector<double> times) {
    const double first = times.front();
    std::sort(times.begin(), times.end());
    std::printf("%-34s first %7.2f ms   median %7.2f ms   max %7.2f ms   (%d runs)\n", what, first,
                times[times.size() / 2], times.back(), kRuns);
}

// What the running program has done before either is opened: the main window has drawn Chinese
// text in the default face and a few standard controls.
void warmUp() {
    QWidget window;
    auto* label = new QLabel(u"会计科目:"_s, &window);
    new QLineEdit(u"银行存款"_s, &window);
    new QComboBox(&window);
    label->setFont(ui::fontFor({.pixels = 15}));
    window.show();
    window.grab();
}

void buildJournalPage() {
    QWidget window;
    auto* tabs = new ui::TabControl(&window);
    tabs->setPages({u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}, ui::TabStrip::Top, 20);
    tabs->setGeometry(8, 324, 936, 284);
    QWidget* page = tabs->page(entry::kJournalPageIndex);
    const ui::Built built = ui::buildControls(page, entry::journalPageDeclaration());
    new entry::JournalGrid(page, built);
}

void openChooser() {
    entry::AccountChooserWindow window;
    window.show();
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ui::installFonts();
    warmUp();
    const int controls = static_cast<int>(entry::journalPageDeclaration().size());
    std::printf("journal page: %d controls\n", controls);
    report("journal page built", measure(buildJournalPage));
    report("account chooser opened", measure(openChooser));
    return 0;
}
