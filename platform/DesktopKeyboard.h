// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The desktop's keyboard layout, as far as the program can learn it: under X the keyboard
// extension's layouts and the group in use, under fcitx5 the layout of its input-method group,
// under Wayland what the compositor was started with. The facts are read by
// DesktopKeyboardFacts (DesktopKeyboardFacts.cpp, with the application object); what they
// mean is worked out by the plain functions here, so that it is tested without a desktop.
// KeyboardOfLayouts (romaji/UuKbTables.h) turns the answer into a keyboard.

#include <string>
#include <string_view>

namespace DesktopKeyboard {

struct TFacts {
    std::string Platform;      // Qt's platform: "xcb", "wayland", "offscreen" ...
    std::string XkbRulesNames; // the root window's _XKB_RULES_NAMES under X: rules, model,
                               // layouts, variants and options, each ended by a NUL byte
    int XkbGroup = -1;         // the X keyboard's group in use, 0..3; -1 when unknown
    bool Fcitx5Running = false;
    std::string Fcitx5Layout;     // the default layout of fcitx5's group in use, as it tells
    std::string Fcitx5Profile;    // the text of fcitx5's profile file
    std::string XkbDefaultLayout; // XKB_DEFAULT_LAYOUT, which Wayland compositors start with
};

// The layouts of _XKB_RULES_NAMES with their variants, the one of `group` first: "jp,us" with
// group 1 gives "us,jp", and "us,de" with the variants ",nodeadkeys" gives "us,de(nodeadkeys)".
// Empty when the property holds no layout.
std::string XkbLayouts(std::string_view rulesNames, int group);

// The "Default Layout" of fcitx5's group in use in the text of its profile: the group that
// [GroupOrder] names first, else [Groups/0]. Empty when the profile names none.
std::string Fcitx5ProfileLayout(std::string_view profile);

// The desktop's layouts, the one in use first, separated by commas: under X the keyboard
// extension's; else fcitx5's when it runs (what it tells, else its profile); else
// XKB_DEFAULT_LAYOUT. Empty when none is known.
std::string DesktopLayouts(const TFacts& facts);

// The facts of the running session. Needs the application object; asks fcitx5 on the session
// bus with a short timeout, only when it runs.
TFacts DesktopKeyboardFacts();

} // namespace DesktopKeyboard
