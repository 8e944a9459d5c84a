// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/UfGraphJap.h"

#include "exercise/UExerciseStats.h"
#include "platform/Fonts.h"
#include "platform/PaintBox.h"
#include "platform/Shell.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/PracticeRecords.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>

#include <cmath>

namespace {

QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The records window over the store, opened as the main window opens it; the store holds the
// defaults and the records a test adds.
class TfrmGraphJapTest : public TMainWindowTest {
protected:
    void SetUp() override {
        TMainWindowTest::SetUp();
        QSize screen = QGuiApplication::primaryScreen()->size();
        ResetOptions(screen.width(), screen.height());
    }
    void TearDown() override {
        delete FWindow.data();
        EmptyAllRecords();
    }

    // A record stored as an exercise stores it, `minutes` after 2026-12-08 9:00.
    static void AddRecord(const char* utf8Title, TRecordMode mode, int minutes,
                          TTextKind kind = TTextKind::Japanese, int seconds = 60) {
        TPracticeRec rec =
            PracticeRecord(ShiftJis::FromQString(QString::fromUtf8(utf8Title)), mode,
                           RecDateOf(2026, 12, 8, 9, 0, 0) + minutes / 1440.0, seconds);
        rec.TextKind = kind;
        rec.MatchCount = 90;
        rec.MissCount = 10;
        rec.KanjiCount = 30;
        rec.KeyCount = 200;
        StoreRecord(rec);
    }

    TfrmGraphJap* OpenGraph(TMainWindowState main = {false, true, false, FixedFontFace}) {
        FWindow = new TfrmGraphJap(nullptr, main);
        FWindow->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(FWindow.data()));
        return FWindow.data();
    }

    QListWidget* List() { return Find<QListWidget>(FWindow, "ListBox1"); }
    QTableWidget* Grid() { return Find<QTableWidget>(FWindow, "StringGrid1"); }
    TPaintBox* Strip(const char* name) { return Find<TPaintBox>(FWindow, name); }
    QStringList ListTexts() {
        QStringList texts;
        for (int i = 0; i < List()->count(); ++i)
            texts << List()->item(i)->text();
        return texts;
    }
    void ChooseTitle(int row) {
        QListWidgetItem* item = List()->item(row);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                          List()->visualItemRect(item).center());
    }
    // The colour inside the dot of point `index` of a one-series strip for `value`, left of
    // its centre column (which the left axis covers for point 0).
    QColor PointColor(TPaintBox* strip, int index, int value, int upper, int lower) {
        QImage image = strip->grab().toImage();
        TStripGeometry geometry(strip->height(), upper, lower);
        return image.pixelColor(TStripGeometry::PointX(index) - 1, geometry.PointY(value) + 1);
    }
    static void MoveOver(TPaintBox* strip, int x) {
        const QPointF at(x, strip->height() / 2);
        QMouseEvent move(QEvent::MouseMove, at, strip->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(strip, &move);
    }
    void PressStrip(TPaintBox* strip, int x) {
        QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(x, strip->height() / 2));
        QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(x, strip->height() / 2));
    }

    QPointer<TfrmGraphJap> FWindow;
};

TEST_F(TfrmGraphJapTest, AnEmptyModeShowsTenEmptyRowsAndNoCount) {
    AddRecord("逐次の文", TRecordMode::Sequential, 0);
    OpenGraph();
    EXPECT_EQ(ListTexts(), QStringList{Q("すべて表示")});
    EXPECT_EQ(Grid()->rowCount(), 10);
    EXPECT_EQ(Grid()->columnCount(), 11);
    EXPECT_EQ(Panel(FWindow, "StatusBar1", 1), Q("データ数 0"));
    EXPECT_EQ(Panel(FWindow, "StatusBar1", 0), Q("一括入力（一括比較）モードの記録"));
    EXPECT_EQ(FWindow->windowTitle(), Q("TYPORIN  グラフ  すべて表示"));
    // Moving over the empty strips changes nothing.
    MoveOver(Strip("PaintBox1"), 60);
    EXPECT_EQ(Find<QLabel>(FWindow, "Label1")->text(), QString());
}

