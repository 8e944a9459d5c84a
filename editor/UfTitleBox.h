// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The title dialog of the editor's adding commands: a message, the title (preset by the caller)
// and O K / キャンセル. Closing it by its close box cancels.

#include <QCoreApplication>
#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class TfrmTitleBox;
}

class TfrmTitleBox : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(TfrmTitleBox)

public:
    explicit TfrmTitleBox(QWidget* parent = nullptr);
    ~TfrmTitleBox() override;

    // Shows the dialog modally with `message` and `title`: the title entered, nothing when
    // cancelled.
    static std::optional<QString> Ask(QWidget* parent, const QString& message,
                                      const QString& title);

private:
    std::unique_ptr<Ui::TfrmTitleBox> ui;
};
