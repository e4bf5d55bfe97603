#pragma once

#include <QColor>

// The program's colours by name. The declared windows and the painted study charts take their
// colours from here, so a colour the windows share has one value.
namespace ui::palette {

constexpr QColor kBlack(0, 0, 0);
constexpr QColor kWhite(255, 255, 255);
constexpr QColor kRed(255, 0, 0);
constexpr QColor kGreen(0, 128, 0);
constexpr QColor kOrange(255, 128, 0);
constexpr QColor kDarkOrange(192, 96, 0);
constexpr QColor kSkyBlue(0, 136, 255);
constexpr QColor kSilver(192, 192, 192);
constexpr QColor kPanelGrey(225, 225, 225);
constexpr QColor kBandGrey(221, 221, 221);
constexpr QColor kNavBlue(159, 203, 240);
// A past attempt's reviewed card: right and wrong answers, pale under the tick and the cross.
constexpr QColor kRightPale(200, 240, 200);
constexpr QColor kWrongPale(255, 210, 210);

// The study page's charts.
constexpr QColor kChartBar(63, 134, 216);
constexpr QColor kChartLine(216, 38, 28);
constexpr QColor kChartGrid(222, 230, 240);
constexpr QColor kChartEmptyText(128, 128, 128);

} // namespace ui::palette
