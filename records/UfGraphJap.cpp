// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/UfGraphJap.h"

#include "exercise/UExerciseStats.h"
#include "platform/Dialogs.h"
#include "platform/FileIo.h"
#include "platform/Fonts.h"
#include "platform/Icons.h"
#include "platform/PaintBox.h"
#include "platform/Shell.h"
#include "platform/ShiftJis.h"
#include "platform/StatusPanel.h"
#include "platform/WindowBounds.h"
#include "store/UDataFile.h"
#include "ui_UfGraphJap.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QShortcut>
#include <QStandardPaths>
#include <QStyle>
#include <QStyledItemDelegate>

#include <cmath>

namespace {

QString NoTitleSelectedText() {
    return QCoreApplication::translate(
        "TfrmGraphJap", "削除する記録のタイトルが選択されていません。\r\n\r\n"
                        "削除したいタイトルをマウスでクリックして選択状態にしてください。");
}
QString ShowAllNotDeletableText() {
    return QCoreApplication::translate(
        "TfrmGraphJap", "　「すべて表示」が選択されているときは\r\n記録の削除はできません。\r\n"
                        "削除できるのは個別のデータのみです。");
}
QString DeleteQuestionTail() {
    return QCoreApplication::translate("TfrmGraphJap", " を削除します。");
}
QString CsvSaveErrorText() {
    return QCoreApplication::translate("TfrmGraphJap", "CSVファイルの保存に失敗しました。\r\n");
}

// ListBox1 items keep their title's Shift_JIS bytes: the shown text may have lost some (a
// damaged title decodes to replacement characters).
constexpr int TitleRole = Qt::UserRole;

constexpr int SplitterSize = 3;

// Data cells drawn as the grid draws them: the cell filled with its brush (fixed column,
// selection or white), the text right-aligned 3 pixels from the right edge, 2 below the top.
class TGridCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        QColor brush = selected              ? option.palette.color(QPalette::Highlight)
                       : index.column() == 0 ? option.palette.color(QPalette::Button)
                                             : QColor(Qt::white);
        painter->fillRect(option.rect, brush);
        const QString text = index.data().toString();
        if (text.isEmpty())
            return;
        painter->save();
        // A text wider than its column stays in its cell (the columns are made wide enough).
        painter->setClipRect(option.rect);
        painter->setPen(selected ? option.palette.color(QPalette::HighlightedText)
                                 : QColor(Qt::black));
        const QFontMetrics metrics(option.font);
        const int x =
            option.rect.left() + option.rect.width() - metrics.horizontalAdvance(text) - 3;
        painter->drawText(x, option.rect.top() + 2 + metrics.ascent(), text);
        painter->restore();
    }
};

} // namespace

// ---- Opening and closing ----

TfrmGraphJap::TfrmGraphJap(QWidget* parent, const TMainWindowState& main)
    : QMainWindow(parent), ui(std::make_unique<Ui::TfrmGraphJap>()) {
    ui->setupUi(this);
    setWindowIcon(WindowIcon(QStringLiteral("graph")));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    ConnectHandlers();
    FormCreate(main);
}

TfrmGraphJap::~TfrmGraphJap() {
    ClearRecList();
}

