// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/UfRegiFileBox.h"

#include "platform/DialogFrame.h"
#include "platform/Dialogs.h"
#include "ui_UfRegiFileBox.h"

#include <QScreen>

void CentreOnScreen(QWidget& window) {
    QScreen* screen = window.screen();
    if (screen)
        window.move(screen->availableGeometry().center() - window.rect().center());
}

TfrmRegiBox::TfrmRegiBox(const QStringList& files, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(std::make_unique<Ui::TfrmRegiBox>()) {
    ui->setupUi(this);
    setSizeGripEnabled(true);
    ui->ListBox1->setAttribute(Qt::WA_InputMethodEnabled, false);
    ui->ListBox1->addItems(files);
    connect(ui->Button1, &QPushButton::clicked, this, &TfrmRegiBox::Button1Click);
    connect(ui->Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->ListBox1, &QListWidget::itemDoubleClicked, this, &TfrmRegiBox::Button1Click);
}

TfrmRegiBox::~TfrmRegiBox() = default;

void TfrmRegiBox::Button1Click() {
    if (ui->ListBox1->currentRow() < 0 || ui->ListBox1->selectedItems().isEmpty()) {
        Dialogs::ShowError(this, tr("登録するファイル名が選択されていません。"));
        return;
    }
    accept();
}

std::optional<int> TfrmRegiBox::Choose(QWidget* parent, const QStringList& files) {
    TfrmRegiBox box(files, parent);
    FitToCaption(&box);
    CentreOnScreen(box);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.ui->ListBox1->currentRow();
}
