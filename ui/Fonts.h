#pragma once

#include "ui/Declaration.h"

#include <QFont>

#include <functional>

namespace ui {

inline const QString kSansFace = QStringLiteral("Noto Sans CJK SC");
inline const QString kSerifFace = QStringLiteral("Noto Serif CJK SC");

// Starts loading the system's font configuration on a thread of its own. Parsing it, and then Qt's
// list of the installed fonts, are the largest costs of showing the first window; begun before
// QApplication is created, the first overlaps the application's own set-up, and the second, let go
// by installFonts, the building of the first window. `afterwards` then runs on the same thread,
// unless the program ends first; one thread beside the main one leaves a core to each on a
// machine of two.
void prepareFontsInBackground(std::function<void()> afterwards = {});

// Waits for that thread; before QApplication is destroyed.
void finishFontLoading();

// Maps the Windows faces the windows name ("宋体", "SimSun", "微软雅黑") to the SC faces
// installed here, so Chinese text never falls back to Japanese glyph shapes, and makes the
// default GUI font the SC sans face at 12 px. Call once after QApplication is created.
void installFonts();

// Before the first text is laid out: waits while the font thread is still loading the font
// configuration, which fontconfig, asked meanwhile, would load a second time beside it.
void waitForFontConfiguration();

// The QFont for a declared font: pixel height, face (empty = the default Chinese face), weight.
QFont fontFor(const Font& font);

} // namespace ui
