// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/UfAnalysis.h"

#include "analysis/UAnalysisTexts.h"
#include "analysis/UKanaChart.h"
#include "platform/Dialogs.h"
#include "platform/FileIo.h"
#include "platform/Fonts.h"
#include "platform/Icons.h"
#include "platform/PaintBox.h"
#include "platform/Screens.h"
#include "platform/Shell.h"
#include "platform/StatusPanel.h"
#include "store/UDataFile.h"
#include "ui_UfAnalysis.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QHeaderView>
#include <QHelpEvent>
#include <QShortcut>
#include <QToolTip>

#include <charconv>
#include <climits>
#include <cmath>
#include <limits>

namespace {

QString ClearQuestionText() {
    return QCoreApplication::translate(
        "TfrmAnalysis", "タッチタイプ・逐次入力・一括入力の統計をすべて消去します。\r\n"
                        "消去した統計は元に戻せません。よろしいですか？\r\n\r\n"
                        "（グラフの練習記録と設定はそのまま残ります。）");
}
QString EmptyStateText() {
    return QCoreApplication::translate(
        "TfrmAnalysis", "まだ統計がありません。\n\n"
                        "タッチタイプで練習すると、かなとキーごとの正確さと速さ、苦手なかなが"
                        "ここに表示されます。\n"
                        "逐次入力で練習すると、変換の確定がうまくいった割合と、1 文字あたりの"
                        "打鍵数が「日ごとの推移」に表示されます。");
}
QString NoFiguresInPeriodText() {
    return QCoreApplication::translate("TfrmAnalysis", "この期間には統計がありません。");
}
QString CsvSaveErrorText() {
    return QCoreApplication::translate("TfrmAnalysis", "CSVファイルの保存に失敗しました。\r\n");
}
QString NoHelpFileText() {
    return QCoreApplication::translate("TfrmAnalysis", "ヘルプファイルがありません。");
}
const QString HelpPage = QStringLiteral("analysis.html");

// The settings the window keeps in the store.
const std::string BoundsSetting = "analysis.bounds"; // "left,top,width,height"
const std::string SplitterSetting = "analysis.splitter";
const std::string TabSetting = "analysis.tab";
const std::string PeriodSetting = "analysis.period";
const std::string HeatSetting = "analysis.heat";
const std::string SortSetting = "analysis.sort"; // "column,order" with order 0 or 1

constexpr int DefaultWidth = 960;
constexpr int DefaultHeight = 680;
// The share of the splitter that the pictures take when nothing is stored.
constexpr double DefaultPictureShare = 0.6;

// The stored names of the periods and measures, in the order of their controls.
const char* const PeriodNames[] = {"all", "30", "7"};
constexpr int PeriodDays[] = {0, 30, 7};
const char* const MeasureNames[] = {"accuracy", "speed"};

// The unit table's columns.
enum TColumn {
    UnitColumn,
    SpellingsColumn,
    AttemptsColumn,
    AccuracyColumn,
    MedianColumn,
    InsteadColumn,
    TrendMillisColumn,
    TrendAccuracyColumn,
    WeaknessColumn,
    ColumnCount
};

constexpr int MaxSpellingsWidth = 280;

// Items of the unit table keep the number they sort by and the row of FRows they show.
constexpr int SortRole = Qt::UserRole;
constexpr int RowRole = Qt::UserRole + 1;
// The sort key of a figure that is missing: below every figure.
constexpr double NoFigure = -std::numeric_limits<double>::infinity();

class TSortItem : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant a = data(SortRole), b = other.data(SortRole);
        if (a.isValid() && b.isValid())
            return a.toDouble() < b.toDouble();
        return QTableWidgetItem::operator<(other);
    }
};

