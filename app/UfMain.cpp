#include "app/UfMain.h"

#include "app/UDataFile.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/Shell.h"
#include "platform/ShiftJis.h"
#include "platform/StatusPanel.h"
#include "ui_UfMain.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QFile>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QTextBlock>
#include <QToolButton>

namespace {

const QString ModeNames[] = {QStringLiteral("タッチタイプ"), QStringLiteral("逐次入力"),
                             QStringLiteral("一括入力")};
const QString LineCompText = QStringLiteral("行ごとに比較");

const QString BannerLine0 = QStringLiteral("求む！　バグ・不具合報告　質問もＯＫ！");
const QString BannerLine1Lead = QStringLiteral("ここをクリック→");

// Item data of ListView1 and ListView2.
constexpr int FileNameRole = Qt::UserRole;          // ListView1: the file name's bytes
constexpr int EntryDataRole = Qt::UserRole;         // ListView2: the "Idx=" and "LastIdx=" lines
constexpr int CheckedBeforeRole = Qt::UserRole + 1; // ListView2: the check state last seen

QString ToDisplayPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

std::vector<std::string> EntryData(const QTreeWidgetItem* item) {
    std::vector<std::string> data;
    for (const QString& line : item->data(0, EntryDataRole).toStringList())
        data.push_back(line.toStdString());
    return data;
}

std::vector<TScreenRect> AvailableScreens() {
    std::vector<TScreenRect> screens;
    QList<QScreen*> all = QGuiApplication::screens();
    all.removeOne(QGuiApplication::primaryScreen());
    all.prepend(QGuiApplication::primaryScreen());
    for (QScreen* screen : all)
        if (screen) {
            QRect r = screen->availableGeometry();
            screens.push_back({r.x(), r.y(), r.width(), r.height()});
        }
    return screens;
}

} // namespace

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::TfrmMain>()) {
    Q_INIT_RESOURCE(typorin);
    ui->setupUi(this);
    CreateActions();
    CreateStatusBars();
    ConnectHandlers();
    FormCreate();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::CreateActions() {
    QFont font(FixedFontFace);
    font.setPixelSize(16);
    setFont(font);

    auto* modes = new QActionGroup(this);
    modes->setExclusive(true);
    for (QAction* item : {ui->Touch1, ui->Part1, ui->All1})
        modes->addAction(item);

    // The menu separators and the tool bar's buttons carry the names of their places.
    int separator = 0;
    const char* separatorNames[] = {"N1", "N2", "N3", "N5"};
    for (QMenu* menu : {ui->File1, ui->ExamMode1, ui->Show1})
        for (QAction* action : menu->actions())
            if (action->isSeparator())
                action->setObjectName(separatorNames[separator++]);
    int button = 0;
    for (QAction* action : ui->ToolBar1->actions())
        if (QWidget* widget = ui->ToolBar1->widgetForAction(action))
            widget->setObjectName(QStringLiteral("ToolButton%1").arg(++button));

    // Windows that come later: their commands stay off until then.
    for (QAction* action : {ui->Open1, ui->SetOption1, ui->Editer1, ui->Graph1, ui->About1})
        action->setEnabled(false);

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [] { OpenHelpFile(); });
}

void TfrmMain::CreateStatusBars() {
    AddStatusPanels(ui->StatusBar1, {{100, Qt::AlignHCenter}, {400}});
    AddStatusPanels(ui->StatusBar2, {{190}, {100}, {50}});
}

void TfrmMain::ConnectHandlers() {
    for (QAction* item : {ui->Touch1, ui->Part1, ui->All1})
        connect(item, &QAction::triggered, this, [this, item] { TouchActExecute(item); });
    connect(ui->LineComp1, &QAction::triggered, this, &TfrmMain::LineCompActExecute);
    connect(ui->AutoCrLfAct, &QAction::triggered, this, &TfrmMain::AutoCrLfActExecute);
    connect(ui->Help2, &QAction::triggered, this, &TfrmMain::HelpActExecute);
    connect(ui->Exit1, &QAction::triggered, this, &TfrmMain::Exit1Click);
    connect(ui->Refresh1, &QAction::triggered, this, &TfrmMain::Refresh1Click);
    connect(ui->ListView1, &QTreeWidget::itemSelectionChanged, this,
            &TfrmMain::ListView1SelectItem);
    connect(ui->ListView2, &QTreeWidget::itemChanged, this, &TfrmMain::ListView2Change);

    ui->RichEdit1->viewport()->setMouseTracking(true);
    ui->RichEdit1->viewport()->installEventFilter(this);
    ui->RichEdit1->installEventFilter(this);
    Timer1.setInterval(1000);
}

