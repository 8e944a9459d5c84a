// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The screens there are now, as the data file's repair and every window that restores its
// bounds take them.

#include "platform/ScreenRect.h"

#include <vector>

// The available areas of the screens, the primary one first: what RepairOptions and
// FitBoundsOnScreens take. A window that restores its bounds passes them through
// FitBoundsOnScreens(..., AvailableScreens()).
std::vector<TScreenRect> AvailableScreens();

// Whether the windowing system keeps window positions to itself (Wayland): a window there can
// neither read its position nor set it, so a stored position is kept as it was.
bool PositionsHidden();
