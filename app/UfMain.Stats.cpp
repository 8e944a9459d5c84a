// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's statistics: what every exercise yields goes to the statistics store beside
// Typorin.dat (every kana unit of touch typing, every commit of sequential input, the characters
// a bulk comparison found wrong, and a row for the exercise), and the analysis window shows it.
//
// Nothing waits for the disk while the learner types: the store keeps what it is given in
// memory, and the window flushes it at every string end, exercise end and close.

#include "app/UfMain.h"

#include "analysis/UKanaAnalysis.h"
#include "drills/UKanaCourse.h"
#include "platform/Dialogs.h"
#include "platform/ShiftJis.h"
#include "records/UfAnalysis.h"
#include "store/UStatsStore.h"
#include "ui_UfMain.h"

#include <QFileInfo>

#include <map>

namespace {

// The characters of a bulk comparison's missed units worth counting: no blanks, no line breaks.
std::vector<TCharCount> CountMissedChars(const std::vector<std::string>& missed) {
    std::map<std::u16string, int> counts;
    for (const std::string& unit : missed)
        for (char16_t c : ShiftJis::ToUtf16(unit))
            if (c != u' ' && c != u'\u3000' && c != u'\r' && c != u'\n' && c != u'\t')
                ++counts[std::u16string(1, c)];
    std::vector<TCharCount> chars;
    for (auto& [c, count] : counts)
        chars.push_back({c, count});
    return chars;
}

} // namespace

// Opens the store; a file it cannot use leaves practice as it was, with a message (the store
// handles every fault itself and never throws).
void TfrmMain::OpenStats() {
    if (FStatistics == TStatistics::None)
        return;
    FStats = std::make_unique<TStatsStore>(StatsFilePath());
    // Called on the store's writer thread: the message is shown on the window's.
    FStats->SetProblemListener([this] {
        QMetaObject::invokeMethod(
            this, [this] { ShowStatsProblem(); }, Qt::QueuedConnection);
    });
    FKeyClock.start();
    ShowStatsProblem();
}

// Flushes and closes the store; the analysis window, which reads it, goes first.
void TfrmMain::CloseStats() {
    if (FAnalysis)
        delete FAnalysis.data();
    if (!FStats)
        return;
    EndStatsExercise(false);
    FStats->SetProblemListener({});
    FStats.reset();
}

// A message of the store, once a kind a session. It waits while the learner is in the middle
// of a string or an exercise, so that no box takes the keys being typed.
void TfrmMain::ShowStatsProblem() {
    if (!FStats || FClosed)
        return;
    const bool typing = FMode == TPracticeMode::Touch ? FKbClassEx.Active() && !FKbClassEx.Done()
                                                      : FRunning && Timer1.isActive();
    if (typing) {
        FStatsProblemWaiting = true;
        return;
    }
    FStatsProblemWaiting = false;
    while (std::optional<std::string> problem = FStats->TakeProblem())
        Dialogs::ShowWarning(this, QString::fromStdString(*problem));
}

// A new exercise of the mode in use; the one before ends unfinished.
void TfrmMain::BeginStatsExercise() {
    EndStatsExercise(false);
    if (!FStats)
        return;
    TExerciseHead head;
    head.Mode = FMode;
    head.Style = FKbClassEx.InputStyle();
    head.Keyboard = FKbClassEx.Keyboard();
    std::string title = FTitle;
    if (title.empty() && !FTextPath.isEmpty())
        title = ShiftJis::FromQString(QFileInfo(FTextPath).fileName());
    head.Title = ShiftJis::ToUtf16(title);
    head.Kind =
        FMode != TPracticeMode::Touch && FSingleByte ? TTextKind::English : TTextKind::Japanese;
    head.Started = TStatsStore::Now();
    head.Day = TStatsStore::LocalDay(head.Started);
    FStatsExercise = FStats->BeginExercise(head);
    FImeStartMillis = -1;
    FCommitKeys = 0;
    FSlips.clear();
}

// The exercise's figures so far go to the store with everything recorded since the last flush.
void TfrmMain::FlushStats(bool finished) {
    if (!FStats || FStatsExercise == 0)
        return;
    TExerciseTotals totals;
    totals.Seconds = FSeconds;
    totals.Finished = finished;
    switch (FMode) {
    case TPracticeMode::Touch:
        totals.Keys = FKbClassEx.KeyCount();
        totals.WrongKeys = FKbClassEx.Misses();
        totals.Units = FKbClassEx.CharsTyped();
        break;
    case TPracticeMode::Sequential:
        totals.Keys = FKeyCount;
        totals.WrongKeys = FCompPart.ErrorCount;
        totals.Units = FCompPart.TypedCount;
        break;
    case TPracticeMode::Bulk:
        totals.Keys = FKeyCount;
        totals.WrongKeys = FBulkWrong;
        totals.Units = FBulkTyped;
        break;
    }
    FStats->SetTotals(FStatsExercise, totals);
    FStats->Flush();
    if (FStatsProblemWaiting)
        ShowStatsProblem();
}

