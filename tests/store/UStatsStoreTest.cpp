// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UStatsStore.h"

#include "store/USqlite.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

namespace fs = std::filesystem;

constexpr int Monday = 20000;

TExerciseHead Touch(int day, TInputStyle style = TInputStyle::Romaji) {
    TExerciseHead head;
    head.Mode = TPracticeMode::Touch;
    head.Style = style;
    head.Title = u"かなのタッチタイプ";
    head.Started = std::int64_t{day} * 86400 + 36000;
    head.Day = day;
    return head;
}

// し typed SHI in `millis`, each key taking a third; `misses` wrong keys on the way.
TUnitAttempt Shi(int millis, std::vector<TKeyMiss> misses = {}) {
    TUnitAttempt a;
    a.Unit = u"し";
    a.Spelling = "SHI";
    a.Millis = millis;
    for (const char* key : {"S", "H", "I"})
        a.Keys.push_back({key, millis < 0 ? -1 : millis / 3});
    a.Misses = std::move(misses);
    return a;
}

class StatsStoreTest : public testing::Test {
protected:
    fs::path File() const { return Folder.Path() / "TyporinStats.db"; }
    TTempFolder Folder;
};

TEST_F(StatsStoreTest, AttemptsAreSummedPerDayUnitAndSpelling) {
    {
        TStatsStore store(File());
        auto id = store.BeginExercise(Touch(Monday));
        store.AddAttempt(id, Shi(300));
        store.AddAttempt(id, Shi(600, {{"H", "J"}, {"H", "G"}}));
        store.Flush();                 // one string
        store.AddAttempt(id, Shi(-1)); // first of the next string: no time
        TUnitAttempt si = Shi(200);
        si.Spelling = "SI";
        si.Keys = {{"S", 100}, {"I", 100}};
        store.AddAttempt(id, si);
        store.SetTotals(id, {20, 9, 2, 4, true});
        store.Sync();

        std::vector<TUnitDay> days = store.UnitDays(TInputStyle::Romaji, INT_MIN);
        ASSERT_EQ(days.size(), 2u);
        const TUnitDay& shi = days[0].Spelling == "SHI" ? days[0] : days[1];
        const TUnitDay& si2 = days[0].Spelling == "SI" ? days[0] : days[1];
        EXPECT_EQ(shi.Unit, u"し");
        EXPECT_EQ(shi.Attempts, 3);
        EXPECT_EQ(shi.Failed, 1);
        EXPECT_EQ(shi.Wrong, 2);
        EXPECT_EQ(shi.Times.Total(), 2u); // the untimed one counts for accuracy only
        EXPECT_NEAR(*shi.Times.Median(), 300, 10);
        EXPECT_EQ(si2.Attempts, 1);

        // Keys: H was due three times and twice something else came instead.
        std::vector<TKeyDay> keys = store.KeyDays(TInputStyle::Romaji, INT_MIN);
        auto key = [&](const std::string& name) {
            for (const TKeyDay& k : keys)
                if (k.Key == name)
                    return k;
            return TKeyDay{};
        };
        EXPECT_EQ(key("S").Expected, 4);
        EXPECT_EQ(key("H").Expected, 3);
        EXPECT_EQ(key("H").Wrong, 2);
        EXPECT_EQ(key("J").Expected, 0);

        std::vector<TMissDay> misses = store.MissDays(TInputStyle::Romaji, INT_MIN);
        ASSERT_EQ(misses.size(), 2u);
        EXPECT_EQ(misses[0].Unit, u"し");

        std::vector<TTouchDay> touch = store.TouchDays(TInputStyle::Romaji, INT_MIN);
        ASSERT_EQ(touch.size(), 1u);
        EXPECT_EQ(touch[0].Seconds, 20);
        EXPECT_EQ(touch[0].Keys, 9);
        EXPECT_EQ(touch[0].WrongKeys, 2);
        EXPECT_EQ(touch[0].Units, 4);
    }
    // Everything is in the file for the next run.
    TStatsStore again(File());
    EXPECT_EQ(again.UnitDays(TInputStyle::Romaji, INT_MIN).size(), 2u);
    TSqlite db(File(), TSqlite::TOpen::ReadOnly);
    EXPECT_EQ(db.QueryInt("SELECT count(*) FROM attempt"), 4);
    EXPECT_EQ(db.QueryInt("SELECT count(*) FROM wrong_key"), 2);
    EXPECT_EQ(db.QueryInt("SELECT count(*) FROM attempt WHERE millis IS NULL"), 1);
    EXPECT_EQ(db.QueryInt("SELECT finished FROM exercise"), 1);
}

