// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UStatsWriter.h"

#include "store/USqlite.h"
#include "store/UUtf8.h"

#include <sqlite3.h>

#include <algorithm>
#include <set>
#include <tuple>

namespace {

// A key time in key_times: 10 ms steps, 255 when the time does not count.
constexpr int KeyTimeStep = 10;
constexpr int UntimedKey = 255;

std::string KeyTimes(const std::vector<TKeyTime>& keys) {
    std::string bytes;
    for (const TKeyTime& key : keys) {
        int steps = key.Millis < 0
                        ? UntimedKey
                        : std::min((key.Millis + KeyTimeStep / 2) / KeyTimeStep, UntimedKey - 1);
        bytes.push_back(static_cast<char>(steps));
    }
    return bytes;
}

// A row whose histogram does not decode has lost its times, not its counts.
TTimeHistogram StoredTimes(const std::string& bytes) {
    return TTimeHistogram::Decode(bytes).value_or(TTimeHistogram());
}

// The number of a dictionary row (a unit, a spelling), made when it is new: `upsert` inserts
// the row's unique values, bound, and returns its id whether it was there before or not.
std::int64_t DictionaryRow(TStatement& upsert) {
    upsert.Step();
    std::int64_t row = upsert.Int(0);
    upsert.Reset();
    return row;
}

// The day sums of one batch, gathered before they are merged into the file's, so that each row
// of the file is read and written once a batch.
struct TUnitSum {
    int Attempts = 0, Failed = 0, Wrong = 0;
    TTimeHistogram Times;
};
struct TKeySum {
    int Expected = 0, Wrong = 0;
    TTimeHistogram Times;
};
struct TDaySums {
    // (style, day, unit row, spelling)
    std::map<std::tuple<int, int, std::int64_t, std::string>, TUnitSum> Units;
    // (style, day, key)
    std::map<std::tuple<int, int, std::string>, TKeySum> Keys;
    // (style, day, unit row, expected, typed)
    std::map<std::tuple<int, int, std::int64_t, std::string, std::string>, int> Misses;
};

void WriteDaySums(TSqlite& db, TDaySums& sums) {
    TStatement& findUnit = db.Cached("SELECT attempts, failed, wrong, times FROM unit_day"
                                     " WHERE style = ? AND day = ? AND unit = ? AND spelling = ?");
    TStatement& writeUnit =
        db.Cached("INSERT OR REPLACE INTO unit_day (style, day, unit, spelling,"
                  " attempts, failed, wrong, times) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    for (auto& [key, sum] : sums.Units) {
        auto& [style, day, unit, spelling] = key;
        findUnit.Bind(1, style).Bind(2, day).Bind(3, unit).BindText(4, spelling);
        if (findUnit.Step()) {
            sum.Attempts += static_cast<int>(findUnit.Int(0));
            sum.Failed += static_cast<int>(findUnit.Int(1));
            sum.Wrong += static_cast<int>(findUnit.Int(2));
            sum.Times.Merge(StoredTimes(findUnit.Blob(3)));
        }
        findUnit.Reset();
        writeUnit.Bind(1, style).Bind(2, day).Bind(3, unit).BindText(4, spelling);
        writeUnit.Bind(5, sum.Attempts).Bind(6, sum.Failed).Bind(7, sum.Wrong);
        writeUnit.BindBlob(8, sum.Times.Encode()).Run();
    }

    TStatement& findKey = db.Cached(
        "SELECT expected, wrong, times FROM key_day WHERE style = ? AND day = ? AND key = ?");
    TStatement& writeKey =
        db.Cached("INSERT OR REPLACE INTO key_day (style, day, key, expected, wrong,"
                  " times) VALUES (?, ?, ?, ?, ?, ?)");
    for (auto& [key, sum] : sums.Keys) {
        auto& [style, day, name] = key;
        findKey.Bind(1, style).Bind(2, day).BindText(3, name);
        if (findKey.Step()) {
            sum.Expected += static_cast<int>(findKey.Int(0));
            sum.Wrong += static_cast<int>(findKey.Int(1));
            sum.Times.Merge(StoredTimes(findKey.Blob(2)));
        }
        findKey.Reset();
        writeKey.Bind(1, style).Bind(2, day).BindText(3, name);
        writeKey.Bind(4, sum.Expected).Bind(5, sum.Wrong).BindBlob(6, sum.Times.Encode()).Run();
    }

    TStatement& writeMiss =
        db.Cached("INSERT INTO miss_day (style, day, unit, expected, typed, count)"
                  " VALUES (?, ?, ?, ?, ?, ?)"
                  " ON CONFLICT (style, day, unit, expected, typed)"
                  " DO UPDATE SET count = count + excluded.count");
    for (auto& [key, count] : sums.Misses) {
        auto& [style, day, unit, expected, typed] = key;
        writeMiss.Bind(1, style).Bind(2, day).Bind(3, unit).BindText(4, expected);
        writeMiss.BindText(5, typed).Bind(6, count).Run();
    }
}

// Keeps the last RecentAttemptsKept attempts of each (style, unit) a batch added to.
void TrimRecent(TSqlite& db, const std::set<std::pair<int, std::int64_t>>& touched) {
    TStatement& trim =
        db.Cached("DELETE FROM recent_attempt WHERE style = ?1 AND unit = ?2 AND attempt <="
                  " (SELECT attempt FROM recent_attempt WHERE style = ?1 AND unit = ?2"
                  " ORDER BY attempt DESC LIMIT 1 OFFSET ?3)");
    for (const auto& [style, unit] : touched)
        trim.Bind(1, style).Bind(2, unit).Bind(3, TStatsStore::RecentAttemptsKept).Run();
}

} // namespace

