// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the program knows of the desktop's input-method framework before it starts, and what
// it tells the learner about it. The decisions are plain functions of the facts gathered
// (environment, session bus, installed Qt modules, fcitx5's configuration), so they are tested
// without a desktop; ImeSessionFacts gathers the facts of the running session.
//
// Qt talks to fcitx5 or ibus through an input-method module named by QT_IM_MODULE. Where a
// desktop sets none (a Wayland session offers text-input-v3, which Qt 6.4 does not speak; a
// bare X session), the program names the module of the framework that runs itself.

#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ImeSession {

enum class TFramework { None, Fcitx5, IBus, Other };

struct TFacts {
    std::string ImModule;       // QT_IM_MODULE; empty when unset
    bool Fcitx5Running = false; // org.fcitx.Fcitx5 answers on the session bus
    bool IBusRunning = false;   // org.freedesktop.IBus answers (ibus, or fcitx5 for it)
    bool FcitxModule = false;   // Qt's fcitx module is installed
    bool IBusModule = false;    // Qt's ibus module is installed
    std::vector<std::string> Fcitx5TriggerKeys; // as fcitx5's configuration names them
};

// The module to set before the application starts, and the line that says so on stderr; both
// empty when QT_IM_MODULE is set (the learner's choice stays) or no framework runs.
struct TChoice {
    std::string Module;
    QString Note;
};
TChoice ChooseModule(const TFacts& facts);

// The framework a module name stands for ("fcitx", "fcitx5", "ibus").
TFramework FrameworkOf(std::string_view module);

// Whether the framework of `facts.ImModule` runs and Qt has its module: keys then reach it.
bool Reachable(const TFacts& facts);

// The status-bar text when a key reaches a pane that expects Japanese input: the keys that
// switch it on with the framework in use, or, when no framework can reach the program, what to
// set and where the manual explains it.
QString ImeOffHint(const TFacts& facts);

// fcitx5's trigger keys from the text of its configuration file (the [Hotkey/TriggerKeys]
// section, entries "0=Control+space" ...), in their order; nothing when the file names none.
std::optional<std::vector<std::string>> Fcitx5TriggerKeys(std::string_view config);

// fcitx5's trigger keys when its configuration names none.
const std::vector<std::string>& DefaultFcitx5TriggerKeys();

// A key as the learner knows it: "Control+space" gives "Ctrl+Space", "Zenkaku_Hankaku"
// "全角/半角".
QString KeyCaption(std::string_view key);

// The facts of the running session: the environment, the session bus (without starting a bus
// or a service), the installed Qt modules and fcitx5's configuration. Needs no application
// object; asks the bus with a short timeout.
TFacts ImeSessionFacts();

// Before the application starts: sets QT_IM_MODULE as ChooseModule says and writes the note to
// stderr. Returns the choice.
TChoice ChooseModuleForSession();

} // namespace ImeSession
