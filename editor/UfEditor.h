// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The editor window: the register files of TextFolder and the entries of the chosen one on the
// left, the edited text on the right with a text viewer under it. It writes plain text files
// and the entries of the registers, and manages the registers (the menu "レジスタ(&R)").

#include "platform/ShiftJis.h"
#include "registers/UuEditRegi.h"

#include <QCoreApplication>
#include <QMainWindow>

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class TfrmEditor;
}

class QAction;
class QMenu;
class QTreeWidgetItem;

class TfrmEditor : public QMainWindow {
    Q_DECLARE_TR_FUNCTIONS(TfrmEditor)

public:
    explicit TfrmEditor(QWidget* parent = nullptr);
    ~TfrmEditor() override;

    // What the edited text belongs to.
    static constexpr int EntryMode = 0;    // the register entry read last
    static constexpr int FileMode = 1;     // the text file FileName (which may be empty)
    static constexpr int UntitledMode = 2; // no file yet: saved as "無題.txt"

    int EditMode = UntitledMode;
    QString FileName;        // the text file (mode 1), the register (mode 0), "" or 無題.txt
    QString EntryTitle;      // the entry's title in mode 0, else empty
    QString LastFileCaption; // the register file chosen last in ListView1

    // The end of the desktop session, when nobody can answer a question: the window closes
    // without asking, and a modified text is first written to a new recovery file in the
    // program folder (see EditorRecoveryFiles) rather than lost.
    void EndSession();
    // Shows the text of a recovery file as an untitled, modified text (so that closing asks to
    // save it). The file is removed once the text is saved, or dropped in answer to the save
    // question; until then a crash leaves it for the next start, and the end of the session
    // writes the text back into it. False, with the file kept, when the learner keeps the text
    // being edited or the file cannot be read.
    bool OpenRecovered(const std::filesystem::path& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Start-up and closing.
    void CreateActions();
    void CreateMenuItems();
    void ConnectHandlers();
    void FormCreate();
    void RestoreGeometry();
    bool FormCloseQuery();

    // The caption, the status bar and the input-method colours.
    void UpdateCaption();
    void ShowModified();
    void ShowCaretPos();
    void ShowInsertMode();
    void SetImeColors();

    // Files.
    // Asks to save a modified text: Yes saves, No drops the changes, Cancel (Escape) keeps the
    // text and its modified mark. False when the caller must stop and leave the text as it is:
    // Cancel, or Yes with a save that failed or was cancelled.
    bool ConfirmSave();
    // The open entry was deleted (or its register): the text has no name and saves as a file.
    bool EntryGone() const;
    // The recovered text is saved or dropped: its recovery file goes.
    void DropRecoveryFile();
    bool Save();
    bool SaveAs();
    void NewExecute();
    void OpenExecute();
    void WrapExecute();
    void WriteTextFile(const QString& path);
    void SetText(const QString& text);
    void ClearText();
    QString ReadTextFile(const QString& path, ShiftJis::TTextEncoding* encoding) const;

    // The viewer.
    void ArrangeViewer();
    void ShowView1Click();
    void OpenViewFile1Click();

    // Register browsing.
    void ListRegisters();
    void ListView1SelectItem();
    void LoadEntryList();
    void ListEntries(const std::filesystem::path& file);
    void OpenEntry();
    std::optional<std::filesystem::path> SelectedRegister() const;
    void ForgetRegister();

    // The register menu (UfEditor.Regi.cpp).
    void RegistRegi1Click();
    void F1Click();
    void AddToRegister(const QString& text, const QString& defaultTitle);
    void DeleteRegiBun1Click();
    void NewRegiFile1Click();
    void DelRegiFile1Click();
    void R1Click();
    std::optional<QString> ChooseRegister();

    void ShowError(const QString& text);
    void WarnIfLongEntry(const QString& text);
    QString AskOpenFile(const QString& defaultSuffix);

    std::unique_ptr<Ui::TfrmEditor> ui;
    QMenu* PopupMenu1 = nullptr;
    UuEditRegi::TRegi FRegi;
    // The encoding the edited text is saved in: that of the file it came from.
    ShiftJis::TTextEncoding FTextEncoding = ShiftJis::TTextEncoding::ShiftJis;
    QString FOpenFilter;
    QString FOpenFolder;
    bool FEndingSession = false; // closing without a question
    bool FShownOnce = false;     // the layout restored has met the window's real size
    // The recovery file whose text is being edited, kept until that text is saved or dropped.
    std::filesystem::path FRecoveryFile;
};

// The recovery files the editor left in the program folder at the end of earlier sessions:
// "エディタの復元.txt", then "エディタの復元 (2).txt" and so on, in that order.
std::vector<std::filesystem::path> EditorRecoveryFiles();
