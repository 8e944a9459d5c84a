// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UStatsStore.h"

#include "platform/FileIo.h"
#include "platform/Translate.h"
#include "store/USqlite.h"
#include "store/UStatsSchema.h"
#include "store/UStatsWriter.h"
#include "store/UUtf8.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <ctime>
#include <fstream>
#include <set>
#include <utility>

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Batches kept while the file cannot be written; beyond this the oldest are dropped, so that a
// session of days without a writable file cannot exhaust the memory.
constexpr std::size_t MaxKeptBatches = 20000;

const char* const SqliteMagic = "SQLite format 3";

std::u16string Utf16(std::string_view text) {
    return UUtf8::ToUtf16(text);
}

// A message of the store, `text` translated, with a path and a reason (UTF-8) for %1 and %2.
std::string Message(std::u16string_view text, std::string_view first,
                    std::string_view second = {}) {
    return Utf8Of(FillArgs(text, {Utf16Of(first), Utf16Of(second)}));
}

std::uint32_t BigEndian32(const unsigned char* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           std::uint32_t{p[3]};
}

// False for a file that SQLite would misread or read only in part: shorter than its header,
// without SQLite's mark, or shorter than the pages its header counts (a truncated copy). An
// empty file is a new database. With a write-ahead log beside it the size check is left to
// SQLite, which replays the log first.
bool LooksLikeDatabase(const std::filesystem::path& path) {
    std::error_code error;
    auto size = std::filesystem::file_size(path, error);
    if (error || size == 0)
        return true;
    unsigned char header[100];
    std::ifstream file(path, std::ios::binary);
    if (!file.read(reinterpret_cast<char*>(header), sizeof header))
        return false;
    if (std::memcmp(header, SqliteMagic, std::strlen(SqliteMagic) + 1) != 0)
        return false;
    auto wal = std::filesystem::path(path.string() + "-wal");
    if (std::filesystem::file_size(wal, error) > 0 && !error)
        return true;
    std::uint32_t pageSize = (std::uint32_t{header[16]} << 8) | header[17];
    if (pageSize == 1)
        pageSize = 65536;
    std::uint32_t pageCount = BigEndian32(header + 28);
    // The page count is valid only when the file's change counter matches the version it was
    // written at, as SQLite itself decides.
    bool countValid = BigEndian32(header + 24) == BigEndian32(header + 92) && pageCount > 0;
    return !countValid || size >= std::uint64_t{pageSize} * pageCount;
}

// The reason of a failed write, in Japanese where the cause is a common one.
std::string ReasonOf(const TSqliteError& error) {
    switch (error.PrimaryCode()) {
    case SQLITE_FULL:
        return FileErrorReason(ENOSPC);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return TrUtf8("UStatsStore", "ほかのプログラムがこのファイルを使用中です。");
    case SQLITE_READONLY:
        return error.SystemError() != 0
                   ? FileErrorReason(error.SystemError())
                   : TrUtf8("UStatsStore", "ファイルまたはフォルダーが読み取り専用です。");
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
        if (error.SystemError() != 0)
            return FileErrorReason(error.SystemError());
        return error.PrimaryCode() == SQLITE_IOERR
                   ? TrUtf8("UStatsStore", "ファイルの読み書きに失敗しました。")
                   : TrUtf8("UStatsStore", "ファイルを開けません。");
    default:
        return error.what();
    }
}

std::string DateTimeStamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
int DaysFromCivil(int year, unsigned month, unsigned day) {
    year -= month <= 2;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const auto yoe = static_cast<unsigned>(year - era * 400);
    const unsigned doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int>(doe) - 719468;
}

TTimeHistogram DecodeTimes(const std::string& bytes) {
    // A row whose histogram does not decode has lost its times, not its counts.
    return TTimeHistogram::Decode(bytes).value_or(TTimeHistogram());
}

} // namespace

TStatsStore::TStatsStore(std::filesystem::path path, int busyTimeoutMillis)
    : FPath(std::move(path)), FBusyTimeoutMillis(busyTimeoutMillis),
      FWriter(std::make_unique<TStatsWriter>()), FRecording(std::make_unique<TStatsBatch>()) {
    {
        std::lock_guard lock(FDbMutex);
        Open();
    }
    FThread = std::thread([this] { WriterLoop(); });
}

TStatsStore::~TStatsStore() {
    Sync();
    {
        std::lock_guard lock(FQueueMutex);
        FStopping = true;
    }
    FQueueChanged.notify_all();
    FThread.join();
}

// ---- Opening

