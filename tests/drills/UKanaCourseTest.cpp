// SPDX-License-Identifier: GPL-3.0-or-later
#include "drills/UKanaCourse.h"

#include "analysis/UKanaAnalysis.h"
#include "analysis/UKanaChart.h"
#include "platform/ShiftJis.h"
#include "romaji/UuHiraToRoman.h"
#include "romaji/UuKbClassEx.h"
#include "store/UUtf8.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace UKanaCourse;
using ShiftJis::FromUtf16;

std::string Utf8(std::u16string_view text) {
    return UUtf8::FromUtf16(text);
}

int ItemCount() {
    return static_cast<int>(Items().size());
}

// The index in Items() of a unit's first appearance.
int ItemOf(std::u16string_view unit) {
    for (int i = 0; i < ItemCount(); ++i) {
        if (Items()[i].Unit == unit)
            return i;
    }
    ADD_FAILURE() << "not in the course: " << Utf8(unit);
    return -1;
}

// ---- The stage table

TEST(UKanaCourseTableTest, EveryUnitIsATableUnitTaughtOnceInOrder) {
    std::set<std::u16string> tableUnits = {u"ー"};
    for (const UuHiraToRoman::TKanaRow& row : UuHiraToRoman::KanaTable)
        tableUnits.insert(UKanaAnalysis::FoldUnit(row.Katakana));
    std::set<std::u16string_view> taught;
    for (int stage = 0; stage < StageCount; ++stage) {
        const TStage& s = Stages[stage];
        SCOPED_TRACE(Utf8(s.Name));
        int size = StageSize(s);
        EXPECT_GT(size, 0);
        for (int i = size; i < MaxStageUnits; ++i)
            EXPECT_TRUE(s.Units[i].empty()) << "a gap in the units";
        EXPECT_LE(s.Name.size(), 6u);
        EXPECT_LE(FromUtf16(std::u16string(u"コース ") + std::u16string(s.Name)).size(), 20u);
        for (int i = 0; i < size; ++i) {
            std::u16string_view unit = s.Units[i];
            EXPECT_TRUE(tableUnits.contains(std::u16string(unit))) << Utf8(unit);
            EXPECT_EQ(TableUnits(unit), std::vector<std::u16string>{std::u16string(unit)});
            // ん before a vowel is ん taught before: the stage opens words, not a new unit.
            EXPECT_EQ(taught.contains(unit), s.Opens == TGate::NBeforeVowel) << Utf8(unit);
            taught.insert(unit);
        }
        if (s.Opens != TGate::None) {
            EXPECT_EQ(size, 1);
        }
        EXPECT_EQ(EndItem(stage) - FirstItem(stage), size);
    }
    EXPECT_EQ(InitialUnlocked, 5);
    EXPECT_EQ(Stages[0].Units[0], u"あ");
    EXPECT_EQ(EndItem(StageCount - 1), ItemCount());
}

// The analysis window's chart shows every unit of the course with its state, and the course
// teaches every cell of the chart but the small kana alone and the punctuation.
TEST(UKanaCourseTableTest, TheCourseAndTheKanaChartHoldTheSameUnits) {
    std::set<std::u16string_view> course, chart;
    for (const TItem& item : Items())
        course.insert(item.Unit);
    for (const UKanaChart::TSection& section : UKanaChart::Sections) {
        if (section.Title == u"小さい文字" || section.Title == u"記号")
            continue;
        for (int row = section.FirstRow; row < section.FirstRow + section.RowCount; ++row) {
            for (std::u16string_view cell : UKanaChart::Rows[row].Cells) {
                if (!cell.empty())
                    chart.insert(cell);
            }
        }
    }
    EXPECT_EQ(course, chart);
}

// ---- Figures and unlocking

// `count` attempts of `unit` as recorded, `failed` of them with a wrong key (the oldest when
// `failedOldest`, else the newest), each `millis` long with `spelling`; -1 untimed.
struct TTyped {
    std::u16string_view Unit;
    int Count;
    int Failed = 0;
    int Millis = 200;
    std::string Spelling = "KI";
    bool FailedOldest = false;
};

