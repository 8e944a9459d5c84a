// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window: the register and sentence lists, the example and typing panes, the
// keyboard, the menus, the tool bar and the two status bars; the three practice modes.
//
// Its controls keep the names they have always had. What they are:
//   ListView1    the register files of TextFolder      ListView2  the sentences of the register
//   RichEdit1    the example pane (in touch typing the drill's string, guide and input line)
//   RichEdit2    the typing pane of sequential and bulk input
//   PaintBox1    the keyboard of touch typing           PaintBox2  the ruler of bulk input
//   Label1       the ruler's marker (the wrap column)   Timer1     the clock, one tick a second
//   StatusBar1   panel 0 the mode, panel 1 the result or a hint
//   StatusBar2   panel 0 the text's figures or the touch counters, panel 1 time and keys,
//                panel 2 "行ごとに比較"
//   Touch1, Part1, All1   the mode items: touch typing, sequential ("part by part") and bulk
//                         ("all at once") input; TouchActExecute is the command of all three
//   Comp1        compare (F5)    LineComp1  compare line by line    AutoCrLfAct  automatic line
//   feed
//
// The window's work is split by concern over files of its own: UfMain.cpp (set-up, commands,
// closing), UfMain.Panes.cpp (both panes as every mode prepares them), UfMain.Registers.cpp (the
// lists and the practice texts), UfMain.Touch.cpp, UfMain.Sequential.cpp, UfMain.Bulk.cpp
// (comparison), UfMain.Ruler.cpp, UfMain.Status.cpp (clock, keystrokes, status texts and hints)
// UfMain.Stats.cpp (the statistics store and the analysis window) and UfMain.Drills.cpp (the
// kana course, the weakness drill and the retry of missed strings).
// What differs between the modes is chosen once, when the mode changes (ApplyMode): the panes get
// the hooks of the mode in use.

#include "compare/UuCompPart.h"
#include "exercise/UExerciseStats.h"
#include "platform/FolderWatch.h"
#include "registers/UuRegi.h"
#include "romaji/UuKbClassEx.h"
#include "store/UDataFile.h"
#include "store/UPracticeKinds.h"
#include "store/UTouchSettings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class TfrmMain;
}

class QAction;
class QKeyEvent;
class QMouseEvent;
class QPainter;
class QStatusBar;
class QTreeWidgetItem;
class TKbClass;
class TKeystrokeTap;
class TRichEdit;
class TStatsStore;
class TfrmAnalysis;
class TfrmGraphJap;
class TfrmEditor;

class TfrmMain : public QMainWindow, private TDrillHost {
    Q_DECLARE_TR_FUNCTIONS(TfrmMain)

public:
    // Whether the window records statistics: always in the program; a window without them
    // shows what they cost.
    enum class TStatistics { Recorded, None };
    explicit TfrmMain(QWidget* parent = nullptr, TStatistics statistics = TStatistics::Recorded);
    ~TfrmMain() override;

    // Shows the window in front of the others (a second start asks for this).
    void BringToFront();

    // Closes the window as its close box does, saving the layout and Typorin.dat, but asks
    // nothing: when the save fails the previous file stays whole and the window closes all the
    // same. Does nothing once the window has closed.
    void EndSession();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ---- Set-up, commands and closing (UfMain.cpp)
    void CreateActions();
    void CreateStatusBars();
    void ConnectHandlers();
    void FormCreate();
    void ReadSettings();
    void ShowWelcome();
    void RestoreGeometry();
    bool FormCloseQuery();
    void OfferRecoveredText();

    void TouchActExecute(QAction* item);
    void LineCompActExecute();
    void AutoCrLfActExecute();
    void HelpActExecute();
    void SetOpActExecute();
    void VersionActExecute();
    void GraphActExecute();
    void AnalysisActExecute();
    void Editer1Click();
    void Exit1Click();

    // The steps the commands share.
    void ApplyMode();
    // The hooks of both panes for the mode in use.
    void InstallModeHooks();
    void StopExercise();
    void ResetPanes();
    void FontStep();
    void SetListFonts();
    void ApplyOptions();
    void ShowBanner();
    bool OnBannerAddress(QPoint viewportPos) const;
    void RichEdit1MouseMove(const QMouseEvent& event);
    void RichEdit1MouseDown(const QMouseEvent& event);

    // ---- Registers, sentences and text files (UfMain.Registers.cpp)
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
    // A text chosen: the drill of touch typing, or the exercise of the other modes.
    void StartText(const QString& path, const std::string& title, const std::string& text);
    void LoadText(const QString& path, const std::string& title, const std::string& text);
    void SetCaption();

    // ---- Touch typing (UfMain.Touch.cpp)
    void CreateTouchTyping();
    // Arms the drill over `text`, from a register sentence or a text file.
    void StartTouchDrill(const QString& path, const std::string& title, const std::string& text);
    void StopTouchDrill();
    bool TouchKeyFilter(QObject* watched, QEvent* event);
    bool HeldLoadKeyFilter(QObject* watched, QEvent* event);
    void FormKeyPress(QChar key);
    void TouchKeyJudged(const TKbClassEx::TKeyResult& result);
    void TouchDrillFailed();
    void TouchDrillEnded();
    void MarkTouchKeys();
    // Kana input: a key press judged by its place; true when the drill took it.
    bool TouchStrokeKeyDown(const QKeyEvent& event);
    // The input style and keyboard of the settings, for the drill, the picture and the
    // statistics; the desktop's keyboard where none was chosen.
    TTouchSettings TouchSettings();
    TKeyboardKind DesktopKeyboardKind();
    void ApplyTouchSettings();
    // The example pane's key rules of every mode; in touch typing those of the drill after them.
    bool RichEdit1KeyDown(const QKeyEvent& event);
    bool RichEdit1TouchKeyDown(const QKeyEvent& event);
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
    void UnmarkStroke(TKeyStroke stroke) override;
    void StopExerciseTimer() override;
    void MarkNoKeys() override;
    void SetStatusText(const std::string& text) override;
    void ShowInformation(const std::string& text) override;

