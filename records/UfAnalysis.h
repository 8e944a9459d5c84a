// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The analysis window: what the statistics store knows of the learner's typing, for a period of
// days. The keyboard as a heat map of the keys, the kana chart coloured the same way, the table
// of kana units with their spellings, slips, trends and weakness, and the progress by day of
// touch typing and sequential input. Everything is read from the store once, when the window
// opens; a change of period works on what was read. The window keeps its size, layout and
// choices in the store's settings.

#include "analysis/UHeatMap.h"
#include "analysis/UKanaAnalysis.h"
#include "drills/UKanaCourse.h"
#include "romaji/UuKbClass.h"
#include "store/UStatsStore.h"
#include "store/UTouchSettings.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QPolygonF>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Ui {
class TfrmAnalysis;
}

class QPainter;

// The legend of a heat map stands at its right, this wide.
inline constexpr int HeatLegendWidth = 112;

// The keyboard of the heat map: the touch-typing keyboard's geometry and ovals, laid out in a
// paint box of `size`, centred in the room the legend leaves; the keys take the room that the
// touch-typing keyboard gives the finger names below them.
struct THeatKeyboard {
    TKbGeometry Geometry;
    QPolygonF Area; // of a key, around its centre
    int Dx = 0;     // the keyboard's shift to the right

    static THeatKeyboard For(QSize size, TKeyboardStyle style = {});
    // The centre of the oval of the painted key `caption`, in the paint box; none for a key the
    // picture does not draw.
    std::optional<QPoint> Centre(std::string_view caption) const;
    // The painted key under `at`, the one with the nearest centre where ovals overlap; -1 for
    // none.
    int KeyAt(QPoint at) const;
};

// The kana chart in a paint box of `size`, beside its legend.
UHeatMap::TChartLayout HeatChartLayout(QSize size);

// Where a kana course has got to with a unit; the chart marks every unit it is told of.
enum class TUnitState {
    Open,       // not part of the course, or not yet told: drawn as it is
    Locked,     // the course has not reached it: hatched
    InProgress, // being practised: a dot in its corner
    Mastered,   // done: a tick in its corner
};

// The chart's state of every unit of the kana course (named as Items() names them) for a
// learner's progress, recent figures and targets.
std::map<std::u16string, TUnitState>
CourseUnitStates(const UKanaCourse::TProgress& progress,
                 const std::map<std::u16string, UKanaCourse::TUnitFigures>& figures,
                 const UKanaCourse::TTargets& targets);
// The same for what the store holds of `style`: its progress, last attempts and targets.
std::map<std::u16string, TUnitState> CourseUnitStates(TStatsStore& store, TInputStyle style);

class TfrmAnalysis : public QMainWindow {
    Q_DECLARE_TR_FUNCTIONS(TfrmAnalysis)

public:
    // The statistics shown are those of the input style the store's settings choose, the heat
    // map on its keyboard; `desktopKeyboard` where none was chosen.
    TfrmAnalysis(TStatsStore& store, QWidget* parent = nullptr,
                 TKeyboardKind desktopKeyboard = TKeyboardKind::Jis);
    ~TfrmAnalysis() override;

    // The course's state of each unit (hiragana, as the chart names them); others are Open.
    void SetUnitStates(std::map<std::u16string, TUnitState> states);
    // The chart shows the kana course of `style` as the store holds it.
    void ShowCourse(TInputStyle style);

    // Starts a weakness drill in the window that practises it. The button "苦手克服ドリル" is
    // shown only while this is set (looked at whenever the window is shown).
    std::function<void()> OnWeaknessDrill;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Set-up and settings.
    void ConnectHandlers();
    void FormCreate();
    void RestoreSettings();
    void SaveSettings();

    // What is shown.
    void ReadStatistics();
    bool NothingRecorded() const;
    void ShowPeriod();
    void FillTable();
    void ShowStatus();
    void ShowEmptyState(bool empty);

    // Commands.
    void ComboBox1Change();
    void RadioButton1Click();
    void Button1Click();
    void Button2Click();
    void btnWeaknessDrillClick();
    void HelpKeyPress();

    // The paint boxes and their tool tips (UfAnalysis.Paint.cpp).
    void PaintBox1Paint(QPainter& painter);
    void PaintBox2Paint(QPainter& painter);
    void PaintBox3Paint(QPainter& painter);
    QString PaintBox1Tip(QPoint at) const;
    QString PaintBox2Tip(QPoint at) const;
    QString PaintBox3Tip(QPoint at) const;
    // The scales of the figures shown now.
    UHeatMap::TScale KeyScale() const;
    UHeatMap::TScale UnitScale() const;
    // The figure a key or unit is coloured by; none when it has none of that kind.
    std::optional<double> KeyValue(const std::string& caption) const;
    std::optional<double> UnitValue(std::u16string_view unit) const;
    // The first and last day the progress charts span.
    std::pair<int, int> ProgressDays() const;
    TKeyboardStyle HeatStyle() const;

    std::unique_ptr<Ui::TfrmAnalysis> ui;
    TStatsStore& FStore;
    TTouchSettings FTouch;
    int FToday = 0;

    // Every day the store holds, read once.
    std::vector<TUnitDay> FUnitDays;
    std::vector<TKeyDay> FKeyDays;
    std::vector<TMissDay> FMissDays;
    std::vector<TTouchDay> FTouchDays;
    std::vector<TCommitDay> FCommitDays;

    // The figures of the period shown.
    int FFromDay = 0;
    std::vector<UKanaAnalysis::TUnitRow> FRows;
    std::map<std::u16string, std::size_t> FRowOfUnit;
    std::map<std::string, UKanaAnalysis::TKeyFigure> FKeys;
    std::vector<UKanaAnalysis::TDayProgress> FProgress;

    UHeatMap::TMeasure FMeasure = UHeatMap::TMeasure::Accuracy;
    std::map<std::u16string, TUnitState> FUnitStates;
};
