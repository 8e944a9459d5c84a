// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The tables of TyporinStats.db and the steps that bring an older file up to date. The file's
// PRAGMA user_version is the number of the last step it has been through; a new file goes
// through all of them. Every step runs in the caller's transaction, so a file is either wholly
// at the old version or wholly at the new one.

#include <span>
#include <string_view>

class TSqlite;

namespace UStatsSchema {

// The version this program writes.
int CurrentVersion();

// What a file's tables say about it.
enum class TState {
    Empty,   // no table at all: a new file
    Current, // this program's version with every table it needs
    Older,   // an earlier version of ours: Upgrade brings it up to date
    Newer,   // written by a later program: left alone
    Foreign, // tables that are not ours, or ours with some missing
};
TState Inspect(TSqlite& db);

// Creates the tables of an empty file, or runs the steps from the file's version on.
void Upgrade(TSqlite& db);
// The same, up to `version` only: how a file of an earlier program looked, for the tests.
void UpgradeTo(TSqlite& db, int version);

// The tables the current version has, for the checks of Inspect and the tests.
std::span<const std::string_view> TableNames();

} // namespace UStatsSchema
