// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/UfMain.h"

#include "app/UDataFile.h"
#include "app/UKeystrokeTap.h"
#include "compare/UCompKey.h"
#include "dialogs/UfSetOption.h"
#include "dialogs/UfVersion.h"
#include "editor/UfEditor.h"
#include "japanese/UDefineJap.h"
#include "japanese/UPracticeText.h"
#include "platform/Dialogs.h"
#include "platform/FileIo.h"
#include "platform/Fonts.h"
#include "platform/Icons.h"
#include "platform/InputMethod.h"
#include "platform/ProgramFolder.h"
#include "platform/RichEdit.h"
#include "platform/Screens.h"
#include "platform/Shell.h"
#include "platform/ShiftJis.h"
#include "platform/StatusPanel.h"
#include "platform/WindowBounds.h"
#include "records/UfGraphJap.h"
#include "romaji/UuKbClass.h"
#include "ui_UfMain.h"

#include <QAbstractTextDocumentLayout>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>

#include <algorithm>

namespace {

const QString LineCompCaption = QStringLiteral("行ごとに比較");

const QString BannerLine0 = QStringLiteral("求む！　バグ・不具合報告　質問もＯＫ！");
const QString BannerLine1Lead = QStringLiteral("ここをクリック→");

constexpr int MainMinWidth = 520, MainMinHeight = 380;

const QString ReadErrorText = QStringLiteral("文の読み取り中のエラー\r\n");
const QString CompareErrorText =
    QStringLiteral("文字列の比較中にエラーが起きました。\r\n入力できなくなったときは読み込み直して"
                   "ください。");

const QString TouchKeyErrorText = QStringLiteral("入力判定エラー\r\n次の文字列を表示します。");

// Where the example has a line break, only Enter is right.
const QString BreakHintText = QStringLiteral("改行（Enter）を入力してください。");

const QString WelcomeText = QStringLiteral(
    "TYPORIN へようこそ。\r\n\r\n"
    "練習のしかたは三つです。ツールバーか「練習モード」メニューで選びます。\r\n"
    "・タッチタイプ：キーボードの図が次のキーと指を示します。ローマ字のキーを一つずつ打ちます。\r\n"
    "・逐次入力：例文を日本語入力で先頭から入力します。確定するたびに確かめます。\r\n"
    "・一括入力：例文を最後まで自由に入力して、F5 で比べます。\r\n\r\n"
    "左の一覧で文章をクリックすると練習が始まります。\r\n"
    "くわしくは F1 キーでマニュアルを開いてください。");

// Item data of ListView1 and ListView2.
constexpr int FileNameRole = Qt::UserRole;          // ListView1: the file name's bytes
constexpr int EntryDataRole = Qt::UserRole;         // ListView2: the "Idx=" and "LastIdx=" lines
constexpr int CheckedBeforeRole = Qt::UserRole + 1; // ListView2: the check state last seen

// A text longer than this is no practice text (and would take long to read and show).
constexpr std::size_t MaxTextFileBytes = 16 * 1024 * 1024;

// The ruler of bulk input, by text kind: the cell text, the first selectable and the last
// column (which is also the ruler's length in cells).
struct TRulerLimits {
    QString CellText;
    int FirstColumn;
    int LastColumn;
};
const TRulerLimits RulerLimits[] = {{QStringLiteral("あ"), 15, 45}, {QStringLiteral("A"), 20, 90}};

// The composition colours of the typing pane: input, selected clause, converted, target.
const TCompositionColors TypingCompositionColors = {{
    {PaneColors::Black, false, PaneColors::White, true},
    {PaneColors::Black, true, PaneColors::Cyan, false},
    {PaneColors::Black, false, PaneColors::White, true},
    {PaneColors::Black, false, PaneColors::Cyan, true},
}};

// Enter of the main keyboard or of the keypad.
bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Keys by name, as the editing rules name them.
bool IsCtrlAlone(const QKeyEvent& event) {
    return (event.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

// A key whose character goes into the text: no command (Ctrl, Alt, Meta), no control character.
bool IsPrintableKey(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    QString text = event.text();
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() != 0x7f;
    });
}

// A key that can change the typed text: a character, Enter, Tab, Backspace or Delete, none of
// them with Ctrl, Alt or Meta. Modifiers alone, Escape, function keys, the arrows and menu
// accelerators change nothing.
bool TypesOrEdits(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        return true;
    case Qt::Key_Escape:
        return false;
    default:
        return IsPrintableKey(event);
    }
}

// Keys that edit or move the focus; their characters ("\b", "\x7f", "\t") are never keys of
// the drill.
bool IsEditingKey(int key) {
    return key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Tab ||
           key == Qt::Key_Backtab;
}

// A character as the drill takes it: ASCII letters in upper case, whatever the shift state. A
// character beyond ASCII is a key of no spelling; it comes as 0x80, which no key has.
char DrillKey(QChar c) {
    char16_t code = c.unicode();
    if (code >= 0x80)
        return static_cast<char>(0x80);
    char key = static_cast<char>(code);
    return key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key;
}

// An event filter that a function decides.
class TEventHook : public QObject {
public:
    explicit TEventHook(std::function<bool(QObject*, QEvent*)> filter)
        : FFilter(std::move(filter)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return FFilter(watched, event); }

private:
    std::function<bool(QObject*, QEvent*)> FFilter;
};

QString ToDisplayPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

std::filesystem::path FromDisplayPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

std::vector<std::string> EntryData(const QTreeWidgetItem* item) {
    std::vector<std::string> data;
    for (const QString& line : item->data(0, EntryDataRole).toStringList())
        data.push_back(line.toStdString());
    return data;
}

} // namespace

// ---- Start-up and closing ----

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::TfrmMain>()) {
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
    ui->Help2->setIcon(ProgramIcon(QStringLiteral("help")));
    CreateActions();
    CreateStatusBars();
    ConnectHandlers();
    FormCreate();
}

TfrmMain::~TfrmMain() {
    FKbClassEx.DoneDrill();
}