TEST_F(TfrmGraphJapTest, TwentyFiveRecordsFillTheGridWithTheNewestSelected) {
    for (int i = 0; i < 25; ++i)
        AddRecord(i % 2 ? "奇数" : "偶数", TRecordMode::BulkWhole, i);
    OpenGraph();
    EXPECT_EQ(ListTexts(), (QStringList{Q("25 すべて表示"), Q("12 奇数"), Q("13 偶数")}));
    EXPECT_EQ(Grid()->rowCount(), 25);
    EXPECT_EQ(Grid()->currentRow(), 24);
    EXPECT_EQ(Grid()->item(24, 0)->text(), "25");
    EXPECT_EQ(Grid()->item(0, 1)->text(), "26/12/08");
    EXPECT_EQ(Grid()->item(24, 2)->text(), "9:24");
    EXPECT_EQ(Grid()->item(0, 4)->text(), "100(100.0)");
    auto* scroll = Find<QScrollArea>(FWindow, "ScrollBox1");
    EXPECT_EQ(Find<QWidget>(FWindow, "Panel3")->width(),
              std::max(300, scroll->viewport()->width()));
    EXPECT_EQ(Panel(FWindow, "StatusBar1", 1), Q("データ数 25"));
}

TEST_F(TfrmGraphJapTest, TheNewestPointsAreScrolledIntoView) {
    for (int i = 0; i < 200; ++i)
        AddRecord("長い記録", TRecordMode::BulkWhole, i);
    OpenGraph();
    auto* scroll = Find<QScrollArea>(FWindow, "ScrollBox1");
    EXPECT_EQ(Find<QWidget>(FWindow, "Panel3")->width(), 2050);
    EXPECT_EQ(scroll->horizontalScrollBar()->value(), 2050 - scroll->viewport()->width());
}

TEST_F(TfrmGraphJapTest, TheModeComesFromTheMainWindowAndTheMenuSwitchesIt) {
    AddRecord("逐次の文", TRecordMode::Sequential, 0);
    AddRecord("行の文", TRecordMode::BulkLines, 1);
    AddRecord("一括の文", TRecordMode::BulkWhole, 2);
    OpenGraph({false, true, true, FixedFontFace});
    EXPECT_TRUE(Action(FWindow, "AllLineMode1")->isChecked());
    EXPECT_EQ(ListTexts(), (QStringList{Q("1 すべて表示"), Q("1 行の文")}));

    Action(FWindow, "PartMode1")->trigger();
    EXPECT_TRUE(Action(FWindow, "PartMode1")->isChecked());
    EXPECT_FALSE(Action(FWindow, "AllLineMode1")->isChecked());
    EXPECT_EQ(ListTexts(), (QStringList{Q("1 すべて表示"), Q("1 逐次の文")}));
    EXPECT_EQ(Grid()->columnCount(), 9);
    EXPECT_EQ(Panel(FWindow, "StatusBar1", 0), Q("逐次入力モードの記録"));
    EXPECT_EQ(Strip("PaintBox2")->toolTip(), Q("入力速度（入力文字数）"));

    // Clicking the checked item again keeps it checked and the records as they are.
    Action(FWindow, "PartMode1")->trigger();
    EXPECT_TRUE(Action(FWindow, "PartMode1")->isChecked());
    EXPECT_EQ(Grid()->columnCount(), 9);

    Action(FWindow, "AllMode1")->trigger();
    EXPECT_EQ(ListTexts(), (QStringList{Q("1 すべて表示"), Q("1 一括の文")}));
    EXPECT_EQ(Panel(FWindow, "StatusBar1", 0), Q("一括入力（一括比較）モードの記録"));
}

