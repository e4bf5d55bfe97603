// The program itself, started exactly as `velmora` starts, reporting MainWindow's first paint.

#include "StartupProbe.h"

#include "app/MainWindow.h"
#include "app/Startup.h"
#include "app/StartupTrace.h"

int main(int argc, char** argv) {
    return app::runProgram(argc, argv, [](app::MainWindow& window) {
        app::traceStartupStep("on shown");
        new FirstPaintReporter(&window);
    });
}