// The recent attempts of a learner with `unlocked` units: each unlocked unit typed 20 times
// without a wrong key at 200 ms, except the course units that `typed` names.
std::vector<TRecentAttempt> Recent(int unlocked, const std::vector<TTyped>& typed) {
    std::set<std::u16string> replaced;
    for (const TTyped& t : typed) {
        for (const std::u16string& unit : TableUnits(t.Unit))
            replaced.insert(unit);
    }
    std::vector<TRecentAttempt> recent;
    std::int64_t order = 0;
    auto add = [&](const TTyped& t) {
        for (int i = 0; i < t.Count; ++i) {
            bool failed = t.FailedOldest ? i < t.Failed : i >= t.Count - t.Failed;
            recent.push_back(
                {std::u16string(t.Unit), ++order, t.Spelling, t.Millis, failed ? 1 : 0});
        }
    };
    for (int i = 0; i < unlocked; ++i) {
        std::u16string_view unit = Items()[i].Unit;
        if (!replaced.contains(std::u16string(unit)) && i == ItemOf(unit))
            add({unit, 20});
    }
    for (const TTyped& t : typed)
        add(t);
    return recent;
}

struct TUnlockCase {
    const char* Name;
    std::vector<TTyped> Typed;
    bool Unlocks;
    TTargets Targets = {};
};

class CourseUnlockTest : public testing::TestWithParam<TUnlockCase> {};

// あ–お and か, き unlocked; く comes next.
TEST_P(CourseUnlockTest, TheNextUnitUnlocksWhenEveryUnlockedUnitIsMastered) {
    const TUnlockCase& c = GetParam();
    const int unlocked = InitialUnlocked + 2;
    std::map<std::u16string, TUnitFigures> figures = RecentFigures(Recent(unlocked, c.Typed));
    TAdvance advance = Advance({unlocked}, figures, c.Targets);
    if (c.Unlocks) {
        ASSERT_TRUE(advance.Unlocked);
        EXPECT_EQ(*advance.Unlocked, unlocked);
        EXPECT_EQ(Items()[*advance.Unlocked].Unit, u"く");
        EXPECT_EQ(advance.Progress.Unlocked, unlocked + 1);
    } else {
        EXPECT_FALSE(advance.Unlocked);
        EXPECT_EQ(advance.Progress.Unlocked, unlocked);
    }
}

// The default targets: 20 attempts, 95 %, 150 keys a minute (400 ms a key).
INSTANTIATE_TEST_SUITE_P(
    Cases, CourseUnlockTest,
    testing::Values(TUnlockCase{"EveryUnitMastered", {}, true},
                    TUnlockCase{"NineteenAttempts", {{u"き", 19}}, false},
                    TUnlockCase{"NinetyFourPercent", {{u"き", 50, 3}}, false},
                    TUnlockCase{"NinetyFivePercentExactly", {{u"き", 20, 1}}, true},
                    TUnlockCase{"SlowMedian", {{u"き", 20, 0, 802}}, false},
                    TUnlockCase{"MedianAtTheTargetIsNotUnder", {{u"き", 20, 0, 800}}, false},
                    // 790 ms for the two keys of KI is 395 ms a key.
                    TUnlockCase{"TimeIsPerKey", {{u"き", 20, 0, 790}}, true},
                    // 1150 ms for the three keys of KKA is 383 ms a key; っか counts for か.
                    TUnlockCase{"ThreeKeysTakeLonger", {{u"っか", 20, 0, 1150, "KKA"}}, true},
                    TUnlockCase{"OneOtherUnlockedUnitFailing", {{u"あ", 20, 2, 200, "A"}}, false},
                    TUnlockCase{"AnotherSlowUnitBlocksToo", {{u"う", 20, 0, 450, "U"}}, false},
                    TUnlockCase{"UntimedAttemptsOnly", {{u"き", 20, 0, -1}}, false},
                    TUnlockCase{"OnlyTheLastFiftyCount", {{u"き", 60, 10, 200, "KI", true}}, true},
                    TUnlockCase{"RecentMistakesCount", {{u"き", 60, 10}}, false},
                    // カ and っか count for か: ten each make twenty.
                    TUnlockCase{"KatakanaAndSmallTsuCountForTheUnit",
                                {{u"カ", 10, 0, 200, "KA"}, {u"っか", 10, 0, 300, "KKA"}},
                                true},
                    TUnlockCase{"HalfOfTheNeededAttempts", {{u"カ", 10, 0, 200, "KA"}}, false},
                    TUnlockCase{"StricterTargets", {{u"き", 20, 1}}, false, {20, 100, 150}},
                    TUnlockCase{"GentlerTargets", {{u"き", 10, 1, 700}}, true, {10, 90, 90}}),
    [](const testing::TestParamInfo<TUnlockCase>& info) { return info.param.Name; });

