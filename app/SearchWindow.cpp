#include "app/SearchWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace app {
namespace {

// How much of a question's text a result shows before the first word found in it.
constexpr int kLeadIn = 12;
constexpr int kShown = 60;

} // namespace

SearchWindow::SearchWindow(common::Outcome<study::BankSearch> search, const QString& words, QWidget* parent)
    : QDialog(parent) {
    setObjectName(kName);
    setWindowTitle(kName);
    setAccessibleName(kName);
    resize(640, 420);
    auto* layout = new QVBoxLayout(this);
    m_field = new QLineEdit(words, this);
    m_field->setObjectName(kField);
    m_field->setAccessibleName(kField);
    m_field->setPlaceholderText(u"输入题目、选项或解析中的字词"_s);
    m_results = new QListWidget(this);
    m_results->setObjectName(kResults);
    m_results->setAccessibleName(kResults);
    m_status = new QLabel(this);
    m_status->setObjectName(u"搜索说明"_s);
    layout->addWidget(m_field);
    layout->addWidget(m_results);
    layout->addWidget(m_status);
    m_field->installEventFilter(this);
    connect(m_field, &QLineEdit::textChanged, this, &SearchWindow::find);
    connect(m_results, &QListWidget::itemActivated, this, &SearchWindow::choose);
    if (search)
        m_search.emplace(std::move(search).value());
    else
        m_status->setText(kCannotSearch.arg(search.reason()));
    find();
}

QString SearchWindow::resultText(const study::SearchHit& hit, const QString& words) {
    static const QRegularExpression blanks(u"[\\s\u3000]+"_s);
    const std::optional<bank::QuestionType> type = bank::typeOfPracticeTable(hit.table);
    const QString text = QString(hit.text).replace(blanks, u" "_s);
    qsizetype first = -1;
    for (const QString& word : words.split(blanks, Qt::SkipEmptyParts)) {
        const qsizetype at = text.indexOf(word, 0, Qt::CaseInsensitive);
        if (at >= 0 && (first < 0 || at < first)) first = at;
    }
    const qsizetype from = first > kLeadIn ? first - kLeadIn : 0;
    QString shown = text.mid(from, kShown);
    if (from > 0) shown.prepend(u'…');
    if (from + kShown < text.size()) shown.append(u'…');
    return u"%1  第 %2 题  %3"_s.arg(type ? bank::typeCaption(*type) : hit.table).arg(hit.id).arg(shown);
}

void SearchWindow::find() {
    if (!m_search) return;
    const QString words = m_field->text();
    const common::Outcome<QList<study::SearchHit>> hits = m_search->find(words);
    m_results->clear();
    m_hits.clear();
    if (!hits) {
        m_status->setText(kCannotSearch.arg(hits.reason()));
        return;
    }
    m_hits = *hits;
    for (const study::SearchHit& hit : m_hits)
        m_results->addItem(resultText(hit, words));
    if (!m_hits.isEmpty()) m_results->setCurrentRow(0);
    const bool nothing = m_hits.isEmpty() && !words.trimmed().isEmpty();
    m_status->setText(nothing ? kNothingFound : QString());
}

void SearchWindow::choose() {
    const int row = m_results->currentRow();
    if (row < 0 || row >= m_hits.size()) return;
    const std::optional<bank::QuestionType> type = bank::typeOfPracticeTable(m_hits[row].table);
    if (!type) return;
    Q_EMIT questionChosen(*type, m_hits[row].id);
    accept();
}

// In the field, Enter opens the highlighted result and the arrows move through the results, so
// the candidate never has to leave the words they type.
bool SearchWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_field || event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        choose();
        return true;
    }
    if ((key == Qt::Key_Down || key == Qt::Key_Up) && m_results->count() > 0) {
        const int step = key == Qt::Key_Down ? 1 : -1;
        m_results->setCurrentRow(std::clamp(m_results->currentRow() + step, 0, m_results->count() - 1));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace app
