// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The kana course: a learner who starts from nothing types the kana in a fixed order, a few at
// a time. The course is a list of stages (the vowels, the consonant rows, the voiced rows, the
// contracted sounds, っ, ん in its harder places, ー with katakana, the sounds of loanwords), and
// their units unlock one at a time in that order: the next one when every unit unlocked so far
// has been typed often enough, accurately enough and fast enough in the learner's last
// attempts (TTargets). A stage's text uses only unlocked units, and favours the newest.
//
// Units are named as the analysis names them (katakana folded to hiragana: し for シ), and a
// drill unit with a small tsu counts for both of its table units (っぷ for っ and ぷ).
//
// Progress is kept per input style in the statistics store's settings.

#include "drills/UDrillText.h"
#include "store/UStatsStore.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace UKanaCourse {

inline constexpr int MaxStageUnits = 12;

// What a stage opens besides its units: the words that have become typeable with it.
enum class TGate {
    None,
    NBeforeVowel, // words with ん before あ行, や行 or な行 (こんや, きんえん, みんな)
    Katakana,     // words written in katakana
};

struct TStage {
    // At most 6 characters: "コース " and the name make a record title of at most 20 bytes.
    std::u16string_view Name;
    std::u16string_view Units[MaxStageUnits];
    TGate Opens = TGate::None; // a stage with a gate has one unit
};

// The order of the course. The consonant rows come in the order their keys are easiest to reach
// from the home row (romaji keys on a QWERTY keyboard, fingers resting on A S D F and J K L ;):
//   K and S lie under resting fingers (right middle, left ring), H on the home row one column in
//   from the right index finger; R and M one row up and down in the index fingers' own columns;
//   T, N and Y one row off in the inner columns, a stretch of the index finger (ん is N twice,
//   so it comes with な行); W is the ring finger's reach one row up.
// The vowels come first: A is under the left little finger, and I, U, E, O lie straight above
// the resting fingers of K, J, D and L. The voiced rows follow the same rule: D rests under the
// left middle finger, G is the inner column of the home row, Z the little finger one row down
// (じ is JI, on the home row), B the longest reach of the left index finger, P the right little
// finger one row up. The contracted sounds (a row's consonant, Y, a vowel) come in the order of
// their rows. Then the harder places: っ doubles the next consonant (KKA), and ん before a vowel,
// や行 or な行 is where a single N would join the next kana (so the learner learns to type NN
// there as everywhere); then ー (the minus key, far up on the right) with the words in katakana,
// and the sounds of loanwords last.
// clang-format off
inline constexpr TStage Stages[] = {
    {u"あ行", {u"あ", u"い", u"う", u"え", u"お"}},
    {u"か行", {u"か", u"き", u"く", u"け", u"こ"}},
    {u"さ行", {u"さ", u"し", u"す", u"せ", u"そ"}},
    {u"は行", {u"は", u"ひ", u"ふ", u"へ", u"ほ"}},
    {u"ら行", {u"ら", u"り", u"る", u"れ", u"ろ"}},
    {u"ま行", {u"ま", u"み", u"む", u"め", u"も"}},
    {u"た行", {u"た", u"ち", u"つ", u"て", u"と"}},
    {u"な行・ん", {u"な", u"に", u"ぬ", u"ね", u"の", u"ん"}},
    {u"や行", {u"や", u"ゆ", u"よ"}},
    {u"わ行", {u"わ", u"を"}},
    {u"だ行", {u"だ", u"で", u"ど", u"ぢ", u"づ"}},
    {u"が行", {u"が", u"ぎ", u"ぐ", u"げ", u"ご"}},
    {u"ざ行", {u"ざ", u"じ", u"ず", u"ぜ", u"ぞ"}},
    {u"ば行", {u"ば", u"び", u"ぶ", u"べ", u"ぼ"}},
    {u"ぱ行", {u"ぱ", u"ぴ", u"ぷ", u"ぺ", u"ぽ"}},
    {u"拗音きしひ", {u"きゃ", u"きゅ", u"きょ", u"しゃ", u"しゅ", u"しょ",
                     u"ひゃ", u"ひゅ", u"ひょ"}},
    {u"拗音りみちに", {u"りゃ", u"りゅ", u"りょ", u"みゃ", u"みゅ", u"みょ",
                       u"ちゃ", u"ちゅ", u"ちょ", u"にゃ", u"にゅ", u"にょ"}},
    {u"拗音ぎじびぴ", {u"ぎゃ", u"ぎゅ", u"ぎょ", u"じゃ", u"じゅ", u"じょ",
                       u"びゃ", u"びゅ", u"びょ", u"ぴゃ", u"ぴゅ", u"ぴょ"}},
    {u"促音っ", {u"っ"}},
    {u"ん＋あやな行", {u"ん"}, TGate::NBeforeVowel},
    {u"ー・カタカナ", {u"ー"}, TGate::Katakana},
    {u"外来音ふぁ", {u"ふぁ", u"ふぃ", u"ふぇ", u"ふぉ"}},
    {u"外来音てぃ", {u"てぃ", u"でぃ", u"とぅ", u"どぅ"}},
    {u"外来音うぃ", {u"うぃ", u"うぇ", u"うぉ", u"しぇ", u"じぇ", u"ちぇ"}},
    {u"外来音ヴ", {u"ヴ", u"ヴぁ", u"ヴぃ", u"ヴぇ", u"ヴぉ"}},
};
// clang-format on

