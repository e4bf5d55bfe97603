// The yardstick: a bare Qt window of MainWindow's client size, reporting its first paint.

#include "StartupProbe.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(944, 627);
    new FirstPaintReporter(&window);
    window.show();
    return QApplication::exec();
}
