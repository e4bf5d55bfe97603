#pragma once

#include "bank/QuestionType.h"
#include "study/BankSearch.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;

namespace app {

// 搜索题目: finds questions of every type by the words the candidate types, as they type, and
// asks for the chosen one (Enter or a double-click) to be practised. Modal over the main window.
class SearchWindow final : public QDialog {
    Q_OBJECT
public:
    static inline const QString kName = QStringLiteral("搜索题目");
    static inline const QString kField = QStringLiteral("搜索词");
    static inline const QString kResults = QStringLiteral("搜索结果");
    static inline const QString kNothingFound = QStringLiteral("没有找到含有这些字词的题目");
    static inline const QString kCannotSearch =
        QStringLiteral("无法建立题库的搜索索引（%1）。请关闭程序后重新打开再试。");

    // `search` is the index over the bank, or why there is none (told in the window once).
    SearchWindow(common::Outcome<study::BankSearch> search, const QString& words, QWidget* parent);

    // "单选题  第 12 题  …": one result as the list shows it, the question's text around the first
    // word typed that it holds.
    static QString resultText(const study::SearchHit& hit, const QString& words);

Q_SIGNALS:
    void questionChosen(bank::QuestionType type, int id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void find();
    void choose();

    std::optional<study::BankSearch> m_search;
    QList<study::SearchHit> m_hits;
    QLineEdit* m_field = nullptr;
    QListWidget* m_results = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace app
