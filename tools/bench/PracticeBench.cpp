// Practice window figures on the sample bank (a copy of the bank beside the program, or the file
// given as argument): opening the window to the first question painted, and one answer click to its
// score written by the engine (each statement is flushed to disk before it returns).

#include "bank/QuestionBank.h"
#include "practice/CurrentQuestion.h"
#include "practice/PracticeNames.h"
#include "practice/PracticeWindow.h"
#include "study/StudyRecord.h"
#include "ui/Fonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

using bank::QuestionBank;
using bank::QuestionRecord;
using bank::QuestionType;

namespace {

// Notes the first paint of a widget.
class PaintWatch final : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return QObject::eventFilter(watched, event);
    }
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void report(const char* what, const std::vector<double>& ms) {
    std::printf("%-44s n=%3zu  first %7.2f ms  min %7.2f ms  median %7.2f ms  max %7.2f ms\n", what,
                ms.size(), ms.front(), *std::min_element(ms.begin(), ms.end()), median(ms),
                *std::max_element(ms.begin(), ms.end()));
}

// Milliseconds from creating the window to its question text painted.
double openToFirstPaint(const QString& bank) {
    QElapsedTimer timer;
    timer.start();
    practice::PracticeWindow window(QuestionType::SingleChoice, bank);
    PaintWatch watch;
    window.controls()
        .get<QPlainTextEdit>(practice::names::kQuestionText)
        ->viewport()
        ->installEventFilter(&watch);
    ui::showDeclared(&window, practice::practiceWindowDeclaration());
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double ms = timer.nsecsElapsed() / 1e6;
    if (window.question().tm.isEmpty()) std::fprintf(stderr, "warning: no question was shown\n");
    window.close();
    return ms;
}

void press(QWidget* option) {
    const QPointF at(8, 16);
    QMouseEvent event(QEvent::MouseButtonPress, at, option->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(option, &event);
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ui::installFonts();
    // The windows record into the study record: a scratch one, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(study::StudyRecord::defaultPath());
    const QString source = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QuestionBank::defaultPath();
    QTemporaryDir dir;
    const QString bank = dir.filePath(u"qvtb.mdb"_s);
    if (!QFile::copy(source, bank)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(source));
        return 1;
    }

    // The candidate opens the window from the main window, which is already painted: fonts, style
    // and the Chinese glyphs are loaded by then. A painted label stands in for it.
    {
        QLabel mainWindow(u"会计专业技术资格考试 专项练习 Velmora"_s);
        mainWindow.show();
        mainWindow.grab();
    }
    std::vector<double> opening;
    for (int i = 0; i < 20; ++i)
        opening.push_back(openToFirstPaint(bank));
    report("open to first question painted", opening);

    practice::PracticeWindow window(QuestionType::SingleChoice, bank);
    ui::showDeclared(&window, practice::practiceWindowDeclaration());
    QCoreApplication::processEvents();
    std::vector<double> clicks;
    QElapsedTimer timer;
    QString last;
    for (int i = 0; i < 200; ++i) {
        const int option = i % 4;
        timer.start();
        press(window.controls().widget(practice::names::kSingleOptions[option]));
        clicks.push_back(timer.nsecsElapsed() / 1e6);
        last = u"ABCD"_s.mid(option, 1);
        if (i % 40 == 0 && i > 0) window.showNext();
    }
    report("answer click to score written", clicks);

    // Where a click's time goes: the statements it sends, one by one.
    QuestionBank bank2;
    if (!bank2.openBank(bank)) return 1;
    std::vector<double> selects;
    std::vector<double> updates;
    const QString text = window.question().tm;
    for (int i = 0; i < 50; ++i) {
        timer.start();
        if (!bank2.selectTable(u"danxuan"_s)) return 1;
        selects.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        if (!bank2.recordScore(u"danxuan"_s, text, i % 2)) return 1;
        updates.push_back(timer.nsecsElapsed() / 1e6);
    }
    report("  of which: select * from danxuan", selects);
    report("  of which: one update, flushed", updates);

    // The study record's share of a click: an answer to a new question, and one that replaces it.
    study::StudyRecord record(dir.filePath(u"study.sqlite"_s));
    std::vector<double> studyNew;
    std::vector<double> studyReplace;
    for (int i = 0; i < 200; ++i) {
        study::PracticeAnswer answer{
            u"danxuan"_s,       u"题目 %1"_s.arg(i),         {}, QuestionType::SingleChoice, i % 3 == 0,
            i % 3 == 0 ? 1 : 0, QDateTime::currentDateTime()};
        timer.start();
        record.recordAnswer(answer);
        studyNew.push_back(timer.nsecsElapsed() / 1e6);
        answer.right = !answer.right;
        timer.start();
        record.recordAnswer(answer);
        studyReplace.push_back(timer.nsecsElapsed() / 1e6);
    }
    report("  of which: study record, a new question", studyNew);
    report("  of which: study record, the same again", studyReplace);
    if (!bank2.recordScore(u"danxuan"_s, text, last == window.question().da ? 1 : 0)) return 1;

    // The figures count only if the clicks really reached the file: read the last one back.
    QuestionBank check;
    const bool found =
        check.openBank(bank) && check.selectTable(u"danxuan"_s) && check.findQuestion(window.question().id);
    const QuestionRecord stored = found ? practice::readCurrentQuestion(check) : QuestionRecord{};
    std::printf("last answer read back through another connection: %s (expected %s), score %s\n",
                qPrintable(stored.xxda), qPrintable(last), qPrintable(stored.fen));
    return stored.xxda == last ? 0 : 1;
}