QString Q(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// "12,-3,40" as {12, -3, 40}; anything else (a blank, a letter, an empty number) as none.
std::vector<int> ParseInts(const std::optional<std::string>& text) {
    std::vector<int> values;
    if (!text || text->empty() || text->back() == ',')
        return values;
    const char* p = text->data();
    const char* end = p + text->size();
    while (p < end) {
        int value = 0;
        auto [next, error] = std::from_chars(p, end, value);
        if (error != std::errc() || (next < end && *next != ','))
            return {};
        values.push_back(value);
        p = next < end ? next + 1 : next;
    }
    return values;
}

template <std::size_t N>
int IndexOf(const char* const (&names)[N], const std::optional<std::string>& name, int fallback) {
    for (std::size_t i = 0; i < N; ++i)
        if (name && *name == names[i])
            return static_cast<int>(i);
    return fallback;
}

// The place of a unit in the kana chart, for sorting by kana; units off the chart come after it.
int ChartOrder(std::u16string_view unit) {
    int index = 0;
    for (const UKanaChart::TRow& row : UKanaChart::Rows)
        for (std::u16string_view cell : row.Cells) {
            if (!cell.empty() && cell == unit)
                return index;
            ++index;
        }
    return index + (unit.empty() ? 0 : unit.front());
}

} // namespace

// ---- The kana course on the chart ----

std::map<std::u16string, TUnitState>
CourseUnitStates(const UKanaCourse::TProgress& progress,
                 const std::map<std::u16string, UKanaCourse::TUnitFigures>& figures,
                 const UKanaCourse::TTargets& targets) {
    std::map<std::u16string, TUnitState> states;
    for (const UKanaCourse::TItem& item : UKanaCourse::Items()) {
        std::optional<UKanaCourse::TState> state =
            UKanaCourse::UnitState(item.Unit, progress, figures, targets);
        if (!state)
            continue;
        switch (*state) {
        case UKanaCourse::TState::Locked:
            states[std::u16string(item.Unit)] = TUnitState::Locked;
            break;
        case UKanaCourse::TState::InProgress:
            states[std::u16string(item.Unit)] = TUnitState::InProgress;
            break;
        case UKanaCourse::TState::Mastered:
            states[std::u16string(item.Unit)] = TUnitState::Mastered;
            break;
        }
    }
    return states;
}

std::map<std::u16string, TUnitState> CourseUnitStates(TStatsStore& store, TInputStyle style) {
    return CourseUnitStates(UKanaCourse::LoadProgress(store, style),
                            UKanaCourse::RecentFigures(store.RecentAttempts(style)),
                            UKanaCourse::LoadTargets(store));
}

// ---- Opening and closing ----

TfrmAnalysis::TfrmAnalysis(TStatsStore& store, QWidget* parent, TKeyboardKind desktopKeyboard)
    : QMainWindow(parent), ui(std::make_unique<Ui::TfrmAnalysis>()), FStore(store),
      FTouch(LoadTouchSettings(&store, desktopKeyboard)) {
    QFont font(ProportionalFontFace);
    font.setPixelSize(14);
    setFont(font);
    ui->setupUi(this);
    setWindowIcon(WindowIcon(QStringLiteral("analysis")));
    setAttribute(Qt::WA_DeleteOnClose);
    ConnectHandlers();
    FormCreate();
}

TfrmAnalysis::~TfrmAnalysis() = default;