inline constexpr int StageCount = static_cast<int>(std::size(Stages));

// One step of the course: a unit, in the order it unlocks.
struct TItem {
    std::u16string_view Unit;
    int Stage = 0;
    TGate Opens = TGate::None;
};

constexpr int StageSize(const TStage& stage) {
    int size = 0;
    while (size < MaxStageUnits && stage.Units[size].size() > 0)
        ++size;
    return size;
}

// The units a learner starts with: the whole first stage.
inline constexpr int InitialUnlocked = StageSize(Stages[0]);

// Every unit of the course in order, the stages one after the other.
std::span<const TItem> Items();
// The index in Items() of a stage's first unit, and of the first unit after it.
int FirstItem(int stage);
int EndItem(int stage);

// ---- Targets

// When a unit counts as mastered: at least MinAttempts of its last attempts, at least
// MinAccuracyPercent of them without a wrong key, and the median time per key under the time
// that KeysPerMinute allows (a unit's time divided by the keys of the spelling typed, so that
// きゃ with three keys is held to the same pace as あ with one).
struct TTargets {
    int MinAttempts = 20;
    int MinAccuracyPercent = 95;
    int KeysPerMinute = 150;

    bool operator==(const TTargets&) const = default;
};

// The ranges a target may take; a stored value outside them is not used.
inline constexpr int MinAttemptsRange[] = {5, TStatsStore::RecentAttemptsKept};
inline constexpr int AccuracyRange[] = {50, 100};
inline constexpr int KeysPerMinuteRange[] = {30, 600};

// ---- What a learner can do now

// A unit over its last attempts (at most TStatsStore::RecentAttemptsKept).
struct TUnitFigures {
    int Attempts = 0;
    int Failed = 0; // attempts with a wrong key
    // The median of the timed attempts' times per key (the lower middle one of an even count);
    // none without a timed attempt.
    std::optional<double> MedianMillisPerKey;
};

// The figures of every unit from the store's recent attempts of one input style: attempts of
// シ, し and っし count for し (and っし for っ too), the newest RecentAttemptsKept of them.
std::map<std::u16string, TUnitFigures> RecentFigures(const std::vector<TRecentAttempt>& recent);

bool Mastered(const TUnitFigures& figures, const TTargets& targets);

// ---- Progress

struct TProgress {
    int Unlocked = InitialUnlocked; // units of Items() unlocked, from the first

