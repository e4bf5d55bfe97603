#pragma once

#include "MemoryPaperStore.h"
#include "exam/ExamWindow.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// An exam window over a paper held in memory, on a clock the test moves.
struct ExamWindowFixture {
    std::int64_t now = 0;
    QTemporaryDir studyDirectory;
    MemoryPaperStore* store = nullptr; // the paper in memory, when the window works on one
    std::unique_ptr<exam::ExamWindow> window;

    explicit ExamWindowFixture(int paper = 7) { open(paper, samplePaper(paper)); }
    explicit ExamWindowFixture(std::unique_ptr<exam::PaperStore> paperStore) { open(std::move(paperStore)); }

    void open(int paper, QList<bank::QuestionRecord> rows) {
        auto owned = std::make_unique<MemoryPaperStore>(QStringLiteral("tm%1").arg(paper), std::move(rows));
        store = owned.get();
        open(std::move(owned));
    }
    void open(std::unique_ptr<exam::PaperStore> paperStore) {
        window = std::make_unique<exam::ExamWindow>(std::move(paperStore), [this] { return now; });
        // Each window its own study record: tests running side by side never wait on one another's.
        window->setStudyRecordPath(studyDirectory.filePath(QStringLiteral("study.sqlite")));
        window->resize(944, 627);
        window->show();
    }

    template <class T = QWidget> T* get(const QString& name) const { return window->controls().get<T>(name); }
    QString text(const QString& name) const { return get<QLabel>(name)->text(); }
    void click(const QString& name) const { QTest::mouseClick(get(name), Qt::LeftButton); }
    // Radio buttons and check boxes react on their indicator and text only.
    void clickOption(const QString& name) const {
        QWidget* option = get(name);
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    }
    // One tick of 时钟1 a second after the last.
    void tick() {
        now += exam::Countdown::kTickInterval;
        window->tick();
    }
    QColor cardColour(int id) const;
};
