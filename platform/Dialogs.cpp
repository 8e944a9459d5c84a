// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Dialogs.h"

#include "platform/DialogFrame.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardPaths>

namespace Dialogs {

namespace {

TResponder* Responder = nullptr;

const QString Caption = QStringLiteral("TYPORIN");

QMessageBox::Icon ToQt(TIcon icon) {
    switch (icon) {
    case TIcon::Information:
        return QMessageBox::Information;
    case TIcon::Warning:
        return QMessageBox::Warning;
    case TIcon::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// The messages hold CR LF breaks, as the program writes them; a box shows LF breaks.
QString Displayed(const QString& text) {
    QString shown = text;
    return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A box whose window is not on screen yet (a message at start-up) is centred on the screen.
QWidget* Owner(QWidget* parent) {
    return parent && parent->isVisible() ? parent : nullptr;
}

// The input box of AskText: OK with an answer the refusal refuses shows why and keeps the box
// open, the answer selected.
class TTextDialog : public QInputDialog {
public:
    TTextDialog(QWidget* parent, TRefusal refusal)
        : QInputDialog(parent), FRefusal(std::move(refusal)) {
        setInputMode(QInputDialog::TextInput);
    }

    // The box lays itself out as it is shown, and only then can be fitted to its caption.
    void setVisible(bool visible) override {
        QInputDialog::setVisible(visible);
        if (visible)
            FitToCaption(this);
    }

    void done(int result) override {
        if (result == QDialog::Accepted && FRefusal) {
            if (QString why = FRefusal(textValue()); !why.isEmpty()) {
                ShowMessage(this, TIcon::Error, why);
                if (auto* edit = findChild<QLineEdit*>()) {
                    edit->selectAll();
                    edit->setFocus();
                }
                return;
            }
        }
        QInputDialog::done(result);
    }

private:
    TRefusal FRefusal;
};

QString AskFileName(QWidget* parent, const TFileDialogOptions& options, bool save) {
    QFileDialog dialog(Owner(parent), options.Caption, options.Folder, options.Filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(options.DefaultSuffix);
    if (!options.FileName.isEmpty())
        dialog.selectFile(options.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

void ShowMessage(QWidget* parent, TIcon icon, const QString& text) {
    if (Responder) {
        Responder->Message(icon, text);
        return;
    }
    QMessageBox box(ToQt(icon), Caption, Displayed(text), QMessageBox::Ok, Owner(parent));
    box.exec();
}

bool AskYesNo(QWidget* parent, TIcon icon, const QString& text) {
    if (Responder)
        return Responder->YesNo(icon, text);
    QMessageBox box(ToQt(icon), Caption, Displayed(text), QMessageBox::Yes | QMessageBox::No,
                    Owner(parent));
    return box.exec() == QMessageBox::Yes;
}

TAnswer AskYesNoCancel(QWidget* parent, TIcon icon, const QString& text) {
    if (Responder)
        return Responder->YesNoCancel(icon, text);
    QMessageBox box(ToQt(icon), Caption, Displayed(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, Owner(parent));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return TAnswer::Yes;
    case QMessageBox::No:
        return TAnswer::No;
    default:
        return TAnswer::Cancel;
    }
}

QString AskOpenFileName(QWidget* parent, const TFileDialogOptions& options) {
    if (Responder)
        return Responder->OpenFileName(options);
    return AskFileName(parent, options, false);
}

QString AskSaveFileName(QWidget* parent, const TFileDialogOptions& options) {
    if (Responder)
        return Responder->SaveFileName(options);
    return AskFileName(parent, options, true);
}

QString AskCsvFileName(QWidget* parent, const QString& fileName) {
    TFileDialogOptions options;
    options.Caption = QCoreApplication::translate("Dialogs", "CSV形式で保存");
    options.Folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    options.FileName = fileName;
    options.Filter = QCoreApplication::translate("Dialogs", "CSVファイル (*.csv)");
    options.DefaultSuffix = QStringLiteral("csv");
    return AskSaveFileName(parent, options);
}

std::optional<QString> AskText(QWidget* parent, const QString& caption, const QString& prompt,
                               const QString& initial, const TRefusal& refusal) {
    if (Responder) {
        // Asked again, with the refused answer, as the dialog stays open with it.
        for (QString shown = initial;;) {
            std::optional<QString> answer = Responder->Text(caption, prompt, shown);
            QString why = answer && refusal ? refusal(*answer) : QString();
            if (why.isEmpty())
                return answer;
            Responder->Message(TIcon::Error, why);
            shown = *answer;
        }
    }
    TTextDialog dialog(Owner(parent), refusal);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

TResponder* SetResponder(TResponder* responder) {
    TResponder* previous = Responder;
    Responder = responder;
    return previous;
}

} // namespace Dialogs
