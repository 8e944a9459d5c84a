// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The touch-typing drill: the strings of a practice text shown one by one in the example pane,
// each as its kana on line 0 and its romaji guide on line 1. Every key is judged at once
// against the current kana unit; accepted keys grey the guide, a completed unit greys its
// kana. A string holding kanji or other characters beyond kana is entered through the input
// method instead (the kana step) on a line of its own and compared whole. Space repeats a
// finished string, Enter goes on to the next; after the last one the drill ends.
//
// Positions in the pane are Shift_JIS byte offsets, every line break counting 2 (CR LF).
//
// The drill also records what the learner typed, for the statistics: every kana unit completed
// with the keys that typed it, its time and the wrong keys on the way (TakeAttempts), and the
// strings that had a wrong key (MissedStrings).
//
// In kana input (SetInputStyle) the same strings are typed on the JIS kana layout, one key a
// kana and the voiced mark's key after its base kana: the guide shows the key legends ("か゛"
// for が) and every key is judged by its place and Shift (KeyStroke). A unit's record names its
// keys as the JIS keyboard types them without the input method ("T@" for が, "#" for ぁ, Shift
// and 3), so that statistics of the two styles read alike and never mix.

#include "platform/TextPane.h"
#include "romaji/UuCompKanaRoma.h"
#include "romaji/UuKbTables.h"
#include "store/UStatsStore.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What the drill needs of the main window and its keyboard picture; the window implements it.
class TDrillHost {
public:
    virtual ~TDrillHost() = default;
    // The keyboard: the name of finger 1..8 in blue, 0 none.
    virtual void ShowFinger(int finger) = 0;
    // The keyboard: the key marked as next drawn in the normal colours of the key of `c`.
    virtual void UnmarkKey(char c) = 0;
    // Kana input: the key marked as next drawn unmarked, with its Shift.
    virtual void UnmarkStroke(TKeyStroke stroke) { UnmarkKey(stroke.Key); }
    virtual void StopExerciseTimer() = 0;
    // Marks no key (next 0, wrong 0) and refreshes the guide.
    virtual void MarkNoKeys() = 0;
    // StatusBar1 panel 1; Shift_JIS.
    virtual void SetStatusText(const std::string& text) = 0;
    // A modal information box with OK; Shift_JIS.
    virtual void ShowInformation(const std::string& text) = 0;
};

class TKbClassEx : public TCompKanaRoma {
public:
    // Longest string of a text, in bytes.
    static constexpr std::size_t MaxStringBytes = 40;
    // A unit with a longer gap between two of its keys (or before its first) counts for
    // accuracy but not for speed: the learner paused.
    static constexpr std::int64_t PauseMillis = 2000;

    // Binds the drill to the example pane and its host; nothing is loaded.
    void InitDrill(TTextPane& edit, TDrillHost& host);
    // Drops the text; the drill accepts no key afterwards.
    void DoneDrill();
    // Ends the drill where it stands, as the window's stop step does: no key is taken any more,
    // none is next or wrong, no string is finished or in the kana step.
    void Abandon();

    // Romaji or kana input, and the keyboard whose fingers the guide names (kana input is
    // typed on the JIS keyboard whatever is given). Takes effect from the next string shown.
    void SetInputStyle(TInputStyle style, TKeyboardKind keyboard = TKeyboardKind::Jis);
    TInputStyle InputStyle() const { return FInputStyle; }
    TKeyboardKind Keyboard() const { return FKeyboard; }

    // Takes the strings of `text` (Shift_JIS, lines at any line break) and goes to the first.
    // The window then shows it (ShowString), marks the keys and sets the drill active.
    void LoadText(std::string_view text);
    // Shows string FLineIndex in the pane and makes its first unit current.
    void ShowString();

    // What became of one key.
    struct TKeyResult {
        bool Consumed = false; // the drill took the key; the window passes it on to no control
        // The key showed the spelling the learner types for its unit: the settings keep it.
        std::optional<TRomajiChoice> Learned;
        // The key finished the current string (its last unit, or the kana step's check).
        bool StringFinished = false;
    };
    // Judges one key typed in touch typing (ASCII letters upper-cased by the window). `millis`
    // is when it was pressed, on any clock that only goes forward; -1 times nothing.
    // In kana input a character typed while a string is being typed is judged as the stroke
    // that types it on the JIS keyboard (StrokeOf), for platforms that give no key place.
    TKeyResult KeyPress(char key, std::int64_t millis = -1);
    // Kana input: one key by its place, `stroke` (none for a key the keyboard does not draw,
    // such as Enter), `typed` the character it carried. Space and Enter of a finished string
    // and the kana step go to KeyPress(typed); in romaji input the same.
    TKeyResult KeyStroke(std::optional<TKeyStroke> stroke, char typed, std::int64_t millis = -1);
    // The kana step: compares the input line with the string; equal finishes the string,
    // otherwise the first difference is selected. Does nothing outside the kana step.
    void KanaCheck();
    // Goes on to the next string, or ends the drill after the last; used after a failure.
    void NextString();
    // The status text and the finger of the next key.
    void RefreshGuide();

