// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/UfEditor.h"

#include "editor/UfEditorShared.h"
#include "japanese/UPracticeText.h"
#include "platform/Dialogs.h"
#include "platform/FileIo.h"
#include "platform/Fonts.h"
#include "platform/Icons.h"
#include "platform/PlainEdit.h"
#include "platform/ProgramFolder.h"
#include "platform/Shell.h"
#include "platform/StatusPanel.h"
#include "platform/WindowBounds.h"
#include "store/UDataFile.h"
#include "ui_UfEditor.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QShortcut>
#include <QTextBlock>

namespace {

QString OpenErrorText() {
    return QCoreApplication::translate("TfrmEditor", "ファイルオープンエラー\r\n");
}
QString SaveErrorText() {
    return QCoreApplication::translate("TfrmEditor", "ファイルを保存できませんでした。\r\n");
}
QString UntitledName() {
    return QCoreApplication::translate("TfrmEditor", "無題.txt");
}
QString TextFilter() {
    return QCoreApplication::translate("TfrmEditor", "テキストファイル(*.txt) (*.txt)");
}

// The recovery files of the program folder: the first name, then numbered ones.
// A file name: the same in every display language, so that a recovery is always found.
const QString RecoveryBaseName = QStringLiteral("エディタの復元");
constexpr int MaxRecoveryFiles = 100;

std::filesystem::path RecoveryFile(int number) {
    QString name = number == 1 ? RecoveryBaseName + QStringLiteral(".txt")
                               : RecoveryBaseName + QStringLiteral(" (%1).txt").arg(number);
    return ProgramFolder() / FromDisplayPath(name);
}

// A text longer than this is no text to edit here (and would take long to read).
constexpr std::size_t MaxTextFileBytes = 16 * 1024 * 1024;

// The composition of RichEdit1: unconverted input, the clause being converted, the converted
// clauses, a target clause not yet converted.
constexpr TRgb Cyan{0, 255, 255};
const TCompositionColors EditorCompositionColors = {{
    {PaneColors::Black, false, PaneColors::White, true},
    {PaneColors::Black, true, Cyan, false},
    {PaneColors::Black, false, PaneColors::White, true},
    {PaneColors::Black, false, Cyan, true},
}};

} // namespace

TfrmEditor::TfrmEditor(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::TfrmEditor>()) {
    ui->setupUi(this);
    setWindowIcon(WindowIcon(QStringLiteral("editor")));
    ui->New->setIcon(ProgramIcon(QStringLiteral("new")));
    ui->Open->setIcon(ProgramIcon(QStringLiteral("open")));
    ui->Save->setIcon(ProgramIcon(QStringLiteral("save")));
    ui->SaveAs->setIcon(ProgramIcon(QStringLiteral("saveas")));
    ui->EditUndo1->setIcon(ProgramIcon(QStringLiteral("undo")));
    ui->EditCut1->setIcon(ProgramIcon(QStringLiteral("cut")));
    ui->EditCopy1->setIcon(ProgramIcon(QStringLiteral("copy")));
    ui->EditPaste1->setIcon(ProgramIcon(QStringLiteral("paste")));
    ui->EditDelete1->setIcon(ProgramIcon(QStringLiteral("delete")));
    ui->RegistRegi1->setIcon(ProgramIcon(QStringLiteral("regadd")));
    ui->DeleteRegiBun1->setIcon(ProgramIcon(QStringLiteral("regdelete")));
    ui->NewRegiFile1->setIcon(ProgramIcon(QStringLiteral("regnew")));
    ui->DelRegiFile1->setIcon(ProgramIcon(QStringLiteral("regfiledelete")));
    setAttribute(Qt::WA_DeleteOnClose);
    CreateActions();
    CreateMenuItems();
    ConnectHandlers();
    FormCreate();
}

TfrmEditor::~TfrmEditor() {
    // Emptying the lists while the window goes must not ask to save or load anything.
    disconnect(ui->ListView1, nullptr, this, nullptr);
    ui->ListView1->blockSignals(true);
    ui->RichEdit1->blockSignals(true);
    ui->RichEdit1->clear();
}

