// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's register menu: adding the edited text or a text file to a register, deleting an
// entry, creating and deleting register files, and listing the registers again.

#include "editor/UfEditor.h"

#include "editor/UfEditorShared.h"
#include "editor/UfRegiFileBox.h"
#include "editor/UfTitleBox.h"
#include "platform/Dialogs.h"
#include "platform/FileIo.h"
#include "platform/PlainEdit.h"
#include "ui_UfEditor.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <system_error>

namespace {

QString DefaultTitle() {
    return QCoreApplication::translate("TfrmEditor", "無題");
}

// The characters a register's name must not hold, as the refusal lists them.
const QString ForbiddenNameChars = QStringLiteral("\\/:,;*?\"<>|");

// Why `name` cannot name a new register, or an empty string when it can.
QString NameRefusal(const QString& name) {
    for (QChar c : name)
        if (ForbiddenNameChars.contains(c))
            return TfrmEditor::tr("ファイル名には次の文字は使えません。\r\n"
                                  "\\ / : , ; * ? \" < > |");
    if (name.isEmpty())
        return TfrmEditor::tr("ファイル名を入力してください");
    // Device names of other systems, and a leading dot, which would hide the file from the list.
    for (const char* device : {"CON", "PRN", "AUX"})
        if (name.compare(QLatin1String(device), Qt::CaseInsensitive) == 0)
            return name + TfrmEditor::tr(" はファイル名に使用できません。");
    if (name.startsWith(u'.'))
        return name + TfrmEditor::tr(" はファイル名に使用できません。");
    return {};
}

} // namespace

// The register file chosen in TfrmRegiBox among the files of ListView1, in their list order.
std::optional<QString> TfrmEditor::ChooseRegister() {
    QStringList files;
    for (int i = 0; i < ui->ListView1->topLevelItemCount(); ++i)
        files << ui->ListView1->topLevelItem(i)->text(0);
    std::optional<int> index = TfrmRegiBox::Choose(this, files);
    if (!index || *index < 0 || *index >= files.size())
        return std::nullopt;
    return files[*index];
}

void TfrmEditor::RegistRegi1Click() {
    QString text = ui->RichEdit1->toPlainText();
    AddToRegister(text, EntryTitle.isEmpty() ? DefaultTitle() : EntryTitle);
}

void TfrmEditor::F1Click() {
    QString path = AskOpenFile(QString());
    if (path.isEmpty())
        return;
    QString text;
    try {
        text = ReadTextFile(path, nullptr);
    } catch (const std::exception& e) {
        ShowError(tr("ファイルオープンエラー\r\n") + QString::fromUtf8(e.what()));
        return;
    }
    QString title = QFileInfo(path).completeBaseName();
    AddToRegister(text, title.isEmpty() ? DefaultTitle() : title);
}

// Asks for the register and the title, then appends `text` as a new entry.
void TfrmEditor::AddToRegister(const QString& text, const QString& defaultTitle) {
    std::optional<QString> caption = ChooseRegister();
    if (!caption)
        return;
    std::optional<QString> title = TfrmTitleBox::Ask(
        this, *caption + tr(" に登録します。\r\nタイトルを入力してください。"), defaultTitle);
    if (!title)
        return;
    if (title->isEmpty()) {
        ShowError(tr("タイトルがないので登録できません。"));
        return;
    }
    std::filesystem::path file = UuRegi::RegisterFolder() / FromDisplayPath(*caption);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        ShowError(ToDisplayPath(file) + tr(" が存在しません。\r\n登録作業を中止します。"));
        return;
    }
    try {
        FRegi.AppendSentence(file, UuEditRegi::TRegi::EntryBlock(*title, text));
        WarnIfLongEntry(text);
        // The entries shown of this register end elsewhere now: list them as they are.
        if (SelectedRegister() == file) {
            int row = ui->ListView2->indexOfTopLevelItem(ui->ListView2->currentItem());
            ListEntries(file);
            if (QTreeWidgetItem* item = ui->ListView2->topLevelItem(row))
                ui->ListView2->setCurrentItem(item);
        }
    } catch (const std::exception& e) {
        ShowError(tr("登録できませんでした。\r\n") + QString::fromUtf8(e.what()));
    }
}

