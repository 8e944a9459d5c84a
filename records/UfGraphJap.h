// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The records window: the practised titles of one mode with their counts, a grid with one row
// per record, four graph strips over the same records, deletion of a title's records and
// export of what the grid shows as CSV. It works on the store the main window keeps; the store
// reaches Typorin.dat when the main window closes.

#include "records/UGraphPlot.h"
#include "records/URecords.h"

#include <QCoreApplication>
#include <QMainWindow>

#include <memory>
#include <string>

namespace Ui {
class TfrmGraphJap;
}

class QMouseEvent;
class QPainter;
class QListWidgetItem;

// The caption's lead; the title shown follows it.
inline QString GraphCaptionLead() {
    return QCoreApplication::translate("TfrmGraphJap", "TYPORIN  グラフ  ");
}

// What the records window takes from the main window when it opens.
struct TMainWindowState {
    bool Sequential = false; // the sequential-input mode item is checked
    bool Bulk = false;       // the bulk-input mode item is checked
    bool LineComp = false;   // bulk input compares line by line
    QString FontFace;        // the main window's font
};

// Draws one strip of size `size` onto `painter`: kind 0 one series, kind 1 two packed series
// (see TStripPlot), the highlight at record `selIndex`, the frame, the dotted lines every 10
// units and the bound labels every 250 pixels. The painter's font face is kept; its size is set
// to 9 points.
void DrawGraph(QPainter& painter, QSize size, int kind, std::int32_t upper,
               const std::vector<std::int32_t>& values, std::int32_t lower, int selIndex);

class TfrmGraphJap : public QMainWindow {
    Q_DECLARE_TR_FUNCTIONS(TfrmGraphJap)

public:
    TfrmGraphJap(QWidget* parent, const TMainWindowState& main);
    ~TfrmGraphJap() override;

    // Repaints the four strips with the bounds the store holds now (after the settings
    // dialog has changed them).
    void RefreshGraphs();

    // The record mode of the checked mode item.
    TRecordMode CurrentMode() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectHandlers();
    void FormCreate(const TMainWindowState& main);
    void RestoreGeometry();
    void FormCloseQuery();
    void FormResize();
    std::vector<int> NeededColumnWidths() const;
    void SetStripMinimumHeights();

    void LoadRecords(const std::string& title);
    void BuildTitleList();
    void ResetTitleList();
    void FillGrid();
    void ClearRecList();
    void DeleteTitleRecords(const std::string& title);
    void SetModeStatus();
    void CheckModeItem();

    void Exit1Click();
    void DeleteRecClick();
    void SaveCsv1Click();
    void PartMode1Click(QAction* item);
    void ListBox1MouseDown();
    void StringGrid1MouseDown(int row);

    // The strips.
    TGraphView View() const;
    void SetGraphHints();
    void RepaintStrips();
    void PaintStrip(int strip, QPainter& painter);
    void PaintBox1MouseMove(int x);
    void PaintBox1MouseDown(int x);
    void ScrollBox1Resize();

    std::unique_ptr<Ui::TfrmGraphJap> ui;
    TRecList RecList;
    bool EnglishView = false;
    int SelIndex = 0;
    TRecordMode FRecMode = TRecordMode::BulkWhole; // the record mode of the checked mode item
    int FShownTitleRow = -1;                       // the ListBox1 row whose records RecList holds
};
