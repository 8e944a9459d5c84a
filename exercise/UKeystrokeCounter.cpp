// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/UKeystrokeCounter.h"

#include "exercise/UExerciseStats.h"

namespace {

// Strokes waiting for a release are few (the keys held at once); this many means that their
// releases never come (an engine that takes them) and time has not moved on.
constexpr std::size_t MaxUnclaimed = 32;

bool Contains(std::u16string_view text, std::u16string_view part) {
    return text.find(part) != std::u16string_view::npos;
}

} // namespace

int TKeystrokeCounter::KeyDown(int key, bool autoRepeat, std::int64_t ms) {
    DropExpired(ms);
    FCleared.clear();
    if (!CountsAsKeystroke(key))
        return 0;
    if (!autoRepeat)
        FDown.insert(key);
    return 1;
}

int TKeystrokeCounter::KeyUp(int key, bool autoRepeat, std::int64_t ms) {
    DropExpired(ms);
    FCleared.clear();
    // Between the repeats of a held key; its last release comes without the mark.
    if (autoRepeat)
        return 0;
    if (FDown.erase(key) > 0 || !CountsAsKeystroke(key))
        return 0;
    if (!FUnclaimed.empty()) {
        FUnclaimed.pop_front();
        return 0;
    }
    return 1;
}

int TKeystrokeCounter::ImeEvent(std::u16string_view commit, std::u16string_view preedit,
                                std::int64_t ms) {
    DropExpired(ms);
    int strokes = 1;
    bool cleared = false;
    if (commit.empty()) {
        // The same preedit with other attributes (a cursor, a clause) is no key's work.
        if (preedit == FPreedit)
            strokes = 0;
        cleared = preedit.empty() && strokes > 0;
    } else if (preedit.empty() && !FPreedit.empty() && Contains(FPreedit, commit)) {
        // The text the preedit showed, committed: what Enter does. Markers of the preedit
        // ("▼" of SKK) are not committed.
        strokes = 0;
    } else if (preedit.empty() && FPreedit.empty() && !FCleared.empty() &&
               Contains(FCleared, commit)) {
        // The preedit was cleared just before, and now comes as the commit: one confirm.
        strokes = -1;
        if (!FUnclaimed.empty())
            FUnclaimed.pop_back();
    }
    FCleared = cleared ? FPreedit : std::u16string();
    FPreedit = preedit;
    if (strokes > 0) {
        FUnclaimed.push_back(ms);
        if (FUnclaimed.size() > MaxUnclaimed)
            FUnclaimed.pop_front();
    }
    return strokes;
}

void TKeystrokeCounter::Reset() {
    FUnclaimed.clear();
    FPreedit.clear();
    FCleared.clear();
}

void TKeystrokeCounter::DropExpired(std::int64_t ms) {
    while (!FUnclaimed.empty() && ms - FUnclaimed.front() > ReleaseWaitMs)
        FUnclaimed.pop_front();
}