void TfrmMain::FormCreate() {
    ReadSettings();
    ListRegisters();

    // The toggles, as they were left.
    ui->AutoCrLfAct->setChecked(OptionRec.AutoCrLf != 0);
    ui->Comp1->setEnabled(false);
    ui->LineComp1->setChecked(OptionRec.LineComp != 0);

    QAction* modeItems[] = {ui->Touch1, ui->Part1, ui->All1};
    if (OptionRec.ExamMode <= AllMode)
        TouchActExecute(modeItems[OptionRec.ExamMode]);

    FSingleByte = 0;
    FWrapCol = OptionRec.WrapColJp;
    QFont rulerFont = ui->RichEdit1->font();
    rulerFont.setPointSize(OptionRec.FontSize);
    FCellWidth = QFontMetrics(rulerFont).horizontalAdvance(QStringLiteral("あ"));
    PlaceRulerMarker();
    FDragOffset = ui->Label1->width() / 2 - 2;

    RestoreGeometry();
    if (ui->ListView1->topLevelItemCount() > 0) {
        ui->ListView1->setFocus();
        ui->ListView1->setCurrentItem(ui->ListView1->topLevelItem(0));
    }
    ShowBanner();
}

void TfrmMain::ReadSettings() {
    try {
        ReadDataFile(DataFilePath());
    } catch (const std::exception&) {
        Dialogs::ShowError(this,
                           QStringLiteral("データファイルの読みこみに失敗しました。\r\n"
                                          "設定値や練習記録のデータはすべて初期化されます。"));
        QSize screen = QGuiApplication::primaryScreen()->size();
        ResetOptions(screen.width(), screen.height());
    }
    RepairOptions(AvailableScreens());
}

void TfrmMain::RestoreGeometry() {
    setGeometry(OptionRec.MainLeft, OptionRec.MainTop, OptionRec.MainWidth, OptionRec.MainHeight);
    // Lay the window out at its new size first, so that the splitters take the sizes exactly.
    if (layout())
        layout()->activate();
    ui->Splitter1->setStretchFactor(0, 0);
    ui->Splitter1->setStretchFactor(1, 1);
    ui->Splitter2->setStretchFactor(0, 0);
    ui->Splitter2->setStretchFactor(1, 1);
    ui->Splitter3->setStretchFactor(0, 0);
    ui->Splitter3->setStretchFactor(1, 1);
    auto place = [](QSplitter* splitter, int first) {
        int total =
            splitter->orientation() == Qt::Horizontal ? splitter->width() : splitter->height();
        total -= splitter->handleWidth();
        splitter->setSizes({first, std::max(0, total - first)});
    };
    place(ui->Splitter1, OptionRec.MainPanel2Width);
    place(ui->Splitter2, OptionRec.MainListView1Height);
    place(ui->Splitter3, OptionRec.MainRichEdit1Height);
}

// ListView1 := the register files of TextFolder, sorted by name.
void TfrmMain::ListRegisters() {
    ui->ListView1->clear();
    std::filesystem::path folder = UuRegi::RegisterFolder();
    std::optional<std::vector<std::filesystem::path>> files;
    try {
        files = UuRegi::TRegi::ListFiles(folder);
    } catch (const std::exception& e) {
        Dialogs::ShowError(this, QString::fromUtf8(e.what()));
        return;
    }
    if (!files) {
        Dialogs::ShowError(this, UuRegi::MissingFolderMessage(folder));
        return;
    }
    for (const std::filesystem::path& file : *files) {
        auto* item = new QTreeWidgetItem(ui->ListView1, {ToDisplayPath(file)});
        item->setData(0, FileNameRole, QByteArray::fromStdString(file.string()));
    }
    ui->ListView1->sortItems(0, Qt::AscendingOrder);
}