bool TStatsBatch::Empty() const {
    return Heads.empty() && Totals.empty() && Attempts.empty() && Commits.empty() &&
           Misses.empty() && Settings.empty() && !Clear;
}

void TStatsWriter::Know(TStatsBatch& batch) {
    for (const auto& [id, head] : batch.Heads)
        FHeads[id] = head;
    for (const auto& [id, totals] : batch.Totals)
        FTotals[id] = totals;
}

void TStatsWriter::ForgetFile() {
    FExerciseRows.clear();
    FUnitRows.clear();
    FSpellingRows.clear();
}

void TStatsWriter::Write(TSqlite& db, const TStatsBatch& batch) {
    auto exerciseRowsBefore = FExerciseRows;
    auto unitRowsBefore = FUnitRows;
    auto spellingRowsBefore = FSpellingRows;
    try {
        TTransaction transaction(db);
        if (batch.Clear) {
            db.Exec("DELETE FROM exercise; DELETE FROM attempt; DELETE FROM wrong_key;"
                    "DELETE FROM commit_event; DELETE FROM bulk_miss; DELETE FROM unit_day;"
                    "DELETE FROM key_day; DELETE FROM miss_day; DELETE FROM recent_attempt;"
                    "DELETE FROM spelling; DELETE FROM unit;");
            ForgetFile();
        }

        // An exercise gets its row on first sight, with the latest totals known.
        auto exerciseRow = [&](TExerciseId id) -> std::int64_t {
            if (auto it = FExerciseRows.find(id); it != FExerciseRows.end())
                return it->second;
            const TExerciseHead& head = FHeads[id];
            const TExerciseTotals& totals = FTotals[id];
            TStatement& insert =
                db.Cached("INSERT INTO exercise (started, day, mode, style, keyboard,"
                          " title, text_kind, seconds, keys, wrong_keys, units, finished)"
                          " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
            insert.Bind(1, head.Started).Bind(2, head.Day).Bind(3, static_cast<int>(head.Mode));
            insert.Bind(4, static_cast<int>(head.Style)).Bind(5, static_cast<int>(head.Keyboard));
            insert.BindText(6, UUtf8::FromUtf16(head.Title)).Bind(7, static_cast<int>(head.Kind));
            insert.Bind(8, totals.Seconds).Bind(9, totals.Keys).Bind(10, totals.WrongKeys);
            insert.Bind(11, totals.Units).Bind(12, totals.Finished ? 1 : 0).Run();
            return FExerciseRows[id] = db.LastInsertRowId();
        };
        auto unitRow = [&](const std::u16string& unit) -> std::int64_t {
            std::string text = UUtf8::FromUtf16(unit);
            if (auto it = FUnitRows.find(text); it != FUnitRows.end())
                return it->second;
            TStatement& upsert = db.Cached("INSERT INTO unit (text) VALUES (?) ON CONFLICT (text)"
                                           " DO UPDATE SET text = excluded.text RETURNING id");
            upsert.BindText(1, text);
            return FUnitRows[text] = DictionaryRow(upsert);
        };
        auto spellingRow = [&](std::int64_t unit, const std::string& keys) -> std::int64_t {
            auto key = std::make_pair(unit, keys);
            if (auto it = FSpellingRows.find(key); it != FSpellingRows.end())
                return it->second;
            TStatement& upsert =
                db.Cached("INSERT INTO spelling (unit, keys) VALUES (?, ?)"
                          " ON CONFLICT (unit, keys) DO UPDATE SET keys = excluded.keys"
                          " RETURNING id");
            upsert.Bind(1, unit).BindText(2, keys);
            return FSpellingRows[key] = DictionaryRow(upsert);
        };

        TDaySums sums;
        TStatement& insertAttempt =
            db.Cached("INSERT INTO attempt (exercise, spelling, millis, wrong,"
                      " key_times) VALUES (?, ?, ?, ?, ?)");
        TStatement& insertWrongKey = db.Cached(
            "INSERT INTO wrong_key (exercise, unit, expected, typed) VALUES (?, ?, ?, ?)");
        TStatement& insertRecent =
            db.Cached("INSERT INTO recent_attempt (style, unit, attempt, keys,"
                      " millis, wrong) VALUES (?, ?, ?, ?, ?, ?)");
        std::set<std::pair<int, std::int64_t>> recentTouched; // (style, unit row)
        for (const auto& [id, attempt] : batch.Attempts) {
            std::int64_t exercise = exerciseRow(id);
            std::int64_t unit = unitRow(attempt.Unit);
            const TExerciseHead& head = FHeads[id];
            int style = static_cast<int>(head.Style);
            insertAttempt.Bind(1, exercise).Bind(2, spellingRow(unit, attempt.Spelling));
            if (attempt.Millis >= 0)
                insertAttempt.Bind(3, attempt.Millis);
            else
                insertAttempt.BindNull(3);
            insertAttempt.Bind(4, static_cast<int>(attempt.Misses.size()));
            insertAttempt.BindBlob(5, KeyTimes(attempt.Keys)).Run();

            insertRecent.Bind(1, style).Bind(2, unit).Bind(3, db.LastInsertRowId());
            insertRecent.BindText(4, attempt.Spelling);
            if (attempt.Millis >= 0)
                insertRecent.Bind(5, attempt.Millis);
            else
                insertRecent.BindNull(5);
            insertRecent.Bind(6, static_cast<int>(attempt.Misses.size())).Run();
            recentTouched.emplace(style, unit);

            TUnitSum& sum = sums.Units[{style, head.Day, unit, attempt.Spelling}];
            ++sum.Attempts;
            sum.Failed += attempt.Misses.empty() ? 0 : 1;
            sum.Wrong += static_cast<int>(attempt.Misses.size());
            if (attempt.Millis >= 0)
                sum.Times.Add(attempt.Millis);
            for (const TKeyTime& key : attempt.Keys) {
                TKeySum& keySum = sums.Keys[{style, head.Day, key.Key}];
                ++keySum.Expected;
                if (key.Millis >= 0)
                    keySum.Times.Add(key.Millis);
            }
            for (const TKeyMiss& miss : attempt.Misses) {
                insertWrongKey.Bind(1, exercise).Bind(2, unit).BindText(3, miss.Expected);
                insertWrongKey.BindText(4, miss.Typed).Run();
                ++sums.Keys[{style, head.Day, miss.Expected}].Wrong;
                ++sums.Misses[{style, head.Day, unit, miss.Expected, miss.Typed}];
            }
        }
        WriteDaySums(db, sums);
        TrimRecent(db, recentTouched);

        TStatement& insertCommit =
            db.Cached("INSERT INTO commit_event (exercise, expected, committed,"
                      " accepted, millis, keys) VALUES (?, ?, ?, ?, ?, ?)");
        for (const auto& [id, commit] : batch.Commits) {
            insertCommit.Bind(1, exerciseRow(id)).BindText(2, UUtf8::FromUtf16(commit.Expected));
            insertCommit.BindText(3, UUtf8::FromUtf16(commit.Committed));
            insertCommit.Bind(4, commit.Accepted ? 1 : 0);
            if (commit.Millis >= 0)
                insertCommit.Bind(5, commit.Millis);
            else
                insertCommit.BindNull(5);
            insertCommit.Bind(6, commit.Keys).Run();
        }

        TStatement& insertMiss =
            db.Cached("INSERT INTO bulk_miss (exercise, character, count) VALUES (?, ?, ?)");
        for (const auto& [id, miss] : batch.Misses) {
            insertMiss.Bind(1, exerciseRow(id)).BindText(2, UUtf8::FromUtf16(miss.Character));
            insertMiss.Bind(3, miss.Count).Run();
        }

        // Totals last: an exercise that counted something gets its row even without events.
        TStatement& updateExercise =
            db.Cached("UPDATE exercise SET seconds = ?, keys = ?, wrong_keys = ?,"
                      " units = ?, finished = ? WHERE id = ?");
        for (const auto& [id, totals] : batch.Totals) {
            if (!FExerciseRows.contains(id)) {
                if (totals.Keys > 0 || totals.Units > 0 || totals.Seconds > 0)
                    exerciseRow(id);
                continue;
            }
            updateExercise.Bind(1, totals.Seconds).Bind(2, totals.Keys);
            updateExercise.Bind(3, totals.WrongKeys).Bind(4, totals.Units);
            updateExercise.Bind(5, totals.Finished ? 1 : 0).Bind(6, FExerciseRows[id]).Run();
        }

        TStatement& writeSetting =
            db.Cached("INSERT OR REPLACE INTO setting (name, value) VALUES (?, ?)");
        for (const auto& [name, value] : batch.Settings)
            writeSetting.BindText(1, name).BindText(2, value).Run();
        transaction.Commit();
    } catch (...) {
        FExerciseRows = std::move(exerciseRowsBefore);
        FUnitRows = std::move(unitRowsBefore);
        FSpellingRows = std::move(spellingRowsBefore);
        throw;
    }
    // Gives the space of cleared statistics back to the disk. They are gone either way, so a
    // failure (too little room for the copy VACUUM makes) only leaves the file at its size.
    if (batch.Clear)
        sqlite3_exec(db.Handle(), "VACUUM", nullptr, nullptr, nullptr);
}
