#include "app/TourParts.h"

#include "app/StudyPage.h"
#include "app/WorkWindows.h"
#include "exam/ExamWindow.h"
#include "study/StudyRecord.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace app {

bool tourStudyRecord(QWidget* mainWindow, StudyPage* page, const Shoot& shoot, const Settle& settle) {
    const QString path = study::StudyRecord::defaultPath();
    const QList<study::ExamHistoryEntry> history = study::StudyRecord(path).examHistory();
    if (history.isEmpty()) return false;
    exam::ExamWindow* review = openPastReview(mainWindow, path, history.last().id);
    if (!review) return false;
    review->showNormal();
    review->resize(1024, 740);
    review->showQuestion(2);
    settle(300);
    bool ok = shoot(review, u"study-0-review"_s);
    review->setOnlyWrong(true);
    settle(200);
    ok = shoot(review, u"study-1-only-wrong"_s) && ok;
    review->close();
    settle(100);

    // The question 导入学习记录 asks, over the tour's own record exported; then cancelled.
    const QTemporaryDir scratch;
    const QString backup = scratch.filePath(u"学习记录.sqlite"_s);
    if (!study::StudyRecord(path).exportTo(backup)) return false;
    bool asked = false;
    QTimer::singleShot(300, [&shoot, &asked] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        asked = box && shoot(box, u"study-2-import"_s);
        if (box) box->button(QMessageBox::Cancel)->click();
    });
    page->importFrom(backup);
    return asked && ok;
}

} // namespace app
