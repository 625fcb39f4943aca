// The program's colours and the twip measure shared by the drawn controls.
#pragma once

#include <QColor>

namespace corvina::controls {

// The page back colour of the main window.
inline QColor pageBackColor() { return QColor(55, 106, 179); }
inline QColor pageBackLight() { return QColor(86, 140, 210); }
inline QColor pageBackDark() { return QColor(30, 62, 118); }
inline QColor stripTop() { return QColor(22, 44, 86); }
inline QColor stripBottom() { return QColor(14, 30, 62); }
inline QColor textOnBlue() { return QColor(255, 255, 255); }
inline QColor mutedTextOnBlue() { return QColor(200, 216, 240); }

// 15 twips to a pixel at normal resolution.
constexpr int kTwipsPerPixel = 15;
constexpr int toPixels(int twips) { return twips / kTwipsPerPixel; }
constexpr int toTwips(int pixels) { return pixels * kTwipsPerPixel; }

}  // namespace corvina::controls
