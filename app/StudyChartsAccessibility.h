#pragma once

class QWidget;

namespace app {

// What screen readers are told about the study page's charts, which are painted: the chapter bars
// read as a list of chapters, each with its accuracy and count, the current one as focused; the
// score line reads as the list of its scores, its text alternative. The charts call it when made.
void installChartInterfaces();

// The chart's rows have changed.
void tellRowsChanged(QWidget* chart);
// The keys moved the chart's current row to `row`.
void tellCurrentRow(QWidget* chart, int row);

} // namespace app
