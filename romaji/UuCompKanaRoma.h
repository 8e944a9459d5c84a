// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The key check of the drill's current kana unit. The guide shows one spelling of the unit (the
// displayed spelling), but every spelling of the table is accepted: し may be typed SI, SHI or CI
// whatever the guide shows. The coloured part of the guide stays in step with the keys although
// the typed spelling may be one letter longer or shorter than the displayed one, and the
// spelling the learner used becomes the choice of the strings converted afterwards; the key
// result says so, for the settings to keep.

#include "romaji/UuHiraToRoman.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A spelling the learner chose: slot 0..46 and its index 0..2.
struct TRomajiChoice {
    int Slot = 0;
    int Index = 0;
    bool operator==(const TRomajiChoice&) const = default;
};

struct TRomajiKeyResult {
    bool Accepted = false;
    int Advance = 0; // guide characters to colour for this key: 0, 1 or 2
    // The key told which spelling the learner types (C of CA for か); it is the choice of the
    // conversions from now on.
    std::optional<TRomajiChoice> Learned;
};

// The key state of the current unit; the drill engine derives from it.
class TCompKanaRoma {
public:
    // Makes `unit` (Shift_JIS) the current unit with `unitKeys` its displayed spelling: no key
    // typed, nothing coloured, both flags clear. A unit with empty keys is complete at once and
    // accepts no key, so the engine passes over it.
    void StartUnit(std::string unit, std::string unitKeys);

    // Accepts `key` (an upper-case character) exactly when the keys typed so far followed by it
    // begin one of the unit's spellings: those of the table for a unit that has an entry, else
    // the displayed one alone (っし: only SSI). A rejected key changes nothing.
    //
    // Colouring: a key of a spelling as long as the displayed one colours 1; the middle letter
    // that the displayed spelling lacks colours 0 (H of SHI under the guide SI); the key that
    // completes a spelling one letter shorter colours 2 (I of SI under the guide SHI). At
    // completion exactly the displayed length is coloured.
    //
    // The choice is learned when the spelling is known: for spellings of one length at the key
    // that tells them apart (C of CA for か), otherwise at the key that completes the unit. It
    // goes into RomajiOptions() and the result.
    TRomajiKeyResult CheckRomajiKey(char key);

    // The spellings and guide case of the conversions; the choices learned are kept here.
    const TRomajiOptions& RomajiOptions() const { return FRomaji; }
    void SetRomajiOptions(const TRomajiOptions& options) { FRomaji = options; }

    // Every displayed character is coloured; true at once for a unit with empty keys.
    bool UnitComplete() const { return FPos > static_cast<int>(FUnitKeys.size()); }

    // The key that continues the unit: the displayed spelling's while the keys follow it, else
    // that of the spelling being typed (H after C under the guide TI, for CHI); 0 when complete.
    char NextKey() const;

    const std::string& Unit() const { return FUnit; }
    const std::string& UnitKeys() const { return FUnitKeys; }
    int Pos() const { return FPos; }
    bool AltFirst() const { return FAltFirst; }
    bool MiddleTyped() const { return FMiddleTyped; }
    const std::string& Typed() const { return FTyped; }

private:
    bool IsSpelling(std::string_view keys) const;
    bool BeginsSpelling(std::string_view keys) const;
    // The one index-0..2 spelling that `keys` may still become, as its lowest index; none while
    // several differ.
    std::optional<int> KnownIndex(std::string_view keys) const;
    std::optional<TRomajiChoice> LearnChoice(const std::string& before);

    std::string FUnit;
    std::string FUnitKeys; // the displayed spelling
    int FPos = 1;          // 1-based position in FUnitKeys of the next character to colour
    // The first key is another than the guide's (C for し under the guide SI).
    bool FAltFirst = false;
    // The keys hold a middle letter that the guide lacks (H of SHI under the guide SI), so the
    // guide lags one character behind them.
    bool FMiddleTyped = false;
    std::string FTyped; // the keys accepted in this unit
    // The table's spellings by index 0..2, empty when the unit has no entry.
    std::vector<std::string> FSpellings;
    std::optional<int> FSlot;
    bool FRecordAtEnd = false; // the spellings differ in length
    TRomajiOptions FRomaji;
};
