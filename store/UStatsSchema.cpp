// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UStatsSchema.h"

#include "store/USqlite.h"

#include <algorithm>
#include <set>
#include <string>

namespace {

// Each step takes a file from the version before it to its own. Steps are never changed once
// released: a later change of the tables is a new step.
struct TStep {
    int Version;
    const char* Sql;
};

constexpr TStep Steps[] = {
    {1, R"sql(
-- Settings that Typorin.dat has no room for, as text.
CREATE TABLE setting (
    name TEXT PRIMARY KEY NOT NULL,
    value TEXT NOT NULL
) WITHOUT ROWID;

-- One row an exercise of any mode, written at its first string end and brought up to date at
-- every later one. day is the local calendar day as days since 1970-01-01.
CREATE TABLE exercise (
    id INTEGER PRIMARY KEY,
    started INTEGER NOT NULL,   -- seconds since 1970-01-01 UTC
    day INTEGER NOT NULL,
    mode INTEGER NOT NULL,      -- 0 touch typing, 1 sequential input, 2 bulk input
    style INTEGER NOT NULL,     -- touch typing: 0 romaji, 1 kana input
    keyboard INTEGER NOT NULL,  -- 0 JIS, 1 US
    title TEXT NOT NULL,
    text_kind INTEGER NOT NULL, -- 0 Japanese, 1 English
    seconds INTEGER NOT NULL,
    keys INTEGER NOT NULL,
    wrong_keys INTEGER NOT NULL,
    units INTEGER NOT NULL,     -- kana typed, characters committed or compared
    finished INTEGER NOT NULL   -- 1 once the exercise reached its end
);
CREATE INDEX exercise_by_day ON exercise (mode, style, day);

-- The kana units typed, each stored once (し, しゃ, っ, ー, 、 …), and each spelling of a unit
-- (し as SHI, し as SI), so that an attempt names both with one small number.
CREATE TABLE unit (
    id INTEGER PRIMARY KEY,
    text TEXT NOT NULL UNIQUE
);
CREATE TABLE spelling (
    id INTEGER PRIMARY KEY,
    unit INTEGER NOT NULL,
    keys TEXT NOT NULL,
    UNIQUE (unit, keys)
);

-- Every unit typed in touch typing. millis is the time from the accepted key before the unit to
-- the key that completed it, NULL when it does not count for speed; key_times holds one byte a
-- key accepted, its time from the key before in 10 ms steps, 255 when not counted.
CREATE TABLE attempt (
    exercise INTEGER NOT NULL,
    spelling INTEGER NOT NULL,
    millis INTEGER,
    wrong INTEGER NOT NULL,
    key_times BLOB NOT NULL
);

-- Every wrong key of touch typing with the key that was expected.
CREATE TABLE wrong_key (
    exercise INTEGER NOT NULL,
    unit INTEGER NOT NULL,
    expected TEXT NOT NULL,
    typed TEXT NOT NULL
);

-- Every string the input method committed in sequential input.
CREATE TABLE commit_event (
    exercise INTEGER NOT NULL,
    expected TEXT NOT NULL,
    committed TEXT NOT NULL,
    accepted INTEGER NOT NULL,
    millis INTEGER,
    keys INTEGER NOT NULL
);

-- The example's characters that a bulk comparison found mistyped or omitted.
CREATE TABLE bulk_miss (
    exercise INTEGER NOT NULL,
    character TEXT NOT NULL,
    count INTEGER NOT NULL
);

-- Sums per day that the analysis reads, kept with the rows above in the same transaction.
CREATE TABLE unit_day (
    style INTEGER NOT NULL,
    day INTEGER NOT NULL,
    unit INTEGER NOT NULL,
    spelling TEXT NOT NULL,
    attempts INTEGER NOT NULL,
    failed INTEGER NOT NULL, -- attempts with a wrong key
    wrong INTEGER NOT NULL,  -- wrong keys
    times BLOB NOT NULL,     -- histogram of the timed attempts
    PRIMARY KEY (style, day, unit, spelling)
) WITHOUT ROWID;
CREATE TABLE key_day (
    style INTEGER NOT NULL,
    day INTEGER NOT NULL,
    key TEXT NOT NULL,
    expected INTEGER NOT NULL, -- times the key was the next one and was pressed
    wrong INTEGER NOT NULL,    -- other keys pressed while it was the next one
    times BLOB NOT NULL,
    PRIMARY KEY (style, day, key)
) WITHOUT ROWID;
CREATE TABLE miss_day (
    style INTEGER NOT NULL,
    day INTEGER NOT NULL,
    unit INTEGER NOT NULL,
    expected TEXT NOT NULL,
    typed TEXT NOT NULL,
    count INTEGER NOT NULL,
    PRIMARY KEY (style, day, unit, expected, typed)
) WITHOUT ROWID;
)sql"},
    {2, R"sql(
-- The last 50 attempts of each unit per input style, newest by the highest attempt number, so
-- that what a learner can do now is read without the whole history. attempt is the attempt's
-- row number, which grows with every unit typed; keys the spelling typed; millis NULL when the
-- attempt does not count for speed; wrong the wrong keys on the way.
CREATE TABLE recent_attempt (
    style INTEGER NOT NULL,
    unit INTEGER NOT NULL,
    attempt INTEGER NOT NULL,
    keys TEXT NOT NULL,
    millis INTEGER,
    wrong INTEGER NOT NULL,
    PRIMARY KEY (style, unit, attempt)
) WITHOUT ROWID;

-- A file of the version before starts with the last 50 of what it recorded.
INSERT INTO recent_attempt (style, unit, attempt, keys, millis, wrong)
SELECT style, unit, attempt, keys, millis, wrong FROM (
    SELECT e.style AS style, s.unit AS unit, a.rowid AS attempt, s.keys AS keys,
           a.millis AS millis, a.wrong AS wrong,
           row_number() OVER (PARTITION BY e.style, s.unit ORDER BY a.rowid DESC) AS newest
    FROM attempt a
    JOIN spelling s ON s.id = a.spelling
    JOIN exercise e ON e.id = a.exercise
)
WHERE newest <= 50;
)sql"},
};

constexpr std::string_view Tables[] = {
    "setting",      "exercise",  "unit",     "spelling", "attempt",  "wrong_key",
    "commit_event", "bulk_miss", "unit_day", "key_day",  "miss_day", "recent_attempt",
};

std::set<std::string> ExistingTables(TSqlite& db) {
    std::set<std::string> names;
    TStatement statement(db, "SELECT name FROM sqlite_master WHERE type = 'table'");
    while (statement.Step())
        names.insert(statement.Text(0));
    return names;
}

} // namespace

namespace UStatsSchema {

int CurrentVersion() {
    return std::end(Steps)[-1].Version;
}

std::span<const std::string_view> TableNames() {
    return Tables;
}

TState Inspect(TSqlite& db) {
    auto version = db.QueryInt("PRAGMA user_version");
    std::set<std::string> existing = ExistingTables(db);
    if (version == 0)
        return existing.empty() ? TState::Empty : TState::Foreign;
    if (version > CurrentVersion())
        return TState::Newer;
    if (version < CurrentVersion())
        return TState::Older;
    bool complete = std::all_of(std::begin(Tables), std::end(Tables), [&](std::string_view name) {
        return existing.contains(std::string(name));
    });
    return complete ? TState::Current : TState::Foreign;
}

void Upgrade(TSqlite& db) {
    UpgradeTo(db, CurrentVersion());
}

void UpgradeTo(TSqlite& db, int target) {
    auto version = db.QueryInt("PRAGMA user_version");
    for (const TStep& step : Steps) {
        if (step.Version <= version || step.Version > target)
            continue;
        db.Exec(step.Sql);
        db.Exec(("PRAGMA user_version = " + std::to_string(step.Version)).c_str());
    }
}

} // namespace UStatsSchema