    // What the drill has counted since its text was loaded: the keystrokes the window's
    // keystroke counting reports, and the wrong keys.
    void AddKeystrokes(int strokes) { FKeyCount = std::max(0, FKeyCount + strokes); }
    int KeyCount() const { return FKeyCount; }
    int Misses() const { return FMisses; }
    // Kana (and other characters) of the strings typed so far: the characters of every unit
    // completed, and of every string the kana step accepted.
    int CharsTyped() const { return FCharsTyped; }

    // The units completed since the last call, oldest first. A unit with a small tsu before it
    // (っと typed TTO) is two attempts: っ typed with the doubled key, then と.
    std::vector<TUnitAttempt> TakeAttempts() { return std::exchange(FAttempts, {}); }
    // The strings that had a wrong key (or a kana step that did not match), in their order.
    std::vector<std::string> MissedStrings() const;

    // What the window reads.
    bool Active() const { return FActive; }
    void SetActive(bool active) { FActive = active; }
    bool KanaStep() const { return FKanaStep; }
    bool Done() const { return FDone; }
    char NextKeyChar() const { return FNextKeyChar; }
    char WrongChar() const { return FWrongChar; }
    // Kana input: the stroke to type next, and the wrong one just typed (Key 0: none).
    TKeyStroke NextStroke() const { return FNextStroke; }
    TKeyStroke WrongStroke() const { return FWrongStroke; }
    // Where the caret of the pane belongs outside the kana step.
    int Caret() const { return FCaret; }

    // The strings of the text, the current one and its units, for the window and tests.
    const std::vector<std::string>& Lines() const { return FLines; }
    int LineIndex() const { return FLineIndex; }
    int UnitIndex() const { return FUnitIndex; }
    const std::vector<std::string>& Units() const { return FUnits; }
    const std::vector<std::string>& UnitKeysList() const { return FUnitKeysList; }
    const std::string& Guide() const { return FGuide; }

    // Whether a string is entered through the input method: it holds a double-byte character
    // whose lead byte is not 0x81, 0x82 or 0x83 (kanji and the like; symbols, full-width
    // letters and digits, kana and Greek are typed as keys).
    static bool NeedsKanaStep(std::string_view s);

private:
    // One stretch of a unit's kana on line 0.
    struct TSpan {
        int Start, Length;
    };

    void CleanLines();
    // Forgets the units of the current string; no key is next or wrong.
    void ClearUnits();
    void AdvanceGuide(int n);
    void MarkKanaDone(int unitIndex);
    // Makes unit FUnitIndex current, greying and passing over the units nothing can type; a
    // string with no unit left is finished.
    void EnterUnit();
    bool KanaInput() const { return FInputStyle == TInputStyle::Kana; }
    TKeyResult JudgeStroke(TKeyStroke stroke, char typed, std::int64_t millis);
    void RepeatOrNext(char key);
    void EndDrill();
    void MarkMismatch();
    void FindUnitSpans(const std::string& s);
    // The current unit's record begins: the unit just made current, timed from the last key
    // accepted in the string.
    void BeginAttempt();
    // `key` as the statistics name it; `typed` its name when it was wrong.
    void RecordKey(char key, std::int64_t millis, bool accepted, std::string typed = {});
    void FinishAttempt();

    TTextPane* FEdit = nullptr;
    TDrillHost* FHost = nullptr;

    std::u16string FSentenceW;
    std::string FGuide;
    char FNextKeyChar = 0;
    char FWrongChar = 0;
    int FUnitIndex = 0;
    int FLineIndex = 0;
    int FKanaCaret = 0;  // end of the kana greyed last, on line 0
    int FGuideCaret = 0; // the next guide character to grey, on line 1
    int FCaret = 0;      // the caret when the key being judged came
    std::vector<std::string> FLines;
    std::vector<std::string> FUnits;
    std::vector<std::string> FUnitKeysList;
    // The kana of each unit on line 0. A small tsu kept for a later unit makes that unit's
    // kana two stretches (っAか gives A, then っか over bytes 0–1 and 3–4).
    std::vector<std::vector<TSpan>> FUnitSpans;
    TInputStyle FInputStyle = TInputStyle::Romaji;
    TKeyboardKind FKeyboard = TKeyboardKind::Jis;
    // Kana input: the strokes of each unit, the stroke of the current unit to type next, and
    // the strokes the keyboard marks.
    std::vector<std::vector<TKeyStroke>> FUnitStrokes;
    std::size_t FStrokePos = 0;
    TKeyStroke FNextStroke;
    TKeyStroke FWrongStroke;
    bool FKanaStep = false;
    bool FActive = false;
    bool FDone = false;
    int FKeyCount = 0;
    int FMisses = 0;
    int FCharsTyped = 0;

    // The record of the unit being typed.
    struct TAttemptDraft {
        TUnitAttempt Attempt;
        std::vector<std::int64_t> KeyMillis; // when each accepted key came
        std::vector<bool> Timed;             // the time since the accepted key before it counts
        std::vector<int> MissAt;             // keys accepted before each wrong key
        std::int64_t FromMillis = -1;        // the accepted key before the unit; -1 none
        bool Paused = false;
    };
    TAttemptDraft FDraft;
    std::int64_t FLastKeyMillis = -1;      // the last key of the string, accepted or not
    std::int64_t FLastAcceptedMillis = -1; // the last key of the string accepted
    std::vector<TUnitAttempt> FAttempts;
    std::vector<bool> FMissedLines;
};
