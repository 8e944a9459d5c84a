#pragma once

// The program's icons. They are drawn as SVG in resources/icons and rendered to PNG at these
// sizes at build time; the windows load the PNG files, which Qt reads without a plugin.

#include <QString>

class QIcon;

// The sizes, in pixels, every icon is rendered at: menus (16), the editor's tool bar (20) and
// the main window's (24) at scale factors 1, 1.5 and 2, and window icons. A size drawn from its
// own rendering looks as the SVG drawn at that size does; other sizes are shrunk from the next
// larger one.
inline constexpr int IconSizes[] = {16, 20, 24, 30, 32, 36, 40, 48, 64, 128};

// The icon `name` (the SVG's file name without ".svg") at every rendered size.
QIcon ProgramIcon(const QString& name);

// Sets the application's style: the desktop's own, with the icons of the menu bars' and tool
// bars' extension buttons loaded only when they are shown. Call once after the QApplication
// exists, before the first window is built.
void UseProgramStyle();
