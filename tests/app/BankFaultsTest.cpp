// The bank checked at start: missing or damaged banks are named with their path, and the practice
// and exam windows are refused with the same message instead of opening empty.

#include "app/BankStart.h"
#include "app/MainWindow.h"
#include "app/MainWindowDeclaration.h"
#include "app/WorkWindows.h"
#include "bank/BankCheck.h"
#include "exam/ExamLauncher.h"
#include "practice/PracticeWindow.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

QString shippedBank() {
    return QCoreApplication::applicationDirPath() + u"/qvtb.mdb"_s;
}

QByteArray shippedBytes() {
    QFile file(shippedBank());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

struct Damage {
    const char* name;
    std::function<bool(const QString& path)> make;
};

QList<Damage> damages() {
    return {
        {"missing", [](const QString&) { return true; }},
        {"empty", [](const QString& path) { return writeFile(path, {}); }},
        {"random bytes",
         [](const QString& path) {
             QByteArray bytes(256 * 1024, '\0');
             QRandomGenerator generator(7);
             for (char& byte : bytes)
                 byte = static_cast<char>(generator.bounded(256));
             return writeFile(path, bytes);
         }},
        {"a directory", [](const QString& path) { return QDir().mkdir(path); }},
        {"cut in half at a page",
         [](const QString& path) {
             const QByteArray whole = shippedBytes();
             return writeFile(path, whole.left(whole.size() / 2 / 4096 * 4096));
         }},
        {"cut inside a page",
         [](const QString& path) {
             const QByteArray whole = shippedBytes();
             return writeFile(path, whole.left(whole.size() / 2 + 100));
         }},
    };
}

void choosePracticeAndEnter(app::MainWindow& window) {
    window.showPage(app::pages::Practice);
    auto* radio = window.findChild<QRadioButton*>(u"单选框1"_s);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
    QTest::mouseClick(window.findChild<QWidget*>(app::names::kEnterPractice), Qt::LeftButton);
}

void choosePaperAndEnter(app::MainWindow& window) {
    window.showPage(app::pages::Papers);
    auto* list = window.findChild<QTreeWidget*>(app::names::kPaperList);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(2)).center());
    QTest::mouseClick(window.findChild<QWidget*>(app::names::kEnterExam), Qt::LeftButton);
}

} // namespace

TEST(BankFaults, TheShippedBankPassesTheCheck) {
    ASSERT_TRUE(QFile::exists(shippedBank()));
    const common::Outcome<> check = bank::checkBank(shippedBank());
    EXPECT_TRUE(check.ok()) << check.reason().toStdString();
}

TEST(BankFaults, EachMissingOrDamagedBankIsToldWithItsPathAndRefusesTheWindows) {
    for (const Damage& damage : damages()) {
        SCOPED_TRACE(damage.name);
        QTemporaryDir folder;
        const QString bank = folder.filePath(u"qvtb.mdb"_s);
        ASSERT_TRUE(damage.make(bank));
        const common::Outcome<> check = bank::checkBank(bank);
        ASSERT_FALSE(check.ok());
        const QString problem = check.reason();
        EXPECT_TRUE(problem.contains(QDir::toNativeSeparators(bank))) << problem.toStdString();

        QTemporaryDir documents;
        app::MainWindow window(documents.path());
        window.show();
        exam::ExamLauncher* exams = app::connectWorkWindows(window, bank, [check] { return check; });
        ui::ScopedMessageAnswers boxes;
        choosePracticeAndEnter(window);
        EXPECT_EQ(boxes.texts(), QStringList{problem});
        EXPECT_TRUE(window.findChildren<practice::PracticeWindow*>().isEmpty());
        choosePaperAndEnter(window);
        EXPECT_EQ(boxes.texts(), QStringList({problem, problem}));
        EXPECT_EQ(exams->notice(), nullptr);
    }
}

TEST(BankFaults, ASoundBankOpensTheWindowsAsBefore) {
    QTemporaryDir folder;
    const QString bank = folder.filePath(u"qvtb.mdb"_s);
    ASSERT_TRUE(QFile::copy(shippedBank(), bank));
    QFile::setPermissions(bank, QFile::ReadOwner | QFile::WriteOwner);
    QTemporaryDir documents;
    app::MainWindow window(documents.path());
    window.show();
    exam::ExamLauncher* exams =
        app::connectWorkWindows(window, bank, [bank] { return bank::checkBank(bank); });
    ui::ScopedMessageAnswers boxes;
    choosePracticeAndEnter(window);
    const QList<practice::PracticeWindow*> opened = window.findChildren<practice::PracticeWindow*>();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened.front()->hasQuestion());
    opened.front()->close();
    choosePaperAndEnter(window);
    EXPECT_NE(exams->notice(), nullptr);
    EXPECT_EQ(exams->currentExamSet(), 3);
    EXPECT_TRUE(boxes.texts().isEmpty());
}

// At start the bank is checked once the window is painted; a request made before the check is
// over waits for it and is refused all the same, and one made before the check has begun makes it.
TEST(BankFaults, ARequestMadeWhileTheBankIsStillCheckedWaitsAndIsRefused) {
    for (const Damage& damage : damages()) {
        SCOPED_TRACE(damage.name);
        QTemporaryDir folder;
        const QString bank = folder.filePath(u"qvtb.mdb"_s);
        ASSERT_TRUE(damage.make(bank));
        for (const bool begun : {true, false}) {
            QTemporaryDir documents;
            app::MainWindow window(documents.path());
            window.show();
            auto* starting = new app::BankPreparation(bank, bank, true, &window);
            if (begun) starting->start();
            app::connectWorkWindows(window, bank, [starting] { return starting->result().usable; });
            ui::ScopedMessageAnswers boxes;
            choosePracticeAndEnter(window);
            const common::Outcome<> found = starting->result().usable;
            ASSERT_FALSE(found.ok());
            EXPECT_EQ(boxes.texts(), QStringList{found.reason()});
            EXPECT_TRUE(window.findChildren<practice::PracticeWindow*>().isEmpty());
            if (begun) continue;
            // The start still tells what was found when a request did the work first.
            int told = 0;
            QObject::connect(starting, &app::BankPreparation::prepared, [&told] { ++told; });
            starting->start();
            EXPECT_EQ(told, 1);
        }
    }
}
