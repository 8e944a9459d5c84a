// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How what the windows record reaches TyporinStats.db: a batch of one flush, written in one
// transaction with the raw rows and the day sums the analysis reads. The writer remembers the
// exercises of the run and the row numbers the file gave them, so that an exercise spread over
// many batches keeps one row.

#include "store/UStatsStore.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

class TSqlite;

// What the windows recorded between two flushes.
struct TStatsBatch {
    using TExerciseId = TStatsStore::TExerciseId;

    std::map<TExerciseId, TExerciseHead> Heads;
    std::map<TExerciseId, TExerciseTotals> Totals;
    std::vector<std::pair<TExerciseId, TUnitAttempt>> Attempts;
    std::vector<std::pair<TExerciseId, TCommitEvent>> Commits;
    std::vector<std::pair<TExerciseId, TCharCount>> Misses;
    std::map<std::string, std::string> Settings;
    bool Clear = false; // deletes every exercise and what it recorded before the rest

    bool Empty() const;
};

class TStatsWriter {
public:
    using TExerciseId = TStatsStore::TExerciseId;

    // Takes note of the exercises a batch begins and of their latest totals, whether or not the
    // batch is written now.
    void Know(TStatsBatch& batch);
    // Writes the batch in one transaction. Throws TSqliteError; nothing of the batch is then in
    // the file and the writer's memory is as before, so the batch can be written again whole.
    void Write(TSqlite& db, const TStatsBatch& batch);
    // The file went (moved aside): its row numbers mean nothing any more.
    void ForgetFile();

private:
    class TTransactionRows;

    std::map<TExerciseId, TExerciseHead> FHeads;
    std::map<TExerciseId, TExerciseTotals> FTotals;
    // Row numbers in the file: the run's exercises, units by UTF-8 text, spellings by unit and
    // keys.
    std::map<TExerciseId, std::int64_t> FExerciseRows;
    std::map<std::string, std::int64_t> FUnitRows;
    std::map<std::pair<std::int64_t, std::string>, std::int64_t> FSpellingRows;
};