TEST(UKanaCourseTest, FiguresFoldScriptsSplitTheSmallTsuAndKeepTheNewest) {
    std::vector<TRecentAttempt> recent = {
        {u"シ", 1, "SI", 300, 0}, {u"し", 2, "SHI", 600, 1}, {u"っし", 3, "SSI", 600, 0},
        {u"し", 4, "SI", -1, 0},  {u"ッ", 5, "LTU", 900, 0}, {u"、", 6, ",", 100, 0},
        {u"し", 7, "SI", 100, 0},
    };
    std::map<std::u16string, TUnitFigures> figures = RecentFigures(recent);
    // し: 300/2, 600/3, 600/3, untimed, 100/2 → 150, 200, 200, 50: lower middle 150.
    ASSERT_TRUE(figures.contains(u"し"));
    EXPECT_EQ(figures[u"し"].Attempts, 5);
    EXPECT_EQ(figures[u"し"].Failed, 1);
    EXPECT_EQ(figures[u"し"].MedianMillisPerKey, 150);
    EXPECT_EQ(figures[u"っ"].Attempts, 2);
    EXPECT_EQ(figures[u"っ"].MedianMillisPerKey, 200);
    EXPECT_EQ(figures[u"、"].Attempts, 1);
    EXPECT_FALSE(figures.contains(u"シ"));

    // Of 70 attempts of a unit the newest 50 count, wherever the store listed them.
    std::vector<TRecentAttempt> many;
    for (int i = 70; i >= 1; --i)
        many.push_back({u"か", i, "KA", 100 * i, i <= 20 ? 1 : 0});
    std::swap(many[3], many[60]);
    TUnitFigures ka = RecentFigures(many)[u"か"];
    EXPECT_EQ(ka.Attempts, 50);
    EXPECT_EQ(ka.Failed, 0);
    EXPECT_EQ(ka.MedianMillisPerKey, 100.0 * 45 / 2); // 21..70: lower middle 45
}

TEST(UKanaCourseTest, StatesOfUnitsAndStages) {
    const TProgress progress{InitialUnlocked + 2};
    std::map<std::u16string, TUnitFigures> figures =
        RecentFigures(Recent(progress.Unlocked, {{u"き", 5}}));
    TTargets targets;
    EXPECT_EQ(UnitState(u"あ", progress, figures, targets), TState::Mastered);
    EXPECT_EQ(UnitState(u"カ", progress, figures, targets), TState::Mastered);
    EXPECT_EQ(UnitState(u"き", progress, figures, targets), TState::InProgress);
    EXPECT_EQ(UnitState(u"く", progress, figures, targets), TState::Locked);
    EXPECT_EQ(UnitState(u"ヴぉ", progress, figures, targets), TState::Locked);
    EXPECT_EQ(UnitState(u"ぁ", progress, figures, targets), std::nullopt);
    EXPECT_EQ(UnitState(u"、", progress, figures, targets), std::nullopt);

    std::vector<TStageStatus> stages = StageStatuses(progress, figures, targets);
    ASSERT_EQ(stages.size(), static_cast<std::size_t>(StageCount));
    EXPECT_EQ(stages[0].Name, u"あ行");
    EXPECT_EQ(stages[0].State, TState::Mastered);
    EXPECT_EQ(stages[0].UnlockedUnits, 5);
    EXPECT_EQ(stages[1].State, TState::InProgress);
    EXPECT_EQ(stages[1].UnlockedUnits, 2);
    EXPECT_EQ(stages[1].Units, 5);
    EXPECT_EQ(stages[2].State, TState::Locked);
    EXPECT_EQ(stages[2].UnlockedUnits, 0);
    // The first stage learnt again but not mastered any more.
    figures[u"い"].Failed = 10;
    EXPECT_EQ(StageStatuses(progress, figures, targets)[0].State, TState::InProgress);

    EXPECT_EQ(CurrentStage({InitialUnlocked}), 0);
    EXPECT_EQ(CurrentStage(progress), 1);
    EXPECT_EQ(CurrentStage({ItemCount()}), StageCount - 1);
}

