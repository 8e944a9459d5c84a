// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuKbClassEx.h"

#include "platform/ShiftJis.h"
#include "tests/support/MemoryTextPane.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The drill in kana input: strings typed one key a kana on the JIS kana layout, keys judged by
// their place and Shift, the guide of key legends greyed stroke by stroke, and the record of
// every unit with the keys that typed it.

namespace {

using ShiftJis::FromUtf16;
using ShiftJis::ToUtf16;

class TStrokeHost : public TDrillHost {
public:
    void ShowFinger(int finger) override { Finger = finger; }
    void UnmarkKey(char) override {}
    void UnmarkStroke(TKeyStroke stroke) override { Unmarked.push_back(stroke); }
    void StopExerciseTimer() override {}
    void MarkNoKeys() override {}
    void SetStatusText(const std::string&) override {}
    void ShowInformation(const std::string& text) override { Information = text; }

    int Finger = -1;
    std::vector<TKeyStroke> Unmarked;
    std::string Information;
};

constexpr TKeyStroke K(char key) {
    return {key, false};
}
constexpr TKeyStroke S(char key) {
    return {key, true};
}

struct TExpectedUnit {
    std::u16string Unit;
    std::string Spelling;
    std::vector<std::pair<std::string, std::string>> Misses; // expected, typed
};

struct TKanaCase {
    const char* Name;
    std::u16string Text;
    std::u16string Guide;
    std::vector<TKeyStroke> Strokes; // typed in this order; the string ends finished
    std::vector<TExpectedUnit> Units;
};

// clang-format off
const TKanaCase KanaCases[] = {
    {"plain kana", u"かな", u"かな", {K('T'), K('U')},
     {{u"か", "T", {}}, {u"な", "U", {}}}},
    {"dakuten after the base kana", u"がぎ", u"か゛き゛", {K('T'), K('@'), K('G'), K('@')},
     {{u"が", "T@", {}}, {u"ぎ", "G@", {}}}},
    {"handakuten", u"ぱぽ", u"は゜ほ゜", {K('F'), K('['), K('-'), K('[')},
     {{u"ぱ", "F[", {}}, {u"ぽ", "-[", {}}}},
    {"small kana with Shift", u"ぁっゃ", u"ぁっゃ", {S('3'), S('Z'), S('7')},
     {{u"ぁ", "#", {}}, {u"っ", "Z", {}}, {u"ゃ", "'", {}}}},
    {"を is Shift and 0", u"を", u"を", {S('0')}, {{u"を", "0", {}}}},
    {"katakana by the same keys, ヴ and ー", u"ヴァー", u"う゛ぁー", {K('4'), K('@'), S('3'), K('\\')},
     {{u"ヴ", "4@", {}}, {u"ァ", "#", {}}, {u"ー", "\\", {}}}},
    {"punctuation", u"「ろ」、。・", u"「ろ」、。・",
     {S('['), K('_'), S(']'), S(','), S('.'), S('/')},
     {{u"「", "{", {}}, {u"ろ", "_", {}}, {u"」", "}", {}}, {u"、", "<", {}}, {u"。", ">", {}},
      {u"・", "?", {}}}},
    {"full-width letters and spaces where the keyboard prints them", u"Ａ！　", u"A! ",
     {K('A'), S('1'), K(' ')},
     {{u"Ａ", "A", {}}, {u"！", "!", {}}, {u"\u3000", " ", {}}}},
    {"a wrong key, then the unshifted key of a shifted kana", u"あぁ", u"あぁ",
     {K('E'), K('3'), K('3'), S('3')},
     {{u"あ", "3", {{"3", "E"}}}, {u"ぁ", "#", {{"#", "3"}}}}},
    {"a wrong mark key after the right base", u"ば", u"は゛", {K('F'), K('['), K('@')},
     {{u"ば", "F@", {{"@", "["}}}}},
};
// clang-format on

class DrillKanaTest : public testing::TestWithParam<TKanaCase> {
protected:
    DrillKanaTest() {
        FDrill.InitDrill(FPane, FHost);
        FDrill.SetInputStyle(TInputStyle::Kana, TKeyboardKind::Us);
    }
    ~DrillKanaTest() override { FDrill.DoneDrill(); }

    void Start(std::u16string_view text) {
        FDrill.LoadText(FromUtf16(text));
        FDrill.ShowString();
        FDrill.SetActive(true);
    }
    TRgb ColorAt(int pos, int length) {
        FPane.Select(pos, length);
        return FPane.SelColor();
    }