TEST_F(StatsStoreTest, DaysAndInputStylesNeverMix) {
    TStatsStore store(File());
    auto monday = store.BeginExercise(Touch(Monday));
    store.AddAttempt(monday, Shi(300));
    auto tuesday = store.BeginExercise(Touch(Monday + 1));
    store.AddAttempt(tuesday, Shi(300));
    store.AddAttempt(tuesday, Shi(300));
    auto kana = store.BeginExercise(Touch(Monday + 1, TInputStyle::Kana));
    TUnitAttempt byKana = Shi(150);
    byKana.Spelling = "D";
    byKana.Keys = {{"D", 150}};
    store.AddAttempt(kana, byKana);
    store.Sync();

    std::vector<TUnitDay> romaji = store.UnitDays(TInputStyle::Romaji, INT_MIN);
    ASSERT_EQ(romaji.size(), 2u);
    EXPECT_EQ(romaji[0].Day, Monday);
    EXPECT_EQ(romaji[1].Attempts, 2);
    EXPECT_EQ(store.UnitDays(TInputStyle::Romaji, Monday + 1).size(), 1u);
    std::vector<TUnitDay> kanaDays = store.UnitDays(TInputStyle::Kana, INT_MIN);
    ASSERT_EQ(kanaDays.size(), 1u);
    EXPECT_EQ(kanaDays[0].Spelling, "D");
}

// The course reads what a learner can do now from each unit's last attempts: they are kept per
// unit and input style across flushes and runs, the oldest dropped beyond the limit.
TEST_F(StatsStoreTest, TheLastAttemptsOfEachUnitAreKeptPerInputStyle) {
    const int kept = TStatsStore::RecentAttemptsKept;
    {
        TStatsStore store(File());
        auto romaji = store.BeginExercise(Touch(Monday));
        auto kana = store.BeginExercise(Touch(Monday, TInputStyle::Kana));
        for (int i = 1; i <= kept + 15; ++i) {
            store.AddAttempt(romaji, Shi(i, i % 7 == 0 ? std::vector<TKeyMiss>{{"H", "J"}}
                                                       : std::vector<TKeyMiss>{}));
            if (i % 20 == 0)
                store.Flush(); // a string end
        }
        store.AddAttempt(romaji, {u"シ", "SI", -1, {}, {}});
        store.AddAttempt(kana, Shi(500));
    }
    TStatsStore store(File());
    std::vector<TRecentAttempt> romaji = store.RecentAttempts(TInputStyle::Romaji);
    ASSERT_EQ(romaji.size(), static_cast<std::size_t>(kept) + 1);
    for (int n = 0; n < kept; ++n) {
        int i = kept + 15 - n;
        EXPECT_EQ(romaji[n].Unit, u"し");
        EXPECT_EQ(romaji[n].Millis, i);
        EXPECT_EQ(romaji[n].Wrong, i % 7 == 0 ? 1 : 0);
        if (n > 0) {
            EXPECT_LT(romaji[n].Order, romaji[n - 1].Order);
        }
    }
    EXPECT_EQ(romaji[kept].Unit, u"シ"); // recorded as typed; the reader folds the scripts
    EXPECT_EQ(romaji[kept].Millis, -1);
    ASSERT_EQ(store.RecentAttempts(TInputStyle::Kana).size(), 1u);

    store.ClearStatistics();
    EXPECT_TRUE(store.RecentAttempts(TInputStyle::Romaji).empty());
}

TEST_F(StatsStoreTest, AnExerciseWithNothingTypedLeavesNoRow) {
    TStatsStore store(File());
    auto idle = store.BeginExercise(Touch(Monday));
    store.SetTotals(idle, {});
    auto typed = store.BeginExercise(Touch(Monday));
    store.SetTotals(typed, {3, 5, 0, 2, false}); // counted, but no unit finished yet
    store.Sync();
    EXPECT_EQ(store.ExerciseCount(TPracticeMode::Touch), 1);
}

