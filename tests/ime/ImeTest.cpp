// The main window under a real input method: run by im_session.sh inside a virtual X display
// with fcitx5 or ibus and the Mozc engine, on the xcb platform with the framework's Qt module.
// Keys are real X keyboard events (XTest, sent by xdotool to the focused window); what the
// learner sees is read through the controls' object names. Every wait polls a state with a
// time limit.
//
// TYPORIN_IM names the session: "fcitx5", "ibus" (Mozc on at launch) or "ibus-direct" (Mozc
// in direct input at launch, as an ibus learner may well have it).

#include "tests/app/MainWindowFixture.h"

#include "app/UExerciseStats.h"
#include "platform/InputMethod.h"
#include "tests/support/WaitFor.h"

#include <QAction>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>

#include <functional>

namespace {

std::string Sjis(std::u16string_view text) {
    return ShiftJis::FromUtf16(text);
}

QString Session() {
    return qEnvironmentVariable("TYPORIN_IM");
}

// Sends X key events to the focused window, as a keyboard would: xdotool names ("o", "Return",
// "F5"), one event pair each. The event loop runs while xdotool works.
void Keys(const QStringList& keys) {
    QProcess xdotool;
    xdotool.start(
        QStringLiteral("xdotool"),
        QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40")} + keys);
    ASSERT_TRUE(xdotool.waitForStarted()) << "xdotool did not start";
    ASSERT_TRUE(WaitFor([&] { return xdotool.state() == QProcess::NotRunning; }, 30000));
    ASSERT_EQ(xdotool.exitCode(), 0);
}

// Romaji as single keys: "ohayou" -> o h a y o u.
QStringList Romaji(const char* text) {
    QStringList keys;
    for (const char* c = text; *c; ++c)
        keys << QString(QLatin1Char(*c));
    return keys;
}

// Whether ibus has a focused input context (the window's), read from the daemon's own bus.
bool IBusFocused() {
    QDir busDir(QDir::homePath() + QStringLiteral("/.config/ibus/bus"));
    QStringList files = busDir.entryList(QDir::Files);
    if (files.isEmpty())
        return false;
    QFile file(busDir.filePath(files.first()));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString address;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith("IBUS_ADDRESS="))
            address = QString::fromUtf8(line.mid(13));
    QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("ibus-probe"));
    QDBusMessage current = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.IBus"), QStringLiteral("/org/freedesktop/IBus"),
        QStringLiteral("org.freedesktop.IBus"), QStringLiteral("CurrentInputContext"));
    QDBusMessage reply = bus.call(current);
    return reply.type() == QDBusMessage::ReplyMessage;
}

class ImeTest : public TMainWindowTest {
protected:
    void SetUp() override {
        TMainWindowTest::SetUp();
        if (Session().isEmpty())
            GTEST_SKIP() << "runs only inside im_session.sh";
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs the xcb platform";
    }

    bool Direct() const { return Session() == QLatin1String("ibus-direct"); }

    // Opens the window in `mode` over a register of sentences and starts sentence `index`.
    std::unique_ptr<TfrmMain> Start(int mode, const std::vector<std::u16string>& texts,
                                    int index = 0) {
        std::u16string reg;
        for (std::size_t i = 0; i < texts.size(); ++i)
            reg +=
                u"FF<000" + std::u16string(1, char16_t(u'1' + i)) + u">朝\r\n" + texts[i] + u"\r\n";
        WriteRegister("a.txt", reg);
        WriteSettingsInMode(mode);
        auto window = Open();
        ClickSentence(window.get(), index);
        return window;
    }

    // Waits until the input method serves the window's focused pane.
    void WaitForInputMethod(QWidget* pane) {
        ASSERT_TRUE(WaitFor([&] { return pane->hasFocus(); })) << "the pane has no focus";
        if (Session() == QLatin1String("fcitx5"))
            ASSERT_TRUE(WaitFor(InputMethod::Fcitx5JapaneseInputOn))
                << "fcitx5 did not switch Japanese input on";
        else
            ASSERT_TRUE(WaitFor(IBusFocused)) << "ibus has no input context for the window";
    }

    // The seconds the time-and-keys panel shows.
    static int Seconds(QWidget* window) {
        return Panel(window, "StatusBar2", 1).trimmed().section(QLatin1Char(' '), 0, 0).toInt();
    }
    static void WaitForSeconds(QWidget* window, int seconds) {
        ASSERT_TRUE(WaitFor([&] { return Seconds(window) >= seconds; }, 10000))
            << "the clock does not run: " << Panel(window, "StatusBar2", 1).toStdString();
    }
};

