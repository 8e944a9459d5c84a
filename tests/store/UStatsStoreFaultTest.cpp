// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics store when its file cannot be used: practice goes on, one message tells why,
// and nothing recorded is lost that a later write can still save.

#include "store/UStatsStore.h"

#include "platform/FileIo.h"
#include "store/USqlite.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ReadOnlyPath.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int Day = 20000;

TExerciseHead Head() {
    TExerciseHead head;
    head.Title = u"テスト";
    head.Day = Day;
    return head;
}

TUnitAttempt Ka() {
    TUnitAttempt a;
    a.Unit = u"か";
    a.Spelling = "KA";
    a.Millis = 250;
    a.Keys = {{"K", 120}, {"A", 130}};
    return a;
}

int Attempts(TStatsStore& store) {
    int n = 0;
    for (const TUnitDay& day : store.UnitDays(TInputStyle::Romaji, INT_MIN))
        n += day.Attempts;
    return n;
}

std::vector<fs::path> BrokenFiles(const fs::path& folder) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with("TyporinStats.db.broken-") &&
            !entry.path().string().ends_with("-wal"))
            found.push_back(entry.path());
    }
    return found;
}

class StatsStoreFaultTest : public testing::Test {
protected:
    fs::path File() const { return Folder.Path() / "TyporinStats.db"; }
    // A store file of `attempts` attempts, written and closed.
    void MakeStore(int attempts) {
        TStatsStore store(File());
        auto id = store.BeginExercise(Head());
        for (int i = 0; i < attempts; ++i)
            store.AddAttempt(id, Ka());
    }
    TTempFolder Folder;
};

