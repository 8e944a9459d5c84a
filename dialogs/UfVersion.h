// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The about box: the painted logo, the program's icon, name and version, a notice line, a
// request for defect reports and the author's mail address as a link.

#include <QCoreApplication>
#include <QDialog>

#include <memory>

namespace Ui {
class TfrmVersion;
}

class TPaintLogo;

class TfrmVersion : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(TfrmVersion)

public:
    explicit TfrmVersion(QWidget* parent = nullptr);
    ~TfrmVersion() override;

    // "TYPORIN ver. " and the program's version.
    static QString VersionText();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void Label3Click();

    std::unique_ptr<Ui::TfrmVersion> ui;
    std::unique_ptr<TPaintLogo> FLogo;
};
