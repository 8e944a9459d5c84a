#pragma once

// The program's icons. They are drawn as SVG in resources/icons and rendered to PNG at these
// sizes at build time; the windows load the PNG files, which Qt reads without a plugin.

#include <QString>

class QIcon;

// The sizes, in pixels, every icon is rendered at: menus, tool bars and window icons at scale
// factors 1 to 2 and beyond.
inline constexpr int IconSizes[] = {16, 24, 32, 48, 64, 128};

// The icon `name` (the SVG's file name without ".svg") at every rendered size.
QIcon ProgramIcon(const QString& name);
