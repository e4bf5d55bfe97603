#include "app/TourParts.h"

#include "bank/QuestionBank.h"
#include "entry/CalcPages.h"
#include "practice/CurrentQuestion.h"
#include "practice/PracticeNames.h"
#include "practice/PracticeWindow.h"
#include "question/CalcAnswerWindow.h"
#include "question/ObjectiveAnswerWindow.h"
#include "ui/TabControl.h"

#include "study/StudyRecord.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <array>

using namespace Qt::StringLiterals;

using bank::allQuestionTypes;
using bank::CalcFields;
using bank::calcScore;
using bank::paperTable;
using bank::QuestionBank;
using bank::QuestionRecord;
using bank::QuestionType;

namespace app {
namespace {

// The pictures' names per kind, in type order.
constexpr std::array<QStringView, 4> kTourNames{u"single", u"multiple", u"truefalse", u"calc"};

QString tourName(QuestionType type) {
    return kTourNames[typeIndex(type)].toString();
}

// Answers the shown question the way a candidate would, through its controls.
void answer(practice::PracticeWindow& w) {
    using namespace practice::names;
    auto click = [&w](const QString& name) { w.controls().get<QAbstractButton>(name)->click(); };
    switch (w.type()) {
    case QuestionType::SingleChoice:
        return click(kSingleOptions[1]);
    case QuestionType::MultipleChoice:
        click(kMultipleOptions[0]);
        return click(kMultipleOptions[2]);
    case QuestionType::TrueFalse:
        return click(kTrueFalseOptions[1]);
    case QuestionType::Calculation:
        break;
    }
    const CalcFields& standards = w.question().standards;
    for (int n = 1; n <= 5; ++n)
        w.findChild<QLineEdit*>(u"计算_编辑框%1"_s.arg(n))->setText(n == 3 ? u"1"_s : standards[n - 1]);
    w.findChild<QPushButton*>(u"按钮3"_s)->click();
}

int page(const practice::PracticeWindow& w) {
    return w.controls().get<ui::TabControl>(practice::names::kAnswerPages)->currentIndex();
}

bool tourCalculation(practice::PracticeWindow& w, const Shoot& shoot, const Settle& settle) {
    bool ok = true;
    for (int target : {practice::names::AmountsPage, practice::names::JournalPage}) {
        w.zoom().reset();
        for (int moves = 0; page(w) != target && moves < 100; ++moves)
            w.showNext();
        settle(100);
        ok = shoot(&w, u"practice-calc-%1"_s.arg(target == practice::names::AmountsPage ? u"amounts"_s
                                                                                        : u"journal"_s)) &&
             ok;
        if (target == practice::names::AmountsPage) {
            answer(w);
            question::AnswerWindow* answerWindow = w.openAnswerWindow();
            settle(100);
            ok = answerWindow && shoot(answerWindow, u"answer-practice-calc"_s) && ok;
            if (answerWindow) answerWindow->close();
        }
    }
    return ok;
}

// The exam variants with the first true/false and the first calculation question of paper 1,
// answered as a candidate might have.
bool tourExamAnswers(QWidget* owner, const QString& bankPath, const Shoot& shoot, const Settle& settle) {
    QuestionBank bank;
    if (!bank.openBank(bankPath) || !bank.selectTable(paperTable(1))) return false;
    bool ok = bank.findQuestion(41).ok();
    QuestionRecord trueFalse = practice::readCurrentQuestion(bank);
    trueFalse.xxda = trueFalse.da;
    ok = bank.findQuestion(61) && ok;
    QuestionRecord calc = practice::readCurrentQuestion(bank);
    calc.answers = calc.standards;
    calc.answers[1] = u"0"_s;
    calc.fen = QString::number(calcScore(calc.answers, calc.standards, bank::subAccountsAskedBy(calc.tm)));
    question::ObjectiveAnswerWindow objective(question::AnswerVariant::Exam, trueFalse, owner);
    objective.showCentred();
    question::CalcAnswerWindow calculation(question::AnswerVariant::Exam, calc, owner);
    calculation.showCentred();
    settle(100);
    ok = shoot(&objective, u"answer-exam-truefalse"_s) && ok;
    return shoot(&calculation, u"answer-exam-calc"_s) && ok;
}

// Closing a window after answers brings its round's summary: pictured when `picture` names it,
// then closed.
void closeWithSummary(practice::PracticeWindow& w, const QString& picture, const Shoot& shoot, bool& ok) {
    bool summaryShown = false;
    QTimer::singleShot(300, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        summaryShown = true;
        if (!picture.isEmpty()) ok = shoot(box, picture) && ok;
        if (QAbstractButton* close = box->button(QMessageBox::No))
            close->click();
        else
            box->accept();
    });
    w.close();
    ok = summaryShown && ok;
}

} // namespace

bool tourPractice(QWidget* mainWindow, const QString& bankPath, const Shoot& shoot, const Settle& settle) {
    bool ok = true;
    for (QuestionType type : allQuestionTypes) {
        practice::PracticeWindow w(type, bankPath, mainWindow);
        w.setWindowModality(Qt::WindowModal);
        ui::showDeclared(&w, practice::practiceWindowDeclaration());
        settle(200);
        if (type == QuestionType::Calculation) {
            ok = tourCalculation(w, shoot, settle) && ok;
        } else {
            answer(w);
            w.zoom().in();
            settle(100);
            ok = shoot(&w, u"practice-%1"_s.arg(tourName(type))) && ok;
            question::AnswerWindow* answerWindow = w.openAnswerWindow();
            settle(100);
            ok = answerWindow && shoot(answerWindow, u"answer-practice-%1"_s.arg(tourName(type))) && ok;
            if (answerWindow) answerWindow->close();
        }
        if (type == QuestionType::SingleChoice) {
            // The two screen sizes the layout is made for.
            for (QSize size : {QSize(1024, 768), QSize(1920, 1080)}) {
                w.showNormal();
                w.resize(size);
                settle(100);
                ok = shoot(&w, u"practice-single-%1x%2"_s.arg(size.width()).arg(size.height())) && ok;
            }
        }
        closeWithSummary(w, type == QuestionType::SingleChoice ? u"practice-summary"_s : QString(), shoot,
                         ok);
    }
    // A chapter's drill, as the 专项练习 page or a chapter's row on the 学习记录 page opens it.
    {
        practice::PracticeWindow drill(
            QuestionType::SingleChoice, bankPath, study::StudyRecord::defaultPath(),
            practice::RoundPlan{{u"会计凭证"_s, false, false}, std::nullopt}, mainWindow);
        drill.setWindowModality(Qt::WindowModal);
        ui::showDeclared(&drill, practice::practiceWindowDeclaration());
        settle(200);
        ok = shoot(&drill, u"practice-chapter"_s) && ok;
    }
    return tourExamAnswers(mainWindow, bankPath, shoot, settle) && ok;
}

} // namespace app
