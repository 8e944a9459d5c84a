// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ULanguage.h"

#include "store/UStatsStore.h"

#include <cstdlib>

namespace ULanguage {

std::string ValueOf(TChoice choice) {
    switch (choice) {
    case TChoice::Japanese:
        return "ja";
    case TChoice::English:
        return "en";
    case TChoice::Auto:
        break;
    }
    return "auto";
}

TChoice ChoiceOf(std::optional<std::string_view> value) {
    if (value == "ja")
        return TChoice::Japanese;
    if (value == "en")
        return TChoice::English;
    return TChoice::Auto;
}

TLanguage DesktopLanguage(std::optional<std::string_view> lcAll,
                          std::optional<std::string_view> lcMessages,
                          std::optional<std::string_view> lang) {
    for (auto variable : {lcAll, lcMessages, lang}) {
        if (!variable || variable->empty())
            continue;
        std::string_view name = *variable;
        bool japanese = name.substr(0, 2) == "ja" &&
                        (name.size() == 2 || name[2] == '_' || name[2] == '.' || name[2] == '@');
        return japanese ? TLanguage::Japanese : TLanguage::English;
    }
    return TLanguage::English;
}

TLanguage DesktopLanguage() {
    auto variable = [](const char* name) -> std::optional<std::string_view> {
        const char* value = std::getenv(name);
        if (!value)
            return std::nullopt;
        return std::string_view(value);
    };
    return DesktopLanguage(variable("LC_ALL"), variable("LC_MESSAGES"), variable("LANG"));
}

TLanguage Resolve(TChoice choice, TLanguage desktop) {
    switch (choice) {
    case TChoice::Japanese:
        return TLanguage::Japanese;
    case TChoice::English:
        return TLanguage::English;
    case TChoice::Auto:
        break;
    }
    return desktop;
}

TLanguage StartLanguage(const std::filesystem::path& statsPath) {
    std::optional<std::string> stored = TStatsStore::ReadSetting(statsPath, SettingName);
    return Resolve(ChoiceOf(stored ? std::optional<std::string_view>(*stored) : std::nullopt),
                   DesktopLanguage());
}

} // namespace ULanguage
