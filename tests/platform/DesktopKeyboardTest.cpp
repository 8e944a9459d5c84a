// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopKeyboard.h"

#include <gtest/gtest.h>

using namespace DesktopKeyboard;
using namespace std::literals;

namespace {

struct TRulesCase {
    const char* Name;
    std::string_view RulesNames;
    int Group;
    std::string_view Layouts;
};

class XkbLayoutsTest : public testing::TestWithParam<TRulesCase> {};

TEST_P(XkbLayoutsTest, LayoutsWithTheGroupInUseFirst) {
    EXPECT_EQ(XkbLayouts(GetParam().RulesNames, GetParam().Group), GetParam().Layouts);
}

INSTANTIATE_TEST_SUITE_P(
    RulesNames, XkbLayoutsTest,
    testing::Values(
        TRulesCase{"Xvfb", "evdev\0pc105\0us\0\0\0"sv, 0, "us"},
        TRulesCase{"Japanese", "evdev\0jp106\0jp\0\0\0"sv, -1, "jp"},
        TRulesCase{"SecondGroup", "evdev\0pc105\0jp,us\0,\0grp:alt_shift_toggle\0"sv, 1, "us,jp"},
        TRulesCase{"Variants", "evdev\0pc105\0us,de\0,nodeadkeys\0\0"sv, 1, "de(nodeadkeys),us"},
        TRulesCase{"GroupBeyondTheList", "evdev\0pc105\0ru,us\0\0\0"sv, 3, "us,ru"},
        TRulesCase{"WithoutTrailingNul", "evdev\0pc105\0jp"sv, 0, "jp"},
        TRulesCase{"EmptyLayouts", "evdev\0pc105\0\0\0\0"sv, 0, ""},
        TRulesCase{"TooFewFields", "evdev\0pc105"sv, 0, ""}, TRulesCase{"Nothing", ""sv, 0, ""}),
    [](const testing::TestParamInfo<TRulesCase>& info) { return info.param.Name; });

// The profile as fcitx5 writes it, with the group in use named by [GroupOrder].
constexpr std::string_view Profile = R"([Groups/0]
# Group Name
Name=Default
# Layout
Default Layout=us
# Default Input Method
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/1]
Name=日本語
Default Layout=jp
DefaultIM=anthy

[GroupOrder]
0=日本語
1=Default
)";

TEST(Fcitx5ProfileTest, DefaultLayoutOfTheGroupInUse) {
    EXPECT_EQ(Fcitx5ProfileLayout(Profile), "jp");
    // Without an order the first group is in use; an item's Layout is not the group's.
    EXPECT_EQ(Fcitx5ProfileLayout("[Groups/0]\nName=Default\nDefault Layout=us\n"
                                  "[Groups/0/Items/0]\nName=keyboard-jp\nLayout=jp\n"),
              "us");
    EXPECT_EQ(Fcitx5ProfileLayout("[Groups/0]\r\nName=Default\r\nDefault Layout = \"jp\" \r\n"),
              "jp");
    EXPECT_EQ(Fcitx5ProfileLayout("[GroupOrder]\n0=Missing\n[Groups/0]\nDefault Layout=us\n"),
              "us");
    EXPECT_EQ(Fcitx5ProfileLayout("[Groups/0]\nName=Default\n"), "");
    EXPECT_EQ(Fcitx5ProfileLayout("Default Layout=us\n"), "") << "outside any group";
    EXPECT_EQ(Fcitx5ProfileLayout(""), "");
    EXPECT_EQ(Fcitx5ProfileLayout("\x81\x82[\n==\n[Groups/0\nDefault Layout\n"), "");
}

struct TFactsCase {
    const char* Name;
    TFacts Facts;
    std::string_view Layouts;
};

class DesktopLayoutsTest : public testing::TestWithParam<TFactsCase> {};

TEST_P(DesktopLayoutsTest, WhatTheSessionTells) {
    EXPECT_EQ(DesktopLayouts(GetParam().Facts), GetParam().Layouts);
}

TFacts X11(std::string rules, int group, std::string fcitx5 = {}) {
    TFacts facts;
    facts.Platform = "xcb";
    facts.XkbRulesNames = std::move(rules);
    facts.XkbGroup = group;
    facts.Fcitx5Running = !fcitx5.empty();
    facts.Fcitx5Layout = std::move(fcitx5);
    return facts;
}

TFacts Wayland(bool fcitx5, std::string told, std::string profile, std::string environment) {
    TFacts facts;
    facts.Platform = "wayland";
    facts.XkbRulesNames = "evdev\0pc105\0us\0\0\0"s; // never read there
    facts.Fcitx5Running = fcitx5;
    facts.Fcitx5Layout = std::move(told);
    facts.Fcitx5Profile = std::move(profile);
    facts.XkbDefaultLayout = std::move(environment);
    return facts;
}

TFacts Offscreen() {
    TFacts facts;
    facts.Platform = "offscreen";
    facts.XkbRulesNames = "evdev\0pc105\0us\0\0\0"s; // not of this session
    return facts;
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, DesktopLayoutsTest,
    testing::Values(TFactsCase{"XKeyboardFirst", X11("evdev\0pc105\0jp,us\0\0\0"s, 1, "jp"),
                               "us,jp"},
                    TFactsCase{"XWithoutRulesAsksFcitx5", X11("", 0, "jp"), "jp"},
                    TFactsCase{"WaylandAsksFcitx5", Wayland(true, "jp", "", "us"), "jp"},
                    TFactsCase{"WaylandFcitx5Profile",
                               Wayland(true, "", "[Groups/0]\nDefault Layout=jp\n", "us"), "jp"},
                    TFactsCase{"ProfileOfAStoppedFcitx5Ignored",
                               Wayland(false, "", "[Groups/0]\nDefault Layout=jp\n", "us"), "us"},
                    TFactsCase{"CompositorsLayout", Wayland(false, "", "", " de "), "de"},
                    TFactsCase{"NothingKnown", Wayland(false, "", "", ""), ""},
                    TFactsCase{"Offscreen", Offscreen(), ""}),
    [](const testing::TestParamInfo<TFactsCase>& info) { return info.param.Name; });

} // namespace
