// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's typing pane, and sequential input: every committed string (or, in an
// English text, every key) checked against the example at once.

#include "app/UfMain.h"

#include "app/UfMainShared.h"
#include "platform/RichEdit.h"
#include "platform/ShiftJis.h"
#include "ui_UfMain.h"

using namespace UfMain;

// Editing keys of the typing pane in sequential and bulk input; true swallows the key. The
// rules of the mode in use follow (InstallModeHooks).
bool TfrmMain::RichEdit2KeyDown(const QKeyEvent& event) {
    const int key = event.key();
    const bool ctrlAlone = IsCtrlAlone(event);
    if (ctrlAlone && key == Qt::Key_C)
        return true;
    // Nothing is pasted or cut while Ctrl is held.
    if (ctrlAlone)
        ui->RichEdit2->SetReadOnly(true);
    if (key == Qt::Key_Insert)
        return true;
    if (ctrlAlone && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        ui->RichEdit1->ScrollLines(key == Qt::Key_Up ? -1 : 1);
        return true;
    }
    return false;
}

// Sequential input's keys of the typing pane; true swallows the key.
bool TfrmMain::SequentialKeyDown(const QKeyEvent& event) {
    if (!FRunning)
        return false;
    // A Japanese text is typed through the input method, whose commits are checked: a key it
    // let through is no entry.
    if (ImeOffKey(*ui->RichEdit2, event))
        return true;
    // Sequential input goes from the start to the end: no correction, no caret movement.
    switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Delete:
        return true;
    default:
        break;
    }
    if (TypesOrEdits(event))
        StartTyping();
    // A key with Ctrl, Alt or Meta is a command, never an entry of the text.
    return HasCommandModifier(event);
}

// A character typed in sequential input; true swallows it. An accepted character of an
// English text is inserted here, so that the end check sees it.
bool TfrmMain::RichEdit2KeyPress(QChar key) {
    if (!FRunning)
        return false;
    TRichEdit* example = ui->RichEdit1;
    TRichEdit* typed = ui->RichEdit2;
    if (example->TextLength() < typed->TextLength())
        return false;
    const int pos = typed->SelStart();
    const std::string text = example->Text();
    const char expected =
        pos < static_cast<int>(text.size()) ? text[static_cast<std::size_t>(pos)] : 0;
    char c = key.unicode() < 0x80 ? static_cast<char>(key.unicode()) : 0;
    bool swallowed = false;
    if (key == QLatin1Char('\r')) {
        if (expected == '\r') {
            FCompPart.AcceptBreak(FSingleByte);
            ClearBreakHint();
        } else {
            swallowed = true;
            c = 0;
        }
    }
    if (!FSingleByte)
        return swallowed;
    // Escape and Ctrl+letters type control characters, which are no entries of a text.
    if (c > 0 && c < static_cast<char>(FirstPrintable) && c != '\r' && c != '\t')
        return true;
    if (!FCompPart.CheckKey(c, expected)) {
        if (expected == '\r')
            ShowBreakHint();
        return true;
    }
    typed->SetSelText(c == '\r' ? std::string("\r\n") : std::string(1, c));
    EndCheck();
    return true;
}

void TfrmMain::RichEdit2KeyUp() {
    TRichEdit* typed = ui->RichEdit2;
    if (FRunning && typed->ReadOnly())
        typed->SetReadOnly(false);
    AutoLineFeed();
}

// The input method took a key in the typing pane, which then sees no key down.
void TfrmMain::RichEdit2ImeInput() {
    if (!FRunning)
        return;
    ClearImeHint();
    StartTyping();
    NoteImeInput();
}

// A string the input method committed into the typing pane, which already holds it.
void TfrmMain::RichEdit2ImeCommit(const std::string& committed) {
    AutoLineFeed();
    if (!FRunning)
        return;
    try {
        if (!committed.empty()) {
            FImeResult = committed;
            // The example from where the commit went, before the check moves that place on.
            const std::string example = ui->RichEdit1->Text();
            const std::string expected =
                example.substr(std::min(FCompPart.Confirmed.size(), example.size()));
            const bool accepted = FCompPart.CheckCommit(FImeResult, FSingleByte);
            RecordCommit(committed, expected, accepted);
            if (accepted)
                ClearBreakHint();
            else if (FCompPart.BreakExpected())
                ShowBreakHint();
            EndCheck();
        }
        if (!ui->RichEdit2->HasComposition())
            ui->RichEdit2->CancelComposition();
    } catch (const std::exception& e) {
        ShowError(QString::fromUtf8(e.what()) + QStringLiteral("\r\n") + CompareErrorText());
    }
}

void TfrmMain::RichEdit2MouseDown() {
    if (FRunning)
        ui->RichEdit2->SetSelStart(ui->RichEdit2->TextLength());
}

void TfrmMain::RichEdit2Enter() {
    if (!FRunning)
        ui->RichEdit2->SetImeMode(TImeMode::Disabled);
}

// The exercise ends by itself once the typed text is as long as the example.
void TfrmMain::EndCheck() {
    if (!FRunning || ShiftJis::TrimRight(ui->RichEdit1->Text()).size() !=
                         static_cast<std::size_t>(ui->RichEdit2->TextLength()))
        return;
    StopExercise();
    const TExerciseState state = ExerciseState();
    if (StoreSequentialExercise(state, FCompPart.TypedCount, FCompPart.ErrorCount))
        SetStatus(ui->StatusBar1, 1,
                  SequentialResultText(state.CharCount, state.KeyCount, state.Seconds,
                                       FCompPart.ErrorCount));
    EndStatsExercise(true);
}
