// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The settings dialog: the font sizes of touch typing and of the other modes, the romaji
// guide's case, the twelve graph bounds, and the kinsoku character sets for display. Every
// change goes into the settings block as the control changes; there is no cancel, so closing
// by O K or by the caption's close button keeps everything.

#include "store/UOptionRanges.h"

#include <QDialog>

#include <array>
#include <memory>

namespace Ui {
class TfrmSetOption;
}

class QLineEdit;
class QMenu;
class TUpDown;

class TfrmSetOption : public QDialog {
public:
    explicit TfrmSetOption(QWidget* parent = nullptr);
    ~TfrmSetOption() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One row of the graph page: the up-down controls of a pair of bounds.
    struct TBoundRow {
        TUpDown* Upper;
        TUpDown* Lower;
        const TGraphBoundPair* Pair;
    };

    void SetUpControls();
    void ConnectHandlers();
    void FormCreate();
    void Button1Click();
    void Edit1Change(QLineEdit* edit);
    void Edit1Enter(QLineEdit* edit);
    void CheckBox1Click();
    void Edit6Change(QLineEdit* edit);

    std::unique_ptr<Ui::TfrmSetOption> ui;
    QMenu* PopupMenu1;
    std::array<TBoundRow, GraphBoundPairCount> FBoundRows;
};
