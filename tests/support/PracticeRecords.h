// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Practice records for tests: a record in use with ordinary counts, changed where a test needs.

#include "store/UDataFile.h"

#include <string_view>

// A Japanese record of `mode` made at `date`: 100 example and 100 typed characters, 98 matching,
// 2 missed, 25 kanji, 300 keys, `seconds` long.
inline TPracticeRec PracticeRecord(std::string_view title, TRecordMode mode, double date,
                                   int seconds = 60) {
    TPracticeRec rec{};
    SetRecordTitle(rec, title);
    rec.RecMode = mode;
    rec.TextKind = TTextKind::Japanese;
    rec.RecDate = date;
    rec.ExampleCount = 100;
    rec.InputCount = 100;
    rec.MatchCount = 98;
    rec.MissCount = 2;
    rec.KanjiCount = 25;
    rec.KeyCount = 300;
    rec.Seconds = seconds;
    return rec;
}
