// SPDX-License-Identifier: GPL-3.0-or-later
// Touch typing in the main window, driven as a learner drives it: a sentence started in mode 0,
// keys typed into the example pane or wherever the focus is, input-method commits in the kana
// step, the keyboard picture and the status bars.

#include "tests/app/MainWindowFixture.h"

#include "exercise/UExerciseStats.h"
#include "platform/InputMethod.h"
#include "romaji/UuKbClass.h"

#include <QClipboard>
#include <QImage>

namespace {

using ShiftJis::Sjis;

const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);

class UfMainTouchTest : public TMainWindowTest {
protected:
    // Opens the window in touch typing over a register whose one sentence is `text`, and
    // starts it.
    std::unique_ptr<TfrmMain> Start(std::u16string_view text) {
        return StartSentence(TPracticeMode::Touch, text);
    }

    // Keys typed into the example pane, each pressed and released.
    static void Type(QWidget* window, const char* keys) {
        QTest::keyClicks(Pane(window, "RichEdit1"), keys);
    }
    static void Press(QWidget* window, Qt::Key key) {
        QTest::keyClick(Pane(window, "RichEdit1"), key);
    }

    // The fill of the key of `c` as the keyboard shows it now.
    static QColor KeyFill(QWidget* window, char c) {
        QWidget* box = Find(window, "PaintBox1");
        TKbGeometry geometry = LayoutKeyboard(box->width(), box->height());
        int index = 0;
        EXPECT_TRUE(geometry.FindKey(c, index)) << c;
        TKbPoint centre = geometry.Centre(index);
        QImage shown = box->grab().toImage();
        return shown.pixelColor(centre.X + geometry.Unit / 5, centre.Y - geometry.Unit / 5);
    }

    // 's' for each silver byte of line `line` of the example pane, 'k' for black, 'x' else.
    static std::string Colors(QWidget* window, int line) {
        TRichEdit* pane = Pane(window, "RichEdit1");
        std::string colors;
        int start = pane->LineStart(line);
        for (int i = 0; i < static_cast<int>(pane->Line(line).size()); ++i) {
            TRgb c = FormatAt(pane, start + i).Color;
            colors += c == PaneColors::Silver ? 's' : c == PaneColors::Black ? 'k' : 'x';
        }
        return colors;
    }

    static QString Counters(int seconds, int keys, int misses) {
        return ShiftJis::ToQString(TouchCountersText(seconds, keys, misses));
    }
};

const QString DoneHint = QStringLiteral("  [Space]キーで繰り返し    [Enter]キーで次の文字列");

TEST_F(UfMainTouchTest, AKanaDrillTypedFromStartToEnd) {
    auto window = Start(u"しか\r\nあ");
    QWidget* w = window.get();
    TRichEdit* example = Pane(w, "RichEdit1");
    EXPECT_EQ(example->Text(), Sjis(u"しか\r\nSIKA"));
    EXPECT_TRUE(example->hasFocus());
    EXPECT_EQ(Panel(w, "StatusBar2", 0), Counters(0, 0, 0));
    EXPECT_EQ(Panel(w, "StatusBar2", 1), QString());
    EXPECT_EQ(KeyFill(w, 'S'), Blue);

    // Lower-case letters are judged as upper-case ones; none is inserted.
    Type(w, "s");
    EXPECT_EQ(Colors(w, 0), "kkkk");
    EXPECT_EQ(Colors(w, 1), "skkk");
    EXPECT_EQ(KeyFill(w, 'I'), Blue);
    Type(w, "i");
    EXPECT_EQ(Colors(w, 0), "sskk");
    EXPECT_EQ(Colors(w, 1), "sskk");
    Type(w, "KA");
    EXPECT_EQ(Colors(w, 0), "ssss");
    EXPECT_EQ(Colors(w, 1), "ssss");
    EXPECT_EQ(example->Text(), Sjis(u"しか\r\nSIKA"));
    EXPECT_EQ(Panel(w, "StatusBar1", 1), DoneHint);
    Tick(w, 2);
    EXPECT_EQ(Panel(w, "StatusBar2", 0), Counters(2, 4, 0));

    // Space shows the string again from its start, Enter the next one.
    Press(w, Qt::Key_Space);
    EXPECT_EQ(Colors(w, 0), "kkkk");
    EXPECT_EQ(Panel(w, "StatusBar1", 1), QString());
    Type(w, "sika");
    Press(w, Qt::Key_Return);
    EXPECT_EQ(example->Text(), Sjis(u"あ\r\nA"));
    EXPECT_EQ(KeyFill(w, 'A'), Blue);
    EXPECT_TRUE(FDialogs.Messages.empty());

    // Enter after the last string ends the drill: the box, no key marked, the speed.
    Type(w, "a");
    Press(w, Qt::Key_Return);
    ASSERT_EQ(FDialogs.Messages.size(), 1u);
    EXPECT_EQ(FDialogs.Messages[0].Icon, Dialogs::TIcon::Information);
    EXPECT_EQ(FDialogs.Messages[0].Text, QStringLiteral("終了しました。"));
    EXPECT_NE(KeyFill(w, 'A'), Blue);
    EXPECT_EQ(Panel(w, "StatusBar2", 1), ShiftJis::ToQString(TouchSpeedText(10, 2)));
    EXPECT_FALSE(Find<QTimer>(w, "Timer1")->isActive());
    Type(w, "a");
    EXPECT_EQ(FDialogs.Messages.size(), 1u);
    EXPECT_EQ(Panel(w, "StatusBar2", 0), Counters(2, 10, 0)) << "nothing counts after the end";
}

