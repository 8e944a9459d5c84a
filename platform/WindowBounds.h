// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The bounds a window stores as it closes. Wayland never tells a client where its windows
// stand (they read 0,0) and places them itself, so there the stored position is left as it
// was, for the next session on X11, and only the size is taken.

#include <QString>

#include <cstdint>

class QSplitter;
class QWidget;

// Whether windows of the Qt platform `platformName` know their position: every platform but
// Wayland's ("wayland", "wayland-egl" ...).
bool WindowPositionsKnown(const QString& platformName);

// Copies the size of `window`, and its position where the platform tells it, into the values.
void StoreWindowBounds(const QWidget& window, std::int32_t& left, std::int32_t& top,
                       std::int32_t& width, std::int32_t& height);

// Gives the first pane of `splitter` `first` pixels and the second the rest of its length now;
// a stored size larger than the splitter leaves the second pane empty. The splitter's own
// layout must be done (its window at its size), so that the sizes are taken exactly.
void PlaceSplitter(QSplitter& splitter, int first);
