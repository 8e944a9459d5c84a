// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's generated practice: the kana course's stages, the weakness drill made from
// the learner's statistics, and the retry of the strings a drill had wrong keys in. Each is a
// touch-typing text that the drill practises as it does a register sentence, and records like
// one.

#include "app/UfMain.h"

#include "analysis/UKanaAnalysis.h"
#include "dialogs/UfCourse.h"
#include "drills/UKanaCourse.h"
#include "drills/UWeaknessDrill.h"
#include "platform/Dialogs.h"
#include "platform/ShiftJis.h"
#include "records/UfAnalysis.h"
#include "store/UStatsStore.h"
#include "ui_UfMain.h"

#include <QRandomGenerator>

namespace {

// The weakness drill looks at this many recent days.
constexpr int WeaknessDays = 30;

QString RetryTitle() {
    return QCoreApplication::translate("TfrmMain", "間違えた文字列");
}
QString NoStatsText() {
    return QCoreApplication::translate("TfrmMain",
                                       "統計ファイルが使えないため、この練習はできません。");
}

std::uint32_t FreshSeed() {
    return QRandomGenerator::global()->generate();
}

} // namespace

TInputStyle TfrmMain::TouchInputStyle() const {
    return FKbClassEx.InputStyle();
}

// A generated text in touch typing, which the window switches to first.
void TfrmMain::StartGeneratedDrill(const std::string& title, const std::string& text,
                                   TGeneratedDrill kind) {
    if (FMode != TPracticeMode::Touch)
        TouchActExecute(ui->Touch1);
    FTextPath.clear();
    StartTouchDrill(QString(), title, text);
    FGeneratedDrill = kind;
}

// 練習モード → かなコース: the stage list, and the stage chosen practised. The course has begun
// for the learner once a stage was practised: the analysis window then marks its kana.
void TfrmMain::KanaCourseExecute() {
    if (!FStats) {
        ShowError(NoStatsText());
        return;
    }
    FlushStats(false);
    const TInputStyle style = TouchInputStyle();
    const UKanaCourse::TProgress progress = UKanaCourse::LoadProgress(*FStats, style);
    const auto figures = UKanaCourse::RecentFigures(FStats->RecentAttempts(style));
    const UKanaCourse::TTargets targets = UKanaCourse::LoadTargets(*FStats);
    std::optional<int> stage;
    {
        TfrmCourse dialog(UKanaCourse::StageStatuses(progress, figures, targets),
                          UKanaCourse::CurrentStage(progress), this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        stage = dialog.ChosenStage();
    }
    if (stage)
        StartCourseStage(*stage);
}

void TfrmMain::StartCourseStage(int stage) {
    const TInputStyle style = TouchInputStyle();
    const UKanaCourse::TProgress progress = UKanaCourse::LoadProgress(*FStats, style);
    UKanaCourse::TStageText text =
        UKanaCourse::MakeStageText(stage, progress, UDrillText::BuiltInDrillWords(), FreshSeed());
    if (!text.Available) {
        Dialogs::ShowInformation(this, QString::fromStdString(text.Message));
        return;
    }
    UKanaCourse::SaveProgress(*FStats, style, progress);
    StartGeneratedDrill(text.Title, text.Text, TGeneratedDrill::Course);
}

// After a stage of the course: the next kana unlocks when every unlocked one is mastered.
void TfrmMain::AdvanceCourse() {
    const TInputStyle style = TouchInputStyle();
    const UKanaCourse::TAdvance advance =
        UKanaCourse::Advance(UKanaCourse::LoadProgress(*FStats, style),
                             UKanaCourse::RecentFigures(FStats->RecentAttempts(style)),
                             UKanaCourse::LoadTargets(*FStats));
    if (!advance.Unlocked)
        return;
    UKanaCourse::SaveProgress(*FStats, style, advance.Progress);
    FStats->Flush();
    Dialogs::ShowInformation(this,
                             QString::fromStdString(UKanaCourse::UnlockMessage(*advance.Unlocked)));
    if (FAnalysis)
        FAnalysis->ShowCourse(style);
}

// 練習モード → 苦手克服ドリル: a text full of the learner's weakest kana of the last days. With
// too few statistics the learner is told so and practises the course's current stage.
void TfrmMain::WeaknessDrillExecute() {
    if (!FStats) {
        ShowError(NoStatsText());
        return;
    }
    FlushStats(false);
    const TInputStyle style = TouchInputStyle();
    const int today = TStatsStore::LocalDay(TStatsStore::Now());
    const UKanaAnalysis::TPeriod period{today - WeaknessDays + 1, today};
    const std::vector<UKanaAnalysis::TUnitRow> rows = UKanaAnalysis::UnitTable(
        FStats->UnitDays(style, period.FromDay), FStats->MissDays(style, period.FromDay), period);
    UWeaknessDrill::TDrill drill =
        UWeaknessDrill::MakeWeaknessDrill(rows, UDrillText::BuiltInDrillWords(), FreshSeed());
    if (drill.Outcome == UWeaknessDrill::TOutcome::TooFewStatistics) {
        Dialogs::ShowInformation(this, QString::fromStdString(drill.Message));
        StartCourseStage(UKanaCourse::CurrentStage(UKanaCourse::LoadProgress(*FStats, style)));
        return;
    }
    StartGeneratedDrill(drill.Title, drill.Text, TGeneratedDrill::Weakness);
}

// 練習モード → 間違えた文字列を練習: the strings of the last drill that had wrong keys, once more,
// in their order.
void TfrmMain::RetryExecute() {
    if (FRetryStrings.empty())
        return;
    std::string text;
    for (const std::string& s : FRetryStrings)
        text += s + "\r\n";
    StartGeneratedDrill(ShiftJis::FromQString(RetryTitle()), text, TGeneratedDrill::Retry);
}

// A touch-typing drill ended, finished or not: its missed strings become the retry's, and a
// stage of the course may unlock the next kana.
void TfrmMain::GeneratedDrillEnded(bool finished) {
    std::vector<std::string> missed = FKbClassEx.MissedStrings();
    if (!missed.empty())
        FRetryStrings = std::move(missed);
    ui->Retry1->setEnabled(!FRetryStrings.empty());
    if (finished && FGeneratedDrill == TGeneratedDrill::Course && FStats)
        AdvanceCourse();
    FGeneratedDrill = TGeneratedDrill::None;
}