void TStatsStore::Open() {
    FDb.reset();
    FNewer = false;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (std::filesystem::exists(FPath) && !LooksLikeDatabase(FPath)) {
            MoveAside();
            continue;
        }
        try {
            auto db = std::make_unique<TSqlite>(FPath, TSqlite::TOpen::ReadWriteCreate);
            sqlite3_busy_timeout(db->Handle(), FBusyTimeoutMillis);
            switch (UStatsSchema::Inspect(*db)) {
            case UStatsSchema::TState::Newer:
                FNewer = true;
                Report(
                    TProblem::Newer,
                    Message(
                        TrText(
                            "UStatsStore",
                            "統計ファイル %1 は、このプログラムより新しい版で作られています。\r\n"
                            "このファイルには手を加えず、今回の統計は記録しません。"),
                        FPath.string()));
                return;
            case UStatsSchema::TState::Foreign:
                throw TSqliteError(SQLITE_NOTADB, 0, "not a statistics file");
            case UStatsSchema::TState::Empty:
            case UStatsSchema::TState::Older: {
                TTransaction transaction(*db);
                UStatsSchema::Upgrade(*db);
                transaction.Commit();
                break;
            }
            case UStatsSchema::TState::Current:
                break;
            }
            db->Exec("PRAGMA journal_mode = WAL");
            // A commit reaches the log at once; the log reaches the disk at checkpoints. A kill
            // loses nothing committed, a power cut at most the last commits.
            db->Exec("PRAGMA synchronous = NORMAL");
            // The log is copied into the file (and the disk synced) by the writer when it has
            // been idle a moment (CheckpointWhenIdle), not in the commit that happens to fill it:
            // that commit would take many times as long as the others.
            // A log grown large by a long batch is cut back when it starts again.
            db->Exec("PRAGMA journal_size_limit = 4194304");
            sqlite3_wal_hook(
                db->Handle(),
                [](void* pages, sqlite3*, const char*, int count) {
                    static_cast<std::atomic<int>*>(pages)->store(count);
                    return SQLITE_OK;
                },
                &FLogPages);
            TStatement settings(*db, "SELECT name, value FROM setting");
            std::map<std::string, std::string> stored;
            while (settings.Step())
                stored[settings.Text(0)] = settings.Text(1);
            {
                std::lock_guard lock(FSettingsMutex);
                // A value set in this run and not yet written wins over the file's.
                stored.merge(FSettings);
                FSettings = std::move(stored);
            }
            FDb = std::move(db);
            return;
        } catch (const TSqliteError& error) {
            if (!error.Damaged()) {
                Report(
                    TProblem::Unwritable,
                    Message(
                        TrText(
                            "UStatsStore",
                            "統計ファイル %1 を開けません（%2）。\r\n練習はそのまま続けられます。"),
                        FPath.string(), ReasonOf(error)));
                return;
            }
            MoveAside();
        }
    }
}

// Moves a damaged file aside with its log, so that a fresh one can start in its place.
void TStatsStore::MoveAside() {
    FDb.reset();
    // The rows of the run were in the file that goes; the next file gets them anew.
    FWriter->ForgetFile();
    std::string broken = FPath.string() + ".broken-" + DateTimeStamp();
    for (int n = 2; std::filesystem::exists(broken); ++n)
        broken = FPath.string() + ".broken-" + DateTimeStamp() + "-" + std::to_string(n);
    std::error_code error;
    std::filesystem::rename(FPath, broken, error);
    if (error) {
        Report(TProblem::Unwritable,
               Message(TrText("UStatsStore",
                              "統計ファイル %1 が壊れていますが、別の名前に移せません（%2）。"),
                       FPath.string(), FileErrorReason(error.value())));
        return;
    }
    std::error_code ignored;
    std::filesystem::rename(FPath.string() + "-wal", broken + "-wal", ignored);
    std::filesystem::remove(FPath.string() + "-shm", ignored);
    Report(TProblem::Damaged,
           Message(TrText("UStatsStore",
                          "統計ファイルが壊れていたため、別の名前で残して新しく作りました。\r\n"
                          "壊れていたファイル: %1\r\n新しいファイル: %2"),
                   broken, FPath.string()));
}

void TStatsStore::Report(TProblem problem, const std::string& text) {
    std::function<void()> listener;
    {
        std::lock_guard lock(FProblemMutex);
        bool& told = FToldProblem[static_cast<int>(problem)];
        if (told)
            return;
        told = true;
        FProblems.push_back(text);
        listener = FProblemListener;
    }
    if (listener)
        listener();
}

