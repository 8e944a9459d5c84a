// SPDX-License-Identifier: GPL-3.0-or-later
// The main window in touch typing: the drill in the example pane and the keyboard it marks.

#include "app/UfMain.h"

#include "app/UfMainShared.h"
#include "platform/DesktopKeyboard.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/RichEdit.h"
#include "platform/ShiftJis.h"
#include "romaji/UuKbClass.h"
#include "ui_UfMain.h"

#include <QApplication>
#include <QPainter>

#include <climits>

using namespace UfMain;

namespace {

QString TouchKeyErrorText() {
    return QCoreApplication::translate("TfrmMain", "入力判定エラー\r\n次の文字列を表示します。");
}

} // namespace

// The drill and the keyboard it marks, and the filter that gives the drill every character
// typed in the window. The example pane takes the drill's keys through the hooks of the mode
// (InstallModeHooks).
void TfrmMain::CreateTouchTyping() {
    FKbClassEx.InitDrill(*ui->RichEdit1, *this);
    FKbClass = new TKbClass(this);
    QFont keyboardFont(ProportionalFontFace);
    keyboardFont.setPixelSize(12);
    ui->PaintBox1->setFont(keyboardFont);
    FKbClass->SetPaintBox(ui->PaintBox1);
    ApplyTouchSettings();
    RelayoutKeyboard();
    // The keyboard's canvas covers the paint box whole, so nothing need be drawn below it.
    ui->PaintBox1->setAttribute(Qt::WA_OpaquePaintEvent);
    ui->PaintBox1->OnPaint = [this](QPainter& painter) { PaintBox1Paint(painter); };
    ui->PaintBox1->OnResize = [this] { FormResize(); };
    FitKeyboardBox();

    FTouchKeyFilter = std::make_unique<TEventHook>([this](QObject* watched, QEvent* event) {
        return HeldLoadKeyFilter(watched, event) || TouchKeyFilter(watched, event);
    });
    qApp->installEventFilter(FTouchKeyFilter.get());
}

void TfrmMain::StartTouchDrill(const QString& path, const std::string& title,
                               const std::string& text) {
    if (FKbClassEx.Active())
        GeneratedDrillEnded(false);
    FGeneratedDrill = TGeneratedDrill::None;
    FTextPath = path;
    FTitle = title;
    ResetPanes();
    FKbClassEx.SetRomajiOptions(RomajiOptionsOf(OptionRec));
    FKbClassEx.LoadText(text);
    FKbClassEx.ShowString();
    MarkTouchKeys();
    // A text of empty lines has no string to type: nothing is armed.
    bool any = !FKbClassEx.Lines().empty();
    FKbClassEx.SetActive(any);
    if (FKbClassEx.NextKeyChar() == 0)
        FKbClass->UnmarkKey(0);
    ui->RichEdit1->SetImeMode(FKbClassEx.KanaStep() ? TImeMode::Hiragana : TImeMode::Disabled);
    BeginStatsExercise();

    FRunning = any;
    FLoadKeyHeld = true;
    Timer1.stop();
    FSeconds = 0;
    SetCaption();
    ShowCounters();
    SetStatus(ui->StatusBar2, 1, QString());
    ui->RichEdit1->setFocus();
}

// The drill's part of the stop step: it takes no more keys, the keyboard marks none and the
// example pane takes no input.
void TfrmMain::StopTouchDrill() {
    if (FKbClassEx.Active()) {
        GeneratedDrillEnded(false);
        FKbClassEx.Abandon();
        MarkTouchKeys();
    }
    ui->RichEdit1->SetImeMode(TImeMode::Disabled);
    ui->RichEdit1->SetReadOnly(true);
}

// In touch typing the window sees every character before its controls: what is typed while a
// list or a button has the focus goes to the drill too, and no control receives it. The example
// pane hands its characters over through its own hooks (RichEdit1KeyPress), after its key-down
// rules. Shortcuts (F5, Alt with a menu letter) never arrive here as key presses; Tab still
// moves the focus, and Enter in the sentence list still starts the sentence.
bool TfrmMain::TouchKeyFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || FMode != TPracticeMode::Touch)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    // A key press goes first to the focus widget, then to its parents while it is ignored:
    // only the first delivery is a character typed.
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window();
    if (!widget || widget != target || widget->window() != this || widget == ui->RichEdit1)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->text().isEmpty() || IsEditingKey(key->key()))
        return false;
    if (widget == ui->ListView2 && IsEnter(key->key()))
        return false;
    if (TouchStrokeKeyDown(*key))
        return true;
    for (QChar c : key->text())
        FormKeyPress(c);
    return true;
}