    bool operator==(const TProgress&) const = default;
};

enum class TState { Locked, InProgress, Mastered };

// The state of a unit of the course, for the kana chart; none for a unit the course does not
// teach (a small kana alone, punctuation).
std::optional<TState> UnitState(std::u16string_view unit, const TProgress& progress,
                                const std::map<std::u16string, TUnitFigures>& figures,
                                const TTargets& targets);

struct TStageStatus {
    std::u16string_view Name;
    TState State = TState::Locked; // Mastered: every unit unlocked and mastered
    int UnlockedUnits = 0;
    int Units = 0;
};
std::vector<TStageStatus> StageStatuses(const TProgress& progress,
                                        const std::map<std::u16string, TUnitFigures>& figures,
                                        const TTargets& targets);

// The stage of the newest unlocked unit.
int CurrentStage(const TProgress& progress);

// The result of judging the learner's progress after an exercise.
struct TAdvance {
    TProgress Progress;
    std::optional<int> Unlocked; // the index in Items() of the unit unlocked now
};

// Unlocks the next unit when every unlocked unit is mastered; one at a time, so that each
// newcomer gets at least one exercise of its own. The whole course unlocked, nothing changes.
TAdvance Advance(const TProgress& progress, const std::map<std::u16string, TUnitFigures>& figures,
                 const TTargets& targets);

// What the window tells when an item has unlocked (UTF-8): "新しいかな「ぬ」が加わりました。"
std::string UnlockMessage(int item);

// ---- Kept in the store (settings, written with its next Flush)

std::string ProgressSettingName(TInputStyle style); // "course.romaji.unlocked" …
inline constexpr const char* MinAttemptsSetting = "course.minAttempts";
inline constexpr const char* MinAccuracySetting = "course.minAccuracy";
inline constexpr const char* KeysPerMinuteSetting = "course.keysPerMinute";

// A value that is missing, not a number or out of range gives the start of the course (or the
// far end's clamp: a number beyond the course unlocks it all).
TProgress LoadProgress(const TStatsStore& store, TInputStyle style);
void SaveProgress(TStatsStore& store, TInputStyle style, const TProgress& progress);
// Back to the start: the first stage only.
void ResetProgress(TStatsStore& store, TInputStyle style);

// A target that is missing, not a number or out of its range takes its default.
TTargets LoadTargets(const TStatsStore& store);
// Stores the targets, each clamped to its range.
void SaveTargets(TStatsStore& store, const TTargets& targets);

// ---- Texts

// There are enough real words for a stage's text when at least this many words are typeable
// with its units, and at least MinFocusWords of them hold a unit it favours; otherwise pairs of
// kana (かお, あき) join the words.
inline constexpr int MinStageWords = 20;
inline constexpr int MinFocusWords = 5;
// The share of a stage's pieces drawn from those with a favoured unit.
inline constexpr double FocusPieceShare = 0.5;
// Among the other pieces, those with a unit of the stage count this many times.
inline constexpr double StageUnitBonus = 2;

struct TStageText {
    bool Available = false;
    std::string Message;              // UTF-8, why there is no text; empty when Available
    std::string Title;                // Shift_JIS: "コース か行"
    std::vector<std::string> Strings; // Shift_JIS
    std::string Text;                 // the strings joined with CR LF
    bool PairsAdded = false;          // too few words: pairs of kana joined them
    // What the text favours: the newest unit in the stage being learnt, every unit of a stage
    // already learnt when it is practised again.
    std::vector<std::u16string_view> Favoured;
};

// The text of `stage` (0 .. StageCount - 1) for the learner's progress: none for a stage not
// yet begun. The same progress, stage, words and seed always give the same text.
TStageText MakeStageText(int stage, const TProgress& progress, const UDrillText::TDrillWords& words,
                         std::uint32_t seed, const UDrillText::TTextShape& shape = {});

} // namespace UKanaCourse
