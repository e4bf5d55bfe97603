#include "Startup.h"

#include "ExamLauncher.h"
#include "Fonts.h"
#include "MainWindow.h"
#include "MainWindowDeclaration.h"
#include "Pictures.h"
#include "PracticeWindow.h"
#include "ProgramFiles.h"
#include "WindowBuilder.h"

#include <QApplication>
#include <QThread>

#include <unistd.h>

namespace app {

int runProgram(int& argc, char** argv, const std::function<void(MainWindow&)>& onShown) {
    // The browser engine refuses to start its sandbox as root; run as root, the document pages
    // would stay blank.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // Qt takes the first thread that asks for its thread data as its main thread: ask here, before
    // the threads below read pictures through QFile.
    QThread::currentThread();
    // The font configuration and the home page's pictures load while Qt starts.
    ui::prepareFontsInBackground();
    ui::preloadPictures(ui::declaredPictures(mainWindowDeclaration(), mainWindowPage(0)));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    if (!ui::enterProgramDirectory()) qWarning("cannot enter the program's directory");
    ui::installFonts();

    MainWindow window(ui::programDirectory());
    ui::showDeclared(&window, mainWindowDeclaration());
    QObject::connect(&window, &MainWindow::practiceRequested, &window,
                     [&window](QuestionType type) { practice::PracticeWindow::open(type, &window); });
    auto* exams = new exam::ExamLauncher(&window);
    QObject::connect(&window, &MainWindow::examRequested, exams, &exam::ExamLauncher::enterExam);
    if (onShown) onShown(window);
    return QApplication::exec();
}

} // namespace app