void TStatsStore::SetProblemListener(std::function<void()> listener) {
    bool pending;
    {
        std::lock_guard lock(FProblemMutex);
        FProblemListener = std::move(listener);
        pending = !FProblems.empty();
    }
    if (pending && FProblemListener)
        FProblemListener();
}

std::optional<std::string> TStatsStore::TakeProblem() {
    std::lock_guard lock(FProblemMutex);
    if (FProblems.empty())
        return std::nullopt;
    std::string text = std::move(FProblems.front());
    FProblems.erase(FProblems.begin());
    return text;
}

bool TStatsStore::Writable() const {
    std::lock_guard lock(FDbMutex);
    return FDb && !FNewer && FKept.empty();
}

// ---- Recording

TStatsStore::TExerciseId TStatsStore::BeginExercise(const TExerciseHead& head) {
    TExerciseId id = FNextExercise++;
    FRecording->Heads[id] = head;
    return id;
}

void TStatsStore::AddAttempt(TExerciseId exercise, TUnitAttempt attempt) {
    FRecording->Attempts.emplace_back(exercise, std::move(attempt));
}

void TStatsStore::AddCommit(TExerciseId exercise, TCommitEvent commit) {
    FRecording->Commits.emplace_back(exercise, std::move(commit));
}

void TStatsStore::AddBulkMisses(TExerciseId exercise, std::vector<TCharCount> misses) {
    for (TCharCount& miss : misses)
        FRecording->Misses.emplace_back(exercise, std::move(miss));
}

void TStatsStore::SetTotals(TExerciseId exercise, const TExerciseTotals& totals) {
    FRecording->Totals[exercise] = totals;
}

void TStatsStore::SetSetting(const std::string& name, const std::string& value) {
    {
        std::lock_guard lock(FSettingsMutex);
        FSettings[name] = value;
    }
    FRecording->Settings[name] = value;
}

std::optional<std::string> TStatsStore::ReadSetting(const std::filesystem::path& path,
                                                    const std::string& name) {
    try {
        if (!std::filesystem::exists(path) || !LooksLikeDatabase(path))
            return std::nullopt;
        TSqlite db(path, TSqlite::TOpen::ReadOnly);
        sqlite3_busy_timeout(db.Handle(), DefaultBusyTimeoutMillis);
        TStatement read(db, "SELECT value FROM setting WHERE name = ?1");
        read.BindText(1, name);
        if (read.Step())
            return read.Text(0);
    } catch (const std::exception&) {
        // A damaged or foreign file: the store says so when the window opens it.
    }
    return std::nullopt;
}

std::optional<std::string> TStatsStore::Setting(const std::string& name) const {
    std::lock_guard lock(FSettingsMutex);
    auto it = FSettings.find(name);
    if (it == FSettings.end())
        return std::nullopt;
    return it->second;
}

void TStatsStore::Flush() {
    if (FRecording->Empty())
        return;
    {
        std::lock_guard lock(FQueueMutex);
        FQueue.push_back(std::exchange(FRecording, std::make_unique<TStatsBatch>()));
    }
    FQueueChanged.notify_all();
}

void TStatsStore::Sync() {
    Flush();
    std::unique_lock lock(FQueueMutex);
    FQueueChanged.wait(lock, [&] { return FQueue.empty() && !FWriting; });
}

void TStatsStore::ClearStatistics() {
    Flush();
    auto clear = std::make_unique<TStatsBatch>();
    clear->Clear = true;
    {
        std::lock_guard lock(FQueueMutex);
        FQueue.push_back(std::move(clear));
    }
    FQueueChanged.notify_all();
    Sync();
}

// ---- Writing

namespace {
// Where the system refuses the idle class, the writer runs niced this far.
constexpr int WriterNiceness = 10;
// The writer copies the log into the file once nothing was written for this long...
constexpr auto CheckpointIdle = std::chrono::seconds(1);
// ...and the log holds more pages than this (SQLite's own threshold), or at once, whatever the
// pace, beyond the second.
constexpr int CheckpointLogPages = 1000;
constexpr int UrgentCheckpointLogPages = 4000;
} // namespace

// Copies the log into the file when it holds more than `pages`; a reader in the way leaves the
// rest for the next time (a passive checkpoint never waits).
void TStatsStore::Checkpoint(int pages) {
    std::lock_guard lock(FDbMutex);
    if (!FDb || FNewer || FLogPages.load() <= pages)
        return;
    try {
        FDb->Exec("PRAGMA wal_checkpoint(PASSIVE)");
    } catch (const TSqliteError&) {
        // The log stays as it is and is tried again after the next write.
    }
}