TEST_F(StatsStoreTest, CommitsAndBulkMissesAreKeptAndSummed) {
    TStatsStore store(File());
    TExerciseHead head = Touch(Monday);
    head.Mode = TPracticeMode::Sequential;
    auto id = store.BeginExercise(head);
    store.AddCommit(id, {u"朝の", u"朝の", true, 900, 6});
    store.AddCommit(id, {u"散歩", u"参歩", false, 1200, 7});
    store.AddCommit(id, {u"散歩", u"散歩", true, 700, 5});
    head.Mode = TPracticeMode::Bulk;
    auto bulk = store.BeginExercise(head);
    store.AddBulkMisses(bulk, {{u"散", 2}, {u"歩", 1}});
    auto bulk2 = store.BeginExercise(head);
    store.AddBulkMisses(bulk2, {{u"歩", 3}});
    store.Sync();

    std::vector<TCommitDay> commits = store.CommitDays(INT_MIN);
    ASSERT_EQ(commits.size(), 1u);
    EXPECT_EQ(commits[0].Commits, 3);
    EXPECT_EQ(commits[0].Accepted, 2);
    EXPECT_EQ(commits[0].CommittedChars, 4); // characters, not bytes
    EXPECT_EQ(commits[0].Keys, 18);
    std::vector<TCharCount> misses = store.BulkMisses(INT_MIN);
    ASSERT_EQ(misses.size(), 2u);
    EXPECT_EQ(misses[0].Character, u"歩");
    EXPECT_EQ(misses[0].Count, 4);
}

TEST_F(StatsStoreTest, CommitDaysCountJapaneseTextsOnly) {
    TStatsStore store(File());
    TExerciseHead head = Touch(Monday);
    head.Mode = TPracticeMode::Sequential;
    head.Kind = TTextKind::English;
    auto english = store.BeginExercise(head);
    store.AddCommit(english, {u"walk", u"walk", true, 400, 4});
    head.Day = Monday + 1;
    auto alsoEnglish = store.BeginExercise(head);
    store.AddCommit(alsoEnglish, {u"dog", u"dig", false, 300, 3});
    head.Kind = TTextKind::Japanese;
    auto japanese = store.BeginExercise(head);
    store.AddCommit(japanese, {u"犬", u"犬", true, 800, 3});
    store.Sync();

    std::vector<TCommitDay> commits = store.CommitDays(INT_MIN);
    ASSERT_EQ(commits.size(), 1u);
    EXPECT_EQ(commits[0].Day, Monday + 1);
    EXPECT_EQ(commits[0].Commits, 1);
    EXPECT_EQ(commits[0].CommittedChars, 1);
    EXPECT_EQ(commits[0].Keys, 3);
}

TEST_F(StatsStoreTest, SettingsAreReadAtOnceAndKeptForTheNextRun) {
    {
        TStatsStore store(File());
        EXPECT_FALSE(store.Setting("input.style"));
        store.SetSetting("input.style", "kana");
        EXPECT_EQ(store.Setting("input.style"), "kana");
        store.SetSetting("input.style", "romaji");
        store.Flush();
    }
    TStatsStore store(File());
    EXPECT_EQ(store.Setting("input.style"), "romaji");
}

TEST_F(StatsStoreTest, ClearingRemovesStatisticsButKeepsSettingsAndTheRunningExercise) {
    TStatsStore store(File());
    store.SetSetting("keyboard", "us");
    auto id = store.BeginExercise(Touch(Monday));
    store.AddAttempt(id, Shi(300));
    store.Flush();
    store.ClearStatistics();
    EXPECT_TRUE(store.UnitDays(TInputStyle::Romaji, INT_MIN).empty());
    EXPECT_EQ(store.ExerciseCount(TPracticeMode::Touch), 0);
    // The exercise under way goes on recording into the cleared file.
    store.AddAttempt(id, Shi(250));
    store.Sync();
    EXPECT_EQ(store.UnitDays(TInputStyle::Romaji, INT_MIN).size(), 1u);
    EXPECT_EQ(store.ExerciseCount(TPracticeMode::Touch), 1);
    EXPECT_EQ(store.Setting("keyboard"), "us");
}

TEST_F(StatsStoreTest, LocalDaysCountFromTheEpoch) {
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    EXPECT_EQ(TStatsStore::LocalDay(0), 0);
    EXPECT_EQ(TStatsStore::LocalDay(15 * 3600), 1);      // 00:00 of 2 January in Tokyo
    EXPECT_EQ(TStatsStore::LocalDay(1765238400), 20431); // 2025-12-09 09:00 in Tokyo
    unsetenv("TZ");
    tzset();
}

} // namespace
