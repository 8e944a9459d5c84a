// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuKbClassEx.h"

#include "tests/support/TextPanes.h"

#include <memory>
#include <string>
#include <vector>

// The drill over both text panes, the in-memory one and the Qt one, so that the colours and
// selections are those the learner sees.

namespace {

using ShiftJis::FromUtf16;

// Records what the drill asks of the window and the keyboard.
class TRecordingHost : public TDrillHost {
public:
    std::vector<int> Fingers;
    std::vector<char> Unmarked;
    int TimerStops = 0;
    int NoKeyMarks = 0;
    std::string Status = "unset";
    std::vector<std::string> Boxes;

    void ShowFinger(int finger) override { Fingers.push_back(finger); }
    void UnmarkKey(char c) override { Unmarked.push_back(c); }
    void StopExerciseTimer() override { ++TimerStops; }
    void MarkNoKeys() override { ++NoKeyMarks; }
    void SetStatusText(const std::string& text) override { Status = text; }
    void ShowInformation(const std::string& text) override { Boxes.push_back(text); }
};

inline const std::string DoneHint =
    FromUtf16(u"  [Space]キーで繰り返し    [Enter]キーで次の文字列");

template <class TPane>
class KbClassExTest : public testing::Test {
protected:
    KbClassExTest() : FPane(NewTestPane<TPane>()) { FDrill.InitDrill(*FPane, FHost); }
    ~KbClassExTest() override { FDrill.DoneDrill(); }

    // Loads a text as the window does and shows its first string.
    void Start(std::u16string_view text) { StartBytes(FromUtf16(text)); }
    void StartBytes(std::string_view text) {
        FDrill.LoadText(text);
        FDrill.ShowString();
        FDrill.SetActive(true);
        FDrill.RefreshGuide();
    }

    // Types `keys` one by one; every key is consumed.
    void Type(std::string_view keys) {
        for (char c : keys)
            EXPECT_TRUE(FDrill.KeyPress(c).Consumed) << "key " << c << " not consumed";
    }
    // The key, or 0 when the drill consumed it.
    char Press(char c) { return FDrill.KeyPress(c).Consumed ? 0 : c; }

    // The colour of every byte of line `line`: 's' silver, 'k' black, 'x' anything else.
    std::string Colors(int line) {
        int start = FPane->LineStart(line);
        int length = static_cast<int>(FPane->Line(line).size());
        int selStart = FPane->SelStart(), selLength = FPane->SelLength();
        std::string colors;
        for (int i = 0; i < length; ++i) {
            FPane->Select(start + i, 1);
            TRgb c = FPane->SelColor();
            colors += c == PaneColors::Silver ? 's' : c == PaneColors::Black ? 'k' : 'x';
        }
        FPane->Select(selStart, selLength);
        return colors;
    }
    std::string KanaColors() { return Colors(0); }
    std::string GuideColors() { return Colors(1); }

    // Writes `input` at the end of the pane, as the input method commits it.
    void Commit(std::u16string_view input) {
        FPane->SetSelStart(FPane->TextLength());
        FPane->SetSelText(FromUtf16(input));
    }