TEST_F(UfMainTouchTest, WrongKeysAreCountedAndMarkedRed) {
    auto window = Start(u"か");
    QWidget* w = window.get();
    EXPECT_FALSE(Find<QTimer>(w, "Timer1")->isActive());
    Type(w, "x");
    EXPECT_TRUE(Find<QTimer>(w, "Timer1")->isActive()) << "time runs from the first key";
    EXPECT_EQ(Panel(w, "StatusBar2", 0), Counters(0, 1, 1));
    EXPECT_EQ(KeyFill(w, 'X'), Red);
    EXPECT_EQ(KeyFill(w, 'K'), Blue);
    EXPECT_EQ(Colors(w, 1), "kk");
    Type(w, "k");
    EXPECT_NE(KeyFill(w, 'X'), Red);
    EXPECT_EQ(KeyFill(w, 'A'), Blue);
    // The keyboard follows the window's width, marks and all.
    window->resize(window->width() + 200, window->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(KeyFill(w, 'A'), Blue);
    Type(w, "a");
    EXPECT_EQ(Panel(w, "StatusBar2", 0), Counters(0, 3, 1));
}

// Enter in the sentence list starts the drill; held a little longer, it repeats into the drill,
// which must not take the repeats as wrong keys.
TEST_F(UfMainTouchTest, TheKeyThatStartsTheDrillIsNoKeyOfIt) {
    WriteRegister("a.txt", u"FF<0001>朝\r\nか\r\n");
    WriteSettingsInMode(TPracticeMode::Touch);
    auto window = Open();
    QWidget* w = window.get();
    auto* sentences = Find<QTreeWidget>(w, "ListView2");
    sentences->setFocus();
    QTest::keyPress(sentences, Qt::Key_Return);
    ASSERT_TRUE(Pane(w, "RichEdit1")->hasFocus()) << "the drill has started";
    for (int i = 0; i < 3; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"),
                         true);
        QApplication::sendEvent(QApplication::focusWidget(), &repeat);
    }
    // Some X servers send the repeats as plain releases and presses.
    for (int i = 0; i < 3; ++i) {
        QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyPress(QApplication::focusWidget(), Qt::Key_Return);
    }
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(Find<QTimer>(w, "Timer1")->isActive()) << "nothing typed yet";
    Type(w, "kx");
    EXPECT_EQ(Panel(w, "StatusBar2", 0), Counters(0, 2, 1)) << "x alone is wrong";
    // Another key pressed, Enter is a key of the drill again.
    QTest::keyClick(Pane(w, "RichEdit1"), Qt::Key_Return);
    EXPECT_EQ(Panel(w, "StatusBar2", 0), Counters(0, 2, 2));
    // A key held down in the drill repeats as typed: each repeat is a key and, here, a wrong one.
    for (int i = 0; i < 2; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"), true);
        QApplication::sendEvent(Pane(w, "RichEdit1"), &repeat);
    }
    Type(w, "a");
    EXPECT_EQ(Panel(w, "StatusBar2", 0), Counters(0, 5, 4));
}

// A large window (maximised on a 1920 × 1080 screen) shows the keyboard no larger than a key
// pitch of MaxKeyUnit, centred, and gives the rest of its height to the example.
TEST_F(UfMainTouchTest, TheKeyboardHasAMaximumSizeAndTheExampleTakesTheRest) {
    auto window = Start(u"か");
    QWidget* w = window.get();
    window->setGeometry(0, 0, 1900, 1000);
    QCoreApplication::processEvents();
    QWidget* box = Find(w, "PaintBox1");
    QWidget* panel = Find(w, "InputPanel");
    EXPECT_LE(box->width(), 14 * MaxKeyUnit + 13);
    EXPECT_EQ(LayoutKeyboard(box->width(), box->height()).Unit, MaxKeyUnit);
    EXPECT_LE(box->height(), KeyboardHeight(LayoutKeyboard(box->width())));
    EXPECT_NEAR(box->geometry().center().x(), panel->width() / 2, 1) << "centred";
    EXPECT_GT(Pane(w, "RichEdit1")->height(), 1000 / 3) << "the example takes the height";
    // Sequential input gives the typing pane all the room again.
    Action(w, "Part1")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(panel->maximumHeight(), QWIDGETSIZE_MAX);
}

TEST_F(UfMainTouchTest, CharactersTypedWhileAListHasTheFocusGoToTheDrill) {
    WriteRegister("k.txt", u"FF<0001>木\r\nき\r\n");
    auto window = Start(u"か");
    QWidget* w = window.get();
    auto* registers = Find<QTreeWidget>(w, "ListView1");
    registers->setFocus();
    QTest::keyClicks(registers, "ka");
    EXPECT_EQ(registers->currentItem()->text(0), QStringLiteral("a.txt"))
        << "no search in the list";
    EXPECT_EQ(Colors(w, 0), "ss");
    EXPECT_EQ(Panel(w, "StatusBar1", 1), DoneHint);
}

