// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/app/MainWindowFixture.h"

#include "platform/FileIo.h"
#include "platform/Shell.h"
#include "platform/ShiftJis.h"
#include "platform/StatusPanel.h"
#include "store/UDataFile.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"

#include <QAction>
#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <fstream>

namespace {

class UfMainTest : public TMainWindowTest {};

// No Typorin.dat yet: a learner's first start, with the defaults and a welcome, once.
TEST_F(UfMainTest, AFirstStartWelcomesTheLearnerOnceAndOpensCentredInTouchTyping) {
    auto window = Open();
    QTest::qWait(0);
    ASSERT_EQ(FDialogs.Messages.size(), 1u);
    EXPECT_EQ(FDialogs.Messages[0].Icon, Dialogs::TIcon::Information);
    const QString& welcome = FDialogs.Messages[0].Text;
    EXPECT_TRUE(welcome.startsWith(QStringLiteral("TYPORIN へようこそ。")))
        << welcome.toStdString();
    for (const QString& part : {QStringLiteral("タッチタイプ"), QStringLiteral("逐次入力"),
                                QStringLiteral("一括入力"), QStringLiteral("F1")})
        EXPECT_TRUE(welcome.contains(part)) << part.toStdString();
    QSize screen = QGuiApplication::primaryScreen()->size();
    EXPECT_EQ(window->geometry(),
              QRect((screen.width() - 620) / 2, (screen.height() - 410) / 2, 620, 410));
    EXPECT_TRUE(Action(window.get(), "Touch1")->isChecked());
    EXPECT_TRUE(Find<QToolButton>(window.get(), "ToolButton3")->isChecked());
    EXPECT_EQ(Panel(window.get(), "StatusBar1", 0), QStringLiteral("タッチタイプ"));
    EXPECT_EQ(Find<QTextEdit>(window.get(), "RichEdit1")->toPlainText(),
              QStringLiteral("求む！　バグ・不具合報告　質問もＯＫ！\nここをクリック→") +
                  AuthorMailAddress);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("TYPORIN"));

    // Closing writes the file: the next start says nothing.
    window->close();
    window.reset();
    window = Open();
    QTest::qWait(0);
    EXPECT_EQ(FDialogs.Messages.size(), 1u);
}

// A file that is there but cannot be read is a failure, and says so.
TEST_F(UfMainTest, ADataFileThatCannotBeReadIsReported) {
    std::filesystem::create_directory(DataFilePath());
    auto window = Open();
    QTest::qWait(0);
    ASSERT_EQ(FDialogs.Messages.size(), 1u);
    EXPECT_EQ(FDialogs.Messages[0].Icon, Dialogs::TIcon::Error);
    EXPECT_EQ(FDialogs.Messages[0].Text,
              QStringLiteral("データファイルの読みこみに失敗しました。\r\n"
                             "設定値や練習記録のデータはすべて初期化されます。"));
    EXPECT_TRUE(Action(window.get(), "Touch1")->isChecked()) << "the defaults are in force";
}

