#pragma once

// The main window: the register and sentence lists, the example and typing panes, the
// keyboard, the menus, the tool bar and the two status bars; the three practice modes.

#include "registers/UuRegi.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>
#include <string>

namespace Ui {
class TfrmMain;
}

class QAction;
class QStatusBar;
class QTextEdit;
class QTreeWidgetItem;

class TfrmMain : public QMainWindow {
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Shows the window in front of the others (a second start asks for this).
    void BringToFront();

    // Practice modes.
    static constexpr int TouchMode = 0;
    static constexpr int PartMode = 1;
    static constexpr int AllMode = 2;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    void CreateStatusBars();
    void ConnectHandlers();
    void FormCreate();
    void ReadSettings();
    void RestoreGeometry();
    bool FormCloseQuery();

    // Registers and sentences.
    void ListRegisters();
    void ListView1SelectItem();
    void ListView2Change(QTreeWidgetItem* item);
    void Refresh1Click();
    void SetCaption();

    // Commands.
    void TouchActExecute(QAction* item);
    void LineCompActExecute();
    void AutoCrLfActExecute();
    void HelpActExecute();
    void Exit1Click();

    // The steps the commands share.
    void ApplyMode();
    void StopExercise();
    void ResetPanes();
    void FontStep();
    void ShowBanner();
    bool BannerHit(const QPoint& viewportPos) const;
    void PlaceRulerMarker();

    void SetStatus(QStatusBar* bar, int panel, const QString& text);

    std::unique_ptr<Ui::TfrmMain> ui;
    UuRegi::TRegi FRegi;

    // Window state; all zero at creation.
    int FMode = 0;
    bool FRunning = false;
    int FSeconds = 0;
    int FKeyCount = 0;
    int FTouchMisses = 0;
    int FCharCount = 0;
    int FKanjiCount = 0;
    int FSingleByte = 0;
    std::u16string FPracticeText;
    QString FTextPath;
    std::string FTitle;
    std::string FImeResult;
    int FLineHeight = 0;
    int FWrapCol = 0;
    int FCellWidth = 0;
    bool FDragging = false;
    int FDragOffset = 0;
    bool FCheckedBefore = false;
    bool FBannerShown = false;

    QTimer Timer1;
};