// A register chosen: its sentences fill ListView2; none of them is started yet.
void TfrmMain::ListView1SelectItem() {
    ui->RichEdit1->clear();
    ui->RichEdit2->clear();
    FontStep();
    StopExercise();
    ui->ListView2->clear();
    FTitle.clear();
    std::filesystem::path folder = UuRegi::RegisterFolder();
    if (!std::filesystem::is_directory(folder)) {
        Dialogs::ShowError(this, UuRegi::MissingFolderMessage(folder));
        return;
    }
    QList<QTreeWidgetItem*> selected = ui->ListView1->selectedItems();
    if (selected.isEmpty())
        return;
    try {
        std::filesystem::path file =
            folder / selected.front()->data(0, FileNameRole).toByteArray().toStdString();
        FTextPath = ToDisplayPath(file);
        QSignalBlocker blocker(ui->ListView2);
        for (const UuRegi::TEntryItem& entry : UuRegi::TRegi::LoadEntries(file)) {
            auto* item = new QTreeWidgetItem(ui->ListView2, {ShiftJis::ToQString(entry.Caption)});
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, entry.Checked ? Qt::Checked : Qt::Unchecked);
            item->setData(0, CheckedBeforeRole, entry.Checked);
            QStringList data;
            for (const std::string& line : entry.Data)
                data << QString::fromStdString(line);
            item->setData(0, EntryDataRole, data);
        }
        SetCaption();
        SetStatus(ui->StatusBar1, 0, ModeNames[FMode]);
        SetStatus(ui->StatusBar1, 1, {});
        SetStatus(ui->StatusBar2, 0, QStringLiteral(" "));
        SetStatus(ui->StatusBar2, 1, {});
        if (ui->ListView2->topLevelItemCount() > 0)
            ui->ListView2->setCurrentItem(ui->ListView2->topLevelItem(0));
    } catch (const std::exception& e) {
        Dialogs::ShowError(this, QStringLiteral("文の読み取り中のエラー\r\n") +
                                     QString::fromUtf8(e.what()));
        FTextPath.clear();
    }
}

// A sentence ticked or unticked: the mark is written into its header line in the register.
void TfrmMain::ListView2Change(QTreeWidgetItem* item) {
    bool checked = item->checkState(0) == Qt::Checked;
    FCheckedBefore = item->data(0, CheckedBeforeRole).toBool();
    if (checked == FCheckedBefore || item->data(0, EntryDataRole).toStringList().isEmpty())
        return;
    QList<QTreeWidgetItem*> registers = ui->ListView1->selectedItems();
    try {
        if (registers.isEmpty())
            throw std::runtime_error("no register is selected");
        std::filesystem::path file =
            UuRegi::RegisterFolder() /
            registers.front()->data(0, FileNameRole).toByteArray().toStdString();
        UuRegi::WriteCheckMark(file, UuRegi::IntValue(EntryData(item), "Idx"), checked);
        QSignalBlocker blocker(ui->ListView2);
        item->setData(0, CheckedBeforeRole, checked);
    } catch (const std::exception& e) {
        // The file is as it was; so is the mark shown.
        {
            QSignalBlocker blocker(ui->ListView2);
            item->setCheckState(0, FCheckedBefore ? Qt::Checked : Qt::Unchecked);
        }
        Dialogs::ShowError(this, QStringLiteral("チェックマークを書きこめませんでした。\r\n") +
                                     QString::fromUtf8(e.what()) +
                                     QStringLiteral("\r\n登録ファイルを読みこみなおして"
                                                    "表示を更新してください。"));
    }
}

// Lists the registers again, as they are on disk now.
void TfrmMain::Refresh1Click() {
    {
        QSignalBlocker blocker(ui->ListView1);
        ui->ListView1->clear();
    }
    ui->ListView2->clear();
    ui->RichEdit1->clear();
    ui->RichEdit2->clear();
    StopExercise();
    ListRegisters();
}

void TfrmMain::SetCaption() {
    setWindowTitle(QStringLiteral("TYPORIN  ") + FTextPath + QStringLiteral("  ") +
                   ShiftJis::ToQString(FTitle));
}

void TfrmMain::BringToFront() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