TEST_F(UfMainTest, TheControlsCarryTheirNames) {
    WriteSettings();
    auto window = Open();
    for (const char* name : {"ToolBar1",
                             "Panel1",
                             "Panel2",
                             "Panel3",
                             "Splitter1",
                             "Splitter2",
                             "Splitter3",
                             "ListView1",
                             "ListView2",
                             "PaintBox1",
                             "PaintBox2",
                             "Label1",
                             "RichEdit1",
                             "RichEdit2",
                             "StatusBar1",
                             "StatusBar2",
                             "StatusBar1Panel0",
                             "StatusBar1Panel1",
                             "StatusBar2Panel0",
                             "StatusBar2Panel1",
                             "StatusBar2Panel2",
                             "MainMenu1",
                             "File1",
                             "ExamMode1",
                             "Show1",
                             "Tool1",
                             "Help1"})
        Find(window.get(), name);
    struct TButton {
        const char* Name;
        const char* Action;
        QString Hint;
    } buttons[] = {{"ToolButton1", "Open1", "開く"},
                   {"ToolButton3", "Touch1", "タッチタイプ"},
                   {"ToolButton4", "Part1", "逐次入力"},
                   {"ToolButton5", "All1", "一括入力"},
                   {"ToolButton7", "AutoCrLfAct", "自動行送り"},
                   {"ToolButton9", "Comp1", "比較する F5"},
                   {"ToolButton11", "SetOption1", "設定オプション"},
                   {"ToolButton12", "Editer1", "エディタ"},
                   {"ToolButton13", "Graph1", "グラフ"},
                   {"AnalysisButton", "Analysis1", "かな別の分析"},
                   {"ToolButton15", "Help2", "ヘルプ"}};
    for (const TButton& b : buttons) {
        auto* button = Find<QToolButton>(window.get(), b.Name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->defaultAction(), Action(window.get(), b.Action)) << b.Name;
        EXPECT_EQ(button->toolTip(), b.Hint) << b.Name;
        EXPECT_FALSE(button->icon().isNull()) << b.Name;
    }
    for (const char* name :
         {"ToolButton2", "ToolButton6", "ToolButton8", "ToolButton10", "ToolButton14"})
        Find(window.get(), name);
    struct TItem {
        const char* Name;
        QString Caption;
    } items[] = {{"Open1", "開く(&O)"},
                 {"Exit1", "終了(&X)"},
                 {"Touch1", "タッチタイプ(&T)"},
                 {"Part1", "逐次入力(&P)"},
                 {"All1", "一括入力(&A)"},
                 {"Comp1", "比較する(&C)"},
                 {"LineComp1", "行ごとに比較(&L)"},
                 {"Refresh1", "レジスタの情報を更新(&R)"},
                 {"AutoCrLfAct", "自動行送り(&L)"},
                 {"SetOption1", "設定オプション(&O)..."},
                 {"Editer1", "エディタ(&E)..."},
                 {"Graph1", "グラフ(&G)..."},
                 {"Help2", "ヘルプ(&H)"},
                 {"About1", "バージョン情報(&V)..."}};
    for (const TItem& item : items)
        EXPECT_EQ(Action(window.get(), item.Name)->text(), item.Caption) << item.Name;
    EXPECT_EQ(Action(window.get(), "Comp1")->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(Find(window.get(), "StatusBar2Panel0")->width(), 190);
}

struct TModeCase {
    const char* Name;
    const char* Item;
    const char* Button;
    int Mode;
};

class UfMainModeTest : public UfMainTest, public testing::WithParamInterface<TModeCase> {};

TEST_P(UfMainModeTest, TheModeSwitchLaysTheWindowOutForTheMode) {
    WriteSettings([](TOptionRec& o) { o.LineComp = 1; });
    auto window = Open();
    const TModeCase& c = GetParam();
    // Start from another mode, so that the switch really happens.
    Action(window.get(), c.Mode == 0 ? "All1" : "Touch1")->trigger();
    QTest::mouseClick(Find<QToolButton>(window.get(), c.Button), Qt::LeftButton);

    bool bulk = c.Mode == 2;
    EXPECT_TRUE(Action(window.get(), c.Item)->isChecked());
    for (const char* other : {"Touch1", "Part1", "All1"}) {
        if (std::strcmp(other, c.Item) != 0) {
            EXPECT_FALSE(Action(window.get(), other)->isChecked()) << other;
        }
    }
    for (const char* button : {"ToolButton3", "ToolButton4", "ToolButton5"})
        EXPECT_EQ(Find<QToolButton>(window.get(), button)->isChecked(),
                  std::strcmp(button, c.Button) == 0)
            << button;
    EXPECT_EQ(Action(window.get(), "AutoCrLfAct")->isEnabled(), bulk);
    EXPECT_EQ(Action(window.get(), "LineComp1")->isEnabled(), bulk);
    EXPECT_EQ(Find<QToolButton>(window.get(), "ToolButton7")->isEnabled(), bulk);
    EXPECT_FALSE(Action(window.get(), "Comp1")->isEnabled());
    EXPECT_EQ(Find(window.get(), "Panel1")->isVisible(), bulk);
    EXPECT_EQ(Find(window.get(), "PaintBox1")->isVisible(), c.Mode == 0);
    EXPECT_EQ(Find(window.get(), "RichEdit2")->isVisible(), c.Mode != 0);
    EXPECT_TRUE(Find(window.get(), "StatusBar2")->isVisible());
    const QString names[] = {"タッチタイプ", "逐次入力", "一括入力"};
    EXPECT_EQ(Panel(window.get(), "StatusBar1", 0), names[c.Mode]);
    EXPECT_EQ(Panel(window.get(), "StatusBar1", 1), QString());
    EXPECT_EQ(Panel(window.get(), "StatusBar2", 0), QStringLiteral(" "));
    EXPECT_EQ(Panel(window.get(), "StatusBar2", 1), QString());
    EXPECT_EQ(Panel(window.get(), "StatusBar2", 2), bulk ? QStringLiteral("行ごとに比較") : "");
    EXPECT_EQ(OptionRec.ExamMode, c.Mode);
    if (c.Mode != 0) {
        EXPECT_FALSE(Find(window.get(), "RichEdit1")->testAttribute(Qt::WA_InputMethodEnabled));
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, UfMainModeTest,
                         testing::Values(TModeCase{"Touch", "Touch1", "ToolButton3", 0},
                                         TModeCase{"Sequential", "Part1", "ToolButton4", 1},
                                         TModeCase{"Bulk", "All1", "ToolButton5", 2}),
                         [](const testing::TestParamInfo<TModeCase>& info) {
                             return info.param.Name;
                         });

TEST_F(UfMainTest, ASavedModeIsTheModeAtStart) {
    WriteSettings([](TOptionRec& o) { o.ExamMode = 1; });
    auto window = Open();
    EXPECT_TRUE(FDialogs.Messages.empty());
    EXPECT_TRUE(Action(window.get(), "Part1")->isChecked());
    EXPECT_TRUE(Find<QToolButton>(window.get(), "ToolButton4")->isChecked());
    EXPECT_EQ(Panel(window.get(), "StatusBar1", 0), QStringLiteral("逐次入力"));
}

TEST_F(UfMainTest, ADamagedModeStartsInTouchTyping) {
    WriteSettings([](TOptionRec& o) { o.ExamMode = 9; });
    auto window = Open();
    EXPECT_TRUE(Action(window.get(), "Touch1")->isChecked());
    EXPECT_EQ(Panel(window.get(), "StatusBar1", 0), QStringLiteral("タッチタイプ"));
}

TEST_F(UfMainTest, ChoosingTheCheckedModeAgainStillResetsThePanes) {
    WriteSettings([](TOptionRec& o) { o.ExamMode = 1; });
    auto window = Open();
    auto* typed = Find<QTextEdit>(window.get(), "RichEdit2");
    typed->setPlainText(QStringLiteral("typed"));
    Action(window.get(), "Part1")->trigger();
    EXPECT_TRUE(Action(window.get(), "Part1")->isChecked());
    EXPECT_TRUE(typed->toPlainText().isEmpty());
    EXPECT_TRUE(Find<QTextEdit>(window.get(), "RichEdit1")->toPlainText().isEmpty());
}

TEST_F(UfMainTest, TheTogglesAreStoredAndShown) {
    WriteSettings([](TOptionRec& o) {
        o.ExamMode = 2;
        o.AutoCrLf = 1;
        o.LineComp = 0;
    });
    auto window = Open();
    EXPECT_TRUE(Action(window.get(), "AutoCrLfAct")->isChecked());
    EXPECT_FALSE(Action(window.get(), "LineComp1")->isChecked());

    Action(window.get(), "LineComp1")->trigger();
    EXPECT_EQ(OptionRec.LineComp, 1);
    EXPECT_EQ(Panel(window.get(), "StatusBar2", 2), QStringLiteral("行ごとに比較"));
    Action(window.get(), "Part1")->trigger();
    EXPECT_EQ(Panel(window.get(), "StatusBar2", 2), QString());
    Action(window.get(), "All1")->trigger();
    EXPECT_EQ(Panel(window.get(), "StatusBar2", 2), QStringLiteral("行ごとに比較"));
    Action(window.get(), "LineComp1")->trigger();
    EXPECT_EQ(OptionRec.LineComp, 0);
    EXPECT_EQ(Panel(window.get(), "StatusBar2", 2), QString());

    QTest::mouseClick(Find<QToolButton>(window.get(), "ToolButton7"), Qt::LeftButton);
    EXPECT_EQ(OptionRec.AutoCrLf, 0);
    EXPECT_FALSE(Action(window.get(), "AutoCrLfAct")->isChecked());
}

TEST_F(UfMainTest, TheLayoutIsSavedOnClosingAndRestoredExactly) {
    WriteSettings();
    {
        auto window = Open();
        window->setGeometry(40, 30, 760, 520);
        QTest::qWait(20);
        // In bulk input, where the typing pane below the example may take any height.
        Action(window.get(), "All1")->trigger();
        Find<QSplitter>(window.get(), "Splitter1")->setSizes({230, 527});
        Find<QSplitter>(window.get(), "Splitter2")->setSizes({150, 200});
        Find<QSplitter>(window.get(), "Splitter3")->setSizes({140, 200});
        EXPECT_TRUE(window->close());
    }
    EXPECT_EQ(OptionRec.MainLeft, 40);
    EXPECT_EQ(OptionRec.MainTop, 30);
    EXPECT_EQ(OptionRec.MainWidth, 760);
    EXPECT_EQ(OptionRec.MainHeight, 520);
    EXPECT_EQ(OptionRec.MainPanel2Width, 230);
    EXPECT_EQ(OptionRec.MainListView1Height, 150);
    EXPECT_EQ(OptionRec.MainRichEdit1Height, 140);
    std::string saved = FileBytes();
    ASSERT_EQ(saved.size(), DataFileSize);

    std::memset(&OptionRec, 0, sizeof OptionRec);
    auto window = Open();
    EXPECT_EQ(window->geometry(), QRect(40, 30, 760, 520));
    EXPECT_EQ(Find<QSplitter>(window.get(), "Splitter1")->sizes().value(0), 230);
    EXPECT_EQ(Find<QSplitter>(window.get(), "Splitter2")->sizes().value(0), 150);
    EXPECT_EQ(Find<QSplitter>(window.get(), "Splitter3")->sizes().value(0), 140);
    EXPECT_TRUE(Action(window.get(), "All1")->isChecked());
    EXPECT_TRUE(window->close());
    EXPECT_EQ(FileBytes(), saved) << "an unchanged session writes the same file";
}

TEST_F(UfMainTest, AFailedSaveKeepsThePreviousFileAndAsksBeforeQuitting) {
    WriteSettings();
    std::string before = FileBytes();
    auto window = Open();
    window->setGeometry(60, 60, 700, 450);
    {
        TFileSizeLimit limit(64);
        FDialogs.YesNoAnswers = {false};
        EXPECT_FALSE(window->close()) << "No keeps the window open";
        ASSERT_EQ(FDialogs.Questions.size(), 1u);
        EXPECT_TRUE(FDialogs.Questions[0].Text.startsWith(
            QStringLiteral("データファイルの書き込みに失敗しました。\r\n")));
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(FileBytes(), before);

        FDialogs.YesNoAnswers = {true};
        EXPECT_TRUE(window->close()) << "Yes quits without saving";
        EXPECT_EQ(FileBytes(), before);
    }
}

// A Typorin.dat the learner made read-only is a file that cannot be written, not one to
// replace.
TEST_F(UfMainTest, AReadOnlyDataFileIsKeptAndTheLearnerAsked) {
    WriteSettings();
    std::string before = FileBytes();
    ASSERT_EQ(chmod(DataFilePath().c_str(), 0444), 0);
    auto window = Open();
    window->setGeometry(60, 60, 700, 450);
    FDialogs.YesNoAnswers = {true};
    EXPECT_TRUE(window->close());
    ASSERT_EQ(FDialogs.Questions.size(), 1u);
    EXPECT_TRUE(FDialogs.Questions[0].Text.startsWith(
        QStringLiteral("データファイルの書き込みに失敗しました。\r\n")));
    EXPECT_TRUE(FDialogs.Questions[0].Text.contains(QStringLiteral("読み取り専用")));
    EXPECT_EQ(FileBytes(), before);
}

TEST_F(UfMainTest, EndingTheSessionSavesAndClosesWithoutAQuestion) {
    WriteSettings();
    std::string before = FileBytes();
    {
        // The save fails: nobody is asked, the window closes, the previous file stays whole.
        auto window = Open();
        TFileSizeLimit limit(64);
        window->EndSession();
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(FDialogs.Questions.empty());
        EXPECT_EQ(FileBytes(), before);
    }
    {
        // A record made in the session is in the file after it ends.
        auto window = Open();
        window->setGeometry(50, 40, 720, 500);
        SetRecordTitle(PracticeRecs[OptionRec.NextRecord], "session");
        PracticeRecs[OptionRec.NextRecord].RecMode = TRecordMode::BulkWhole;
        window->EndSession();
        EXPECT_FALSE(window->isVisible());
        window->EndSession();
    }
    std::memset(PracticeRecs, 0, sizeof PracticeRecs);
    ReadDataFile(DataFilePath());
    EXPECT_EQ(RecordTitle(PracticeRecs[OptionRec.NextRecord]), "session");
    EXPECT_EQ(OptionRec.MainWidth, 720);
}

TEST_F(UfMainTest, HelpOpensTheHelpFileOrSaysItIsMissing) {
    WriteSettings();
    auto window = Open();
    std::vector<QUrl> opened;
    SetUrlOpener([&](const QUrl& url) { opened.push_back(url); });
    Action(window.get(), "Help2")->trigger();
    EXPECT_EQ(FDialogs.MessageTexts(), QStringList{QStringLiteral("ヘルプファイルがありません。")});
    EXPECT_TRUE(opened.empty());

    std::ofstream(FFolder.Path() / "Typorin.chm") << "help";
    Action(window.get(), "Help2")->trigger();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toLocalFile().toStdString(), (FFolder.Path() / "Typorin.chm").string());
    SetUrlOpener({});
}

TEST_F(UfMainTest, TheBannerAddressShowsAHandAndOpensTheMailProgram) {
    WriteSettings();
    auto window = Open();
    std::vector<QUrl> opened;
    SetUrlOpener([&](const QUrl& url) { opened.push_back(url); });
    auto* example = Find<QTextEdit>(window.get(), "RichEdit1");
    QTextCursor cursor(example->document()->findBlockByNumber(1));
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 8 + 3);
    QPoint onAddress = example->cursorRect(cursor).center() + QPoint(3, 0);
    QPoint onLead =
        example->cursorRect(QTextCursor(example->document()->findBlockByNumber(1))).center() +
        QPoint(8, 0);

    QTest::mouseMove(example->viewport(), onLead);
    EXPECT_NE(example->viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(example->viewport(), onAddress);
    EXPECT_EQ(example->viewport()->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(example->viewport(), Qt::LeftButton, {}, onLead);
    EXPECT_TRUE(opened.empty());
    QTest::mouseClick(example->viewport(), Qt::LeftButton, {}, onAddress);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("mailto:") + AuthorMailAddress +
                              QStringLiteral("?Subject=TYPORINについて&cc=&Body="
                                             "メールはテキスト形式でお送りください。")));
    SetUrlOpener({});
}

