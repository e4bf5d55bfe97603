#include "ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>

namespace ui {

QString programDirectory() {
    return QCoreApplication::applicationDirPath();
}

QString fileIn(const QString& directory, const QString& writtenName) {
    QString name = writtenName;
    name.replace(u'\\', u'/');
    while (name.startsWith(u'/'))
        name.remove(0, 1);
    return QDir::toNativeSeparators(QDir::fromNativeSeparators(directory) + u'/' + name);
}

QString programFile(const QString& writtenName) {
    return fileIn(programDirectory(), writtenName);
}

bool enterProgramDirectory() {
    return QDir::setCurrent(programDirectory());
}

} // namespace ui