TEST(UKanaCourseTest, NothingUnlocksBeyondTheEndAndProgressOutOfRangeIsClamped) {
    std::map<std::u16string, TUnitFigures> figures = RecentFigures(Recent(ItemCount(), {}));
    TAdvance atEnd = Advance({ItemCount()}, figures, {});
    EXPECT_FALSE(atEnd.Unlocked);
    EXPECT_EQ(atEnd.Progress.Unlocked, ItemCount());
    EXPECT_EQ(Advance({ItemCount() + 40}, figures, {}).Progress.Unlocked, ItemCount());
    TAdvance fromNothing = Advance({0}, figures, {});
    EXPECT_EQ(fromNothing.Unlocked, InitialUnlocked);
    EXPECT_EQ(CurrentStage({-3}), 0);
}

TEST(UKanaCourseTest, UnlockMessagesNameTheNewUnitOrTheNewWords) {
    EXPECT_EQ(UnlockMessage(ItemOf(u"ぬ")), "新しいかな「ぬ」が加わりました。");
    EXPECT_EQ(UnlockMessage(ItemOf(u"ー")), "「ー」とカタカナの単語が加わりました。");
    int gate = FirstItem(StageCount - 1);
    for (int i = 0; i < ItemCount(); ++i) {
        if (Items()[i].Opens == TGate::NBeforeVowel)
            gate = i;
    }
    EXPECT_NE(UnlockMessage(gate).find("あ行・や行・な行"), std::string::npos);
}

// ---- Kept in the store

class CourseStoreTest : public testing::Test {
protected:
    std::filesystem::path File() const { return Folder.Path() / "TyporinStats.db"; }
    TTempFolder Folder;
};

TEST_F(CourseStoreTest, ProgressSurvivesARestartPerInputStyleAndCanBeReset) {
    {
        TStatsStore store(File());
        EXPECT_EQ(LoadProgress(store, TInputStyle::Romaji), TProgress{});
        SaveProgress(store, TInputStyle::Romaji, {42});
        SaveProgress(store, TInputStyle::Kana, {7});
        store.Flush();
    }
    {
        TStatsStore store(File());
        EXPECT_EQ(LoadProgress(store, TInputStyle::Romaji).Unlocked, 42);
        EXPECT_EQ(LoadProgress(store, TInputStyle::Kana).Unlocked, 7);
        ResetProgress(store, TInputStyle::Romaji);
        EXPECT_EQ(LoadProgress(store, TInputStyle::Romaji).Unlocked, InitialUnlocked);
        store.Flush();
    }
    TStatsStore store(File());
    EXPECT_EQ(LoadProgress(store, TInputStyle::Romaji).Unlocked, InitialUnlocked);
    EXPECT_EQ(LoadProgress(store, TInputStyle::Kana).Unlocked, 7);
}

