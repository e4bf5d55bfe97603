// Prints how long the exam window takes to open on a paper of the built bank, to its first
// question painted, and to move between questions (each move painted before the clock stops).
// Usage: exam_bench [BANK] — by default qvtb.mdb beside the program, worked on a temporary copy.

#include "bank/QuestionBank.h"
#include "exam/BankPaperStore.h"
#include "exam/ExamWindow.h"
#include "ui/Fonts.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using bank::QuestionBank;
using bank::QuestionRecord;

namespace {

struct Figures {
    double min = 0;
    double median = 0;
    double max = 0;
};

Figures figuresOf(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return {samples.front(), samples[samples.size() / 2], samples.back()};
}

double openOnce(const QString& bank, int paper) {
    QElapsedTimer clock;
    clock.start();
    exam::ExamWindow window(exam::bankPaperStore(bank, paper));
    window.resize(1024, 740);
    window.show();
    window.repaint();
    const double elapsed = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    window.close();
    return elapsed;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ui::installFonts();
    // Closing an exam not handed in asks first; the benchmark closes each one anyway.
    ui::ScopedMessageAnswers closeAnyway(ui::Answer::Yes);
    const QString source = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QuestionBank::defaultPath();
    QTemporaryDir folder;
    const QString bank = folder.filePath(QStringLiteral("qvtb.mdb"));
    if (!folder.isValid() || !QFile::copy(source, bank)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(source));
        return 1;
    }
    {
        const common::Outcome<QList<QuestionRecord>> paper = exam::bankPaperStore(bank, 1)->readAll();
        if (!paper) {
            std::fprintf(stderr, "cannot read tm1: %s\n", qPrintable(paper.reason()));
            return 1;
        }
    }

    // The first opening also loads the fonts and decodes the pictures that later ones reuse.
    std::printf("first open of ExamWindow to question 1 painted: %.1f ms\n", openOnce(bank, 1));
    std::vector<double> opens;
    for (int paper = 1; paper <= 20; ++paper)
        opens.push_back(openOnce(bank, paper));
    const Figures open = figuresOf(opens);
    std::printf(
        "open ExamWindow to question 1 painted (20 papers): min %.1f ms, median %.1f ms, max %.1f ms\n",
        open.min, open.median, open.max);

    exam::ExamWindow window(exam::bankPaperStore(bank, 5));
    window.resize(1024, 740);
    window.show();
    window.repaint();
    std::vector<double> moves;
    QElapsedTimer clock;
    // Forwards through every question, then jumps across the sections both ways.
    std::vector<int> route;
    for (int id = 2; id <= 62; ++id)
        route.push_back(id);
    for (int id : {1, 62, 20, 21, 40, 41, 60, 61, 1})
        route.push_back(id);
    for (int id : route) {
        clock.start();
        window.showQuestion(id);
        window.repaint();
        moves.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    const Figures move = figuresOf(moves);
    const auto slowest = std::max_element(moves.begin(), moves.end()) - moves.begin();
    std::printf("move to a question, painted (%zu moves): min %.2f ms, median %.2f ms, max %.2f ms (to "
                "question %d)\n",
                moves.size(), move.min, move.median, move.max, route[static_cast<std::size_t>(slowest)]);
    window.close();
    return 0;
}