    TMemoryTextPane FPane;
    TStrokeHost FHost;
    TKbClassEx FDrill;
};

TEST_P(DrillKanaTest, TypesTheStringByKeyPlacesAndRecordsItsUnits) {
    const TKanaCase& c = GetParam();
    Start(c.Text);
    EXPECT_EQ(FDrill.Keyboard(), TKeyboardKind::Jis); // kana input is JIS-only
    EXPECT_EQ(ToUtf16(FDrill.Guide()), c.Guide);
    EXPECT_EQ(ToUtf16(FPane.Line(1)), c.Guide);
    const int guideStart = FPane.LineStart(1);
    int wrong = 0;
    for (std::size_t i = 0; i < c.Strokes.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "stroke " << i);
        const TKeyStroke expected = FDrill.NextStroke();
        const bool right = c.Strokes[i] == expected;
        TKbClassEx::TKeyResult result = FDrill.KeyStroke(c.Strokes[i], 0, 1000 + 100 * i);
        EXPECT_TRUE(result.Consumed);
        if (!right) {
            ++wrong;
            EXPECT_EQ(FDrill.WrongStroke(), c.Strokes[i]);
            EXPECT_EQ(FDrill.NextStroke(), expected);
        } else {
            EXPECT_EQ(FDrill.WrongStroke(), TKeyStroke{});
        }
    }
    EXPECT_TRUE(FDrill.Done());
    EXPECT_EQ(FDrill.NextStroke(), TKeyStroke{});
    EXPECT_EQ(FDrill.Misses(), wrong);
    // Every legend of the guide and every kana of the string greyed.
    EXPECT_EQ(ColorAt(guideStart, static_cast<int>(FPane.Line(1).size())), PaneColors::Silver);
    EXPECT_EQ(ColorAt(0, static_cast<int>(FPane.Line(0).size())), PaneColors::Silver);

    std::vector<TUnitAttempt> attempts = FDrill.TakeAttempts();
    ASSERT_EQ(attempts.size(), c.Units.size());
    for (std::size_t i = 0; i < attempts.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "unit " << i);
        EXPECT_EQ(attempts[i].Unit, c.Units[i].Unit);
        EXPECT_EQ(attempts[i].Spelling, c.Units[i].Spelling);
        EXPECT_EQ(attempts[i].Keys.size(), attempts[i].Spelling.size());
        std::vector<std::pair<std::string, std::string>> misses;
        for (const TKeyMiss& m : attempts[i].Misses)
            misses.emplace_back(m.Expected, m.Typed);
        EXPECT_EQ(misses, c.Units[i].Misses);
    }
    EXPECT_EQ(FDrill.CharsTyped(), static_cast<int>(c.Text.size()));
    EXPECT_EQ(FDrill.MissedStrings().size(), wrong > 0 ? 1U : 0U);
}

