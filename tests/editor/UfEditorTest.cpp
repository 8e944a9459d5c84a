// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/UfEditor.h"

#include "app/UfMain.h"
#include "platform/FileIo.h"
#include "platform/PlainEdit.h"
#include "platform/Shell.h"
#include "platform/ShiftJis.h"
#include "platform/StatusPanel.h"
#include "store/UDataFile.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <fstream>
#include <functional>
#include <memory>

namespace {

// Shift_JIS bytes of a text.
std::string Sjis(const QString& text) {
    return ShiftJis::FromQString(text);
}

const QString Register =
    QStringLiteral("TF<0001>朝\r\nおはよう\r\n\r\nFF<0002>夜\r\nこんばんは\r\n");

class UfEditorTest : public testing::Test {
protected:
    void SetUp() override {
        std::memset(&OptionRec, 0, sizeof OptionRec);
        QSize screen = QGuiApplication::primaryScreen()->size();
        ResetOptions(screen.width(), screen.height());
        std::filesystem::create_directory(FFolder.Path() / "TextFolder");
        WriteRegister("a.txt", Register);
        WriteRegister("b.txt", QString());
    }

    std::filesystem::path RegisterPath(const char* name) const {
        return FFolder.Path() / "TextFolder" / name;
    }
    void WriteRegister(const char* name, const QString& text) {
        SaveWholeFile(RegisterPath(name), Sjis(text));
    }
    QString ReadText(const std::filesystem::path& path) const {
        return ShiftJis::ToQString(ReadWholeFile(path));
    }

    TfrmEditor* Open() {
        FEditor = new TfrmEditor;
        FEditor->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(FEditor.data()));
        return FEditor;
    }
    void TearDown() override { delete FEditor.data(); }

    // Shows `main` and opens the editor from its menu, as a learner does.
    void OpenFromMain(TfrmMain& main) {
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        main.findChild<QAction*>(QStringLiteral("Editer1"))->trigger();
        FEditor = main.findChild<TfrmEditor*>();
        ASSERT_TRUE(FEditor);
    }

    // Shows `main`, which offers a recovered text at its start, answering `open`.
    void StartOffering(TfrmMain& main, bool open) {
        FDialogs.YesNoAnswers = {open};
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        QCoreApplication::processEvents();
        FEditor = main.findChild<TfrmEditor*>();
    }

    template <typename T = QWidget>
    T* Find(const char* name) const {
        T* child = FEditor->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            ADD_FAILURE() << "no control named " << name;
        return child;
    }
    void Run(const char* action) { Find<QAction>(action)->trigger(); }
    TPlainEdit* Edit() const { return Find<TPlainEdit>("RichEdit1"); }
    QTreeWidget* Files() const { return Find<QTreeWidget>("ListView1"); }
    QTreeWidget* Entries() const { return Find<QTreeWidget>("ListView2"); }
    QString Panel(int index) const {
        return StatusPanel(Find<QStatusBar>("StatusBar1"), index)->Text();
    }

    void ChooseFile(int row) { Files()->setCurrentItem(Files()->topLevelItem(row)); }
    // Opens entry `row` of the chosen file, as a click does.
    void OpenEntry(int row) {
        QTreeWidgetItem* item = Entries()->topLevelItem(row);
        ASSERT_NE(item, nullptr);
        Entries()->setCurrentItem(item);
        QTest::keyClick(Entries(), Qt::Key_Return);
    }
    // Keys for ASCII; other text as the input method would commit it.
    void Type(const QString& text) {
        Edit()->setFocus();
        bool ascii =
            std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
        if (ascii) {
            QTest::keyClicks(Edit(), text);
            return;
        }
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(Edit(), &commit);
    }

    // Answers the modal dialogs that the next command opens, in order; each step gets one.
    void AnswerModals(std::deque<std::function<void(QDialog*)>> steps) {
        FModalSteps = std::move(steps);
        FModalTimer = std::make_unique<QTimer>();
        QObject::connect(FModalTimer.get(), &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (FModalSteps.empty() || !dialog || dialog->property("answered").toBool())
                return;
            dialog->setProperty("answered", true);
            auto step = FModalSteps.front();
            FModalSteps.pop_front();
            step(dialog);
        });
        FModalTimer->start(5);
    }
    static std::function<void(QDialog*)> ChooseRegister(int row) {
        return [row](QDialog* box) {
            EXPECT_EQ(box->objectName(), QStringLiteral("TfrmRegiBox"));
            box->findChild<QListWidget*>(QStringLiteral("ListBox1"))->setCurrentRow(row);
            box->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        };
    }
    static std::function<void(QDialog*)> EnterTitle(const QString& title, QString* label = nullptr,
                                                    QString* preset = nullptr) {
        return [=](QDialog* box) {
            EXPECT_EQ(box->objectName(), QStringLiteral("TfrmTitleBox"));
            auto* edit = box->findChild<QLineEdit*>(QStringLiteral("Edit1"));
            if (label)
                *label = box->findChild<QLabel*>(QStringLiteral("Label1"))->text();
            if (preset)
                *preset = edit->text();
            edit->setText(title);
            box->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        };
    }

    TTempFolder FFolder;
    TDialogRecorder FDialogs;
    QPointer<TfrmEditor> FEditor;
    std::deque<std::function<void(QDialog*)>> FModalSteps;
    std::unique_ptr<QTimer> FModalTimer;
};

