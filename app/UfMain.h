// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window: the register and sentence lists, the example and typing panes, the
// keyboard, the menus, the tool bar and the two status bars; the three practice modes.

#include "app/UDataFile.h"
#include "app/UExerciseStats.h"
#include "compare/UuCompPart.h"
#include "platform/FolderWatch.h"
#include "registers/UuRegi.h"
#include "romaji/UuKbClassEx.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace Ui {
class TfrmMain;
}

class QAction;
class QKeyEvent;
class QMouseEvent;
class QPainter;
class QStatusBar;
class QTreeWidgetItem;
struct TRsltItem;
class TKbClass;
class TKeystrokeTap;
class TRichEdit;
class TfrmGraphJap;
class TfrmEditor;

class TfrmMain : public QMainWindow, private TDrillHost {
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Shows the window in front of the others (a second start asks for this).
    void BringToFront();

    // Closes the window as its close box does, saving the layout and Typorin.dat, but asks
    // nothing: when the save fails the previous file stays whole and the window closes all the
    // same. Does nothing once the window has closed.
    void EndSession();

    // Practice modes.
    static constexpr int TouchMode = 0;
    static constexpr int PartMode = 1;
    static constexpr int AllMode = 2;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Start-up and closing.
    void CreateActions();
    void CreateStatusBars();
    void ConnectHandlers();
    void FormCreate();
    void ReadSettings();
    void ShowWelcome();
    void RestoreGeometry();
    bool FormCloseQuery();
    void OfferRecoveredText();

    // Registers, sentences and text files.
    void ListRegisters();
    void ShowRegisters(const std::vector<std::filesystem::path>& files);
    void ListSentences(const std::vector<UuRegi::TEntryItem>& entries);
    std::optional<std::filesystem::path> SelectedRegister() const;
    void RegistersChanged();
    bool SameSentences(const std::vector<UuRegi::TEntryItem>& entries) const;
    void ListView1SelectItem();
    void ListView2Change(QTreeWidgetItem* item);
    void StartSentence();
    void FileOpen1Execute();
    void Refresh1Click();
    void Editer1Click();
    void LoadText(const QString& path, const std::string& title, const std::string& text);
    void SetCaption();

    // Commands.
    void TouchActExecute(QAction* item);
    void LineCompActExecute();
    void AutoCrLfActExecute();
    void HelpActExecute();
    void SetOpActExecute();
    void VersionActExecute();
    void GraphActExecute();
    void Exit1Click();

    // The steps the commands share.
    void ApplyMode();
    void StopExercise();
    void ResetPanes();
    void FontStep();
    void SetListFonts();
    void ApplyOptions();
    void ShowBanner();
    bool OnBannerAddress(QPoint viewportPos) const;
    void RichEdit1MouseMove(const QMouseEvent& event);
    void RichEdit1MouseDown(const QMouseEvent& event);

    // Time and keystrokes.
    void Timer1Timer();
    void StartTimer();
    // The first entry of an armed exercise in the typing pane: the clock, and in bulk input
    // the locked ruler and the compare command.
    void StartTyping();
    // A printable key reached `pane` while it expects the input method, which is off: the
    // learner is told how to switch it on. False for any other key.
    bool ImeOffKey(TRichEdit& pane, const QKeyEvent& event);
    void ClearImeHint();
    // A refused entry where the example has a line break: the learner is told to press Enter,
    // until Enter is taken there or the next entry is accepted.
    void ShowBreakHint();
    void ClearBreakHint();
    // Keystrokes of a pane, counted while an exercise runs in the pane its mode types into.
    void CountKeystrokes(QWidget* pane, int strokes);
    TExerciseState ExerciseState() const;

