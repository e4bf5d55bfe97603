#include "app/StudyPage.h"

#include "app/MarksWindow.h"
#include "app/StudyCharts.h"
#include "ui/KeysWindow.h"
#include "ui/MessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>

using namespace Qt::StringLiterals;

using bank::allQuestionTypes;
using bank::QuestionType;
using bank::typeCaption;

namespace app {
namespace {

QLabel* heading(QWidget* parent, const QString& text, QRect rect) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(15);
    font.setBold(true);
    label->setFont(font);
    label->setGeometry(rect);
    return label;
}

QTableWidget* table(QWidget* parent, const QString& name, const QStringList& headings, QRect rect) {
    auto* t = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(headings);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setFocusPolicy(Qt::NoFocus);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    t->verticalHeader()->setDefaultSectionSize(24);
    t->setGeometry(rect);
    return t;
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

QString percent(int part, int whole) {
    return whole > 0 ? u"%1%"_s.arg(qRound(100.0 * part / whole)) : u"—"_s;
}

// "86（及格）": the total and whether it reaches the pass line.
QString scoreWithVerdict(int total) {
    return u"%1（%2）"_s.arg(total).arg(total >= study::kPassScore ? u"及格"_s : u"未及格"_s);
}

QString duration(int seconds) {
    return u"%1分%2秒"_s.arg(seconds / 60).arg(seconds % 60, 2, 10, QChar(u'0'));
}

} // namespace

StudyPage::StudyPage(const QString& studyPath, QWidget* parent) : QWidget(parent), m_studyPath(studyPath) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    build();
}

void StudyPage::build() {
    heading(this, kTypesHeading, {12, 6, 300, 22});
    m_types = table(this, kTypeTable,
                    {u"题型"_s, u"已答题数"_s, u"正确率"_s, u"错题本"_s, u"本周到期"_s, QString()},
                    {12, 30, 450, 126});
    m_types->horizontalHeaderItem(1)->setToolTip(kAnsweredTip);
    m_types->horizontalHeaderItem(2)->setToolTip(kAccuracyTip);
    m_types->horizontalHeaderItem(3)->setToolTip(kBookTip);
    m_types->horizontalHeaderItem(4)->setToolTip(kWeekTip);
    m_types->setRowCount(4);
    m_types->setFixedHeight(m_types->horizontalHeader()->sizeHint().height() + 4 * 24 +
                            2 * m_types->frameWidth());
    m_types->setAccessibleName(kTypesHeading);
    // Tab goes from button to button and on out of the table, not round its cells.
    m_types->setTabKeyNavigation(false);
    m_types->horizontalHeaderItem(5)->setData(Qt::AccessibleTextRole, kRetryButton);
    for (int row = 0; row < 4; ++row)
        addRetryButton(row);
    heading(this, kChaptersHeading, {12, 166, 300, 22});
    m_chapters = new ChapterBars(this);
    m_chapters->setObjectName(u"章节正确率"_s);
    m_chapters->setAccessibleName(kChaptersHeading);
    m_chapters->setGeometry(12, 190, 450, 270);
    m_chapters->onChapterChosen([this](const QString& chapter) { Q_EMIT chapterDrillRequested(chapter); });

    heading(this, u"模拟考试记录"_s, {478, 6, 300, 22});
    m_exams = table(this, kExamTable,
                    {u"试卷"_s, u"日期"_s, u"用时"_s, u"单选"_s, u"多选"_s, u"判断"_s, u"计算"_s, u"得分"_s},
                    {478, 30, 450, 200});
    m_exams->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_exams->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_exams->horizontalHeaderItem(7)->setToolTip(u"满分 100 分，%1 分及格"_s.arg(study::kPassScore));
    // A row is chosen with the arrows and opened with Enter, or with a double click.
    m_exams->setSelectionMode(QAbstractItemView::SingleSelection);
    m_exams->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_exams->setFocusPolicy(Qt::StrongFocus);
    m_exams->setTabKeyNavigation(false);
    m_exams->setAccessibleName(kExamTable);
    m_exams->setAccessibleDescription(kReviewTip);
    m_exams->setToolTip(kReviewTip);
    connect(m_exams, &QTableWidget::activated, this, &StudyPage::requestReview);
    heading(this, u"成绩走势"_s, {478, 240, 300, 22});
    m_scores = new ScoreLine(this);
    m_scores->setObjectName(u"成绩走势"_s);
    m_scores->setAccessibleName(u"成绩走势"_s);
    m_scores->setGeometry(478, 264, 450, 196);

    auto* targetLabel = new QLabel(u"每日目标（题）"_s, this);
    targetLabel->setGeometry(12, 474, 100, 22);
    m_target = new QSpinBox(this);
    m_target->setObjectName(kDailyTarget);
    m_target->setAccessibleName(kDailyTarget);
    m_target->setRange(1, 500);
    m_target->setToolTip(u"每天打算答的题数；今天的进度和连续达标的天数显示在主窗口的状态栏"_s);
    m_target->setGeometry(112, 472, 70, 26);
    targetLabel->setBuddy(m_target);
    connect(m_target, &QSpinBox::valueChanged, this, &StudyPage::keepDailyTarget);

    auto* review = new QPushButton(kTodayReview, this);
    review->setObjectName(kTodayReview);
    review->setToolTip(
        u"按每日目标安排今天的题：错题本中的题与没做过的新题，对试卷得分帮助大的先做；过期一周的错题一定安排"_s);
    review->setGeometry(196, 470, 84, 28);
    connect(review, &QPushButton::clicked, this, &StudyPage::todayReviewRequested);
    auto* schedule = new QPushButton(kBookSchedule, this);
    schedule->setObjectName(kBookSchedule);
    schedule->setToolTip(u"错题本中每道题下次复习的日期"_s);
    schedule->setGeometry(286, 470, 84, 28);
    connect(schedule, &QPushButton::clicked, this, &StudyPage::bookScheduleRequested);
    // Beside the daily target, in the row the page keeps for its own buttons.
    auto* marks = new QPushButton(kMarksButton, this);
    marks->setObjectName(kMarksButton);
    marks->setAccessibleName(kMarksButton);
    marks->setGeometry(376, 470, 96, 28);
    connect(marks, &QPushButton::clicked, this, &StudyPage::openMarks);
    auto* keys = new QPushButton(kKeysButton, this);
    keys->setObjectName(kKeysButton);
    keys->setAccessibleName(kKeysButton);
    keys->setGeometry(478, 470, 72, 28);
    connect(keys, &QPushButton::clicked, this, [this] { ui::KeysWindow::showOver(window()); });

    buildTransferButtons();
    auto* clear = new QPushButton(kClearButton, this);
    clear->setObjectName(kClearButton);
    clear->setGeometry(838, 470, 90, 28);
    connect(clear, &QPushButton::clicked, this, &StudyPage::clearRecord);
}