void TfrmGraphJap::ConnectHandlers() {
    QFont font(ProportionalFontFace);
    font.setPixelSize(16);
    setFont(font);
    QFont fixed(FixedFontFace);
    fixed.setPixelSize(16);
    ui->Label1->setFont(fixed);
    QFont small(ProportionalFontFace);
    small.setPixelSize(12);
    ui->StatusBar1->setFont(small);
    ui->MainMenu1->setFont(QApplication::font(ui->MainMenu1));
    AddStatusPanels(ui->StatusBar1, {{200, Qt::AlignHCenter}, {50}});

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] {
        if (!OpenHelpFile(HelpRecordsPage))
            Dialogs::ShowError(this, tr("ヘルプファイルがありません。"));
    });

    connect(ui->Exit1, &QAction::triggered, this, &TfrmGraphJap::Exit1Click);
    connect(ui->DeleteRec, &QAction::triggered, this, &TfrmGraphJap::DeleteRecClick);
    connect(ui->SaveCsv1, &QAction::triggered, this, &TfrmGraphJap::SaveCsv1Click);
    for (QAction* item : {ui->PartMode1, ui->AllMode1, ui->AllLineMode1})
        connect(item, &QAction::triggered, this, [this, item] { PartMode1Click(item); });

    ui->ListBox1->setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(ui->ListBox1, &QListWidget::itemPressed, this, &TfrmGraphJap::ListBox1MouseDown);
    ui->ListBox1->installEventFilter(this);

    QTableWidget* grid = ui->StringGrid1;
    grid->setItemDelegate(new TGridCellDelegate(grid));
    grid->horizontalHeader()->setSectionsClickable(true);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    connect(grid, &QTableWidget::cellPressed, this,
            [this](int row, int) { StringGrid1MouseDown(row); });
    // The header row holds no number: a press there highlights nothing.
    connect(grid->horizontalHeader(), &QHeaderView::sectionPressed, this, [this] {
        SelIndex = -1;
        RepaintStrips();
    });

    TPaintBox* strips[] = {ui->PaintBox1, ui->PaintBox2, ui->PaintBox3, ui->PaintBox4};
    for (int i = 0; i < 4; ++i) {
        TPaintBox* strip = strips[i];
        strip->setMouseTracking(true);
        strip->setAttribute(Qt::WA_OpaquePaintEvent);
        strip->OnPaint = [this, i](QPainter& painter) { PaintStrip(i, painter); };
        strip->OnMouseMove = [this](QMouseEvent* event) {
            PaintBox1MouseMove(event->position().toPoint().x());
        };
        strip->OnMouseDown = [this](QMouseEvent* event) {
            PaintBox1MouseDown(event->position().toPoint().x());
        };
    }
    ui->ScrollBox1->horizontalScrollBar()->setSingleStep(12);
    ui->ScrollBox1->viewport()->installEventFilter(this);
    // The title list keeps its width and the strips their height when the window grows: the
    // graphs and the grid take it.
    for (QSplitter* splitter : {ui->Splitter1, ui->Splitter5}) {
        splitter->setStretchFactor(0, 0);
        splitter->setStretchFactor(1, 1);
    }
    // The strips share what their panel gains or loses, each by its height (a splitter
    // without stretch factors shares by size), and each keeps room for its label.
    SetStripMinimumHeights();
}

// Every strip as high as its label of up to five characters, one per line, and the strips'
// panel as high as the four of them, so that no label is cut (the panel scrolls sideways only).
void TfrmGraphJap::SetStripMinimumHeights() {
    QFont labelFont = ui->PaintBox1->font();
    labelFont.setPointSize(9);
    const int line = QFontMetrics(labelFont).height();
    // The longest label of each strip in any view: 入力速度, 入力速度, 誤・脱, 漢字含有率.
    const int characters[] = {4, 4, 3, 5};
    TPaintBox* strips[] = {ui->PaintBox1, ui->PaintBox2, ui->PaintBox3, ui->PaintBox4};
    int total = 0;
    for (int i = 0; i < 4; ++i) {
        strips[i]->setMinimumHeight(5 + characters[i] * line + 3);
        total += strips[i]->minimumHeight();
    }
    total += 3 * SplitterSize;
    const QScrollBar* bar = ui->ScrollBox1->horizontalScrollBar();
    ui->ScrollBox1->setMinimumHeight(total + bar->sizeHint().height() +
                                     2 * ui->ScrollBox1->frameWidth());
}

void TfrmGraphJap::FormCreate(const TMainWindowState& main) {
    RecList.clear();
    RestoreGeometry();

    QFont listFont(main.FontFace.isEmpty() ? FixedFontFace : main.FontFace);
    listFont.setPointSize(OptionRec.FontSize);
    ui->ListBox1->setFont(listFont);
    ui->Label1->clear();
    ResetTitleList();

    // In touch typing neither applies: the bulk whole-text item stays checked, the panel empty.
    FRecMode = TRecordMode::BulkWhole;
    if (main.Sequential)
        FRecMode = TRecordMode::Sequential;
    else if (main.Bulk)
        FRecMode = main.LineComp ? TRecordMode::BulkLines : TRecordMode::BulkWhole;
    CheckModeItem();
    if (main.Sequential || main.Bulk)
        SetModeStatus();

    LoadRecords(ShowAllTitle());
    FillGrid();
    SetGraphHints();
    ui->ListBox1->setCurrentRow(0);
    FormResize();
}