TEST_F(TfrmGraphJapTest, TouchTypingOpensTheBulkRecordsWithoutAModeText) {
    OpenGraph({false, false, false, FixedFontFace});
    EXPECT_TRUE(Action(FWindow, "AllMode1")->isChecked());
    EXPECT_EQ(Panel(FWindow, "StatusBar1", 0), QString());
}

TEST_F(TfrmGraphJapTest, ChoosingAnEnglishTitleNarrowsAndSwitchesTheHeaders) {
    AddRecord("Japanese", TRecordMode::BulkWhole, 0);
    AddRecord("English", TRecordMode::BulkWhole, 1, TTextKind::English);
    AddRecord("English", TRecordMode::BulkWhole, 2, TTextKind::English);
    OpenGraph();
    ChooseTitle(1);
    EXPECT_EQ(FWindow->windowTitle(), Q("TYPORIN  グラフ  English"));
    EXPECT_EQ(Panel(FWindow, "StatusBar1", 1), Q("データ数 2"));
    EXPECT_EQ(Grid()->horizontalHeaderItem(4)->text(), Q("入力単語数\n(WPM)"));
    EXPECT_EQ(Strip("PaintBox4")->toolTip(), Q("打鍵速度（打／分）"));
    EXPECT_EQ(ListTexts().size(), 3) << "choosing a title leaves the list";

    ChooseTitle(0);
    EXPECT_EQ(Panel(FWindow, "StatusBar1", 1), Q("データ数 3"));
    EXPECT_EQ(Grid()->horizontalHeaderItem(4)->text(), Q("入力文字数\n (文字/分) "));

    // The arrow keys choose titles as a press does, so the delete command and the grid agree.
    QTest::keyClick(List(), Qt::Key_Down);
    EXPECT_EQ(List()->currentRow(), 1);
    EXPECT_EQ(Panel(FWindow, "StatusBar1", 1), Q("データ数 2"));
}

TEST_F(TfrmGraphJapTest, StripsAndGridSelectTheSameRecord) {
    for (int i = 0; i < 5; ++i)
        AddRecord("文", TRecordMode::BulkWhole, i, TTextKind::Japanese, 60 + 30 * i);
    OpenGraph();
    TPaintBox* speed = Strip("PaintBox1");
    // Speeds 100, 67, 50, 40, 33 characters a minute; bounds 90 and 50.
    const int values[] = {100, 67, 50, 40, 33};
    PressStrip(speed, 72); // the third point
    EXPECT_EQ(Grid()->currentRow(), 2);
    EXPECT_EQ(PointColor(speed, 2, values[2], 90, 50), QColor(0, 255, 0));
    EXPECT_EQ(PointColor(Strip("PaintBox2"), 2, 90, 100, 80), QColor(0, 255, 0));
    EXPECT_EQ(PointColor(speed, 1, values[1], 90, 50), QColor(255, 0, 0));

    // A grid row highlights its point and leaves the grid's selection to the grid.
    QTableWidget* grid = Grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(0, 3)).center());
    EXPECT_EQ(PointColor(speed, 0, values[0], 90, 50), QColor(0, 255, 0));
    EXPECT_EQ(PointColor(speed, 2, values[2], 90, 50), QColor(255, 0, 0));

    // An empty row changes nothing; a press right of the last point takes the last record.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(0, 3)).center() +
                          QPoint(0, 6 * grid->rowHeight(0)));
    EXPECT_EQ(PointColor(speed, 0, values[0], 90, 50), QColor(0, 255, 0));
    PressStrip(speed, 1000);
    EXPECT_EQ(Grid()->currentRow(), 4);
    EXPECT_EQ(PointColor(speed, 4, values[4], 90, 50), QColor(0, 255, 0));
}