    // Touch typing.
    void CreateTouchTyping();
    // Arms the drill over `text`, from a register sentence or a text file.
    void StartTouchDrill(const QString& path, const std::string& title, const std::string& text);
    void StopTouchDrill();
    bool TouchKeyFilter(QObject* watched, QEvent* event);
    bool HeldLoadKeyFilter(QObject* watched, QEvent* event);
    void FormKeyPress(QChar key);
    void TouchDrillFailed();
    void TouchDrillEnded();
    void MarkTouchKeys();
    bool RichEdit1KeyDown(const QKeyEvent& event);
    bool RichEdit1KeyPress(QChar key);
    void RichEdit1KeyUp(const QKeyEvent& event);
    void RichEdit1ImeCommit(const std::string& committed);
    void RichEdit1ImeInput();
    void RichEdit1TouchMouseDown();
    void PaintBox1Paint(QPainter& painter);
    void FormResize();
    void FitKeyboardBox();
    void RelayoutKeyboard();
    // What the drill asks of the window and its keyboard.
    void ShowFinger(int finger) override;
    void UnmarkKey(char c) override;
    void StopExerciseTimer() override;
    void MarkNoKeys() override;
    void SetStatusText(const std::string& text) override;
    void ShowInformation(const std::string& text) override;

    // Sequential input.
    void RichEdit2ImeCommit(const std::string& committed);
    void RichEdit2ImeInput();
    bool RichEdit2KeyDown(const QKeyEvent& event);
    bool RichEdit2KeyPress(QChar key);
    void RichEdit2KeyUp();
    void RichEdit2MouseDown();
    void RichEdit2Enter();
    void EndCheck();

    // Bulk input.
    void CompActExecute();
    void CompareWhole();
    void CompareLines();
    void MarkDifferences(const std::vector<TRsltItem>& items, bool underline);
    void MarkLeftover(TRichEdit* pane, int from, TRgb color);
    int LeftoverUnits(const std::string& text) const;
    void AutoLineFeed();
    void UpdateLineHeight();

    // The ruler of bulk input.
    void PaintBox2Paint(QPainter& painter);
    void Label1MouseDown();
    void Label1MouseMove(const QMouseEvent& event);
    void Label1MouseUp(const QMouseEvent& event);
    void Rewrap();
    void PlaceRulerMarker();
    int RulerCellWidth(int fontSize) const;
    bool RulerLocked() const;
    void SetRulerMarkerColor(Qt::GlobalColor color);

    void SetStatus(QStatusBar* bar, int panel, const QString& text);
    void SetStatus(QStatusBar* bar, int panel, const std::string& sjisText);
    void ShowError(const QString& text);

    std::unique_ptr<Ui::TfrmMain> ui;
    UuRegi::TRegi FRegi;
    TCompPart FCompPart;
    TKbClassEx FKbClassEx;
    TKbClass* FKbClass = nullptr; // owned by the window
    bool FKeyboardStale = true;   // laid out anew since the keyboard was last drawn whole
    int FShownFinger = -1;        // the finger whose name the keyboard shows in blue; -1 unknown

    // Window state; all zero at creation.
    int FMode = 0;
    bool FRunning = false;
    int FSeconds = 0;
    int FKeyCount = 0;
    int FTouchMisses = 0;
    int FCharCount = 0;
    int FKanjiCount = 0;
    int FSingleByte = 0;
    std::u16string FPracticeText; // at most 1024 characters
    QString FTextPath;
    std::string FTitle; // Shift_JIS
    std::string FImeResult;
    int FLineHeight = 0;
    int FWrapCol = 0;
    int FCellWidth = 0;
    bool FDragging = false;
    int FDragOffset = 0;
    bool FCheckedBefore = false;
    bool FBannerShown = false;
    bool FImeHintShown = false;   // StatusBar1 panel 1 tells how to switch the input method on
    bool FBreakHintShown = false; // StatusBar1 panel 1 asks for Enter
    bool FEndingSession = false;  // closing without a question
    bool FClosed = false;         // the close went through: the data file is written
    bool FLoadKeyHeld = false;    // a text loaded; no other key pressed since
    int FLoadKey = 0;             // Qt::Key_Return when Enter loaded the text, else 0

    // The records window while it is open; cleared when it is destroyed.
    QPointer<TfrmGraphJap> FGraph;

    QPointer<TfrmEditor> FEditor; // the open editor window; cleared when it is destroyed
    TFolderWatch FRegisterWatch;  // the register folder, whose changes the lists follow
    QTimer Timer1;
    TKeystrokeTap* FKeystrokes = nullptr; // counts the keys of both panes; owned by the window
    // Hands the characters typed anywhere in the window to the drill in touch typing.
    std::unique_ptr<QObject> FTouchKeyFilter;
};