// Bounds and pane sizes as the window was left; the store has them repaired at start-up. The
// window is not shown yet, so each layout is run by hand from the outside in, and every
// splitter is placed at its real size.
void TfrmGraphJap::RestoreGeometry() {
    const TOptionRec& o = OptionRec;
    setGeometry(o.GraphLeft, o.GraphTop, o.GraphWidth, o.GraphHeight);
    layout()->activate();
    centralWidget()->layout()->activate();
    PlaceSplitter(*ui->Splitter5, o.GraphPanel2Bottom - ui->Panel1->height());
    ui->Panel2->layout()->activate();
    PlaceSplitter(*ui->Splitter1, o.GraphListBox1Width);
    ScrollBox1Resize();
    ui->Panel3->layout()->activate();
    PlaceSplitter(*ui->Splitter2, o.GraphPaintBox1Height);
    PlaceSplitter(*ui->Splitter3, o.GraphPaintBox2Bottom - o.GraphPaintBox1Height - SplitterSize);
    PlaceSplitter(*ui->Splitter4, o.GraphPaintBox3Bottom - o.GraphPaintBox2Bottom - SplitterSize);
}

void TfrmGraphJap::closeEvent(QCloseEvent* event) {
    FormCloseQuery();
    event->accept();
}

// Stores the bounds and the pane sizes; the window always closes.
void TfrmGraphJap::FormCloseQuery() {
    TOptionRec& o = OptionRec;
    StoreWindowBounds(*this, o.GraphLeft, o.GraphTop, o.GraphWidth, o.GraphHeight);
    auto bottom = [](QWidget* widget, QWidget* within) {
        return widget->mapTo(within, QPoint(0, 0)).y() + widget->height();
    };
    o.GraphListBox1Width = ui->ListBox1->width();
    o.GraphPaintBox1Height = ui->PaintBox1->height();
    o.GraphPaintBox2Bottom = bottom(ui->PaintBox2, ui->Panel3);
    o.GraphPaintBox3Bottom = bottom(ui->PaintBox3, ui->Panel3);
    o.GraphPanel2Bottom = bottom(ui->Panel2, centralWidget());
}

void TfrmGraphJap::Exit1Click() {
    close();
}

void TfrmGraphJap::ClearRecList() {
    RecList.clear();
}

void TfrmGraphJap::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

bool TfrmGraphJap::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->ScrollBox1->viewport() && event->type() == QEvent::Resize) {
        ScrollBox1Resize();
    } else if (watched == ui->ListBox1 && event->type() == QEvent::KeyRelease) {
        // Moving through the titles with the keys chooses them as a press does.
        if (ui->ListBox1->currentRow() != FShownTitleRow)
            ListBox1MouseDown();
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Records, title list and grid ----

TRecordMode TfrmGraphJap::CurrentMode() const {
    return FRecMode;
}

void TfrmGraphJap::CheckModeItem() {
    ui->PartMode1->setChecked(FRecMode == TRecordMode::Sequential);
    ui->AllMode1->setChecked(FRecMode == TRecordMode::BulkWhole);
    ui->AllLineMode1->setChecked(FRecMode == TRecordMode::BulkLines);
}

void TfrmGraphJap::SetModeStatus() {
    const QString texts[] = {tr("逐次入力モードの記録"), tr("一括入力（一括比較）モードの記録"),
                             tr("一括入力（行ごとに比較）モードの記録")};
    StatusPanel(ui->StatusBar1, 0)
        ->SetText(texts[static_cast<int>(FRecMode) - static_cast<int>(TRecordMode::Sequential)]);
}

void TfrmGraphJap::LoadRecords(const std::string& title) {
    const bool showAll = title == ShowAllTitle() && ui->ListBox1->currentRow() == 0;
    ClearRecList();
    setWindowTitle(GraphCaptionLead() + ShiftJis::ToQString(title));
    // The read-out told of a record of the list shown before.
    ui->Label1->clear();
    if (showAll) {
        RecList = RecordsOfMode(PracticeRecs, CurrentMode());
        EnglishView = false;
        BuildTitleList();
    } else {
        TTitleRecords found = RecordsOfTitle(PracticeRecs, CurrentMode(), title);
        RecList = std::move(found.Records);
        EnglishView = found.EnglishView;
    }
    FShownTitleRow = ui->ListBox1->currentRow();

    // Panel3 as wide as the points need, the newest records in view.
    const int needed = 10 * static_cast<int>(RecList.size()) + 50;
    const QSize view = ui->ScrollBox1->maximumViewportSize();
    const int client = view.width();
    QScrollBar* bar = ui->ScrollBox1->horizontalScrollBar();
    ui->Panel3->resize(std::max(needed, client), view.height());
    if (needed >= client) {
        bar->setRange(0, needed - client);
        bar->setValue(needed - client);
    }
}

// ListBox1 := the show-all item alone, selected.
void TfrmGraphJap::ResetTitleList() {
    ui->ListBox1->clear();
    ui->ListBox1->addItem(ShiftJis::ToQString(ShowAllTitle()));
    ui->ListBox1->item(0)->setData(TitleRole, QByteArray::fromStdString(ShowAllTitle()));
    ui->ListBox1->setCurrentRow(0);
}

void TfrmGraphJap::BuildTitleList() {
    const std::vector<TTitleItem> items = BuildTitleItems(RecList);
    QListWidget* list = ui->ListBox1;
    list->clear();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const bool withCount = !(i == 0 && RecList.empty());
        auto* item =
            new QListWidgetItem(ShiftJis::ToQString(TitleItemText(items[i], withCount)), list);
        item->setData(TitleRole, QByteArray::fromStdString(items[i].Title));
    }
    list->setCurrentRow(0);
}