INSTANTIATE_TEST_SUITE_P(KanaTexts, DrillKanaTest, testing::ValuesIn(KanaCases),
                         [](const testing::TestParamInfo<TKanaCase>& info) {
                             std::string name;
                             for (const char* p = info.param.Name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST_F(DrillKanaTest, TheGuideGreysOneLegendAStrokeAndTheKanaAtItsLastStroke) {
    Start(u"がく");
    const int guideStart = FPane.LineStart(1);
    FDrill.KeyStroke(K('T'), 't');
    EXPECT_EQ(ColorAt(guideStart, 2), PaneColors::Silver);    // か
    EXPECT_EQ(ColorAt(guideStart + 2, 2), PaneColors::Black); // ゛
    EXPECT_EQ(ColorAt(0, 2), PaneColors::Black);              // が not yet
    EXPECT_EQ(FDrill.NextStroke(), K('@'));
    EXPECT_EQ(FDrill.NextKeyChar(), '@');
    FDrill.KeyStroke(K('@'), '@');
    EXPECT_EQ(ColorAt(guideStart + 2, 2), PaneColors::Silver);
    EXPECT_EQ(ColorAt(0, 2), PaneColors::Silver);
    EXPECT_EQ(ColorAt(2, 2), PaneColors::Black);
    EXPECT_EQ(FDrill.NextStroke(), K('H'));
}

TEST_F(DrillKanaTest, KeysWithoutAPlaceAreWrongAndSpaceAndEnterStillRepeatAndGoOn) {
    Start(u"あ\r\nい");
    // Enter has no place on the picture: a wrong key, named as the statistics name it.
    FDrill.KeyStroke(std::nullopt, '\r');
    EXPECT_EQ(FDrill.WrongChar(), '\r');
    EXPECT_EQ(FDrill.WrongStroke(), TKeyStroke{});
    FDrill.KeyStroke(K('3'), '3');
    EXPECT_TRUE(FDrill.Done());
    std::vector<TUnitAttempt> attempts = FDrill.TakeAttempts();
    ASSERT_EQ(attempts.size(), 1U);
    ASSERT_EQ(attempts[0].Misses.size(), 1U);
    EXPECT_EQ(attempts[0].Misses[0].Typed, "Enter");
    // Space repeats the finished string, Enter goes on to the next.
    FDrill.KeyStroke(K(' '), ' ');
    EXPECT_EQ(FDrill.LineIndex(), 0);
    EXPECT_FALSE(FDrill.Done());
    FDrill.KeyStroke(K('3'), '3');
    FDrill.KeyStroke(std::nullopt, '\r');
    EXPECT_EQ(FDrill.LineIndex(), 1);
    EXPECT_EQ(FDrill.NextStroke(), K('E'));
    FDrill.KeyStroke(K('E'), 'e');
    FDrill.KeyStroke(std::nullopt, '\r');
    EXPECT_FALSE(FDrill.Active());
    EXPECT_EQ(ToUtf16(FHost.Information), u"終了しました。");
}

TEST_F(DrillKanaTest, CharactersWithoutAPlaceAreTakenAsTheKeysThatTypeThem) {
    // Offscreen platforms give no key places: the character is judged as its JIS stroke.
    Start(u"ちぃ");
    FDrill.KeyPress('a');
    EXPECT_EQ(FDrill.UnitIndex(), 1);
    FDrill.KeyPress('e');
    EXPECT_EQ(FDrill.WrongStroke(), K('E'));
    FDrill.KeyPress('E');
    EXPECT_EQ(FDrill.WrongStroke(), K('E'));
    EXPECT_EQ(FDrill.NextStroke(), S('E'));
}

TEST_F(DrillKanaTest, FingersAreThoseOfTheNextKeysPlace) {
    Start(u"ぬゃー");
    EXPECT_EQ(FDrill.NextKeyChar(), '1');
    FDrill.RefreshGuide();
    EXPECT_EQ(FHost.Finger, 1);
    FDrill.KeyStroke(K('1'), '1');
    FDrill.RefreshGuide();
    EXPECT_EQ(FHost.Finger, 5); // Shift and 7: the right index finger
    FDrill.KeyStroke(S('7'), '\'');
    FDrill.RefreshGuide();
    EXPECT_EQ(FHost.Finger, 8); // the yen key
}

TEST_F(DrillKanaTest, AStringWithKanjiIsTheKanaStepAndUnmarksTheNextStroke) {
    Start(u"ま\r\n漢字");
    FDrill.KeyStroke(K('J'), 'j');
    FDrill.KeyStroke(std::nullopt, '\r');
    EXPECT_TRUE(FDrill.KanaStep());
    EXPECT_EQ(FDrill.NextStroke(), TKeyStroke{});
    // The kana step is the input method's: keys by place are left to it.
    EXPECT_FALSE(FDrill.KeyStroke(K('A'), 'a').Consumed);
}

TEST_F(DrillKanaTest, UnitsNoKeyTypesArePassedOver) {
    Start(u"ゐあ");
    EXPECT_EQ(FDrill.UnitIndex(), 1);
    EXPECT_EQ(FDrill.NextStroke(), K('3'));
    FDrill.KeyStroke(K('3'), '3');
    EXPECT_TRUE(FDrill.Done());
}

TEST_F(DrillKanaTest, RomajiInputIsUnchangedByTheKeyPlaces) {
    FDrill.SetInputStyle(TInputStyle::Romaji, TKeyboardKind::Us);
    EXPECT_EQ(FDrill.Keyboard(), TKeyboardKind::Us);
    Start(u"か");
    EXPECT_EQ(FPane.Line(1), "KA");
    // The place is not looked at: the character is judged.
    FDrill.KeyStroke(K('Q'), 'K');
    FDrill.KeyStroke(K('Q'), 'A');
    EXPECT_TRUE(FDrill.Done());
    EXPECT_EQ(FDrill.NextStroke(), TKeyStroke{});
}

} // namespace
