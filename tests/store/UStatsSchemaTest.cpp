#include "store/UStatsSchema.h"

#include "store/USqlite.h"
#include "store/UStatsStore.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace fs = std::filesystem;

// A row for the tables each version brought, so that an upgrade can be seen to keep them.
const char* SampleRows(int version) {
    switch (version) {
    case 1:
        return "INSERT INTO exercise VALUES (1, 1700000000, 19675, 0, 0, 0, 'あいう', 0, 30, 60,"
               " 2, 25, 1);"
               "INSERT INTO unit VALUES (1, 'し');"
               "INSERT INTO spelling VALUES (1, 1, 'SHI');"
               "INSERT INTO attempt VALUES (1, 1, 320, 0, x'0c0a0a');"
               "INSERT INTO unit_day VALUES (0, 19675, 1, 'SHI', 1, 0, 0, x'3001');"
               "INSERT INTO setting VALUES ('course.target', '300');";
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
            EXPECT_EQ(store.ExerciseCount(TPracticeMode::Touch), 1);
            std::vector<TUnitDay> days = store.UnitDays(TInputStyle::Romaji, INT_MIN);
            ASSERT_EQ(days.size(), 1u);
            EXPECT_EQ(days[0].Unit, u"し");
            EXPECT_EQ(days[0].Attempts, 1);
            EXPECT_EQ(store.Setting("course.target"), "300");
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