TEST_F(StatsStoreFaultTest, ADamagedFileIsMovedAsideAndAFreshOneStarted) {
    struct TCase {
        const char* Name;
        std::function<void(const fs::path&)> Damage;
    };
    const TCase cases[] = {
        {"not a database", [](const fs::path& f) { SaveWholeFile(f, "練習の記録ではありません"); }},
        {"cut inside its header", [](const fs::path& f) { SaveWholeFile(f, "SQLite format 3"); }},
        {"truncated",
         [](const fs::path& f) {
             std::string bytes = ReadWholeFile(f);
             SaveWholeFile(f, bytes.substr(0, bytes.size() / 2));
         }},
        {"another program's tables",
         [](const fs::path& f) {
             fs::remove(f);
             TSqlite db(f, TSqlite::TOpen::ReadWriteCreate);
             db.Exec("CREATE TABLE notes (text TEXT)");
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        for (const auto& entry : fs::directory_iterator(Folder.Path()))
            fs::remove_all(entry.path());
        MakeStore(2000);
        c.Damage(File());
        std::string damaged = ReadWholeFile(File());

        TStatsStore store(File());
        std::optional<std::string> message = store.TakeProblem();
        ASSERT_TRUE(message);
        std::vector<fs::path> broken = BrokenFiles(Folder.Path());
        ASSERT_EQ(broken.size(), 1u);
        EXPECT_EQ(ReadWholeFile(broken[0]), damaged);
        EXPECT_NE(message->find(broken[0].string()), std::string::npos) << *message;
        EXPECT_NE(message->find(": " + File().string()), std::string::npos) << *message;
        EXPECT_NE(message->find("\xE5\xA3\x8A"), std::string::npos) << *message; // 壊

        auto id = store.BeginExercise(Head());
        store.AddAttempt(id, Ka());
        store.Sync();
        EXPECT_TRUE(store.Writable());
        EXPECT_EQ(Attempts(store), 1);
        EXPECT_FALSE(store.TakeProblem());
    }
}

TEST_F(StatsStoreFaultTest, AFileOfALaterVersionIsLeftAloneAndNothingRecorded) {
    MakeStore(1);
    {
        TSqlite db(File(), TSqlite::TOpen::ReadWrite);
        db.Exec("PRAGMA user_version = 999");
    }
    std::string before = ReadWholeFile(File());
    {
        TStatsStore store(File());
        ASSERT_TRUE(store.TakeProblem());
        EXPECT_FALSE(store.Writable());
        auto id = store.BeginExercise(Head());
        store.AddAttempt(id, Ka());
        store.SetSetting("keyboard", "us");
        store.Sync();
        EXPECT_EQ(store.Setting("keyboard"), "us"); // in force for the run all the same
    }
    EXPECT_EQ(ReadWholeFile(File()), before);
    EXPECT_TRUE(BrokenFiles(Folder.Path()).empty());
}

TEST_F(StatsStoreFaultTest, AReadOnlyFolderKeepsTheRecordsUntilItCanBeWritten) {
    TReadOnlyPath readOnly(Folder.Path());
    if (!readOnly.Supported())
        GTEST_SKIP() << "no way to make a folder read-only here";
    TStatsStore store(File());
    std::optional<std::string> message = store.TakeProblem();
    ASSERT_TRUE(message);
    EXPECT_NE(message->find(File().string()), std::string::npos) << *message;
    auto id = store.BeginExercise(Head());
    for (int string = 0; string < 3; ++string) {
        store.AddAttempt(id, Ka());
        store.Sync();
    }
    EXPECT_FALSE(store.Writable());
    EXPECT_FALSE(store.TakeProblem()) << "one message a session";
    EXPECT_FALSE(fs::exists(File()));

    readOnly.Release();
    store.AddAttempt(id, Ka());
    store.Sync();
    EXPECT_TRUE(store.Writable());
    EXPECT_EQ(Attempts(store), 4);
}

TEST_F(StatsStoreFaultTest, AReadOnlyFileKeepsTheRecordsUntilItCanBeWritten) {
    MakeStore(1);
    TReadOnlyPath readOnly(File());
    if (!readOnly.Supported())
        GTEST_SKIP() << "no way to make a file read-only here";
    TStatsStore store(File());
    auto id = store.BeginExercise(Head());
    store.AddAttempt(id, Ka());
    store.Sync();
    std::optional<std::string> message = store.TakeProblem();
    ASSERT_TRUE(message);
    EXPECT_FALSE(store.Writable());
    EXPECT_TRUE(BrokenFiles(Folder.Path()).empty()) << "a read-only file is not a damaged one";

    readOnly.Release();
    store.AddAttempt(id, Ka());
    store.Sync();
    // The store reopens the file at the next write once it was refused.
    if (!store.Writable()) {
        store.AddAttempt(id, Ka());
        store.Sync();
    }
    EXPECT_TRUE(store.Writable());
    EXPECT_GE(Attempts(store), 3);
}

TEST_F(StatsStoreFaultTest, AFullDiskKeepsTheRecordsUntilThereIsRoom) {
    MakeStore(1);
    TStatsStore store(File());
    auto id = store.BeginExercise(Head());
    {
        TFileSizeLimit limit(fs::file_size(File()) + 512);
        for (int string = 0; string < 5; ++string) {
            for (int i = 0; i < 200; ++i)
                store.AddAttempt(id, Ka());
            store.Sync();
        }
        std::optional<std::string> message = store.TakeProblem();
        ASSERT_TRUE(message);
        EXPECT_FALSE(store.Writable());
    }
    store.Sync();
    store.AddAttempt(id, Ka());
    store.Sync();
    EXPECT_TRUE(store.Writable());
    EXPECT_EQ(Attempts(store), 1 + 5 * 200 + 1);
}

TEST_F(StatsStoreFaultTest, ALockHeldByAnotherProgramDelaysTheWriteOnly) {
    MakeStore(1);
    TStatsStore store(File(), 50);
    auto id = store.BeginExercise(Head());
    {
        TSqlite other(File(), TSqlite::TOpen::ReadWrite);
        other.Exec("BEGIN EXCLUSIVE; INSERT INTO setting VALUES ('other', 'program')");
        store.AddAttempt(id, Ka());
        store.Sync();
        std::optional<std::string> message = store.TakeProblem();
        ASSERT_TRUE(message);
        EXPECT_NE(message->find("使用中"), std::string::npos) << *message;
        other.Exec("COMMIT");
    }
    store.AddAttempt(id, Ka());
    store.Sync();
    EXPECT_TRUE(store.Writable());
    EXPECT_EQ(Attempts(store), 3);
}

// ---- A kill while the store writes

constexpr const char* ChildVariable = "TYPORIN_STATS_WRITER_CHILD";
constexpr int AttemptsPerString = 20;

// Run only as the child of the test below: writes strings of attempts until it is killed.
TEST(StatsStoreKillTest, WriterChild) {
    const char* path = std::getenv(ChildVariable);
    if (!path)
        GTEST_SKIP() << "the child of StatsStoreKillTest.AKillLosesAtMostTheStringBeingTyped";
    TStatsStore store(path);
    auto id = store.BeginExercise(Head());
    for (int string = 0;; ++string) {
        for (int i = 0; i < AttemptsPerString; ++i)
            store.AddAttempt(id, Ka());
        store.SetTotals(id, {string, string * 40, 0, string * AttemptsPerString, false});
        store.Flush();
    }
}

TEST(StatsStoreKillTest, AKillLosesAtMostTheStringBeingTyped) {
    TTempFolder folder;
    fs::path file = folder.Path() / "TyporinStats.db";
    for (int kill = 0; kill < 3; ++kill) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            setenv(ChildVariable, file.c_str(), 1);
            execl("/proc/self/exe", "core_tests", "--gtest_filter=StatsStoreKillTest.WriterChild",
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        // Killed at a different moment each time, while strings are being written.
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::this_thread::sleep_for(std::chrono::milliseconds(150 + 70 * kill));
        while (std::chrono::steady_clock::now() < until && !fs::exists(file.string() + "-wal"))
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        TSqlite db(file, TSqlite::TOpen::ReadOnly);
        TStatement check(db, "PRAGMA integrity_check");
        ASSERT_TRUE(check.Step());
        EXPECT_EQ(check.Text(0), "ok");
        // Whole strings only, and the day sums agree with the attempts.
        std::int64_t attempts = db.QueryInt("SELECT count(*) FROM attempt");
        EXPECT_GT(attempts, 0);
        EXPECT_EQ(attempts % AttemptsPerString, 0);
        EXPECT_EQ(db.QueryInt("SELECT sum(attempts) FROM unit_day"), attempts);
    }
}

} // namespace