void TfrmEditor::CreateActions() {
    QFont font(ProportionalFontFace);
    font.setPixelSize(16);
    setFont(font);
    ui->MainMenu1->setFont(QApplication::font(ui->MainMenu1));
    QFont small(ProportionalFontFace);
    small.setPixelSize(12);
    ui->StatusBar1->setFont(small);
    AddStatusPanels(ui->StatusBar1, {{70}, {70}, {70}});

    // The file commands' usual keys; the editing pane uses none of them.
    ui->New->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    ui->Open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    ui->Save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    ui->SaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] {
        if (!OpenHelpFile(HelpEditorPage))
            ShowError(tr("ヘルプファイルがありません。"));
    });

    // The tool bar's buttons carry the names of their places, as in the main window; the
    // register buttons keep the numbers of the commands they run.
    int button = 0;
    for (QAction* action : ui->ToolBar1->actions())
        if (QWidget* widget = ui->ToolBar1->widgetForAction(action))
            widget->setObjectName(QStringLiteral("ToolButton%1").arg(++button));
    const std::pair<QAction*, const char*> registerButtons[] = {
        {ui->RegistRegi1, "ToolButton13"},
        {ui->DeleteRegiBun1, "ToolButton14"},
        {ui->NewRegiFile1, "ToolButton16"},
        {ui->DelRegiFile1, "ToolButton17"}};
    for (auto [action, name] : registerButtons)
        ui->ToolBar1->widgetForAction(action)->setObjectName(QString::fromLatin1(name));
}

// The menus of "ファイル(&F)", "編集(&E)" and the pop-up menu hold items of their own, named as
// items, that run the window's actions.
void TfrmEditor::CreateMenuItems() {
    auto addItem = [this](QMenu* menu, const char* name, QAction* action) {
        auto* item = new QAction(action->icon(), action->text(), menu);
        item->setObjectName(QString::fromLatin1(name));
        if (!action->shortcut().isEmpty())
            item->setText(action->text() + u'\t' +
                          action->shortcut().toString(QKeySequence::NativeText));
        item->setCheckable(action->isCheckable());
        item->setChecked(action->isChecked());
        connect(item, &QAction::triggered, action, [action, item] {
            // A checkable item has toggled itself already; the action toggles in turn.
            if (item->isCheckable())
                item->setChecked(action->isChecked());
            action->trigger();
        });
        connect(action, &QAction::toggled, item, &QAction::setChecked);
        connect(action, &QAction::enabledChanged, item, &QAction::setEnabled);
        menu->addAction(item);
    };
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QMenu* file = ui->File1;
    QAction* exit = ui->Exit1;
    file->removeAction(exit);
    // Items in menu order; an item without an action is a separator.
    struct TItem {
        QMenu* Menu;
        const char* Name;
        QAction* Action;
    };
    const TItem items[] = {
        {file, "New1", ui->New},
        {file, "Open1", ui->Open},
        {file, "Save1", ui->Save},
        {file, "SaveAs1", ui->SaveAs},
        {file, nullptr, nullptr},
        {ui->Edit1, "Undo1", ui->EditUndo1},
        {ui->Edit1, nullptr, nullptr},
        {ui->Edit1, "Cut1", ui->EditCut1},
        {ui->Edit1, "Copy1", ui->EditCopy1},
        {ui->Edit1, "Paste1", ui->EditPaste1},
        {ui->Edit1, "Delete1", ui->EditDelete1},
        {ui->Edit1, nullptr, nullptr},
        {ui->Edit1, "SelectAll1", ui->EditSelectAll1},
        {ui->Edit1, nullptr, nullptr},
        {ui->Edit1, "W1", ui->Wrap},
        {PopupMenu1, "Cut2", ui->EditCut1},
        {PopupMenu1, "Copy2", ui->EditCopy1},
        {PopupMenu1, "Paste2", ui->EditPaste1},
        {PopupMenu1, "Delete2", ui->EditDelete1},
        {PopupMenu1, nullptr, nullptr},
        {PopupMenu1, "SelectAll2", ui->EditSelectAll1},
    };
    for (const TItem& item : items) {
        if (item.Action)
            addItem(item.Menu, item.Name, item.Action);
        else
            item.Menu->addSeparator();
    }
    file->addAction(exit);
}