void TfrmAnalysis::ConnectHandlers() {
    QFont small(ProportionalFontFace);
    small.setPixelSize(12);
    ui->StatusBar1->setFont(small);
    AddStatusPanels(ui->StatusBar1, {{330}, {200}});

    connect(ui->ComboBox1, &QComboBox::currentIndexChanged, this, &TfrmAnalysis::ComboBox1Change);
    connect(ui->RadioButton1, &QRadioButton::toggled, this, &TfrmAnalysis::RadioButton1Click);
    connect(ui->Button1, &QPushButton::clicked, this, &TfrmAnalysis::Button1Click);
    connect(ui->Button2, &QPushButton::clicked, this, &TfrmAnalysis::Button2Click);
    connect(ui->Button3, &QPushButton::clicked, this, &TfrmAnalysis::close);
    connect(ui->btnWeaknessDrill, &QPushButton::clicked, this,
            &TfrmAnalysis::btnWeaknessDrillClick);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &TfrmAnalysis::HelpKeyPress);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &TfrmAnalysis::close);

    ui->Label2->setText(EmptyStateText());
    ui->PaintBox1->OnPaint = [this](QPainter& painter) { PaintBox1Paint(painter); };
    ui->PaintBox2->OnPaint = [this](QPainter& painter) { PaintBox2Paint(painter); };
    ui->PaintBox3->OnPaint = [this](QPainter& painter) { PaintBox3Paint(painter); };
    for (TPaintBox* box : {ui->PaintBox1, ui->PaintBox2, ui->PaintBox3}) {
        box->setAttribute(Qt::WA_OpaquePaintEvent);
        box->installEventFilter(this);
    }

    QTableWidget* table = ui->ListView1;
    table->setColumnCount(ColumnCount);
    const QString headers[ColumnCount] = {
        tr("かな"),       tr("つづり（割合・中央値）"),
        tr("回数"),       tr("正確さ%"),
        tr("中央値ms"),   tr("打ち間違い"),
        tr("時間の変化"), tr("正確さの変化"),
        tr("苦手度"),
    };
    const QString headerTips[ColumnCount] = {
        tr("★は苦手なかな（苦手度の高い %1 個まで）").arg(UKanaAnalysis::WeakestMarked),
        tr("打ったつづりと、その割合と中央値（ミリ秒）"),
        tr("この期間に打った回数"),
        tr("ミスなしで打てた割合（%）"),
        tr("前のキーから打ち終わるまでの時間の中央値（ミリ秒）"),
        tr("いちばん多い打ち間違い（正しいキー→打ったキー）"),
        tr("最近 %1 日の中央値とそれより前の中央値の差（ミリ秒。マイナスは速くなった）")
            .arg(UKanaAnalysis::TrendDays),
        tr("最近 %1 日の正確さとそれより前の正確さの差（ポイント。プラスは良くなった）")
            .arg(UKanaAnalysis::TrendDays),
        tr("ミスと遅さを、あなた自身の平均と比べた数値（1.0 が平均。%1 回以上打ったかなだけ）")
            .arg(UKanaAnalysis::MinAttempts),
    };
    for (int column = 0; column < ColumnCount; ++column) {
        auto* item = new QTableWidgetItem(headers[column]);
        item->setToolTip(headerTips[column]);
        table->setHorizontalHeaderItem(column, item);
    }
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSortIndicatorShown(true);
    table->horizontalHeader()->setHighlightSections(false);
    table->setSortingEnabled(true);
}

void TfrmAnalysis::FormCreate() {
    ReadStatistics();
    // The choices as they were left, without a round of work per control.
    {
        const QSignalBlocker period(ui->ComboBox1), measure(ui->RadioButton1);
        ui->ComboBox1->setCurrentIndex(IndexOf(PeriodNames, FStore.Setting(PeriodSetting), 0));
        const int measureIndex = IndexOf(MeasureNames, FStore.Setting(HeatSetting), 0);
        FMeasure = measureIndex == 0 ? UHeatMap::TMeasure::Accuracy : UHeatMap::TMeasure::Speed;
        ui->RadioButton1->setChecked(measureIndex == 0);
        ui->RadioButton2->setChecked(measureIndex == 1);
    }
    const std::vector<int> sort = ParseInts(FStore.Setting(SortSetting));
    if (sort.size() == 2 && sort[0] >= 0 && sort[0] < ColumnCount && (sort[1] == 0 || sort[1] == 1))
        ui->ListView1->sortByColumn(sort[0], static_cast<Qt::SortOrder>(sort[1]));
    else
        ui->ListView1->sortByColumn(WeaknessColumn, Qt::DescendingOrder);
    ShowPeriod();
    // After the lines above the splitter have their text: their height is the splitter's room.
    RestoreSettings();
}

