// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: set-up, the commands, the mode switch and closing.

#include "app/UfMain.h"

#include "app/UfMainShared.h"
#include "dialogs/UfSetOption.h"
#include "dialogs/UfVersion.h"
#include "editor/UfEditor.h"
#include "exercise/UKeystrokeTap.h"
#include "platform/Dialogs.h"
#include "platform/FileIo.h"
#include "platform/Fonts.h"
#include "platform/Icons.h"
#include "platform/RichEdit.h"
#include "platform/Screens.h"
#include "platform/Shell.h"
#include "platform/ShiftJis.h"
#include "platform/StatusPanel.h"
#include "platform/WindowBounds.h"
#include "records/UfAnalysis.h"
#include "records/UfGraphJap.h"
#include "romaji/UuKbClass.h"
#include "ui_UfMain.h"

#include <QAbstractTextDocumentLayout>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>

using namespace UfMain;

namespace {

QString LineCompCaption() {
    return QCoreApplication::translate("TfrmMain", "行ごとに比較");
}

constexpr int MainMinWidth = 520, MainMinHeight = 380;

QString WelcomeText() {
    return QCoreApplication::translate(
        "TfrmMain",
        "TYPORIN へようこそ。\r\n\r\n"
        "練習のしかたは三つです。ツールバーか「練習モード」メニューで選びます。\r\n"
        "・タッチタイプ：キーボードの図が次のキーと指を示します。ローマ字のキーを一つずつ打ちます。"
        "\r\n"
        "・逐次入力：例文を日本語入力で先頭から入力します。確定するたびに確かめます。\r\n"
        "・一括入力：例文を最後まで自由に入力して、F5 で比べます。\r\n\r\n"
        "左の一覧で文章をクリックすると練習が始まります。\r\n"
        "くわしくは F1 キーでマニュアルを開いてください。");
}

} // namespace

// ---- Start-up ----

TfrmMain::TfrmMain(QWidget* parent, TStatistics statistics)
    : QMainWindow(parent), ui(std::make_unique<Ui::TfrmMain>()), FStatistics(statistics) {
    // The window's font is set before its controls exist: they are built with it, where
    // setting it afterwards would carry the change through every one of them.
    QFont font(FixedFontFace);
    font.setPixelSize(16);
    setFont(font);
    ui->setupUi(this);
    setWindowIcon(WindowIcon(QStringLiteral("typorin")));
    ui->Open1->setIcon(ProgramIcon(QStringLiteral("open")));
    ui->Touch1->setIcon(ProgramIcon(QStringLiteral("touch")));
    ui->Part1->setIcon(ProgramIcon(QStringLiteral("part")));
    ui->All1->setIcon(ProgramIcon(QStringLiteral("all")));
    ui->Comp1->setIcon(ProgramIcon(QStringLiteral("compare")));
    ui->AutoCrLfAct->setIcon(ProgramIcon(QStringLiteral("autocrlf")));
    ui->SetOption1->setIcon(ProgramIcon(QStringLiteral("options")));
    ui->Editer1->setIcon(ProgramIcon(QStringLiteral("editor")));
    ui->Graph1->setIcon(ProgramIcon(QStringLiteral("graph")));
    ui->Analysis1->setIcon(ProgramIcon(QStringLiteral("analysis")));
    ui->Help2->setIcon(ProgramIcon(QStringLiteral("help")));
    CreateActions();
    CreateStatusBars();
    ConnectHandlers();
    FormCreate();
}

TfrmMain::~TfrmMain() {
    CloseStats();
    FKbClassEx.DoneDrill();
}

