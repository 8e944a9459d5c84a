// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Keeps the settings block of the store as it was before a test and gives the test default
// romaji settings: every RomajiChoice 0, the guide in upper case.

#include "app/UDataFile.h"

#include <algorithm>

class TSavedOptions {
public:
    TSavedOptions() : FSaved(OptionRec) {
        std::fill(std::begin(OptionRec.RomajiChoice), std::end(OptionRec.RomajiChoice), 0);
        OptionRec.RomajiLower = 0;
    }
    ~TSavedOptions() { OptionRec = FSaved; }
    TSavedOptions(const TSavedOptions&) = delete;
    TSavedOptions& operator=(const TSavedOptions&) = delete;

private:
    TOptionRec FSaved;
};
