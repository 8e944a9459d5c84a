// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ImeSession.h"

#include <gtest/gtest.h>

namespace {

using namespace ImeSession;

TFacts Session(std::string module, bool fcitx5, bool ibus, bool fcitxModule = true,
               bool ibusModule = true) {
    TFacts facts;
    facts.ImModule = std::move(module);
    facts.Fcitx5Running = fcitx5;
    // fcitx5 answers for ibus's clients as well where its module for them runs.
    facts.IBusRunning = ibus;
    facts.FcitxModule = fcitxModule;
    facts.IBusModule = ibusModule;
    facts.Fcitx5TriggerKeys = DefaultFcitx5TriggerKeys();
    return facts;
}

struct TChoiceCase {
    const char* Name;
    TFacts Facts;
    const char* Module; // "" leaves QT_IM_MODULE as it is
};

class ChooseModuleTest : public testing::TestWithParam<TChoiceCase> {};

TEST_P(ChooseModuleTest, Chooses) {
    TChoice choice = ChooseModule(GetParam().Facts);
    EXPECT_EQ(choice.Module, GetParam().Module);
    // A choice is said on stderr, naming what was set; no choice says nothing.
    if (choice.Module.empty())
        EXPECT_TRUE(choice.Note.isEmpty());
    else
        EXPECT_TRUE(choice.Note.contains(QStringLiteral("QT_IM_MODULE=") +
                                         QString::fromStdString(choice.Module)))
            << choice.Note.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChooseModuleTest,
    testing::Values(
        TChoiceCase{"Fcitx5Runs", Session("", true, false), "fcitx"},
        TChoiceCase{"Fcitx5AnsweringForIBusTooTakesItsOwnModule", Session("", true, true), "fcitx"},
        TChoiceCase{"IBusRuns", Session("", false, true), "ibus"},
        TChoiceCase{"Fcitx5WithoutItsQtModuleIsReachedAsIBus", Session("", true, true, false),
                    "ibus"},
        TChoiceCase{"Fcitx5WithNoModuleAtAll", Session("", true, false, false), ""},
        TChoiceCase{"IBusWithoutItsQtModule", Session("", false, true, true, false), ""},
        TChoiceCase{"NothingRuns", Session("", false, false), ""},
        TChoiceCase{"TheLearnersSettingStays", Session("ibus", true, false), ""},
        TChoiceCase{"EvenASettingOfNoModuleStays", Session("none", true, true), ""}),
    [](const testing::TestParamInfo<TChoiceCase>& info) { return std::string(info.param.Name); });

TEST(ImeSessionTest, FrameworkOfAModuleName) {
    EXPECT_EQ(FrameworkOf(""), TFramework::None);
    EXPECT_EQ(FrameworkOf("fcitx"), TFramework::Fcitx5);
    EXPECT_EQ(FrameworkOf("FCITX5"), TFramework::Fcitx5);
    EXPECT_EQ(FrameworkOf("ibus"), TFramework::IBus);
    EXPECT_EQ(FrameworkOf("compose"), TFramework::Other);
}

struct THintCase {
    const char* Name;
    TFacts Facts;
    const char16_t* Hint;
};

class ImeOffHintTest : public testing::TestWithParam<THintCase> {};

TEST_P(ImeOffHintTest, NamesWhatWorks) {
    EXPECT_EQ(ImeOffHint(GetParam().Facts).toStdU16String(), GetParam().Hint);
}

TFacts WithKeys(TFacts facts, std::vector<std::string> keys) {
    facts.Fcitx5TriggerKeys = std::move(keys);
    return facts;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ImeOffHintTest,
    testing::Values(
        THintCase{"Fcitx5DefaultKeys", Session("fcitx", true, false),
                  u"日本語入力がオフです。Ctrl+Space または 全角/半角 で日本語入力をオンにしてく"
                  u"ださい。"},
        THintCase{"Fcitx5ConfiguredKeys",
                  WithKeys(Session("fcitx", true, false), {"Shift+space", "Henkan"}),
                  u"日本語入力がオフです。Shift+Space または 変換 で日本語入力をオンにしてくださ"
                  u"い。"},
        THintCase{"Fcitx5WithoutTriggerKeys", WithKeys(Session("fcitx", true, false), {}),
                  u"日本語入力がオフです。fcitx5 で日本語入力をオンにしてください。"},
        THintCase{"IBus", Session("ibus", false, true),
                  u"日本語入力がオフです。全角/半角キーで日本語入力をオンにしてください。"},
        THintCase{"Fcitx5ReachedAsIBus", Session("ibus", true, true, false),
                  u"日本語入力がオフです。Ctrl+Space または 全角/半角 で日本語入力をオンにしてく"
                  u"ださい。"},
        THintCase{"NoModuleSet", Session("", false, false),
                  u"日本語入力につながっていません。fcitx5 なら QT_IM_MODULE=fcitx、ibus なら "
                  u"QT_IM_MODULE=ibus を設定して起動しなおしてください（マニュアルの「日本語入"
                  u"力」のページ）。"},
        THintCase{"FrameworkNotRunning", Session("fcitx", false, false),
                  u"日本語入力につながっていません。fcitx5 なら QT_IM_MODULE=fcitx、ibus なら "
                  u"QT_IM_MODULE=ibus を設定して起動しなおしてください（マニュアルの「日本語入"
                  u"力」のページ）。"},
        THintCase{"Fcitx5WithoutItsQtModule", Session("", true, false, false, false),
                  u"日本語入力につながっていません。Qt 6 用の fcitx5 のモジュール "
                  u"(fcitx5-frontend-qt6) をインストールして起動しなおしてください（マニュアルの"
                  u"「日本語入力」のページ）。"}),
    [](const testing::TestParamInfo<THintCase>& info) { return std::string(info.param.Name); });

TEST(ImeSessionTest, Fcitx5TriggerKeysComeFromTheirSection) {
    const char* config = "[Hotkey]\n"
                         "EnumerateWithTriggerKeys=True\n"
                         "\n"
                         "[Hotkey/TriggerKeys]\n"
                         "0=Control+space\r\n"
                         "# a comment\n"
                         "1 = Zenkaku_Hankaku\n"
                         "2=\"Shift+Henkan\"\n"
                         "\n"
                         "[Hotkey/ActivateKeys]\n"
                         "0=Hangul_Hanja\n";
    EXPECT_EQ(Fcitx5TriggerKeys(config),
              (std::vector<std::string>{"Control+space", "Zenkaku_Hankaku", "Shift+Henkan"}));
    // A section left empty means no trigger keys; no section means fcitx5's defaults apply.
    EXPECT_EQ(Fcitx5TriggerKeys("[Hotkey/TriggerKeys]\n[Behavior]\nA=1\n"),
              std::vector<std::string>{});
    EXPECT_EQ(Fcitx5TriggerKeys("[Behavior]\nActiveByDefault=False\n"), std::nullopt);
    EXPECT_EQ(Fcitx5TriggerKeys(""), std::nullopt);
    // Entries of other sections never count, whatever their names.
    EXPECT_EQ(Fcitx5TriggerKeys("[Hotkey/TriggerKeysX]\n0=a\n[Hotkey/TriggerKeys]\n0=b"),
              std::vector<std::string>{"b"});
}

TEST(ImeSessionTest, KeyCaptionsAsOnTheKeyboard) {
    struct {
        const char* Key;
        const char16_t* Caption;
    } cases[] = {
        {"Control+space", u"Ctrl+Space"},
        {"Zenkaku_Hankaku", u"全角/半角"},
        {"Shift+Henkan_Mode", u"Shift+変換"},
        {"Muhenkan", u"無変換"},
        {"Super+Shift+a", u"Super+Shift+a"},
        {"plus", u"plus"},
        {"Control++", u"Ctrl++"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyCaption(c.Key).toStdU16String(), c.Caption) << c.Key;
}

} // namespace