// Bounds, the split between pictures and table and the tab, as they were left. The window is not
// shown yet: its layout is run by hand so that the splitter is placed at its real size.
void TfrmAnalysis::RestoreSettings() {
    std::vector<int> bounds = ParseInts(FStore.Setting(BoundsSetting));
    if (bounds.size() != 4)
        bounds = {0, 0, 0, 0};
    FitBoundsOnScreens(bounds[0], bounds[1], bounds[2], bounds[3], DefaultWidth, DefaultHeight,
                       AvailableScreens());
    setGeometry(bounds[0], bounds[1], bounds[2], bounds[3]);
    layout()->activate();
    centralWidget()->layout()->activate();

    QSplitter* splitter = ui->Splitter1;
    const int total = splitter->height() - splitter->handleWidth();
    const std::vector<int> stored = ParseInts(FStore.Setting(SplitterSetting));
    int top = stored.size() == 1 ? stored[0] : static_cast<int>(total * DefaultPictureShare);
    top = std::clamp(top, 0, std::max(0, total));
    splitter->setSizes({top, total - top});

    const std::vector<int> tab = ParseInts(FStore.Setting(TabSetting));
    if (tab.size() == 1 && tab[0] >= 0 && tab[0] < ui->PageControl1->count())
        ui->PageControl1->setCurrentIndex(tab[0]);
}

void TfrmAnalysis::SaveSettings() {
    const QRect bounds = geometry();
    std::vector<int> stored = ParseInts(FStore.Setting(BoundsSetting));
    // Wayland tells no window where it is: the position stored stays.
    const bool keepPosition = PositionsHidden() && stored.size() == 4;
    const int left = keepPosition ? stored[0] : bounds.x();
    const int top = keepPosition ? stored[1] : bounds.y();
    FStore.SetSetting(BoundsSetting, std::to_string(left) + "," + std::to_string(top) + "," +
                                         std::to_string(bounds.width()) + "," +
                                         std::to_string(bounds.height()));
    // A hidden splitter (the empty state) was never laid out: its sizes mean nothing.
    if (ui->Splitter1->isVisible())
        FStore.SetSetting(SplitterSetting, std::to_string(ui->Splitter1->sizes().value(0)));
    FStore.SetSetting(TabSetting, std::to_string(ui->PageControl1->currentIndex()));
    FStore.SetSetting(PeriodSetting, PeriodNames[ui->ComboBox1->currentIndex()]);
    FStore.SetSetting(HeatSetting, MeasureNames[FMeasure == UHeatMap::TMeasure::Speed ? 1 : 0]);
    const QHeaderView* header = ui->ListView1->horizontalHeader();
    FStore.SetSetting(SortSetting, std::to_string(header->sortIndicatorSection()) + "," +
                                       std::to_string(header->sortIndicatorOrder()));
    FStore.Flush();
}

void TfrmAnalysis::showEvent(QShowEvent* event) {
    ui->btnWeaknessDrill->setVisible(static_cast<bool>(OnWeaknessDrill));
    QMainWindow::showEvent(event);
}

void TfrmAnalysis::closeEvent(QCloseEvent* event) {
    SaveSettings();
    event->accept();
}

bool TfrmAnalysis::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        QString tip;
        if (watched == ui->PaintBox1)
            tip = PaintBox1Tip(help->pos());
        else if (watched == ui->PaintBox2)
            tip = PaintBox2Tip(help->pos());
        else if (watched == ui->PaintBox3)
            tip = PaintBox3Tip(help->pos());
        else
            return QMainWindow::eventFilter(watched, event);
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, static_cast<QWidget*>(watched));
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmAnalysis::SetUnitStates(std::map<std::u16string, TUnitState> states) {
    FUnitStates = std::move(states);
    ui->PaintBox2->update();
}

void TfrmAnalysis::ShowCourse(TInputStyle style) {
    SetUnitStates(CourseUnitStates(FStore, style));
}

// ---- What is shown ----

// Every day of the store, once: periods are cut from these in memory.
void TfrmAnalysis::ReadStatistics() {
    FToday = TStatsStore::LocalDay(TStatsStore::Now());
    FUnitDays = FStore.UnitDays(FTouch.Style, INT_MIN);
    FKeyDays = FStore.KeyDays(FTouch.Style, INT_MIN);
    FMissDays = FStore.MissDays(FTouch.Style, INT_MIN);
    FTouchDays = FStore.TouchDays(FTouch.Style, INT_MIN);
    FCommitDays = FStore.CommitDays(INT_MIN);
}