// Mode switch: abandons any exercise, checks the chosen mode (an item already checked stays
// as it is) and lays the window out for it.
void TfrmMain::TouchActExecute(QAction* item) {
    StopExercise();
    if (!item->isChecked())
        item->setChecked(true);
    ApplyMode();
}

void TfrmMain::ApplyMode() {
    int mode = ui->Part1->isChecked() ? PartMode : ui->All1->isChecked() ? AllMode : TouchMode;
    bool bulk = mode == AllMode;
    ui->AutoCrLfAct->setEnabled(bulk);
    ui->LineComp1->setEnabled(bulk);
    ui->Panel1->setVisible(bulk);
    ui->PaintBox1->setVisible(mode == TouchMode);
    ui->RichEdit2->setVisible(mode != TouchMode);
    if (mode != TouchMode) {
        ui->StatusBar2->setVisible(true);
        ui->RichEdit1->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
    if (bulk)
        ui->Label1->setStyleSheet(QStringLiteral("color: black;"));
    SetStatus(ui->StatusBar2, 2, bulk && ui->LineComp1->isChecked() ? LineCompText : QString());

    ui->Comp1->setEnabled(false);
    FMode = mode;
    OptionRec.ExamMode = static_cast<std::uint8_t>(mode);

    SetStatus(ui->StatusBar1, 0, ModeNames[mode]);
    SetStatus(ui->StatusBar1, 1, {});
    SetStatus(ui->StatusBar2, 0, QStringLiteral(" "));
    SetStatus(ui->StatusBar2, 1, {});
    ResetPanes();
}

void TfrmMain::LineCompActExecute() {
    // The action has already toggled its check mark.
    OptionRec.LineComp = ui->LineComp1->isChecked() ? 1 : 0;
    SetStatus(ui->StatusBar2, 2, ui->LineComp1->isChecked() ? LineCompText : QString());
}

void TfrmMain::AutoCrLfActExecute() {
    OptionRec.AutoCrLf = ui->AutoCrLfAct->isChecked() ? 1 : 0;
}

void TfrmMain::HelpActExecute() {
    if (!OpenHelpFile())
        Dialogs::ShowError(this, QStringLiteral("ヘルプファイルがありません。"));
}

void TfrmMain::Exit1Click() {
    close();
}

// Ends the running exercise, whatever the mode.
void TfrmMain::StopExercise() {
    Timer1.stop();
    FRunning = false;
    FPracticeText.clear();
    ui->RichEdit2->setReadOnly(true);
    ui->RichEdit2->setAttribute(Qt::WA_InputMethodEnabled, false);
}

// Prepares both panes for a new text in the current mode.
void TfrmMain::ResetPanes() {
    Timer1.stop();
    FSeconds = 0;
    FKeyCount = 0;
    ui->RichEdit1->clear();
    ui->RichEdit2->clear();
    if (FMode == AllMode) {
        FWrapCol = FSingleByte ? OptionRec.WrapColEn : OptionRec.WrapColJp;
        QFont rulerFont = ui->RichEdit1->font();
        rulerFont.setPointSize(OptionRec.FontSize);
        FCellWidth = QFontMetrics(rulerFont).horizontalAdvance(FSingleByte ? QStringLiteral("A")
                                                                           : QStringLiteral("あ"));
        PlaceRulerMarker();
        ui->PaintBox2->update();
    }
    if (FMode == TouchMode) {
        ui->RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
        ui->RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        ui->RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    } else {
        ui->RichEdit1->setLineWrapMode(FMode == PartMode ? QTextEdit::WidgetWidth
                                                         : QTextEdit::NoWrap);
        ui->RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        ui->RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        ui->RichEdit2->setLineWrapMode(QTextEdit::WidgetWidth);
    }
    FontStep();
    for (QTextEdit* pane : {ui->RichEdit1, ui->RichEdit2}) {
        QTextCharFormat plain;
        plain.setForeground(Qt::black);
        pane->setCurrentCharFormat(plain);
    }
    ui->RichEdit2->setReadOnly(false);
}

// The fonts of both panes: the proportional face in touch typing, the fixed one otherwise.
void TfrmMain::FontStep() {
    QFont font = ui->RichEdit1->font();
    if (FMode == TouchMode) {
        font.setPointSize(OptionRec.TouchFontSize);
        if (font.family() == FixedFontFace)
            font.setFamily(ProportionalFontFace);
    } else {
        font.setPointSize(OptionRec.FontSize);
        if (font.family() == ProportionalFontFace)
            font.setFamily(FixedFontFace);
    }
    for (QTextEdit* pane : {ui->RichEdit1, ui->RichEdit2}) {
        pane->setFont(font);
        QPalette palette = pane->palette();
        palette.setColor(QPalette::Text, Qt::black);
        pane->setPalette(palette);
    }
}

void TfrmMain::PlaceRulerMarker() {
    ui->Label1->move(FWrapCol * FCellWidth, ui->Label1->y());
    ui->Label1->setStyleSheet(QStringLiteral("color: black;"));
}

// Two lines in the example pane asking for bug reports, the second ending in the mail address.
void TfrmMain::ShowBanner() {
    QTextEdit* pane = ui->RichEdit1;
    pane->setPlainText(BannerLine0 + QLatin1Char('\n') + BannerLine1Lead + AuthorMailAddress);
    QTextCursor cursor(pane->document()->findBlockByNumber(1));
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, BannerLine1Lead.size());
    cursor.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, AuthorMailAddress.size());
    QTextCharFormat blue;
    blue.setForeground(QColor(0, 0, 255));
    cursor.mergeCharFormat(blue);
    FBannerShown = true;
}

