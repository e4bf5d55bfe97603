// The 学习记录 page over a record of several weeks (10,000 practice answers, 200 mock exams):
// from asking for the page to its figures painted. With a directory as argument it also writes
// PNGs of the page empty and full, and of the practice window over the wrong-answer book of the
// bank beside the program.

#include "app/MainWindow.h"
#include "app/StudyPage.h"
#include "bank/QuestionBank.h"
#include "practice/CurrentQuestion.h"
#include "practice/PracticeWindow.h"
#include "practice/PracticeWindowDeclaration.h"
#include "study/StudyRecord.h"
#include "ui/Fonts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

using bank::allQuestionTypes;
using bank::practiceTable;
using bank::QuestionBank;
using bank::QuestionType;
using bank::typePoints;

namespace {

// A candidate's record after most of a year: 50,000 answers over 300 days.
constexpr int kAnswers = 50000;
constexpr int kDays = 300;

const QStringList kChapters = {u"第一章 总论"_s,
                               u"第二章 会计要素与会计等式"_s,
                               u"第三章 会计科目和借贷记账法"_s,
                               u"第四章 会计凭证"_s,
                               u"第五章 会计账簿"_s,
                               u"第六章 账务处理程序"_s,
                               u"第七章 财产清查"_s,
                               u"第八章 财务报告"_s};

// The texts of a practice table of the bank, so that the wrong-answer book finds its questions.
QStringList questionTexts(const QString& bank, const QString& table) {
    QStringList texts;
    QuestionBank b;
    if (!b.openBank(bank) || !b.selectTable(table)) return texts;
    const common::Outcome<> walked = b.forEachRow([&]() -> common::Outcome<> {
        texts.append(practice::readCurrentQuestion(b).tm);
        return {};
    });
    return walked ? texts : QStringList();
}

// Six weeks of practice with accuracy rising from about half to about four in five, and mock
// exams whose scores rise with it.
void fillWeeks(const QString& path, const QString& bank) {
    QRandomGenerator random(18);
    study::StudyRecord record(path);
    const QDateTime start = QDateTime::currentDateTime().addDays(-kDays);
    QList<QStringList> texts;
    for (QuestionType type : allQuestionTypes)
        texts.append(questionTexts(bank, practiceTable(type)));
    for (int i = 0; i < kAnswers; ++i) {
        const auto type = allQuestionTypes[static_cast<std::size_t>(i % 4)];
        const QStringList& pool = texts[i % 4];
        const int n = (i * 7 / 4) % 400;
        const QString text = pool.isEmpty() ? u"题目 %1"_s.arg(n) : pool[n % pool.size()];
        const double progress = double(i) / kAnswers;
        const bool right = random.bounded(1.0) < 0.5 + 0.3 * progress;
        record.recordAnswer({practiceTable(type), text, kChapters[n % kChapters.size()], type, right,
                             right ? typePoints(type) : 0, start.addSecs(i * kDays * 86400LL / kAnswers)});
    }
    for (int i = 0; i < 200; ++i) {
        study::ExamAttempt attempt;
        attempt.paper = i % 20 + 1;
        attempt.started = start.addSecs(i * kDays * 86400LL / 200);
        attempt.ended = attempt.started.addSecs(1800 + random.bounded(1800));
        attempt.total = std::clamp(48 + i / 6 + static_cast<int>(random.bounded(16)) - 8, 0, 100);
        record.recordExam(attempt);
    }
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ui::installFonts();
    const QString pictures = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QTemporaryDir dir;
    const QString bank = dir.filePath(u"qvtb.mdb"_s);
    QFile::copy(QuestionBank::defaultPath(), bank);
    const QString empty = dir.filePath(u"empty.sqlite"_s);
    const QString weeks = dir.filePath(u"weeks.sqlite"_s);
    QElapsedTimer timer;
    timer.start();
    fillWeeks(weeks, bank);
    std::printf("record of %d answers over %d days and 200 exams written in %.0f ms\n", kAnswers, kDays,
                timer.nsecsElapsed() / 1e6);

    app::MainWindow window(dir.path());
    window.show();
    window.grab();
    std::vector<double> opening;
    for (int i = 0; i < 21; ++i) {
        // Each time a page built anew, as the first showing in a run builds it.
        timer.start();
        app::StudyPage page(weeks);
        page.resize(940, 510);
        page.refresh();
        page.grab();
        opening.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("open the page (build, read, paint)  n=%zu  min %.2f ms  median %.2f ms  max %.2f ms\n",
                opening.size(), *std::min_element(opening.begin(), opening.end()), median(opening),
                *std::max_element(opening.begin(), opening.end()));
    if (pictures.isEmpty()) return 0;

    QDir().mkpath(pictures);
    window.setStudyRecordPath(empty);
    window.showPage(app::pages::StudyRecord);
    window.grab().save(pictures + u"/study_page_empty.png"_s);
    window.setStudyRecordPath(weeks);
    window.showPage(app::pages::StudyRecord);
    window.grab().save(pictures + u"/study_page_weeks.png"_s);
    practice::PracticeWindow* practice =
        practice::PracticeWindow::openWrongAnswers(QuestionType::SingleChoice, &window, bank, weeks);
    if (!practice) return 1;
    QApplication::processEvents();
    practice->grab().save(pictures + u"/practice_wrong_answers.png"_s);
    practice->close();
    return 0;
}
