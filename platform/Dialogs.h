// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one place where the program shows message boxes, asks questions and lets the learner
// choose files. Windows never call QMessageBox or QFileDialog themselves, so that tests can read
// every message and answer every question through a responder.

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace Dialogs {

enum class TIcon { Information, Warning, Error };

// A modal box with an OK button.
void ShowMessage(QWidget* parent, TIcon icon, const QString& text);
inline void ShowError(QWidget* parent, const QString& text) {
    ShowMessage(parent, TIcon::Error, text);
}
inline void ShowWarning(QWidget* parent, const QString& text) {
    ShowMessage(parent, TIcon::Warning, text);
}
inline void ShowInformation(QWidget* parent, const QString& text) {
    ShowMessage(parent, TIcon::Information, text);
}

// A modal box with Yes and No; true for Yes.
bool AskYesNo(QWidget* parent, TIcon icon, const QString& text);

// A modal box with Yes, No and Cancel, for a question whose No loses something (a text not
// saved): Cancel, which Escape and the close box also answer, abandons what asked.
enum class TAnswer { Yes, No, Cancel };
TAnswer AskYesNoCancel(QWidget* parent, TIcon icon, const QString& text);

struct TFileDialogOptions {
    QString Caption;
    QString Folder;        // the folder shown first
    QString FileName;      // the name proposed (save) or preselected (open)
    QString Filter;        // in Qt's form, such as "テキストファイル (*.txt)"
    QString DefaultSuffix; // added to a name typed without one, such as "txt"
};

// The chosen path, or an empty string when the learner cancelled. Opening asks for an existing
// file; saving asks before overwriting one.
QString AskOpenFileName(QWidget* parent, const TFileDialogOptions& options);
QString AskSaveFileName(QWidget* parent, const TFileDialogOptions& options);

// Where to save an exported CSV file: the save dialog with the caption "CSV形式で保存", the
// documents folder and `fileName` proposed; an empty string when the learner cancelled.
QString AskCsvFileName(QWidget* parent, const QString& fileName);

// Why an answer to AskText cannot be taken, such as "ファイル名を入力してください"; an empty
// text takes it.
using TRefusal = std::function<QString(const QString& answer)>;

// A one-line text question; nothing when cancelled. An answer that `refusal` refuses is shown
// in an error box and the question stays open with that answer selected, to be corrected.
std::optional<QString> AskText(QWidget* parent, const QString& caption, const QString& prompt,
                               const QString& initial = {}, const TRefusal& refusal = {});

// While a responder is installed no dialog appears: every call goes to it instead.
class TResponder {
public:
    virtual ~TResponder() = default;
    virtual void Message(TIcon icon, const QString& text) = 0;
    virtual bool YesNo(TIcon icon, const QString& text) = 0;
    virtual TAnswer YesNoCancel(TIcon icon, const QString& text) = 0;
    virtual QString OpenFileName(const TFileDialogOptions& options) = 0;
    virtual QString SaveFileName(const TFileDialogOptions& options) = 0;
    virtual std::optional<QString> Text(const QString& caption, const QString& prompt,
                                        const QString& initial) = 0;
};

// Installs `responder` (nullptr removes it); returns the one it replaces.
TResponder* SetResponder(TResponder* responder);

} // namespace Dialogs
