// A mock exam in a process of its own, for the tests of what interrupts it: the test sends the
// signals and kills. Every line it prints is flushed at once.
//
//   exam_session_driver MODE BANK STUDY
//
// answer     opens paper 3, answers question 1 with B two seconds in, says "answered", then waits
// timeup     the same on a clock 720 times as fast; says "box-up TEXT" while the time-up box is up
// answering  answers question after question until a signal ends it; says "answered N" each time
// resume     offers the interrupted exam as the program's start does, boxes answered Yes (resume)
// handin     the same, boxes answered No (hand in as it stands)
// The last two say "offered TEXT" for each box, then "exam REMAINING_MS XXDA_OF_1 SUBMITTED" and quit.

#include "app/QuitSignals.h"
#include "exam/BankPaperStore.h"
#include "exam/ExamLauncher.h"
#include "exam/ExamNames.h"
#include "exam/ExamWindow.h"
#include "ui/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;
namespace names = exam::names;

namespace {

constexpr int kPaper = 3;

void say(const QString& line) {
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

void clickOption(exam::ExamWindow& window, const QString& name) {
    QWidget* option = window.controls().widget(name);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}

exam::Countdown::Clock fastClock() {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return timer->elapsed() * 720; };
}

exam::ExamWindow* openExam(QWidget* main, const QString& bank, const QString& study,
                           exam::Countdown::Clock clock) {
    auto* window = new exam::ExamWindow(exam::bankPaperStore(bank, kPaper), std::move(clock), main);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setStudyRecordPath(study);
    window->show();
    return window;
}

void sayWhenABoxIsUp(QObject* owner) {
    auto* poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, owner, [poll] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            say(u"box-up "_s + box->text());
            poll->stop();
        }
    });
    poll->start(20);
}

void answerOnAndOn(exam::ExamWindow* window) {
    auto* next = new QTimer(window);
    auto count = std::make_shared<int>(0);
    QObject::connect(next, &QTimer::timeout, window, [window, count] {
        const int id = 1 + *count % 20;
        window->showQuestion(id);
        clickOption(*window, names::singleOption(1 + *count % 4));
        say(u"answered %1"_s.arg(++*count));
    });
    next->start(0);
}

int offer(QWidget* main, const QString& bank, const QString& study, ui::Answer answer) {
    ui::ScopedMessageAnswers boxes(answer);
    exam::ExamLauncher launcher(main, exam::ExamLauncher::bankStores(bank));
    launcher.setStudyRecordPath(study);
    launcher.offerInterruptedExam();
    for (const QString& text : boxes.texts())
        say(u"offered "_s + QString(text).replace(u'\n', u' '));
    exam::ExamWindow* window = launcher.examWindow();
    if (!window) {
        say(u"no-exam"_s);
        return 0;
    }
    const common::Outcome<bank::QuestionRecord> first = window->store().readQuestion(1);
    say(u"exam %1 %2 %3"_s.arg(window->countdown().remaining())
            .arg(first ? first->xxda : u"?"_s)
            .arg(window->isSubmitted() ? 1 : 0));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 4) return 2;
    const QString mode = args[1], bank = args[2], study = args[3];
    app::QuitSignals quitSignals;
    QWidget main;
    main.show();
    if (mode == u"resume"_s) return offer(&main, bank, study, ui::Answer::Yes);
    if (mode == u"handin"_s) return offer(&main, bank, study, ui::Answer::No);
    const bool fast = mode == u"timeup"_s;
    exam::ExamWindow* window =
        openExam(&main, bank, study, fast ? fastClock() : exam::Countdown::steadyClock());
    if (mode == u"answering"_s) {
        answerOnAndOn(window);
    } else if (fast) {
        clickOption(*window, names::singleOption(2));
        say(u"answered"_s);
        sayWhenABoxIsUp(&main);
    } else {
        QTimer::singleShot(2000, window, [window] {
            clickOption(*window, names::singleOption(2));
            say(u"answered"_s);
        });
    }
    const int code = QApplication::exec();
    say(u"quit"_s);
    return code;
}