void TfrmEditor::ConnectHandlers() {
    connect(ui->New, &QAction::triggered, this, &TfrmEditor::NewExecute);
    connect(ui->Open, &QAction::triggered, this, &TfrmEditor::OpenExecute);
    connect(ui->Save, &QAction::triggered, this, [this] { Save(); });
    connect(ui->SaveAs, &QAction::triggered, this, [this] { SaveAs(); });
    connect(ui->Wrap, &QAction::triggered, this, &TfrmEditor::WrapExecute);
    connect(ui->Exit1, &QAction::triggered, this, &QWidget::close);
    connect(ui->ShowView1, &QAction::triggered, this, &TfrmEditor::ShowView1Click);
    connect(ui->OpenViewFile1, &QAction::triggered, this, &TfrmEditor::OpenViewFile1Click);

    // The edit commands act on the focused text control; the viewer only copies and selects.
    auto focused = [this]() -> QPlainTextEdit* {
        return ui->Memo1->hasFocus() ? ui->Memo1 : static_cast<QPlainTextEdit*>(ui->RichEdit1);
    };
    connect(ui->EditUndo1, &QAction::triggered, this, [focused] { focused()->undo(); });
    connect(ui->EditCut1, &QAction::triggered, this, [focused] { focused()->cut(); });
    connect(ui->EditCopy1, &QAction::triggered, this, [focused] { focused()->copy(); });
    connect(ui->EditPaste1, &QAction::triggered, this, [focused] { focused()->paste(); });
    connect(ui->EditSelectAll1, &QAction::triggered, this, [focused] { focused()->selectAll(); });
    connect(ui->EditDelete1, &QAction::triggered, this,
            [this] { ui->RichEdit1->textCursor().removeSelectedText(); });

    connect(ui->RegistRegi1, &QAction::triggered, this, &TfrmEditor::RegistRegi1Click);
    connect(ui->DeleteRegiBun1, &QAction::triggered, this, &TfrmEditor::DeleteRegiBun1Click);
    connect(ui->F1, &QAction::triggered, this, &TfrmEditor::F1Click);
    connect(ui->NewRegiFile1, &QAction::triggered, this, &TfrmEditor::NewRegiFile1Click);
    connect(ui->DelRegiFile1, &QAction::triggered, this, &TfrmEditor::DelRegiFile1Click);
    connect(ui->R1, &QAction::triggered, this, &TfrmEditor::R1Click);

    connect(ui->ListView1, &QTreeWidget::itemSelectionChanged, this,
            &TfrmEditor::ListView1SelectItem);
    connect(ui->ListView2, &QTreeWidget::itemPressed, this, &TfrmEditor::OpenEntry);
    ui->ListView2->installEventFilter(this);

    TPlainEdit* edit = ui->RichEdit1;
    connect(edit, &QPlainTextEdit::cursorPositionChanged, this, &TfrmEditor::ShowCaretPos);
    connect(edit, &QPlainTextEdit::modificationChanged, this, &TfrmEditor::ShowModified);
    connect(edit, &QWidget::customContextMenuRequested, this,
            [this, edit](const QPoint& pos) { PopupMenu1->exec(edit->mapToGlobal(pos)); });
    edit->OnOverwriteToggled = [this] { ShowInsertMode(); };
    connect(ui->Splitter3, &QSplitter::splitterMoved, this,
            [this] { OptionRec.EditorRichEdit1Height = ui->Splitter3->sizes().value(0); });
}

