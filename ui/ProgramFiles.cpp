#include "ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>

namespace ui {

QString programDirectory() {
    return QCoreApplication::applicationDirPath();
}

QString programFile(const QString& writtenName) {
    QString name = writtenName;
    name.replace(u'\\', u'/');
    while (name.startsWith(u'/'))
        name.remove(0, 1);
    return QDir::toNativeSeparators(programDirectory() + u'/' + name);
}

bool enterProgramDirectory() {
    return QDir::setCurrent(programDirectory());
}

} // namespace ui
