// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's clock, keystrokes, status texts and hints.

#include "app/UfMain.h"

#include "app/UfMainShared.h"
#include "platform/Dialogs.h"
#include "platform/FileIo.h"
#include "platform/InputMethod.h"
#include "platform/RichEdit.h"
#include "platform/ShiftJis.h"
#include "platform/StatusPanel.h"
#include "ui_UfMain.h"

using namespace UfMain;

namespace {

// Where the example has a line break, only Enter is right.
QString BreakHintText() {
    return QCoreApplication::translate("TfrmMain", "改行（Enter）を入力してください。");
}

} // namespace

void TfrmMain::Timer1Timer() {
    ++FSeconds;
    ShowCounters();
}

// Time is counted from the first key down of an armed exercise.
void TfrmMain::StartTimer() {
    if (!Timer1.isActive())
        Timer1.start();
}

void TfrmMain::StartTyping() {
    StartTimer();
    if (FMode == TPracticeMode::Bulk) {
        // The first entry locks the ruler and allows the comparison.
        if (!RulerLocked())
            SetRulerMarkerColor(Qt::red);
        if (!ui->Comp1->isEnabled())
            ui->Comp1->setEnabled(true);
    }
}

void TfrmMain::ShowCounters() {
    if (FMode == TPracticeMode::Touch)
        SetStatus(ui->StatusBar2, 0,
                  TouchCountersText(FSeconds, FKbClassEx.KeyCount(), FKbClassEx.Misses()));
    else
        SetStatus(ui->StatusBar2, 1, TimeAndKeysText(FSeconds, FKeyCount));
}

bool TfrmMain::ImeOffKey(TRichEdit& pane, const QKeyEvent& event) {
    if (pane.ImeMode() != TImeMode::Hiragana || !IsPrintableKey(event))
        return false;
    // The request made when the pane got the input method may have come before the framework
    // knew the pane; until the input method has served it once, it is asked again.
    if (!pane.ImeInputSeen())
        pane.RequestJapaneseInput();
    // The hint asks the session what it runs: once, not at every key.
    if (!FImeHintShown)
        SetStatus(ui->StatusBar1, 1, InputMethod::ImeOffHint());
    FImeHintShown = true;
    return true;
}

void TfrmMain::ClearImeHint() {
    if (!FImeHintShown)
        return;
    FImeHintShown = false;
    SetStatus(ui->StatusBar1, 1, QString());
}

void TfrmMain::ShowBreakHint() {
    SetStatus(ui->StatusBar1, 1, BreakHintText());
    FBreakHintShown = true;
    FImeHintShown = false;
}

void TfrmMain::ClearBreakHint() {
    if (!FBreakHintShown)
        return;
    FBreakHintShown = false;
    if (StatusPanel(ui->StatusBar1, 1)->Text() == BreakHintText())
        SetStatus(ui->StatusBar1, 1, QString());
}

// The keys of the pane the mode types into count while its exercise runs: the drill's in touch
// typing, the window's otherwise.
void TfrmMain::CountKeystrokes(QWidget* pane, int strokes) {
    const bool touch = FMode == TPracticeMode::Touch;
    QWidget* typing = touch ? static_cast<QWidget*>(ui->RichEdit1) : ui->RichEdit2;
    if (!FRunning || pane != typing)
        return;
    if (touch)
        FKbClassEx.AddKeystrokes(strokes);
    else
        FKeyCount = std::max(0, FKeyCount + strokes);
    ShowCounters();
}

TExerciseState TfrmMain::ExerciseState() const {
    TExerciseState state;
    state.Seconds = FSeconds;
    state.KeyCount = FKeyCount;
    state.CharCount = FCharCount;
    state.KanjiCount = FKanjiCount;
    state.SingleByte = FSingleByte != 0;
    state.Title = FTitle;
    state.TextPath = FromDisplayPath(FTextPath);
    return state;
}

void TfrmMain::SetStatus(QStatusBar* bar, int panel, const QString& text) {
    StatusPanel(bar, panel)->SetText(text);
}

void TfrmMain::SetStatus(QStatusBar* bar, int panel, const std::string& sjisText) {
    StatusPanel(bar, panel)->SetText(ShiftJis::ToQString(sjisText));
}

void TfrmMain::ShowError(const QString& text) {
    Dialogs::ShowError(this, text);
}