void TfrmMain::CreateActions() {
    auto* modes = new QActionGroup(this);
    modes->setExclusive(true);
    for (QAction* item : {ui->Touch1, ui->Part1, ui->All1})
        modes->addAction(item);

    // The menu separators and the tool bar's buttons carry the names of their places; the
    // buttons added since are named after their commands, so that the others keep theirs.
    int separator = 0;
    const char* separatorNames[] = {"N1", "N2", "N3", "N5"};
    for (QMenu* menu : {ui->File1, ui->ExamMode1, ui->Show1})
        for (QAction* action : menu->actions())
            if (action->isSeparator())
                action->setObjectName(separator < static_cast<int>(std::size(separatorNames))
                                          ? QString::fromLatin1(separatorNames[separator++])
                                          : QStringLiteral("DrillsSeparator"));
    int button = 0;
    for (QAction* action : ui->ToolBar1->actions())
        if (QWidget* widget = ui->ToolBar1->widgetForAction(action))
            widget->setObjectName(action == ui->Analysis1
                                      ? QStringLiteral("AnalysisButton")
                                      : QStringLiteral("ToolButton%1").arg(++button));

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [] { OpenHelpFile(); });
}

void TfrmMain::CreateStatusBars() {
    // Status bars and the menu bar take the proportional face at 12 pixels, the size of menu
    // type at 96 dots per inch, not the window's 16 pixels.
    QFont small(ProportionalFontFace);
    small.setPixelSize(12);
    for (QWidget* bar :
         std::initializer_list<QWidget*>{ui->StatusBar1, ui->StatusBar2, ui->MainMenu1})
        bar->setFont(small);
    AddStatusPanels(ui->StatusBar1, {{100, Qt::AlignHCenter}, {400}});
    AddStatusPanels(ui->StatusBar2, {{190}, {100}, {50}});
}

// The handlers that serve every mode; those of one mode are installed with it (InstallModeHooks).
void TfrmMain::ConnectHandlers() {
    connect(ui->Open1, &QAction::triggered, this, &TfrmMain::FileOpen1Execute);
    connect(ui->Exit1, &QAction::triggered, this, &TfrmMain::Exit1Click);
    for (QAction* item : {ui->Touch1, ui->Part1, ui->All1})
        connect(item, &QAction::triggered, this, [this, item] { TouchActExecute(item); });
    connect(ui->Comp1, &QAction::triggered, this, &TfrmMain::CompActExecute);
    connect(ui->LineComp1, &QAction::triggered, this, &TfrmMain::LineCompActExecute);
    connect(ui->Refresh1, &QAction::triggered, this, &TfrmMain::Refresh1Click);
    connect(ui->AutoCrLfAct, &QAction::triggered, this, &TfrmMain::AutoCrLfActExecute);
    connect(ui->Help2, &QAction::triggered, this, &TfrmMain::HelpActExecute);
    connect(ui->SetOption1, &QAction::triggered, this, &TfrmMain::SetOpActExecute);
    connect(ui->About1, &QAction::triggered, this, &TfrmMain::VersionActExecute);
    connect(ui->Graph1, &QAction::triggered, this, &TfrmMain::GraphActExecute);
    connect(ui->Analysis1, &QAction::triggered, this, &TfrmMain::AnalysisActExecute);
    connect(ui->KanaCourse1, &QAction::triggered, this, &TfrmMain::KanaCourseExecute);
    connect(ui->WeaknessDrill1, &QAction::triggered, this, &TfrmMain::WeaknessDrillExecute);
    connect(ui->Retry1, &QAction::triggered, this, &TfrmMain::RetryExecute);
    ui->Retry1->setEnabled(false);
    connect(ui->Editer1, &QAction::triggered, this, &TfrmMain::Editer1Click);

    connect(ui->ListView1, &QTreeWidget::itemSelectionChanged, this,
            &TfrmMain::ListView1SelectItem);
    connect(ui->ListView2, &QTreeWidget::itemChanged, this, &TfrmMain::ListView2Change);
    connect(ui->ListView2, &QTreeWidget::itemPressed, this, [this] {
        FLoadKey = 0;
        StartSentence();
    });
    ui->ListView2->installEventFilter(this);

    TRichEdit* example = ui->RichEdit1;
    example->SetReadOnly(true);
    example->SetImeMode(TImeMode::Disabled);
    example->viewport()->setMouseTracking(true);
    example->OnMouseMove = [this](const QMouseEvent& event) { RichEdit1MouseMove(event); };
    example->OnMouseDown = [this](const QMouseEvent& event) { RichEdit1MouseDown(event); };
    example->OnFocusIn = [this] {
        // The example pane never keeps the focus while the typing pane is there.
        if (ui->RichEdit2->isVisible())
            ui->RichEdit2->setFocus();
    };
    connect(example->document()->documentLayout(),
            &QAbstractTextDocumentLayout::documentSizeChanged, this, &TfrmMain::UpdateLineHeight);

    TRichEdit* typed = ui->RichEdit2;
    typed->SetReadOnly(true);
    typed->OnImeInput = [this] { RichEdit2ImeInput(); };
    typed->OnKeyUp = [this](const QKeyEvent&) { RichEdit2KeyUp(); };
    typed->OnFocusIn = [this] { RichEdit2Enter(); };
    // Nothing reaches the typing pane but what the learner types: no pasting from a menu, by
    // dropping or by the middle button.
    typed->setContextMenuPolicy(Qt::NoContextMenu);
    typed->setAcceptDrops(false);
    typed->viewport()->installEventFilter(this);
    typed->setUndoRedoEnabled(false);
    example->setContextMenuPolicy(Qt::NoContextMenu);
    example->setAcceptDrops(false);

    ui->PaintBox2->OnPaint = [this](QPainter& painter) { PaintBox2Paint(painter); };
    QFont marker(FixedFontFace);
    marker.setPixelSize(12);
    marker.setBold(true);
    ui->Label1->setFont(marker);
    ui->Label1->adjustSize();
    ui->Label1->setMouseTracking(true);
    ui->Label1->installEventFilter(this);

    FKeystrokes = new TKeystrokeTap(this);
    FKeystrokes->Watch(example);
    FKeystrokes->Watch(typed);
    FKeystrokes->OnStrokes = [this](QWidget* pane, int strokes) { CountKeystrokes(pane, strokes); };

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setParent(this);
    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &TfrmMain::Timer1Timer);
}

