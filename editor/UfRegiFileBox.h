// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The register-file chooser of the editor's adding commands: a list of the register files and
// O K / 中 止. O K without a chosen line refuses with a message and keeps the dialog open.

#include <QCoreApplication>
#include <QDialog>
#include <QStringList>

#include <memory>
#include <optional>

// Places `window` in the middle of its screen's free area.
void CentreOnScreen(QWidget& window);

namespace Ui {
class TfrmRegiBox;
}

class TfrmRegiBox : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(TfrmRegiBox)

public:
    explicit TfrmRegiBox(const QStringList& files, QWidget* parent = nullptr);
    ~TfrmRegiBox() override;

    // Shows the dialog modally: the index of the chosen line, nothing when cancelled.
    static std::optional<int> Choose(QWidget* parent, const QStringList& files);

private:
    void Button1Click();

    std::unique_ptr<Ui::TfrmRegiBox> ui;
};
