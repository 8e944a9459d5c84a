// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuCompKanaRoma.h"

#include "romaji/UuHiraToRoman.h"

#include <algorithm>
#include <utility>

void TCompKanaRoma::StartUnit(std::string unit, std::string unitKeys) {
    FUnit = std::move(unit);
    FUnitKeys = std::move(unitKeys);
    FPos = 1;
    FAltFirst = false;
    FMiddleTyped = false;
    FTyped.clear();
    FSpellings.clear();
    FSlot = ChoiceSlot(FUnit);
    if (!KanaToRomaji(FUnit, 0).empty()) {
        for (int i = 0; i < UuHiraToRoman::SpellingIndexCount; ++i)
            FSpellings.push_back(KanaToRomaji(FUnit, i));
    }
    FRecordAtEnd = std::any_of(FSpellings.begin(), FSpellings.end(), [&](const std::string& s) {
        return s.size() != FSpellings.front().size();
    });
}

bool TCompKanaRoma::IsSpelling(std::string_view keys) const {
    return keys == FUnitKeys ||
           std::find(FSpellings.begin(), FSpellings.end(), keys) != FSpellings.end();
}

bool TCompKanaRoma::BeginsSpelling(std::string_view keys) const {
    return FUnitKeys.starts_with(keys) ||
           std::any_of(FSpellings.begin(), FSpellings.end(),
                       [&](const std::string& s) { return s.starts_with(keys); });
}

std::optional<int> TCompKanaRoma::KnownIndex(std::string_view keys) const {
    std::optional<int> known;
    for (int i = 0; i < static_cast<int>(FSpellings.size()); ++i) {
        if (!FSpellings[i].starts_with(keys))
            continue;
        if (!known)
            known = i;
        else if (FSpellings[i] != FSpellings[*known])
            return std::nullopt;
    }
    return known;
}

std::optional<TRomajiChoice> TCompKanaRoma::LearnChoice(const std::string& before) {
    if (!FSlot)
        return std::nullopt;
    std::optional<int> index;
    if (FRecordAtEnd) {
        auto it = std::find(FSpellings.begin(), FSpellings.end(), FTyped);
        if (it != FSpellings.end())
            index = static_cast<int>(it - FSpellings.begin());
    } else if (!KnownIndex(before)) {
        index = KnownIndex(FTyped);
    }
    if (!index)
        return std::nullopt;
    FRomaji.Choices[static_cast<std::size_t>(*FSlot)] = *index;
    return TRomajiChoice{*FSlot, *index};
}

TRomajiKeyResult TCompKanaRoma::CheckRomajiKey(char key) {
    if (UnitComplete())
        return {};
    std::string typed = FTyped + key;
    if (!BeginsSpelling(typed))
        return {};

    // Before completion the guide may lag the keys (a middle letter it lacks) but never passes
    // its own last character; the completing key catches it up whole.
    bool complete = IsSpelling(typed);
    int length = static_cast<int>(FUnitKeys.size());
    int coloured = complete ? length : std::min(static_cast<int>(typed.size()), length - 1);
    int advance = coloured - (FPos - 1);

    std::string before = std::exchange(FTyped, std::move(typed));
    FPos = coloured + 1;
    FAltFirst = !complete && FTyped[0] != FUnitKeys[0];
    FMiddleTyped = !complete && FTyped.size() >= FUnitKeys.size();
    return {true, advance, LearnChoice(before)};
}

char TCompKanaRoma::NextKey() const {
    if (UnitComplete())
        return 0;
    if (FUnitKeys.starts_with(FTyped))
        return FUnitKeys[FTyped.size()];
    for (const std::string& s : FSpellings) {
        if (s.size() > FTyped.size() && s.starts_with(FTyped))
            return s[FTyped.size()];
    }
    return 0;
}