// A key held down while a text loads (Enter in the sentence list or the file dialog, or any key
// held across a click) goes on repeating into the exercise the load armed. Its repeats are no
// entries: they are swallowed until another key is pressed. Some X servers send a held key's
// repeats as plain presses and releases, so the key that loaded the text is swallowed whether
// it comes flagged as a repeat or not; no exercise begins with it (at its start Enter is a
// wrong key, or an empty line). A key released in a pane without the input method before any key
// was pressed there was pressed before the load (the letter of the menu command that loaded the
// text): it is no keystroke of the exercise. In a pane with the input method a lone release is
// a key whose press the input method took, and counts.
bool TfrmMain::HeldLoadKeyFilter(QObject* watched, QEvent* event) {
    if (!FLoadKeyHeld || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat() || (FLoadKey == Qt::Key_Return && IsEnter(key->key())))
        return true;
    if (event->type() == QEvent::KeyRelease) {
        auto* pane = dynamic_cast<TRichEdit*>(widget);
        return pane && pane->ImeMode() != TImeMode::Hiragana;
    }
    FLoadKeyHeld = false;
    return false;
}

// One character typed in touch typing, judged by the drill. A spelling the key showed the
// learner to use is kept in the settings for the next start.
void TfrmMain::FormKeyPress(QChar key) {
    if (!FKbClassEx.Active())
        return;
    try {
        TKbClassEx::TKeyResult result = FKbClassEx.KeyPress(DrillKey(key), KeyMillis());
        if (result.Learned)
            OptionRec.RomajiChoice[result.Learned->Slot] = result.Learned->Index;
        TouchKeyJudged(result);
    } catch (const std::exception&) {
        TouchDrillFailed();
    }
}

// What follows every key the drill judged, typed as a character or by its place: the units it
// completed go to the statistics, the keyboard and counters show it, and a finished string is
// written, or the drill's end handled.
void TfrmMain::TouchKeyJudged(const TKbClassEx::TKeyResult& result) {
    RecordTouchAttempts();
    MarkTouchKeys();
    ShowCounters();
    if (!FKbClassEx.Active())
        TouchDrillEnded();
    else if (result.StringFinished)
        FlushStats(false);
}

// A key could not be judged: the learner is told, and the drill goes on with the next string.
void TfrmMain::TouchDrillFailed() {
    ShowError(TouchKeyErrorText());
    try {
        FKbClassEx.NextString();
        MarkTouchKeys();
    } catch (const std::exception& e) {
        // Not even the next string can be shown: the drill ends here.
        FKbClassEx.SetActive(false);
        ShowError(QString::fromUtf8(e.what()));
    }
    if (!FKbClassEx.Active())
        TouchDrillEnded();
}

// After the last string: the keystroke speed, and the kana that had wrong keys.
void TfrmMain::TouchDrillEnded() {
    FRunning = false;
    EndStatsExercise(true);
    SetStatus(ui->StatusBar1, 1, SlipsText());
    GeneratedDrillEnded(true);
    SetStatus(ui->StatusBar2, 1, TouchSpeedText(FKbClassEx.KeyCount(), FSeconds));
}

// Kana input takes a key by its place (the X key code), whatever character the desktop's layout
// made of it; Space and Enter of a finished string and the kana step's keys go the way of
// romaji input, as characters.
bool TfrmMain::TouchStrokeKeyDown(const QKeyEvent& event) {
    if (FKbClassEx.InputStyle() != TInputStyle::Kana || !FKbClassEx.Active() ||
        FKbClassEx.KanaStep() || FKbClassEx.Done() || event.text().isEmpty())
        return false;
    const char c = DrillKey(event.text().front());
    const std::optional<TKeyStroke> stroke =
        StrokeOfKeyEvent(TKeyboardKind::Jis, event.nativeScanCode(),
                         event.modifiers().testFlag(Qt::ShiftModifier), c);
    if (!stroke && IsEditingKey(event.key()))
        return false;
    try {
        TouchKeyJudged(FKbClassEx.KeyStroke(stroke, c, KeyMillis()));
    } catch (const std::exception&) {
        TouchDrillFailed();
    }
    return true;
}

