// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program names its fonts by their Japanese Windows faces; SetUpFonts maps them onto the
// metric-compatible IPA fonts (Debian fonts-ipafont-gothic), then Noto CJK, and has every font
// of the program drawn without hinting.

#include <QString>

inline const QString FixedFontFace = QStringLiteral("ＭＳ ゴシック");
inline const QString ProportionalFontFace = QStringLiteral("ＭＳ Ｐゴシック");

// Call once after the QApplication exists, before the first window is built.
void SetUpFonts();
