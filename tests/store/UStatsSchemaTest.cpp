// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UStatsSchema.h"

#include "store/USqlite.h"
#include "store/UStatsStore.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace fs = std::filesystem;

// Rows for the tables each version brought, so that an upgrade can be seen to keep them: one
// exercise with one attempt of し and 60 of か (the first untimed, every tenth with a wrong
// key), and a kana-input exercise with one attempt of し.
const char* SampleRows(int version) {
    switch (version) {
    case 1:
        return "INSERT INTO exercise VALUES (1, 1700000000, 19675, 0, 0, 0, 'あいう', 0, 30, 60,"
               " 2, 25, 1);"
               "INSERT INTO exercise VALUES (2, 1700000100, 19675, 0, 1, 0, 'かな', 0, 10, 5,"
               " 0, 5, 1);"
               "INSERT INTO unit VALUES (1, 'し');"
               "INSERT INTO unit VALUES (2, 'か');"
               "INSERT INTO spelling VALUES (1, 1, 'SHI');"
               "INSERT INTO spelling VALUES (2, 2, 'KA');"
               "INSERT INTO spelling VALUES (3, 1, 'd');"
               "INSERT INTO attempt VALUES (1, 1, 320, 0, x'0c0a0a');"
               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 60)"
               " INSERT INTO attempt SELECT 1, 2, CASE WHEN i = 1 THEN NULL ELSE 100 + i END,"
               " i % 10 = 0, x'0a0a' FROM n;"
               "INSERT INTO attempt VALUES (2, 3, 250, 1, x'19');"
               "INSERT INTO unit_day VALUES (0, 19675, 1, 'SHI', 1, 0, 0, x'3001');"
               "INSERT INTO setting VALUES ('course.target', '300');";
    case 2:
        // What the version-2 writer kept of the rows above: the attempts are rows 1, 2–61, 62.
        return "INSERT INTO recent_attempt VALUES (0, 1, 1, 'SHI', 320, 0);"
               "INSERT INTO recent_attempt VALUES (1, 1, 62, 'd', 250, 1);"
               "WITH RECURSIVE n(i) AS (SELECT 11 UNION ALL SELECT i + 1 FROM n WHERE i < 60)"
               " INSERT INTO recent_attempt SELECT 0, 2, i + 1, 'KA', 100 + i, i % 10 = 0 FROM n;";
    default:
        return "";
    }
}

class StatsSchemaTest : public testing::Test {
protected:
    fs::path File() const { return Folder.Path() / "TyporinStats.db"; }
    TTempFolder Folder;
};

TEST_F(StatsSchemaTest, ANewFileGetsEveryTableOfTheCurrentVersion) {
    {
        TSqlite db(File(), TSqlite::TOpen::ReadWriteCreate);
        EXPECT_EQ(UStatsSchema::Inspect(db), UStatsSchema::TState::Empty);
        UStatsSchema::Upgrade(db);
        EXPECT_EQ(UStatsSchema::Inspect(db), UStatsSchema::TState::Current);
        EXPECT_EQ(db.QueryInt("PRAGMA user_version"), UStatsSchema::CurrentVersion());
        for (std::string_view table : UStatsSchema::TableNames()) {
            std::string sql = "SELECT count(*) FROM " + std::string(table);
            EXPECT_EQ(db.QueryInt(sql.c_str()), 0) << table;
        }
    }
}

