// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The settings dialog: the font sizes of touch typing and of the other modes, the romaji
// guide's case, the input style and keyboard of touch typing, the twelve graph bounds, the kinsoku
// character sets for display, and the kana course's targets. Every change goes into the settings
// block (or, for the course, the statistics store's settings) as the control changes; there is no
// cancel, so closing by O K or by the caption's close button keeps everything.

#include "store/UOptionRanges.h"
#include "store/UPracticeKinds.h"

#include <QCoreApplication>
#include <QDialog>

#include <array>
#include <memory>

namespace Ui {
class TfrmSetOption;
}

class QLineEdit;
class QMenu;
class TStatsStore;
class TUpDown;

class TfrmSetOption : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(TfrmSetOption)

public:
    // `stats` holds the course's targets and progress and the input style and keyboard of
    // touch typing; without it the page "上達" and those two choices are shown disabled with a
    // note. `desktopKeyboard` is the keyboard shown where none was chosen.
    explicit TfrmSetOption(QWidget* parent = nullptr, TStatsStore* stats = nullptr,
                           TKeyboardKind desktopKeyboard = TKeyboardKind::Jis);
    ~TfrmSetOption() override;

    // Hands the course's settings to the store's writer as the dialog closes.
    void done(int result) override;

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
    // The input style and keyboard of touch typing.
    void ShowTouchSettings();
    void ComboBox1Change();
    // The page "上達".
    void ShowCourse();
    void ShowCourseProgress();
    void Edit21Change();
    void Button2Click();
    // The display language, stored for the next start.
    void ShowLanguage();
    void ComboBox5Change(int index);

    std::unique_ptr<Ui::TfrmSetOption> ui;
    TStatsStore* FStats;
    TKeyboardKind FDesktopKeyboard;
    QMenu* PopupMenu1;
    std::array<TBoundRow, GraphBoundPairCount> FBoundRows;
};
