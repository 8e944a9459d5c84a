// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UTouchSettings.h"

#include "store/UStatsStore.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

class TouchSettingsTest : public testing::Test {
protected:
    std::filesystem::path File() const { return Folder.Path() / "TyporinStats.db"; }
    TTempFolder Folder;
};

TEST_F(TouchSettingsTest, WithoutAStoreRomajiInputOnTheDesktopsKeyboard) {
    for (TKeyboardKind desktop : {TKeyboardKind::Jis, TKeyboardKind::Us})
        EXPECT_EQ(LoadTouchSettings(nullptr, desktop),
                  (TTouchSettings{TInputStyle::Romaji, desktop}));
}

TEST_F(TouchSettingsTest, StoredWordsAreReadAndUnknownOnesFallBack) {
    struct TCase {
        const char* Name;
        std::optional<std::string> Style, Keyboard;
        TTouchSettings Expected; // with a US desktop
    } cases[] = {
        {"never set", std::nullopt, std::nullopt, {TInputStyle::Romaji, TKeyboardKind::Us}},
        {"kana, jis", "kana", "jis", {TInputStyle::Kana, TKeyboardKind::Jis}},
        {"romaji, us", "romaji", "us", {TInputStyle::Romaji, TKeyboardKind::Us}},
        {"kana with us kept", "kana", "us", {TInputStyle::Kana, TKeyboardKind::Us}},
        {"unknown words", "Kana ", "dvorak", {TInputStyle::Romaji, TKeyboardKind::Us}},
        {"empty words", "", "", {TInputStyle::Romaji, TKeyboardKind::Us}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::filesystem::remove(File());
        TStatsStore store(File());
        if (c.Style)
            store.SetSetting(InputStyleSetting, *c.Style);
        if (c.Keyboard)
            store.SetSetting(KeyboardSetting, *c.Keyboard);
        EXPECT_EQ(LoadTouchSettings(&store, TKeyboardKind::Us), c.Expected);
    }
}

TEST_F(TouchSettingsTest, SavedSettingsAreReadBackAfterARestart) {
    {
        TStatsStore store(File());
        SaveTouchSettings(store, {TInputStyle::Kana, TKeyboardKind::Us});
        store.Sync();
    }
    TStatsStore store(File());
    EXPECT_EQ(store.Setting(InputStyleSetting), "kana");
    EXPECT_EQ(store.Setting(KeyboardSetting), "us");
    EXPECT_EQ(LoadTouchSettings(&store, TKeyboardKind::Jis),
              (TTouchSettings{TInputStyle::Kana, TKeyboardKind::Us}));
}

TEST_F(TouchSettingsTest, KanaInputUsesTheJisKeyboardWhateverIsChosen) {
    EXPECT_EQ(KeyboardInUse({TInputStyle::Kana, TKeyboardKind::Us}), TKeyboardKind::Jis);
    EXPECT_EQ(KeyboardInUse({TInputStyle::Romaji, TKeyboardKind::Us}), TKeyboardKind::Us);
    EXPECT_EQ(KeyboardInUse({TInputStyle::Romaji, TKeyboardKind::Jis}), TKeyboardKind::Jis);
}

} // namespace
