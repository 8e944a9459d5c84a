// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/UfTitleBox.h"

#include "editor/UfRegiFileBox.h"
#include "platform/DialogFrame.h"
#include "ui_UfTitleBox.h"

#include <algorithm>

TfrmTitleBox::TfrmTitleBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::TfrmTitleBox>()) {
    ui->setupUi(this);
    connect(ui->Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->Button2, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmTitleBox::~TfrmTitleBox() = default;

std::optional<QString> TfrmTitleBox::Ask(QWidget* parent, const QString& message,
                                         const QString& title) {
    TfrmTitleBox box(parent);
    box.ui->Label1->setText(message);
    box.ui->Edit1->setText(title);
    box.ui->Edit1->selectAll();
    box.setFixedSize(box.sizeHint().expandedTo(QSize(std::max(360, CaptionWidth(&box)), 0)));
    CentreOnScreen(box);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.ui->Edit1->text();
}
