#include "app/Startup.h"

#include "app/BankStart.h"
#include "app/FirstPaint.h"
#include "app/MainWindow.h"
#include "app/MainWindowDeclaration.h"
#include "app/QuitSignals.h"
#include "app/SingleInstance.h"
#include "app/StartupTrace.h"
#include "app/UserBank.h"
#include "app/WorkWindows.h"
#include "exam/ExamLauncher.h"
#include "ui/Fonts.h"
#include "ui/MessageBox.h"
#include "ui/Pictures.h"
#include "ui/ProgramFiles.h"
#include "ui/WindowBuilder.h"

#include <QApplication>
#include <QDir>
#include <QScopeGuard>
#include <QThread>

#include <unistd.h>

namespace app {
namespace {

// The window the candidate works in: the modal practice or exam window when one is open.
void bringToFront(MainWindow& window) {
    QWidget* front = QApplication::activeModalWidget();
    for (QWidget* shown : {static_cast<QWidget*>(&window), front}) {
        if (!shown) continue;
        if (shown->isMinimized()) shown->showNormal();
        shown->raise();
        shown->activateWindow();
    }
}

} // namespace

int runProgram(int& argc, char** argv, const std::function<void(MainWindow&)>& onShown) {
    traceStartupStep("entered");
    // The browser engine refuses to start its sandbox as root; run as root, the document pages
    // would stay blank.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // Qt takes the first thread that asks for its thread data as its main thread: ask here, before
    // the threads below read pictures through QFile.
    QThread::currentThread();
    // The font configuration loads while Qt starts, then the home page's pictures decode while
    // the window is built; the window decodes any it needs before the thread reaches it.
    const QStringList pictures =
        ui::claimPictures(ui::declaredPictures(mainWindowDeclaration(), mainWindowPage(pages::Home)));
    ui::prepareFontsInBackground([pictures] { ui::decodeClaimedPictures(pictures); });
    // Names the per-user data directory, whichever binary runs the program.
    QCoreApplication::setApplicationName(kProgramName);
    QApplication application(argc, argv);
    // The font thread is done with Qt before the application goes, whichever way the run ends.
    const auto fontsDone = qScopeGuard(ui::finishFontLoading);
    traceStartupStep("application");
    QGuiApplication::setDesktopFileName(kDesktopFileName);
    if (const common::Outcome<> entered = ui::enterProgramDirectory(); !entered)
        qWarning("%s", qPrintable(entered.reason()));
    const QString shippedBank = QDir(ui::dataDirectory()).filePath(UserBank::kFileName);
    const QString bankPath = UserBank::choosePath(ui::programDirectory(), UserBank::userDirectory());
    SingleInstance instance(bankPath);
    const SingleInstance::Claim claim = instance.claim();
    traceStartupStep("single instance");
    if (claim == SingleInstance::Claim::Raised) return 0;
    ui::installFonts();
    traceStartupStep("fonts");
    if (claim == SingleInstance::Claim::Unreachable) {
        ui::showMessage(nullptr, kAlreadyRunning);
        return 0;
    }
    QuitSignals quitSignals;
    MainWindow window(ui::dataDirectory());
    traceStartupStep("main window");
    ui::showDeclared(&window, mainWindowDeclaration());
    traceStartupStep("shown");
    QObject::connect(&instance, &SingleInstance::raiseRequested, &window,
                     [&window] { bringToFront(window); });
    // Only the copy that holds the bank makes or replaces it. That and the check begin once the
    // window is painted; a request over the bank waits for them, or makes them if they have not begun.
    auto* bank = new BankPreparation(shippedBank, bankPath, instance.holdsBank(), &window);
    exam::ExamLauncher* exams =
        connectWorkWindows(window, bankPath, [bank] { return bank->result().usable; });
    // Told once, over the main window, which stays usable for the two documents: what is wrong with
    // the bank, or what was done to it unasked. An exam that an interruption cut short waits for a
    // usable bank.
    QObject::connect(bank, &BankPreparation::prepared, &window, [&window, exams, bank] {
        const StartingBank& found = bank->result();
        traceStartupStep("bank");
        if (!found.usable) return ui::showMessage(&window, found.usable.reason());
        if (!found.notice.isEmpty()) ui::showMessage(&window, found.notice);
        exams->offerInterruptedExam();
    });
    afterFirstPaint(&window, [bank] { bank->start(); });
    if (onShown) onShown(window);
    return QApplication::exec();
}

} // namespace app
