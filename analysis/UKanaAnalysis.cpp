// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/UKanaAnalysis.h"

#include <algorithm>
#include <map>

namespace UKanaAnalysis {

namespace {

// What the rows of one unit (or one spelling) add up to on one side of a split.
struct TSum {
    int Attempts = 0;
    int Failed = 0;
    int Wrong = 0;
    TTimeHistogram Times;

    void Add(const TUnitDay& day) {
        Attempts += day.Attempts;
        Failed += day.Failed;
        Wrong += day.Wrong;
        Times.Merge(day.Times);
    }
    double Accuracy() const {
        return Attempts > 0 ? static_cast<double>(Attempts - Failed) / Attempts : 0;
    }
};

} // namespace

std::u16string FoldUnit(std::u16string_view unit) {
    std::u16string folded(unit);
    for (char16_t& c : folded) {
        if (c >= u'ァ' && c <= u'ン')
            c = static_cast<char16_t>(c - (u'ァ' - u'ぁ'));
    }
    return folded;
}

double TLearnerFigures::ErrorShare() const {
    return Attempts > 0 ? static_cast<double>(Failed) / Attempts : 0;
}

std::optional<double> WeaknessScore(const TWeaknessInput& unit, const TLearnerFigures& learner) {
    if (unit.Attempts < MinAttempts)
        return std::nullopt;
    double errorShare = static_cast<double>(unit.Failed) / unit.Attempts;
    double errors = errorShare / std::max(learner.ErrorShare(), ErrorShareFloor);
    double time = 1;
    if (unit.MedianMillis && learner.MedianMillis && *learner.MedianMillis > 0)
        time = static_cast<double>(*unit.MedianMillis) / *learner.MedianMillis;
    return (errors + time) / 2;
}

TLearnerFigures LearnerFigures(const std::vector<TUnitDay>& days, int fromDay) {
    TSum all;
    for (const TUnitDay& day : days) {
        if (day.Day >= fromDay)
            all.Add(day);
    }
    return {all.Attempts, all.Failed, all.Times.Median()};
}

std::vector<TUnitRow> UnitTable(const std::vector<TUnitDay>& days,
                                const std::vector<TMissDay>& misses, TPeriod period) {
    struct TUnitSums {
        TSum Period;
        std::map<std::string, TSum> Spellings;
        TSum Recent, Before; // for the trend, over all days given
    };
    std::map<std::u16string, TUnitSums> units;
    int recentFrom = period.Today - TrendDays + 1;
    for (const TUnitDay& day : days) {
        TUnitSums& sums = units[FoldUnit(day.Unit)];
        (day.Day >= recentFrom ? sums.Recent : sums.Before).Add(day);
        if (day.Day < period.FromDay)
            continue;
        sums.Period.Add(day);
        sums.Spellings[day.Spelling].Add(day);
    }

    // The key most often typed instead, per unit, in the period.
    std::map<std::u16string, std::map<std::pair<std::string, std::string>, int>> instead;
    for (const TMissDay& miss : misses) {
        if (miss.Day >= period.FromDay)
            instead[FoldUnit(miss.Unit)][{miss.Typed, miss.Expected}] += miss.Count;
    }

    TLearnerFigures learner = LearnerFigures(days, period.FromDay);
    std::vector<TUnitRow> rows;
    for (auto& [unit, sums] : units) {
        if (sums.Period.Attempts == 0)
            continue;
        TUnitRow row;
        row.Unit = unit;
        row.Attempts = sums.Period.Attempts;
        row.Failed = sums.Period.Failed;
        row.Wrong = sums.Period.Wrong;
        row.Accuracy = sums.Period.Accuracy();
        row.MedianMillis = sums.Period.Times.Median();
        for (auto& [keys, sum] : sums.Spellings) {
            row.Spellings.push_back({keys, sum.Attempts,
                                     static_cast<double>(sum.Attempts) / row.Attempts,
                                     sum.Times.Median()});
        }
        std::stable_sort(row.Spellings.begin(), row.Spellings.end(),
                         [](const TSpellingFigure& a, const TSpellingFigure& b) {
                             return a.Attempts > b.Attempts;
                         });
        if (auto it = instead.find(unit); it != instead.end()) {
            auto most =
                std::max_element(it->second.begin(), it->second.end(),
                                 [](const auto& a, const auto& b) { return a.second < b.second; });
            row.TypedInstead = most->first.first;
            row.InsteadOf = most->first.second;
        }
        if (sums.Recent.Times.Total() >= MinTrendAttempts &&
            sums.Before.Times.Total() >= MinTrendAttempts)
            row.TrendMillis = *sums.Recent.Times.Median() - *sums.Before.Times.Median();
        if (sums.Recent.Attempts >= MinTrendAttempts && sums.Before.Attempts >= MinTrendAttempts)
            row.TrendAccuracy = (sums.Recent.Accuracy() - sums.Before.Accuracy()) * 100;
        row.Weakness = WeaknessScore({row.Attempts, row.Failed, row.MedianMillis}, learner);
        rows.push_back(std::move(row));
    }

    // The weakest: the highest scores above the learner's average, at most WeakestMarked.
    std::vector<TUnitRow*> scored;
    for (TUnitRow& row : rows) {
        if (row.Weakness && *row.Weakness > 1.0)
            scored.push_back(&row);
    }
    std::stable_sort(scored.begin(), scored.end(), [](const TUnitRow* a, const TUnitRow* b) {
        return *a->Weakness > *b->Weakness;
    });
    for (std::size_t i = 0; i < scored.size() && i < WeakestMarked; ++i)
        scored[i]->Weakest = true;

    std::stable_sort(rows.begin(), rows.end(),
                     [](const TUnitRow& a, const TUnitRow& b) { return a.Attempts > b.Attempts; });
    return rows;
}

std::vector<TKeyFigure> KeyFigures(const std::vector<TKeyDay>& days, int fromDay) {
    struct TKeySum {
        int Expected = 0;
        int Wrong = 0;
        TTimeHistogram Times;
    };
    std::map<std::string, TKeySum> keys;
    for (const TKeyDay& day : days) {
        if (day.Day < fromDay)
            continue;
        TKeySum& sum = keys[day.Key];
        sum.Expected += day.Expected;
        sum.Wrong += day.Wrong;
        sum.Times.Merge(day.Times);
    }
    std::vector<TKeyFigure> figures;
    for (auto& [key, sum] : keys) {
        TKeyFigure figure{key, sum.Expected, sum.Wrong, std::nullopt, sum.Times.Median()};
        if (sum.Expected > 0)
            figure.ErrorRate = std::min(1.0, static_cast<double>(sum.Wrong) / sum.Expected);
        figures.push_back(std::move(figure));
    }
    return figures;
}

std::vector<TDayProgress> Progress(const std::vector<TTouchDay>& touch,
                                   const std::vector<TCommitDay>& commits, int fromDay) {
    std::map<int, TDayProgress> days;
    for (const TTouchDay& day : touch) {
        if (day.Day < fromDay || day.Seconds <= 0)
            continue;
        TDayProgress& progress = days[day.Day];
        progress.KanaPerMinute = day.Units * 60.0 / day.Seconds;
        if (day.Keys > 0)
            progress.TouchAccuracy =
                static_cast<double>(std::max(day.Keys - day.WrongKeys, 0)) / day.Keys;
    }
    for (const TCommitDay& day : commits) {
        if (day.Day < fromDay || day.Commits <= 0)
            continue;
        TDayProgress& progress = days[day.Day];
        progress.AcceptedShare = static_cast<double>(day.Accepted) / day.Commits;
        if (day.CommittedChars > 0)
            progress.KeysPerChar = static_cast<double>(day.Keys) / day.CommittedChars;
    }
    std::vector<TDayProgress> progress;
    for (auto& [day, figures] : days) {
        figures.Day = day;
        progress.push_back(figures);
    }
    return progress;
}

} // namespace UKanaAnalysis