// The button sits over the cell; the cell says what the button does, since a screen reader walking
// the table reads the cells, not the buttons over them.
void StudyPage::addRetryButton(int row) {
    const QuestionType type = allQuestionTypes[static_cast<std::size_t>(row)];
    m_types->setItem(row, 0, cell(typeCaption(type)));
    auto* under = new QTableWidgetItem;
    under->setData(Qt::AccessibleTextRole, kRetryButton);
    m_types->setItem(row, 5, under);
    auto* retry = new QPushButton(kRetryButton);
    retry->setObjectName(kRetryButton + QString::number(row + 1));
    retry->setAccessibleName(typeCaption(type) + u" "_s + kRetryButton);
    connect(retry, &QPushButton::clicked, this, [this, type] { Q_EMIT wrongAnswersRequested(type); });
    m_types->setCellWidget(row, 5, retry);
}

void StudyPage::buildTransferButtons() {
    const std::array<std::pair<QString, void (StudyPage::*)()>, 2> buttons{
        {{kExportButton, &StudyPage::chooseExportFile}, {kImportButton, &StudyPage::chooseImportFile}}};
    int left = 622;
    for (const auto& [name, choose] : buttons) {
        auto* button = new QPushButton(name, this);
        button->setObjectName(name);
        button->setAccessibleName(name);
        button->setGeometry(left, 470, 104, 28);
        connect(button, &QPushButton::clicked, this, choose);
        left += 108;
    }
}

void StudyPage::refresh() {
    study::StudyRecord record(m_studyPath);
    showFigures(record.typeFigures());
    {
        const QSignalBlocker quiet(m_target);
        m_target->setValue(record.dailyProgress().target);
    }
    m_chapters->setItems(record.chapterFigures());
    const QList<study::ExamHistoryEntry> history = record.examHistory();
    showHistory(history);
    m_scores->setItems(history);
    const QString notice = record.takeNotice();
    if (!notice.isEmpty()) ui::showMessage(this, notice);
}

void StudyPage::showFigures(const std::array<study::TypeFigures, 4>& figures) {
    for (int row = 0; row < 4; ++row) {
        const study::TypeFigures& f = figures[static_cast<std::size_t>(row)];
        m_types->setItem(row, 1, cell(QString::number(f.questionsAnswered)));
        m_types->setItem(row, 2, cell(percent(f.rightLastTime, f.questionsAnswered)));
        m_types->setItem(row, 3, cell(QString::number(f.inWrongBook)));
        m_types->setItem(row, 4, cell(QString::number(f.dueThisWeek)));
    }
}