bool TfrmAnalysis::NothingRecorded() const {
    return FUnitDays.empty() && FKeyDays.empty() && FTouchDays.empty() && FCommitDays.empty();
}

void TfrmAnalysis::ShowPeriod() {
    const int days = PeriodDays[std::clamp(ui->ComboBox1->currentIndex(), 0, 2)];
    FFromDay = days == 0 ? INT_MIN : FToday - days + 1;

    FRows = UKanaAnalysis::UnitTable(FUnitDays, FMissDays, {FFromDay, FToday});
    FRowOfUnit.clear();
    for (std::size_t i = 0; i < FRows.size(); ++i)
        FRowOfUnit[FRows[i].Unit] = i;
    FKeys.clear();
    for (UKanaAnalysis::TKeyFigure& key :
         UHeatMap::PaintedKeyFigures(FKeyDays, FFromDay, KeyboardInUse(FTouch)))
        FKeys[key.Key] = std::move(key);
    FProgress = UKanaAnalysis::Progress(FTouchDays, FCommitDays, FFromDay);

    ShowEmptyState(NothingRecorded());
    if (FRows.empty() && FProgress.empty())
        ui->Label1->setText(NoFiguresInPeriodText());
    else
        ui->Label1->setText(Q(UAnalysisTexts::WeakestLine(FRows)));
    FillTable();
    ShowStatus();
    for (TPaintBox* box : {ui->PaintBox1, ui->PaintBox2, ui->PaintBox3})
        box->update();
}

void TfrmAnalysis::FillTable() {
    QTableWidget* table = ui->ListView1;
    const int sortColumn = table->horizontalHeader()->sortIndicatorSection();
    const Qt::SortOrder sortOrder = table->horizontalHeader()->sortIndicatorOrder();
    table->setSortingEnabled(false);
    table->clearContents();
    table->setRowCount(static_cast<int>(FRows.size()));
    QFont weakFont = table->font();
    weakFont.setBold(true);
    const QBrush weakBrush(QColor(255, 236, 200));
    auto number = [](std::optional<double> value) { return value ? *value : NoFigure; };
    auto millis = [](std::optional<int> value) {
        return value ? std::optional<double>(*value) : std::nullopt;
    };
    struct TCell {
        std::string Text;
        std::optional<double> Sort; // none: sorted by its text
    };
    for (int r = 0; r < table->rowCount(); ++r) {
        const UKanaAnalysis::TUnitRow& row = FRows[r];
        const TCell cells[ColumnCount] = {
            {UAnalysisTexts::Utf8(row.Unit) + (row.Weakest ? " ★" : ""), ChartOrder(row.Unit)},
            {UAnalysisTexts::SpellingsText(row), std::nullopt},
            {std::to_string(row.Attempts), row.Attempts},
            {UAnalysisTexts::PercentText(row.Accuracy), row.Accuracy},
            {UAnalysisTexts::MillisText(row.MedianMillis), number(millis(row.MedianMillis))},
            {UAnalysisTexts::InsteadText(row), std::nullopt},
            {UAnalysisTexts::SignedMillisText(row.TrendMillis), number(millis(row.TrendMillis))},
            {UAnalysisTexts::SignedPointsText(row.TrendAccuracy), number(row.TrendAccuracy)},
            {UAnalysisTexts::ScoreText(row.Weakness), number(row.Weakness)},
        };
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new TSortItem(Q(cells[column].Text));
            if (cells[column].Sort)
                item->setData(SortRole, *cells[column].Sort);
            item->setData(RowRole, r);
            if (column != UnitColumn && column != SpellingsColumn && column != InsteadColumn)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (row.Weakest) {
                item->setFont(weakFont);
                item->setBackground(weakBrush);
            }
            table->setItem(r, column, item);
        }
        table->item(r, UnitColumn)->setToolTip(Q(UAnalysisTexts::UnitTip(row.Unit, &row)));
        table->item(r, SpellingsColumn)->setToolTip(Q(cells[SpellingsColumn].Text));
    }
    table->setSortingEnabled(true);
    table->sortByColumn(sortColumn, sortOrder);
    table->resizeColumnsToContents();
    // Many spellings make a long line: its cell shows what fits, its tool tip the whole.
    table->setColumnWidth(SpellingsColumn,
                          std::min(table->columnWidth(SpellingsColumn), MaxSpellingsWidth));
}

