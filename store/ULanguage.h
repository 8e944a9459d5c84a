// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The display language: the learner's choice (automatic, Japanese, English), kept in the
// statistics store as "ui.language", and the language it comes to on this desktop.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ULanguage {

enum class TChoice { Auto, Japanese, English };
enum class TLanguage { Japanese, English };

// The setting's name in the statistics store and its values: "auto", "ja", "en".
inline constexpr const char* SettingName = "ui.language";
std::string ValueOf(TChoice choice);
// An unknown or missing value is Auto, so a damaged setting still starts the program.
TChoice ChoiceOf(std::optional<std::string_view> value);

// The desktop's language for messages as POSIX ranks its variables: the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty. Japanese when it names Japanese ("ja",
// "ja_JP.UTF-8", "ja_JP@…"), English otherwise (and when none is set, or for "C").
TLanguage DesktopLanguage(std::optional<std::string_view> lcAll,
                          std::optional<std::string_view> lcMessages,
                          std::optional<std::string_view> lang);
// The same from this process's environment.
TLanguage DesktopLanguage();

TLanguage Resolve(TChoice choice, TLanguage desktop);

// The language to start in: the choice stored in the statistics file at `statsPath` (when it
// can be read), resolved against the desktop's.
TLanguage StartLanguage(const std::filesystem::path& statsPath);

} // namespace ULanguage