void TStatsStore::WriterLoop() {
    // The writer yields to the window's thread: on a machine with few cores a write that ran
    // beside the next key would delay it. In the idle class any other thread that wakes takes
    // the core from it at once, where a niced thread may run on to the end of its time slice;
    // between a learner's keys the cores are idle and the write is done long before the next.
    sched_param idle{};
    if (::pthread_setschedparam(::pthread_self(), SCHED_IDLE, &idle) != 0)
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), WriterNiceness);
    bool written = false; // since the last checkpoint
    for (;;) {
        std::deque<std::unique_ptr<TStatsBatch>> work;
        {
            std::unique_lock lock(FQueueMutex);
            auto due = [&] { return FStopping || !FQueue.empty(); };
            if (written && !FQueueChanged.wait_for(lock, CheckpointIdle, due)) {
                lock.unlock();
                Checkpoint(CheckpointLogPages);
                written = false;
                continue;
            }
            FQueueChanged.wait(lock, due);
            if (FQueue.empty())
                return;
            work.swap(FQueue);
            FWriting = true;
        }
        {
            std::lock_guard lock(FDbMutex);
            std::deque<std::unique_ptr<TStatsBatch>>& kept = FKept;
            for (std::unique_ptr<TStatsBatch>& batch : work) {
                FWriter->Know(*batch);
                if (batch->Clear)
                    kept.clear(); // what was kept belongs to the statistics being cleared
                kept.push_back(std::move(batch));
            }
            while (kept.size() > MaxKeptBatches)
                kept.pop_front();
            // After a refused write the file is opened anew: a lock may have gone, a file made
            // writable again needs a connection that was not opened read-only.
            if ((!FDb || FReopen) && !FNewer)
                Open();
            FReopen = false;
            bool movedAside = false;
            while (FDb && !kept.empty()) {
                try {
                    FWriter->Write(*FDb, *kept.front());
                    kept.pop_front();
                } catch (const TSqliteError& error) {
                    if (!error.Damaged() || movedAside) {
                        Report(TProblem::Unwritable,
                               Message(TrText("UStatsStore",
                                              "統計ファイル %1 に書きこめません（%2）。\r\n"
                                              "練習はそのまま続けられます。統計は書きこめるように"
                                              "なりしだい保存します。"),
                                       FPath.string(), ReasonOf(error)));
                        FReopen = true;
                        break;
                    }
                    // A file found damaged while in use: a fresh one takes what is kept.
                    movedAside = true;
                    MoveAside();
                    Open();
                }
            }
            if (FNewer)
                kept.clear();
        }
        {
            std::lock_guard lock(FQueueMutex);
            FWriting = false;
        }
        FQueueChanged.notify_all();
        written = true;
        Checkpoint(UrgentCheckpointLogPages);
    }
}

// ---- Reading

template <typename TRead>
auto TStatsStore::Read(TRead read) -> decltype(read(std::declval<TSqlite&>())) {
    {
        std::unique_lock lock(FQueueMutex);
        FQueueChanged.wait(lock, [&] { return FQueue.empty() && !FWriting; });
    }
    std::lock_guard lock(FDbMutex);
    if (!FDb)
        return {};
    try {
        return read(*FDb);
    } catch (const TSqliteError& error) {
        if (error.Damaged()) {
            MoveAside();
            Open();
        }
        return {};
    }
}

template <typename TRow, typename TMake>
std::vector<TRow> TStatsStore::Rows(std::string_view sql, std::initializer_list<int> values,
                                    TMake make) {
    return Read([&](TSqlite& db) {
        std::vector<TRow> rows;
        TStatement query(db, sql);
        int index = 0;
        for (int value : values)
            query.Bind(++index, value);
        while (query.Step())
            rows.push_back(make(query));
        return rows;
    });
}

namespace {

int IntAt(const TStatement& query, int column) {
    return static_cast<int>(query.Int(column));
}

} // namespace

std::vector<TUnitDay> TStatsStore::UnitDays(TInputStyle style, int fromDay) {
    return Rows<TUnitDay>(
        "SELECT d.day, u.text, d.spelling, d.attempts, d.failed, d.wrong, d.times"
        " FROM unit_day d JOIN unit u ON u.id = d.unit WHERE d.style = ? AND d.day >= ?"
        " ORDER BY d.day",
        {static_cast<int>(style), fromDay}, [](const TStatement& q) {
            return TUnitDay{IntAt(q, 0), Utf16(q.Text(1)),      q.Text(2), IntAt(q, 3), IntAt(q, 4),
                            IntAt(q, 5), DecodeTimes(q.Blob(6))};
        });
}

