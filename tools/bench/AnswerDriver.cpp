// Works the real practice and exam windows over a bank without a display, for the kill test: opens
// a window, answers questions through its controls, closes it, again and again, until killed.
// Before each change of the bank it prints what it is about to do ("try", "try-clear"), after it
// what the window read back ("ack", "clear"); every line is flushed at once, so a process killed at
// any moment leaves the record of what it had acknowledged.
//
//   velmora-answer-driver BANK SEED [ROUNDS]
//
// Lines, tab-separated: try/ack TABLE ID XXDA FEN; try-clear/clear TABLE; message TEXT.

#include "bank/QuestionType.h"
#include "bank/Scoring.h"
#include "exam/BankPaperStore.h"
#include "exam/ExamNames.h"
#include "exam/ExamWindow.h"
#include "exam/QuestionNumbering.h"
#include "practice/PracticeNames.h"
#include "practice/PracticeWindow.h"
#include "ui/Fonts.h"
#include "ui/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QRandomGenerator>
#include <QTest>

#include <cstdio>

using namespace Qt::StringLiterals;

using bank::allQuestionTypes;
using bank::answerFromOptions;
using bank::choiceScore;
using bank::falseAnswer;
using bank::OptionStates;
using bank::paperQuestionType;
using bank::paperTable;
using bank::practiceTable;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::trueAnswer;

namespace {

const QString kLetters = u"ABCD"_s;

void say(const QStringList& fields) {
    std::fputs(qPrintable(fields.join(u'\t') + u'\n'), stdout);
    std::fflush(stdout);
}

void sayRow(const char* what, const QString& table, const QuestionRecord& row) {
    say({QString::fromLatin1(what), table, QString::number(row.id), row.xxda, row.fen});
}

// Radio buttons and check boxes react on their mark and caption only.
void clickOption(QWidget* option) {
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}

// The answer a click on `option` (0–3) gives, from the options as they stand before it.
QString answerAfterClick(QuestionType type, int option, const QList<QAbstractButton*>& boxes) {
    if (type == QuestionType::SingleChoice) return kLetters.mid(option, 1);
    if (type == QuestionType::TrueFalse) return option == 0 ? trueAnswer() : falseAnswer();
    OptionStates states{};
    for (int i = 0; i < 4; ++i)
        states[i] = boxes[i]->isChecked() != (i == option);
    return answerFromOptions(states);
}

class Driver {
public:
    Driver(QString bank, quint32 seed) : m_bank(std::move(bank)), m_random(seed) {}

    void practice(QuestionType type) {
        const QString table = practiceTable(type);
        say({u"try-clear"_s, table});
        practice::PracticeWindow window(type, m_bank);
        window.show();
        say({u"clear"_s, table});
        const int actions = m_random.bounded(3, 15);
        for (int action = 0; action < actions && window.hasQuestion(); ++action) {
            if (m_random.bounded(3) == 0) {
                m_random.bounded(2) ? window.showNext() : window.showPrevious();
                continue;
            }
            const QList<QAbstractButton*> boxes = practiceOptions(window, type);
            const int option = static_cast<int>(m_random.bounded(boxes.size()));
            answer(table, type, window.question(), boxes, option);
            sayRow("ack", table, window.question());
        }
        say({u"try-clear"_s, table});
        window.close();
        say({u"clear"_s, table});
    }

    void exam(int paper) {
        const QString table = paperTable(paper);
        say({u"try-clear"_s, table});
        exam::ExamWindow window(exam::bankPaperStore(m_bank, paper));
        window.resize(1024, 740);
        window.show();
        say({u"clear"_s, table});
        const int actions = m_random.bounded(3, 15);
        for (int action = 0; action < actions; ++action) {
            const int id = static_cast<int>(m_random.bounded(exam::kFirstQuestion, 61));
            window.showQuestion(id);
            const common::Outcome<QuestionRecord> question = window.store().readQuestion(id);
            if (!question) continue;
            const QuestionType type = *paperQuestionType(id);
            const QList<QAbstractButton*> boxes = examOptions(window, type);
            answer(table, type, *question, boxes, static_cast<int>(m_random.bounded(boxes.size())));
            const common::Outcome<QuestionRecord> after = window.store().readQuestion(id);
            if (after) sayRow("ack", table, *after);
        }
        say({u"try-clear"_s, table});
        window.close();
        say({u"clear"_s, table});
    }

private:
    void answer(const QString& table, QuestionType type, const QuestionRecord& question,
                const QList<QAbstractButton*>& boxes, int option) {
        QuestionRecord intended = question;
        intended.xxda = answerAfterClick(type, option, boxes);
        intended.fen = QString::number(choiceScore(type, intended.xxda, question.da));
        sayRow("try", table, intended);
        clickOption(boxes[option]);
    }

    static QList<QAbstractButton*> practiceOptions(const practice::PracticeWindow& window,
                                                   QuestionType type) {
        namespace n = practice::names;
        const QStringList& names = type == QuestionType::SingleChoice     ? n::kSingleOptions
                                   : type == QuestionType::MultipleChoice ? n::kMultipleOptions
                                                                          : n::kTrueFalseOptions;
        QList<QAbstractButton*> out;
        for (const QString& name : names)
            out.append(window.controls().get<QAbstractButton>(name));
        return out;
    }

    static QList<QAbstractButton*> examOptions(const exam::ExamWindow& window, QuestionType type) {
        namespace n = exam::names;
        QStringList names;
        if (type == QuestionType::TrueFalse) names = {n::kTrue, n::kFalse};
        for (int i = 1; i <= 4 && type != QuestionType::TrueFalse; ++i)
            names.append(type == QuestionType::SingleChoice ? n::singleOption(i) : n::multipleOption(i));
        QList<QAbstractButton*> out;
        for (const QString& name : names)
            out.append(window.controls().get<QAbstractButton>(name));
        return out;
    }

    QString m_bank;
    QRandomGenerator m_random;
};

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: velmora-answer-driver BANK SEED [ROUNDS]\n");
        return 2;
    }
    ui::installFonts();
    const QString bank = QString::fromLocal8Bit(argv[1]);
    Driver driver(bank, static_cast<quint32>(std::strtoul(argv[2], nullptr, 10)));
    const long rounds = argc > 3 ? std::strtol(argv[3], nullptr, 10) : -1;
    QRandomGenerator choice(static_cast<quint32>(std::strtoul(argv[2], nullptr, 10)) ^ 0x5A5A5A5Au);
    // A failed write would open a box and wait for a click: its text is printed instead. Closing an
    // exam not handed in asks first: the driver closes it as a candidate who answers Yes.
    ui::ScopedMessageAnswers boxes(ui::Answer::Yes);
    qsizetype told = 0;
    for (long round = 0; rounds < 0 || round < rounds; ++round) {
        const int pick = static_cast<int>(choice.bounded(6));
        if (pick < 3)
            driver.practice(allQuestionTypes[static_cast<size_t>(pick)]);
        else
            driver.exam(static_cast<int>(choice.bounded(1, 21)));
        for (; told < boxes.texts().size(); ++told)
            if (boxes.texts()[told] != exam::ExamWindow::kConfirmClose)
                say({u"message"_s, boxes.texts()[told]});
    }
    return 0;
}
