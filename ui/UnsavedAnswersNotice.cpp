#include "ui/UnsavedAnswersNotice.h"

#include "ui/MessageBox.h"

#include "common/BankInUse.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

using namespace Qt::StringLiterals;

namespace ui {
namespace {

// Below this a journal of the changed pages may not fit.
constexpr qint64 kLowSpace = 1024 * 1024;

QString reason(const QString& bankPath, const QString& engineError) {
    if (engineError == common::kBankInUse) return engineError;
    if (!bankPath.isEmpty()) {
        const QFileInfo file(bankPath);
        if (!file.exists()) return u"题库文件已不存在"_s;
        if (!file.isWritable()) return u"题库文件是只读的"_s;
        if (!QFileInfo(file.absolutePath()).isWritable()) return u"题库所在的文件夹不允许写入"_s;
        const QStorageInfo disk(file.absolutePath());
        if (disk.isValid() && disk.isReadOnly()) return u"题库所在的磁盘只允许读取"_s;
        if (disk.isValid() && disk.bytesAvailable() < kLowSpace) return u"磁盘已满"_s;
    }
    return u"写入题库文件时出错（%1）"_s.arg(engineError);
}

} // namespace

QString UnsavedAnswersNotice::text(const QString& bankPath, const QString& engineError) {
    QString text = kLead + u"："_s + reason(bankPath, engineError) + u"。"_s;
    if (!bankPath.isEmpty()) text += u"\n\n题库文件：%1"_s.arg(QDir::toNativeSeparators(bankPath));
    return text + u"\n\n在本窗口中作答不会被记录，也不会计分。"_s;
}

void UnsavedAnswersNotice::tell(QWidget* window, const QString& bankPath, const QString& engineError) {
    if (m_told) return;
    m_told = true;
    showMessage(window, text(bankPath, engineError));
}

} // namespace ui
