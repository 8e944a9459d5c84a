// SPDX-License-Identifier: GPL-3.0-or-later
// The main window under a real input method: run by im_session.sh inside a virtual X display
// or a headless Wayland compositor, with fcitx5 or ibus and a Japanese engine. Keys are real
// keyboard events (XTest through xdotool, the virtual keyboard through wtype) sent to the
// focused window; what the learner sees is read through the controls' object names. Every wait
// polls a state with a time limit.
//
// TYPORIN_IM names the framework: "fcitx5", "ibus" (Japanese input on at launch) or
// "ibus-direct" (Mozc in direct input at launch, as an ibus learner may well have it);
// TYPORIN_IM_ENGINE the engine (mozc, anthy, skk, kkc); TYPORIN_IM_SESSION "x11" or "wayland".
// Most tests hold for every engine; those that rely on Mozc's own behaviour say so.

#include "tests/app/MainWindowFixture.h"

#include "exercise/UExerciseStats.h"
#include "platform/DesktopKeyboard.h"
#include "platform/InputMethod.h"
#include "romaji/UuKbTables.h"
#include "tests/support/WaitFor.h"

#include <QAction>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <functional>

namespace {

using ShiftJis::Sjis;

QString Session() {
    return qEnvironmentVariable("TYPORIN_IM");
}
QString Engine() {
    return qEnvironmentVariable("TYPORIN_IM_ENGINE");
}
bool Wayland() {
    return qEnvironmentVariable("TYPORIN_IM_SESSION") == QLatin1String("wayland");
}

// wtype's arguments for xdotool's key names: "-k o", "-k Return", "-M alt -k t -m alt". Each
// key waits 40 ms; the first 300 ms, since the key right after a new virtual keyboard's keymap
// is lost otherwise.
QStringList WtypeArguments(const QStringList& keys) {
    QStringList arguments{QStringLiteral("-s"), QStringLiteral("300")};
    for (const QString& key : keys) {
        QStringList parts = key.split(QLatin1Char('+'));
        QString name = parts.takeLast();
        arguments << QStringLiteral("-s") << QStringLiteral("40");
        for (const QString& modifier : parts)
            arguments << QStringLiteral("-M") << modifier.toLower();
        arguments << QStringLiteral("-k") << name;
        for (const QString& modifier : parts)
            arguments << QStringLiteral("-m") << modifier.toLower();
    }
    return arguments;
}

// Sends key events to the focused window, as a keyboard would: xdotool names ("o", "Return",
// "F5", "alt+t"), one press and release each. The event loop runs while the tool works.
void Keys(const QStringList& keys) {
    QProcess tool;
    if (Wayland())
        tool.start(QStringLiteral("wtype"), WtypeArguments(keys));
    else
        tool.start(
            QStringLiteral("xdotool"),
            QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40")} +
                keys);
    ASSERT_TRUE(tool.waitForStarted()) << "the key tool did not start";
    ASSERT_TRUE(WaitFor([&] { return tool.state() == QProcess::NotRunning; }, 30000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
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
        if (QGuiApplication::platformName() !=
            (Wayland() ? QLatin1String("wayland") : QLatin1String("xcb")))
            GTEST_SKIP() << "needs the session's platform";
    }

    // Japanese input is off when the session starts: Mozc set to direct input, or Anthy under
    // ibus, which starts in direct input by itself.
    bool Direct() const {
        return Session() == QLatin1String("ibus-direct") ||
               (Session() == QLatin1String("ibus") && Engine() == QLatin1String("anthy"));
    }
    // Tests written for Mozc's own conversion and key handling.
    bool Mozc() const { return Engine() == QLatin1String("mozc"); }

    // Opens the window in `mode` over a register of sentences and starts sentence `index`.
    std::unique_ptr<TfrmMain> Start(TPracticeMode mode, const std::vector<std::u16string>& texts,
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

// ---- Keystrokes, whatever the engine ----

// The same romaji gives the same record under every engine: 15 keys for "ohayougozaimasu", the
// last one included, Enter none. Engines that compose commit with Enter; SKK commits each kana
// as it is typed, so its last key ends the exercise.
TEST_F(ImeTest, TheSameRomajiStoresTheSameKeyCountUnderEveryEngine) {
    if (Direct())
        GTEST_SKIP() << "needs Japanese input on";
    auto window = Start(TPracticeMode::Sequential, {u"おはようございます"});
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    WaitForInputMethod(typed);
    Keys(Romaji("ohayou"));
    WaitForSeconds(window.get(), 2);
    Keys(Romaji("gozaimasu"));
    if (!WaitFor([&] { return typed->ReadOnly(); }, 1000))
        Keys({QStringLiteral("Return")});
    ASSERT_TRUE(WaitFor([&] { return typed->ReadOnly(); })) << "the exercise did not end";
    const TPracticeRec& rec = PracticeRecs[0];
    EXPECT_EQ(rec.RecMode, TRecordMode::Sequential);
    EXPECT_EQ(rec.MissCount, 0);
    EXPECT_EQ(rec.KeyCount, 15) << Engine().toStdString();
    EXPECT_TRUE(Panel(window.get(), "StatusBar2", 1).contains(QStringLiteral(" 15  打")))
        << Panel(window.get(), "StatusBar2", 1).toStdString();
}

// Where the example has a line break, a commit is refused and the learner asked for Enter; with
// SKK a single Enter already is the line break, elsewhere it first commits.
TEST_F(ImeTest, ACommitWhereABreakBelongsAsksForEnter) {
    if (Direct())
        GTEST_SKIP() << "needs Japanese input on";
    auto window = Start(TPracticeMode::Sequential, {u"あい\r\nうえ"});
    TRichEdit* example = Pane(window.get(), "RichEdit1");
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    WaitForInputMethod(typed);
    // SKK commits kana as they are typed; the others compose until Enter.
    const bool composes = Engine() != QLatin1String("skk");
    auto commit = [&](const char* romaji) {
        Keys(Romaji(romaji) << (composes ? QStringList{QStringLiteral("Return")} : QStringList{}));
    };
    commit("ai");
    ASSERT_TRUE(WaitFor([&] { return typed->Text() == Sjis(u"あい"); })) << typed->Text();
    commit("u");
    ASSERT_TRUE(WaitFor([&] {
        return Panel(window.get(), "StatusBar1", 1) ==
               QStringLiteral("改行（Enter）を入力してください。");
    })) << Panel(window.get(), "StatusBar1", 1).toStdString();
    EXPECT_EQ(typed->Text(), Sjis(u"あい"));
    EXPECT_EQ(example->BreakMarks().at(0).Color, PaneColors::Red);
    Keys({QStringLiteral("Return")});
    ASSERT_TRUE(WaitFor([&] { return typed->Text() == Sjis(u"あい\r\n"); })) << typed->Text();
    EXPECT_TRUE(Panel(window.get(), "StatusBar1", 1).isEmpty());
    WaitForSeconds(window.get(), 2);
    commit("ue");
    ASSERT_TRUE(WaitFor([&] { return typed->ReadOnly(); })) << "the exercise did not end";
    EXPECT_EQ(PracticeRecs[0].MissCount, 1);
}

// ---- Sequential input of a Japanese text ----

TEST_F(ImeTest, SequentialInputTakesCommitsRejectsAWrongOneAndStoresTheRecord) {
    if (Direct() || !Mozc())
        GTEST_SKIP() << "needs Mozc with Japanese input on";
    auto window = Start(TPracticeMode::Sequential, {u"おはようございます"});
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
    EXPECT_EQ(rec.RecMode, TRecordMode::Sequential);
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
    if (Direct() || !Mozc())
        GTEST_SKIP() << "needs Mozc with Japanese input on";
    auto window = Start(TPracticeMode::Sequential, {u"あさ", u"ab cd"});
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
    EXPECT_EQ(PracticeRecs[0].TextKind, TTextKind::English);
    EXPECT_GE(PracticeRecs[0].KeyCount, 5) << "a one-line text counts its keys";
}

// Romaji keys reach the drill directly; the kana step that follows goes through Mozc.
TEST_F(ImeTest, ATouchDrillTakesRomajiKeysAndItsKanaStepThroughMozc) {
    if (Direct() || !Mozc())
        GTEST_SKIP() << "needs Mozc with Japanese input on";
    auto window = Start(TPracticeMode::Sequential, {u"あさ", u"あい\r\n日本"});
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
    if (Direct() || !Mozc())
        GTEST_SKIP() << "needs Mozc with Japanese input on";
    auto window = Start(TPracticeMode::Bulk, {u"おはよう"});
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
    EXPECT_EQ(rec.RecMode, TRecordMode::BulkWhole);
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
        GTEST_SKIP() << "needs an engine in direct input";
    auto window = Start(TPracticeMode::Sequential, {u"おはよう"});
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    WaitForInputMethod(typed);
    Keys({QStringLiteral("o")});
    ASSERT_TRUE(WaitFor([&] {
        return Panel(window.get(), "StatusBar1", 1) ==
               QStringLiteral(
                   "日本語入力がオフです。全角/半角キーで日本語入力をオンにしてください。");
    })) << Panel(window.get(), "StatusBar1", 1).toStdString();
    EXPECT_TRUE(typed->Text().empty());
    EXPECT_FALSE(Find<QTimer>(window.get(), "Timer1")->isActive()) << "no entry was made";

    // The key the hint names switches it on, and the exercise goes on.
    Keys({QStringLiteral("Zenkaku_Hankaku")});
    Keys(Romaji("ohayou"));
    ASSERT_TRUE(WaitFor([&] { return typed->HasComposition(); })) << "still off";
    EXPECT_TRUE(Panel(window.get(), "StatusBar1", 1).isEmpty());
    Keys({QStringLiteral("Return")});
    ASSERT_TRUE(WaitFor([&] { return typed->ReadOnly(); })) << typed->Text();
}

// ---- Wayland ----

// The program chose Qt's module for the framework on the session bus, and the window keeps the
// position it had stored: Wayland tells it none.
TEST_F(ImeTest, OnWaylandTheModuleIsChosenAndThePositionKept) {
    if (!Wayland())
        GTEST_SKIP() << "Wayland only";
    EXPECT_EQ(qEnvironmentVariable("QT_IM_MODULE"), Session() == QLatin1String("fcitx5")
                                                        ? QStringLiteral("fcitx")
                                                        : QStringLiteral("ibus"));
    WriteSettings([](TOptionRec& o) {
        o.MainLeft = 123;
        o.MainTop = 77;
        o.MainWidth = 700;
        o.MainHeight = 500;
    });
    auto window = Open();
    ASSERT_TRUE(WaitFor([&] { return window->isActiveWindow(); }));
    // The compositor decides the size (sway tiles it): what the window has is stored.
    QSize size = window->size();
    window->close();
    ReadDataFile(DataFilePath());
    EXPECT_EQ(OptionRec.MainLeft, 123);
    EXPECT_EQ(OptionRec.MainTop, 77);
    EXPECT_EQ(OptionRec.MainWidth, size.width());
    EXPECT_EQ(OptionRec.MainHeight, size.height());
}

// What sway answers to a message of its IPC.
QByteArray Swaymsg(const QStringList& arguments) {
    QProcess swaymsg;
    swaymsg.start(QStringLiteral("swaymsg"), arguments);
    if (!swaymsg.waitForFinished(5000))
        return {};
    return swaymsg.readAllStandardOutput();
}

// The app_id and process of the window the compositor focuses now, from sway's tree.
std::pair<QString, qint64> FocusedWindow() {
    std::function<std::pair<QString, qint64>(const QJsonObject&)> find =
        [&find](const QJsonObject& node) -> std::pair<QString, qint64> {
        if (node.value(QStringLiteral("focused")).toBool())
            return {node.value(QStringLiteral("app_id")).toString(),
                    node.value(QStringLiteral("pid")).toInteger()};
        for (const char* key : {"nodes", "floating_nodes"})
            for (const QJsonValue& child : node.value(QLatin1String(key)).toArray())
                if (auto found = find(child.toObject()); found.second != 0)
                    return found;
        return {};
    };
    return find(QJsonDocument::fromJson(Swaymsg({QStringLiteral("-t"), QStringLiteral("get_tree")}))
                    .object());
}

// A second start of the program, from a terminal (no launcher's token), brings the running
// window forward over another one: the start asks the compositor for a token after its warning
// box and hands it over. The program says on stderr which module it chose.
TEST_F(ImeTest, OnWaylandASecondStartActivatesTheFirstWindow) {
    if (!Wayland())
        GTEST_SKIP() << "Wayland only";
    // A copy of its own, so that it keeps its files in a folder of the test's.
    QTemporaryDir folder;
    const QString program = folder.filePath(QStringLiteral("typorin"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TYPORIN_EXECUTABLE), program));
    QSize screen = QGuiApplication::primaryScreen()->size();
    ResetOptions(screen.width(), screen.height());
    WriteDataFile(folder.filePath(QStringLiteral("Typorin.dat")).toStdString());
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("TextFolder")));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_IM_MODULE"));
    environment.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
    auto start = [&](QProcess& process) {
        process.setProcessEnvironment(environment);
        process.start(program, {});
        return process.waitForStarted(10000);
    };
    QProcess first;
    const QString firstErrors = folder.filePath(QStringLiteral("first.log"));
    first.setStandardErrorFile(firstErrors);
    ASSERT_TRUE(start(first));
    auto cleanup = qScopeGuard([&] {
        first.terminate();
        if (!first.waitForFinished(10000))
            first.kill();
    });
    ASSERT_TRUE(WaitFor([&] { return FocusedWindow().second == first.processId(); }))
        << "the first start shows no window";

    // Another window takes the focus, through the compositor: a window that asks for it itself
    // may get it late, after the activation under test.
    QWidget other;
    other.setWindowTitle(QStringLiteral("other"));
    other.resize(300, 200);
    other.show();
    const qint64 self = QCoreApplication::applicationPid();
    ASSERT_TRUE(WaitFor([&] {
        Swaymsg({QStringLiteral("[pid=%1] focus").arg(self)});
        return FocusedWindow().second == self;
    })) << "another window could not take the focus";

    QProcess second;
    ASSERT_TRUE(start(second));
    ASSERT_TRUE(WaitFor([&] { return FocusedWindow().second == second.processId(); }))
        << "no warning box";
    Keys({QStringLiteral("Return")});
    ASSERT_TRUE(second.waitForFinished(10000)) << "the warning box is still open";
    EXPECT_TRUE(WaitFor([&] { return FocusedWindow().second == first.processId(); }, 5000))
        << "focused: " << FocusedWindow().first.toStdString();
    const QString module =
        Session() == QLatin1String("fcitx5") ? QStringLiteral("fcitx") : QStringLiteral("ibus");
    QFile errors(firstErrors);
    ASSERT_TRUE(errors.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromLocal8Bit(errors.readAll())
                    .contains(QStringLiteral("(QT_IM_MODULE=%1)").arg(module)));
}

// The desktop's layout as the session tells it: the X keyboard's (us, as Xvfb starts), on
// Wayland fcitx5's group's (us, as the session's profile says). Under X a jp keymap set with
// setxkbmap gives the JIS keyboard.
TEST(ImeDesktopKeyboardTest, TheLayoutIsReadFromTheSession) {
    using namespace DesktopKeyboard;
    const TFacts facts = DesktopKeyboardFacts();
    if (Wayland()) {
        EXPECT_EQ(facts.Platform, "wayland");
        if (Session() != QLatin1String("fcitx5"))
            GTEST_SKIP() << "only fcitx5 tells a Wayland client its layout";
        EXPECT_TRUE(facts.Fcitx5Running);
    } else {
        EXPECT_EQ(facts.Platform, "xcb");
        EXPECT_EQ(XkbLayouts(facts.XkbRulesNames, facts.XkbGroup), "us");
        EXPECT_EQ(facts.XkbGroup, 0);
    }
    EXPECT_EQ(DesktopLayouts(facts), "us");
    EXPECT_EQ(KeyboardOfLayouts(DesktopLayouts(facts)), TKeyboardKind::Us);

    const QString setxkbmap = QStandardPaths::findExecutable(QStringLiteral("setxkbmap"));
    if (Wayland() || setxkbmap.isEmpty())
        return;
    ASSERT_EQ(QProcess::execute(setxkbmap, {QStringLiteral("jp")}), 0);
    const auto restore =
        qScopeGuard([&setxkbmap] { QProcess::execute(setxkbmap, {QStringLiteral("us")}); });
    EXPECT_EQ(KeyboardOfLayouts(DesktopLayouts(DesktopKeyboardFacts())), TKeyboardKind::Jis);
}

} // namespace
