// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The statistics store, TyporinStats.db beside Typorin.dat: every kana unit typed in touch
// typing with its spelling, time and wrong keys, every commit of sequential input, the
// characters a bulk comparison found wrong, one row per exercise, and the settings that
// Typorin.dat has no room for.
//
// Recording never waits for the disk. What an exercise yields is kept in memory until Flush,
// which the windows call at each string end, exercise end and close; Flush hands it to a writer
// thread that writes it in one transaction. A kill therefore loses at most what was typed since
// the last Flush.
//
// Faults never stop practice:
// - a file that cannot be written (a read-only folder or file, a full disk, a lock held by
//   another program) keeps what was recorded in memory, tries again at every Flush, and yields
//   one message for the session;
// - a damaged file (no database, not ours, truncated) is moved aside as
//   TyporinStats.db.broken-<date-time>, a new one is started, and a message names both;
// - a file written by a later version is left alone; nothing is recorded for the session.
//
// Text is UTF-16 in and out of this interface (stored as UTF-8); key names are ASCII.

#include "store/UPracticeKinds.h"
#include "store/UTimeHistogram.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class TSqlite;
struct TStatsBatch;
class TStatsWriter;

// ---- What is recorded ----

// What an exercise is, known when it starts.
struct TExerciseHead {
    TPracticeMode Mode = TPracticeMode::Touch;
    TInputStyle Style = TInputStyle::Romaji;
    TKeyboardKind Keyboard = TKeyboardKind::Jis;
    std::u16string Title;
    TTextKind Kind = TTextKind::Japanese;
    std::int64_t Started = 0; // seconds since 1970-01-01 UTC
    int Day = 0;              // the local calendar day of Started, days since 1970-01-01
};

// What an exercise has counted so far.
struct TExerciseTotals {
    int Seconds = 0;
    int Keys = 0;
    int WrongKeys = 0;
    int Units = 0; // kana typed, characters committed, or characters compared
    bool Finished = false;
};

// A key accepted in touch typing and the time since the key accepted before it; -1 when that
// does not count (the first key of a string, or after a pause).
struct TKeyTime {
    std::string Key;
    int Millis = -1;
};

// A key pressed where another was expected.
struct TKeyMiss {
    std::string Expected;
    std::string Typed;
};

// One kana unit typed in touch typing: し typed SHI in 412 ms with one wrong key on the way.
struct TUnitAttempt {
    std::u16string Unit;
    std::string Spelling;         // the keys that typed it
    int Millis = -1;              // from the key before the unit to its last; -1 not timed
    std::vector<TKeyTime> Keys;   // the keys accepted for it, in order
    std::vector<TKeyMiss> Misses; // wrong keys while it was the current unit
};

// One string the input method committed in sequential input.
struct TCommitEvent {
    std::u16string Expected;
    std::u16string Committed;
    bool Accepted = false;
    int Millis = -1; // from the first input-method event of the string to the commit
    int Keys = 0;
};

// A character of the example a bulk comparison found mistyped or omitted, and how often.
struct TCharCount {
    std::u16string Character;
    int Count = 0;
};

// ---- What the analysis reads ----

// One day's attempts of one unit typed with one spelling.
struct TUnitDay {
    int Day = 0;
    std::u16string Unit;
    std::string Spelling;
    int Attempts = 0;
    int Failed = 0; // attempts with a wrong key
    int Wrong = 0;  // wrong keys
    TTimeHistogram Times;
};

// One day of one key: times it was the next key, wrong keys pressed while it was.
struct TKeyDay {
    int Day = 0;
    std::string Key;
    int Expected = 0;
    int Wrong = 0;
    TTimeHistogram Times;
};

// One day's wrong keys of one unit: `Typed` pressed where `Expected` was due.
struct TMissDay {
    int Day = 0;
    std::u16string Unit;
    std::string Expected;
    std::string Typed;
    int Count = 0;
};

// One of the last attempts of a unit, as the course judges what a learner can do now.
struct TRecentAttempt {
    std::u16string Unit;
    std::int64_t Order = 0; // grows with every attempt recorded: the highest is the newest
    std::string Spelling;
    int Millis = -1; // -1 when it does not count for speed
    int Wrong = 0;   // wrong keys on the way
};

// A day of touch typing: the sums of its exercises.
struct TTouchDay {
    int Day = 0;
    int Exercises = 0;
    int Seconds = 0;
    int Keys = 0;
    int WrongKeys = 0;
    int Units = 0;
};

// A day of sequential input with a Japanese text.
struct TCommitDay {
    int Day = 0;
    int Commits = 0;
    int Accepted = 0;
    int CommittedChars = 0; // characters of the accepted commits
    // Keys pressed for every commit, refused ones included: over CommittedChars, what one
    // right character cost.
    int Keys = 0;
};

// ---- The store ----

class TStatsStore {
public:
    // Why the store asks the window to show a message. Each kind is told once a session.
    enum class TProblem { Unwritable, Damaged, Newer };

    // How many of each unit's last attempts per input style RecentAttempts keeps.
    static constexpr int RecentAttemptsKept = 50;

    // How long a write waits for another program's lock before the batch is kept for later.
    static constexpr int DefaultBusyTimeoutMillis = 2000;

