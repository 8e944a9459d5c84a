// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/UKeystrokeCounter.h"

#include <QtCore/qnamespace.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One event a text pane sees. Times advance 40 ms per event unless one is given.
struct TEvent {
    enum TKind { Down, Up, Ime } Kind;
    int Key = 0;
    bool Repeat = false;
    std::u16string Commit, Preedit;
    std::int64_t Ms = -1;
};

TEvent Press(int key, bool repeat = false) {
    return {TEvent::Down, key, repeat, {}, {}};
}
TEvent Release(int key, bool repeat = false) {
    return {TEvent::Up, key, repeat, {}, {}};
}
TEvent Preedit(std::u16string text) {
    return {TEvent::Ime, 0, false, {}, std::move(text)};
}
TEvent Commit(std::u16string text, std::u16string preedit = {}) {
    return {TEvent::Ime, 0, false, std::move(text), std::move(preedit)};
}
TEvent At(std::int64_t ms, TEvent event) {
    event.Ms = ms;
    return event;
}

// Feeds the events in order; the strokes each added.
std::vector<int> Feed(TKeystrokeCounter& counter, const std::vector<TEvent>& events) {
    std::vector<int> strokes;
    std::int64_t ms = 1000;
    for (const TEvent& event : events) {
        ms = event.Ms >= 0 ? event.Ms : ms + 40;
        switch (event.Kind) {
        case TEvent::Down:
            strokes.push_back(counter.KeyDown(event.Key, event.Repeat, ms));
            break;
        case TEvent::Up:
            strokes.push_back(counter.KeyUp(event.Key, event.Repeat, ms));
            break;
        case TEvent::Ime:
            strokes.push_back(counter.ImeEvent(event.Commit, event.Preedit, ms));
            break;
        }
    }
    return strokes;
}

int Total(const std::vector<int>& strokes) {
    int total = 0;
    for (int n : strokes)
        total += n;
    return total;
}

struct TStreamCase {
    const char* Name;
    std::vector<TEvent> Events;
    int Strokes;
};

class KeystrokeStreamTest : public testing::TestWithParam<TStreamCase> {};

TEST_P(KeystrokeStreamTest, CountsEachKeyOnce) {
    TKeystrokeCounter counter;
    EXPECT_EQ(Total(Feed(counter, GetParam().Events)), GetParam().Strokes);
}

// "ohayou" and Enter as each kind of engine lets it through (taken from real sessions): six
// keystrokes everywhere, Enter none.
INSTANTIATE_TEST_SUITE_P(
    Ohayou, KeystrokeStreamTest,
    testing::Values(
        TStreamCase{"Direct",
                    {Press(Qt::Key_O), Release(Qt::Key_O), Press(Qt::Key_H), Release(Qt::Key_H),
                     Press(Qt::Key_A), Release(Qt::Key_A), Press(Qt::Key_Y), Release(Qt::Key_Y),
                     Press(Qt::Key_O), Release(Qt::Key_O), Press(Qt::Key_U), Release(Qt::Key_U),
                     Press(Qt::Key_Return), Release(Qt::Key_Return)},
                    6},
        // The press taken, the release seen; Enter commits, then an empty preedit follows.
        TStreamCase{"PressTaken",
                    {Preedit(u""), Preedit(u"お"), Release(Qt::Key_O), Preedit(u"おｈ"),
                     Release(Qt::Key_H), Preedit(u"おは"), Release(Qt::Key_A), Preedit(u"おはｙ"),
                     Release(Qt::Key_Y), Preedit(u"おはよ"), Release(Qt::Key_O),
                     Preedit(u"おはよう"), Release(Qt::Key_U), Commit(u"おはよう"), Preedit(u""),
                     Release(Qt::Key_Return)},
                    6},
        // Press and release taken; only Enter's release comes, once nothing is composed.
        TStreamCase{"PressAndReleaseTaken",
                    {Preedit(u"お"), Preedit(u"おh"), Preedit(u"おは"), Preedit(u"おはy"),
                     Preedit(u"おはよ"), Preedit(u"おはよう"), Commit(u"おはよう"), Preedit(u""),
                     Release(Qt::Key_Return)},
                    6},
        // Kana committed as they are typed, consonants shown; Enter goes through as a key.
        TStreamCase{"CommitsAsTyped",
                    {Commit(u"お"), Release(Qt::Key_O), Preedit(u"h"), Release(Qt::Key_H),
                     Commit(u"は"), Preedit(u""), Release(Qt::Key_A), Preedit(u"y"),
                     Release(Qt::Key_Y), Commit(u"よ"), Preedit(u""), Release(Qt::Key_O),
                     Commit(u"う"), Release(Qt::Key_U), Press(Qt::Key_Return),
                     Release(Qt::Key_Return)},
                    6},
        // As above with releases lost now and then.
        TStreamCase{"SomeReleasesLost",
                    {Commit(u"お"), Preedit(u"h"), Release(Qt::Key_H), Commit(u"は"), Preedit(u""),
                     Preedit(u"y"), Commit(u"よ"), Preedit(u""), Release(Qt::Key_O), Commit(u"う"),
                     Press(Qt::Key_Return), Release(Qt::Key_Return)},
                    6}),
    [](const testing::TestParamInfo<TStreamCase>& info) { return std::string(info.param.Name); });

