// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the program can ask of the desktop's input-method framework beyond Qt's input-method
// events. Qt lets a widget accept or refuse input methods, but cannot switch Japanese input on
// or off; the frameworks themselves can, each in its own way:
// - fcitx5 through its D-Bus controller (org.fcitx.Fcitx5 /controller), which activates the
//   input context that last had the focus;
// - ibus offers no such call to its clients: the engine (Mozc) keeps its own input mode, and
//   the learner switches it with the usual keys.
// Where no framework answers, nothing happens, and the windows tell the learner how to
// switch Japanese input on (ImeOffHint).

#include "platform/ImeSession.h"

#include <QString>

#include <functional>

namespace InputMethod {

// The framework whose input context Qt uses (QT_IM_MODULE, as the program may have chosen it).
ImeSession::TFramework CurrentFramework();

// Asks the running framework to switch Japanese input on for the focused input context, for as
// long as `wanted` holds. Asynchronous and silent: returns whether a request was sent.
//
// The framework learns of a window's input context only some time after the window has the
// focus, and switches on the context that last had the focus: a request that comes too early
// reaches no context, or another one. With fcitx5 the request is therefore repeated (every
// 100 ms, for at most 3 s) until the framework reports Japanese input on, or `wanted` no
// longer holds (the pane lost the focus, refuses the input method or has been served by it).
bool RequestJapaneseInput(std::function<bool()> wanted);

// Whether fcitx5 reports Japanese input on for the input context that last had the focus. A
// blocking D-Bus call; false without fcitx5.
bool Fcitx5JapaneseInputOn();

// The status-bar text shown when a key reaches a pane that expects the input method: the keys
// that switch Japanese input on with the framework in use, or what to set when none reaches
// the program (ImeSession::ImeOffHint of the session as it is now).
QString ImeOffHint();

} // namespace InputMethod