TEST_F(UfMainTest, TheExamplePaneHandsTheFocusToTheTypingPane) {
    WriteSettings([](TOptionRec& o) { o.ExamMode = 2; });
    auto window = Open();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Find(window.get(), "RichEdit1")->setFocus();
    EXPECT_TRUE(Find(window.get(), "RichEdit2")->hasFocus());
}

TEST_F(UfMainTest, WithoutRegistersTheListsStayEmptyAndTheBannerShows) {
    WriteSettings();
    auto window = Open();
    EXPECT_TRUE(FDialogs.Messages.empty());
    EXPECT_EQ(Find<QTreeWidget>(window.get(), "ListView1")->topLevelItemCount(), 0);
    EXPECT_EQ(Find<QTreeWidget>(window.get(), "ListView2")->topLevelItemCount(), 0);
    EXPECT_TRUE(Find<QTextEdit>(window.get(), "RichEdit1")->toPlainText().startsWith("求む！"));
}

TEST_F(UfMainTest, AMissingRegisterFolderIsReported) {
    WriteSettings();
    std::filesystem::remove(FFolder.Path() / "TextFolder");
    auto window = Open();
    EXPECT_EQ(FDialogs.MessageTexts(),
              QStringList{QString::fromStdString((FFolder.Path() / "TextFolder").string()) +
                          QStringLiteral(" がありません。")});
}