TEST_F(UfMainTouchTest, TheKanaStepIsFinishedThroughTheInputMethod) {
    auto window = Start(u"漢字\r\nあ");
    QWidget* w = window.get();
    TRichEdit* example = Pane(w, "RichEdit1");
    EXPECT_EQ(example->Text(), Sjis(u"漢字\r\n"));
    EXPECT_FALSE(example->ReadOnly());
    EXPECT_EQ(example->ImeMode(), TImeMode::Hiragana);
    const int input = example->LineStart(1);

    // Keys but Enter are the input method's: without one nothing is typed.
    Type(w, "ka");
    EXPECT_EQ(example->Text(), Sjis(u"漢字\r\n"));
    EXPECT_EQ(Panel(w, "StatusBar2", 0), Counters(0, 2, 0)) << "keys, no wrong ones";

    // Backspace and Left stop at the start of the input line; a click on line 0 goes back to
    // its end.
    Commit(example, QStringLiteral("漢"));
    Press(w, Qt::Key_Backspace);
    Press(w, Qt::Key_Backspace);
    Press(w, Qt::Key_Left);
    EXPECT_EQ(example->Text(), Sjis(u"漢字\r\n"));
    EXPECT_EQ(example->SelStart(), input);
    QTest::mouseClick(example->viewport(), Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(example->SelStart(), example->TextLength());

    // Nothing is pasted; after the key the input line is open again.
    QGuiApplication::clipboard()->setText(QStringLiteral("漢字"));
    QTest::keyClick(example, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(example->Text(), Sjis(u"漢字\r\n"));
    EXPECT_FALSE(example->ReadOnly());

    // A wrong commit selects its first wrong character; the right one finishes the string.
    Commit(example, QStringLiteral("漢時"));
    EXPECT_EQ(example->SelStart(), input + 2);
    EXPECT_EQ(example->SelLength(), 2);
    Commit(example, QStringLiteral("字"));
    EXPECT_EQ(Panel(w, "StatusBar1", 1), DoneHint);
    EXPECT_TRUE(example->ReadOnly());
    EXPECT_EQ(example->ImeMode(), TImeMode::Disabled);
    Press(w, Qt::Key_Return);
    EXPECT_EQ(example->Text(), Sjis(u"あ\r\nA"));
    EXPECT_EQ(KeyFill(w, 'A'), Blue);
}

TEST_F(UfMainTouchTest, TheSpellingTypedIsShownNextAndStoredAtClose) {
    auto window = Start(u"し\r\nしし");
    QWidget* w = window.get();
    Type(w, "shi");
    Press(w, Qt::Key_Return);
    EXPECT_EQ(Pane(w, "RichEdit1")->Text(), Sjis(u"しし\r\nSHISHI"));
    EXPECT_TRUE(window->close());
    std::memset(&OptionRec, 0, sizeof OptionRec);
    ReadDataFile(DataFilePath());
    EXPECT_EQ(OptionRec.RomajiChoice[14], 1);
}

TEST_F(UfMainTouchTest, AFileOpenedStartsTheDrillAndAModeChoiceAbandonsIt) {
    std::filesystem::path file = FFolder.Path() / "practice.txt";
    std::ofstream(file, std::ios::binary) << Sjis(u"\r\nねこ\r\n");
    WriteSettingsInMode(TPracticeMode::Touch);
    auto window = Open();
    QWidget* w = window.get();
    FDialogs.FileAnswers = {QString::fromStdString(file.string())};
    Action(w, "Open1")->trigger();
    TRichEdit* example = Pane(w, "RichEdit1");
    EXPECT_EQ(example->Text(), Sjis(u"ねこ\r\nNEKO"));
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("practice.txt")));

    Type(w, "x");
    Action(w, "Touch1")->trigger();
    EXPECT_NE(KeyFill(w, 'N'), Blue);
    EXPECT_NE(KeyFill(w, 'X'), Red);
    Type(w, "ne");
    EXPECT_EQ(example->Text(), "");
    EXPECT_EQ(Panel(w, "StatusBar2", 0), QStringLiteral(" ")) << "no exercise runs";
}

// In the kana step the input method takes the keys: its first preedit starts the clock, and a
// key it let through is no entry but a hint to switch it on.
TEST_F(UfMainTouchTest, TheKanaStepStartsWithTheInputMethod) {
    auto window = Start(u"漢字");
    QWidget* w = window.get();
    TRichEdit* example = Pane(w, "RichEdit1");
    auto* timer = Find<QTimer>(w, "Timer1");
    QTest::keyClicks(example, "k");
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(Panel(w, "StatusBar1", 1), InputMethod::ImeOffHint());
    QInputMethodEvent preedit(QStringLiteral("か"), {});
    QApplication::sendEvent(example, &preedit);
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(Panel(w, "StatusBar1", 1).isEmpty());
}

} // namespace