// Every version a released program may have left is brought up to date, and what it held stays.
TEST_F(StatsSchemaTest, EveryEarlierVersionIsUpgradedWithItsRows) {
    for (int from = 1; from < UStatsSchema::CurrentVersion() + 1; ++from) {
        SCOPED_TRACE("from version " + std::to_string(from));
        fs::remove(File());
        {
            TSqlite db(File(), TSqlite::TOpen::ReadWriteCreate);
            UStatsSchema::UpgradeTo(db, from);
            for (int v = 1; v <= from; ++v)
                db.Exec(SampleRows(v));
        }
        {
            TStatsStore store(File());
            EXPECT_FALSE(store.TakeProblem());
            EXPECT_TRUE(store.Writable());
            EXPECT_EQ(store.ExerciseCount(TPracticeMode::Touch), 2);
            std::vector<TUnitDay> days = store.UnitDays(TInputStyle::Romaji, INT_MIN);
            ASSERT_EQ(days.size(), 1u);
            EXPECT_EQ(days[0].Unit, u"し");
            EXPECT_EQ(days[0].Attempts, 1);
            EXPECT_EQ(store.Setting("course.target"), "300");

            // The last attempts of each unit, per input style, newest first.
            std::vector<TRecentAttempt> romaji = store.RecentAttempts(TInputStyle::Romaji);
            ASSERT_EQ(romaji.size(), 51u);
            EXPECT_EQ(romaji[0].Unit, u"し");
            EXPECT_EQ(romaji[0].Spelling, "SHI");
            EXPECT_EQ(romaji[0].Millis, 320);
            EXPECT_EQ(romaji[0].Wrong, 0);
            const int kept = TStatsStore::RecentAttemptsKept;
            for (int n = 0; n < kept; ++n) {
                const TRecentAttempt& ka = romaji[1 + n];
                int i = 60 - n; // the 60th attempt of か first, down to the 11th
                EXPECT_EQ(ka.Unit, u"か");
                EXPECT_EQ(ka.Spelling, "KA");
                EXPECT_EQ(ka.Millis, 100 + i) << i;
                EXPECT_EQ(ka.Wrong, i % 10 == 0 ? 1 : 0) << i;
                if (n > 0) {
                    EXPECT_LT(ka.Order, romaji[n].Order);
                }
            }
            std::vector<TRecentAttempt> kana = store.RecentAttempts(TInputStyle::Kana);
            ASSERT_EQ(kana.size(), 1u);
            EXPECT_EQ(kana[0].Unit, u"し");
            EXPECT_EQ(kana[0].Spelling, "d");
            EXPECT_EQ(kana[0].Wrong, 1);

            // Attempts written after the upgrade join them, and the oldest go.
            TExerciseHead head;
            head.Started = 1700001000;
            head.Day = 19675;
            auto id = store.BeginExercise(head);
            store.AddAttempt(id, {u"か", "CA", 90, {}, {}});
            store.Sync();
            romaji = store.RecentAttempts(TInputStyle::Romaji);
            ASSERT_EQ(romaji.size(), 51u);
            EXPECT_EQ(romaji[1].Spelling, "CA");
            EXPECT_EQ(romaji[1].Millis, 90);
            EXPECT_EQ(romaji.back().Millis, 112); // the 11th attempt went
        }
        TSqlite db(File(), TSqlite::TOpen::ReadOnly);
        EXPECT_EQ(UStatsSchema::Inspect(db), UStatsSchema::TState::Current);
    }
}

TEST_F(StatsSchemaTest, TablesOfAnotherKindOrALaterVersionAreToldApart) {
    std::string current = std::to_string(UStatsSchema::CurrentVersion());
    struct TCase {
        const char* Name;
        std::string Sql;
        UStatsSchema::TState State;
    };
    const TCase cases[] = {
        {"another program's tables", "CREATE TABLE notes (text TEXT)",
         UStatsSchema::TState::Foreign},
        {"our version with a table missing",
         "PRAGMA user_version = " + current + "; CREATE TABLE setting (name TEXT)",
         UStatsSchema::TState::Foreign},
        {"a later version", "PRAGMA user_version = 999", UStatsSchema::TState::Newer},
    };
    for (const TCase& c : cases) {
        fs::remove(File());
        TSqlite db(File(), TSqlite::TOpen::ReadWriteCreate);
        db.Exec(c.Sql.c_str());
        EXPECT_EQ(UStatsSchema::Inspect(db), c.State) << c.Name;
    }
}

} // namespace
