// SPDX-License-Identifier: GPL-3.0-or-later
// The main window in bulk input: the comparison (F5) and the example kept in view.

#include "app/UfMain.h"

#include "compare/UBulkCompare.h"
#include "platform/RichEdit.h"
#include "ui_UfMain.h"

void TfrmMain::CompActExecute() {
    if (!FRunning)
        return;
    StopExercise();
    ui->Comp1->setEnabled(false);
    const auto mode = static_cast<CompMode>(FSingleByte);
    try {
        if (ui->LineComp1->isChecked()) {
            const TBulkCounts sums = CompareLines(
                *ui->RichEdit1, *ui->RichEdit2, mode, [this](const std::string& message, int line) {
                    ShowError(QString::fromUtf8(message) + QStringLiteral("\r\n") +
                              QString::number(line));
                });
            ShowBulkResult(sums, true);
        } else {
            ShowBulkResult(CompareWhole(*ui->RichEdit1, *ui->RichEdit2, mode), false);
        }
    } catch (const std::exception& e) {
        ShowError(tr("比較できませんでした。\r\n") + QString::fromUtf8(e.what()));
    }
}

// The end of a comparison: the record stored, the result shown.
void TfrmMain::ShowBulkResult(const TBulkCounts& counts, bool lineByLine) {
    const TExerciseState state = ExerciseState();
    StoreBulkExercise(state, counts, lineByLine);
    RecordBulkResult(counts);
    SetStatus(ui->StatusBar1, 1,
              BulkResultText(state.SingleByte, counts, state.KeyCount, state.Seconds));
}

// Keeps the example line that is being typed in view: always in sequential input, in bulk input
// while the automatic line feed is on. After every key up, and after every commit, since an
// input method may let no key up through.
void TfrmMain::AutoLineFeed() {
    const bool follows = FMode == TPracticeMode::Sequential ||
                         (FMode == TPracticeMode::Bulk && FRunning && ui->AutoCrLfAct->isChecked());
    if (!follows || FLineHeight <= 5)
        return;
    TRichEdit* example = ui->RichEdit1;
    const int first = example->FirstVisibleLine();
    const int visible = example->viewport()->height() / FLineHeight;
    if (first + visible < example->LineCount()) {
        const int n = ui->RichEdit2->LineFromPos(ui->RichEdit2->SelStart()) - first - visible + 2;
        if (n > 0)
            example->ScrollLines(n);
    }
}

// The height of one line of the example: its content height over its lines.
void TfrmMain::UpdateLineHeight() {
    const int lines = ui->RichEdit1->LineCount();
    const int height = static_cast<int>(ui->RichEdit1->document()->size().height());
    FLineHeight = lines > 0 ? height / lines : 0;
}