void TfrmGraphJap::FillGrid() {
    QTableWidget* grid = ui->StringGrid1;
    const bool sequential = CurrentMode() == TRecordMode::Sequential;
    const int count = static_cast<int>(RecList.size());

    QFont cellFont = grid->font();
    cellFont.setPointSize(OptionRec.FontSize);
    grid->setFont(cellFont);
    const int rowHeight = QFontMetrics(cellFont).height() + 6;
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid->verticalHeader()->setMinimumSectionSize(1);
    QFont headerFont = cellFont;
    headerFont.setPointSize(10);
    grid->horizontalHeader()->setFont(headerFont);
    grid->horizontalHeader()->setFixedHeight(2 * rowHeight);

    const int columns = GridColumnCount(sequential);
    grid->clearContents();
    grid->setColumnCount(columns);
    grid->setRowCount(std::max(count, 10));
    QStringList headers;
    for (int column = 0; column < columns; ++column) {
        THeader header = GridHeader(column, sequential, EnglishView);
        QString text = ShiftJis::ToQString(header.Line1);
        if (!header.Line2.empty())
            text += QLatin1Char('\n') + ShiftJis::ToQString(header.Line2);
        headers << text;
    }
    grid->setHorizontalHeaderLabels(headers);
    for (int i = 0; i < count; ++i) {
        const std::vector<std::string> cells = GridRow(RecList[i], i, sequential);
        for (int column = 0; column < columns; ++column)
            grid->setItem(i, column, new QTableWidgetItem(QString::fromStdString(cells[column])));
    }
    // The columns as wide as the texts of these records at this font.
    FormResize();
    grid->selectRow(count > 0 ? count - 1 : 0);
    if (count > 0)
        grid->scrollToItem(grid->item(count - 1, 0));
    StatusPanel(ui->StatusBar1, 1)->SetText(tr("データ数 ") + QString::number(count));
}

// Column widths for the grid's width: the counts share what the fixed columns leave, and no
// column is narrower than its widest text at the grid's fonts; the grid scrolls sideways when
// they do not fit.
void TfrmGraphJap::FormResize() {
    QTableWidget* grid = ui->StringGrid1;
    const bool sequential = CurrentMode() == TRecordMode::Sequential;
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The width without a vertical scroll bar when the rows fit, as the counts share it.
    const int client = grid->viewport()->width();
    const std::vector<int> widths = GridColumnWidths(client, sequential, NeededColumnWidths());
    QHeaderView* header = grid->horizontalHeader();
    header->setDefaultSectionSize(widths[1]);
    for (int column = 0; column < grid->columnCount() && column < static_cast<int>(widths.size());
         ++column)
        header->resizeSection(column, widths[static_cast<std::size_t>(column)]);
}