void TfrmAnalysis::ShowStatus() {
    if (NothingRecorded()) {
        StatusPanel(ui->StatusBar1, 0)->SetText({});
        StatusPanel(ui->StatusBar1, 1)->SetText({});
        return;
    }
    int firstDay = INT_MAX, lastDay = INT_MIN;
    int exercises = 0, kana = 0, commits = 0;
    for (const TTouchDay& day : FTouchDays)
        if (day.Day >= FFromDay) {
            exercises += day.Exercises;
            kana += day.Units;
            firstDay = std::min(firstDay, day.Day);
            lastDay = std::max(lastDay, day.Day);
        }
    for (const TCommitDay& day : FCommitDays)
        if (day.Day >= FFromDay) {
            commits += day.Commits;
            firstDay = std::min(firstDay, day.Day);
            lastDay = std::max(lastDay, day.Day);
        }
    QString range;
    if (firstDay <= lastDay)
        range =
            tr("期間内の記録: %1〜%2")
                .arg(Q(UAnalysisTexts::DateText(firstDay)), Q(UAnalysisTexts::DateText(lastDay)));
    StatusPanel(ui->StatusBar1, 0)->SetText(range);
    StatusPanel(ui->StatusBar1, 1)
        ->SetText(tr("タッチタイプ %1 回（かな %2 字）　逐次入力の確定 %3 回")
                      .arg(exercises)
                      .arg(kana)
                      .arg(commits));
}

void TfrmAnalysis::ShowEmptyState(bool empty) {
    ui->Label2->setVisible(empty);
    ui->Label1->setVisible(!empty);
    ui->Splitter1->setVisible(!empty);
    ui->Button1->setEnabled(!empty);
    ui->Button2->setEnabled(!empty);
}

// ---- Commands ----

void TfrmAnalysis::ComboBox1Change() {
    ShowPeriod();
}

void TfrmAnalysis::RadioButton1Click() {
    FMeasure =
        ui->RadioButton1->isChecked() ? UHeatMap::TMeasure::Accuracy : UHeatMap::TMeasure::Speed;
    ui->PaintBox1->update();
    ui->PaintBox2->update();
}

// The unit table as shown, in the order it is sorted, as CSV.
void TfrmAnalysis::Button1Click() {
    const QDate today = QDate::currentDate();
    const QString path = Dialogs::AskCsvFileName(
        this, Q(UAnalysisTexts::CsvFileName(today.year(), today.month(), today.day())));
    if (path.isEmpty())
        return;
    std::vector<UKanaAnalysis::TUnitRow> shown;
    for (int r = 0; r < ui->ListView1->rowCount(); ++r)
        shown.push_back(FRows[ui->ListView1->item(r, UnitColumn)->data(RowRole).toInt()]);
    try {
        SaveWholeFile(QFile::encodeName(path).toStdString(), UAnalysisTexts::UnitTableCsv(shown));
    } catch (const std::exception& e) {
        Dialogs::ShowError(this, CsvSaveErrorText() + QString::fromUtf8(e.what()));
    }
}

void TfrmAnalysis::Button2Click() {
    if (!Dialogs::AskYesNo(this, Dialogs::TIcon::Warning, ClearQuestionText()))
        return;
    FStore.ClearStatistics();
    ReadStatistics();
    ShowPeriod();
}

void TfrmAnalysis::btnWeaknessDrillClick() {
    if (OnWeaknessDrill)
        OnWeaknessDrill();
}

void TfrmAnalysis::HelpKeyPress() {
    if (!OpenHelpFile(HelpPage))
        Dialogs::ShowError(this, NoHelpFileText());
}
