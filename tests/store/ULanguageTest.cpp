// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ULanguage.h"

#include "store/UStatsStore.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using namespace ULanguage;
using Var = std::optional<std::string_view>;

struct TDesktopCase {
    const char* Name;
    Var LcAll, LcMessages, Lang;
    TLanguage Expected;
};

const TDesktopCase DesktopCases[] = {
    {"JapaneseLang", {}, {}, "ja_JP.UTF-8", TLanguage::Japanese},
    {"BareJa", {}, {}, "ja", TLanguage::Japanese},
    {"JapaneseWithModifier", {}, {}, "ja_JP@cjknarrow", TLanguage::Japanese},
    {"EnglishLang", {}, {}, "en_US.UTF-8", TLanguage::English},
    {"GermanLang", {}, {}, "de_DE.UTF-8", TLanguage::English},
    {"NothingSet", {}, {}, {}, TLanguage::English},
    {"PosixC", {}, {}, "C", TLanguage::English},
    {"JavaneseIsNotJapanese", {}, {}, "jv_ID.UTF-8", TLanguage::English},
    {"NotAPrefixOfAnotherName", {}, {}, "jam_JM", TLanguage::English},
    {"LcAllWinsOverLang", "en_GB.UTF-8", {}, "ja_JP.UTF-8", TLanguage::English},
    {"LcMessagesWinsOverLang", {}, "ja_JP.UTF-8", "en_US.UTF-8", TLanguage::Japanese},
    {"EmptyLcAllIsSkipped", "", {}, "ja_JP.UTF-8", TLanguage::Japanese},
    {"LcAllWinsOverLcMessages", "ja_JP.UTF-8", "en_US.UTF-8", {}, TLanguage::Japanese},
};

class DesktopLanguageTest : public testing::TestWithParam<TDesktopCase> {};

TEST_P(DesktopLanguageTest, FollowsThePosixOrder) {
    const TDesktopCase& c = GetParam();
    EXPECT_EQ(DesktopLanguage(c.LcAll, c.LcMessages, c.Lang), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DesktopLanguageTest, testing::ValuesIn(DesktopCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(LanguageTest, ChoiceValuesGoRoundTrip) {
    for (TChoice choice : {TChoice::Auto, TChoice::Japanese, TChoice::English})
        EXPECT_EQ(ChoiceOf(ValueOf(choice)), choice);
}

TEST(LanguageTest, UnknownOrMissingValueIsAuto) {
    EXPECT_EQ(ChoiceOf(std::nullopt), TChoice::Auto);
    EXPECT_EQ(ChoiceOf(""), TChoice::Auto);
    EXPECT_EQ(ChoiceOf("english"), TChoice::Auto);
}

TEST(LanguageTest, AutoFollowsTheDesktopAndAChoiceOverridesIt) {
    EXPECT_EQ(Resolve(TChoice::Auto, TLanguage::English), TLanguage::English);
    EXPECT_EQ(Resolve(TChoice::Auto, TLanguage::Japanese), TLanguage::Japanese);
    EXPECT_EQ(Resolve(TChoice::Japanese, TLanguage::English), TLanguage::Japanese);
    EXPECT_EQ(Resolve(TChoice::English, TLanguage::Japanese), TLanguage::English);
}

TEST(LanguageTest, ReadSettingReadsWhatTheStoreWrote) {
    TTempFolder folder;
    auto path = folder.Path() / "TyporinStats.db";
    {
        TStatsStore store(path);
        store.SetSetting(SettingName, ValueOf(TChoice::English));
    }
    EXPECT_EQ(TStatsStore::ReadSetting(path, SettingName), "en");
    EXPECT_EQ(TStatsStore::ReadSetting(path, "no.such.setting"), std::nullopt);
    EXPECT_EQ(StartLanguage(path), TLanguage::English);
}

TEST(LanguageTest, ReadSettingNeverCreatesOrFailsOnABadFile) {
    TTempFolder folder;
    auto missing = folder.Path() / "missing.db";
    EXPECT_EQ(TStatsStore::ReadSetting(missing, SettingName), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(missing));

    auto garbage = folder.Path() / "garbage.db";
    std::ofstream(garbage) << "this is not a database";
    EXPECT_EQ(TStatsStore::ReadSetting(garbage, SettingName), std::nullopt);
    std::ifstream in(garbage);
    std::string content((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(content, "this is not a database");
}

} // namespace
