// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An activation token of a Wayland session (the xdg-activation protocol), for a start that asks
// the running instance to bring its window forward: with the token the compositor lets that
// window take the focus. A desktop that launches the program gives it a token
// (XDG_ACTIVATION_TOKEN); a start without one, from a terminal, asks the compositor itself.

#include <QString>

// A new token from the compositor of WAYLAND_DISPLAY for the application `appId`; empty outside
// a Wayland session, where the compositor offers no xdg-activation, or when it does not answer
// within `timeoutMs`. Uses a connection of its own, so it works before and beside Qt's.
QString RequestActivationToken(const QString& appId, int timeoutMs = 1000);
