// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's two panes as every mode prepares them: fonts, the reset before a text, the
// end of an exercise, and the banner of the example pane.

#include "app/UfMain.h"

#include "exercise/UKeystrokeTap.h"
#include "platform/Fonts.h"
#include "platform/RichEdit.h"
#include "platform/Shell.h"
#include "platform/ShiftJis.h"
#include "ui_UfMain.h"

#include <QMouseEvent>

namespace {

QString BannerLine0() {
    return QCoreApplication::translate("TfrmMain", "求む！　バグ・不具合報告　質問もＯＫ！");
}
QString BannerLine1Lead() {
    return QCoreApplication::translate("TfrmMain", "ここをクリック→");
}

} // namespace

// Ends the running exercise, whatever the mode.
void TfrmMain::StopExercise() {
    Timer1.stop();
    StopTouchDrill();
    FRunning = false;
    FCompPart.Confirmed.clear();
    FPracticeText.clear();
    // The composition goes before the pane refuses input: nothing stays composed over it.
    ui->RichEdit2->SetImeMode(TImeMode::Disabled);
    ui->RichEdit2->SetReadOnly(true);
}

// Prepares both panes for a new text in the current mode.
void TfrmMain::ResetPanes() {
    Timer1.stop();
    FCompPart.Confirmed.clear();
    FCompPart.TypedCount = 0;
    FCompPart.ErrorCount = 0;
    FSeconds = 0;
    FKeyCount = 0;
    ui->RichEdit1->Clear();
    ui->RichEdit2->Clear();
    FKeystrokes->Reset(ui->RichEdit1);
    FKeystrokes->Reset(ui->RichEdit2);
    if (FMode == TPracticeMode::Bulk) {
        FWrapCol = FSingleByte ? OptionRec.WrapColEn : OptionRec.WrapColJp;
        FCellWidth = RulerCellWidth(OptionRec.FontSize);
        PlaceRulerMarker();
        ui->PaintBox2->update();
    }
    TRichEdit* example = ui->RichEdit1;
    example->SetShowBreaks(FMode == TPracticeMode::Sequential);
    if (FMode == TPracticeMode::Touch) {
        example->SetWordWrap(false);
        example->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        example->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    } else {
        example->SetWordWrap(FMode == TPracticeMode::Sequential);
        example->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        example->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        ui->RichEdit2->SetWordWrap(true);
    }
    FontStep();
    for (TRichEdit* pane : {ui->RichEdit1, ui->RichEdit2}) {
        pane->Clear();
        pane->SetSelColor(PaneColors::Black);
        pane->SetSelStyle({});
    }
    ui->RichEdit2->SetReadOnly(false);
}

// The fonts of both panes: the proportional face in touch typing, the fixed one otherwise.
void TfrmMain::FontStep() {
    QFont font = ui->RichEdit1->font();
    if (FMode == TPracticeMode::Touch) {
        font.setPointSize(OptionRec.TouchFontSize);
        if (font.family() == FixedFontFace)
            font.setFamily(ProportionalFontFace);
    } else {
        font.setPointSize(OptionRec.FontSize);
        if (font.family() == ProportionalFontFace)
            font.setFamily(FixedFontFace);
    }
    for (TRichEdit* pane : {ui->RichEdit1, ui->RichEdit2}) {
        pane->setFont(font);
        QPalette palette = pane->palette();
        palette.setColor(QPalette::Text, Qt::black);
        pane->setPalette(palette);
    }
    // A font of another height leaves a one-line text's document as high as before only by
    // chance: the line height is taken again either way.
    UpdateLineHeight();
}

void TfrmMain::SetListFonts() {
    for (QTreeWidget* list : {ui->ListView1, ui->ListView2}) {
        QFont font = list->font();
        font.setPointSize(OptionRec.FontSize);
        list->setFont(font);
    }
}

// ---- The banner ----

// Two lines in the example pane asking for bug reports, the second ending in the mail address.
void TfrmMain::ShowBanner() {
    TRichEdit* pane = ui->RichEdit1;
    std::string lead =
        ShiftJis::FromQString(BannerLine0() + QStringLiteral("\r\n") + BannerLine1Lead());
    std::string address = ShiftJis::FromQString(AuthorMailAddress);
    pane->SetText(lead + address);
    pane->Select(static_cast<int>(lead.size()), static_cast<int>(address.size()));
    pane->SetSelColor(PaneColors::Blue);
    pane->SetSelStart(0);
    FBannerShown = true;
}

// Whether a point of RichEdit1 lies on the mail address of the banner.
bool TfrmMain::OnBannerAddress(QPoint viewportPos) const {
    const TRichEdit* pane = ui->RichEdit1;
    std::string line1 = ShiftJis::FromQString(BannerLine1Lead() + AuthorMailAddress);
    int start =
        pane->LineStart(1) + static_cast<int>(ShiftJis::FromQString(BannerLine1Lead()).size());
    int length = static_cast<int>(ShiftJis::FromQString(AuthorMailAddress).size());
    int pos = pane->PosFromPoint(viewportPos);
    return pane->Line(1) == line1 && pane->LineFromPos(pos) == 1 && pos >= start &&
           pos < start + length;
}

void TfrmMain::RichEdit1MouseMove(const QMouseEvent& event) {
    bool hand = FBannerShown && OnBannerAddress(event.position().toPoint());
    ui->RichEdit1->viewport()->setCursor(hand ? Qt::PointingHandCursor : Qt::IBeamCursor);
}

void TfrmMain::RichEdit1MouseDown(const QMouseEvent& event) {
    if (FBannerShown && event.button() == Qt::LeftButton &&
        OnBannerAddress(event.position().toPoint()))
        OpenAuthorMail();
    if (FMode == TPracticeMode::Touch)
        RichEdit1TouchMouseDown();
}