TEST_F(TfrmGraphJapTest, MovingOverAStripWritesTheReadOutAndTheCaption) {
    AddRecord("一つ目", TRecordMode::BulkWhole, 0);
    AddRecord("二つ目", TRecordMode::BulkWhole, 1, TTextKind::Japanese, 30);
    OpenGraph();
    MoveOver(Strip("PaintBox3"), 65);
    EXPECT_EQ(FWindow->windowTitle(), Q("TYPORIN  グラフ  二つ目"));
    EXPECT_EQ(Find<QLabel>(FWindow, "Label1")->text(),
              Q("  2 入力速度 200.0文字/分  一致率 90.0％  誤・脱字率 10.0％ 余字率  0.0％"));
}

// The read-out tells of a record of the list shown: a change of mode or title clears it. In
// sequential input its tool tip says which speed is which.
TEST_F(TfrmGraphJapTest, TheReadOutIsClearedWhenTheListChanges) {
    AddRecord("逐次", TRecordMode::Sequential, 0);
    AddRecord("一括", TRecordMode::BulkWhole, 1);
    auto* label = Find<QLabel>(OpenGraph({true, false, false, FixedFontFace}), "Label1");
    EXPECT_TRUE(label->toolTip().contains(Q("例文の文字数")));
    struct TStep {
        const char* Name;
        std::function<void()> Change;
    } steps[] = {
        {"another mode", [this] { Find<QAction>(FWindow, "AllMode1")->trigger(); }},
        {"a title", [this] { ChooseTitle(1); }},
        {"show all", [this] { ChooseTitle(0); }},
        {"back to sequential", [this] { Find<QAction>(FWindow, "PartMode1")->trigger(); }},
    };
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.Name);
        MoveOver(Strip("PaintBox1"), 55);
        ASSERT_FALSE(label->text().isEmpty());
        step.Change();
        EXPECT_EQ(label->text(), QString());
    }
    EXPECT_TRUE(label->toolTip().contains(Q("入力した文字数")));
    Find<QAction>(FWindow, "AllMode1")->trigger();
    EXPECT_EQ(label->toolTip(), QString());
}

// Every text of the grid fits its column at the font size chosen, the header lines too; when
// the columns are wider than the grid, it scrolls sideways.
TEST_F(TfrmGraphJapTest, ColumnsFitTheirWidestTextAtEveryFontSize) {
    for (int i = 0; i < 12; ++i) {
        TPracticeRec rec = PracticeRecord("long", TRecordMode::BulkWhole,
                                          RecDateOf(2026, 12, 9, 10 + i, 0, 0), 1295 + i);
        rec.ExampleCount = 3266;
        rec.InputCount = 3266;
        rec.MatchCount = 3200;
        rec.KeyCount = 11295;
        StoreRecord(rec);
    }
    for (int fontSize : {9, 12, 20}) {
        SCOPED_TRACE(fontSize);
        OptionRec.FontSize = static_cast<std::uint8_t>(fontSize);
        OpenGraph();
        QTableWidget* grid = Grid();
        const QFontMetrics cells(grid->font());
        const QFontMetrics headers(grid->horizontalHeader()->font());
        int total = 0;
        for (int column = 0; column < grid->columnCount(); ++column) {
            const int width = grid->columnWidth(column);
            total += width;
            for (const QString& line : grid->horizontalHeaderItem(column)->text().split(u'\n'))
                EXPECT_LE(headers.horizontalAdvance(line), width) << "header of " << column;
            for (int row = 0; row < grid->rowCount(); ++row) {
                if (QTableWidgetItem* item = grid->item(row, column)) {
                    EXPECT_LE(cells.horizontalAdvance(item->text()) + 3, width)
                        << item->text().toStdString() << " in column " << column;
                }
            }
        }
        EXPECT_EQ(grid->horizontalScrollBar()->maximum() > 0, total > grid->viewport()->width())
            << "sideways exactly when the columns are wider";
        delete FWindow.data();
    }
}

