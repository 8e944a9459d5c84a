#include "platform/Dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
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
    options.Caption = QStringLiteral("CSV形式で保存");
    options.Folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    options.FileName = fileName;
    options.Filter = QStringLiteral("CSVファイル (*.csv)");
    options.DefaultSuffix = QStringLiteral("csv");
    return AskSaveFileName(parent, options);
}

std::optional<QString> AskText(QWidget* parent, const QString& caption, const QString& prompt,
                               const QString& initial) {
    if (Responder)
        return Responder->Text(caption, prompt, initial);
    bool ok = false;
    QString text =
        QInputDialog::getText(Owner(parent), caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

TResponder* SetResponder(TResponder* responder) {
    TResponder* previous = Responder;
    Responder = responder;
    return previous;
}

} // namespace Dialogs
