#include "app/TourParts.h"

#include "exam/ExamLauncher.h"
#include "exam/ExamNames.h"
#include "exam/ExamNoticeWindow.h"
#include "exam/ExamWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace app {
namespace {

void click(exam::ExamWindow* window, const QString& name) {
    window->controls().get<QAbstractButton>(name)->click();
}

// Shows a question and picks its first option the way a candidate would.
void answerFirstOption(exam::ExamWindow* window, int id, const QString& option) {
    window->showQuestion(id);
    auto* button = window->controls().get<QAbstractButton>(option);
    Q_EMIT button->pressed(); // single choices count on the button going down
    button->click();
}

// Pictures the result box once it is up, then dismisses it.
void shootResultWhenShown(const Shoot& shoot, bool* ok) {
    QTimer::singleShot(300, [shoot, ok] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        *ok = box && shoot(box, u"exam-6-result"_s);
        if (box) box->accept();
    });
}

bool tourWindow(exam::ExamWindow* window, const Shoot& shoot, const Settle& settle) {
    using namespace exam::names;
    bool ok = true;
    const auto picture = [&](const QString& name) {
        settle(200);
        ok = shoot(window, name) && ok;
    };
    answerFirstOption(window, 1, singleOption(2));
    answerFirstOption(window, 2, singleOption(1));
    window->showQuestion(3);
    window->toggleFlag();
    answerFirstOption(window, 4, singleOption(3));
    window->toggleFlag();
    window->showQuestion(5);
    picture(u"exam-1-single"_s);
    answerFirstOption(window, 21, multipleOption(1));
    answerFirstOption(window, 21, multipleOption(3));
    picture(u"exam-2-multiple"_s);
    answerFirstOption(window, 41, kTrue);
    picture(u"exam-3-truefalse"_s);
    window->showQuestion(61);
    picture(u"exam-4-amounts"_s);
    window->showQuestion(62);
    picture(u"exam-5-journal"_s);

    window->showQuestion(2);
    bool resultShot = false;
    // 是 to the question 交卷 asks, as the candidate gives it; then the result.
    QTimer::singleShot(300, [&shoot, &resultShot] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Yes)->click();
        shootResultWhenShown(shoot, &resultShot);
    });
    click(window, kSubmit);
    ok = resultShot && ok;
    window->showQuestion(1);
    click(window, kAnswerButton);
    settle(200);
    if (QWidget* review = window->reviewWindow()) {
        ok = shoot(review, u"exam-7-review"_s) && ok;
        review->close();
    } else {
        ok = false;
    }
    picture(u"exam-8-submitted"_s);
    window->resize(1920, 1050);
    picture(u"exam-9-1920"_s);
    return ok;
}

} // namespace

bool tourExam(QWidget* mainWindow, const QString& bankPath, const Shoot& shoot, const Settle& settle) {
    exam::ExamLauncher launcher(mainWindow, exam::ExamLauncher::bankStores(bankPath));
    launcher.enterExam(3);
    exam::ExamNoticeWindow* notice = launcher.notice();
    if (!notice) return false;
    // The headless screen is smaller than any the program runs on; picture common screen sizes.
    notice->showNormal();
    notice->resize(1280, 800);
    settle(300);
    bool ok = shoot(notice, u"exam-0-notice"_s);
    notice->controls().get<QAbstractButton>(exam::names::kEnter)->click();
    exam::ExamWindow* window = launcher.examWindow();
    if (!window) return false;
    window->showNormal();
    window->resize(1024, 740);
    settle(1300); // the countdown has taken its first step
    ok = tourWindow(window, shoot, settle) && ok;
    window->close();
    settle(100);
    return ok;
}

} // namespace app