// Newest first: the latest attempts are what the candidate looks for.
void StudyPage::showHistory(const QList<study::ExamHistoryEntry>& history) {
    m_exams->setUpdatesEnabled(false);
    m_exams->setRowCount(static_cast<int>(history.size()));
    for (qsizetype i = 0; i < history.size(); ++i) {
        const study::ExamHistoryEntry& entry = history[history.size() - 1 - i];
        const int row = static_cast<int>(i);
        m_exams->setItem(row, 0, cell(u"第%1套"_s.arg(entry.paper)));
        m_exams->item(row, 0)->setData(Qt::UserRole, entry.id);
        m_exams->setItem(row, 1, cell(entry.started.toString(u"yyyy-MM-dd HH:mm"_s)));
        m_exams->setItem(row, 2, cell(duration(entry.usedSeconds)));
        for (int type = 0; type < 4; ++type)
            m_exams->setItem(row, 3 + type,
                             cell(QString::number(entry.typeScores[static_cast<std::size_t>(type)])));
        m_exams->setItem(row, 7, cell(scoreWithVerdict(entry.total)));
    }
    m_exams->setUpdatesEnabled(true);
}

void StudyPage::keepDailyTarget(int questions) {
    if (const common::Outcome<> kept = study::StudyRecord(m_studyPath).setDailyTarget(questions); !kept)
        ui::showMessage(this, u"每日目标未能保存（%1）。请稍后再设。"_s.arg(kept.reason()));
    Q_EMIT dailyTargetChanged();
}

void StudyPage::openMarks() {
    study::StudyRecord record(m_studyPath);
    auto* marks = new MarksWindow(record.markedQuestions(), window());
    marks->setAttribute(Qt::WA_DeleteOnClose);
    marks->setWindowModality(Qt::WindowModal);
    connect(marks, &MarksWindow::starredRequested, this, &StudyPage::starredRequested);
    marks->show();
    marks->activateWindow();
    const QString notice = record.takeNotice();
    if (!notice.isEmpty()) ui::showMessage(this, notice);
}

void StudyPage::requestReview(const QModelIndex& index) {
    if (const QTableWidgetItem* first = m_exams->item(index.row(), 0))
        Q_EMIT examReviewRequested(first->data(Qt::UserRole).toLongLong());
}

QString StudyPage::confirmImport(const QString& source) {
    return u"导入学习记录“%1”：\n\n合并：两份记录中的答题和模拟考试都保留，重复的只算一次。\n"
           "替换：现有的学习记录换成导入的记录，不能恢复。"_s.arg(QDir::toNativeSeparators(source));
}

void StudyPage::chooseExportFile() {
    const QString suggested =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(u"学习记录-%1.sqlite"_s.arg(QDate::currentDate().toString(u"yyyyMMdd"_s)));
    const QString target =
        QFileDialog::getSaveFileName(this, kExportButton, suggested, u"学习记录 (*.sqlite)"_s);
    if (!target.isEmpty()) exportTo(target);
}

void StudyPage::chooseImportFile() {
    const QString source = QFileDialog::getOpenFileName(
        this, kImportButton, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
        u"学习记录 (*.sqlite);;所有文件 (*)"_s);
    if (!source.isEmpty()) importFrom(source);
}

void StudyPage::exportTo(const QString& target) {
    study::StudyRecord record(m_studyPath);
    if (const common::Outcome<> exported = record.exportTo(target); !exported)
        ui::showMessage(this, u"学习记录未能导出（%1）。请换一个位置再试。"_s.arg(exported.reason()));
    else
        ui::showMessage(this, u"学习记录已导出到“%1”。"_s.arg(QDir::toNativeSeparators(target)));
}

void StudyPage::importFrom(const QString& source) {
    const QString unchanged = u"\n现有的学习记录没有改动。"_s;
    if (const common::Outcome<> readable = study::checkImportable(source); !readable)
        return ui::showMessage(this, u"未能导入学习记录：%1"_s.arg(readable.reason()) + unchanged);
    const ui::Answer answer =
        ui::askTwoWaysOrCancel(this, confirmImport(source), kMerge, kReplace, kImportButton);
    if (answer == ui::Answer::Cancel) return;
    const study::ImportMode mode =
        answer == ui::Answer::Yes ? study::ImportMode::Merge : study::ImportMode::Replace;
    if (const common::Outcome<> imported = study::StudyRecord(m_studyPath).importFrom(source, mode);
        !imported)
        return ui::showMessage(this, u"未能导入学习记录（%1）。"_s.arg(imported.reason()) + unchanged);
    refresh();
    Q_EMIT recordImported();
}

void StudyPage::clearRecord() {
    if (!ui::askYesNo(this, kConfirmClear, {}, ui::Answer::No)) return;
    // The page shows what the record still holds; the reason goes to the log.
    if (const common::Outcome<> cleared = study::StudyRecord(m_studyPath).clear(); !cleared)
        qWarning("study record not cleared: %s", qPrintable(cleared.reason()));
    refresh();
}

} // namespace app