TEST_F(CourseStoreTest, StoredValuesThatMakeNoSenseFallBack) {
    TStatsStore store(File());
    struct TCase {
        std::string Stored;
        int Unlocked;
    } cases[] = {
        {"abc", InitialUnlocked},
        {"", InitialUnlocked},
        {"12x", InitialUnlocked},
        {" 12", InitialUnlocked},
        {"-3", InitialUnlocked},
        {"2", InitialUnlocked},
        {"99999", ItemCount()},
        {"99999999999999", InitialUnlocked},
        {"12", 12},
    };
    for (const TCase& c : cases) {
        store.SetSetting(ProgressSettingName(TInputStyle::Romaji), c.Stored);
        EXPECT_EQ(LoadProgress(store, TInputStyle::Romaji).Unlocked, c.Unlocked) << c.Stored;
    }

    EXPECT_EQ(LoadTargets(store), TTargets{});
    store.SetSetting(MinAttemptsSetting, "30");
    store.SetSetting(MinAccuracySetting, "101");
    store.SetSetting(KeysPerMinuteSetting, "fast");
    EXPECT_EQ(LoadTargets(store), (TTargets{30, 95, 150}));
    SaveTargets(store, {3, 90, 1000});
    EXPECT_EQ(LoadTargets(store), (TTargets{5, 90, 600}));
    EXPECT_EQ(store.Setting(KeysPerMinuteSetting), "600");
}

// ---- Stage texts

// What a text may hold: the table units of its pieces, whether one is in katakana, and whether
// ん stands before あ行, や行 or な行 in one.
struct TTextUnits {
    std::set<std::u16string> Units;
    bool Katakana = false;
    bool NBeforeVowel = false;
};

TTextUnits UnitsOf(const TStageText& text) {
    TTextUnits found;
    for (const std::string& string : text.Strings) {
        EXPECT_LE(string.size(), TKbClassEx::MaxStringBytes);
        std::u16string wide = ShiftJis::ToUtf16(string);
        std::size_t start = 0;
        for (;;) {
            std::size_t end = wide.find(u'、', start);
            std::u16string piece = wide.substr(start, end - start);
            EXPECT_FALSE(piece.empty());
            std::u16string before;
            for (const std::string& unit : DrillUnits(piece)) {
                std::u16string folded = UKanaAnalysis::FoldUnit(ShiftJis::ToUtf16(unit));
                if (before == u"ん" &&
                    std::u16string_view(u"あいうえおやゆよなにぬねの").find(folded[0]) !=
                        std::u16string_view::npos)
                    found.NBeforeVowel = true;
                for (const std::u16string& tableUnit : TableUnits(folded))
                    found.Units.insert(tableUnit);
                before = folded;
            }
            for (char16_t c : piece)
                found.Katakana |= c >= u'ァ' && c <= u'ヶ';
            if (end == std::u16string::npos)
                break;
            start = end + 1;
        }
    }
    return found;
}

// Every stage begun, at every point of the course, with several seeds: nothing locked (nor
// beyond the stage), katakana and ん before a vowel only once their stage has opened them, and
// the stage being learnt shows its newest unit.
TEST(UKanaCourseTextTest, AStageTextNeverHoldsALockedUnit) {
    const UDrillText::TDrillWords& words = UDrillText::BuiltInDrillWords();
    for (int unlocked = InitialUnlocked; unlocked <= ItemCount(); ++unlocked) {
        TProgress progress{unlocked};
        int current = CurrentStage(progress);
        for (int stage = 0; stage <= current; ++stage) {
            int end = std::min(unlocked, EndItem(stage));
            std::set<std::u16string> allowed;
            bool katakana = false, nBeforeVowel = false;
            for (int i = 0; i < end; ++i) {
                allowed.emplace(Items()[i].Unit);
                katakana |= Items()[i].Opens == TGate::Katakana;
                nBeforeVowel |= Items()[i].Opens == TGate::NBeforeVowel;
            }
            int seeds = stage == current ? 6 : 1;
            for (int seed = 0; seed < seeds; ++seed) {
                SCOPED_TRACE("unlocked " + std::to_string(unlocked) + ", stage " +
                             Utf8(Stages[stage].Name) + ", seed " + std::to_string(seed));
                TStageText text = MakeStageText(stage, progress, words, seed);
                ASSERT_TRUE(text.Available) << text.Message;
                EXPECT_EQ(text.Strings.size(), 10u);
                TTextUnits found = UnitsOf(text);
                for (const std::u16string& unit : found.Units)
                    EXPECT_TRUE(allowed.contains(unit)) << "locked: " << Utf8(unit);
                EXPECT_TRUE(!found.Katakana || katakana) << "katakana before its stage";
                EXPECT_TRUE(!found.NBeforeVowel || nBeforeVowel) << "ん before a vowel";
                const TItem& newest = Items()[end - 1];
                if (stage != current)
                    continue;
                if (newest.Opens == TGate::NBeforeVowel) {
                    EXPECT_TRUE(found.NBeforeVowel);
                } else {
                    EXPECT_TRUE(found.Units.contains(std::u16string(newest.Unit)))
                        << "the newest unit " << Utf8(newest.Unit) << " missing";
                }
            }
        }
    }
}

