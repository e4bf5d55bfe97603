// Opens every window it can and writes a PNG of each into the folder given as its argument:
// MainWindow on each of its five pages, the practice window on each of its answer pages and the four
// answer windows, the exam window, and a past attempt's review with the import question. It answers in a copy
// of the shipped bank, made in a temporary folder, so the shipped bank stays as built. Exits 0 when every
// picture was written.

#include "app/MainWindow.h"
#include "app/MainWindowDeclaration.h"
#include "app/TourParts.h"
#include "ui/Fonts.h"
#include "ui/HtmlViewer.h"
#include "ui/ProgramFiles.h"

#include "app/BookSchedule.h"
#include "study/StudyRecord.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Lets queued paints and loads run for a while.
void settle(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Waits until the viewer has finished loading its document, or gives up after `timeout`.
void awaitDocument(ui::HtmlViewer* viewer, int timeout) {
    if (!viewer->browser()) return; // no document: the page shows an empty viewer
    QEventLoop loop;
    QObject::connect(viewer, &ui::HtmlViewer::loadFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    loop.exec();
    settle(500); // the browser paints after it reports the load
}

bool shoot(QWidget* window, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name + u".png"_s);
    const bool written = window->grab().save(path);
    std::fprintf(stderr, "%s %s\n", written ? "wrote" : "FAILED to write",
                 qPrintable(QDir::toNativeSeparators(path)));
    return written;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora-tour FOLDER\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(u"."_s)) return 1;
    ui::installFonts();
    // The tour's answers and hand-in go to a study record of its own (Qt's test location), started
    // empty, never to the user's.
    QStandardPaths::setTestModeEnabled(true);
    for (const QString& suffix : {QString(), u"-wal"_s, u"-shm"_s})
        QFile::remove(study::StudyRecord::defaultPath() + suffix);
    QTemporaryDir scratch;
    const QString bank = scratch.filePath(u"qvtb.mdb"_s);
    if (!scratch.isValid() || !QFile::copy(QDir(ui::dataDirectory()).filePath(u"qvtb.mdb"_s), bank)) {
        std::fprintf(stderr, "cannot copy the bank into a temporary folder\n");
        return 1;
    }

    app::MainWindow window(ui::dataDirectory());
    ui::showDeclared(&window, app::mainWindowDeclaration());
    settle(300);
    bool ok = true;
    const char* pageNames[] = {"home", "syllabus", "handbook", "practice", "exam"};
    // Every page but the 学习记录 page, which the tour shows last.
    for (int index = 0; index < app::pages::StudyRecord; ++index) {
        const auto page = static_cast<app::pages::Page>(index);
        window.showPage(page);
        if (page == app::pages::Syllabus)
            awaitDocument(window.controls().get<ui::HtmlViewer>(app::names::kSyllabusViewer), 15000);
        if (page == app::pages::Handbook)
            awaitDocument(window.controls().get<ui::HtmlViewer>(app::names::kHandbookViewer), 15000);
        settle(200);
        ok =
            shoot(&window, folder, u"main-%1-%2"_s.arg(index).arg(QLatin1StringView(pageNames[index]))) && ok;
    }
    ok = app::tourPractice(
             &window, bank, [&folder](QWidget* w, const QString& name) { return shoot(w, folder, name); },
             settle) &&
         ok;
    ok = app::tourExam(
             &window, bank, [&folder](QWidget* w, const QString& name) { return shoot(w, folder, name); },
             settle) &&
         ok;
    ok = app::tourSearchAndMarks(
             &window, bank, [&folder](QWidget* w, const QString& name) { return shoot(w, folder, name); },
             settle) &&
         ok;
    // The 学习记录 page last, with the answers and the hand-in of the tour.
    window.showPage(app::pages::StudyRecord);
    settle(200);
    ok = shoot(&window, folder, u"main-5-study"_s) && ok;
    // When each question in the book is next due.
    if (const std::unique_ptr<QDialog> schedule =
            app::bookScheduleDialog(&window, bank, study::StudyRecord::defaultPath())) {
        schedule->show();
        settle(200);
        ok = shoot(schedule.get(), folder, u"study-schedule"_s) && ok;
    } else {
        ok = false;
    }
    ok = app::tourStudyRecord(
             &window, window.studyPage(),
             [&folder](QWidget* w, const QString& name) { return shoot(w, folder, name); }, settle) &&
         ok;
    return ok ? 0 : 1;
}