void TfrmMain::MarkTouchKeys() {
    if (FKbClassEx.InputStyle() == TInputStyle::Kana)
        FKbClass->MarkStrokes(FKbClassEx.NextStroke(), FKbClassEx.WrongStroke());
    else
        FKbClass->MarkKeys(FKbClassEx.NextKeyChar(), FKbClassEx.WrongChar());
    FKbClassEx.RefreshGuide();
}

TTouchSettings TfrmMain::TouchSettings() {
    return LoadTouchSettings(FStats.get(), DesktopKeyboardKind());
}

// The keyboard of the desktop's layout, else JIS; asked once, as it may ask the input method.
TKeyboardKind TfrmMain::DesktopKeyboardKind() {
    if (!FDesktopKeyboard)
        FDesktopKeyboard = KeyboardOfLayouts(
            DesktopKeyboard::DesktopLayouts(DesktopKeyboard::DesktopKeyboardFacts()));
    return *FDesktopKeyboard;
}

// The drill, the keyboard and the statistics follow the settings at once: a drill under way
// shows its string again from the start in the new style, and its statistics go on as a new
// exercise, so that the two styles never mix.
void TfrmMain::ApplyTouchSettings() {
    const TTouchSettings touch = TouchSettings();
    const TKeyboardKind keyboard = KeyboardInUse(touch);
    const bool changed =
        touch.Style != FKbClassEx.InputStyle() || keyboard != FKbClassEx.Keyboard();
    FKbClassEx.SetInputStyle(touch.Style, keyboard);
    FKbClass->SetStyle(
        {keyboard, touch.Style == TInputStyle::Kana ? TKeyLegends::Kana : TKeyLegends::Romaji});
    FitKeyboardBox();
    if (!changed || !FKbClassEx.Active() || FKbClassEx.KanaStep())
        return;
    FKbClassEx.ShowString();
    MarkTouchKeys();
    if (FMode == TPracticeMode::Touch && FRunning)
        BeginStatsExercise();
}