    std::unique_ptr<TPane> FPane;
    TRecordingHost FHost;
    TKbClassEx FDrill;
};

TYPED_TEST_SUITE(KbClassExTest, TTextPaneKinds, TTextPaneKindNames);

TYPED_TEST(KbClassExTest, LoadTextKeepsTheNonEmptyLinesCutTo40Bytes) {
    struct TCase {
        const char* Name;
        std::string Text;
        std::vector<std::string> Lines;
    } cases[] = {
        {"three strings, two empty lines",
         FromUtf16(u"あ\r\n\r\nい\n\nう"),
         {FromUtf16(u"あ"), FromUtf16(u"い"), FromUtf16(u"う")}},
        {"lone CR and LF breaks", "a\rb\nc\r\n", {"a", "b", "c"}},
        {"50 ASCII characters", std::string(50, 'x'), {std::string(40, 'x')}},
        {"40 bytes exactly",
         std::string(38, 'x') + FromUtf16(u"あ"),
         {std::string(38, 'x') + FromUtf16(u"あ")}},
        {"cut inside a double-byte character",
         std::string(39, 'x') + FromUtf16(u"あい"),
         {std::string(39, 'x')}},
        {"blanks are a string", "   ", {"   "}},
        {"only empty lines", "\r\n\n\r\r\n", {}},
        {"empty", "", {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        this->FDrill.LoadText(c.Text);
        EXPECT_EQ(this->FDrill.Lines(), c.Lines);
    }
}

TYPED_TEST(KbClassExTest, ShowStringPutsTheKanaOverTheGuide) {
    this->Start(u"しゃしん");
    EXPECT_EQ(this->FPane->Text(), FromUtf16(u"しゃしん\r\nSYASINN"));
    EXPECT_TRUE(this->FPane->ReadOnly());
    EXPECT_EQ(this->FPane->ImeMode(), TImeMode::Disabled);
    EXPECT_EQ(this->FPane->SelStart(), 0);
    EXPECT_EQ(this->FPane->SelLength(), 0);
    EXPECT_EQ(this->KanaColors(), "kkkkkkkk");
    EXPECT_EQ(this->GuideColors(), "kkkkkkk");
    EXPECT_FALSE(this->FDrill.KanaStep());
    EXPECT_EQ(this->FDrill.NextKeyChar(), 'S');
    EXPECT_EQ(this->FHost.Fingers.back(), 2);
    EXPECT_EQ(this->FHost.Status, "");
}

TYPED_TEST(KbClassExTest, EachKeyGreysTheGuideAndACompletedUnitItsKana) {
    this->Start(u"しゃか");
    struct TStep {
        char Key;
        const char* Kana;
        const char* Guide;
        char Next;
    } steps[] = {
        {'S', "kkkkkk", "skkkk", 'Y'}, {'H', "kkkkkk", "sskkk", 'A'}, // SHA under the guide SYA
        {'A', "sssskk", "ssskk", 'K'}, {'K', "sssskk", "ssssk", 'A'}, {'A', "ssssss", "sssss", 0},
    };
    for (const TStep& step : steps) {
        SCOPED_TRACE(testing::Message() << "key " << step.Key);
        this->Type(std::string(1, step.Key));
        EXPECT_EQ(this->KanaColors(), step.Kana);
        EXPECT_EQ(this->GuideColors(), step.Guide);
        EXPECT_EQ(this->FDrill.NextKeyChar(), step.Next);
        EXPECT_EQ(this->FDrill.WrongChar(), 0);
    }
}

TYPED_TEST(KbClassExTest, TheLastKeyFinishesTheString) {
    this->Start(u"あい\r\nう");
    this->Type("AI");
    this->FDrill.RefreshGuide();
    EXPECT_TRUE(this->FDrill.Done());
    EXPECT_EQ(this->FDrill.NextKeyChar(), 0);
    EXPECT_EQ(this->FDrill.WrongChar(), 0);
    EXPECT_EQ(this->FHost.Status, DoneHint);
    EXPECT_EQ(this->FHost.Fingers.back(), 0);
    // Keys other than Space and Enter change nothing, and none counts as wrong.
    EXPECT_EQ(this->Press('A'), 'A');
    EXPECT_EQ(this->Press('\b'), '\b');
    EXPECT_EQ(this->FDrill.WrongChar(), 0);
    EXPECT_TRUE(this->FDrill.Done());
    EXPECT_EQ(this->FDrill.LineIndex(), 0);
}

TYPED_TEST(KbClassExTest, SpaceRepeatsTheStringWithTheSpellingJustTyped) {
    this->Start(u"しか");
    EXPECT_EQ(this->FDrill.Guide(), "SIKA");
    this->Type("SHICA");
    ASSERT_TRUE(this->FDrill.Done());
    this->Type(" ");
    EXPECT_FALSE(this->FDrill.Done());
    EXPECT_EQ(this->FDrill.LineIndex(), 0);
    EXPECT_EQ(this->FDrill.Guide(), "SHICA");
    EXPECT_EQ(this->FPane->Text(), FromUtf16(u"しか\r\nSHICA"));
    EXPECT_EQ(this->KanaColors(), "kkkk");
    EXPECT_EQ(this->GuideColors(), "kkkkk");
    EXPECT_EQ(this->FDrill.NextKeyChar(), 'S');
}

TYPED_TEST(KbClassExTest, AWrongKeyChangesNothingButIsReported) {
    this->Start(u"かき");
    this->Type("K");
    this->Type("X");
    EXPECT_EQ(this->FDrill.WrongChar(), 'X');
    EXPECT_EQ(this->FDrill.Pos(), 2);
    EXPECT_EQ(this->FDrill.NextKeyChar(), 'A');
    EXPECT_EQ(this->GuideColors(), "skkk");
    EXPECT_EQ(this->KanaColors(), "kkkk");
    // Control characters and bytes of no key are wrong keys like any other.
    this->Type("\x1b");
    EXPECT_EQ(this->FDrill.WrongChar(), '\x1b');
    this->Type("A");
    EXPECT_EQ(this->FDrill.WrongChar(), 0);
    EXPECT_EQ(this->GuideColors(), "sskk");
}

TYPED_TEST(KbClassExTest, AStringWithKanjiGoesToTheKanaStep) {
    this->Start(u"あい\r\n漢字かな");
    this->FDrill.NextString();
    EXPECT_TRUE(this->FDrill.KanaStep());
    EXPECT_EQ(this->FHost.Unmarked, std::vector<char>{'A'});
    EXPECT_EQ(this->FDrill.NextKeyChar(), 0);
    EXPECT_EQ(this->FPane->Text(), FromUtf16(u"漢字かな\r\n"));
    EXPECT_FALSE(this->FPane->ReadOnly());
    EXPECT_EQ(this->FPane->ImeMode(), TImeMode::Hiragana);
    EXPECT_EQ(this->FPane->SelStart(), this->FPane->TextLength());
    // Keys but Enter are the input method's.
    EXPECT_EQ(this->Press('A'), 'A');
    EXPECT_EQ(this->FDrill.WrongChar(), 0);
}

TYPED_TEST(KbClassExTest, TheKanaStepComparesTheInputWithTheString) {
    // Selection on line 1, relative to its start; Finished: the string is done.
    struct TCase {
        const char* Name;
        std::u16string_view Example;
        std::u16string_view Input;
        bool Finished;
        int SelStart; // -1: the end of the text
        int SelLength;
    } cases[] = {
        {"equal", u"漢字かな", u"漢字かな", true, -1, 0},
        {"one wrong character", u"漢字かな", u"漢時かな", false, 2, 2},
        {"a single-byte character for a double-byte one", u"漢字かな", u"漢aかな", false, 2, 1},
        {"a double-byte character for a single-byte one", u"漢字z", u"漢字あ", false, 4, 2},
        {"short but right", u"漢字かな", u"漢字", false, -1, 0},
        {"nothing typed", u"漢字かな", u"", false, -1, 0},
        {"surplus", u"漢字かな", u"漢字かなです", false, 8, 4},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        this->Start(c.Example);
        ASSERT_TRUE(this->FDrill.KanaStep());
        this->Commit(c.Input);
        this->FDrill.KanaCheck();
        EXPECT_EQ(this->FDrill.Done(), c.Finished);
        EXPECT_EQ(this->FDrill.KanaStep(), !c.Finished);
        int lineStart = this->FPane->LineStart(1);
        EXPECT_EQ(this->FPane->SelStart(),
                  c.SelStart < 0 ? this->FPane->TextLength() : lineStart + c.SelStart);
        EXPECT_EQ(this->FPane->SelLength(), c.SelLength);
        EXPECT_EQ(this->FPane->ReadOnly(), c.Finished);
        EXPECT_EQ(this->FPane->ImeMode(), c.Finished ? TImeMode::Disabled : TImeMode::Hiragana);
        if (c.Finished) {
            EXPECT_EQ(this->FHost.Status, DoneHint);
        }
    }
}

TYPED_TEST(KbClassExTest, EnterInTheKanaStepChecksAndThenGoesOn) {
    this->Start(u"漢\r\nあ");
    this->Commit(u"漢");
    this->Type("\r");
    EXPECT_TRUE(this->FDrill.Done());
    this->Type("\r");
    EXPECT_FALSE(this->FDrill.KanaStep());
    EXPECT_EQ(this->FPane->Text(), FromUtf16(u"あ\r\nA"));
    EXPECT_EQ(this->FDrill.NextKeyChar(), 'A');
}

TYPED_TEST(KbClassExTest, UnitsWithoutSpellingAreGreyedAndPassedOver) {
    struct TCase {
        const char* Name;
        std::u16string_view Text;
        std::string_view Keys; // typed after the string is shown
        std::string_view Kana; // colours afterwards
        char Next;
        bool Done;
    } cases[] = {
        {"in the middle", u"あ・い", "A", "sssskk", 'I', false},
        {"at the start", u"・あ", "", "sskk", 'A', false},
        {"two in a row at the end", u"あゐ・", "A", "ssssss", 0, true},
        {"the whole string", u"・", "", "ss", 0, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        this->Start(c.Text);
        this->Type(c.Keys);
        EXPECT_EQ(this->KanaColors(), c.Kana);
        EXPECT_EQ(this->FDrill.NextKeyChar(), c.Next);
        EXPECT_EQ(this->FDrill.Done(), c.Done);
    }
}

TYPED_TEST(KbClassExTest, TheNextKeyContinuesTheSpellingBeingTyped) {
    struct TCase {
        const char* Name;
        std::u16string_view Text;
        int Slot, Choice; // the spelling the guide shows
        std::string_view Guide;
        char Key;
        char Next;
    } cases[] = {
        {"C under the guide SHI", u"し", 14, 1, "SHI", 'C', 'I'},
        {"C under the guide TI", u"ち", 26, 0, "TI", 'C', 'H'},
        {"F under the guide HU", u"ふ", 34, 0, "HU", 'F', 'U'},
        {"X under the guide LTU", u"っ", 32, 0, "LTU", 'X', 'T'},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRomajiOptions options;
        options.Choices[static_cast<std::size_t>(c.Slot)] = c.Choice;
        this->FDrill.SetRomajiOptions(options);
        this->Start(c.Text);
        EXPECT_EQ(this->FDrill.Guide(), c.Guide);
        this->Type(std::string(1, c.Key));
        EXPECT_EQ(this->FDrill.WrongChar(), 0);
        EXPECT_EQ(this->FDrill.NextKeyChar(), c.Next);
        this->Type(std::string(1, c.Next));
        EXPECT_EQ(this->FDrill.WrongChar(), 0);
    }
}

TYPED_TEST(KbClassExTest, SmallTsuUnitsGreyExactlyTheirKana) {
    struct TStep {
        std::string_view Keys;
        std::string_view Kana;
    };
    struct TCase {
        const char* Name;
        std::u16string_view Text;
        std::string_view Guide;
        std::vector<TStep> Steps;
    } cases[] = {
        {"two small tsu", u"っっと", "LTUTTO", {{"LTU", "sskkkk"}, {"TTO", "ssssss"}}},
        {"kept past a letter", u"っAか", "AKKA", {{"A", "kkskk"}, {"KKA", "sssss"}}},
        {"kept past two letters",
         u"っABか",
         "ABKKA",
         {{"A", "kkskkk"}, {"B", "kksskk"}, {"KKA", "ssssss"}}},
        {"flushed by a second",
         u"っAっか",
         "ALTUKKA",
         {{"A", "kkskkkk"}, {"LTU", "ssskkkk"}, {"KKA", "sssssss"}}},
        {"left at the end", u"っA", "ALTU", {{"A", "kks"}, {"LTU", "sss"}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        this->Start(c.Text);
        EXPECT_EQ(this->FDrill.Guide(), c.Guide);
        for (const TStep& step : c.Steps) {
            SCOPED_TRACE(testing::Message() << "after " << step.Keys);
            this->Type(step.Keys);
            EXPECT_EQ(this->FDrill.WrongChar(), 0);
            EXPECT_EQ(this->KanaColors(), step.Kana);
        }
        EXPECT_TRUE(this->FDrill.Done());
        EXPECT_EQ(this->GuideColors(), std::string(c.Guide.size(), 's'));
    }
}

TYPED_TEST(KbClassExTest, BadBytesAreShownAndPassedOver) {
    struct TCase {
        const char* Name;
        std::string Text;
        std::string Shown; // line 0 as the pane gives it back
        std::string_view Keys;
    } cases[] = {
        {"a control character", FromUtf16(u"あ") + "\x01" + FromUtf16(u"い"),
         FromUtf16(u"あ") + "\x01" + FromUtf16(u"い"), "AI"},
        {"a byte of no character", "\x80" + FromUtf16(u"あ"), "?" + FromUtf16(u"あ"), "A"},
        {"a lead byte before a blank", "a\x81 b", "a? b", "A B"},
        {"a lone lead byte at the end", "a\x81", "a?", "A"},
        {"DEL", "a\x7f", "a\x7f", "A"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        this->StartBytes(c.Text);
        EXPECT_EQ(this->FPane->Line(0), c.Shown);
        this->Type(c.Keys);
        EXPECT_EQ(this->FDrill.WrongChar(), 0);
        EXPECT_TRUE(this->FDrill.Done());
        EXPECT_EQ(this->KanaColors(), std::string(c.Shown.size(), 's'));
    }
}

TYPED_TEST(KbClassExTest, ATextOfEmptyLinesShowsNothingAndTakesNoKey) {
    this->StartBytes("\r\n\r\n");
    EXPECT_TRUE(this->FDrill.Lines().empty());
    EXPECT_EQ(this->FPane->Text(), "");
    EXPECT_EQ(this->FDrill.NextKeyChar(), 0);
    EXPECT_EQ(this->Press('A'), 'A');
    EXPECT_EQ(this->FDrill.WrongChar(), 0);
    this->FDrill.NextString();
    EXPECT_TRUE(this->FHost.Boxes.empty());
}

TYPED_TEST(KbClassExTest, AMegabyteTextGivesItsLinesCut) {
    std::string line = FromUtf16(u"あいうえおかきくけこさしすせそたちつてとなにぬねの");
    std::string text;
    while (text.size() < 1'000'000)
        text += line + "\r\n";
    this->StartBytes(text);
    EXPECT_EQ(this->FDrill.Lines().size(), text.size() / (line.size() + 2));
    EXPECT_EQ(this->FPane->Line(0), line.substr(0, 40));
    this->StartBytes(std::string(1'000'000, 'a'));
    EXPECT_EQ(this->FDrill.Lines(), std::vector<std::string>{std::string(40, 'a')});
}

TYPED_TEST(KbClassExTest, NextStringSkipsAndEndsAfterTheLast) {
    this->Start(u"あい\r\nう");
    this->Type("A");
    this->FDrill.NextString();
    EXPECT_EQ(this->FPane->Text(), FromUtf16(u"う\r\nU"));
    EXPECT_EQ(this->KanaColors(), "kk");
    EXPECT_EQ(this->FDrill.NextKeyChar(), 'U');
    this->FDrill.NextString();
    EXPECT_EQ(this->FHost.Boxes, std::vector<std::string>{FromUtf16(u"終了しました。")});
    EXPECT_EQ(this->FHost.TimerStops, 1);
    EXPECT_EQ(this->FHost.NoKeyMarks, 1);
    EXPECT_FALSE(this->FDrill.Active());
    EXPECT_EQ(this->FDrill.NextKeyChar(), 0);
    EXPECT_TRUE(this->FPane->ReadOnly());
    EXPECT_EQ(this->FPane->ImeMode(), TImeMode::Disabled);
    this->FDrill.NextString();
    EXPECT_EQ(this->FHost.Boxes.size(), 1u);
}

TYPED_TEST(KbClassExTest, TheGuideInLowerCaseTakesUpperCaseKeys) {
    TRomajiOptions options;
    options.Lower = true;
    this->FDrill.SetRomajiOptions(options);
    this->Start(u"かＡ");
    EXPECT_EQ(this->FPane->Line(1), "kaa");
    EXPECT_EQ(this->FDrill.NextKeyChar(), 'K');
    this->Type("KAA");
    EXPECT_TRUE(this->FDrill.Done());
    EXPECT_EQ(this->GuideColors(), "sss");
}

} // namespace