// The strips keep room for their labels, 漢字含有率 the longest.
TEST_F(TfrmGraphJapTest, EveryStripLabelFitsItsStrip) {
    OptionRec.GraphPaintBox1Height = 10;
    OptionRec.GraphPaintBox2Bottom = 23;
    OptionRec.GraphPaintBox3Bottom = 36;
    OpenGraph();
    QFont font = Strip("PaintBox4")->font();
    font.setPointSize(9);
    const int line = QFontMetrics(font).height();
    EXPECT_GE(Strip("PaintBox4")->height(), 5 + 5 * line);
    for (const char* name : {"PaintBox1", "PaintBox2"})
        EXPECT_GE(Strip(name)->height(), 5 + 4 * line) << name;
    EXPECT_GE(Strip("PaintBox3")->height(), 5 + 3 * line);
    EXPECT_LE(Strip("PaintBox4")->geometry().bottom(),
              Find<QScrollArea>(FWindow, "ScrollBox1")->viewport()->height())
        << "the last strip is not cut by the view";
}

// Height given to the strips' panel, by the window or the splitter under it, goes to all four
// strips, each by its height.
TEST_F(TfrmGraphJapTest, TheStripsShareTheHeightTheirPanelGains) {
    OpenGraph();
    TPaintBox* strips[] = {Strip("PaintBox1"), Strip("PaintBox2"), Strip("PaintBox3"),
                           Strip("PaintBox4")};
    int before[4];
    for (int i = 0; i < 4; ++i)
        before[i] = strips[i]->height();
    QWidget* panel = Find<QWidget>(FWindow, "Panel2");
    const int panelBefore = panel->height();
    auto* splitter = Find<QSplitter>(FWindow, "Splitter5");
    QList<int> sizes = splitter->sizes();
    splitter->setSizes({sizes[0] + 120, sizes[1] - 120});
    QCoreApplication::processEvents();
    const int panelGain = panel->height() - panelBefore;
    ASSERT_GT(panelGain, 40);
    int grown = 0;
    for (int i = 0; i < 4; ++i) {
        const int gain = strips[i]->height() - before[i];
        EXPECT_GT(gain, panelGain / 8) << "strip " << i + 1;
        EXPECT_LT(gain, panelGain / 2) << "strip " << i + 1;
        grown += gain;
    }
    EXPECT_NEAR(grown, panelGain, 4);
}

TEST_F(TfrmGraphJapTest, F1OpensTheHelp) {
    OpenGraph();
    FWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FWindow.data()));
    std::vector<QUrl> opened;
    SetUrlOpener([&](const QUrl& url) { opened.push_back(url); });
    QTest::keyClick(List(), Qt::Key_F1);
    EXPECT_EQ(FDialogs.MessageTexts(), QStringList{Q("ヘルプファイルがありません。")});
    std::ofstream(FFolder.Path() / "Typorin.chm") << "help";
    QTest::keyClick(List(), Qt::Key_F1);
    EXPECT_EQ(opened.size(), 1u);
    SetUrlOpener({});
}