TEST_F(UfEditorTest, OpensWithTheRegistersAndNothingChosen) {
    Open();
    ASSERT_EQ(Files()->topLevelItemCount(), 2);
    EXPECT_EQ(Files()->topLevelItem(0)->text(0), QStringLiteral("a.txt"));
    EXPECT_EQ(Entries()->topLevelItemCount(), 0);
    EXPECT_EQ(FEditor->EditMode, TfrmEditor::UntitledMode);
    EXPECT_EQ(Panel(2), QStringLiteral("挿入"));
    EXPECT_EQ(Panel(1), QString());
    EXPECT_EQ(FEditor->minimumSize(), QSize(300, 180));
    EXPECT_EQ(Find<QAction>("EditUndo1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(Find<QAction>("RegistRegi1")->toolTip(),
              QStringLiteral("現在編集中の文をレジスタへ追加"));
    for (const char* name :
         {"New1",         "Open1",        "Save1",   "SaveAs1",    "Undo1",        "Cut1",
          "Copy1",        "Paste1",       "Delete1", "SelectAll1", "W1",           "Cut2",
          "Copy2",        "Paste2",       "Delete2", "SelectAll2", "ToolButton13", "ToolButton14",
          "ToolButton16", "ToolButton17", "Memo1",   "Splitter3",  "Panel1"})
        EXPECT_NE(FEditor->findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
}

// The keys a desktop user expects: Ctrl+N, Ctrl+O, Ctrl+S and Ctrl+Shift+S run the file
// commands, shown in the menu; F1 opens the help.
TEST_F(UfEditorTest, TheFileCommandsAndTheHelpHaveTheirKeys) {
    struct TCase {
        const char* Item;
        QKeySequence Keys;
    } cases[] = {
        {"New1", QKeySequence(QStringLiteral("Ctrl+N"))},
        {"Open1", QKeySequence(QStringLiteral("Ctrl+O"))},
        {"Save1", QKeySequence(QStringLiteral("Ctrl+S"))},
        {"SaveAs1", QKeySequence(QStringLiteral("Ctrl+Shift+S"))},
    };
    Open();
    for (const TCase& c : cases)
        EXPECT_TRUE(Find<QAction>(c.Item)->text().endsWith(
            u'\t' + c.Keys.toString(QKeySequence::NativeText)))
            << c.Item;
    FEditor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FEditor.data()));
    Type(QStringLiteral("text"));
    QTest::keyClick(Edit(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(FDialogs.FileDialogs.size(), 1u) << "Save As asks for a name";
    EXPECT_EQ(FDialogs.FileDialogs[0].FileName, QStringLiteral("無題.txt"));
    QTest::keyClick(Edit(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(FDialogs.Questions.size(), 1u) << "Open asks to save the text first";
    EXPECT_EQ(Edit()->toPlainText(), QStringLiteral("text")) << "no key reached the text";

    std::vector<QUrl> opened;
    SetUrlOpener([&](const QUrl& url) { opened.push_back(url); });
    QTest::keyClick(Edit(), Qt::Key_F1);
    EXPECT_EQ(FDialogs.MessageTexts().value(0), QStringLiteral("ヘルプファイルがありません。"));
    std::ofstream(FFolder.Path() / "Typorin.chm") << "help";
    QTest::keyClick(Edit(), Qt::Key_F1);
    EXPECT_EQ(opened.size(), 1u);
    SetUrlOpener({});
}

TEST_F(UfEditorTest, AnEntryOpenedChangedAndSavedIsWhatTheRegisterHolds) {
    Open();
    ChooseFile(0);
    ASSERT_EQ(Entries()->topLevelItemCount(), 2);
    EXPECT_TRUE(Entries()->topLevelItem(0)->isSelected()) << "the first entry is selected";
    EXPECT_TRUE(Edit()->toPlainText().isEmpty()) << "but not opened";
    OpenEntry(1);
    EXPECT_EQ(FEditor->EditMode, TfrmEditor::EntryMode);
    EXPECT_EQ(Edit()->toPlainText(), QStringLiteral("こんばんは\n"));
    EXPECT_EQ(FEditor->windowTitle(), QStringLiteral("TYPORIN  エディタ  ") +
                                          QString::fromStdString(RegisterPath("a.txt").string()) +
                                          QStringLiteral("  夜"));
    Edit()->moveCursor(QTextCursor::End);
    Type(QStringLiteral("abc"));
    EXPECT_EQ(Panel(1), QStringLiteral("変更あり"));
    EXPECT_EQ(Panel(0), QStringLiteral("    2 :    4"));
    Run("Save");
    EXPECT_EQ(Panel(1), QString());
    EXPECT_EQ(
        ReadText(RegisterPath("a.txt")),
        QStringLiteral("TF<0001>朝\r\nおはよう\r\n\r\nFF<0002>夜\r\nこんばんは\r\nabc\r\n\r\n"));
    // Saved again: the entry's lines are replaced, not repeated.
    Type(QStringLiteral("d"));
    Run("Save");
    EXPECT_EQ(
        ReadText(RegisterPath("a.txt")),
        QStringLiteral("TF<0001>朝\r\nおはよう\r\n\r\nFF<0002>夜\r\nこんばんは\r\nabcd\r\n\r\n"));
    EXPECT_TRUE(Entries()->topLevelItem(1)->isSelected());
    EXPECT_TRUE(FDialogs.Messages.empty());
}

struct TConfirmCase {
    const char* Name;
    std::function<void(UfEditorTest&)> Arrange;
    QString Question;
};

TEST_F(UfEditorTest, EachModeAsksWithItsOwnWording) {
    Open();
    FDialogs.YesNoCancelAnswers = {Dialogs::TAnswer::No, Dialogs::TAnswer::No,
                                   Dialogs::TAnswer::No};
    // Untitled.
    Type(QStringLiteral("x"));
    Run("New");
    // A text file.
    Type(QStringLiteral("y"));
    Run("New");
    // An entry.
    ChooseFile(0);
    OpenEntry(0);
    Type(QStringLiteral("z"));
    ChooseFile(1);
    ASSERT_EQ(FDialogs.Questions.size(), 3u);
    EXPECT_EQ(
        FDialogs.Questions[0].Text,
        QStringLiteral("ファイル 無題 の内容が変更されています。\r\n無題.txt として保存します。\r\n"
                       "変更を保存しますか?"));
    EXPECT_EQ(FDialogs.Questions[1].Text,
              QStringLiteral("ファイル ") +
                  QString::fromStdString((FFolder.Path() / "新規.txt").string()) +
                  QStringLiteral(" の内容が変更されています。\r\n変更を保存しますか?"));
    EXPECT_EQ(FDialogs.Questions[2].Text,
              QStringLiteral("タイトル 朝 の内容が変更されています。\r\n変更を保存しますか?"));
    EXPECT_EQ(ReadText(RegisterPath("a.txt")), Register) << "No writes nothing";
}

// Cancel (Escape) at the save question abandons whatever asked: the text, its modified mark,
// the file or entry it belongs to and the lists stay as they were, and nothing is written.
TEST_F(UfEditorTest, CancelAtTheSaveQuestionKeepsTheTextAndAbandonsTheStep) {
    struct TCase {
        const char* Name;
        std::function<void()> Step;
    } cases[] = {
        {"closing", [this] { EXPECT_FALSE(FEditor->close()); }},
        {"new", [this] { Run("New"); }},
        {"open", [this] { Run("Open"); }},
        {"another register", [this] { ChooseFile(1); }},
        {"another entry", [this] { OpenEntry(1); }},
        {"refresh", [this] { Run("R1"); }},
    };
    Open();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ChooseFile(0);
        OpenEntry(0);
        Edit()->moveCursor(QTextCursor::End);
        Type(QStringLiteral("edited"));
        FDialogs.Questions.clear();
        FDialogs.FileDialogs.clear();
        FDialogs.YesNoCancelAnswers = {Dialogs::TAnswer::Cancel};
        c.Step();
        EXPECT_EQ(FDialogs.Questions.size(), 1u);
        EXPECT_TRUE(FDialogs.FileDialogs.empty()) << "nothing more is asked";
        EXPECT_EQ(Edit()->toPlainText(), QStringLiteral("おはよう\nedited"));
        EXPECT_EQ(Panel(1), QStringLiteral("変更あり"));
        EXPECT_EQ(FEditor->EditMode, TfrmEditor::EntryMode);
        EXPECT_EQ(FEditor->EntryTitle, QStringLiteral("朝"));
        EXPECT_TRUE(Files()->topLevelItem(0)->isSelected());
        EXPECT_EQ(Entries()->topLevelItemCount(), 2);
        EXPECT_EQ(ReadText(RegisterPath("a.txt")), Register);
        // Dropped, so that the next case starts afresh.
        FDialogs.YesNoCancelAnswers = {Dialogs::TAnswer::No};
        ChooseFile(1);
    }
}

// A text file changed and then a register clicked: the question comes, whatever the file.
TEST_F(UfEditorTest, AChangedTextFileAlwaysAsksBeforeARegisterIsShown) {
    std::filesystem::path path = FFolder.Path() / "t.txt";
    SaveWholeFile(path, "text\r\n");
    Open();
    FDialogs.FileAnswers = {QString::fromStdString(path.string())};
    Run("Open");
    ChooseFile(0);
    EXPECT_TRUE(FDialogs.Questions.empty()) << "an unchanged file goes without a word";
    FDialogs.FileAnswers = {QString::fromStdString(path.string())};
    Run("Open");
    Type(QStringLiteral("more"));
    FDialogs.YesNoCancelAnswers = {Dialogs::TAnswer::Cancel};
    ChooseFile(1);
    ASSERT_EQ(FDialogs.Questions.size(), 1u);
    EXPECT_TRUE(FDialogs.Questions[0].Text.startsWith(QStringLiteral("ファイル ") +
                                                      QString::fromStdString(path.string())));
    EXPECT_EQ(FEditor->EditMode, TfrmEditor::FileMode);
    EXPECT_TRUE(Files()->selectedItems().isEmpty());
    FDialogs.YesNoCancelAnswers = {Dialogs::TAnswer::Yes};
    ChooseFile(1);
    EXPECT_EQ(ReadWholeFile(path), "moretext\r\n");
    EXPECT_TRUE(Files()->topLevelItem(1)->isSelected());
}

TEST_F(UfEditorTest, ClosingUnchangedAsksNothingAndStoresTheLayout) {
    OptionRec.EditorShowView = 1;
    Open();
    ChooseFile(0);
    OpenEntry(0);
    Run("ShowView1");
    EXPECT_TRUE(FEditor->close());
    EXPECT_TRUE(FDialogs.Questions.empty());
    EXPECT_EQ(OptionRec.EditorShowView, 0);
    EXPECT_GT(OptionRec.EditorWidth, 0);
}

TEST_F(UfEditorTest, PaneSizesComeBackAsTheyWereLeft) {
    OptionRec.EditorWidth = 700;
    OptionRec.EditorHeight = 500;
    OptionRec.EditorPanel1Width = 250;
    OptionRec.EditorListView1Height = 90;
    OptionRec.EditorRichEdit1Height = 150;
    OptionRec.EditorShowView = 1;
    Open();
    EXPECT_EQ(Find<QSplitter>("Splitter1")->sizes().value(0), 250);
    EXPECT_EQ(Find<QSplitter>("Splitter2")->sizes().value(0), 90);
    EXPECT_EQ(Find<QSplitter>("Splitter3")->sizes().value(0), 150);
    Find<QSplitter>("Splitter1")->setSizes({200, 497});
    EXPECT_TRUE(FEditor->close());
    EXPECT_EQ(OptionRec.EditorPanel1Width, 200);
    EXPECT_EQ(OptionRec.EditorWidth, 700);
}

// Grown, the window gives its new height to the text being edited, not to the viewer.
TEST_F(UfEditorTest, TheEditingPaneTakesTheGrowth) {
    OptionRec.EditorWidth = 640;
    OptionRec.EditorHeight = 480;
    OptionRec.EditorRichEdit1Height = 120;
    OptionRec.EditorShowView = 1;
    Open();
    auto* viewer = Find<QPlainTextEdit>("Memo1");
    const int viewerBefore = viewer->height();
    const int editBefore = Edit()->height();
    FEditor->resize(1000, 680);
    QCoreApplication::processEvents();
    EXPECT_EQ(viewer->height(), viewerBefore);
    EXPECT_EQ(Edit()->height(), editBefore + 200);
}

TEST_F(UfEditorTest, NewThenSaveWritesBesideTheProgramWithoutADialog) {
    SaveWholeFile(FFolder.Path() / "新規.txt", "old");
    Open();
    Run("New");
    Type(QStringLiteral("hello"));
    Run("Save");
    EXPECT_TRUE(FDialogs.FileDialogs.empty());
    EXPECT_EQ(ReadWholeFile(FFolder.Path() / "新規.txt"), "hello\r\n");
}

TEST_F(UfEditorTest, AnUntitledTextIsSavedInTheCurrentFolderAndStaysUntitled) {
    QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(FFolder.Path().string()));
    Open();
    Type(QStringLiteral("first"));
    Run("Save");
    EXPECT_EQ(ReadWholeFile(FFolder.Path() / "無題.txt"), "first\r\n");
    EXPECT_EQ(FEditor->EditMode, TfrmEditor::UntitledMode);
    Type(QStringLiteral("!"));
    FDialogs.YesNoCancelAnswers = {Dialogs::TAnswer::No};
    Run("New");
    ASSERT_EQ(FDialogs.Questions.size(), 1u);
    EXPECT_TRUE(FDialogs.Questions[0].Text.startsWith(QStringLiteral("ファイル 無題 ")));
    QDir::setCurrent(before);
}

TEST_F(UfEditorTest, WrapOnAnUnchangedTextLeavesItUnchanged) {
    Open();
    ChooseFile(0);
    OpenEntry(0);
    Run("Wrap");
    EXPECT_EQ(Edit()->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_FALSE(Find<QAction>("W1")->isChecked());
    EXPECT_EQ(Panel(1), QString());
    Run("W1");
    EXPECT_EQ(Edit()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST_F(UfEditorTest, AnEntryWithoutIdxShowsTheReadErrorAndKeepsTheText) {
    Open();
    ChooseFile(0);
    OpenEntry(0);
    Entries()->topLevelItem(1)->setData(0, Qt::UserRole, QStringList{QStringLiteral("LastIdx=4")});
    OpenEntry(1);
    ASSERT_EQ(FDialogs.Messages.size(), 1u);
    EXPECT_TRUE(FDialogs.Messages[0].Text.startsWith(QStringLiteral("文の読み取り中のエラー\r\n")));
    EXPECT_EQ(Edit()->toPlainText(), QStringLiteral("おはよう\n"));
}

TEST_F(UfEditorTest, TextFilesAreSavedBackInTheirEncoding) {
    std::filesystem::path utf8 = FFolder.Path() / "u.txt";
    SaveWholeFile(utf8, "\xEF\xBB\xBF\xE6\x97\xA5\xE6\x9C\xAC\n");
    Open();
    FDialogs.FileAnswers = {QString::fromStdString(utf8.string())};
    Run("Open");
    EXPECT_EQ(Edit()->toPlainText(), QStringLiteral("日本\n"));
    Edit()->moveCursor(QTextCursor::End);
    Edit()->insertPlainText(QStringLiteral("😀"));
    Run("Save");
    EXPECT_EQ(ReadWholeFile(utf8), "\xEF\xBB\xBF\xE6\x97\xA5\xE6\x9C\xAC\r\n\xF0\x9F\x98\x80\r\n");
}

TEST_F(UfEditorTest, ACharacterShiftJisCannotHoldRefusesTheSaveAndKeepsTheText) {
    Open();
    ChooseFile(0);
    OpenEntry(0);
    Edit()->insertPlainText(QStringLiteral("😀"));
    Run("Save");
    ASSERT_EQ(FDialogs.Messages.size(), 1u);
    EXPECT_TRUE(FDialogs.Messages[0].Text.contains(QStringLiteral("😀")));
    EXPECT_EQ(ReadText(RegisterPath("a.txt")), Register);
    EXPECT_EQ(Panel(1), QStringLiteral("変更あり"));
    // Asked on leaving, a failed save keeps the text and the entry.
    FDialogs.YesNoCancelAnswers = {Dialogs::TAnswer::Yes};
    ChooseFile(1);
    EXPECT_TRUE(Edit()->toPlainText().contains(QStringLiteral("😀")));
    EXPECT_EQ(FEditor->EditMode, TfrmEditor::EntryMode);
    EXPECT_TRUE(Files()->topLevelItem(0)->isSelected());
}

TEST_F(UfEditorTest, AFailedWriteKeepsTheOldFileAndTheText) {
    std::filesystem::path path = FFolder.Path() / "t.txt";
    std::string old(4000, 'o');
    SaveWholeFile(path, old);
    Open();
    FDialogs.FileAnswers = {QString::fromStdString(path.string())};
    Run("Open");
    Type(QStringLiteral("new"));
    {
        TFileSizeLimit limit(1024);
        FDialogs.YesNoCancelAnswers = {Dialogs::TAnswer::Yes};
        EXPECT_FALSE(FEditor->close()) << "the window stays open";
    }
    EXPECT_EQ(ReadWholeFile(path), old);
    EXPECT_TRUE(Edit()->toPlainText().startsWith(QStringLiteral("new")));
    ASSERT_EQ(FDialogs.Messages.size(), 1u);
    EXPECT_TRUE(
        FDialogs.Messages[0].Text.startsWith(QStringLiteral("ファイルを保存できませんでした。")));
}

TEST_F(UfEditorTest, TheEditedTextIsAddedToTheChosenRegister) {
    Open();
    ChooseFile(0);
    Type(QStringLiteral("新しい文\n\n"));
    QString label, preset;
    AnswerModals({ChooseRegister(1), EnterTitle(QString(30, u'a'), &label, &preset)});
    Run("RegistRegi1");
    EXPECT_EQ(label, QStringLiteral("b.txt に登録します。\r\nタイトルを入力してください。"));
    EXPECT_EQ(preset, QStringLiteral("無題"));
    EXPECT_EQ(ReadText(RegisterPath("b.txt")),
              QStringLiteral("FF<0001>") + QString(24, u'a') + QStringLiteral("\r\n新しい文\r\n"));
    // The new entry shows after the file is chosen again.
    AnswerModals({ChooseRegister(0), EnterTitle(QStringLiteral("足す"))});
    Run("RegistRegi1");
    EXPECT_EQ(Entries()->topLevelItemCount(), 3);
}

TEST_F(UfEditorTest, AddingRefusesAnEmptyTitleAndAVanishedRegister) {
    Open();
    Type(QStringLiteral("text"));
    AnswerModals({ChooseRegister(1), EnterTitle(QString())});
    Run("RegistRegi1");
    std::filesystem::remove(RegisterPath("b.txt"));
    AnswerModals({ChooseRegister(1), EnterTitle(QStringLiteral("t"))});
    Run("RegistRegi1");
    ASSERT_EQ(FDialogs.Messages.size(), 2u);
    EXPECT_EQ(FDialogs.Messages[0].Text, QStringLiteral("タイトルがないので登録できません。"));
    EXPECT_EQ(FDialogs.Messages[1].Text,
              QString::fromStdString(RegisterPath("b.txt").string()) +
                  QStringLiteral(" が存在しません。\r\n登録作業を中止します。"));
    EXPECT_FALSE(std::filesystem::exists(RegisterPath("b.txt")));
}

TEST_F(UfEditorTest, TheRegisterBoxRefusesOkWithoutALine) {
    Open();
    AnswerModals({[](QDialog* box) {
        box->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        EXPECT_TRUE(box->isVisible());
        box->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
    }});
    Run("RegistRegi1");
    EXPECT_EQ(FDialogs.MessageTexts(),
              QStringList{QStringLiteral("登録するファイル名が選択されていません。")});
}

struct TNameCase {
    const char* Name;
    QString FileName;
    QString Refusal; // empty: created
};

class NewRegisterFileTest : public UfEditorTest, public testing::WithParamInterface<TNameCase> {};

TEST_P(NewRegisterFileTest, RefusesOrCreates) {
    Open();
    FDialogs.TextAnswers = {GetParam().FileName};
    Run("NewRegiFile1");
    QString caption = GetParam().FileName + QStringLiteral(".txt");
    if (!GetParam().Refusal.isEmpty()) {
        EXPECT_EQ(FDialogs.MessageTexts(), QStringList{GetParam().Refusal});
        EXPECT_EQ(Files()->topLevelItemCount(), 2);
        return;
    }
    EXPECT_TRUE(FDialogs.Messages.empty());
    EXPECT_EQ(Files()->findItems(caption, Qt::MatchExactly).size(), 1);
    EXPECT_EQ(ReadWholeFile(UuRegi::RegisterFolder() / caption.toStdString()), "");
}

const QString Forbidden =
    QStringLiteral("ファイル名には次の文字は使えません。\r\n\\ / : , ; * ? \" < > |");

INSTANTIATE_TEST_SUITE_P(
    Cases, NewRegisterFileTest,
    testing::Values(TNameCase{"Con", QStringLiteral("con"),
                              QStringLiteral("con はファイル名に使用できません。")},
                    TNameCase{"Slash", QStringLiteral("a/b"), Forbidden},
                    TNameCase{"Colon", QStringLiteral("a:b"), Forbidden},
                    TNameCase{"Empty", QString(""), QStringLiteral("ファイル名を入力してください")},
                    TNameCase{"KatakanaSo", QStringLiteral("ソフト"), QString()},
                    TNameCase{"Nul", QStringLiteral("NUL"), QString()}),
    [](const testing::TestParamInfo<TNameCase>& info) { return info.param.Name; });

// A refused name is shown, and the question comes back with that name, ready to be corrected.
TEST_F(UfEditorTest, ARefusedNameIsAskedForAgain) {
    Open();
    FDialogs.TextAnswers = {QStringLiteral("a/b"), QStringLiteral("ab")};
    Run("NewRegiFile1");
    EXPECT_EQ(FDialogs.MessageTexts(), QStringList{Forbidden});
    EXPECT_EQ(FDialogs.TextShown,
              (std::vector<QString>{QStringLiteral("新規ファイル"), QStringLiteral("a/b")}));
    EXPECT_EQ(Files()->findItems(QStringLiteral("ab.txt"), Qt::MatchExactly).size(), 1);
}

TEST_F(UfEditorTest, CreatingAnExistingNameEmptiesItAndListsItOnce) {
    Open();
    FDialogs.TextAnswers = {QStringLiteral("a")};
    FDialogs.YesNoAnswers = {true};
    Run("NewRegiFile1");
    ASSERT_EQ(FDialogs.Questions.size(), 1u);
    EXPECT_TRUE(
        FDialogs.Questions[0].Text.startsWith(QStringLiteral("同名のファイルがあります。")));
    EXPECT_EQ(Files()->findItems(QStringLiteral("a.txt"), Qt::MatchExactly).size(), 1);
    EXPECT_EQ(ReadWholeFile(RegisterPath("a.txt")), "");
}

TEST_F(UfEditorTest, DeletingAnEntryThatIsNotOpenDeletesTheSelectedOneOnly) {
    Open();
    ChooseFile(0);
    OpenEntry(0);
    Type(QStringLiteral("kept "));
    Entries()->setCurrentItem(Entries()->topLevelItem(1));
    Run("DeleteRegiBun1");
    ASSERT_EQ(FDialogs.Questions.size(), 1u);
    EXPECT_EQ(FDialogs.Questions[0].Text, QStringLiteral("「夜」 を削除します。"));
    EXPECT_EQ(ReadText(RegisterPath("a.txt")), QStringLiteral("TF<0001>朝\r\nおはよう\r\n\r\n"));
    EXPECT_EQ(Entries()->topLevelItemCount(), 1);
    EXPECT_TRUE(Edit()->toPlainText().startsWith(QStringLiteral("kept ")));
    // The open entry saves where it now stands.
    Run("Save");
    EXPECT_EQ(ReadText(RegisterPath("a.txt")),
              QStringLiteral("TF<0001>朝\r\nkept おはよう\r\n\r\n"));
}

TEST_F(UfEditorTest, DeletingTheOpenEntryEmptiesTheText) {
    Open();
    ChooseFile(0);
    OpenEntry(1);
    Run("DeleteRegiBun1");
    EXPECT_EQ(ReadText(RegisterPath("a.txt")), QStringLiteral("TF<0001>朝\r\nおはよう\r\n\r\n"));
    EXPECT_TRUE(Edit()->toPlainText().isEmpty());
    EXPECT_EQ(FEditor->EditMode, TfrmEditor::EntryMode);
    EXPECT_TRUE(FEditor->EntryTitle.isEmpty());
    Entries()->clearSelection();
    Run("DeleteRegiBun1");
    EXPECT_EQ(FDialogs.MessageTexts(), QStringList{QStringLiteral("文が選択されていません。")});
}

TEST_F(UfEditorTest, TextWrittenAfterItsEntryWasDeletedIsSavedAsAFile) {
    Open();
    ChooseFile(0);
    OpenEntry(1);
    Run("DeleteRegiBun1");
    EXPECT_EQ(FEditor->windowTitle(), QStringLiteral("TYPORIN  エディタ  無題"));
    Type(QStringLiteral("after"));
    // What saving will do is said, with no empty title.
    FDialogs.YesNoCancelAnswers = {Dialogs::TAnswer::Cancel};
    EXPECT_FALSE(FEditor->close());
    ASSERT_EQ(FDialogs.Questions.size(), 2u);
    EXPECT_EQ(FDialogs.Questions[1].Text,
              QStringLiteral("ファイル 無題 の内容が変更されています。\r\n"
                             "名前を付けて保存します。\r\n変更を保存しますか?"));
    std::filesystem::path path = FFolder.Path() / "kept.txt";
    FDialogs.FileAnswers = {QString::fromStdString(path.string())};
    Run("Save");
    ASSERT_EQ(FDialogs.FileDialogs.size(), 1u);
    EXPECT_EQ(FDialogs.FileDialogs[0].FileName, QStringLiteral("無題.txt"));
    EXPECT_EQ(ReadWholeFile(path), "after\r\n");
    EXPECT_EQ(FEditor->EditMode, TfrmEditor::FileMode);
}

TEST_F(UfEditorTest, DeletingARegisterFileAsksAndListsAgain) {
    Open();
    Run("DelRegiFile1");
    EXPECT_EQ(FDialogs.MessageTexts(),
              QStringList{QStringLiteral("削除するファイルが選択されていません。")});
    ChooseFile(1);
    FDialogs.YesNoAnswers = {true};
    Run("DelRegiFile1");
    EXPECT_EQ(FDialogs.Questions.back().Text, QStringLiteral("b.txt を削除します。"));
    EXPECT_FALSE(std::filesystem::exists(RegisterPath("b.txt")));
    EXPECT_EQ(Files()->topLevelItemCount(), 1);
}

TEST_F(UfEditorTest, ATextFileIsAddedUnderItsNameAsTitle) {
    std::filesystem::path path = FFolder.Path() / "memo.txt";
    SaveWholeFile(path, Sjis(QStringLiteral("一行目\r\n二行目\r\n\r\n")));
    Open();
    FDialogs.FileAnswers = {QString::fromStdString(path.string())};
    QString preset;
    AnswerModals({ChooseRegister(1), EnterTitle(QStringLiteral("メモ"), nullptr, &preset)});
    Run("F1");
    EXPECT_EQ(preset, QStringLiteral("memo"));
    EXPECT_EQ(ReadText(RegisterPath("b.txt")),
              QStringLiteral("FF<0001>メモ\r\n一行目\r\n二行目\r\n"));
    EXPECT_EQ(Edit()->toPlainText(), QString()) << "the edited text is left alone";
}

// A character a Shift_JIS register cannot hold is named at its line of the file added.
TEST_F(UfEditorTest, AnUnmappableCharacterOfAnAddedFileIsNamedAtItsLine) {
    std::filesystem::path path = FFolder.Path() / "emoji.txt";
    SaveWholeFile(path, "\xEF\xBB\xBF" + QStringLiteral("笑顔😀\r\n二行目\r\n").toStdString());
    Open();
    FDialogs.FileAnswers = {QString::fromStdString(path.string())};
    AnswerModals({ChooseRegister(1), EnterTitle(QStringLiteral("顔"))});
    Run("F1");
    ASSERT_EQ(FDialogs.Messages.size(), 1u);
    EXPECT_TRUE(FDialogs.Messages[0].Text.contains(QStringLiteral("「😀」(1 行目)")))
        << FDialogs.Messages[0].Text.toStdString();
    EXPECT_EQ(ReadWholeFile(RegisterPath("b.txt")), "");
}

// An entry longer than practice uses is written whole, and the learner told.
TEST_F(UfEditorTest, AnEntryLongerThanPracticeUsesIsSavedWithAWarning) {
    const QString longText = QString(1100, u'字');
    Open();
    ChooseFile(0);
    OpenEntry(0);
    Edit()->selectAll();
    Type(QString(1024, u'字'));
    Run("Save");
    EXPECT_TRUE(FDialogs.Messages.empty()) << "1024 characters are practised whole";
    Edit()->selectAll();
    Type(longText);
    Run("Save");
    AnswerModals({ChooseRegister(1), EnterTitle(QStringLiteral("長い"))});
    Run("RegistRegi1");
    const QString warning =
        QStringLiteral("この文は 1100 文字あります。\r\n"
                       "逐次入力と一括入力で練習に使われるのは、先頭の "
                       "1024 文字（1 行目の「…字字字字字字字字字字」まで）です。");
    EXPECT_EQ(FDialogs.MessageTexts(), (QStringList{warning, warning}));
    EXPECT_EQ(FDialogs.Messages[0].Icon, Dialogs::TIcon::Warning);
    EXPECT_TRUE(ReadText(RegisterPath("a.txt")).contains(longText));
    EXPECT_TRUE(ReadText(RegisterPath("b.txt")).contains(longText));
}

TEST_F(UfEditorTest, TheViewerShowsAFileAndComesBackAsItWasLeft) {
    OptionRec.EditorShowView = 0;
    Open();
    auto* viewer = Find<QPlainTextEdit>("Memo1");
    EXPECT_FALSE(viewer->isVisible());
    std::filesystem::path path = FFolder.Path() / "view.txt";
    SaveWholeFile(path, "look\r\nhere\r\n");
    FDialogs.FileAnswers = {QString::fromStdString(path.string()),
                            QString::fromStdString((FFolder.Path() / "none.txt").string())};
    Run("OpenViewFile1");
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->toPlainText(), QStringLiteral("look\nhere\n"));
    Run("OpenViewFile1");
    ASSERT_EQ(FDialogs.Messages.size(), 1u);
    EXPECT_TRUE(FDialogs.Messages[0].Text.startsWith(QStringLiteral("ファイルオープンエラー\r\n")));
    EXPECT_EQ(viewer->toPlainText(), QStringLiteral("look\nhere\n"));
    EXPECT_TRUE(FEditor->close());
    EXPECT_EQ(OptionRec.EditorShowView, 1);
}

TEST_F(UfEditorTest, InsertSwitchesToOverwriting) {
    Open();
    Type(QStringLiteral("ab"));
    Edit()->moveCursor(QTextCursor::Start);
    QTest::keyClick(Edit(), Qt::Key_Insert);
    EXPECT_EQ(Panel(2), QStringLiteral("上書き"));
    QTest::keyClicks(Edit(), QStringLiteral("x"));
    EXPECT_EQ(Edit()->toPlainText(), QStringLiteral("xb"));
    QTest::keyClick(Edit(), Qt::Key_Insert);
    EXPECT_EQ(Panel(2), QStringLiteral("挿入"));
}

TEST_F(UfEditorTest, AnInputMethodCommitsIntoTheTextAndShowsTheCompositionColours) {
    Open();
    Edit()->setFocus();
    QTextCharFormat highlight;
    highlight.setBackground(Qt::darkBlue);
    QInputMethodEvent preedit(QStringLiteral("かんじ"),
                              {{QInputMethodEvent::TextFormat, 0, 3, highlight}});
    QApplication::sendEvent(Edit(), &preedit);
    QList<QTextLayout::FormatRange> formats = Edit()->document()->firstBlock().layout()->formats();
    ASSERT_FALSE(formats.isEmpty());
    EXPECT_EQ(formats.front().format.background().color(), QColor(0, 255, 255));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("漢字"));
    QApplication::sendEvent(Edit(), &commit);
    EXPECT_EQ(Edit()->toPlainText(), QStringLiteral("漢字"));
    EXPECT_EQ(Panel(1), QStringLiteral("変更あり"));
}

TEST_F(UfEditorTest, TheMainWindowOpensOneEditorAndForgetsItWhenClosed) {
    TfrmMain main;
    QAction* command = main.findChild<QAction*>(QStringLiteral("Editer1"));
    ASSERT_TRUE(command->isEnabled());
    command->trigger();
    auto editors = [&main] { return main.findChildren<TfrmEditor*>(); };
    ASSERT_EQ(editors().size(), 1);
    QPointer<TfrmEditor> first = editors().front();
    command->trigger();
    EXPECT_EQ(editors().size(), 1);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    command->trigger();
    EXPECT_EQ(editors().size(), 1);
    editors().front()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(UfEditorTest, AnEntrySavedInTheEditorIsPractisedAfterRefreshingTheMainWindow) {
    OptionRec.ExamMode = 2;
    WriteDataFile(DataFilePath());
    TfrmMain main;
    ASSERT_NO_FATAL_FAILURE(OpenFromMain(main));
    ChooseFile(0);
    OpenEntry(1);
    Edit()->selectAll();
    Type(QStringLiteral("さようなら"));
    Run("Save");
    main.findChild<QAction*>(QStringLiteral("Refresh1"))->trigger();
    auto* registers = main.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
    registers->setCurrentItem(registers->topLevelItem(0));
    auto* sentences = main.findChild<QTreeWidget*>(QStringLiteral("ListView2"));
    sentences->setCurrentItem(sentences->topLevelItem(1));
    sentences->setFocus();
    QTest::keyClick(sentences, Qt::Key_Return);
    EXPECT_TRUE(main.findChild<QTextEdit*>(QStringLiteral("RichEdit1"))
                    ->toPlainText()
                    .startsWith(QStringLiteral("さようなら")));
    FEditor->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The end of the desktop session with the editor open: nobody is asked, the main window and
// the records window close, and a modified text is kept in a recovery file in UTF-8.
TEST_F(UfEditorTest, EndingTheSessionKeepsTheEditedTextWithoutAQuestion) {
    struct TCase {
        const char* Name;
        std::function<void()> Edit;
        QString Kept; // empty: no recovery file
    };
    const TCase cases[] = {
        {"a changed entry",
         [this] {
             ChooseFile(0);
             OpenEntry(1);
             Edit()->selectAll();
             Type(QStringLiteral("さようなら"));
         },
         QStringLiteral("さようなら")},
        {"an untitled text Shift_JIS cannot hold",
         [this] { Type(QStringLiteral("一行目\n絵文字😀")); }, QStringLiteral("一行目\r\n絵文字😀")},
        {"an unchanged entry",
         [this] {
             ChooseFile(0);
             OpenEntry(0);
         },
         QString()},
    };
    WriteDataFile(DataFilePath());
    const std::filesystem::path recovery = FFolder.Path() / "エディタの復元.txt";
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::filesystem::remove(recovery);
        {
            TfrmMain main;
            ASSERT_NO_FATAL_FAILURE(OpenFromMain(main));
            main.findChild<QAction*>(QStringLiteral("Graph1"))->trigger();
            c.Edit();
            main.EndSession();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_TRUE(FDialogs.Questions.empty());
            EXPECT_FALSE(main.isVisible());
            EXPECT_TRUE(FEditor.isNull());
            for (QWidget* window : QApplication::topLevelWidgets())
                EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
        }
        EXPECT_EQ(ReadText(RegisterPath("a.txt")), Register) << "the register is untouched";
        if (c.Kept.isEmpty()) {
            EXPECT_FALSE(std::filesystem::exists(recovery));
        } else {
            EXPECT_EQ(ReadWholeFile(recovery), "\xEF\xBB\xBF" + c.Kept.toStdString());
        }
    }
}

TEST_F(UfEditorTest, AnotherSessionEndNeverReplacesAnEarlierRecovery) {
    WriteDataFile(DataFilePath());
    for (const QString& text : {QStringLiteral("first"), QStringLiteral("second")}) {
        TfrmMain main;
        main.findChild<QAction*>(QStringLiteral("Editer1"))->trigger();
        FEditor = main.findChild<TfrmEditor*>();
        Type(text);
        main.EndSession();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::vector<std::filesystem::path> files = EditorRecoveryFiles();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].filename(), std::filesystem::path("エディタの復元.txt"));
    EXPECT_EQ(files[1].filename(), std::filesystem::path("エディタの復元 (2).txt"));
    EXPECT_EQ(ReadWholeFile(files[0]), "\xEF\xBB\xBF"
                                       "first");
    EXPECT_EQ(ReadWholeFile(files[1]), "\xEF\xBB\xBF"
                                       "second");
}

// At the next start the learner is told where the text is; No keeps the file for the next
// start, Yes shows the text in the editor as an unsaved text. The file stays until that text
// is saved or dropped: a crash in between loses nothing.
TEST_F(UfEditorTest, TheNextStartOffersTheKeptTextToTheEditor) {
    WriteDataFile(DataFilePath());
    const std::filesystem::path recovery = FFolder.Path() / "エディタの復元.txt";
    SaveWholeFile(recovery, "\xEF\xBB\xBF" + QStringLiteral("残した文😀").toStdString());
    for (bool open : {false, true}) {
        SCOPED_TRACE(open ? "Yes" : "No");
        FDialogs.Questions.clear();
        TfrmMain main;
        ASSERT_NO_FATAL_FAILURE(StartOffering(main, open));
        ASSERT_EQ(FDialogs.Questions.size(), 1u);
        EXPECT_TRUE(FDialogs.Questions[0].Text.contains(QStringLiteral("エディタの復元.txt")));
        EXPECT_TRUE(std::filesystem::exists(recovery));
        if (!open) {
            EXPECT_TRUE(FEditor.isNull());
            continue;
        }
        ASSERT_FALSE(FEditor.isNull());
        EXPECT_EQ(Edit()->toPlainText(), QStringLiteral("残した文😀"));
        EXPECT_EQ(Panel(1), QStringLiteral("変更あり"));
        // Closing asks to save it as any untitled text; Cancel keeps it all.
        FDialogs.YesNoCancelAnswers = {Dialogs::TAnswer::Cancel};
        EXPECT_FALSE(FEditor->close());
        ASSERT_EQ(FDialogs.Questions.size(), 2u);
        EXPECT_TRUE(FDialogs.Questions[1].Text.contains(QStringLiteral("無題")));
        EXPECT_TRUE(std::filesystem::exists(recovery));
        // No drops it, as the learner chose, and its file with it.
        FDialogs.YesNoCancelAnswers = {Dialogs::TAnswer::No};
        EXPECT_TRUE(FEditor->close());
        EXPECT_FALSE(std::filesystem::exists(recovery));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A recovered text saved is safe: its file goes. Until then the end of a session writes the
// text, as it is now, back into that same file.
TEST_F(UfEditorTest, ARecoveredTextKeepsItsFileUntilItIsSaved) {
    WriteDataFile(DataFilePath());
    const std::filesystem::path recovery = FFolder.Path() / "エディタの復元.txt";
    SaveWholeFile(recovery, "\xEF\xBB\xBF"
                            "kept");
    QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(FFolder.Path().string()));
    {
        TfrmMain main;
        ASSERT_NO_FATAL_FAILURE(StartOffering(main, true));
        ASSERT_FALSE(FEditor.isNull());
        Edit()->moveCursor(QTextCursor::End);
        Type(QStringLiteral(" more"));
        main.EndSession();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(EditorRecoveryFiles(), std::vector<std::filesystem::path>{recovery});
    EXPECT_EQ(ReadWholeFile(recovery), "\xEF\xBB\xBF"
                                       "kept more");
    {
        TfrmMain main;
        ASSERT_NO_FATAL_FAILURE(StartOffering(main, true));
        ASSERT_FALSE(FEditor.isNull());
        Run("Save");
        EXPECT_EQ(ReadWholeFile(FFolder.Path() / "無題.txt"), "\xEF\xBB\xBF"
                                                              "kept more\r\n");
        EXPECT_FALSE(std::filesystem::exists(recovery));
        EXPECT_TRUE(FEditor->close()) << "saved: nothing to ask";
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QDir::setCurrent(before);
}

} // namespace