void TfrmEditor::FormCreate() {
    FOpenFilter = tr("テキストファイル ( *.txt ) (*.txt);;すべてのファイル ( *.* ) (*)");
    FOpenFolder = ToDisplayPath(ProgramFolder());
    ui->ShowView1->setChecked(OptionRec.EditorShowView != 0);
    ui->RichEdit1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    RestoreGeometry();
    ArrangeViewer();
    ListRegisters();
    EditMode = UntitledMode;
    LoadEntryList();
    ShowInsertMode();
    ShowModified();
    ShowCaretPos();
    SetImeColors();
}

// Bounds and pane sizes as they were left; the data file's reading has fitted them to the
// screens already.
void TfrmEditor::RestoreGeometry() {
    setGeometry(OptionRec.EditorLeft, OptionRec.EditorTop, OptionRec.EditorWidth,
                OptionRec.EditorHeight);
    if (layout())
        layout()->activate();
    for (QSplitter* splitter : {ui->Splitter1, ui->Splitter2}) {
        splitter->setStretchFactor(0, 0);
        splitter->setStretchFactor(1, 1);
    }
    // The text being edited takes what the window gains; the viewer keeps its height.
    ui->Splitter3->setStretchFactor(0, 1);
    ui->Splitter3->setStretchFactor(1, 0);
    PlaceSplitter(ui->Splitter1, OptionRec.EditorPanel1Width);
    PlaceSplitter(ui->Splitter2, OptionRec.EditorListView1Height);
}

// The editing pane takes what the window gains, also between the layout's first placing and
// the window's first show: the pane heights are placed again at the window's real size.
void TfrmEditor::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (FShownOnce)
        return;
    FShownOnce = true;
    if (ui->ShowView1->isChecked()) {
        layout()->activate();
        PlaceSplitter(ui->Splitter3, OptionRec.EditorRichEdit1Height);
    }
}

void TfrmEditor::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

bool TfrmEditor::FormCloseQuery() {
    if (!FEndingSession && !ConfirmSave())
        return false;
    if (ui->ShowView1->isChecked())
        OptionRec.EditorRichEdit1Height = ui->Splitter3->sizes().value(0);
    OptionRec.EditorShowView = ui->ShowView1->isChecked() ? 1 : 0;
    OptionRec.EditorListView1Height = ui->Splitter2->sizes().value(0);
    OptionRec.EditorPanel1Width = ui->Splitter1->sizes().value(0);
    StoreWindowBounds(*this, OptionRec.EditorLeft, OptionRec.EditorTop, OptionRec.EditorWidth,
                      OptionRec.EditorHeight);
    return true;
}

bool TfrmEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->ListView2 && event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OpenEntry();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmEditor::EndSession() {
    FEndingSession = true;
    if (ui->RichEdit1->document()->isModified()) {
        // In UTF-8, which holds every character. A recovered text goes back into its own file;
        // any other gets a name of its own, so that an earlier recovery is never replaced.
        // Nobody can be told of a failure now but the log.
        std::filesystem::path file = FRecoveryFile;
        for (int number = 1; file.empty(); ++number)
            if (number == MaxRecoveryFiles || !std::filesystem::exists(RecoveryFile(number)))
                file = RecoveryFile(number);
        try {
            QString text = ShiftJis::WithCrLf(ui->RichEdit1->toPlainText());
            SaveWholeFile(file, "\xEF\xBB\xBF" +
                                    ShiftJis::Encode(text, ShiftJis::TTextEncoding::Utf8Bom));
        } catch (const std::exception& e) {
            qWarning("The editor's text could not be kept: %s", e.what());
        }
    }
    close();
}