void TfrmMain::FormCreate() {
    ReadSettings();
    OpenStats();
    CreateTouchTyping();
    ListRegisters();
    FRegisterWatch.OnChanged = [this] { RegistersChanged(); };
    FRegisterWatch.Watch(ToDisplayPath(UuRegi::RegisterFolder()));
    FCompPart.ExampleEdit = ui->RichEdit1;
    FCompPart.InputEdit = ui->RichEdit2;

    // The toggles, as they were left.
    ui->AutoCrLfAct->setChecked(OptionRec.AutoCrLf != 0);
    ui->Comp1->setEnabled(false);
    ui->LineComp1->setChecked(OptionRec.LineComp != 0);

    // A mode beyond the three (a damaged file, repaired at reading) checks none.
    QAction* modeItems[] = {ui->Touch1, ui->Part1, ui->All1};
    if (OptionRec.ExamMode < std::size(modeItems))
        TouchActExecute(modeItems[OptionRec.ExamMode]);
    else
        InstallModeHooks();

    FSingleByte = 0;
    FWrapCol = OptionRec.WrapColJp;
    FCellWidth = RulerCellWidth(OptionRec.FontSize);
    PlaceRulerMarker();
    FDragOffset = ui->Label1->width() / 2 - 2;

    // Below this the tool bar, both lists, the ruler and a keyboard with readable captions no
    // longer fit; a restored size smaller than this grows to it.
    setMinimumSize(MainMinWidth, MainMinHeight);
    RestoreGeometry();
    SetListFonts();
    if (ui->ListView1->topLevelItemCount() > 0) {
        ui->ListView1->setFocus();
        ui->ListView1->setCurrentItem(ui->ListView1->topLevelItem(0));
    }
    ShowBanner();
    // Once the window is up.
    QTimer::singleShot(0, this, &TfrmMain::OfferRecoveredText);
}

