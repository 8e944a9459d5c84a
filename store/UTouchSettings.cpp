// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UTouchSettings.h"

#include "store/UStatsStore.h"

#include <optional>
#include <string>

namespace {

constexpr const char* RomajiWord = "romaji";
constexpr const char* KanaWord = "kana";
constexpr const char* JisWord = "jis";
constexpr const char* UsWord = "us";

} // namespace

TTouchSettings LoadTouchSettings(const TStatsStore* store, TKeyboardKind desktopKeyboard) {
    TTouchSettings settings;
    settings.Keyboard = desktopKeyboard;
    if (!store)
        return settings;
    if (std::optional<std::string> style = store->Setting(InputStyleSetting); style == KanaWord)
        settings.Style = TInputStyle::Kana;
    std::optional<std::string> keyboard = store->Setting(KeyboardSetting);
    if (keyboard == JisWord)
        settings.Keyboard = TKeyboardKind::Jis;
    else if (keyboard == UsWord)
        settings.Keyboard = TKeyboardKind::Us;
    return settings;
}

void SaveTouchSettings(TStatsStore& store, const TTouchSettings& settings) {
    store.SetSetting(InputStyleSetting,
                     settings.Style == TInputStyle::Kana ? KanaWord : RomajiWord);
    store.SetSetting(KeyboardSetting, settings.Keyboard == TKeyboardKind::Us ? UsWord : JisWord);
}

TKeyboardKind KeyboardInUse(const TTouchSettings& settings) {
    return settings.Style == TInputStyle::Kana ? TKeyboardKind::Jis : settings.Keyboard;
}