// ---- Sequential input of a Japanese text ----

TEST_F(ImeTest, SequentialInputTakesCommitsRejectsAWrongOneAndStoresTheRecord) {
    if (Direct())
        GTEST_SKIP() << "needs Japanese input on";
    auto window = Start(TfrmMain::PartMode, {u"おはようございます"});
    TRichEdit* example = Pane(window.get(), "RichEdit1");
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    WaitForInputMethod(typed);

    Keys(Romaji("ohayou"));
    ASSERT_TRUE(WaitFor([&] { return typed->HasComposition(); })) << "no preedit";
    WaitForSeconds(window.get(), 1);
    Keys({QStringLiteral("Return")});
    ASSERT_TRUE(WaitFor([&] { return typed->Text() == Sjis(u"おはよう"); }))
        << "committed: " << typed->Text();
    EXPECT_EQ(FormatAt(example, 0).Color, PaneColors::Grey) << "accepted";

    // か where ご belongs: taken back and marked.
    Keys({QStringLiteral("k"), QStringLiteral("a"), QStringLiteral("Return")});
    ASSERT_TRUE(WaitFor([&] {
        return !typed->HasComposition() && FormatAt(example, 8).Color == PaneColors::Red;
    })) << "the wrong commit is not marked";
    EXPECT_EQ(typed->Text(), Sjis(u"おはよう"));

    WaitForSeconds(window.get(), 2);
    Keys(Romaji("gozaimasu") << QStringLiteral("Return"));
    ASSERT_TRUE(WaitFor([&] { return typed->ReadOnly(); })) << "the exercise did not end";
    EXPECT_TRUE(Panel(window.get(), "StatusBar1", 1).startsWith(QStringLiteral("  入力速度 ")));
    const TPracticeRec& rec = PracticeRecs[0];
    EXPECT_EQ(rec.RecMode, RecModeSequential);
    EXPECT_EQ(rec.MissCount, 1);
    EXPECT_GE(rec.Seconds, 2);
    EXPECT_GE(rec.KeyCount, 15) << "romaji keys and Return are counted on their key up";
    EXPECT_EQ(Panel(window.get(), "StatusBar1", 1).indexOf(QStringLiteral("打鍵速度 0.0 ")), -1);

    // Nothing composes over the finished exercise.
    Keys({QStringLiteral("a"), QStringLiteral("i")});
    QTest::qWait(0);
    EXPECT_FALSE(WaitFor([&] { return typed->HasComposition(); }, 500));
    EXPECT_EQ(typed->Text(), Sjis(u"おはようございます"));
}

// ---- English text and touch typing while Mozc is on ----

// Japanese input is switched on by a Japanese text first; the English text that follows gets
// every key as it is, judged one by one.
TEST_F(ImeTest, EnglishKeysAreJudgedOneByOneWhileMozcIsOn) {
    if (Direct())
        GTEST_SKIP() << "needs Japanese input on";
    auto window = Start(TfrmMain::PartMode, {u"あさ", u"ab cd"});
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    WaitForInputMethod(typed);
    ClickSentence(window.get(), 1);
    ASSERT_TRUE(WaitFor([&] { return typed->hasFocus() && !typed->ReadOnly(); }));

    Keys({QStringLiteral("a"), QStringLiteral("x"), QStringLiteral("b"), QStringLiteral("space"),
          QStringLiteral("c")});
    ASSERT_TRUE(WaitFor([&] { return typed->Text() == "ab c"; })) << typed->Text();
    EXPECT_FALSE(typed->HasComposition());
    WaitForSeconds(window.get(), 2);
    Keys({QStringLiteral("d")});
    ASSERT_TRUE(WaitFor([&] { return typed->ReadOnly(); }));
    EXPECT_EQ(PracticeRecs[0].MissCount, 1) << "x";
    EXPECT_EQ(PracticeRecs[0].TextKind, TextKindEnglish);
    EXPECT_GE(PracticeRecs[0].KeyCount, 5) << "a one-line text counts its keys";
}