bool TfrmEditor::OpenRecovered(const std::filesystem::path& path) {
    if (!ConfirmSave())
        return false;
    ShiftJis::TTextEncoding encoding = ShiftJis::TTextEncoding::ShiftJis;
    QString text;
    try {
        text = ReadTextFile(ToDisplayPath(path), &encoding);
    } catch (const std::exception& e) {
        ShowError(OpenErrorText() + QString::fromUtf8(e.what()));
        return false;
    }
    ForgetRegister();
    EditMode = UntitledMode;
    FileName.clear();
    EntryTitle.clear();
    FRegi.Title.clear();
    FTextEncoding = encoding;
    SetText(text);
    ui->RichEdit1->document()->setModified(true);
    ShowModified();
    UpdateCaption();
    // The file stays until the text is saved or dropped: until then it is the only copy on disk.
    FRecoveryFile = path;
    return true;
}

std::vector<std::filesystem::path> EditorRecoveryFiles() {
    std::vector<std::filesystem::path> files;
    for (int number = 1; number <= MaxRecoveryFiles; ++number) {
        std::error_code error;
        if (std::filesystem::is_regular_file(RecoveryFile(number), error))
            files.push_back(RecoveryFile(number));
    }
    return files;
}

// ---- Caption, status bar, input-method colours ----

void TfrmEditor::UpdateCaption() {
    // The entry of a register that is no more is gone: what is edited has no name yet.
    if (EntryGone())
        setWindowTitle(tr("TYPORIN  エディタ  無題"));
    else
        setWindowTitle(tr("TYPORIN  エディタ  ") + FileName + QStringLiteral("  ") + EntryTitle);
}

void TfrmEditor::ShowModified() {
    StatusPanel(ui->StatusBar1, 1)
        ->SetText(ui->RichEdit1->document()->isModified() ? tr("変更あり") : QString());
}

void TfrmEditor::ShowCaretPos() {
    TPlainEdit::TCaretPos pos = ui->RichEdit1->CaretPos();
    StatusPanel(ui->StatusBar1, 0)
        ->SetText(QString::asprintf("  %3d :  %3d", pos.Line, pos.Column));
}

void TfrmEditor::ShowInsertMode() {
    StatusPanel(ui->StatusBar1, 2)
        ->SetText(ui->RichEdit1->overwriteMode() ? tr("上書き") : tr("挿入"));
}

void TfrmEditor::SetImeColors() {
    ui->RichEdit1->SetCompositionColors(EditorCompositionColors);
}

void TfrmEditor::ShowError(const QString& text) {
    Dialogs::ShowError(this, text);
}

// An entry written to a register is practised in sequential and bulk input only up to their
// limit: the learner is told when it is longer.
void TfrmEditor::WarnIfLongEntry(const QString& text) {
    std::string warning =
        LongEntryWarning(MakePracticeText(ShiftJis::FromQString(ShiftJis::WithCrLf(text))));
    if (!warning.empty())
        Dialogs::ShowWarning(this, ShiftJis::ToQString(warning));
}

// ---- Files ----

bool TfrmEditor::ConfirmSave() {
    if (!ui->RichEdit1->document()->isModified())
        return true;
    QString question;
    if (EditMode == FileMode)
        question =
            tr("ファイル ") + FileName + tr(" の内容が変更されています。\r\n変更を保存しますか?");
    else if (EditMode == UntitledMode)
        question = tr("ファイル 無題 の内容が変更されています。\r\n"
                      "無題.txt として保存します。\r\n変更を保存しますか?");
    else if (EntryGone())
        question = tr("ファイル 無題 の内容が変更されています。\r\n"
                      "名前を付けて保存します。\r\n変更を保存しますか?");
    else
        question = tr("タイトル ") + FRegi.TitleText() +
                   tr(" の内容が変更されています。\r\n変更を保存しますか?");
    switch (Dialogs::AskYesNoCancel(this, Dialogs::TIcon::Warning, question)) {
    case Dialogs::TAnswer::Yes:
        return Save();
    case Dialogs::TAnswer::No:
        // The learner drops the text: a recovered one is not offered again.
        DropRecoveryFile();
        return true;
    case Dialogs::TAnswer::Cancel:
        break;
    }
    return false;
}

bool TfrmEditor::EntryGone() const {
    return EditMode == EntryMode && FRegi.Title.empty();
}

