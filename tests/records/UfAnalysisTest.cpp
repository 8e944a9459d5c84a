// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/UfAnalysis.h"

#include "analysis/UAnalysisTexts.h"
#include "platform/FileIo.h"
#include "platform/PaintBox.h"
#include "platform/Screens.h"
#include "platform/Shell.h"
#include "platform/StatusPanel.h"
#include "store/UDataFile.h"
#include "tests/support/CsvReader.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace {

QString Q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QColor ToQColor(TRgb c) {
    return QColor(c.R, c.G, c.B);
}

// The window over a statistics store in a temporary folder, filled through the store's own
// recording with the figures a test chooses.
class TfrmAnalysisTest : public testing::Test {
protected:
    void SetUp() override {
        FStore = std::make_unique<TStatsStore>(FFolder.Path() / "TyporinStats.db");
    }
    void TearDown() override {
        delete FWindow.data();
        FStore.reset();
    }

    // An exercise `daysAgo` days before today in which `unit` was typed `count` times as
    // `spelling`, each in `millis` (its keys sharing the time), `failed` of them with one wrong
    // key: `typed` pressed where the spelling's key `due` was due.
    void Type(int daysAgo, std::u16string unit, std::string spelling, int count, int millis,
              int failed = 0, char due = 0, char typed = 0) {
        TExerciseHead head;
        head.Title = u"テスト";
        head.Day = Today - daysAgo;
        head.Started = TStatsStore::Now() - std::int64_t{daysAgo} * 86400;
        auto id = FStore->BeginExercise(head);
        for (int i = 0; i < count; ++i) {
            TUnitAttempt a{unit, spelling, millis, {}, {}};
            for (char key : spelling)
                a.Keys.push_back({std::string(1, key), millis / static_cast<int>(spelling.size())});
            if (i < failed)
                a.Misses.push_back({std::string(1, due), std::string(1, typed)});
            FStore->AddAttempt(id, std::move(a));
        }
        FStore->SetTotals(id,
                          {count, count * static_cast<int>(spelling.size()), failed, count, true});
    }

