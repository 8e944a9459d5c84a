// SPDX-License-Identifier: GPL-3.0-or-later
#include "drills/UKanaCourse.h"

#include "analysis/UKanaAnalysis.h"
#include "platform/ShiftJis.h"
#include "platform/Translate.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <stdexcept>

namespace UKanaCourse {

namespace {

using UDrillText::TDrillRandom;
using UDrillText::TDrillWord;
using UDrillText::TPiece;

std::vector<TItem> MakeItems() {
    std::vector<TItem> items;
    for (int stage = 0; stage < StageCount; ++stage) {
        for (int i = 0; i < StageSize(Stages[stage]); ++i)
            items.push_back({Stages[stage].Units[i], stage, Stages[stage].Opens});
    }
    return items;
}

int ItemCount() {
    return static_cast<int>(Items().size());
}

int ClampUnlocked(int unlocked) {
    return std::clamp(unlocked, InitialUnlocked, ItemCount());
}

std::optional<int> ParseInt(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    int value = 0;
    const char* end = text->data() + text->size();
    auto [stop, error] = std::from_chars(text->data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

int LoadTarget(const TStatsStore& store, const char* name, const int (&range)[2], int fallback) {
    std::optional<int> value = ParseInt(store.Setting(name));
    return value && *value >= range[0] && *value <= range[1] ? *value : fallback;
}

const TUnitFigures& FiguresOf(const std::map<std::u16string, TUnitFigures>& figures,
                              std::u16string_view unit) {
    static const TUnitFigures none;
    auto it = figures.find(std::u16string(unit));
    return it == figures.end() ? none : it->second;
}

bool ItemMastered(const TItem& item, const std::map<std::u16string, TUnitFigures>& figures,
                  const TTargets& targets) {
    return Mastered(FiguresOf(figures, item.Unit), targets);
}

// What a stage's text may use and what it favours.
struct TStageScope {
    std::set<std::u16string, std::less<>> Units; // every unit unlocked up to the stage's end
    std::set<std::u16string, std::less<>> StageUnits;
    bool KatakanaOpen = false;
    bool NBeforeVowelOpen = false;
    std::vector<const TItem*> Favoured;
};

bool Typeable(const TDrillWord& word, const TStageScope& scope) {
    if ((word.Katakana && !scope.KatakanaOpen) || (word.NBeforeVowel && !scope.NBeforeVowelOpen))
        return false;
    return std::all_of(word.TableUnits.begin(), word.TableUnits.end(),
                       [&](const std::u16string& unit) { return scope.Units.contains(unit); });
}

bool Holds(const std::vector<std::u16string>& units, std::u16string_view unit) {
    return std::find(units.begin(), units.end(), unit) != units.end();
}

bool Favours(const TItem& item, const TDrillWord& word) {
    return item.Opens == TGate::NBeforeVowel ? word.NBeforeVowel
                                             : Holds(word.TableUnits, item.Unit);
}

bool HoldsStageUnit(const std::vector<std::u16string>& units, const TStageScope& scope) {
    return std::any_of(units.begin(), units.end(),
                       [&](const std::u16string& unit) { return scope.StageUnits.contains(unit); });
}

// Two units that read as a syllable pair: ん, っ and ー never start one; っ (which needs a
// consonant after it) never stands in one; ー only ends one in katakana.
bool PairsWell(std::u16string_view first, std::u16string_view second, bool katakana) {
    if (first == second || first == u"ん" || first == u"ー" || first == u"っ" || second == u"っ")
        return false;
    return second != u"ー" || katakana;
}

// A unit that goes with a favoured one into a pair: a plain kana of one character, so that a
// pair reads as two syllables (かお, しゃか), never two contracted sounds (ぴゃどぅ).
bool Partner(std::u16string_view unit) {
    return unit.size() == 1 && unit != u"ヴ";
}

// Pairs of kana for a stage with too few words: each holds a favoured unit and another
// unlocked unit. No pair stands for ん before a vowel (a pair never starts with ん); that stage
// pairs its unit ん as any unit.
std::vector<std::vector<std::u16string>> MakePairs(const TStageScope& scope) {
    std::vector<std::u16string> anchors;
    for (const TItem* item : scope.Favoured) {
        if (item->Opens != TGate::NBeforeVowel)
            anchors.emplace_back(item->Unit);
    }
    if (anchors.empty())
        anchors.assign(scope.StageUnits.begin(), scope.StageUnits.end());
    std::set<std::vector<std::u16string>> pairs;
    for (const std::u16string& anchor : anchors) {
        for (const std::u16string& other : scope.Units) {
            if (!Partner(other))
                continue;
            if (PairsWell(anchor, other, scope.KatakanaOpen))
                pairs.insert({anchor, other});
            if (PairsWell(other, anchor, scope.KatakanaOpen))
                pairs.insert({other, anchor});
        }
    }
    return {pairs.begin(), pairs.end()};
}

int StageOfUnit(std::u16string_view unit) {
    for (const TItem& item : Items()) {
        if (item.Unit == unit)
            return item.Stage;
    }
    return StageCount;
}

int KatakanaStage() {
    for (int stage = 0; stage < StageCount; ++stage) {
        if (Stages[stage].Opens == TGate::Katakana)
            return stage;
    }
    return StageCount;
}

} // namespace

std::span<const TItem> Items() {
    static const std::vector<TItem> items = MakeItems();
    return items;
}

int FirstItem(int stage) {
    int first = 0;
    for (int s = 0; s < stage; ++s)
        first += StageSize(Stages[s]);
    return first;
}

int EndItem(int stage) {
    return FirstItem(stage) + StageSize(Stages[stage]);
}

// ---- Figures

std::map<std::u16string, TUnitFigures> RecentFigures(const std::vector<TRecentAttempt>& recent) {
    std::map<std::u16string, std::vector<const TRecentAttempt*>> byUnit;
    for (const TRecentAttempt& attempt : recent) {
        for (const std::u16string& unit : TableUnits(attempt.Unit))
            byUnit[unit].push_back(&attempt);
    }
    std::map<std::u16string, TUnitFigures> figures;
    for (auto& [unit, attempts] : byUnit) {
        auto kept = std::min<std::size_t>(attempts.size(), TStatsStore::RecentAttemptsKept);
        std::partial_sort(attempts.begin(), attempts.begin() + static_cast<std::ptrdiff_t>(kept),
                          attempts.end(),
                          [](const auto* a, const auto* b) { return a->Order > b->Order; });
        TUnitFigures& f = figures[unit];
        std::vector<double> perKey;
        for (std::size_t i = 0; i < kept; ++i) {
            const TRecentAttempt& a = *attempts[i];
            ++f.Attempts;
            f.Failed += a.Wrong > 0 ? 1 : 0;
            if (a.Millis >= 0 && !a.Spelling.empty())
                perKey.push_back(static_cast<double>(a.Millis) /
                                 static_cast<double>(a.Spelling.size()));
        }
        if (!perKey.empty()) {
            auto middle = perKey.begin() + static_cast<std::ptrdiff_t>((perKey.size() - 1) / 2);
            std::nth_element(perKey.begin(), middle, perKey.end());
            f.MedianMillisPerKey = *middle;
        }
    }
    return figures;
}

bool Mastered(const TUnitFigures& figures, const TTargets& targets) {
    // In whole numbers, so that 19 of 20 is exactly 95 %.
    return figures.Attempts >= targets.MinAttempts &&
           (figures.Attempts - figures.Failed) * 100 >=
               targets.MinAccuracyPercent * figures.Attempts &&
           figures.MedianMillisPerKey &&
           *figures.MedianMillisPerKey * targets.KeysPerMinute < 60000.0;
}

// ---- Progress

std::optional<TState> UnitState(std::u16string_view unit, const TProgress& progress,
                                const std::map<std::u16string, TUnitFigures>& figures,
                                const TTargets& targets) {
    std::u16string folded = UKanaAnalysis::FoldUnit(unit);
    std::span<const TItem> items = Items();
    auto it = std::find_if(items.begin(), items.end(),
                           [&](const TItem& item) { return item.Unit == folded; });
    if (it == items.end())
        return std::nullopt;
    if (it - items.begin() >= ClampUnlocked(progress.Unlocked))
        return TState::Locked;
    return ItemMastered(*it, figures, targets) ? TState::Mastered : TState::InProgress;
}

std::vector<TStageStatus> StageStatuses(const TProgress& progress,
                                        const std::map<std::u16string, TUnitFigures>& figures,
                                        const TTargets& targets) {
    int unlocked = ClampUnlocked(progress.Unlocked);
    std::span<const TItem> items = Items();
    std::vector<TStageStatus> statuses;
    for (int stage = 0; stage < StageCount; ++stage) {
        TStageStatus status;
        status.Name = Stages[stage].Name;
        int first = FirstItem(stage), end = EndItem(stage);
        status.Units = end - first;
        status.UnlockedUnits = std::clamp(unlocked - first, 0, status.Units);
        if (status.UnlockedUnits > 0) {
            bool mastered =
                status.UnlockedUnits == status.Units &&
                std::all_of(items.begin() + first, items.begin() + end, [&](const TItem& item) {
                    return ItemMastered(item, figures, targets);
                });
            status.State = mastered ? TState::Mastered : TState::InProgress;
        }
        statuses.push_back(status);
    }
    return statuses;
}

int CurrentStage(const TProgress& progress) {
    return Items()[ClampUnlocked(progress.Unlocked) - 1].Stage;
}

TAdvance Advance(const TProgress& progress, const std::map<std::u16string, TUnitFigures>& figures,
                 const TTargets& targets) {
    int unlocked = ClampUnlocked(progress.Unlocked);
    std::span<const TItem> items = Items();
    TAdvance advance{{unlocked}, std::nullopt};
    if (unlocked == ItemCount())
        return advance;
    bool ready = std::all_of(items.begin(), items.begin() + unlocked, [&](const TItem& item) {
        return ItemMastered(item, figures, targets);
    });
    if (ready) {
        advance.Unlocked = unlocked;
        advance.Progress.Unlocked = unlocked + 1;
    }
    return advance;
}

std::string UnlockMessage(int item) {
    if (item < 0 || item >= ItemCount())
        throw std::out_of_range("no such unit of the kana course");
    const TItem& unlocked = Items()[item];
    switch (unlocked.Opens) {
    case TGate::NBeforeVowel:
        return TrUtf8(
            "UKanaCourse",
            "「ん」のあとに、あ行・や行・な行が続く単語が加わりました（こんや、みんな）。");
    case TGate::Katakana:
        return TrUtf8("UKanaCourse", "「ー」とカタカナの単語が加わりました。");
    case TGate::None:
        break;
    }
    return Utf8Of(
        FillArgs(TrText("UKanaCourse", "新しいかな「%1」が加わりました。"), {unlocked.Unit}));
}

// ---- Settings

std::string ProgressSettingName(TInputStyle style) {
    return style == TInputStyle::Kana ? "course.kana.unlocked" : "course.romaji.unlocked";
}

TProgress LoadProgress(const TStatsStore& store, TInputStyle style) {
    std::optional<int> unlocked = ParseInt(store.Setting(ProgressSettingName(style)));
    return {unlocked ? ClampUnlocked(*unlocked) : InitialUnlocked};
}

void SaveProgress(TStatsStore& store, TInputStyle style, const TProgress& progress) {
    store.SetSetting(ProgressSettingName(style), std::to_string(ClampUnlocked(progress.Unlocked)));
}

void ResetProgress(TStatsStore& store, TInputStyle style) {
    SaveProgress(store, style, TProgress{});
}

TTargets LoadTargets(const TStatsStore& store) {
    TTargets defaults;
    return {LoadTarget(store, MinAttemptsSetting, MinAttemptsRange, defaults.MinAttempts),
            LoadTarget(store, MinAccuracySetting, AccuracyRange, defaults.MinAccuracyPercent),
            LoadTarget(store, KeysPerMinuteSetting, KeysPerMinuteRange, defaults.KeysPerMinute)};
}

void SaveTargets(TStatsStore& store, const TTargets& targets) {
    auto save = [&](const char* name, int value, const int(&range)[2]) {
        store.SetSetting(name, std::to_string(std::clamp(value, range[0], range[1])));
    };
    save(MinAttemptsSetting, targets.MinAttempts, MinAttemptsRange);
    save(MinAccuracySetting, targets.MinAccuracyPercent, AccuracyRange);
    save(KeysPerMinuteSetting, targets.KeysPerMinute, KeysPerMinuteRange);
}

// ---- Texts

TStageText MakeStageText(int stage, const TProgress& progress, const UDrillText::TDrillWords& words,
                         std::uint32_t seed, const UDrillText::TTextShape& shape) {
    if (stage < 0 || stage >= StageCount)
        throw std::out_of_range("no such stage of the kana course");
    TStageText text;
    int unlocked = ClampUnlocked(progress.Unlocked);
    int first = FirstItem(stage);
    if (first >= unlocked) {
        text.Message = Utf8Of(FillArgs(
            TrText("UKanaCourse", "「%1」はまだ始まっていません。いまのステージ「%2」のかなを"
                                  "身につけると、順に新しいかなが加わります。"),
            {Stages[stage].Name, Stages[CurrentStage(progress)].Name}));
        return text;
    }

    std::span<const TItem> items = Items();
    int end = std::min(unlocked, EndItem(stage));
    TStageScope scope;
    for (int i = 0; i < end; ++i) {
        scope.Units.emplace(items[i].Unit);
        if (i >= first)
            scope.StageUnits.emplace(items[i].Unit);
        scope.KatakanaOpen |= items[i].Opens == TGate::Katakana;
        scope.NBeforeVowelOpen |= items[i].Opens == TGate::NBeforeVowel;
    }
    // The stage being learnt favours its newest unit; a stage learnt before, and the units a
    // learner starts with, favour all of the stage.
    if (end == unlocked && end - 1 >= InitialUnlocked) {
        scope.Favoured.push_back(&items[end - 1]);
    } else {
        for (int i = first; i < end; ++i)
            scope.Favoured.push_back(&items[i]);
    }

    std::vector<TPiece> pieces;
    std::vector<double> weights, favouredWeights;
    int favouredWords = 0;
    for (const TDrillWord& word : words.Words()) {
        if (!Typeable(word, scope))
            continue;
        bool favoured = std::any_of(scope.Favoured.begin(), scope.Favoured.end(),
                                    [&](const TItem* item) { return Favours(*item, word); });
        double weight =
            word.Weight() * (HoldsStageUnit(word.TableUnits, scope) ? StageUnitBonus : 1);
        pieces.push_back(word.Text);
        weights.push_back(weight);
        favouredWeights.push_back(favoured ? weight : 0);
        favouredWords += favoured ? 1 : 0;
    }
    if (static_cast<int>(pieces.size()) < MinStageWords || favouredWords < MinFocusWords) {
        text.PairsAdded = true;
        int katakanaStage = KatakanaStage();
        for (const std::vector<std::u16string>& pair : MakePairs(scope)) {
            std::u16string kana = pair[0] + pair[1];
            bool loanword = std::any_of(pair.begin(), pair.end(), [&](const std::u16string& u) {
                return StageOfUnit(u) >= katakanaStage;
            });
            if (scope.KatakanaOpen && loanword)
                kana = UDrillText::ToKatakana(kana);
            bool favoured =
                std::any_of(scope.Favoured.begin(), scope.Favoured.end(), [&](const TItem* item) {
                    return item->Opens != TGate::NBeforeVowel && Holds(pair, item->Unit);
                });
            double weight = HoldsStageUnit(pair, scope) ? StageUnitBonus : 1;
            pieces.push_back({ShiftJis::FromUtf16(kana), static_cast<int>(kana.size())});
            weights.push_back(weight);
            favouredWeights.push_back(favoured ? weight : 0);
        }
    }

    if (pieces.empty()) {
        text.Message = Utf8Of(FillArgs(
            TrText("UKanaCourse", "「%1」の練習に使える単語がありません。"), {Stages[stage].Name}));
        return text;
    }

    std::vector<double> all = UDrillText::Cumulative(weights);
    std::vector<double> favoured = UDrillText::Cumulative(favouredWeights);
    bool canFavour = !favoured.empty() && favoured.back() > 0;
    TDrillRandom random(seed);
    UDrillText::TPieceStrings strings = UDrillText::PackStrings(pieces, shape, [&] {
        bool favour = canFavour && random.Uniform() < FocusPieceShare;
        return random.Pick(favour ? favoured : all);
    });

    text.Available = true;
    text.Title =
        ShiftJis::FromUtf16(std::u16string(u"コース ") + std::u16string(Stages[stage].Name));
    text.Strings = UDrillText::RenderStrings(pieces, strings);
    text.Text = UDrillText::JoinText(text.Strings);
    for (const TItem* item : scope.Favoured)
        text.Favoured.push_back(item->Unit);
    return text;
}

} // namespace UKanaCourse
