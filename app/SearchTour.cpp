#include "app/SearchIndex.h"
#include "app/SearchWindow.h"
#include "app/TourParts.h"

#include "practice/PracticeWindow.h"
#include "question/MarkButtons.h"
#include "question/NoteWindow.h"
#include "ui/KeysWindow.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace app {

bool tourSearchAndMarks(QWidget* mainWindow, const QString& bankPath, const Shoot& shoot,
                        const Settle& settle) {
    bool ok = true;
    QTemporaryDir scratch;
    {
        SearchWindow search(openSearchIndex(bankPath, scratch.filePath(u"search.sqlite"_s)), u"押金 租金"_s,
                            mainWindow);
        search.show();
        settle(200);
        ok = shoot(&search, u"search-results"_s) && ok;
    }
    {
        practice::PracticeWindow practice(bank::QuestionType::SingleChoice, bankPath,
                                          scratch.filePath(u"study.sqlite"_s), std::nullopt, mainWindow);
        practice.resize(950, 630);
        practice.show();
        practice.findChild<QPushButton*>(question::MarkButtons::kStar)->click();
        practice.marks()->openNote();
        settle(200);
        auto* note = qobject_cast<question::NoteWindow*>(QApplication::activeModalWidget());
        if (note)
            note->findChild<QPlainTextEdit*>(question::NoteWindow::kText)
                ->setPlainText(u"记账凭证账务处理程序：规模小、业务少的单位。"_s);
        settle(200);
        ok = shoot(&practice, u"practice-star"_s) && ok;
        ok = note && shoot(note, u"practice-note"_s) && ok;
        if (note) note->close();
        practice.close();
    }
    ui::KeysWindow keys(mainWindow);
    keys.show();
    settle(200);
    ok = shoot(&keys, u"keys-list"_s) && ok;
    return ok;
}

} // namespace app
