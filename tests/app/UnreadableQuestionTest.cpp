// A bank that passes the start check but holds a question that cannot be read (its text's
// long-value row gone): the practice window says so once, and the paper holding it is refused
// before its hour starts.

#include "app/MainWindow.h"
#include "app/MainWindowDeclaration.h"
#include "app/WorkWindows.h"
#include "bank/BankCheck.h"
#include "bank/QuestionBank.h"
#include "exam/ExamLauncher.h"
#include "exam/ExamNames.h"
#include "practice/PracticeNames.h"
#include "practice/PracticeWindow.h"
#include "ui/MessageBox.h"
#include "ui/UnreadableQuestionNotice.h"

#include <QCoreApplication>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Paper `row` of the list (0 is paper 1) chosen with the mouse, and 进入考试.
void enterPaper(app::MainWindow& window, int row) {
    window.showPage(app::pages::Papers);
    auto* list = window.findChild<QTreeWidget*>(app::names::kPaperList);
    list->scrollToItem(list->topLevelItem(row));
    QCoreApplication::processEvents();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(row)).center());
    QTest::mouseClick(window.findChild<QWidget*>(app::names::kEnterExam), Qt::LeftButton);
}

constexpr qsizetype kPage = 4096;
constexpr quint16 kDeleted = 0xC000;

QString questionText(const QString& bankPath, const QString& table, int id) {
    bank::QuestionBank bank;
    if (!bank.openBank(bankPath) || !bank.selectTable(table) || !bank.findQuestion(id)) return {};
    return bank.readField(u"TM"_s).value();
}

// Marks deleted every row that holds `text` (the long-value rows of the question's text, in
// every table that has the question), as a mutation of the file's bytes would. Returns how many.
int deleteRowsHolding(const QString& bankPath, const QString& text) {
    QFile file(bankPath);
    if (!file.open(QIODevice::ReadWrite)) return 0;
    QByteArray bytes = file.readAll();
    const QByteArray needle(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    int deleted = 0;
    for (qsizetype at = bytes.indexOf(needle); at >= 0; at = bytes.indexOf(needle, at + 1)) {
        char* page = bytes.data() + at / kPage * kPage;
        const quint16 slots = qFromLittleEndian<quint16>(page + 12);
        qsizetype end = kPage;
        for (quint16 slot = 0; slot < slots; ++slot) {
            char* entry = page + 14 + 2 * slot;
            const quint16 start = qFromLittleEndian<quint16>(entry) & 0x1FFF;
            if (start <= at % kPage && at % kPage < end) {
                qToLittleEndian<quint16>(qFromLittleEndian<quint16>(entry) | kDeleted, entry);
                ++deleted;
            }
            end = start;
        }
    }
    file.seek(0);
    return file.write(bytes) == bytes.size() ? deleted : 0;
}

class UnreadableQuestion : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + u"/qvtb.mdb"_s, m_bank));
        QFile::setPermissions(m_bank, QFile::ReadOwner | QFile::WriteOwner);
        // Question 48 of paper 14, a true/false question that the practice table holds too.
        const QString text = questionText(m_bank, u"tm14"_s, 48);
        ASSERT_FALSE(text.isEmpty());
        ASSERT_GE(deleteRowsHolding(m_bank, text), 2);
        m_check = bank::checkBank(m_bank);
        ASSERT_TRUE(m_check.ok()) << "the start check does not read every row";
        m_window.show();
        m_exams = app::connectWorkWindows(m_window, m_bank, [this] { return m_check; });
    }

    QTemporaryDir m_folder;
    const QString m_bank = m_folder.filePath(u"qvtb.mdb"_s);
    common::Outcome<> m_check;
    QTemporaryDir m_documents;
    app::MainWindow m_window{m_documents.path()};
    exam::ExamLauncher* m_exams = nullptr;
};

} // namespace

TEST_F(UnreadableQuestion, ThePaperIsRefusedBeforeItsClockStartsWithTheReason) {
    ui::ScopedMessageAnswers boxes;
    enterPaper(m_window, 13);
    ASSERT_NE(m_exams->notice(), nullptr);
    QTest::mouseClick(m_exams->notice()->findChild<QWidget*>(exam::names::kEnter), Qt::LeftButton);
    EXPECT_EQ(m_exams->examWindow(), nullptr);
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_EQ(boxes.texts().front(), ui::UnreadableQuestionNotice::paperText({}, u"corrupt"_s));
    EXPECT_TRUE(boxes.texts().front().contains(u"考试没有开始"_s));

    // Another paper opens as before.
    enterPaper(m_window, 0);
    QTest::mouseClick(m_exams->notice()->findChild<QWidget*>(exam::names::kEnter), Qt::LeftButton);
    ASSERT_NE(m_exams->examWindow(), nullptr);
    EXPECT_EQ(boxes.texts().size(), 1);
    m_exams->examWindow()->deleteLater();
}

TEST_F(UnreadableQuestion, PracticeTellsItOnceInTheWindow) {
    ui::ScopedMessageAnswers boxes;
    m_window.showPage(app::pages::Practice);
    auto* trueFalse = m_window.findChild<QRadioButton*>(u"单选框3"_s);
    QTest::mouseClick(trueFalse, Qt::LeftButton, {}, QPoint(8, trueFalse->height() / 2));
    QTest::mouseClick(m_window.findChild<QWidget*>(app::names::kEnterPractice), Qt::LeftButton);
    const QList<practice::PracticeWindow*> opened = m_window.findChildren<practice::PracticeWindow*>();
    ASSERT_EQ(opened.size(), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.texts(), QStringList{ui::UnreadableQuestionNotice::tableText(u"corrupt"_s)});
    QTest::mouseClick(opened.front()->controls().widget(practice::names::kNext), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.texts().size(), 1) << "told once";
    opened.front()->close();
}