const std::u16string Register = u"TF<0001>朝の散歩\r\n朝早く起きた。\r\n\r\n"
                                u"FF<0002>夜\r\n夜は静かだ。\r\n";

TEST_F(UfMainTest, TheFirstRegisterIsChosenAtStartAndItsSentencesListed) {
    WriteSettings();
    WriteRegister("b.txt", Register);
    WriteRegister("a.txt", u"FF<0001>一つ目\r\n本文\r\n");
    WriteRegister("notes.md", u"FF<0001>x\r\ny\r\n");
    auto window = Open();
    auto* registers = Find<QTreeWidget>(window.get(), "ListView1");
    ASSERT_EQ(registers->topLevelItemCount(), 2);
    EXPECT_EQ(registers->topLevelItem(0)->text(0), QStringLiteral("a.txt"));
    EXPECT_EQ(registers->topLevelItem(1)->text(0), QStringLiteral("b.txt"));
    EXPECT_TRUE(registers->topLevelItem(0)->isSelected());
    auto* sentences = Find<QTreeWidget>(window.get(), "ListView2");
    ASSERT_EQ(sentences->topLevelItemCount(), 1);
    EXPECT_EQ(sentences->topLevelItem(0)->text(0), QStringLiteral("一つ目"));
    EXPECT_TRUE(Find<QTextEdit>(window.get(), "RichEdit1")->toPlainText().startsWith("求む！"));

    registers->setCurrentItem(registers->topLevelItem(1));
    ASSERT_EQ(sentences->topLevelItemCount(), 2);
    EXPECT_EQ(sentences->topLevelItem(0)->checkState(0), Qt::Checked);
    EXPECT_EQ(sentences->topLevelItem(1)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(sentences->topLevelItem(1)->text(0), QStringLiteral("夜"));
    EXPECT_TRUE(sentences->topLevelItem(0)->isSelected());
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("TYPORIN  ") +
                  QString::fromStdString((FFolder.Path() / "TextFolder" / "b.txt").string()) +
                  QStringLiteral("  "));
}