// Whether a point of RichEdit1 lies on the mail address of the banner.
bool TfrmMain::BannerHit(const QPoint& viewportPos) const {
    QTextCursor cursor = ui->RichEdit1->cursorForPosition(viewportPos);
    QTextBlock block = cursor.block();
    if (block.blockNumber() != 1 || block.text() != BannerLine1Lead + AuthorMailAddress)
        return false;
    // The character under the point, not the gap nearest to it.
    QRect caret = ui->RichEdit1->cursorRect(cursor);
    int column = cursor.positionInBlock() - (viewportPos.x() < caret.x() ? 1 : 0);
    return column >= BannerLine1Lead.size() &&
           column < BannerLine1Lead.size() + AuthorMailAddress.size();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->RichEdit1->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            bool hand = FBannerShown && BannerHit(mouse->position().toPoint());
            ui->RichEdit1->viewport()->setCursor(hand ? Qt::PointingHandCursor : Qt::IBeamCursor);
        } else if (event->type() == QEvent::MouseButtonPress) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (FBannerShown && mouse->button() == Qt::LeftButton &&
                BannerHit(mouse->position().toPoint()))
                OpenAuthorMail();
        }
    } else if (watched == ui->RichEdit1 && event->type() == QEvent::FocusIn) {
        // The example pane never keeps the focus while the typing pane is there.
        if (ui->RichEdit2->isVisible())
            ui->RichEdit2->setFocus();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

// Stores the layout and writes Typorin.dat. When the file cannot be written the learner is
// asked whether to quit anyway; the previous file stays whole either way.
bool TfrmMain::FormCloseQuery() {
    QList<int> lists = ui->Splitter2->sizes();
    QList<int> panels = ui->Splitter1->sizes();
    QList<int> panes = ui->Splitter3->sizes();
    OptionRec.MainListView1Height = lists.value(0);
    OptionRec.MainPanel2Width = panels.value(0);
    OptionRec.MainRichEdit1Height = panes.value(0);
    QRect bounds = geometry();
    OptionRec.MainLeft = bounds.x();
    OptionRec.MainTop = bounds.y();
    OptionRec.MainWidth = bounds.width();
    OptionRec.MainHeight = bounds.height();
    try {
        WriteDataFile(DataFilePath());
    } catch (const std::exception& e) {
        return Dialogs::AskYesNo(this, Dialogs::TIcon::Error,
                                 QStringLiteral("データファイルの書き込みに失敗しました。\r\n") +
                                     QString::fromUtf8(e.what()) +
                                     QStringLiteral("\r\n\r\n保存せずに終了しますか？"));
    }
    return true;
}

void TfrmMain::SetStatus(QStatusBar* bar, int panel, const QString& text) {
    StatusPanel(bar, panel)->SetText(text);
}