// Romaji keys reach the drill directly; the kana step that follows goes through Mozc.
TEST_F(ImeTest, ATouchDrillTakesRomajiKeysAndItsKanaStepThroughMozc) {
    if (Direct())
        GTEST_SKIP() << "needs Japanese input on";
    auto window = Start(TfrmMain::PartMode, {u"あさ", u"あい\r\n日本"});
    WaitForInputMethod(Pane(window.get(), "RichEdit2"));
    window->findChild<QAction*>(QStringLiteral("Touch1"))->trigger();
    ClickSentence(window.get(), 1);
    TRichEdit* example = Pane(window.get(), "RichEdit1");
    ASSERT_TRUE(WaitFor([&] { return example->hasFocus(); }));

    Keys({QStringLiteral("a"), QStringLiteral("i"), QStringLiteral("Return")});
    ASSERT_TRUE(WaitFor([&] { return example->Line(0) == Sjis(u"日本"); }))
        << "the drill did not take the romaji keys: " << example->Text();
    EXPECT_TRUE(Panel(window.get(), "StatusBar2", 0)
                    .contains(QRegularExpression(QStringLiteral("エラー +0 "))))
        << "no wrong key: " << Panel(window.get(), "StatusBar2", 0).toStdString();

    // The kana step: にほん converted to 日本 and committed.
    Keys(Romaji("nihonn") << QStringLiteral("space"));
    ASSERT_TRUE(WaitFor([&] { return example->HasComposition(); }));
    Keys({QStringLiteral("Return")});
    ASSERT_TRUE(WaitFor([&] { return example->Line(1) == Sjis(u"日本"); }))
        << "committed: " << example->Line(1);
    ASSERT_TRUE(WaitFor([&] { return example->ImeMode() == TImeMode::Disabled; }))
        << "the string is done";
}

// ---- Bulk input ----

TEST_F(ImeTest, BulkInputStartsWithTheInputMethodAndComparesOnF5) {
    if (Direct())
        GTEST_SKIP() << "needs Japanese input on";
    auto window = Start(TfrmMain::AllMode, {u"おはよう"});
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    auto* compare = window->findChild<QAction*>(QStringLiteral("Comp1"));
    auto* marker = Find<QLabel>(window.get(), "Label1");
    WaitForInputMethod(typed);

    // A menu opened with Alt+T and closed with Escape types nothing: the exercise waits.
    Keys({QStringLiteral("alt+t")});
    ASSERT_TRUE(WaitFor([] { return QApplication::activePopupWidget() != nullptr; }))
        << "the menu did not open";
    Keys({QStringLiteral("Escape"), QStringLiteral("Escape")});
    ASSERT_TRUE(WaitFor([&] { return !QApplication::activePopupWidget() && typed->hasFocus(); }));
    EXPECT_FALSE(compare->isEnabled());
    EXPECT_FALSE(Find<QTimer>(window.get(), "Timer1")->isActive());

    Keys(Romaji("ohayou"));
    ASSERT_TRUE(WaitFor([&] { return typed->HasComposition(); }));
    EXPECT_TRUE(compare->isEnabled()) << "the first preedit allows the comparison";
    EXPECT_EQ(marker->palette().color(QPalette::WindowText), QColor(Qt::red));
    WaitForSeconds(window.get(), 1);
    Keys({QStringLiteral("Return"), QStringLiteral("F5")});
    ASSERT_TRUE(WaitFor([&] { return typed->ReadOnly(); })) << "F5 did not compare";
    EXPECT_EQ(typed->Text(), Sjis(u"おはよう"));
    const TPracticeRec& rec = PracticeRecs[0];
    EXPECT_EQ(rec.RecMode, RecModeBulkWhole);
    EXPECT_EQ(rec.InputCount, 4);
    EXPECT_EQ(rec.MissCount, 0);
    EXPECT_GE(rec.Seconds, 1);
    EXPECT_GE(rec.KeyCount, 6);
    EXPECT_FALSE(typed->HasComposition());
}

// ---- Mozc in direct input ----

// The input method is there but types Latin letters: the learner is told how to switch it on,
// and sequential input takes none of them.
TEST_F(ImeTest, WithJapaneseInputOffTheLearnerIsToldAndNothingIsTaken) {
    if (!Direct())
        GTEST_SKIP() << "needs Mozc in direct input";
    auto window = Start(TfrmMain::PartMode, {u"おはよう"});
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    WaitForInputMethod(typed);
    Keys({QStringLiteral("o")});
    ASSERT_TRUE(WaitFor([&] {
        return Panel(window.get(), "StatusBar1", 1).contains(QStringLiteral("全角/半角"));
    }));
    EXPECT_TRUE(typed->Text().empty());
    EXPECT_FALSE(Find<QTimer>(window.get(), "Timer1")->isActive()) << "no entry was made";
}

} // namespace
