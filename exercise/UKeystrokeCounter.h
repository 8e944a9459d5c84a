// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Counts the keys a learner presses in one text pane from what reaches the pane, whatever the
// input method lets through. An input method may take a key's press (the pane then sees the
// input-method event the key caused and the release), its press and its release (the pane sees
// only the input-method event), or neither (the pane sees the press and the release). Each key
// counts once, on the first of its events that shows it:
//
//   events the pane sees for "o", "h" typed            engine
//   press o, release o, press h, release h             none (direct input)
//   preedit "お", release o, preedit "おh", release h  takes presses (Mozc, KKC, SKK)
//   preedit "お", preedit "おh"                        takes presses and releases (Anthy)
//
// A press counts at once. An input-method event counts when it changes what the learner sees
// (the preedit text, or a commit of something new): a later release of a key whose press was
// not seen is then that key's, and counts nothing. A release counts only when no such event
// waits for it (a key the input method took without showing anything). An event that only
// confirms the preedit (Enter: the commit of the text the preedit showed, nothing left
// composed) counts nothing, as Enter itself counts nothing; an engine that commits and sends a
// preedit for one key as two events ("日本" committed, then preedit "ｋ") counts once, and one
// that clears the preedit before committing it counts the pair as nothing.
//
// A held key counts once per character it repeats: an input method turns the repeated presses
// into input-method events that the pane cannot tell from single keys, so the presses that
// reach the pane as repeats count too. Which keys count is CountsAsKeystroke's rule.
//
// Times are milliseconds of a steady clock. Key codes are Qt's.

#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <string_view>

class TKeystrokeCounter {
public:
    // Each returns the keystrokes the event adds: 1, 0, or -1 when it shows that the stroke the
    // previous event counted was none (a preedit cleared, then committed).
    int KeyDown(int key, bool autoRepeat, std::int64_t ms);
    int KeyUp(int key, bool autoRepeat, std::int64_t ms);
    int ImeEvent(std::u16string_view commit, std::u16string_view preedit, std::int64_t ms);

    // The pane dropped its composition (a new text): nothing composed, no stroke waits for its
    // release. Keys held now stay held.
    void Reset();

    // A stroke counted from an input-method event waits this long for the release of its key.
    static constexpr std::int64_t ReleaseWaitMs = 1000;

private:
    void DropExpired(std::int64_t ms);

    std::set<int> FDown;                 // keys whose press the pane saw and counted
    std::deque<std::int64_t> FUnclaimed; // times of strokes counted from input-method events
    std::u16string FPreedit;             // the preedit the last event left
    std::u16string FCleared;             // the preedit the last event cleared without a commit
};
