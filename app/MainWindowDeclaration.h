#pragma once

#include "ui/Declaration.h"

namespace app {

// MainWindow as declared: the window and its controls in z-order (first on top) and Tab order.
const ui::WindowDeclaration& mainWindowDeclaration();
const ui::Declaration& mainWindowControls();

// The pages of the page container, by their index in it.
namespace pages {
enum Page : int { Home, Syllabus, Handbook, Practice, Papers, StudyRecord, Count };
} // namespace pages

// The controls of a later page of the page container, contents of contents included, in declared
// order; for the home page, every control that no later page holds (bar, status bar, container,
// home).
ui::Declaration mainWindowPage(pages::Page page);

// Names the window's code refers to.
namespace names {
inline const QString kPages = QStringLiteral("高级选择夹1");
inline const QString kStatusBar = QStringLiteral("状态条1");
inline const QString kPaperList = QStringLiteral("超级列表框1");
inline const QString kEnterPractice = QStringLiteral("进入答题");
inline const QString kEnterExam = QStringLiteral("进入考试");
inline const QString kSyllabusViewer = QStringLiteral("超文本浏览框1");
inline const QString kHandbookViewer = QStringLiteral("超文本浏览框2");
inline const QString kStudyRecord = QStringLiteral("学习记录");
} // namespace names

// The page of the page container, and the navigation button that shows it.
struct NavigationEntry {
    QString button;
    pages::Page page;
};
const std::vector<NavigationEntry>& navigationEntries();

// The radio buttons of the practice page, in the order of QuestionType.
const QStringList& practiceChoices();

// A number from 1 to 99 written as a Chinese numeral: 一 … 十, 十一 … 二十 … 九十九.
QString chineseNumeral(int number);

} // namespace app