TEST_F(TfrmGraphJapTest, DeleteAsksAndRemovesExactlyTheTitle) {
    AddRecord("abc", TRecordMode::BulkWhole, 0);
    AddRecord("ABC", TRecordMode::BulkWhole, 1);
    AddRecord("abc", TRecordMode::BulkWhole, 2);
    AddRecord("abc", TRecordMode::Sequential, 3);
    OpenGraph();
    EXPECT_EQ(ListTexts(), (QStringList{Q("3 すべて表示"), Q("1 ABC"), Q("2 abc")}));

    List()->clearSelection();
    Action(FWindow, "DeleteRec")->trigger();
    ASSERT_EQ(FDialogs.Messages.size(), 1u);
    EXPECT_EQ(FDialogs.Messages[0].Icon, Dialogs::TIcon::Information);
    EXPECT_TRUE(FDialogs.Messages[0].Text.startsWith(Q("削除する記録のタイトルが")));

    ChooseTitle(0);
    Action(FWindow, "DeleteRec")->trigger();
    ASSERT_EQ(FDialogs.Messages.size(), 2u);
    EXPECT_EQ(FDialogs.Messages[1].Icon, Dialogs::TIcon::Warning);
    EXPECT_TRUE(FDialogs.Messages[1].Text.startsWith(Q("　「すべて表示」")));

    ChooseTitle(2);
    FDialogs.YesNoAnswers = {false};
    Action(FWindow, "DeleteRec")->trigger();
    ASSERT_EQ(FDialogs.Questions.size(), 1u);
    EXPECT_EQ(FDialogs.Questions[0].Text, Q("abc を削除します。"));
    EXPECT_EQ(RecordsOfMode(PracticeRecs, TRecordMode::BulkWhole).size(), 3u)
        << "No deletes nothing";

    FDialogs.YesNoAnswers = {true};
    Action(FWindow, "DeleteRec")->trigger();
    EXPECT_EQ(ListTexts(), (QStringList{Q("1 すべて表示"), Q("1 ABC")}));
    EXPECT_EQ(List()->currentRow(), 0);
    EXPECT_EQ(RecordsOfMode(PracticeRecs, TRecordMode::Sequential).size(), 1u)
        << "other modes keep the title";
    EXPECT_EQ(OptionRec.NextRecord, 2);
}

TEST_F(TfrmGraphJapTest, BoundsAndPanesComeBackAsTheyWereLeft) {
    OptionRec.GraphLeft = 40;
    OptionRec.GraphTop = 30;
    OptionRec.GraphWidth = 800;
    OptionRec.GraphHeight = 600;
    OptionRec.GraphListBox1Width = 200;
    OptionRec.GraphPaintBox1Height = 70;
    OptionRec.GraphPaintBox2Bottom = 133;
    OptionRec.GraphPaintBox3Bottom = 200;
    OptionRec.GraphPanel2Bottom = 350;
    OpenGraph();
    EXPECT_EQ(Find<QWidget>(FWindow, "ListBox1")->width(), 200);
    EXPECT_EQ(Strip("PaintBox1")->height(), 70);
    EXPECT_EQ(Strip("PaintBox2")->height(), 60);
    EXPECT_EQ(Strip("PaintBox3")->height(), 64);
    EXPECT_EQ(FWindow->size(), QSize(800, 600));

    auto* splitter = Find<QSplitter>(FWindow, "Splitter1");
    splitter->setSizes({250, splitter->width() - 250 - 3});
    FWindow->resize(760, 580);
    EXPECT_TRUE(QTest::qWaitFor([&] { return FWindow->size() == QSize(760, 580); }));
    FWindow->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(FWindow.isNull()) << "closing destroys the window";
    EXPECT_EQ(OptionRec.GraphWidth, 760);
    EXPECT_EQ(OptionRec.GraphHeight, 580);
    EXPECT_EQ(OptionRec.GraphListBox1Width, 250);
    EXPECT_EQ(OptionRec.GraphPaintBox1Height, 70);
    EXPECT_EQ(OptionRec.GraphPaintBox2Bottom, 133);
    EXPECT_EQ(OptionRec.GraphPaintBox3Bottom, 200);
    EXPECT_EQ(OptionRec.GraphPanel2Bottom, 350);
}

TEST_F(TfrmGraphJapTest, CsvSavesWhatTheGridShows) {
    AddRecord("a,\"b\"", TRecordMode::BulkWhole, 0);
    AddRecord("日本語", TRecordMode::BulkWhole, 1);
    OpenGraph();
    ChooseTitle(1);
    const QString path = QString::fromStdString((FFolder.Path() / "out.csv").string());
    FDialogs.FileAnswers = {path};
    Action(FWindow, "SaveCsv1")->trigger();
    ASSERT_EQ(FDialogs.FileDialogs.size(), 1u);
    EXPECT_TRUE(FDialogs.FileDialogs[0].FileName.startsWith(Q("一括入力（一括比較）_")));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(bytes.count("\r\n"), 2) << "the header and the one record of the chosen title";
    EXPECT_TRUE(bytes.contains("\"a,\"\"b\"\"\"")) << bytes.constData();
}

