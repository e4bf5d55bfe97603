#include "app/StudyChartsAccessibility.h"

#include "app/StudyCharts.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace app {
namespace {

int rowCount(const QWidget* chart) {
    if (const auto* bars = qobject_cast<const ChapterBars*>(chart)) return bars->shownRows();
    if (const auto* line = qobject_cast<const ScoreLine*>(chart))
        return static_cast<int>(line->items().size());
    return 0;
}

// One row of a chart: a chapter's bar, or an exam's point on the score line.
class ChartRowInterface final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ChartRowInterface(QWidget* chart, int row) : m_chart(chart), m_row(row) {}

    bool isValid() const override { return m_chart && m_row < rowCount(m_chart); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_chart->window()->windowHandle(); }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_chart); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name && t != QAccessible::Value) return {};
        if (const ChapterBars* bars = this->bars()) {
            const study::ChapterFigures& chapter = bars->items()[m_row];
            return t == QAccessible::Name ? ChapterBars::spokenRow(chapter)
                                          : u"%1%"_s.arg(ChapterBars::percentRight(chapter));
        }
        const study::ExamHistoryEntry& entry = line()->items()[m_row];
        return t == QAccessible::Name ? ScoreLine::spokenPoint(entry) : u"%1 分"_s.arg(entry.total);
    }
    QRect rect() const override {
        const QRect local = bars() ? bars()->rowRect(m_row)
                                   : QRect(line()->pointAt(m_row).toPoint() - QPoint(3, 3), QSize(7, 7));
        return {m_chart->mapToGlobal(local.topLeft()), local.size()};
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (const ChapterBars* bars = this->bars()) {
            state.focusable = true;
            state.selectable = true;
            state.selected = bars->currentRow() == m_row;
            state.focused = state.selected && bars->hasFocus();
        }
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface && bars() ? static_cast<QAccessibleActionInterface*>(this)
                                                              : nullptr;
    }
    // A bar pressed drills its chapter, as a click does.
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) bars()->choose(m_row);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    ChapterBars* bars() const { return qobject_cast<ChapterBars*>(m_chart.data()); }
    ScoreLine* line() const { return qobject_cast<ScoreLine*>(m_chart.data()); }

    QPointer<QWidget> m_chart;
    int m_row;
};

// A chart: its rows are its children, made when first asked for and kept while the chart lives.
class ChartInterface final : public QAccessibleWidget {
public:
    ChartInterface(QWidget* chart, QAccessible::Role role) : QAccessibleWidget(chart, role) {}
    ~ChartInterface() override {
        for (const QAccessible::Id id : std::as_const(m_rows))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return rowCount(widget()); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        if (const auto kept = m_rows.constFind(index); kept != m_rows.cend())
            return QAccessible::accessibleInterface(*kept);
        auto* row = new ChartRowInterface(widget(), index);
        m_rows.insert(index, QAccessible::registerAccessibleInterface(row));
        return row;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (auto kept = m_rows.cbegin(); kept != m_rows.cend(); ++kept)
            if (QAccessible::accessibleInterface(kept.value()) == child) return kept.key();
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i)
            if (child(i)->rect().contains(x, y)) return child(i);
        return nullptr;
    }
    // An empty chart reads as the note it shows.
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value && childCount() == 0) return emptyNote();
        return QAccessibleWidget::text(t);
    }

private:
    QString emptyNote() const {
        if (const auto* bars = qobject_cast<const ChapterBars*>(widget())) return bars->emptyNote();
        return static_cast<const ScoreLine*>(widget())->emptyNote();
    }

    mutable QHash<int, QAccessible::Id> m_rows;
};

QAccessibleInterface* chartInterface(const QString& className, QObject* object) {
    if (className == u"app::ChapterBars"_s)
        return new ChartInterface(static_cast<QWidget*>(object), QAccessible::List);
    if (className == u"app::ScoreLine"_s)
        return new ChartInterface(static_cast<QWidget*>(object), QAccessible::Chart);
    return nullptr;
}

} // namespace

void installChartInterfaces() {
    static bool installed = false;
    if (std::exchange(installed, true)) return;
    QAccessible::installFactory(chartInterface);
}

void tellRowsChanged(QWidget* chart) {
    QAccessibleEvent event(chart, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&event);
}

void tellCurrentRow(QWidget* chart, int row) {
    QAccessibleEvent event(chart, QAccessible::Focus);
    event.setChild(row);
    QAccessible::updateAccessibility(&event);
}

} // namespace app
