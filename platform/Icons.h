// SPDX-License-Identifier: GPL-3.0-or-later
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

// The sizes a window icon is handed to the window manager at. Each is an image the window system
// keeps for the window; the sizes between them and beyond 64 would only make the window's start
// slower and its icon property larger.
inline constexpr int WindowIconSizes[] = {16, 24, 32, 48, 64};

// The icon `name` (the SVG's file name without ".svg") at every rendered size.
QIcon ProgramIcon(const QString& name);

// The icon `name` as a window's icon: drawn at every rendered size, offered to the window manager
// at WindowIconSizes.
QIcon WindowIcon(const QString& name);

// Sets the application's style: the desktop's own, with the icons of the menu bars' and tool
// bars' extension buttons loaded only when they are shown. Call once after the QApplication
// exists, before the first window is built.
void UseProgramStyle();