TEST_F(UfMainTest, ACheckMarkIsWrittenIntoTheRegister) {
    WriteSettings();
    std::filesystem::path file = WriteRegister("a.txt", Register);
    auto window = Open();
    auto* sentences = Find<QTreeWidget>(window.get(), "ListView2");
    ASSERT_EQ(sentences->topLevelItemCount(), 2);
    sentences->topLevelItem(1)->setCheckState(0, Qt::Checked);
    std::string expected = ShiftJis::FromUtf16(Register);
    expected[ShiftJis::FromUtf16(u"TF<0001>朝の散歩\r\n朝早く起きた。\r\n\r\n").size()] = 'T';
    EXPECT_EQ(ReadWholeFile(file), expected);
    sentences->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    expected[0] = 'F';
    EXPECT_EQ(ReadWholeFile(file), expected);
    EXPECT_TRUE(FDialogs.Messages.empty());
}

TEST_F(UfMainTest, AStaleCheckMarkIsRefusedAndTheFileLeftAlone) {
    WriteSettings();
    std::filesystem::path file = WriteRegister("a.txt", Register);
    auto window = Open();
    // Another program rewrites the register after it was listed.
    std::string changed = ShiftJis::FromUtf16(u"新しい一行目\r\n" + Register);
    std::ofstream(file, std::ios::binary) << changed;
    auto* sentences = Find<QTreeWidget>(window.get(), "ListView2");
    sentences->topLevelItem(1)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(ReadWholeFile(file), changed);
    ASSERT_EQ(FDialogs.Messages.size(), 1u);
    EXPECT_TRUE(FDialogs.Messages[0].Text.startsWith(
        QStringLiteral("チェックマークを書きこめませんでした。\r\n")));
    EXPECT_EQ(sentences->topLevelItem(1)->checkState(0), Qt::Unchecked)
        << "the mark shown is the file's";
}