void TfrmEditor::DropRecoveryFile() {
    if (FRecoveryFile.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove(FRecoveryFile, ignored);
    FRecoveryFile.clear();
}

bool TfrmEditor::Save() {
    try {
        switch (EditMode) {
        case FileMode:
            if (FileName.isEmpty())
                return SaveAs();
            WriteTextFile(FileName);
            return true;
        case UntitledMode:
            WriteTextFile(UntitledName());
            return true;
        default:
            break;
        }
        // No entry is open any more (it or its register was deleted): what was written since
        // is saved as a text file rather than dropped.
        if (FRegi.Title.empty())
            return SaveAs();
        FRegi.ReplaceSentence(FromDisplayPath(FileName), ui->RichEdit1->toPlainText());
        DropRecoveryFile();
    } catch (const std::exception& e) {
        ShowError(SaveErrorText() + QString::fromUtf8(e.what()));
        return false;
    }
    ui->RichEdit1->document()->clearUndoRedoStacks();
    ui->RichEdit1->document()->setModified(false);
    // The entry list as the file is now, with the same position selected. The text is saved
    // either way; a list that cannot be read again says so.
    try {
        int row = ui->ListView2->indexOfTopLevelItem(ui->ListView2->currentItem());
        if (std::optional<std::filesystem::path> file = SelectedRegister())
            ListEntries(*file);
        if (QTreeWidgetItem* item = ui->ListView2->topLevelItem(row))
            ui->ListView2->setCurrentItem(item);
    } catch (const std::exception& e) {
        ShowError(UuRegi::ReadErrorText() + QString::fromUtf8(e.what()));
    }
    WarnIfLongEntry(ui->RichEdit1->toPlainText());
    return true;
}

bool TfrmEditor::SaveAs() {
    Dialogs::TFileDialogOptions options;
    options.FileName = EditMode == FileMode ? QFileInfo(FileName).fileName()
                       : EditMode == UntitledMode || EntryTitle.isEmpty()
                           ? UntitledName()
                           : EntryTitle + QStringLiteral(".txt");
    options.Folder = ToDisplayPath(ProgramFolder());
    options.Filter = TextFilter();
    options.DefaultSuffix = QStringLiteral("txt");
    QString path = Dialogs::AskSaveFileName(this, options);
    if (path.isEmpty())
        return false;
    try {
        WriteTextFile(path);
    } catch (const std::exception& e) {
        ShowError(SaveErrorText() + QString::fromUtf8(e.what()));
        return false;
    }
    EditMode = FileMode;
    return true;
}

// The text with CR LF breaks and one CR LF at its end, in the encoding of the file it came
// from. Throws, writing nothing, when the file cannot be written or cannot hold a character.
void TfrmEditor::WriteTextFile(const QString& path) {
    QString text = ShiftJis::WithCrLf(ShiftJis::TrimTextRight(ui->RichEdit1->toPlainText())) +
                   QStringLiteral("\r\n");
    std::string bytes = FTextEncoding == ShiftJis::TTextEncoding::Utf8Bom ? "\xEF\xBB\xBF" : "";
    bytes += ShiftJis::Encode(text, FTextEncoding);
    SaveWholeFile(FromDisplayPath(path), bytes);
    DropRecoveryFile();
    ui->RichEdit1->document()->setModified(false);
    EntryTitle.clear();
    FileName = path;
    UpdateCaption();
}

void TfrmEditor::SetText(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    ui->RichEdit1->setPlainText(lines); // clears the undo history and the modified state
    ShowModified();
}

void TfrmEditor::ClearText() {
    SetText(QString());
}

QString TfrmEditor::ReadTextFile(const QString& path, ShiftJis::TTextEncoding* encoding) const {
    std::string bytes = ReadWholeFile(FromDisplayPath(path), MaxTextFileBytes);
    ShiftJis::TTextEncoding detected = ShiftJis::DetectEncoding(bytes);
    if (encoding)
        *encoding = detected;
    return ShiftJis::Decode(ShiftJis::WithoutBom(bytes, detected), detected);
}

QString TfrmEditor::AskOpenFile(const QString& defaultSuffix) {
    Dialogs::TFileDialogOptions options;
    options.Folder = FOpenFolder;
    options.Filter = FOpenFilter;
    options.DefaultSuffix = defaultSuffix;
    QString path = Dialogs::AskOpenFileName(this, options);
    if (!path.isEmpty())
        FOpenFolder = QFileInfo(path).absolutePath();
    return path;
}

void TfrmEditor::NewExecute() {
    if (!ConfirmSave())
        return;
    EditMode = FileMode;
    EntryTitle.clear();
    FRegi.Title.clear();
    FileName = ToDisplayPath(ProgramFolder() / "新規.txt");
    FTextEncoding = ShiftJis::TTextEncoding::ShiftJis;
    ClearText();
    ui->RichEdit1->setFocus();
    ForgetRegister();
    UpdateCaption();
}

void TfrmEditor::OpenExecute() {
    if (!ConfirmSave())
        return;
    FOpenFilter = TextFilter();
    FOpenFolder = ToDisplayPath(ProgramFolder());
    QString path = AskOpenFile(QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    ForgetRegister();
    EntryTitle.clear();
    FRegi.Title.clear();
    EditMode = FileMode;
    try {
        ShiftJis::TTextEncoding encoding;
        QString text = ReadTextFile(path, &encoding);
        FileName = path;
        FTextEncoding = encoding;
        SetText(text);
        ui->RichEdit1->setFocus();
    } catch (const std::exception& e) {
        ShowError(OpenErrorText() + QString::fromUtf8(e.what()));
        FileName.clear();
        FTextEncoding = ShiftJis::TTextEncoding::ShiftJis;
        ClearText();
    }
    UpdateCaption();
}

void TfrmEditor::WrapExecute() {
    // Wrapping changes the display only: a text without changes stays without them.
    ui->RichEdit1->setLineWrapMode(ui->Wrap->isChecked() ? QPlainTextEdit::WidgetWidth
                                                         : QPlainTextEdit::NoWrap);
    ShowModified();
}

// ---- The viewer ----

void TfrmEditor::ArrangeViewer() {
    if (ui->ShowView1->isChecked()) {
        ui->Memo1->show();
        if (layout())
            layout()->activate();
        PlaceSplitter(ui->Splitter3, OptionRec.EditorRichEdit1Height);
    } else {
        if (ui->Memo1->isVisible())
            OptionRec.EditorRichEdit1Height = ui->Splitter3->sizes().value(0);
        ui->Memo1->hide();
    }
}

void TfrmEditor::ShowView1Click() {
    ArrangeViewer();
}

void TfrmEditor::OpenViewFile1Click() {
    QString path = AskOpenFile(QString());
    if (path.isEmpty())
        return;
    try {
        ui->Memo1->setPlainText(
            ReadTextFile(path, nullptr).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    } catch (const std::exception& e) {
        ShowError(OpenErrorText() + QString::fromUtf8(e.what()));
        return;
    }
    if (!ui->ShowView1->isChecked()) {
        ui->ShowView1->setChecked(true);
        ArrangeViewer();
    }
}

// ---- Register browsing ----

void TfrmEditor::ListRegisters() {
    QSignalBlocker blocker(ui->ListView1);
    for (const std::filesystem::path& file :
         UuEditRegi::TRegi::ListFiles(UuRegi::RegisterFolder())) {
        auto* item = new QTreeWidgetItem(ui->ListView1, {ToDisplayPath(file)});
        item->setData(0, FileNameRole, QByteArray::fromStdString(file.string()));
    }
    ui->ListView1->sortItems(0, Qt::AscendingOrder);
}

// The text no longer belongs to a register: none is chosen, no entries are listed.
void TfrmEditor::ForgetRegister() {
    {
        QSignalBlocker blocker(ui->ListView1);
        ui->ListView1->clearSelection();
    }
    ui->ListView2->clear();
    LastFileCaption.clear();
}

std::optional<std::filesystem::path> TfrmEditor::SelectedRegister() const {
    QList<QTreeWidgetItem*> selected = ui->ListView1->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return UuRegi::RegisterFolder() /
           selected.front()->data(0, FileNameRole).toByteArray().toStdString();
}

void TfrmEditor::ListView1SelectItem() {
    QList<QTreeWidgetItem*> selected = ui->ListView1->selectedItems();
    if (!ConfirmSave()) {
        // The text could not be saved: it stays, and so does the register it belongs to.
        QSignalBlocker blocker(ui->ListView1);
        ui->ListView1->clearSelection();
        for (QTreeWidgetItem* item : ui->ListView1->findItems(LastFileCaption, Qt::MatchExactly))
            item->setSelected(true);
        return;
    }
    FileName.clear();
    EntryTitle.clear();
    FRegi.Title.clear();
    ui->ListView2->clear();
    EditMode = UntitledMode;
    FTextEncoding = ShiftJis::TTextEncoding::ShiftJis;
    ClearText();
    UpdateCaption();
    if (selected.isEmpty()) {
        // The file list keeps its file.
        QList<QTreeWidgetItem*> last = ui->ListView1->findItems(LastFileCaption, Qt::MatchExactly);
        if (last.isEmpty())
            return;
        QSignalBlocker blocker(ui->ListView1);
        last.front()->setSelected(true);
    }
    LoadEntryList();
    if (QList<QTreeWidgetItem*> now = ui->ListView1->selectedItems(); !now.isEmpty())
        LastFileCaption = now.front()->text(0);
}

void TfrmEditor::ListEntries(const std::filesystem::path& file) {
    ui->ListView2->clear();
    for (const UuRegi::TEntryItem& entry : UuEditRegi::TRegi::LoadEntries(file)) {
        auto* item = new QTreeWidgetItem(ui->ListView2, {ShiftJis::ToQString(entry.Caption)});
        QStringList data;
        for (const std::string& line : entry.Data)
            data << QString::fromStdString(line);
        item->setData(0, EntryDataRole, data);
    }
}

void TfrmEditor::LoadEntryList() {
    FileName.clear();
    EntryTitle.clear();
    FRegi.Title.clear();
    ui->ListView2->clear();
    ClearText();
    std::optional<std::filesystem::path> file = SelectedRegister();
    if (!file)
        return;
    try {
        ListEntries(*file);
        EditMode = UntitledMode;
        UpdateCaption();
        if (QTreeWidgetItem* first = ui->ListView2->topLevelItem(0))
            ui->ListView2->setCurrentItem(first);
    } catch (const std::exception& e) {
        ShowError(UuRegi::ReadErrorText() + QString::fromUtf8(e.what()));
    }
}

void TfrmEditor::OpenEntry() {
    if (!SelectedRegister() || ui->ListView2->selectedItems().isEmpty())
        return;
    if (!ConfirmSave())
        return;
    // Saving lists the entries again: the selection is read after it.
    std::optional<std::filesystem::path> file = SelectedRegister();
    QList<QTreeWidgetItem*> entries = ui->ListView2->selectedItems();
    if (!file || entries.isEmpty())
        return;
    std::vector<std::string> data = EntryData(entries.front());
    try {
        FRegi.ReadSentence(UuRegi::IntValue(data, "Idx"), UuRegi::IntValue(data, "LastIdx"), *file);
    } catch (const std::exception& e) {
        ShowError(UuRegi::ReadErrorText() + QString::fromUtf8(e.what()));
        return;
    }
    FileName = ToDisplayPath(*file);
    EntryTitle = FRegi.TitleText();
    FTextEncoding = FRegi.Encoding;
    SetText(FRegi.TextText());
    UpdateCaption();
    EditMode = EntryMode;
    ui->RichEdit1->setFocus();
}