// Deletes the entry selected in ListView2. When it is the open entry the editor's text goes
// with it; any other entry is read first and deleted without touching the open one.
void TfrmEditor::DeleteRegiBun1Click() {
    std::optional<std::filesystem::path> file = SelectedRegister();
    QList<QTreeWidgetItem*> entries = ui->ListView2->selectedItems();
    if (!file || entries.isEmpty()) {
        ShowError(tr("文が選択されていません。"));
        return;
    }
    std::vector<std::string> data = EntryData(entries.front());
    int idx = UuRegi::IntValue(data, "Idx");
    bool openEntry = EditMode == EntryMode && !FRegi.Title.empty() && FRegi.EntryFile() == *file &&
                     FRegi.StartIdx == idx;
    UuEditRegi::TRegi other;
    UuEditRegi::TRegi& regi = openEntry ? FRegi : other;
    try {
        if (!openEntry)
            other.ReadSentence(idx, UuRegi::IntValue(data, "LastIdx"), *file);
    } catch (const std::exception& e) {
        ShowError(UuRegi::ReadErrorText() + QString::fromUtf8(e.what()));
        return;
    }
    if (!Dialogs::AskYesNo(this, Dialogs::TIcon::Warning,
                           tr("「") + regi.TitleText() + tr("」 を削除します。")))
        return;
    try {
        regi.DeleteSentence(*file);
    } catch (const std::exception& e) {
        ShowError(tr("削除できませんでした。\r\n") + QString::fromUtf8(e.what()));
        return;
    }
    try {
        ListEntries(*file);
    } catch (const std::exception& e) {
        ShowError(UuRegi::ReadErrorText() + QString::fromUtf8(e.what()));
    }
    if (openEntry) {
        FileName = ToDisplayPath(*file);
        EntryTitle.clear();
        UpdateCaption();
        ClearText();
    }
}

void TfrmEditor::NewRegiFile1Click() {
    std::filesystem::path folder = UuRegi::RegisterFolder();
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error) &&
        !std::filesystem::create_directories(folder, error)) {
        ShowError(tr("保存用のフォルダを作成できませんでした。 ") + ToDisplayPath(folder));
        return;
    }
    // A refused name is shown and the question stays open with it, to be corrected.
    std::optional<QString> name = Dialogs::AskText(this, tr("文章登録ファイルの新規作成"),
                                                   tr("作成するファイル名を入力してください。"),
                                                   tr("新規ファイル"), NameRefusal);
    if (!name)
        return;
    QString caption = *name + QStringLiteral(".txt");
    std::filesystem::path file = folder / FromDisplayPath(caption);
    if (std::filesystem::exists(file, error) &&
        !Dialogs::AskYesNo(this, Dialogs::TIcon::Warning,
                           tr("同名のファイルがあります。\r\n"
                              "［はい］ボタンを押すとファイルの内容が消去されます。\r\n"
                              "［いいえ］ボタンを押すとファイル作成の処理を終了します。")))
        return;
    try {
        SaveWholeFile(file, {});
    } catch (const std::exception& e) {
        ShowError(tr("ファイルを作成できませんでした。\r\n") + QString::fromUtf8(e.what()));
        return;
    }
    if (ui->ListView1->findItems(caption, Qt::MatchExactly).isEmpty()) {
        QSignalBlocker blocker(ui->ListView1);
        auto* item = new QTreeWidgetItem(ui->ListView1, {caption});
        item->setData(0, FileNameRole, QByteArray::fromStdString(file.filename().string()));
        ui->ListView1->sortItems(0, Qt::AscendingOrder);
    }
}

void TfrmEditor::DelRegiFile1Click() {
    QList<QTreeWidgetItem*> selected = ui->ListView1->selectedItems();
    std::optional<std::filesystem::path> file = SelectedRegister();
    if (selected.isEmpty() || !file) {
        Dialogs::ShowWarning(this, tr("削除するファイルが選択されていません。"));
        return;
    }
    if (!Dialogs::AskYesNo(this, Dialogs::TIcon::Warning,
                           selected.front()->text(0) + tr(" を削除します。")))
        return;
    std::error_code error;
    if (std::filesystem::exists(*file, error) && !std::filesystem::remove(*file, error)) {
        ShowError(tr("ファイルを削除できませんでした。\r\n") + ToDisplayPath(*file) +
                  QStringLiteral(": ") + QString::fromStdString(error.message()));
        return;
    }
    if (EditMode == EntryMode) {
        FileName = ToDisplayPath(UuRegi::RegisterFolder());
        EntryTitle.clear();
        FRegi.Title.clear();
        UpdateCaption();
        ClearText();
    }
    {
        QSignalBlocker blocker(ui->ListView1);
        ui->ListView1->clear();
    }
    ui->ListView2->clear();
    LastFileCaption.clear();
    ListRegisters();
}

void TfrmEditor::R1Click() {
    if (!ConfirmSave())
        return;
    {
        QSignalBlocker blocker(ui->ListView1);
        ui->ListView1->clear();
    }
    ui->ListView2->clear();
    FileName.clear();
    EntryTitle.clear();
    LastFileCaption.clear();
    FRegi.Title.clear();
    EditMode = UntitledMode;
    FTextEncoding = ShiftJis::TTextEncoding::ShiftJis;
    ClearText();
    UpdateCaption();
    ListRegisters();
}