TEST(UKanaCourseTextTest, TheNewestUnitFillsAboutHalfTheWords) {
    const UDrillText::TDrillWords& words = UDrillText::BuiltInDrillWords();
    const std::string nu = FromUtf16(u"ぬ");
    TProgress progress{ItemOf(u"ぬ") + 1};
    int pieces = 0, withNu = 0;
    for (int seed = 0; seed < 20; ++seed) {
        TStageText text = MakeStageText(CurrentStage(progress), progress, words, seed);
        EXPECT_FALSE(text.PairsAdded);
        ASSERT_EQ(text.Favoured, std::vector<std::u16string_view>{u"ぬ"});
        for (const std::string& string : text.Strings) {
            std::u16string wide = ShiftJis::ToUtf16(string);
            std::size_t start = 0;
            for (;;) {
                std::size_t end = wide.find(u'、', start);
                ++pieces;
                withNu += wide.substr(start, end - start).find(u'ぬ') != std::u16string::npos;
                if (end == std::u16string::npos)
                    break;
                start = end + 1;
            }
        }
    }
    EXPECT_GT(withNu * 100 / pieces, 35);
    EXPECT_LT(withNu * 100 / pieces, 65);
}

TEST(UKanaCourseTextTest, PairsJoinTheWordsWhereTooFewWordsHoldTheNewestUnit) {
    const UDrillText::TDrillWords& words = UDrillText::BuiltInDrillWords();
    struct TCase {
        std::u16string_view Newest;
        bool Pairs;
    } cases[] = {
        {u"ほ", true},  // four words with ほ by then
        {u"ぺ", true},  // two
        {u"し", false}, // dozens
        {u"あ", false}, // the vowels: 25 words, each vowel in many
    };
    for (const TCase& c : cases) {
        TProgress progress{std::max(ItemOf(c.Newest) + 1, InitialUnlocked)};
        TStageText text = MakeStageText(CurrentStage(progress), progress, words, 1);
        EXPECT_EQ(text.PairsAdded, c.Pairs) << Utf8(c.Newest);
    }
}

TEST(UKanaCourseTextTest, ALaterStageIsNotAvailableAndEarlierOnesAreReviewed) {
    const UDrillText::TDrillWords& words = UDrillText::BuiltInDrillWords();
    TProgress progress{ItemOf(u"き") + 1};
    TStageText later = MakeStageText(2, progress, words, 1);
    EXPECT_FALSE(later.Available);
    EXPECT_EQ(later.Message, "「さ行」はまだ始まっていません。いまのステージ「か行」のかなを"
                             "身につけると、順に新しいかなが加わります。");
    EXPECT_TRUE(later.Text.empty());

    TStageText first = MakeStageText(0, progress, words, 1);
    EXPECT_EQ(first.Title, FromUtf16(u"コース あ行"));
    EXPECT_EQ(first.Favoured.size(), 5u);
    TTextUnits found = UnitsOf(first);
    EXPECT_FALSE(found.Units.contains(u"か")) << "a review stays within its stage";

    TStageText current = MakeStageText(1, progress, words, 1);
    EXPECT_EQ(current.Favoured, std::vector<std::u16string_view>{u"き"});
    EXPECT_EQ(current.Text, MakeStageText(1, progress, words, 1).Text);
    EXPECT_NE(current.Text, MakeStageText(1, progress, words, 2).Text);
    EXPECT_THROW(MakeStageText(StageCount, progress, words, 1), std::out_of_range);
}

} // namespace