// A text the editor kept in a recovery file when the last session ended: the learner is told
// where it is and may open it in the editor, which takes it over. Asked again at the next start
// while the file is there.
void TfrmMain::OfferRecoveredText() {
    std::vector<std::filesystem::path> files = EditorRecoveryFiles();
    if (files.empty() || FClosed)
        return;
    QString question =
        tr("前回の終了時に、エディタで保存されていなかった文章を次のファイルに残しました。\r\n") +
        ToDisplayPath(files.front()) +
        tr("\r\n\r\nエディタで開きますか？\r\n"
           "（「いいえ」のときはファイルをそのまま残し、次の起動時にもたずねます。）");
    if (!Dialogs::AskYesNo(this, Dialogs::TIcon::Information, question))
        return;
    Editer1Click();
    FEditor->OpenRecovered(files.front());
}

void TfrmMain::ReadSettings() {
    // Saves interrupted by a kill may have left their temporary files; no save runs yet.
    RemoveDataFileLeftovers();
    RemoveSaveLeftovers(UuRegi::RegisterFolder());
    QSize screen = QGuiApplication::primaryScreen()->size();
    // No file yet is a learner's first start, not a failure: the defaults and a welcome.
    std::error_code error;
    if (!std::filesystem::exists(DataFilePath(), error) && !error) {
        ResetOptions(screen.width(), screen.height());
        QTimer::singleShot(0, this, &TfrmMain::ShowWelcome);
    } else {
        try {
            ReadDataFile(DataFilePath());
        } catch (const std::exception&) {
            Dialogs::ShowError(this, tr("データファイルの読みこみに失敗しました。\r\n"
                                        "設定値や練習記録のデータはすべて初期化されます。"));
            ResetOptions(screen.width(), screen.height());
        }
    }
    RepairOptions(AvailableScreens());
}

// Once the window is up at a learner's first start: what the modes are and where the manual is.
void TfrmMain::ShowWelcome() {
    if (FClosed)
        return;
    Dialogs::ShowInformation(this, WelcomeText());
}

void TfrmMain::RestoreGeometry() {
    setGeometry(OptionRec.MainLeft, OptionRec.MainTop, OptionRec.MainWidth, OptionRec.MainHeight);
    // Lay the window out at its new size first, so that the splitters take the sizes exactly.
    if (layout())
        layout()->activate();
    for (QSplitter* splitter : {ui->Splitter1, ui->Splitter2, ui->Splitter3}) {
        splitter->setStretchFactor(0, 0);
        splitter->setStretchFactor(1, 1);
    }
    PlaceSplitter(*ui->Splitter1, OptionRec.MainPanel2Width);
    PlaceSplitter(*ui->Splitter2, OptionRec.MainListView1Height);
    PlaceSplitter(*ui->Splitter3, OptionRec.MainRichEdit1Height);
}

void TfrmMain::BringToFront() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

// ---- Closing ----

void TfrmMain::EndSession() {
    if (FClosed)
        return;
    FEndingSession = true;
    close();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    FClosed = FormCloseQuery();
    event->setAccepted(FClosed);
}