void TfrmMain::EndStatsExercise(bool finished) {
    FlushStats(finished);
    FStatsExercise = 0;
}

// After every key of touch typing: the units it completed join the exercise, in memory.
void TfrmMain::RecordTouchAttempts() {
    std::vector<TUnitAttempt> attempts = FKbClassEx.TakeAttempts();
    if (!FStats || FStatsExercise == 0)
        return;
    for (TUnitAttempt& attempt : attempts) {
        if (!attempt.Misses.empty())
            FSlips[UKanaAnalysis::FoldUnit(attempt.Unit)] +=
                static_cast<int>(attempt.Misses.size());
        FStats->AddAttempt(FStatsExercise, std::move(attempt));
    }
}

// The kana of the drill just ended that had wrong keys, the most first: "間違えたかな  し×2  き×1".
QString TfrmMain::SlipsText() const {
    if (FSlips.empty())
        return FKbClassEx.Misses() == 0 ? tr("ミスなし") : QString();
    std::vector<std::pair<std::u16string, int>> slips(FSlips.begin(), FSlips.end());
    std::stable_sort(slips.begin(), slips.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    constexpr std::size_t Shown = 8;
    QString text = tr("間違えたかな ");
    for (std::size_t i = 0; i < slips.size() && i < Shown; ++i)
        text += QStringLiteral(" ") + QString::fromStdU16String(slips[i].first) +
                QStringLiteral("×") + QString::number(slips[i].second);
    return text;
}

std::int64_t TfrmMain::KeyMillis() const {
    return FKeyClock.isValid() ? FKeyClock.elapsed() : -1;
}

// The input method's first event of a string: its commit is timed from here.
void TfrmMain::NoteImeInput() {
    if (FImeStartMillis < 0)
        FImeStartMillis = KeyMillis();
}

// A commit of sequential input in a Japanese text: what was expected where it went, what came,
// whether it was taken, its time and its keys. `expected` is the example from the commit's
// place on (Shift_JIS); the same number of characters as the commit are compared.
void TfrmMain::RecordCommit(const std::string& committed, const std::string& expected,
                            bool accepted) {
    if (!FStats || FStatsExercise == 0 || FSingleByte)
        return;
    TCommitEvent commit;
    commit.Committed = ShiftJis::ToUtf16(committed);
    commit.Expected = ShiftJis::ToUtf16(expected).substr(0, commit.Committed.size());
    commit.Accepted = accepted;
    const std::int64_t now = KeyMillis();
    commit.Millis = FImeStartMillis >= 0 && now >= FImeStartMillis
                        ? static_cast<int>(now - FImeStartMillis)
                        : -1;
    commit.Keys = std::max(0, FKeyCount - FCommitKeys);
    FCommitKeys = FKeyCount;
    FImeStartMillis = -1;
    FStats->AddCommit(FStatsExercise, std::move(commit));
}

// A bulk comparison's result: the example's characters it found wrong (Japanese texts), and
// the exercise ends.
void TfrmMain::RecordBulkResult(const TBulkCounts& counts) {
    FBulkTyped = counts.InputCount;
    FBulkWrong = counts.MissCount + counts.ExtraCount;
    if (FStats && FStatsExercise != 0 && !FSingleByte)
        FStats->AddBulkMisses(FStatsExercise, CountMissedChars(counts.Missed));
    EndStatsExercise(true);
}

// The analysis window: one at a time, brought to the front when open. It reads the store, so
// everything recorded so far is flushed first.
void TfrmMain::AnalysisActExecute() {
    if (!FStats)
        return;
    FlushStats(false);
    if (!FAnalysis || !FAnalysis->isVisible()) {
        FAnalysis = new TfrmAnalysis(*FStats, this, DesktopKeyboardKind());
        FAnalysis->OnWeaknessDrill = [this] { WeaknessDrillExecute(); };
        // The course's marks on the kana chart once the learner has begun it.
        const TInputStyle style = TouchInputStyle();
        if (FStats->Setting(UKanaCourse::ProgressSettingName(style)))
            FAnalysis->ShowCourse(style);
    }
    FAnalysis->show();
    FAnalysis->raise();
    FAnalysis->activateWindow();
}