// The lists follow the register folder without レジスタの情報を更新: registers another program
// creates, changes or deletes show as they are, the selections stay where their items still
// exist, and the exercise under way goes on.
TEST_F(UfMainTest, TheListsFollowTheRegisterFolder) {
    WriteSettingsInMode(TPracticeMode::Sequential);
    std::filesystem::path a = WriteRegister("a.txt", Register);
    std::filesystem::path c = WriteRegister("c.txt", u"FF<0001>c\r\nc\r\n");
    auto window = Open();
    auto* registers = Find<QTreeWidget>(window.get(), "ListView1");
    auto* sentences = Find<QTreeWidget>(window.get(), "ListView2");
    ClickSentence(window.get(), 1);
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    ASSERT_FALSE(typed->ReadOnly()) << "the exercise runs";
    auto texts = [](QTreeWidget* list) {
        QStringList texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts << list->topLevelItem(i)->text(0);
        return texts;
    };
    auto selected = [](QTreeWidget* list) {
        QList<QTreeWidgetItem*> items = list->selectedItems();
        return items.isEmpty() ? QString() : items.front()->text(0);
    };
    auto waitFor = [](const std::function<bool()>& done) { return QTest::qWaitFor(done, 5000); };

    WriteRegister("b.txt", u"FF<0001>b\r\nb\r\n");
    EXPECT_TRUE(waitFor([&] { return registers->topLevelItemCount() == 3; }));
    EXPECT_EQ(texts(registers), (QStringList{"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(selected(registers), QStringLiteral("a.txt"));
    EXPECT_EQ(selected(sentences), QStringLiteral("夜"));

    // Another entry written before the selected one, as the editor saves.
    SaveWholeFile(a, ShiftJis::FromUtf16(u"FF<0001>前\r\n前の文\r\n\r\n" + Register));
    EXPECT_TRUE(waitFor([&] { return sentences->topLevelItemCount() == 3; }));
    EXPECT_EQ(selected(sentences), QStringLiteral("夜"));
    EXPECT_EQ(sentences->topLevelItem(1)->checkState(0), Qt::Checked);
    EXPECT_FALSE(typed->ReadOnly()) << "the exercise goes on";

    std::filesystem::remove(c);
    EXPECT_TRUE(waitFor([&] { return registers->topLevelItemCount() == 2; }));
    EXPECT_EQ(selected(registers), QStringLiteral("a.txt"));
    EXPECT_EQ(sentences->topLevelItemCount(), 3);

    // Clicked before the change is seen, a register that is gone brings the lists up to date.
    std::filesystem::remove(FFolder.Path() / "TextFolder" / "b.txt");
    registers->setCurrentItem(registers->topLevelItem(1));
    EXPECT_EQ(texts(registers), QStringList{"a.txt"});
    EXPECT_TRUE(FDialogs.Messages.empty()) << FDialogs.MessageTexts().join(u'|').toStdString();

    std::filesystem::remove(a);
    EXPECT_TRUE(waitFor([&] { return registers->topLevelItemCount() == 0; }));
    EXPECT_EQ(sentences->topLevelItemCount(), 0);
    EXPECT_TRUE(FDialogs.Messages.empty());
}

TEST_F(UfMainTest, RefreshListsTheRegistersAgain) {
    WriteSettings();
    auto window = Open();
    EXPECT_EQ(Find<QTreeWidget>(window.get(), "ListView1")->topLevelItemCount(), 0);
    WriteRegister("new.txt", Register);
    Action(window.get(), "Refresh1")->trigger();
    EXPECT_EQ(Find<QTreeWidget>(window.get(), "ListView1")->topLevelItemCount(), 1);
    EXPECT_EQ(Find<QTreeWidget>(window.get(), "ListView2")->topLevelItemCount(), 0);
}

} // namespace