    // Opens `path`, creating it when missing. Never throws: a file it cannot use is handled as
    // the faults above say, and the store works on in memory.
    explicit TStatsStore(std::filesystem::path path,
                         int busyTimeoutMillis = DefaultBusyTimeoutMillis);
    // Writes what is pending and waits for it.
    ~TStatsStore();
    TStatsStore(const TStatsStore&) = delete;
    TStatsStore& operator=(const TStatsStore&) = delete;

    const std::filesystem::path& Path() const { return FPath; }

    // ---- Recording; called from one thread, the window's.

    // An exercise of this run. Nothing is written for one that ends without a key or an event.
    using TExerciseId = std::uint64_t;
    TExerciseId BeginExercise(const TExerciseHead& head);
    void AddAttempt(TExerciseId exercise, TUnitAttempt attempt);
    void AddCommit(TExerciseId exercise, TCommitEvent commit);
    void AddBulkMisses(TExerciseId exercise, std::vector<TCharCount> misses);
    void SetTotals(TExerciseId exercise, const TExerciseTotals& totals);

    // Hands everything recorded since the last Flush to the writer.
    void Flush();
    // Flush, then waits until the writer has written or given up.
    void Sync();

    // Deletes every exercise and what it recorded; settings stay. Takes effect at once for
    // what the reads below return.
    void ClearStatistics();

    // ---- Settings, read at once, written with the next Flush.

    std::optional<std::string> Setting(const std::string& name) const;
    void SetSetting(const std::string& name, const std::string& value);
    // One setting read from the file at `path` without opening a store (at start, before the
    // window opens the store): nothing when the file, the table or the setting is missing or
    // cannot be read. The file is opened read-only and never created or changed.
    static std::optional<std::string> ReadSetting(const std::filesystem::path& path,
                                                  const std::string& name);

    // ---- Faults

    // Called on the writer thread when a problem arises; the window queues it to its own
    // thread and calls TakeProblem there.
    void SetProblemListener(std::function<void()> listener);
    // The message of a problem not yet told (UTF-8, Japanese), once a kind a session.
    std::optional<std::string> TakeProblem();
    // Whether records reach the file now (false while it cannot be written or is newer).
    bool Writable() const;

    // ---- Reads for the analysis; everything flushed before is included. Days from `fromDay`
    // on (a day number, see TExerciseHead::Day); INT_MIN for all.

    std::vector<TUnitDay> UnitDays(TInputStyle style, int fromDay);
    std::vector<TKeyDay> KeyDays(TInputStyle style, int fromDay);
    std::vector<TMissDay> MissDays(TInputStyle style, int fromDay);
    std::vector<TTouchDay> TouchDays(TInputStyle style, int fromDay);
    // Sequential input with Japanese texts only: an English text commits without converting.
    std::vector<TCommitDay> CommitDays(int fromDay);
    std::vector<TCharCount> BulkMisses(int fromDay);
    // The last RecentAttemptsKept attempts of every unit typed in `style`, by unit as recorded
    // (し and シ apart), the newest of a unit first.
    std::vector<TRecentAttempt> RecentAttempts(TInputStyle style);
    // Exercises of a mode in the file (for tests and the analysis window's empty state).
    int ExerciseCount(TPracticeMode mode);

    // The moment's day number in the local time zone.
    static int LocalDay(std::int64_t unixSeconds);
    static std::int64_t Now();

private:
    void WriterLoop();
    void Checkpoint(int pages);
    void Open();
    void MoveAside();
    void Report(TProblem problem, const std::string& text);
    template <typename TRead>
    auto Read(TRead read) -> decltype(read(std::declval<TSqlite&>()));
    // The rows of a query with integer parameters, each made by `make` from the statement.
    template <typename TRow, typename TMake>
    std::vector<TRow> Rows(std::string_view sql, std::initializer_list<int> values, TMake make);

    std::filesystem::path FPath;
    int FBusyTimeoutMillis;

    // The connection, and whether it may be written; guarded by FDbMutex.
    mutable std::mutex FDbMutex;
    std::unique_ptr<TSqlite> FDb;
    bool FNewer = false;
    bool FReopen = false;          // a write failed: the next one opens the file anew
    std::atomic<int> FLogPages{0}; // pages in the write-ahead log after the last commit
    // The writer's memory of the run, and the batches it could not write yet (oldest first);
    // guarded by FDbMutex.
    std::unique_ptr<TStatsWriter> FWriter;
    std::deque<std::unique_ptr<TStatsBatch>> FKept;

    // Recorded, not yet flushed; the window's thread only.
    std::unique_ptr<TStatsBatch> FRecording;
    TExerciseId FNextExercise = 1;

    // Flushed, not yet written; guarded by FQueueMutex.
    std::mutex FQueueMutex;
    std::condition_variable FQueueChanged;
    std::deque<std::unique_ptr<TStatsBatch>> FQueue;
    bool FWriting = false;
    bool FStopping = false;

    // Settings as the window sees them; guarded by FSettingsMutex.
    mutable std::mutex FSettingsMutex;
    std::map<std::string, std::string> FSettings;

    // Problems; guarded by FProblemMutex.
    std::mutex FProblemMutex;
    std::function<void()> FProblemListener;
    std::vector<std::string> FProblems;
    bool FToldProblem[3] = {};

    std::thread FThread;
};