// Editing keys of the example pane in every mode; true swallows the key. Outside touch typing
// the pane is read only and passes the focus on, so only these rules matter there.
bool TfrmMain::RichEdit1KeyDown(const QKeyEvent& event) {
    const int key = event.key();
    const bool ctrlAlone = IsCtrlAlone(event);
    if (ctrlAlone && key == Qt::Key_C)
        return true;
    // Nothing is pasted or cut while Ctrl is held; the key up opens the kana step's input again.
    if (ctrlAlone)
        ui->RichEdit1->SetReadOnly(true);
    switch (key) {
    case Qt::Key_Insert:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

// The drill's rules for the keys of the example pane; true swallows the key.
bool TfrmMain::RichEdit1TouchKeyDown(const QKeyEvent& event) {
    TRichEdit* pane = ui->RichEdit1;
    const int key = event.key();
    // The kana step takes kana from the input method only: a key it let through is no entry.
    if (FRunning && FKbClassEx.KanaStep() && ImeOffKey(*pane, event))
        return true;
    if (FRunning)
        StartTimer();
    if (TouchStrokeKeyDown(event))
        return true;
    if (key != Qt::Key_Backspace && key != Qt::Key_Left && key != Qt::Key_Right &&
        key != Qt::Key_Delete)
        return false;
    if (!FKbClassEx.KanaStep())
        return true;
    // The input line starts after line 0 and its break; its start is no place for Backspace or
    // Left, which would reach the example.
    int inputStart = static_cast<int>(pane->Line(0).size()) + 2;
    int caret = pane->SelStart();
    if (caret < inputStart)
        return true;
    return caret == inputStart && key != Qt::Key_Right && key != Qt::Key_Delete;
}

// A character typed into the example pane: the drill's, never the pane's. The editing keys that
// the key-down rules let through (Backspace and Delete on the input line of the kana step) keep
// their work; Tab is dropped.
bool TfrmMain::RichEdit1KeyPress(QChar key) {
    if (key == BackspaceChar || key == DeleteChar)
        return false;
    if (key != TabChar)
        FormKeyPress(key);
    return true;
}

void TfrmMain::RichEdit1KeyUp(const QKeyEvent& event) {
    // A held key repeats its presses but is released once.
    if (event.isAutoRepeat())
        return;
    if (FKbClassEx.Active() && FKbClassEx.KanaStep())
        ui->RichEdit1->SetReadOnly(false);
}

// The input method committed a string into the kana step's input line.
void TfrmMain::RichEdit1ImeCommit(const std::string& committed) {
    try {
        if (!committed.empty()) {
            FKbClassEx.KanaCheck();
            if (FKbClassEx.Done())
                FlushStats(false);
        }
        if (!ui->RichEdit1->HasComposition())
            ui->RichEdit1->CancelComposition();
    } catch (const std::exception& e) {
        ShowError(QString::fromUtf8(e.what()) + QStringLiteral("\r\n") + CompareErrorText());
    }
}

// The input method composes in the kana step: time is counted from its first event, as from a
// key down.
void TfrmMain::RichEdit1ImeInput() {
    if (!FRunning || !FKbClassEx.KanaStep())
        return;
    ClearImeHint();
    StartTimer();
}

// The caret stays where the drill wants it: on the input line in the kana step, else where the
// drill last put it.
void TfrmMain::RichEdit1TouchMouseDown() {
    TRichEdit* pane = ui->RichEdit1;
    if (FKbClassEx.KanaStep()) {
        if (pane->LineFromPos(pane->SelStart()) == 0)
            pane->SetSelStart(pane->TextLength());
    } else {
        pane->SetSelStart(FKbClassEx.Caret());
    }
}

// The keyboard's canvas keeps the picture between paints, the marks of every key included, so
// the keyboard is drawn whole again only after a new layout; a paint otherwise shows the canvas.
// Drawing it whole takes milliseconds, far more than one key may.
void TfrmMain::PaintBox1Paint(QPainter& painter) {
    if (FMode != TPracticeMode::Touch)
        return;
    if (FKeyboardStale || FKbClass->Canvas().isNull()) {
        FKeyboardStale = false;
        FKbClass->PaintKeyboard();
        FShownFinger = 0;
        MarkTouchKeys();
    }
    const QImage& canvas = FKbClass->Canvas();
    if (canvas.isNull()) {
        painter.fillRect(ui->PaintBox1->rect(), ui->PaintBox1->palette().color(QPalette::Button));
        return;
    }
    // Copied, not blended: the canvas is opaque.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), canvas);
}

// The keyboard follows the width of its paint box, which the window's size and the splitter
// above it set.
void TfrmMain::FormResize() {
    FitKeyboardBox();
    if (FMode == TPracticeMode::Touch)
        RelayoutKeyboard();
}

// The keyboard's paint box no larger than the keyboard it shows: at most MaxKeyUnit wide per
// key, centred, and no higher than the keyboard at its width. A larger window gives the rest of
// its height to the example.
void TfrmMain::FitKeyboardBox() {
    TPaintBox* box = ui->PaintBox1;
    const TKeyboardStyle style = FKbClass->Style();
    const int widest = KeyboardWidth(style.Kind, MaxKeyUnit) + 13;
    box->setMaximumWidth(widest);
    box->setMaximumHeight(
        KeyboardHeight(LayoutKeyboard(std::min(box->width(), widest), INT_MAX, style)));
    // The splitter sees the pane's own limit, not its layout's: the typing pane of the other
    // modes has none.
    ui->InputPanel->setMaximumHeight(FMode == TPracticeMode::Touch ? box->maximumHeight()
                                                                   : QWIDGETSIZE_MAX);
}

void TfrmMain::RelayoutKeyboard() {
    FKbClass->LayoutKeys();
    FKeyboardStale = true;
    ui->PaintBox1->update();
}

// The drill asks after every key; the finger names are written again only when the finger
// changes.
void TfrmMain::ShowFinger(int finger) {
    if (finger == FShownFinger)
        return;
    FShownFinger = finger;
    FKbClass->ShowFinger(finger);
}

void TfrmMain::UnmarkKey(char c) {
    FKbClass->UnmarkKey(c);
}

void TfrmMain::UnmarkStroke(TKeyStroke stroke) {
    FKbClass->UnmarkStroke(stroke);
}

void TfrmMain::StopExerciseTimer() {
    Timer1.stop();
}

void TfrmMain::MarkNoKeys() {
    FKbClass->MarkKeys(0, 0);
    FKbClassEx.RefreshGuide();
}

void TfrmMain::SetStatusText(const std::string& text) {
    SetStatus(ui->StatusBar1, 1, text);
}

void TfrmMain::ShowInformation(const std::string& text) {
    Dialogs::ShowInformation(this, ShiftJis::ToQString(text));
}