// Conversion, confirmations, corrections and keys that are no keystrokes.
INSTANTIATE_TEST_SUITE_P(
    Rules, KeystrokeStreamTest,
    testing::Values(
        // n i h o n n, Space converts, Enter confirms: 7 keys.
        TStreamCase{"ConversionPressTaken",
                    {Preedit(u"ｎ"), Release(Qt::Key_N), Preedit(u"に"), Release(Qt::Key_I),
                     Preedit(u"にｈ"), Release(Qt::Key_H), Preedit(u"にほ"), Release(Qt::Key_O),
                     Preedit(u"にほｎ"), Release(Qt::Key_N), Preedit(u"にほん"), Release(Qt::Key_N),
                     Preedit(u"日本"), Release(Qt::Key_Space), Commit(u"日本"), Preedit(u""),
                     Release(Qt::Key_Return)},
                    7},
        TStreamCase{"ConversionPressAndReleaseTaken",
                    {Preedit(u"n"), Preedit(u"に"), Preedit(u"にh"), Preedit(u"にほ"),
                     Preedit(u"にほn"), Preedit(u"にほん"), Preedit(u"日本"), Commit(u"日本"),
                     Preedit(u""), Release(Qt::Key_Return)},
                    7},
        // Shift K a n a, Space: the marked conversion; Enter commits it without its marker and
        // goes through as a line break as well.
        TStreamCase{"MarkedConversionConfirmedByEnter",
                    {Press(Qt::Key_Shift), Preedit(u"▽k"), Release(Qt::Key_Shift),
                     Release(Qt::Key_K), Preedit(u"▽か"), Release(Qt::Key_A), Preedit(u"▽かn"),
                     Release(Qt::Key_N), Preedit(u"▽かな"), Release(Qt::Key_A), Preedit(u"▼仮名"),
                     Release(Qt::Key_Space), Commit(u"仮名"), Preedit(u""), Press(Qt::Key_Return),
                     Release(Qt::Key_Return)},
                    5},
        // A converted word committed by the next letter, as two events or as one.
        TStreamCase{"CommitThenPreeditForOneKey",
                    {Preedit(u"日本"), Commit(u"日本"), Preedit(u"ｋ"), Release(Qt::Key_K)},
                    2},
        TStreamCase{"CommitWithPreeditForOneKey",
                    {Preedit(u"日本"), Commit(u"日本", u"ｋ"), Release(Qt::Key_K)},
                    2},
        // An engine that clears the preedit and then commits it, for Enter.
        TStreamCase{"ClearedThenCommitted",
                    {Preedit(u"あ"), Preedit(u""), Commit(u"あ"), Release(Qt::Key_Return)},
                    1},
        // Backspace and Escape in the preedit count; so does Backspace with nothing composed.
        TStreamCase{"CorrectionsCount",
                    {Preedit(u"ｋ"), Release(Qt::Key_K), Preedit(u"か"), Release(Qt::Key_A),
                     Preedit(u"ｋ"), Release(Qt::Key_Backspace), Preedit(u""),
                     Release(Qt::Key_Escape), Press(Qt::Key_Backspace), Release(Qt::Key_Backspace)},
                    5},
        // Keys that move the caret within the conversion change no text and count nothing.
        TStreamCase{"ClauseMovesCountNothing",
                    {Preedit(u"日本語"), Preedit(u"日本語"), Release(Qt::Key_Left),
                     Preedit(u"日本語"), Release(Qt::Key_Right)},
                    1},
        TStreamCase{"ModifiersAloneCountNothing",
                    {Press(Qt::Key_Shift), Release(Qt::Key_Shift), Press(Qt::Key_Control),
                     Release(Qt::Key_Control), Press(Qt::Key_Alt), Release(Qt::Key_Alt),
                     Press(Qt::Key_Meta), Release(Qt::Key_Meta)},
                    0},
        TStreamCase{
            "ShiftedLetterCountsOnce",
            {Press(Qt::Key_Shift), Press(Qt::Key_A), Release(Qt::Key_A), Release(Qt::Key_Shift)},
            1},
        TStreamCase{"NavigationKeysCountNothing",
                    {Press(Qt::Key_Left), Release(Qt::Key_Left), Press(Qt::Key_Home),
                     Release(Qt::Key_Home), Press(Qt::Key_PageDown), Release(Qt::Key_PageDown),
                     Press(Qt::Key_Enter), Release(Qt::Key_Enter)},
                    0},
        // A key taken without a change shown still counts on its release.
        TStreamCase{"SilentKeyCountsOnItsRelease", {Release(Qt::Key_F6)}, 1},
        // Keys overlapping: the releases come after the next key's event.
        TStreamCase{"OverlappingKeys",
                    {Preedit(u"ｋ"), Preedit(u"か"), Release(Qt::Key_K), Preedit(u"かｎ"),
                     Release(Qt::Key_A), Release(Qt::Key_N)},
                    3},
        // A stroke whose release never came does not take the release of a later key.
        TStreamCase{
            "LostReleaseExpires", {At(1000, Preedit(u"あ")), At(3000, Release(Qt::Key_F6))}, 2}),
    [](const testing::TestParamInfo<TStreamCase>& info) { return std::string(info.param.Name); });