    TfrmAnalysis* Open() {
        FStore->Sync();
        FWindow = new TfrmAnalysis(*FStore);
        FWindow->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(FWindow.data()));
        FWindow->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(FWindow.data()));
        return FWindow.data();
    }
    void Reopen() {
        FWindow->close();
        delete FWindow.data();
        Open();
    }

    template <typename T = QWidget>
    T* Find(const char* name) {
        T* child = FWindow->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            ADD_FAILURE() << "no control named " << name;
        return child;
    }
    QTableWidget* Table() { return Find<QTableWidget>("ListView1"); }
    // The row of the unit table that shows `unit` (its text, a ★ after the weakest); -1 if none.
    int RowOf(const char* unit) {
        for (int r = 0; r < Table()->rowCount(); ++r) {
            const QString text = Table()->item(r, 0)->text();
            if (text == Q(unit) || text == Q(unit) + Q(" ★"))
                return r;
        }
        return -1;
    }
    QString Cell(const char* unit, int column) {
        const int row = RowOf(unit);
        return row < 0 ? QString() : Table()->item(row, column)->text();
    }
    QString Panel(int index) { return StatusPanel(Find<QStatusBar>("StatusBar1"), index)->Text(); }

    // The tool tip a paint box shows at `at`.
    static QString TipAt(QWidget* box, QPoint at) {
        QToolTip::hideText();
        QHelpEvent help(QEvent::ToolTip, at, box->mapToGlobal(at));
        QApplication::sendEvent(box, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    // A point inside key `caption`'s oval that its caption does not cover: up and to the right
    // of its centre, along the oval's long axis.
    QPoint KeyPoint(const char* caption) {
        const THeatKeyboard keyboard = THeatKeyboard::For(Find("PaintBox1")->size());
        const std::optional<QPoint> centre = keyboard.Centre(caption);
        EXPECT_TRUE(centre.has_value()) << caption;
        const double s = keyboard.Geometry.OutlineScale;
        return centre.value_or(QPoint()) +
               QPoint(static_cast<int>(2.5 * s), -static_cast<int>(4 * s));
    }
    QColor KeyColor(const char* caption) {
        return Find("PaintBox1")->grab().toImage().pixelColor(KeyPoint(caption));
    }
    // The box of the chart cell of `unit`.
    QRect CellBox(std::u16string_view unit) {
        for (const UHeatMap::TChartCell& cell : HeatChartLayout(Find("PaintBox2")->size()).Cells)
            if (cell.Unit == unit)
                return QRect(cell.Box.Left, cell.Box.Top, cell.Box.Width, cell.Box.Height);
        ADD_FAILURE() << "no cell";
        return {};
    }

    TTempFolder FFolder;
    TDialogRecorder FDialogs;
    std::unique_ptr<TStatsStore> FStore;
    QPointer<TfrmAnalysis> FWindow;
    const int Today = TStatsStore::LocalDay(TStatsStore::Now());
};

TEST_F(TfrmAnalysisTest, WithNothingRecordedTheWindowSaysHowToFillIt) {
    Open();
    EXPECT_EQ(FWindow->windowTitle(), Q("TYPORIN  かな別の分析"));
    EXPECT_TRUE(Find<QLabel>("Label2")->isVisible());
    EXPECT_TRUE(Find<QLabel>("Label2")->text().contains(Q("タッチタイプで練習すると")));
    EXPECT_FALSE(Find<QSplitter>("Splitter1")->isVisible());
    EXPECT_FALSE(Find<QPushButton>("Button1")->isEnabled()) << "no CSV of nothing";
    EXPECT_FALSE(Find<QPushButton>("Button2")->isEnabled()) << "nothing to clear";
    EXPECT_EQ(Panel(1), QString());
}

TEST_F(TfrmAnalysisTest, KeysAreColouredByAccuracyOrSpeedWithTheFigureInTheirTip) {
    Type(0, u"か", "KA", 20, 300);
    Type(0, u"ぬ", "NU", 10, 600, 5, 'N', 'M');
    Open();
    TPaintBox* box = Find<TPaintBox>("PaintBox1");
    // By accuracy: K and A never wrong, N wrong half the time; the scale runs from 100 % to 50 %.
    EXPECT_EQ(KeyColor("K"), ToQColor(UHeatMap::ColorAt(0)));
    EXPECT_EQ(KeyColor("U"), ToQColor(UHeatMap::ColorAt(0)));
    EXPECT_EQ(KeyColor("N"), ToQColor(UHeatMap::ColorAt(1)));
    EXPECT_EQ(KeyColor("Q"), box->palette().color(QPalette::Button)) << "never due: unfilled";
    TTimeHistogram keyTimes; // each key of NU took 300 ms
    keyTimes.Add(300);
    EXPECT_EQ(TipAt(box, KeyPoint("N")),
              Q("キー N\n正確さ 50.0%（10 回中ミス 5 回）\n中央値 %1 ms").arg(*keyTimes.Median()));
    EXPECT_EQ(TipAt(box, KeyPoint("Q")), Q("キー Q\nまだ打つ場面がありません"));

    // By speed: K took 150 ms a key, N 300; the scale runs between them, rounded to 50 ms.
    QTest::mouseClick(Find<QRadioButton>("RadioButton2"), Qt::LeftButton);
    TTimeHistogram fast, slow;
    fast.Add(150);
    slow.Add(300);
    const UHeatMap::TScale scale = UHeatMap::TimeScale(*fast.Median(), *slow.Median());
    EXPECT_EQ(KeyColor("K"), ToQColor(UHeatMap::ColorAt(scale.Weakness(*fast.Median()))));
    EXPECT_EQ(KeyColor("N"), ToQColor(UHeatMap::ColorAt(scale.Weakness(*slow.Median()))));
    EXPECT_NE(KeyColor("K"), KeyColor("N"));
}

TEST_F(TfrmAnalysisTest, ChartCellsAreColouredAndUntypedOnesStayEmpty) {
    Type(0, u"か", "KA", 20, 300);
    Type(0, u"ぬ", "NU", 10, 600, 5, 'N', 'M');
    Type(0, u"シ", "SI", 10, 400, 1, 'S', 'A');
    Open();
    Find<QTabWidget>("PageControl1")->setCurrentIndex(1);
    TPaintBox* box = Find<TPaintBox>("PaintBox2");
    const QImage image = box->grab().toImage();
    auto fill = [&](std::u16string_view unit) {
        const QRect cell = CellBox(unit);
        return image.pixelColor(cell.left() + 2, cell.top() + 2);
    };
    // Accuracy from 100 % (か) to 50 % (ぬ); シ counts as し, 90 %.
    EXPECT_EQ(fill(u"か"), ToQColor(UHeatMap::ColorAt(0)));
    EXPECT_EQ(fill(u"ぬ"), ToQColor(UHeatMap::ColorAt(1)));
    EXPECT_EQ(fill(u"し"), ToQColor(UHeatMap::ColorAt(0.2)));
    EXPECT_EQ(fill(u"ね"), QColor(Qt::white));
    EXPECT_TRUE(
        TipAt(box, CellBox(u"し").center()).startsWith(Q("し\n正確さ 90.0%（10 回中ミス 1 回）")));
    EXPECT_EQ(TipAt(box, CellBox(u"ね").center()), Q("ね\nこの期間には打っていません"));

    // A kana course marks the units it is told of: a locked one is hatched.
    FWindow->SetUnitStates({{u"か", TUnitState::Locked}});
    const QImage locked = box->grab().toImage();
    const QRect cell = CellBox(u"か");
    EXPECT_NE(locked.copy(cell), image.copy(cell));
}

TEST_F(TfrmAnalysisTest, TheCourseStatesComeFromTheStoresProgressFiguresAndTargets) {
    // The vowels and か unlocked; あ typed to every target, い at 75 % only.
    UKanaCourse::SaveProgress(*FStore, TInputStyle::Romaji, {UKanaCourse::InitialUnlocked + 1});
    Type(0, u"あ", "A", 20, 200);
    Type(0, u"い", "I", 20, 200, 5, 'I', 'U');
    FStore->Sync();

    std::map<std::u16string, TUnitState> states = CourseUnitStates(*FStore, TInputStyle::Romaji);
    std::set<std::u16string_view> units;
    for (const UKanaCourse::TItem& item : UKanaCourse::Items())
        units.insert(item.Unit);
    EXPECT_EQ(states.size(), units.size()) << "every unit of the course, and only those";
    struct TCase {
        std::u16string Unit;
        TUnitState State;
    } cases[] = {
        {u"あ", TUnitState::Mastered},   {u"い", TUnitState::InProgress},
        {u"う", TUnitState::InProgress}, {u"か", TUnitState::InProgress},
        {u"き", TUnitState::Locked},     {u"ん", TUnitState::Locked},
        {u"ヴぉ", TUnitState::Locked},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(states[c.Unit], c.State) << UAnalysisTexts::Utf8(c.Unit);

    // The targets are the stored ones: at 75 % い is mastered too.
    UKanaCourse::SaveTargets(*FStore, {20, 75, 150});
    EXPECT_EQ(CourseUnitStates(*FStore, TInputStyle::Romaji)[u"い"], TUnitState::Mastered);
    // Kana input keeps a course of its own, untouched by romaji typing.
    states = CourseUnitStates(*FStore, TInputStyle::Kana);
    EXPECT_EQ(states[u"あ"], TUnitState::InProgress);
    EXPECT_EQ(states[u"か"], TUnitState::Locked);
}

TEST_F(TfrmAnalysisTest, ShowCourseMarksTheChart) {
    Type(0, u"あ", "A", 20, 200);
    Open();
    Find<QTabWidget>("PageControl1")->setCurrentIndex(1);
    TPaintBox* box = Find<TPaintBox>("PaintBox2");
    const QImage before = box->grab().toImage();
    FWindow->ShowCourse(TInputStyle::Romaji);
    const QImage after = box->grab().toImage();
    for (std::u16string_view unit : {u"あ", u"い", u"き"}) { // mastered, in progress, locked
        const QRect cell = CellBox(unit);
        EXPECT_NE(after.copy(cell), before.copy(cell)) << UAnalysisTexts::Utf8(unit);
    }
    const QRect outside = CellBox(u"ぁ"); // small kana alone: no unit of the course
    EXPECT_EQ(after.copy(outside), before.copy(outside));
}

TEST_F(TfrmAnalysisTest, TheWeaknessDrillButtonIsThereOnlyWithItsHook) {
    Open();
    EXPECT_TRUE(Find<QPushButton>("btnWeaknessDrill")->isHidden());
    FWindow->close();
    delete FWindow.data();

    int started = 0;
    FWindow = new TfrmAnalysis(*FStore);
    FWindow->OnWeaknessDrill = [&] { ++started; };
    FWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FWindow.data()));
    auto* button = Find<QPushButton>("btnWeaknessDrill");
    EXPECT_TRUE(button->isVisible()) << "even with nothing recorded: the drill says what to do";
    EXPECT_EQ(button->text(), Q("苦手克服ドリル"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(started, 1);
}

TEST_F(TfrmAnalysisTest, TheTableSortsByNumbersAndMarksTheWeakest) {
    Type(0, u"か", "KA", 100, 300);
    Type(0, u"き", "KI", 9, 300);
    Type(0, u"く", "KU", 10, 300);
    Type(0, u"ぬ", "NU", 10, 900, 5, 'N', 'M');
    Type(0, u"しゃ", "SHA", 8, 600, 2, 'H', 'Y');
    Type(0, u"しゃ", "SYA", 2, 300);
    Open();
    QTableWidget* table = Table();
    ASSERT_EQ(table->rowCount(), 5);
    // The weakest first: ぬ and しゃ score above the learner's own average, and only they.
    EXPECT_EQ(table->item(0, 0)->text(), Q("ぬ ★"));
    EXPECT_EQ(table->item(1, 0)->text(), Q("しゃ ★"));
    EXPECT_EQ(Cell("か", 0), Q("か")) << "not marked";
    EXPECT_EQ(Find<QLabel>("Label1")->text(), Q("苦手なかな（苦手な順）: 「ぬ」「しゃ」"));
    EXPECT_EQ(Cell("しゃ", 1).left(9), Q("SHA 80.0%"));
    EXPECT_TRUE(Cell("しゃ", 1).contains(Q("SYA 20.0%")));
    EXPECT_EQ(Cell("ぬ", 2), Q("10"));
    EXPECT_EQ(Cell("ぬ", 3), Q("50.0"));
    EXPECT_EQ(Cell("ぬ", 5), Q("N→M"));
    EXPECT_EQ(Cell("き", 8), QString()) << "too few attempts for a score";

    // By attempts, as numbers: 9 before 10 before 100.
    QTest::mouseClick(table->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(table->horizontalHeader()->sectionViewportPosition(2) + 5, 5));
    QStringList attempts;
    for (int r = 0; r < table->rowCount(); ++r)
        attempts << table->item(r, 2)->text();
    const QStringList ascending{"9", "10", "10", "10", "100"};
    const QStringList descending{"100", "10", "10", "10", "9"};
    EXPECT_TRUE(attempts == ascending || attempts == descending)
        << attempts.join(',').toStdString();
    // By kana: in the order of the chart.
    table->sortByColumn(0, Qt::AscendingOrder);
    EXPECT_EQ(table->item(0, 0)->text(), Q("か"));
    EXPECT_EQ(table->item(4, 0)->text(), Q("しゃ ★"));
}

TEST_F(TfrmAnalysisTest, ThePeriodCutsTheDaysReadOnce) {
    Type(40, u"か", "KA", 10, 300);
    Type(10, u"か", "KA", 20, 300);
    Type(0, u"か", "KA", 30, 300);
    Open();
    QComboBox* period = Find<QComboBox>("ComboBox1");
    struct TCase {
        int Choice;
        const char* Attempts;
        int FirstDaysAgo;
    } cases[] = {{0, "60", 40}, {1, "50", 10}, {2, "30", 0}};
    // Whatever lands in the store after opening is not shown until the window opens again.
    Type(0, u"か", "KA", 1000, 300);
    FStore->Sync();
    for (const TCase& c : cases) {
        period->setCurrentIndex(c.Choice);
        EXPECT_EQ(Cell("か", 2), Q(c.Attempts)) << c.Choice;
        EXPECT_TRUE(Panel(0).contains(
            QString::fromStdString(UAnalysisTexts::DateText(Today - c.FirstDaysAgo))))
            << Panel(0).toStdString();
    }
}

TEST_F(TfrmAnalysisTest, ClearingAsksFirstAndLeavesTheEmptyState) {
    Type(0, u"か", "KA", 20, 300);
    Open();
    FDialogs.YesNoAnswers = {false, true};
    QTest::mouseClick(Find<QPushButton>("Button2"), Qt::LeftButton);
    ASSERT_EQ(FDialogs.Questions.size(), 1u);
    EXPECT_EQ(FDialogs.Questions[0].Icon, Dialogs::TIcon::Warning);
    EXPECT_TRUE(FDialogs.Questions[0].Text.contains(Q("元に戻せません")));
    EXPECT_EQ(FStore->ExerciseCount(TPracticeMode::Touch), 1) << "No keeps everything";
    EXPECT_EQ(Table()->rowCount(), 1);

    QTest::mouseClick(Find<QPushButton>("Button2"), Qt::LeftButton);
    EXPECT_EQ(FStore->ExerciseCount(TPracticeMode::Touch), 0);
    EXPECT_TRUE(Find<QLabel>("Label2")->isVisible());
    EXPECT_FALSE(Find<QSplitter>("Splitter1")->isVisible());
    EXPECT_EQ(Table()->rowCount(), 0);
}

TEST_F(TfrmAnalysisTest, TheCsvHoldsTheTableInItsOrder) {
    Type(0, u"か", "KA", 20, 300);
    Type(0, u"、", ",", 12, 300, 6, ',', '.');
    Open();
    const std::filesystem::path file = FFolder.Path() / "units.csv";
    FDialogs.FileAnswers = {QString::fromStdString(file.string())};
    QTest::mouseClick(Find<QPushButton>("Button1"), Qt::LeftButton);
    ASSERT_EQ(FDialogs.FileDialogs.size(), 1u);
    EXPECT_TRUE(FDialogs.FileDialogs[0].FileName.startsWith(Q("かな別の分析_")));
    const std::string csv = ReadWholeFile(file);
    ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    const auto rows = ParseCsv(std::string_view(csv).substr(3));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][0], "かな");
    // Sorted by weakness: 、 (half its attempts wrong) before か.
    EXPECT_EQ(rows[1][0], "、");
    EXPECT_EQ(rows[1][1].substr(0, 8), ", 100.0%");
    EXPECT_EQ(rows[1][2], "12");
    EXPECT_EQ(rows[1][5], "50.0");
    EXPECT_EQ(rows[1][7], ",");
    EXPECT_EQ(rows[1][8], ".");
    EXPECT_EQ(rows[2][0], "か");

    // A file that cannot be written: the error is told and nothing is left behind.
    const std::filesystem::path missing = FFolder.Path() / "no-such-folder" / "units.csv";
    FDialogs.FileAnswers = {QString::fromStdString(missing.string())};
    QTest::mouseClick(Find<QPushButton>("Button1"), Qt::LeftButton);
    ASSERT_EQ(FDialogs.Messages.size(), 1u);
    EXPECT_TRUE(FDialogs.Messages[0].Text.startsWith(Q("CSVファイルの保存に失敗しました。")));
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(TfrmAnalysisTest, SizeLayoutAndChoicesComeBackWhenItOpensAgain) {
    Type(0, u"か", "KA", 20, 300);
    Open();
    FWindow->resize(700, 500);
    Find<QComboBox>("ComboBox1")->setCurrentIndex(2);
    QTest::mouseClick(Find<QRadioButton>("RadioButton2"), Qt::LeftButton);
    Find<QTabWidget>("PageControl1")->setCurrentIndex(2);
    Find<QSplitter>("Splitter1")->setSizes({250, 150});
    const int pictures = Find<QSplitter>("Splitter1")->sizes()[0];
    Reopen();
    EXPECT_EQ(FWindow->size(), QSize(700, 500));
    EXPECT_EQ(Find<QComboBox>("ComboBox1")->currentIndex(), 2);
    EXPECT_TRUE(Find<QRadioButton>("RadioButton2")->isChecked());
    EXPECT_EQ(Find<QTabWidget>("PageControl1")->currentIndex(), 2);
    EXPECT_EQ(Find<QSplitter>("Splitter1")->sizes()[0], pictures);
    EXPECT_EQ(FStore->Setting("analysis.period"), "7");
    EXPECT_EQ(FStore->Setting("analysis.heat"), "speed");

    // Settings that cannot be used give the defaults.
    FWindow->close();
    delete FWindow.data();
    for (const char* name : {"analysis.bounds", "analysis.splitter", "analysis.tab",
                             "analysis.period", "analysis.heat", "analysis.sort"})
        FStore->SetSetting(name, "9x,-");
    FStore->SetSetting("analysis.tab", "9");
    FStore->SetSetting("analysis.sort", "99,1");
    Open();
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    FitBoundsOnScreens(left, top, width, height, 960, 680, AvailableScreens());
    EXPECT_EQ(FWindow->size(), QSize(width, height)) << "the default size, fitted to the screen";
    EXPECT_EQ(Find<QComboBox>("ComboBox1")->currentIndex(), 0);
    EXPECT_TRUE(Find<QRadioButton>("RadioButton1")->isChecked());
    EXPECT_EQ(Find<QTabWidget>("PageControl1")->currentIndex(), 0);
    EXPECT_EQ(Table()->horizontalHeader()->sortIndicatorSection(), 8) << "by weakness";
}

TEST_F(TfrmAnalysisTest, F1OpensTheHelpAndEscapeCloses) {
    Type(0, u"か", "KA", 20, 300);
    Open();
    QUrl opened;
    SetUrlOpener([&](const QUrl& url) { opened = url; });
    std::ofstream(FFolder.Path() / "Typorin.chm") << "help";
    QTest::keyClick(FWindow.data(), Qt::Key_F1);
    EXPECT_EQ(opened.toLocalFile().toStdString(), (FFolder.Path() / "Typorin.chm").string());
    SetUrlOpener({});

    QTest::keyClick(FWindow.data(), Qt::Key_Escape);
    EXPECT_TRUE(FWindow.isNull() || !FWindow->isVisible());
    delete FWindow.data();
    FStore.reset();
    FStore = std::make_unique<TStatsStore>(FFolder.Path() / "TyporinStats.db");
    EXPECT_TRUE(FStore->Setting("analysis.bounds").has_value()) << "closing keeps the layout";
}

} // namespace
