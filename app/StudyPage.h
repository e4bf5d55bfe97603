#pragma once

#include "bank/QuestionType.h"
#include "study/StudyRecord.h"

#include <QWidget>

class QLabel;
class QModelIndex;
class QSpinBox;
class QTableWidget;

namespace app {

class ChapterBars;
class ScoreLine;

// The fifth page of MainWindow, 学习记录: what the study record holds, per question type, per
// chapter and per mock exam, with 错题重练 for each type and 清除记录. It reads the record each
// time it is refreshed and holds nothing of its own.
class StudyPage final : public QWidget {
    Q_OBJECT
public:
    static inline const QString kConfirmClear = QStringLiteral("确定要清除全部学习记录吗?清除后不能恢复。");
    static inline const QString kClearButton = QStringLiteral("清除记录");
    static inline const QString kRetryButton = QStringLiteral("错题重练");
    static inline const QString kMarksButton = QStringLiteral("收藏与笔记");
    static inline const QString kKeysButton = QStringLiteral("快捷键");
    static inline const QString kTypeTable = QStringLiteral("题型统计表");
    static inline const QString kTypesHeading = QStringLiteral("各题型练习情况");
    static inline const QString kChaptersHeading = QStringLiteral("各章节正确率");
    static inline const QString kExamTable = QStringLiteral("考试记录表");
    static inline const QString kDailyTarget = QStringLiteral("每日目标");
    static inline const QString kTodayReview = QStringLiteral("今日复习");
    static inline const QString kBookSchedule = QStringLiteral("复习安排");
    static inline const QString kWeekTip = QStringLiteral("错题本之外，本周内按记忆规律将要复习的题也算在内");
    static inline const QString kExportButton = QStringLiteral("导出学习记录");
    static inline const QString kImportButton = QStringLiteral("导入学习记录");
    static inline const QString kMerge = QStringLiteral("合并");
    static inline const QString kReplace = QStringLiteral("替换");
    static inline const QString kReviewTip = QStringLiteral("双击一行或按回车键，回顾这次考试的试卷");
    // "导入学习记录“D:/备份.sqlite”：…"
    static QString confirmImport(const QString& source);
    static inline const QString kAnsweredTip = QStringLiteral("练习和模拟考试中答过的不同题目数");
    static inline const QString kAccuracyTip = QStringLiteral("答过的题目中，最近一次答对的比例");
    static inline const QString kBookTip = QStringLiteral(
        "最近一次答错的题，以及按记忆规律今天该复习的题；答对后隔几天再来，答对的次数越多，间隔越长");

    explicit StudyPage(const QString& studyPath, QWidget* parent = nullptr);

    void setStudyPath(const QString& path) { m_studyPath = path; }
    void refresh();
    // What 导出学习记录 and 导入学习记录 do once the file is chosen; tests give the file.
    void exportTo(const QString& target);
    void importFrom(const QString& source);

Q_SIGNALS:
    void wrongAnswersRequested(bank::QuestionType type);
    void starredRequested(bank::QuestionType type);
    void dailyTargetChanged();
    void chapterDrillRequested(const QString& chapter);
    void todayReviewRequested();
    void bookScheduleRequested();
    // The record now holds other answers: the figures outside the page are read again.
    void recordImported();
    void examReviewRequested(qint64 exam);

private:
    void build();
    void clearRecord();
    void openMarks();
    void addRetryButton(int row);
    void buildTransferButtons();
    void chooseExportFile();
    void chooseImportFile();
    void requestReview(const QModelIndex& index);
    void keepDailyTarget(int questions);
    void showFigures(const std::array<study::TypeFigures, 4>& figures);
    void showHistory(const QList<study::ExamHistoryEntry>& history);

    QString m_studyPath;
    QTableWidget* m_types = nullptr;
    QTableWidget* m_exams = nullptr;
    ChapterBars* m_chapters = nullptr;
    ScoreLine* m_scores = nullptr;
    QSpinBox* m_target = nullptr;
};

} // namespace app
