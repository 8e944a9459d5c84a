// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the register and sentence lists, text files, and the practice texts they give.

#include "app/UfMain.h"

#include "app/UfMainShared.h"
#include "japanese/UPracticeText.h"
#include "platform/Dialogs.h"
#include "platform/FileIo.h"
#include "platform/ProgramFolder.h"
#include "platform/RichEdit.h"
#include "platform/ShiftJis.h"
#include "ui_UfMain.h"

using namespace UfMain;

namespace {

// A text longer than this is no practice text (and would take long to read and show).
constexpr std::size_t MaxTextFileBytes = 16 * 1024 * 1024;

QString ReloadText() {
    return QCoreApplication::translate(
        "TfrmMain", "\r\n登録ファイルを読みこみなおして表示を更新してください。");
}

// The composition colours of the typing pane: input, selected clause, converted, target.
const TCompositionColors TypingCompositionColors = {{
    {PaneColors::Black, false, PaneColors::White, true},
    {PaneColors::Black, true, PaneColors::Cyan, false},
    {PaneColors::Black, false, PaneColors::White, true},
    {PaneColors::Black, false, PaneColors::Cyan, true},
}};

} // namespace

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
    EndStatsExercise(false);
    ui->ListView2->clear();
    FTitle.clear();
    std::filesystem::path folder = UuRegi::RegisterFolder();
    if (!std::filesystem::is_directory(folder)) {
        ShowError(UuRegi::MissingFolderMessage(folder));
        return;
    }
    std::optional<std::filesystem::path> file = SelectedRegister();
    if (!file)
        return;
    try {
        FTextPath = ToDisplayPath(*file);
        ListSentences(UuRegi::TRegi::LoadEntries(*file));
        SetCaption();
        SetStatus(ui->StatusBar1, 0, ModeName(FMode));
        SetStatus(ui->StatusBar1, 1, QString());
        SetStatus(ui->StatusBar2, 0,
                  FMode == TPracticeMode::Touch ? TouchCountersText(0, 0, 0) : std::string(" "));
        SetStatus(ui->StatusBar2, 1, QString());
        if (ui->ListView2->topLevelItemCount() > 0)
            ui->ListView2->setCurrentItem(ui->ListView2->topLevelItem(0));
    } catch (const std::exception& e) {
        ShowError(UuRegi::ReadErrorText() + QString::fromUtf8(e.what()));
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
    try {
        std::optional<std::filesystem::path> file = SelectedRegister();
        if (!file)
            throw std::runtime_error("no register is selected");
        UuRegi::WriteCheckMark(*file, UuRegi::IntValue(EntryData(item), "Idx"), checked);
        QSignalBlocker blocker(ui->ListView2);
        item->setData(0, CheckedBeforeRole, checked);
    } catch (const std::exception& e) {
        // The file is as it was; so is the mark shown.
        {
            QSignalBlocker blocker(ui->ListView2);
            item->setCheckState(0, FCheckedBefore ? Qt::Checked : Qt::Unchecked);
        }
        ShowError(tr("チェックマークを書きこめませんでした。\r\n") + QString::fromUtf8(e.what()) +
                  ReloadText());
    }
}

// The sentence selected in ListView2 becomes the practice text (a click there, or Enter).
void TfrmMain::StartSentence() {
    FBannerShown = false;
    std::optional<std::filesystem::path> file = SelectedRegister();
    QList<QTreeWidgetItem*> sentences = ui->ListView2->selectedItems();
    if (!file || sentences.isEmpty())
        return;
    try {
        std::vector<std::string> data = EntryData(sentences.front());
        FRegi.ReadSentence(UuRegi::IntValue(data, "Idx"), UuRegi::IntValue(data, "LastIdx"), *file);
        StartText(ToDisplayPath(*file), FRegi.Title, FRegi.Text);
        ui->RichEdit1->setFocus();
    } catch (const std::exception& e) {
        ShowError(UuRegi::ReadErrorText() + QString::fromUtf8(e.what()) + ReloadText());
        ui->ListView2->clear();
        StopExercise();
        EndStatsExercise(false);
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
    options.Filter = tr("テキストファイル (*.txt)");
    options.DefaultSuffix = QStringLiteral("txt");
    QString path = Dialogs::AskOpenFileName(this, options);
    if (path.isEmpty())
        return;
    std::string text;
    try {
        std::string bytes = ReadWholeFile(FromDisplayPath(path), MaxTextFileBytes);
        text = ShiftJis::JoinLines(ShiftJis::SplitLines(ShiftJis::FromTextFile(bytes)));
    } catch (const std::exception& e) {
        ShowError(tr("ファイルを読みこめませんでした。\r\n") + QString::fromUtf8(e.what()));
        return;
    }
    FTextPath = path;
    StartText(path, std::string(), text);
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
    EndStatsExercise(false);
    ListRegisters();
}

void TfrmMain::StartText(const QString& path, const std::string& title, const std::string& text) {
    if (FMode == TPracticeMode::Touch)
        StartTouchDrill(path, title, text);
    else
        LoadText(path, title, text);
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
    if (FMode == TPracticeMode::Bulk)
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
    if (FMode == TPracticeMode::Bulk)
        SetRulerMarkerColor(Qt::black);
    ui->RichEdit2->SetCompositionColors(TypingCompositionColors);
    ui->RichEdit1->setFocus();
    BeginStatsExercise();
}

void TfrmMain::SetCaption() {
    setWindowTitle(QStringLiteral("TYPORIN  ") + FTextPath + QStringLiteral("  ") +
                   ShiftJis::ToQString(FTitle));
}
