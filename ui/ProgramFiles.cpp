#include "ui/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>

namespace ui {
namespace {

// The installed place when it exists, otherwise the program's own directory.
QString installedOrBeside(const QString& fromProgram) {
    const QDir installed(programDirectory() + u'/' + fromProgram);
    return installed.exists() ? installed.canonicalPath() : programDirectory();
}

} // namespace

QString programDirectory() {
    return QCoreApplication::applicationDirPath();
}

QString libraryDirectory() {
    return installedOrBeside(QStringLiteral(VELMORA_LIBRARY_FROM_PROGRAM));
}

QString dataDirectory() {
    return installedOrBeside(QStringLiteral(VELMORA_DATA_FROM_PROGRAM));
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

common::Outcome<> enterProgramDirectory() {
    if (QDir::setCurrent(programDirectory())) return {};
    return common::Failure{QStringLiteral("cannot enter the program's directory ") + programDirectory()};
}

} // namespace ui