std::vector<TKeyDay> TStatsStore::KeyDays(TInputStyle style, int fromDay) {
    return Rows<TKeyDay>("SELECT day, key, expected, wrong, times FROM key_day"
                         " WHERE style = ? AND day >= ? ORDER BY day",
                         {static_cast<int>(style), fromDay}, [](const TStatement& q) {
                             return TKeyDay{IntAt(q, 0), q.Text(1), IntAt(q, 2), IntAt(q, 3),
                                            DecodeTimes(q.Blob(4))};
                         });
}

std::vector<TMissDay> TStatsStore::MissDays(TInputStyle style, int fromDay) {
    return Rows<TMissDay>(
        "SELECT m.day, u.text, m.expected, m.typed, m.count FROM miss_day m"
        " JOIN unit u ON u.id = m.unit WHERE m.style = ? AND m.day >= ?"
        " ORDER BY m.day",
        {static_cast<int>(style), fromDay}, [](const TStatement& q) {
            return TMissDay{IntAt(q, 0), Utf16(q.Text(1)), q.Text(2), q.Text(3), IntAt(q, 4)};
        });
}

std::vector<TTouchDay> TStatsStore::TouchDays(TInputStyle style, int fromDay) {
    return Rows<TTouchDay>(
        "SELECT day, count(*), sum(seconds), sum(keys), sum(wrong_keys), sum(units)"
        " FROM exercise WHERE mode = 0 AND style = ? AND day >= ? AND seconds > 0"
        " GROUP BY day ORDER BY day",
        {static_cast<int>(style), fromDay}, [](const TStatement& q) {
            return TTouchDay{IntAt(q, 0), IntAt(q, 1), IntAt(q, 2),
                             IntAt(q, 3), IntAt(q, 4), IntAt(q, 5)};
        });
}

std::vector<TCommitDay> TStatsStore::CommitDays(int fromDay) {
    return Rows<TCommitDay>(
        "SELECT e.day, count(*), sum(c.accepted),"
        " sum(CASE WHEN c.accepted THEN length(c.committed) ELSE 0 END), sum(c.keys)"
        " FROM commit_event c JOIN exercise e ON e.id = c.exercise"
        " WHERE e.day >= ? AND e.text_kind = ? GROUP BY e.day ORDER BY e.day",
        {fromDay, static_cast<int>(TTextKind::Japanese)}, [](const TStatement& q) {
            return TCommitDay{IntAt(q, 0), IntAt(q, 1), IntAt(q, 2), IntAt(q, 3), IntAt(q, 4)};
        });
}

std::vector<TCharCount> TStatsStore::BulkMisses(int fromDay) {
    return Rows<TCharCount>("SELECT b.character, sum(b.count) FROM bulk_miss b"
                            " JOIN exercise e ON e.id = b.exercise WHERE e.day >= ?"
                            " GROUP BY b.character ORDER BY sum(b.count) DESC, b.character",
                            {fromDay}, [](const TStatement& q) {
                                return TCharCount{Utf16(q.Text(0)), IntAt(q, 1)};
                            });
}

std::vector<TRecentAttempt> TStatsStore::RecentAttempts(TInputStyle style) {
    return Rows<TRecentAttempt>(
        "SELECT u.text, r.attempt, r.keys, r.millis, r.wrong FROM recent_attempt r"
        " JOIN unit u ON u.id = r.unit WHERE r.style = ? ORDER BY r.unit, r.attempt DESC",
        {static_cast<int>(style)}, [](const TStatement& q) {
            return TRecentAttempt{Utf16(q.Text(0)), q.Int(1), q.Text(2),
                                  q.IsNull(3) ? -1 : IntAt(q, 3), IntAt(q, 4)};
        });
}

int TStatsStore::ExerciseCount(TPracticeMode mode) {
    std::vector<int> count =
        Rows<int>("SELECT count(*) FROM exercise WHERE mode = ?", {static_cast<int>(mode)},
                  [](const TStatement& q) { return IntAt(q, 0); });
    return count.empty() ? 0 : count[0];
}

// ---- Time

std::int64_t TStatsStore::Now() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

int TStatsStore::LocalDay(std::int64_t unixSeconds) {
    auto moment = static_cast<std::time_t>(unixSeconds);
    std::tm local{};
    localtime_r(&moment, &local);
    return DaysFromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                         static_cast<unsigned>(local.tm_mday));
}