    // ---- The typing pane and sequential input (UfMain.Sequential.cpp)
    // The typing pane's key rules of both modes; those of the mode in use after them.
    bool RichEdit2KeyDown(const QKeyEvent& event);
    bool SequentialKeyDown(const QKeyEvent& event);
    bool RichEdit2KeyPress(QChar key);
    void RichEdit2KeyUp();
    void RichEdit2ImeInput();
    void RichEdit2ImeCommit(const std::string& committed);
    void RichEdit2MouseDown();
    void RichEdit2Enter();
    void EndCheck();

    // ---- Bulk input and its comparison (UfMain.Bulk.cpp)
    void CompActExecute();
    void ShowBulkResult(const TBulkCounts& counts, bool lineByLine);
    void AutoLineFeed();
    void UpdateLineHeight();

    // ---- The ruler of bulk input (UfMain.Ruler.cpp)
    void PaintBox2Paint(QPainter& painter);
    void Label1MouseDown();
    void Label1MouseMove(const QMouseEvent& event);
    void Label1MouseUp(const QMouseEvent& event);
    void Rewrap();
    void PlaceRulerMarker();
    int RulerCellWidth(int fontSize) const;
    bool RulerLocked() const;
    void SetRulerMarkerColor(Qt::GlobalColor color);

    // ---- Clock, keystrokes, status texts and hints (UfMain.Status.cpp)
    void Timer1Timer();
    void StartTimer();
    // The first entry of an armed exercise in the typing pane: the clock, and in bulk input
    // the locked ruler and the compare command.
    void StartTyping();
    // The counters of the mode in use: StatusBar2 panel 0 in touch typing, panel 1 otherwise.
    void ShowCounters();
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
    void SetStatus(QStatusBar* bar, int panel, const QString& text);
    void SetStatus(QStatusBar* bar, int panel, const std::string& sjisText);
    void ShowError(const QString& text);

    // ---- Statistics (UfMain.Stats.cpp)
    void OpenStats();
    void CloseStats();
    void ShowStatsProblem();
    void BeginStatsExercise();
    // Hands the exercise's figures and what was recorded since to the store's writer.
    void FlushStats(bool finished);
    void EndStatsExercise(bool finished);
    void RecordTouchAttempts();
    QString SlipsText() const;
    std::int64_t KeyMillis() const;
    void NoteImeInput();
    void RecordCommit(const std::string& committed, const std::string& expected, bool accepted);
    void RecordBulkResult(const TBulkCounts& counts);

    // ---- Generated practice (UfMain.Drills.cpp)
    enum class TGeneratedDrill { None, Course, Weakness, Retry };
    TInputStyle TouchInputStyle() const;
    void StartGeneratedDrill(const std::string& title, const std::string& text,
                             TGeneratedDrill kind);
    void KanaCourseExecute();
    void StartCourseStage(int stage);
    void AdvanceCourse();
    void WeaknessDrillExecute();
    void RetryExecute();
    // The drill in use ends, `finished` or abandoned.
    void GeneratedDrillEnded(bool finished);

    std::unique_ptr<Ui::TfrmMain> ui;
    TStatistics FStatistics;
    UuRegi::TRegi FRegi;
    TCompPart FCompPart;
    TKbClassEx FKbClassEx;
    TKbClass* FKbClass = nullptr; // owned by the window
    bool FKeyboardStale = true;   // laid out anew since the keyboard was last drawn whole
    int FShownFinger = -1;        // the finger whose name the keyboard shows in blue; -1 unknown
    std::optional<TKeyboardKind> FDesktopKeyboard; // read once, when first needed

    // Window state; all zero at creation.
    TPracticeMode FMode = TPracticeMode::Touch;
    bool FRunning = false;
    int FSeconds = 0;
    int FKeyCount = 0; // sequential and bulk input; the drill counts its own
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

    // The statistics store; none only before the window's set-up and after its close.
    std::unique_ptr<TStatsStore> FStats;
    std::uint64_t FStatsExercise = 0;     // the exercise being recorded, 0 none
    bool FStatsProblemWaiting = false;    // a message of the store waits for the string's end
    QElapsedTimer FKeyClock;              // when keys come, for the statistics
    std::int64_t FImeStartMillis = -1;    // the first input-method event of the commit to come
    int FCommitKeys = 0;                  // FKeyCount at the last commit
    int FBulkTyped = 0, FBulkWrong = 0;   // the last bulk comparison's units typed and wrong
    std::map<std::u16string, int> FSlips; // wrong keys of the drill by kana (katakana folded)

    TGeneratedDrill FGeneratedDrill = TGeneratedDrill::None; // what the drill in use practises
    std::vector<std::string> FRetryStrings; // the last drill's strings with wrong keys

    QPointer<TfrmAnalysis> FAnalysis; // the open analysis window
    QPointer<TfrmGraphJap> FGraph;    // the open records window; cleared when it is destroyed
    QPointer<TfrmEditor> FEditor;     // the open editor window; cleared when it is destroyed
    TFolderWatch FRegisterWatch;      // the register folder, whose changes the lists follow
    QTimer Timer1;
    TKeystrokeTap* FKeystrokes = nullptr; // counts the keys of both panes; owned by the window
    // Hands the characters typed anywhere in the window to the drill in touch typing.
    std::unique_ptr<QObject> FTouchKeyFilter;
};