TEST_F(TfrmGraphJapTest, AFailedCsvSaveSaysSo) {
    AddRecord("a", TRecordMode::BulkWhole, 0);
    OpenGraph();
    FDialogs.FileAnswers = {
        QString::fromStdString((FFolder.Path() / "missing" / "out.csv").string())};
    Action(FWindow, "SaveCsv1")->trigger();
    ASSERT_EQ(FDialogs.Messages.size(), 1u);
    EXPECT_EQ(FDialogs.Messages[0].Icon, Dialogs::TIcon::Error);
    EXPECT_TRUE(FDialogs.Messages[0].Text.startsWith(Q("CSVファイルの保存に失敗しました。\r\n")));
    EXPECT_FALSE(std::filesystem::exists(FFolder.Path() / "missing"));
}

TEST_F(TfrmGraphJapTest, DamagedDatesAndCountsOpenWithoutHarm) {
    AddRecord("good", TRecordMode::BulkWhole, 0);
    AddRecord("nan", TRecordMode::BulkWhole, 1);
    PracticeRecs[1].RecDate = std::nan("");
    AddRecord("far", TRecordMode::BulkWhole, 2);
    PracticeRecs[2].RecDate = 1e12;
    AddRecord("negative", TRecordMode::BulkWhole, 3, TTextKind::Japanese, -7);
    PracticeRecs[3].InputCount = -4;
    OpenGraph();
    EXPECT_EQ(ListTexts(), (QStringList{Q("2 すべて表示"), Q("1 good"), Q("1 negative")}));
    EXPECT_EQ(Grid()->item(1, 4)->text(), "-4(0.0)");
    EXPECT_EQ(Grid()->item(1, 9)->text(), "-7");
    Strip("PaintBox3")->repaint();
}

// ---- Through the main window ----

TEST_F(TfrmGraphJapTest, TheGraphCommandOpensOneWindowAtATime) {
    WriteSettings();
    auto main = Open();
    QAction* graph = Action(main.get(), "Graph1");
    ASSERT_TRUE(graph->isEnabled());
    graph->trigger();
    auto* first = main->findChild<TfrmGraphJap*>();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    graph->trigger();
    EXPECT_EQ(main->findChildren<TfrmGraphJap*>().size(), 1);

    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(main->findChildren<TfrmGraphJap*>().isEmpty());
    graph->trigger();
    auto* second = main->findChild<TfrmGraphJap*>();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->isVisible());
}

TEST_F(TfrmGraphJapTest, ADeletionReachesTheFileWhenTheMainWindowCloses) {
    WriteSettings([](TOptionRec& o) { o.ExamMode = 2; });
    auto main = Open();
    AddRecord("keep", TRecordMode::BulkWhole, 0);
    AddRecord("drop", TRecordMode::BulkWhole, 1);
    Action(main.get(), "Graph1")->trigger();
    auto* graph = main->findChild<TfrmGraphJap*>();
    ASSERT_NE(graph, nullptr);
    FWindow = graph;
    ChooseTitle(1);
    ASSERT_EQ(List()->currentItem()->text(), Q("1 drop"));
    FDialogs.YesNoAnswers = {true};
    Action(graph, "DeleteRec")->trigger();
    main->close();
    EmptyAllRecords();
    ReadDataFile(DataFilePath());
    EXPECT_EQ(RecordTitle(PracticeRecs[0]), "keep");
    EXPECT_FALSE(RecordInUse(PracticeRecs[1]));
    EXPECT_EQ(OptionRec.NextRecord, 1);
}

} // namespace