// What each column's texts take: the lines of its header at the header's font, the cells at
// the grid's, with the margins they are drawn with.
std::vector<int> TfrmGraphJap::NeededColumnWidths() const {
    const QTableWidget* grid = ui->StringGrid1;
    const QHeaderView* header = grid->horizontalHeader();
    const QFontMetrics headerMetrics(header->font());
    const QFontMetrics cellMetrics(grid->font());
    const int headerMargin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin) + 4;
    const int cellMargin = 3 + 3; // the text stands 3 pixels from the right edge; as much left
    std::vector<int> needed(static_cast<std::size_t>(grid->columnCount()), 0);
    for (int column = 0; column < grid->columnCount(); ++column) {
        int& width = needed[static_cast<std::size_t>(column)];
        if (const QTableWidgetItem* item = grid->horizontalHeaderItem(column))
            for (const QString& line : item->text().split(u'\n'))
                width = std::max(width, headerMetrics.horizontalAdvance(line) + headerMargin);
        for (int row = 0; row < grid->rowCount(); ++row)
            if (const QTableWidgetItem* item = grid->item(row, column))
                width = std::max(width, cellMetrics.horizontalAdvance(item->text()) + cellMargin);
    }
    return needed;
}

// ---- Commands ----

void TfrmGraphJap::PartMode1Click(QAction* item) {
    const TRecordMode mode = item == ui->PartMode1  ? TRecordMode::Sequential
                             : item == ui->AllMode1 ? TRecordMode::BulkWhole
                                                    : TRecordMode::BulkLines;
    const bool changed = mode != FRecMode;
    FRecMode = mode;
    CheckModeItem();
    if (changed) {
        ui->StringGrid1->setColumnCount(GridColumnCount(mode == TRecordMode::Sequential));
        ui->ListBox1->setCurrentRow(0);
        LoadRecords(ShowAllTitle());
        FillGrid();
        FormResize();
        SetModeStatus();
    }
    SetGraphHints();
    RepaintStrips();
}

void TfrmGraphJap::ListBox1MouseDown() {
    QListWidgetItem* item = ui->ListBox1->currentItem();
    if (!item)
        return;
    SelIndex = 0;
    LoadRecords(item->data(TitleRole).toByteArray().toStdString());
    FillGrid();
    SetGraphHints();
    RepaintStrips();
}

void TfrmGraphJap::StringGrid1MouseDown(int row) {
    QTableWidgetItem* cell = ui->StringGrid1->item(row, 0);
    if (!cell || cell->text().isEmpty())
        return;
    bool ok = false;
    int number = cell->text().toInt(&ok);
    SelIndex = (ok ? number : 0) - 1;
    RepaintStrips();
}

void TfrmGraphJap::DeleteRecClick() {
    QListWidgetItem* item = ui->ListBox1->currentItem();
    if (!item || !item->isSelected()) {
        Dialogs::ShowInformation(this, NoTitleSelectedText());
        return;
    }
    if (ui->ListBox1->row(item) == 0) {
        Dialogs::ShowWarning(this, ShowAllNotDeletableText());
        return;
    }
    const std::string title = item->data(TitleRole).toByteArray().toStdString();
    if (Dialogs::AskYesNo(this, Dialogs::TIcon::Warning,
                          ShiftJis::ToQString(title) + DeleteQuestionTail()))
        DeleteTitleRecords(title);
}

// Frees the title's slots of this mode and compacts the ring; Typorin.dat gets the change
// when the main window closes.
void TfrmGraphJap::DeleteTitleRecords(const std::string& title) {
    ::DeleteTitleRecords(PracticeRecs, OptionRec.NextRecord, CurrentMode(), title);
    ResetTitleList();
    LoadRecords(ShowAllTitle());
    FillGrid();
    RepaintStrips();
}

void TfrmGraphJap::SaveCsv1Click() {
    const QDate today = QDate::currentDate();
    const QString path = Dialogs::AskCsvFileName(
        this, QString::fromStdString(
                  CsvFileName(CurrentMode(), today.year(), today.month(), today.day())));
    if (path.isEmpty())
        return;
    try {
        SaveWholeFile(QFile::encodeName(path).toStdString(),
                      RecordsCsv(RecList, CurrentMode() == TRecordMode::Sequential));
    } catch (const std::exception& e) {
        Dialogs::ShowError(this, CsvSaveErrorText() + QString::fromUtf8(e.what()));
    }
}