void TfrmMain::CreateActions() {
    auto* modes = new QActionGroup(this);
    modes->setExclusive(true);
    for (QAction* item : {ui->Touch1, ui->Part1, ui->All1})
        modes->addAction(item);

    // The menu separators and the tool bar's buttons carry the names of their places.
    int separator = 0;
    const char* separatorNames[] = {"N1", "N2", "N3", "N5"};
    for (QMenu* menu : {ui->File1, ui->ExamMode1, ui->Show1})
        for (QAction* action : menu->actions())
            if (action->isSeparator())
                action->setObjectName(separatorNames[separator++]);
    int button = 0;
    for (QAction* action : ui->ToolBar1->actions())
        if (QWidget* widget = ui->ToolBar1->widgetForAction(action))
            widget->setObjectName(QStringLiteral("ToolButton%1").arg(++button));

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
    typed->OnImeCommit = [this](const std::string& committed) { RichEdit2ImeCommit(committed); };
    typed->OnImeInput = [this] { RichEdit2ImeInput(); };
    typed->OnKeyDown = [this](const QKeyEvent& event) { return RichEdit2KeyDown(event); };
    typed->OnKeyPress = [this](QChar key) { return RichEdit2KeyPress(key); };
    typed->OnKeyUp = [this](const QKeyEvent&) { RichEdit2KeyUp(); };
    typed->OnMouseDown = [this](const QMouseEvent&) { RichEdit2MouseDown(); };
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

    QAction* modeItems[] = {ui->Touch1, ui->Part1, ui->All1};
    if (OptionRec.ExamMode <= AllMode)
        TouchActExecute(modeItems[OptionRec.ExamMode]);

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
        QStringLiteral(
            "前回の終了時に、エディタで保存されていなかった文章を次のファイルに残しました。\r\n") +
        ToDisplayPath(files.front()) +
        QStringLiteral("\r\n\r\nエディタで開きますか？\r\n"
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
            Dialogs::ShowError(this,
                               QStringLiteral("データファイルの読みこみに失敗しました。\r\n"
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
    Dialogs::ShowInformation(this, WelcomeText);
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
    auto place = [](QSplitter* splitter, int first) {
        int total =
            splitter->orientation() == Qt::Horizontal ? splitter->width() : splitter->height();
        total -= splitter->handleWidth();
        splitter->setSizes({first, std::max(0, total - first)});
    };
    place(ui->Splitter1, OptionRec.MainPanel2Width);
    place(ui->Splitter2, OptionRec.MainListView1Height);
    place(ui->Splitter3, OptionRec.MainRichEdit1Height);
}

void TfrmMain::BringToFront() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

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
    // An open records window stores its layout as it closes, before the file is written.
    if (FGraph)
        FGraph->close();
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
                                 QStringLiteral("データファイルの書き込みに失敗しました。\r\n") +
                                     QString::fromUtf8(e.what()) +
                                     QStringLiteral("\r\n\r\n保存せずに終了しますか？"));
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

// ---- Registers, sentences and text files ----

// ListView1 := the register files of TextFolder, sorted by name.
void TfrmMain::ListRegisters() {
    ui->ListView1->clear();
    std::filesystem::path folder = UuRegi::RegisterFolder();
    std::optional<std::vector<std::filesystem::path>> files;
    try {
        files = UuRegi::TRegi::ListFiles(folder);
    } catch (const std::exception& e) {
        ShowError(QString::fromUtf8(e.what()));
        return;
    }
    if (!files) {
        ShowError(UuRegi::MissingFolderMessage(folder));
        return;
    }
    ShowRegisters(*files);
}

void TfrmMain::ShowRegisters(const std::vector<std::filesystem::path>& files) {
    ui->ListView1->clear();
    for (const std::filesystem::path& file : files) {
        auto* item = new QTreeWidgetItem(ui->ListView1, {ToDisplayPath(file)});
        item->setData(0, FileNameRole, QByteArray::fromStdString(file.string()));
    }
    ui->ListView1->sortItems(0, Qt::AscendingOrder);
}

// A register chosen: its sentences fill ListView2; none of them is started yet.
void TfrmMain::ListView1SelectItem() {
    // A register gone since the list was made: the lists are brought up to date instead.
    if (std::optional<std::filesystem::path> file = SelectedRegister();
        file && !std::filesystem::exists(*file)) {
        RegistersChanged();
        return;
    }
    ui->RichEdit1->Clear();
    ui->RichEdit2->Clear();
    FontStep();
    StopExercise();
    ui->ListView2->clear();
    FTitle.clear();
    std::filesystem::path folder = UuRegi::RegisterFolder();
    if (!std::filesystem::is_directory(folder)) {
        ShowError(UuRegi::MissingFolderMessage(folder));
        return;
    }
    QList<QTreeWidgetItem*> selected = ui->ListView1->selectedItems();
    if (selected.isEmpty())
        return;
    try {
        std::filesystem::path file =
            folder / selected.front()->data(0, FileNameRole).toByteArray().toStdString();
        FTextPath = ToDisplayPath(file);
        ListSentences(UuRegi::TRegi::LoadEntries(file));
        SetCaption();
        SetStatus(ui->StatusBar1, 0, ModeName(FMode));
        SetStatus(ui->StatusBar1, 1, QString());
        SetStatus(ui->StatusBar2, 0,
                  FMode == TouchMode ? TouchCountersText(0, 0, 0) : std::string(" "));
        SetStatus(ui->StatusBar2, 1, QString());
        if (ui->ListView2->topLevelItemCount() > 0)
            ui->ListView2->setCurrentItem(ui->ListView2->topLevelItem(0));
    } catch (const std::exception& e) {
        ShowError(ReadErrorText + QString::fromUtf8(e.what()));
        FTextPath.clear();
    }
}

// ListView2 := the sentences of a register, unseen by the handler of its check marks.
void TfrmMain::ListSentences(const std::vector<UuRegi::TEntryItem>& entries) {
    QSignalBlocker blocker(ui->ListView2);
    ui->ListView2->clear();
    for (const UuRegi::TEntryItem& entry : entries) {
        auto* item = new QTreeWidgetItem(ui->ListView2, {ShiftJis::ToQString(entry.Caption)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, entry.Checked ? Qt::Checked : Qt::Unchecked);
        item->setData(0, CheckedBeforeRole, entry.Checked);
        QStringList data;
        for (const std::string& line : entry.Data)
            data << QString::fromStdString(line);
        item->setData(0, EntryDataRole, data);
    }
}

// The register selected in ListView1, in the register folder; none when none is selected.
std::optional<std::filesystem::path> TfrmMain::SelectedRegister() const {
    QList<QTreeWidgetItem*> selected = ui->ListView1->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return UuRegi::RegisterFolder() /
           selected.front()->data(0, FileNameRole).toByteArray().toStdString();
}

// The lists as the register folder is now, after a change the folder watch saw (a register
// created, written or deleted by the editor or another program). The register and the sentence
// selected stay selected while they exist; a register that is gone takes its sentences with it.
// The exercise goes on: its text is loaded already. A folder that cannot be read leaves the
// lists as they are, for the next change or click to try again.
void TfrmMain::RegistersChanged() {
    std::optional<std::filesystem::path> selected = SelectedRegister();
    std::optional<std::vector<std::filesystem::path>> files;
    try {
        files = UuRegi::TRegi::ListFiles(UuRegi::RegisterFolder());
    } catch (const std::exception&) {
        return;
    }
    QStringList names;
    for (const std::filesystem::path& file : files.value_or(std::vector<std::filesystem::path>{}))
        names << ToDisplayPath(file);
    names.sort();
    QStringList shown;
    for (int i = 0; i < ui->ListView1->topLevelItemCount(); ++i)
        shown << ui->ListView1->topLevelItem(i)->text(0);
    if (names != shown) {
        QSignalBlocker blocker(ui->ListView1);
        ShowRegisters(files.value_or(std::vector<std::filesystem::path>{}));
        for (int i = 0; selected && i < ui->ListView1->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = ui->ListView1->topLevelItem(i);
            if (item->data(0, FileNameRole).toByteArray().toStdString() ==
                selected->filename().string())
                ui->ListView1->setCurrentItem(item);
        }
    }
    if (!selected)
        return;
    if (!SelectedRegister()) {
        QSignalBlocker blocker(ui->ListView2);
        ui->ListView2->clear();
        return;
    }
    std::vector<UuRegi::TEntryItem> entries;
    try {
        entries = UuRegi::TRegi::LoadEntries(*selected);
    } catch (const std::exception&) {
        return;
    }
    if (SameSentences(entries))
        return;
    // The sentence selected before: the one of the same title nearest to its row.
    QTreeWidgetItem* current = ui->ListView2->currentItem();
    const int row = current ? ui->ListView2->indexOfTopLevelItem(current) : -1;
    const QString title = current ? current->text(0) : QString();
    ListSentences(entries);
    int best = -1;
    for (int i = 0; current && i < ui->ListView2->topLevelItemCount(); ++i)
        if (ui->ListView2->topLevelItem(i)->text(0) == title &&
            (best < 0 || std::abs(i - row) < std::abs(best - row)))
            best = i;
    if (best >= 0) {
        QSignalBlocker blocker(ui->ListView2);
        ui->ListView2->setCurrentItem(ui->ListView2->topLevelItem(best));
    }
}

// Whether ListView2 shows `entries` as they are: titles, check marks and lines.
bool TfrmMain::SameSentences(const std::vector<UuRegi::TEntryItem>& entries) const {
    if (static_cast<int>(entries.size()) != ui->ListView2->topLevelItemCount())
        return false;
    for (int i = 0; i < ui->ListView2->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = ui->ListView2->topLevelItem(i);
        const UuRegi::TEntryItem& entry = entries[static_cast<std::size_t>(i)];
        if (item->text(0) != ShiftJis::ToQString(entry.Caption) ||
            (item->checkState(0) == Qt::Checked) != entry.Checked || EntryData(item) != entry.Data)
            return false;
    }
    return true;
}

// A sentence ticked or unticked: the mark is written into its header line in the register.
void TfrmMain::ListView2Change(QTreeWidgetItem* item) {
    bool checked = item->checkState(0) == Qt::Checked;
    FCheckedBefore = item->data(0, CheckedBeforeRole).toBool();
    if (checked == FCheckedBefore || item->data(0, EntryDataRole).toStringList().isEmpty())
        return;
    QList<QTreeWidgetItem*> registers = ui->ListView1->selectedItems();
    try {
        if (registers.isEmpty())
            throw std::runtime_error("no register is selected");
        std::filesystem::path file =
            UuRegi::RegisterFolder() /
            registers.front()->data(0, FileNameRole).toByteArray().toStdString();
        UuRegi::WriteCheckMark(file, UuRegi::IntValue(EntryData(item), "Idx"), checked);
        QSignalBlocker blocker(ui->ListView2);
        item->setData(0, CheckedBeforeRole, checked);
    } catch (const std::exception& e) {
        // The file is as it was; so is the mark shown.
        {
            QSignalBlocker blocker(ui->ListView2);
            item->setCheckState(0, FCheckedBefore ? Qt::Checked : Qt::Unchecked);
        }
        ShowError(QStringLiteral("チェックマークを書きこめませんでした。\r\n") +
                  QString::fromUtf8(e.what()) +
                  QStringLiteral("\r\n登録ファイルを読みこみなおして表示を更新してください。"));
    }
}

// The sentence selected in ListView2 becomes the practice text (a click there, or Enter).
void TfrmMain::StartSentence() {
    FBannerShown = false;
    QList<QTreeWidgetItem*> registers = ui->ListView1->selectedItems();
    QList<QTreeWidgetItem*> sentences = ui->ListView2->selectedItems();
    if (registers.isEmpty() || sentences.isEmpty())
        return;
    try {
        std::filesystem::path file =
            UuRegi::RegisterFolder() /
            registers.front()->data(0, FileNameRole).toByteArray().toStdString();
        std::vector<std::string> data = EntryData(sentences.front());
        FRegi.ReadSentence(UuRegi::IntValue(data, "Idx"), UuRegi::IntValue(data, "LastIdx"), file);
        if (FMode == TouchMode)
            StartTouchDrill(ToDisplayPath(file), FRegi.Title, FRegi.Text);
        else
            LoadText(ToDisplayPath(file), FRegi.Title, FRegi.Text);
        ui->RichEdit1->setFocus();
    } catch (const std::exception& e) {
        ShowError(ReadErrorText + QString::fromUtf8(e.what()) +
                  QStringLiteral("\r\n登録ファイルを読みこみなおして表示を更新してください。"));
        ui->ListView2->clear();
        StopExercise();
        SetCaption();
    }
}

// Any text file as the practice text.
void TfrmMain::FileOpen1Execute() {
    FBannerShown = false;
    // The dialog is mostly closed with Enter, which may still be held when the text is loaded.
    FLoadKey = Qt::Key_Return;
    Dialogs::TFileDialogOptions options;
    options.Folder = QString::fromStdString(ProgramFolder().string());
    options.Filter = QStringLiteral("テキストファイル (*.txt)");
    options.DefaultSuffix = QStringLiteral("txt");
    QString path = Dialogs::AskOpenFileName(this, options);
    if (path.isEmpty())
        return;
    std::string text;
    try {
        std::string bytes = ReadWholeFile(FromDisplayPath(path), MaxTextFileBytes);
        text = ShiftJis::JoinLines(ShiftJis::SplitLines(ShiftJis::FromTextFile(bytes)));
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("ファイルを読みこめませんでした。\r\n") +
                  QString::fromUtf8(e.what()));
        return;
    }
    FTextPath = path;
    if (FMode == TouchMode)
        StartTouchDrill(path, std::string(), text);
    else
        LoadText(path, std::string(), text);
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

// Lists the registers again, as they are on disk now.
void TfrmMain::Refresh1Click() {
    {
        QSignalBlocker blocker(ui->ListView1);
        ui->ListView1->clear();
    }
    ui->ListView2->clear();
    ui->RichEdit1->Clear();
    ui->RichEdit2->Clear();
    StopExercise();
    ListRegisters();
}

// Makes `text` the practice text of sequential or bulk input and arms the exercise.
void TfrmMain::LoadText(const QString& path, const std::string& title, const std::string& text) {
    FTextPath = path;
    FTitle = title;
    TPracticeText practice = MakePracticeText(text);
    FSingleByte = practice.SingleByte ? 1 : 0;
    ResetPanes();
    FPracticeText = practice.Text;

    ui->RichEdit1->setUpdatesEnabled(false);
    if (FMode == AllMode)
        Rewrap();
    else
        ui->RichEdit1->SetText(ShiftJis::FromUtf16(FPracticeText));
    ui->RichEdit1->setUpdatesEnabled(true);
    // A text of one line leaves the document as high as the empty one was, so no change of
    // its size reports the line height.
    UpdateLineHeight();

    TTextCounts counts = CountText(FPracticeText, ui->RichEdit1->Text(), FSingleByte != 0);
    FCharCount = counts.CharCount;
    FKanjiCount = counts.KanjiCount;

    SetCaption();
    SetStatus(ui->StatusBar1, 0, ModeName(FMode));
    // A text longer than practice takes says so where the result will show.
    SetStatus(ui->StatusBar1, 1, CutNotice(practice));
    FImeHintShown = false;
    FBreakHintShown = false;
    FRunning = true;
    FLoadKeyHeld = true;
    SetStatus(ui->StatusBar2, 0, TextInformationText(FSingleByte != 0, counts));
    SetStatus(ui->StatusBar2, 1, TimeAndKeysText(0, 0));
    ui->RichEdit2->SetImeMode(FSingleByte ? TImeMode::Closed : TImeMode::Hiragana);
    if (FMode == AllMode)
        SetRulerMarkerColor(Qt::black);
    ui->RichEdit2->SetCompositionColors(TypingCompositionColors);
    ui->RichEdit1->setFocus();
}

void TfrmMain::SetCaption() {
    setWindowTitle(QStringLiteral("TYPORIN  ") + FTextPath + QStringLiteral("  ") +
                   ShiftJis::ToQString(FTitle));
}

// ---- Commands ----

// Mode switch: abandons any exercise, checks the chosen mode (an item already checked stays
// as it is) and lays the window out for it.
void TfrmMain::TouchActExecute(QAction* item) {
    StopExercise();
    if (!item->isChecked())
        item->setChecked(true);
    ApplyMode();
}

void TfrmMain::ApplyMode() {
    int mode = ui->Part1->isChecked() ? PartMode : ui->All1->isChecked() ? AllMode : TouchMode;
    bool bulk = mode == AllMode;
    ui->AutoCrLfAct->setEnabled(bulk);
    ui->LineComp1->setEnabled(bulk);
    ui->Panel1->setVisible(bulk);
    ui->PaintBox1->setVisible(mode == TouchMode);
    FMode = mode;
    FitKeyboardBox();
    if (mode == TouchMode)
        RelayoutKeyboard();
    ui->RichEdit2->setVisible(mode != TouchMode);
    if (mode != TouchMode) {
        ui->StatusBar2->setVisible(true);
        ui->RichEdit1->SetImeMode(TImeMode::Disabled);
    }
    if (bulk)
        SetRulerMarkerColor(Qt::black);
    SetStatus(ui->StatusBar2, 2, bulk && ui->LineComp1->isChecked() ? LineCompCaption : QString());

    ui->Comp1->setEnabled(false);
    OptionRec.ExamMode = static_cast<std::uint8_t>(mode);

    SetStatus(ui->StatusBar1, 0, ModeName(mode));
    SetStatus(ui->StatusBar1, 1, QString());
    SetStatus(ui->StatusBar2, 0, QStringLiteral(" "));
    SetStatus(ui->StatusBar2, 1, QString());
    ResetPanes();
}

void TfrmMain::LineCompActExecute() {
    // The action has already toggled its check mark.
    OptionRec.LineComp = ui->LineComp1->isChecked() ? 1 : 0;
    SetStatus(ui->StatusBar2, 2, ui->LineComp1->isChecked() ? LineCompCaption : QString());
}

void TfrmMain::AutoCrLfActExecute() {
    OptionRec.AutoCrLf = ui->AutoCrLfAct->isChecked() ? 1 : 0;
}

void TfrmMain::HelpActExecute() {
    if (!OpenHelpFile())
        ShowError(QStringLiteral("ヘルプファイルがありません。"));
}

// The settings dialog, modal; its changes are in the settings as it closes, and the window
// takes them on here.
void TfrmMain::SetOpActExecute() {
    {
        TfrmSetOption dialog(this);
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
    // The keyboard is laid out and drawn again with its marks; the drill keeps its place, and
    // its next string shows the guide in the case now chosen.
    if (FMode == TouchMode)
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

void TfrmMain::Exit1Click() {
    close();
}

// ---- The steps the commands share ----

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
    if (FMode == AllMode) {
        FWrapCol = FSingleByte ? OptionRec.WrapColEn : OptionRec.WrapColJp;
        FCellWidth = RulerCellWidth(OptionRec.FontSize);
        PlaceRulerMarker();
        ui->PaintBox2->update();
    }
    TRichEdit* example = ui->RichEdit1;
    example->SetShowBreaks(FMode == PartMode);
    if (FMode == TouchMode) {
        example->SetWordWrap(false);
        example->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        example->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    } else {
        example->SetWordWrap(FMode == PartMode);
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
    if (FMode == TouchMode) {
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

// Two lines in the example pane asking for bug reports, the second ending in the mail address.
void TfrmMain::ShowBanner() {
    TRichEdit* pane = ui->RichEdit1;
    std::string lead =
        ShiftJis::FromQString(BannerLine0 + QStringLiteral("\r\n") + BannerLine1Lead);
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
    std::string line1 = ShiftJis::FromQString(BannerLine1Lead + AuthorMailAddress);
    int start =
        pane->LineStart(1) + static_cast<int>(ShiftJis::FromQString(BannerLine1Lead).size());
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
    if (FMode == TouchMode)
        RichEdit1TouchMouseDown();
}

// ---- Time and keystrokes ----

void TfrmMain::Timer1Timer() {
    ++FSeconds;
    if (FMode == TouchMode)
        SetStatus(ui->StatusBar2, 0, TouchCountersText(FSeconds, FKeyCount, FTouchMisses));
    else
        SetStatus(ui->StatusBar2, 1, TimeAndKeysText(FSeconds, FKeyCount));
}

// Time is counted from the first key down of an armed exercise.
void TfrmMain::StartTimer() {
    if (!Timer1.isActive())
        Timer1.start();
}

void TfrmMain::StartTyping() {
    StartTimer();
    if (FMode == AllMode) {
        // The first entry locks the ruler and allows the comparison.
        if (!RulerLocked())
            SetRulerMarkerColor(Qt::red);
        if (!ui->Comp1->isEnabled())
            ui->Comp1->setEnabled(true);
    }
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

void TfrmMain::ShowBreakHint() {
    SetStatus(ui->StatusBar1, 1, BreakHintText);
    FBreakHintShown = true;
    FImeHintShown = false;
}

void TfrmMain::ClearBreakHint() {
    if (!FBreakHintShown)
        return;
    FBreakHintShown = false;
    if (StatusPanel(ui->StatusBar1, 1)->Text() == BreakHintText)
        SetStatus(ui->StatusBar1, 1, QString());
}

void TfrmMain::ClearImeHint() {
    if (!FImeHintShown)
        return;
    FImeHintShown = false;
    SetStatus(ui->StatusBar1, 1, QString());
}

void TfrmMain::CountKeystrokes(QWidget* pane, int strokes) {
    QWidget* typing = FMode == TouchMode ? static_cast<QWidget*>(ui->RichEdit1) : ui->RichEdit2;
    if (!FRunning || pane != typing)
        return;
    FKeyCount = std::max(0, FKeyCount + strokes);
    if (FMode == TouchMode)
        SetStatus(ui->StatusBar2, 0, TouchCountersText(FSeconds, FKeyCount, FTouchMisses));
    else
        SetStatus(ui->StatusBar2, 1, TimeAndKeysText(FSeconds, FKeyCount));
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

// ---- Touch typing ----

// The drill and the keyboard it marks, the hooks of the example pane that touch typing uses,
// and the filter that gives the drill every character typed in the window.
void TfrmMain::CreateTouchTyping() {
    FKbClassEx.InitDrill(*ui->RichEdit1, *this);
    FKbClass = new TKbClass(this);
    QFont keyboardFont(ProportionalFontFace);
    keyboardFont.setPixelSize(12);
    ui->PaintBox1->setFont(keyboardFont);
    FKbClass->SetPaintBox(ui->PaintBox1);
    RelayoutKeyboard();
    // The keyboard's canvas covers the paint box whole, so nothing need be drawn below it.
    ui->PaintBox1->setAttribute(Qt::WA_OpaquePaintEvent);
    ui->PaintBox1->OnPaint = [this](QPainter& painter) { PaintBox1Paint(painter); };
    ui->PaintBox1->OnResize = [this] { FormResize(); };
    FitKeyboardBox();

    TRichEdit* example = ui->RichEdit1;
    example->OnKeyDown = [this](const QKeyEvent& event) { return RichEdit1KeyDown(event); };
    example->OnKeyPress = [this](QChar key) { return RichEdit1KeyPress(key); };
    example->OnKeyUp = [this](const QKeyEvent& event) { RichEdit1KeyUp(event); };
    example->OnImeCommit = [this](const std::string& committed) { RichEdit1ImeCommit(committed); };
    example->OnImeInput = [this] { RichEdit1ImeInput(); };

    FTouchKeyFilter = std::make_unique<TEventHook>([this](QObject* watched, QEvent* event) {
        return HeldLoadKeyFilter(watched, event) || TouchKeyFilter(watched, event);
    });
    qApp->installEventFilter(FTouchKeyFilter.get());
}

void TfrmMain::StartTouchDrill(const QString& path, const std::string& title,
                               const std::string& text) {
    FTextPath = path;
    FTitle = title;
    ResetPanes();
    FKbClassEx.LoadText(text);
    FKbClassEx.ShowString();
    MarkTouchKeys();
    // A text of empty lines has no string to type: nothing is armed.
    bool any = !FKbClassEx.Lines().empty();
    FKbClassEx.SetActive(any);
    if (FKbClassEx.NextKeyChar() == 0)
        FKbClass->UnmarkKey(0);
    ui->RichEdit1->SetImeMode(FKbClassEx.KanaStep() ? TImeMode::Hiragana : TImeMode::Disabled);

    FRunning = any;
    FLoadKeyHeld = true;
    Timer1.stop();
    FSeconds = 0;
    FKeyCount = 0;
    FTouchMisses = 0;
    SetCaption();
    SetStatus(ui->StatusBar2, 0, TouchCountersText(0, 0, 0));
    SetStatus(ui->StatusBar2, 1, QString());
    ui->RichEdit1->setFocus();
}

// The drill's part of the stop step: it takes no more keys, the keyboard marks none and the
// example pane takes no input.
void TfrmMain::StopTouchDrill() {
    if (FKbClassEx.Active()) {
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
    if (event->type() != QEvent::KeyPress || FMode != TouchMode)
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
    for (QChar c : key->text())
        FormKeyPress(c);
    return true;
}

// A key held down while a text loads (Enter in the sentence list or the file dialog, or any key
// held across a click) goes on repeating into the exercise the load armed. Its repeats are no
// entries: they are swallowed until another key is pressed. Some X servers send a held key's
// repeats as plain presses and releases, so the key that loaded the text is swallowed whether
// it comes flagged as a repeat or not; no exercise begins with it (at its start Enter is a
// wrong key, or an empty line).
bool TfrmMain::HeldLoadKeyFilter(QObject* watched, QEvent* event) {
    if (!FLoadKeyHeld || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat() || (FLoadKey == Qt::Key_Return && IsEnter(key->key())))
        return true;
    if (event->type() == QEvent::KeyPress)
        FLoadKeyHeld = false;
    return false;
}

// One character typed in touch typing, judged by the drill.
void TfrmMain::FormKeyPress(QChar key) {
    if (FMode != TouchMode || !FKbClassEx.Active())
        return;
    try {
        char c = DrillKey(key);
        FKbClassEx.KeyPress(c);
        if (FKbClassEx.WrongChar() != 0)
            ++FTouchMisses;
        MarkTouchKeys();
        SetStatus(ui->StatusBar2, 0, TouchCountersText(FSeconds, FKeyCount, FTouchMisses));
        if (!FKbClassEx.Active())
            TouchDrillEnded();
    } catch (const std::exception&) {
        TouchDrillFailed();
    }
}

// A key could not be judged: the learner is told, and the drill goes on with the next string.
void TfrmMain::TouchDrillFailed() {
    ShowError(TouchKeyErrorText);
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

// After the last string: the keystroke speed.
void TfrmMain::TouchDrillEnded() {
    FRunning = false;
    SetStatus(ui->StatusBar2, 1, TouchSpeedText(FKeyCount, FSeconds));
}

void TfrmMain::MarkTouchKeys() {
    FKbClass->MarkKeys(FKbClassEx.NextKeyChar(), FKbClassEx.WrongChar());
    FKbClassEx.RefreshGuide();
}

// Editing keys of the example pane; true swallows the key. Outside touch typing the pane is
// read only and passes the focus on, so only the first rules matter there.
bool TfrmMain::RichEdit1KeyDown(const QKeyEvent& event) {
    TRichEdit* pane = ui->RichEdit1;
    int key = event.key();
    bool ctrlAlone = IsCtrlAlone(event);
    if (ctrlAlone && key == Qt::Key_C)
        return true;
    // Nothing is pasted or cut while Ctrl is held; the key up opens the kana step's input again.
    if (ctrlAlone)
        pane->SetReadOnly(true);
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
        break;
    }
    if (FMode != TouchMode)
        return false;
    // The kana step takes kana from the input method only: a key it let through is no entry.
    if (FRunning && FKbClassEx.KanaStep() && ImeOffKey(*pane, event))
        return true;
    if (FRunning)
        StartTimer();
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

// A character typed into the example pane: in touch typing the drill's, never the pane's. The
// editing keys that the key-down rules let through (Backspace and Delete on the input line of
// the kana step) keep their work; Tab is dropped.
bool TfrmMain::RichEdit1KeyPress(QChar key) {
    if (FMode != TouchMode)
        return false;
    if (key == QLatin1Char('\b') || key == QChar(0x7f))
        return false;
    if (key != QLatin1Char('\t'))
        FormKeyPress(key);
    return true;
}

void TfrmMain::RichEdit1KeyUp(const QKeyEvent& event) {
    // A held key repeats its presses but is released once.
    if (FMode != TouchMode || event.isAutoRepeat())
        return;
    if (FKbClassEx.Active() && FKbClassEx.KanaStep())
        ui->RichEdit1->SetReadOnly(false);
}

// The input method committed a string into the kana step's input line.
void TfrmMain::RichEdit1ImeCommit(const std::string& committed) {
    if (FMode != TouchMode)
        return;
    try {
        if (!committed.empty())
            FKbClassEx.KanaCheck();
        if (!ui->RichEdit1->HasComposition())
            ui->RichEdit1->CancelComposition();
    } catch (const std::exception& e) {
        ShowError(QString::fromUtf8(e.what()) + QStringLiteral("\r\n") + CompareErrorText);
    }
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
    if (FMode != TouchMode)
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
    if (FMode == TouchMode)
        RelayoutKeyboard();
}

// The keyboard's paint box no larger than the keyboard it shows: at most MaxKeyUnit wide per
// key, centred, and no higher than the keyboard at its width. A larger window gives the rest of
// its height to the example.
void TfrmMain::FitKeyboardBox() {
    TPaintBox* box = ui->PaintBox1;
    const int widest = 14 * MaxKeyUnit + 13;
    box->setMaximumWidth(widest);
    box->setMaximumHeight(KeyboardHeight(LayoutKeyboard(std::min(box->width(), widest))));
    // The splitter sees the pane's own limit, not its layout's: the typing pane of the other
    // modes has none.
    ui->InputPanel->setMaximumHeight(FMode == TouchMode ? box->maximumHeight() : QWIDGETSIZE_MAX);
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

// ---- Sequential input ----

// A string the input method committed into the typing pane, which already holds it.
void TfrmMain::RichEdit2ImeCommit(const std::string& committed) {
    AutoLineFeed();
    if (!FRunning || FMode != PartMode)
        return;
    try {
        if (!committed.empty()) {
            FImeResult = committed;
            if (FCompPart.CheckCommit(FImeResult, FSingleByte))
                ClearBreakHint();
            else if (FCompPart.BreakExpected())
                ShowBreakHint();
            EndCheck();
        }
        if (!ui->RichEdit2->HasComposition())
            ui->RichEdit2->CancelComposition();
    } catch (const std::exception& e) {
        ShowError(QString::fromUtf8(e.what()) + QStringLiteral("\r\n") + CompareErrorText);
    }
}

// The input method composes in the kana step: time is counted from its first event, as from a
// key down.
void TfrmMain::RichEdit1ImeInput() {
    if (FMode != TouchMode || !FRunning || !FKbClassEx.KanaStep())
        return;
    ClearImeHint();
    StartTimer();
}

// The input method took a key in the typing pane, which then sees no key down.
void TfrmMain::RichEdit2ImeInput() {
    if (!FRunning || FMode == TouchMode)
        return;
    ClearImeHint();
    StartTyping();
}

// Editing keys of the typing pane, in sequential and bulk input; true swallows the key.
bool TfrmMain::RichEdit2KeyDown(const QKeyEvent& event) {
    int key = event.key();
    bool ctrlAlone = IsCtrlAlone(event);
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
    if (!FRunning)
        return false;
    // A Japanese text is typed through the input method. Sequential input checks what it
    // commits, so a key it let through is no entry; bulk input takes it as typed.
    if (ImeOffKey(*ui->RichEdit2, event) && FMode == PartMode)
        return true;
    if (FMode == PartMode) {
        // Sequential input goes from the start to the end: no correction, no caret movement.
        switch (key) {
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
    }
    // A key with Ctrl, Alt or Meta is a command, never an entry of the text; in sequential
    // input it is swallowed.
    if (TypesOrEdits(event))
        StartTyping();
    return FMode == PartMode &&
           (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
}

// A character typed in sequential input; true swallows it. An accepted character of an
// English text is inserted here, so that the end check sees it.
bool TfrmMain::RichEdit2KeyPress(QChar key) {
    if (FMode != PartMode || !FRunning)
        return false;
    TRichEdit* example = ui->RichEdit1;
    TRichEdit* typed = ui->RichEdit2;
    if (example->TextLength() < typed->TextLength())
        return false;
    int pos = typed->SelStart();
    std::string text = example->Text();
    char expected = pos < static_cast<int>(text.size()) ? text[static_cast<std::size_t>(pos)] : 0;
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
    if (c > 0 && c < 32 && c != '\r' && c != '\t')
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

void TfrmMain::RichEdit2MouseDown() {
    if (FMode == PartMode && FRunning)
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
    std::optional<std::string> result =
        RecordSequentialExercise(ExerciseState(), FCompPart.TypedCount, FCompPart.ErrorCount);
    if (result)
        SetStatus(ui->StatusBar1, 1, *result);
}

// ---- Bulk input ----

void TfrmMain::CompActExecute() {
    if (!FRunning)
        return;
    StopExercise();
    ui->Comp1->setEnabled(false);
    try {
        if (ui->LineComp1->isChecked())
            CompareLines();
        else
            CompareWhole();
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("比較できませんでした。\r\n") + QString::fromUtf8(e.what()));
    }
}

void TfrmMain::CompareWhole() {
    std::string example = ShiftJis::TrimRight(ui->RichEdit1->Text());
    std::string typed = ShiftJis::TrimRight(ui->RichEdit2->Text());
    TCompClass comparer;
    comparer.Compare(static_cast<CompMode>(FSingleByte), example, typed);
    MarkDifferences(comparer.RsltList(), true);
    TBulkCounts counts{comparer.ExampleCount(), comparer.InputCount(), comparer.MissCount(),
                       comparer.ExtraCount()};
    SetStatus(ui->StatusBar1, 1, RecordBulkExercise(ExerciseState(), counts, false));
}

// Typos and omissions red in the example, extra units blue in the typed text.
void TfrmMain::MarkDifferences(const std::vector<TRsltItem>& items, bool underline) {
    TPaneUpdate exampleUpdate(*ui->RichEdit1), typedUpdate(*ui->RichEdit2);
    for (const TRsltItem& item : items) {
        if (item.Kind != RsltKindExample && item.Kind != RsltKindInput)
            continue;
        TRichEdit* pane = item.Kind == RsltKindExample ? ui->RichEdit1 : ui->RichEdit2;
        pane->Select(item.Pos, static_cast<int>(item.Str.size()));
        pane->SetSelColor(item.Kind == RsltKindExample ? PaneColors::Red : PaneColors::Blue);
        TFontStyles styles;
        styles.Bold = true;
        styles.Underline = underline;
        pane->SetSelStyle(styles);
        pane->SetSelLength(0);
    }
}

void TfrmMain::CompareLines() {
    TRichEdit* example = ui->RichEdit1;
    TRichEdit* typed = ui->RichEdit2;
    TPaneUpdate exampleUpdate(*example), typedUpdate(*typed);
    // The typed text as the learner saw it: every displayed line a line of its own.
    std::string hardLines;
    for (int i = 0; i < typed->LineCount(); ++i)
        hardLines += typed->Line(i) + "\r\n";
    typed->SetText(hardLines);
    typed->SetWordWrap(false);

    TCompClass comparer;
    TBulkCounts sums;
    int exampleOffset = 0, typedOffset = 0;
    int lines = std::min(example->LineCount(), typed->LineCount());
    for (int i = 0; i < lines; ++i) {
        try {
            std::string a = example->Line(i);
            std::string b = typed->Line(i);
            comparer.Compare(static_cast<CompMode>(FSingleByte), a, b);
            sums.ExampleCount += comparer.ExampleCount();
            sums.InputCount += comparer.InputCount();
            for (TRsltItem& item : comparer.RsltList()) {
                if (item.Kind == RsltKindExample) {
                    ++sums.MissCount;
                    item.Pos += exampleOffset;
                } else if (item.Kind == RsltKindInput) {
                    ++sums.ExtraCount;
                    item.Pos += typedOffset;
                }
            }
            MarkDifferences(comparer.RsltList(), false);
            example->SetSelStart(example->TextLength());
            typed->SetSelStart(typed->TextLength());
            exampleOffset += static_cast<int>(a.size()) + 2;
            typedOffset += static_cast<int>(b.size()) + 2;
            comparer.Clear();
        } catch (const std::exception& e) {
            comparer.Clear();
            ShowError(QString::fromUtf8(e.what()) + QStringLiteral("\r\n") + QString::number(i));
        }
    }

    // Lines of one pane that the other has not: missed or extra, whole.
    int leftoverExample = 0, leftoverTyped = 0;
    if (example->LineCount() > typed->LineCount()) {
        leftoverExample = LeftoverUnits(example->Text().substr(std::min<std::size_t>(
            static_cast<std::size_t>(exampleOffset), example->Text().size())));
        MarkLeftover(example, exampleOffset, PaneColors::Magenta);
        sums.ExampleCount += leftoverExample;
    } else if (typed->LineCount() > example->LineCount()) {
        leftoverTyped = LeftoverUnits(typed->Text().substr(
            std::min<std::size_t>(static_cast<std::size_t>(typedOffset), typed->Text().size())));
        MarkLeftover(typed, typedOffset, PaneColors::Green);
        sums.InputCount += leftoverTyped;
    }
    sums.MissCount += leftoverExample;
    sums.ExtraCount += leftoverTyped;
    SetStatus(ui->StatusBar1, 1, RecordBulkExercise(ExerciseState(), sums, true));
}

void TfrmMain::MarkLeftover(TRichEdit* pane, int from, TRgb color) {
    pane->Select(from, pane->TextLength() - from);
    pane->SetSelColor(color);
    TFontStyles styles;
    styles.Bold = true;
    styles.StrikeOut = true;
    pane->SetSelStyle(styles);
    pane->SetSelLength(0);
    pane->SetSelColor(PaneColors::Black);
    pane->SetSelStyle({});
}

// The units of leftover lines: characters other than CR and LF for Japanese texts, the pieces
// between blanks (empty ones between two blanks included) for single-byte texts.
int TfrmMain::LeftoverUnits(const std::string& text) const {
    if (FSingleByte)
        return static_cast<int>(std::count(text.begin(), text.end(), ' ')) + 1;
    int units = 0;
    for (char16_t c : ShiftJis::ToUtf16(text))
        units += c != u'\r' && c != u'\n';
    return units;
}

// Keeps the example line that is being typed in view: always in sequential input, in bulk input
// while the automatic line feed is on. After every key up, and after every commit, since an
// input method may let no key up through.
void TfrmMain::AutoLineFeed() {
    if (FMode != PartMode && !(FMode == AllMode && FRunning && ui->AutoCrLfAct->isChecked()))
        return;
    TRichEdit* example = ui->RichEdit1;
    int first = example->FirstVisibleLine();
    if (FLineHeight <= 5)
        return;
    int visible = example->viewport()->height() / FLineHeight;
    if (first + visible < example->LineCount()) {
        int n = ui->RichEdit2->LineFromPos(ui->RichEdit2->SelStart()) - first - visible + 2;
        if (n > 0)
            example->ScrollLines(n);
    }
}

// The height of one line of the example: its content height over its lines.
void TfrmMain::UpdateLineHeight() {
    int lines = ui->RichEdit1->LineCount();
    int height = static_cast<int>(ui->RichEdit1->document()->size().height());
    FLineHeight = lines > 0 ? height / lines : 0;
}

// ---- The ruler of bulk input ----

void TfrmMain::PaintBox2Paint(QPainter& painter) {
    const TRulerLimits& limits = RulerLimits[FSingleByte ? 1 : 0];
    QFont font = ui->RichEdit1->font();
    font.setPointSize(OptionRec.FontSize);
    painter.setFont(font);
    int cell = QFontMetrics(font).horizontalAdvance(limits.CellText);
    painter.setPen(Qt::black);
    painter.drawLine(4, 5, cell * limits.LastColumn, 5);
    // While dragged the marker follows the mouse; every move repaints the ruler beneath it.
    if (!FDragging)
        ui->Label1->move(FWrapCol * cell, ui->Label1->y());

    font.setPointSize(9);
    painter.setFont(font);
    QFontMetrics metrics(font);
    // A number is written on its own background, over the line and any tick beneath it.
    const QColor background = ui->PaintBox2->palette().color(QPalette::Window);
    auto number = [&](int n, int x, const QColor& color) {
        QString text = QString::number(n);
        const int width = metrics.horizontalAdvance(text);
        painter.fillRect(QRect(x - width / 2 - 1, 3, width + 2, metrics.height()), background);
        painter.setPen(color);
        painter.drawText(x - width / 2, 3 + metrics.ascent(), text);
    };
    auto columnColor = [&](int n) { return n < limits.FirstColumn ? Qt::gray : Qt::black; };
    painter.setPen(Qt::gray);
    painter.drawLine(4, 3, 4, 9);
    for (int n = 1; n <= limits.LastColumn; ++n) {
        if (n % 5 != 0) {
            painter.setPen(columnColor(n));
            painter.drawLine(n * cell + 4, 3, n * cell + 4, 9);
        }
    }
    for (int n = 5; n <= limits.LastColumn; n += 5) {
        bool edge = n == limits.FirstColumn || n == limits.LastColumn;
        number(n, n * cell + 4, edge ? QColor(Qt::blue) : QColor(columnColor(n)));
    }
    number(FWrapCol, cell * FWrapCol + 4, QColor(255, 0, 255));
}

bool TfrmMain::RulerLocked() const {
    return ui->Label1->palette().color(QPalette::WindowText) == QColor(Qt::red);
}

void TfrmMain::SetRulerMarkerColor(Qt::GlobalColor color) {
    QPalette palette = ui->Label1->palette();
    palette.setColor(QPalette::WindowText, color);
    ui->Label1->setPalette(palette);
}

void TfrmMain::Label1MouseDown() {
    if (RulerLocked())
        return;
    FDragOffset = ui->Label1->width() / 2;
    FDragging = true;
}

void TfrmMain::Label1MouseMove(const QMouseEvent& event) {
    bool locked = RulerLocked();
    ui->Label1->setCursor(locked ? Qt::ArrowCursor : Qt::PointingHandCursor);
    if (locked || !FDragging)
        return;
    const TRulerLimits& limits = RulerLimits[FSingleByte ? 1 : 0];
    int left = ui->Label1->x();
    if (left >= limits.FirstColumn * FCellWidth - FDragOffset + 4 &&
        left < limits.LastColumn * FCellWidth + 4)
        ui->Label1->move(left + static_cast<int>(event.position().x()) - FDragOffset + 4,
                         ui->Label1->y());
    else
        FDragging = false;
}

void TfrmMain::Label1MouseUp(const QMouseEvent& event) {
    if (RulerLocked())
        return;
    FDragging = false;
    const TRulerLimits& limits = RulerLimits[FSingleByte ? 1 : 0];
    int left = ui->Label1->x();
    int lowest = limits.FirstColumn * FCellWidth - FDragOffset + 4;
    int end = limits.LastColumn * FCellWidth + 4;
    if (left < lowest)
        left = lowest;
    else if (left >= end)
        left = end - FDragOffset;
    else
        left += static_cast<int>(event.position().x()) + 4 - FDragOffset;
    ui->Label1->move(left, ui->Label1->y());
    if (FCellWidth > 0)
        FWrapCol = std::clamp((left + ui->Label1->width() / 2) / FCellWidth, limits.FirstColumn,
                              limits.LastColumn);
    (FSingleByte ? OptionRec.WrapColEn : OptionRec.WrapColJp) = FWrapCol;
    Rewrap();
    ui->PaintBox2->update();
}

// The example wrapped again at the wrap column.
void TfrmMain::Rewrap() {
    std::string wrapped = WrapLines(ShiftJis::FromUtf16(FPracticeText), FWrapCol,
                                    static_cast<std::uint8_t>(FSingleByte));
    ui->RichEdit1->SetText(ShiftJis::TrimRight(wrapped));
    UpdateLineHeight();
}

void TfrmMain::PlaceRulerMarker() {
    ui->Label1->move(FWrapCol * FCellWidth, ui->Label1->y());
    SetRulerMarkerColor(Qt::black);
}

int TfrmMain::RulerCellWidth(int fontSize) const {
    QFont font = ui->RichEdit1->font();
    font.setPointSize(fontSize);
    return QFontMetrics(font).horizontalAdvance(RulerLimits[FSingleByte ? 1 : 0].CellText);
}

// ---- Status texts and messages ----

void TfrmMain::SetStatus(QStatusBar* bar, int panel, const QString& text) {
    StatusPanel(bar, panel)->SetText(text);
}

void TfrmMain::SetStatus(QStatusBar* bar, int panel, const std::string& sjisText) {
    StatusPanel(bar, panel)->SetText(ShiftJis::ToQString(sjisText));
}

void TfrmMain::ShowError(const QString& text) {
    Dialogs::ShowError(this, text);
}
