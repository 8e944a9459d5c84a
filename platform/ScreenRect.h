// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A rectangle in screen coordinates: a screen's available area, or a window's bounds.
struct TScreenRect {
    int Left, Top, Width, Height;
};