// A held key repeats: each repeated character counts, whatever lets it through.
INSTANTIATE_TEST_SUITE_P(
    AutoRepeat, KeystrokeStreamTest,
    testing::Values(TStreamCase{"Direct",
                                {Press(Qt::Key_A), Release(Qt::Key_A, true), Press(Qt::Key_A, true),
                                 Release(Qt::Key_A, true), Press(Qt::Key_A, true),
                                 Release(Qt::Key_A)},
                                3},
                    TStreamCase{"PressTaken",
                                {Preedit(u"あ"), Release(Qt::Key_A), Preedit(u"ああ"),
                                 Release(Qt::Key_A, true), Preedit(u"あああ"), Release(Qt::Key_A)},
                                3},
                    TStreamCase{"PressAndReleaseTaken",
                                {Preedit(u"あ"), Preedit(u"ああ"), Preedit(u"あああ")},
                                3},
                    TStreamCase{"CommitsAsTyped",
                                {Commit(u"あ"), Release(Qt::Key_A), Commit(u"あ"),
                                 Release(Qt::Key_A), Commit(u"あ"), Release(Qt::Key_A)},
                                3},
                    TStreamCase{"HeldModifier",
                                {Press(Qt::Key_Shift), Press(Qt::Key_Shift, true),
                                 Press(Qt::Key_Shift, true), Release(Qt::Key_Shift)},
                                0}),
    [](const testing::TestParamInfo<TStreamCase>& info) { return std::string(info.param.Name); });

// Each key counts on its first event: the last key of an exercise, whose release comes after
// the exercise ended, is counted by its press or its input-method event.
TEST(KeystrokeCounterTest, TheFirstEventOfAKeyCounts) {
    TKeystrokeCounter counter;
    EXPECT_EQ(Feed(counter, {Press(Qt::Key_D), Release(Qt::Key_D)}), (std::vector<int>{1, 0}));
    EXPECT_EQ(Feed(counter, {Preedit(u"す"), Release(Qt::Key_U)}), (std::vector<int>{1, 0}));
    EXPECT_EQ(Feed(counter, {Commit(u"た"), Release(Qt::Key_A)}), (std::vector<int>{1, 0}));
}

// A new text drops what was composed: a commit of the old preedit is no confirmation then.
TEST(KeystrokeCounterTest, ResetForgetsTheComposition) {
    TKeystrokeCounter counter;
    Feed(counter, {Preedit(u"おは")});
    counter.Reset();
    EXPECT_EQ(Feed(counter, {Commit(u"お")}), std::vector<int>{1});
    // Nothing waits for a release any more.
    counter.Reset();
    EXPECT_EQ(Feed(counter, {Release(Qt::Key_O)}), std::vector<int>{1});
}

// A key held over a reset stays held: its release counts nothing.
TEST(KeystrokeCounterTest, KeysHeldOverAResetStayHeld) {
    TKeystrokeCounter counter;
    EXPECT_EQ(Feed(counter, {Press(Qt::Key_X)}), std::vector<int>{1});
    counter.Reset();
    EXPECT_EQ(Feed(counter, {Release(Qt::Key_X)}), std::vector<int>{0});
}

} // namespace