// Stores the layout and writes Typorin.dat. When the file cannot be written the learner is
// asked whether to quit anyway (unless the session is ending, when nobody can answer); the
// previous file stays whole either way.
bool TfrmMain::FormCloseQuery() {
    // The editor goes first, so that it can ask to save its text; it may stay open. At the
    // end of the session it asks nothing and keeps a modified text in a recovery file.
    if (FEditor) {
        if (FEndingSession)
            FEditor->EndSession();
        else if (!FEditor->close())
            return false;
    }
    // An open records window stores its layout as it closes, before the file is written; so
    // does the analysis window, in the statistics store, which then writes what it holds.
    if (FGraph)
        FGraph->close();
    if (FAnalysis)
        FAnalysis->close();
    EndStatsExercise(false);
    if (FStats)
        FStats->Sync();
    OptionRec.MainListView1Height = ui->Splitter2->sizes().value(0);
    OptionRec.MainPanel2Width = ui->Splitter1->sizes().value(0);
    OptionRec.MainRichEdit1Height = ui->Splitter3->sizes().value(0);
    StoreWindowBounds(*this, OptionRec.MainLeft, OptionRec.MainTop, OptionRec.MainWidth,
                      OptionRec.MainHeight);
    try {
        WriteDataFile(DataFilePath());
    } catch (const std::exception& e) {
        if (FEndingSession)
            return true;
        return Dialogs::AskYesNo(this, Dialogs::TIcon::Error,
                                 tr("データファイルの書き込みに失敗しました。\r\n") +
                                     QString::fromUtf8(e.what()) +
                                     tr("\r\n\r\n保存せずに終了しますか？"));
    }
    return true;
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->ListView2 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsEnter(key->key())) {
            FLoadKey = Qt::Key_Return;
            StartSentence();
            return true;
        }
    } else if (watched == ui->RichEdit2->viewport()) {
        // The middle button would paste the primary selection.
        auto type = event->type();
        if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
             type == QEvent::MouseButtonDblClick) &&
            static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton)
            return true;
    } else if (watched == ui->Label1) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            Label1MouseDown();
            return true;
        case QEvent::MouseMove:
            Label1MouseMove(*static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseButtonRelease:
            Label1MouseUp(*static_cast<QMouseEvent*>(event));
            return true;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Commands ----

// Mode switch: abandons any exercise, checks the chosen mode (an item already checked stays
// as it is) and lays the window out for it.
void TfrmMain::TouchActExecute(QAction* item) {
    StopExercise();
    EndStatsExercise(false);
    if (!item->isChecked())
        item->setChecked(true);
    ApplyMode();
}

void TfrmMain::ApplyMode() {
    const TPracticeMode mode = ui->Part1->isChecked()  ? TPracticeMode::Sequential
                               : ui->All1->isChecked() ? TPracticeMode::Bulk
                                                       : TPracticeMode::Touch;
    const bool touch = mode == TPracticeMode::Touch, bulk = mode == TPracticeMode::Bulk;
    ui->AutoCrLfAct->setEnabled(bulk);
    ui->LineComp1->setEnabled(bulk);
    ui->Panel1->setVisible(bulk);
    ui->PaintBox1->setVisible(touch);
    FMode = mode;
    InstallModeHooks();
    FitKeyboardBox();
    if (touch)
        RelayoutKeyboard();
    ui->RichEdit2->setVisible(!touch);
    if (!touch) {
        ui->StatusBar2->setVisible(true);
        ui->RichEdit1->SetImeMode(TImeMode::Disabled);
    }
    if (bulk)
        SetRulerMarkerColor(Qt::black);
    SetStatus(ui->StatusBar2, 2,
              bulk && ui->LineComp1->isChecked() ? LineCompCaption() : QString());

    ui->Comp1->setEnabled(false);
    OptionRec.ExamMode = static_cast<std::uint8_t>(mode);

    SetStatus(ui->StatusBar1, 0, ModeName(mode));
    SetStatus(ui->StatusBar1, 1, QString());
    SetStatus(ui->StatusBar2, 0, QStringLiteral(" "));
    SetStatus(ui->StatusBar2, 1, QString());
    ResetPanes();
}

// What the panes do with keys and the input method depends on the mode: the example pane takes
// the drill's keys in touch typing only, the typing pane checks every entry in sequential input
// and takes what is typed freely in bulk input.
void TfrmMain::InstallModeHooks() {
    TRichEdit* example = ui->RichEdit1;
    TRichEdit* typed = ui->RichEdit2;
    const bool touch = FMode == TPracticeMode::Touch;
    const bool sequential = FMode == TPracticeMode::Sequential;
    example->OnKeyDown = [this, touch](const QKeyEvent& event) {
        return RichEdit1KeyDown(event) || (touch && RichEdit1TouchKeyDown(event));
    };
    example->OnKeyPress = nullptr;
    example->OnKeyUp = nullptr;
    example->OnImeCommit = nullptr;
    example->OnImeInput = nullptr;
    if (touch) {
        example->OnKeyPress = [this](QChar key) { return RichEdit1KeyPress(key); };
        example->OnKeyUp = [this](const QKeyEvent& event) { RichEdit1KeyUp(event); };
        example->OnImeCommit = [this](const std::string& committed) {
            RichEdit1ImeCommit(committed);
        };
        example->OnImeInput = [this] { RichEdit1ImeInput(); };
    }
    typed->OnKeyDown = [this, sequential](const QKeyEvent& event) {
        if (RichEdit2KeyDown(event))
            return true;
        if (sequential)
            return SequentialKeyDown(event);
        // Bulk input takes every key as typed; an entry starts the exercise.
        if (FRunning) {
            ImeOffKey(*ui->RichEdit2, event);
            if (TypesOrEdits(event))
                StartTyping();
        }
        return false;
    };
    typed->OnKeyPress = nullptr;
    typed->OnMouseDown = nullptr;
    typed->OnImeCommit = [this](const std::string&) { AutoLineFeed(); };
    if (sequential) {
        typed->OnKeyPress = [this](QChar key) { return RichEdit2KeyPress(key); };
        typed->OnMouseDown = [this](const QMouseEvent&) { RichEdit2MouseDown(); };
        typed->OnImeCommit = [this](const std::string& committed) {
            RichEdit2ImeCommit(committed);
        };
    }
}

void TfrmMain::LineCompActExecute() {
    // The action has already toggled its check mark.
    OptionRec.LineComp = ui->LineComp1->isChecked() ? 1 : 0;
    SetStatus(ui->StatusBar2, 2, ui->LineComp1->isChecked() ? LineCompCaption() : QString());
}

void TfrmMain::AutoCrLfActExecute() {
    OptionRec.AutoCrLf = ui->AutoCrLfAct->isChecked() ? 1 : 0;
}

void TfrmMain::HelpActExecute() {
    if (!OpenHelpFile())
        ShowError(tr("ヘルプファイルがありません。"));
}

// The settings dialog, modal; its changes are in the settings as it closes, and the window
// takes them on here.
void TfrmMain::SetOpActExecute() {
    {
        TfrmSetOption dialog(this, FStats.get(), DesktopKeyboardKind());
        dialog.exec();
    }
    ApplyOptions();
    if (FGraph)
        FGraph->RefreshGraphs();
}

// The font sizes and the romaji case of the settings, applied to the panes, the lists, the
// ruler and the keyboard. The panes keep their text, formats and caret; nothing is repainted
// until both have their new font.
void TfrmMain::ApplyOptions() {
    ui->RichEdit1->setUpdatesEnabled(false);
    ui->RichEdit2->setUpdatesEnabled(false);
    FontStep();
    ui->RichEdit1->setUpdatesEnabled(true);
    ui->RichEdit2->setUpdatesEnabled(true);
    SetListFonts();
    FCellWidth = RulerCellWidth(OptionRec.FontSize);
    ui->PaintBox2->update();
    // The drill keeps its place; its next string shows the guide in the case now chosen. The
    // keyboard is laid out and drawn again with its marks.
    FKbClassEx.SetRomajiOptions(RomajiOptionsOf(OptionRec));
    ApplyTouchSettings();
    if (FMode == TPracticeMode::Touch)
        RelayoutKeyboard();
}

void TfrmMain::VersionActExecute() {
    TfrmVersion dialog(this);
    dialog.exec();
}

// Creates the records window when none is open, else shows the open one.
void TfrmMain::GraphActExecute() {
    // A closed window is hidden until its deletion runs: the command then opens a fresh one.
    if (!FGraph || !FGraph->isVisible())
        FGraph = new TfrmGraphJap(this, {ui->Part1->isChecked(), ui->All1->isChecked(),
                                         ui->LineComp1->isChecked(), font().family()});
    FGraph->show();
    FGraph->raise();
    FGraph->activateWindow();
}

// The editor window: created when none is open, else the open one brought to the front. It
// destroys itself when closed, which clears FEditor.
void TfrmMain::Editer1Click() {
    if (!FEditor)
        FEditor = new TfrmEditor(this);
    FEditor->show();
    FEditor->raise();
    FEditor->activateWindow();
}

void TfrmMain::Exit1Click() {
    close();
}
