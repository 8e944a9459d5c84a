// SPDX-License-Identifier: GPL-3.0-or-later
// Sequential and bulk input in the main window, driven as a learner drives them: a sentence
// picked from a register or a file opened, keys and input-method commits, F5, the ruler.

#include "tests/app/MainWindowFixture.h"

#include "exercise/UExerciseStats.h"
#include "platform/FileIo.h"
#include "platform/InputMethod.h"

#include <QClipboard>
#include <QLabel>

#include <chrono>
#include <sys/stat.h>

namespace {

using ShiftJis::Sjis;

// A register with one entry titled "朝", whose text is `text`.
std::u16string OneEntry(std::u16string_view text) {
    return u"FF<0001>朝\r\n" + std::u16string(text) + u"\r\n";
}

double Now() {
    return CurrentRecDate();
}

class UfMainExerciseTest : public TMainWindowTest {
protected:
    // Opens the window in `mode` over a register holding `text` and starts its sentence.
    std::unique_ptr<TfrmMain> Start(TPracticeMode mode, std::u16string_view text,
                                    void (*change)(TOptionRec&) = nullptr) {
        WriteRegister("a.txt", OneEntry(text));
        WriteSettings([mode, change](TOptionRec& o) {
            o.ExamMode = static_cast<std::uint8_t>(mode);
            if (change)
                change(o);
        });
        auto window = Open();
        ClickSentence(window.get(), 0);
        return window;
    }

    // The input method shows `preedit` in `pane`, as it does while the learner types.
    static void Compose(QWidget* pane, const QString& preedit) {
        QInputMethodEvent event(preedit, {});
        QApplication::sendEvent(pane, &event);
    }

    static void Press(QWidget* window, Qt::Key key) {
        QTest::keyClick(Pane(window, "RichEdit2"), key);
    }

    static void ExpectFormat(TRichEdit* pane, int pos, TRgb color, TFontStyles styles,
                             const char* what) {
        TFormat format = FormatAt(pane, pos);
        EXPECT_EQ(format.Color, color) << what << " at " << pos;
        EXPECT_EQ(format.Styles, styles) << what << " at " << pos;
    }
};

// The counts a stored record holds.
struct TRecordCounts {
    TRecordMode RecMode;
    int ExampleCount, InputCount, MatchCount, MissCount, ExtraCount;
};

void ExpectCounts(const TPracticeRec& rec, TRecordCounts counts) {
    EXPECT_EQ(rec.RecMode, counts.RecMode);
    EXPECT_EQ(rec.ExampleCount, counts.ExampleCount);
    EXPECT_EQ(rec.InputCount, counts.InputCount);
    EXPECT_EQ(rec.MatchCount, counts.MatchCount);
    EXPECT_EQ(rec.MissCount, counts.MissCount);
    EXPECT_EQ(rec.ExtraCount, counts.ExtraCount);
}

constexpr TFontStyles Plain{};
constexpr TFontStyles BoldUnderlined{true, false, true, false};
constexpr TFontStyles BoldOnly{true, false, false, false};
constexpr TFontStyles BoldStruckOut{true, false, false, true};
constexpr TFontStyles Marked{true, true, true, false};

// ---- Choosing and loading ----

TEST_F(UfMainExerciseTest, AStartedSentenceIsShownCountedAndArmed) {
    auto window = Start(TPracticeMode::Sequential, u"今日は晴れ。ｱｲ");
    TRichEdit* example = Pane(window.get(), "RichEdit1");
    EXPECT_EQ(example->Text(), Sjis(u"今日は晴れ。アイ")) << "half-width kana in full width";
    EXPECT_EQ(Panel(window.get(), "StatusBar2", 0),
              QStringLiteral(" 8 文字   漢字 3 文字  37.5 % "));
    EXPECT_EQ(Panel(window.get(), "StatusBar2", 1), ShiftJis::ToQString(TimeAndKeysText(0, 0)));
    EXPECT_EQ(Panel(window.get(), "StatusBar1", 0), QStringLiteral("逐次入力"));
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("a.txt  朝")));
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    EXPECT_FALSE(typed->ReadOnly());
    EXPECT_EQ(typed->ImeMode(), TImeMode::Hiragana);
    EXPECT_TRUE(typed->hasFocus());
}

TEST_F(UfMainExerciseTest, EnterInTheSentenceListStartsTheSentence) {
    WriteRegister("a.txt", OneEntry(u"abc def"));
    WriteSettingsInMode(TPracticeMode::Sequential);
    auto window = Open();
    auto* sentences = Find<QTreeWidget>(window.get(), "ListView2");
    sentences->setFocus();
    QTest::keyClick(sentences, Qt::Key_Return);
    EXPECT_EQ(Pane(window.get(), "RichEdit1")->Text(), "abc def");
    EXPECT_EQ(Pane(window.get(), "RichEdit2")->ImeMode(), TImeMode::Closed)
        << "a single-byte text is typed without conversion";
    EXPECT_EQ(Panel(window.get(), "StatusBar2", 0), QStringLiteral(" 2 Word    7 文字 "));
}

// Enter held in the sentence list repeats into the typing pane once the text is loaded: no
// entry in sequential input (where a misplaced Enter counts as an error), no line breaks in
// bulk input. A key pressed afresh types again.
TEST_F(UfMainExerciseTest, TheHeldEnterThatStartsASentenceTypesNothing) {
    for (TPracticeMode mode : {TPracticeMode::Sequential, TPracticeMode::Bulk}) {
        SCOPED_TRACE(static_cast<int>(mode));
        WriteRegister("a.txt", OneEntry(u"ab"));
        WriteSettingsInMode(mode);
        auto window = Open();
        auto* sentences = Find<QTreeWidget>(window.get(), "ListView2");
        sentences->setFocus();
        QTest::keyPress(sentences, Qt::Key_Return);
        TRichEdit* typed = Pane(window.get(), "RichEdit2");
        ASSERT_TRUE(typed->hasFocus());
        for (int i = 0; i < 3; ++i) {
            QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"),
                             true);
            QApplication::sendEvent(typed, &repeat);
            // Some X servers send the repeats as plain releases and presses.
            QTest::keyRelease(typed, Qt::Key_Return);
            QTest::keyPress(typed, Qt::Key_Return);
        }
        QTest::keyRelease(typed, Qt::Key_Return);
        EXPECT_TRUE(typed->Text().empty());
        EXPECT_FALSE(Find<QTimer>(window.get(), "Timer1")->isActive());
        Tick(window.get(), 2);
        QTest::keyClicks(typed, "ab");
        if (mode == TPracticeMode::Bulk)
            Action(window.get(), "Comp1")->trigger();
        EXPECT_EQ(PracticeRecs[0].MissCount, 0);
        EXPECT_EQ(PracticeRecs[0].InputCount, mode == TPracticeMode::Sequential ? 2 : 1);
        window.reset();
        std::memset(PracticeRecs, 0, sizeof PracticeRecs);
    }
}

TEST_F(UfMainExerciseTest, ALongTextIsCutTo1024CharactersAndTrimmed) {
    // The cut falls right after a line break, which the trimming then removes.
    std::u16string text = std::u16string(1022, u'あ') + u"\r\n" + std::u16string(500, u'い');
    auto window = Start(TPracticeMode::Sequential, text);
    EXPECT_EQ(Pane(window.get(), "RichEdit1")->Text(), Sjis(std::u16string(1022, u'あ')));
    // The learner is told, and where the practised part ends.
    EXPECT_EQ(Panel(window.get(), "StatusBar1", 1),
              QStringLiteral("全 1524 文字のうち、先頭の 1024 文字（1 行目の「…あああああああああ"
                             "あ」まで）を練習します。"));
}

TEST_F(UfMainExerciseTest, AShortTextSaysNothingOfALimit) {
    for (TPracticeMode mode : {TPracticeMode::Sequential, TPracticeMode::Bulk}) {
        auto window = Start(mode, std::u16string(1024, u'あ'));
        EXPECT_TRUE(Panel(window.get(), "StatusBar1", 1).isEmpty()) << static_cast<int>(mode);
    }
}

TEST_F(UfMainExerciseTest, ABrokenRegisterEntryIsReported) {
    auto window = Start(TPracticeMode::Sequential, u"あい");
    // The register shrinks behind the window's back.
    WriteRegister("a.txt", u"");
    ClickSentence(window.get(), 0);
    ASSERT_EQ(FDialogs.Messages.size(), 1u);
    EXPECT_TRUE(FDialogs.Messages[0].Text.startsWith(QStringLiteral("文の読み取り中のエラー\r\n")));
    EXPECT_TRUE(FDialogs.Messages[0].Text.endsWith(
        QStringLiteral("\r\n登録ファイルを読みこみなおして表示を更新してください。")));
    EXPECT_EQ(Find<QTreeWidget>(window.get(), "ListView2")->topLevelItemCount(), 0);
}

struct TFileCase {
    const char* Name;
    std::string Bytes;
    std::string Shown;
};

class UfMainOpenFileTest : public UfMainExerciseTest,
                           public testing::WithParamInterface<TFileCase> {};

TEST_P(UfMainOpenFileTest, AnOpenedFileBecomesThePracticeText) {
    std::filesystem::path file = FFolder.Path() / "practice.txt";
    std::ofstream(file, std::ios::binary) << GetParam().Bytes;
    WriteSettingsInMode(TPracticeMode::Sequential);
    auto window = Open();
    FDialogs.FileAnswers = {QString::fromStdString(file.string())};
    Action(window.get(), "Open1")->trigger();
    EXPECT_TRUE(FDialogs.Messages.empty());
    ASSERT_EQ(FDialogs.FileDialogs.size(), 1u);
    EXPECT_EQ(FDialogs.FileDialogs[0].Folder.toStdString(), FFolder.Path().string());
    EXPECT_EQ(Pane(window.get(), "RichEdit1")->Text(), GetParam().Shown);
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("TYPORIN  ") + QString::fromStdString(file.string()) + "  ");
}

INSTANTIATE_TEST_SUITE_P(
    Files, UfMainOpenFileTest,
    testing::Values(TFileCase{"ShiftJis", Sjis(u"春の海\r\nひねもす\r\n"),
                              Sjis(u"春の海\r\nひねもす")},
                    TFileCase{"Utf8", "\xE6\x98\xA5\xE3\x81\xAE\xE6\xB5\xB7\n", Sjis(u"春の海")},
                    TFileCase{"Utf8WithBom",
                              "\xEF\xBB\xBF"
                              "abc\n",
                              "abc"},
                    TFileCase{"LoneBreaks", "one\rtwo\nthree", "one\r\ntwo\r\nthree"}),
    [](const testing::TestParamInfo<TFileCase>& info) { return info.param.Name; });

TEST_F(UfMainExerciseTest, AFileThatCannotBeReadIsReportedAndNothingChanges) {
    WriteSettingsInMode(TPracticeMode::Sequential);
    auto window = Open();
    std::string shown = Pane(window.get(), "RichEdit1")->Text();
    std::filesystem::path big = FFolder.Path() / "big.txt";
    std::ofstream(big, std::ios::binary) << std::string(16 * 1024 * 1024 + 1, 'a');
    // A named pipe would block the window for ever if it were opened for reading.
    std::filesystem::path pipe = FFolder.Path() / "x.txt";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::pair<std::filesystem::path, QString> cases[] = {
        {FFolder.Path() / "missing.txt", QStringLiteral("ファイルまたはフォルダーがありません。")},
        {big, QStringLiteral("ファイルが大きすぎます（16,777,216 バイトまで読みこめます）。")},
        {pipe, QStringLiteral("通常のファイルではありません")},
    };
    for (const auto& [path, reason] : cases) {
        FDialogs.FileAnswers = {QString::fromStdString(path.string())};
        Action(window.get(), "Open1")->trigger();
    }
    ASSERT_EQ(FDialogs.Messages.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const QString& text = FDialogs.Messages[i].Text;
        EXPECT_TRUE(text.startsWith(QStringLiteral("ファイルを読みこめませんでした。\r\n"))) << i;
        EXPECT_TRUE(text.contains(QString::fromStdString(cases[i].first.string()))) << i;
        EXPECT_TRUE(text.contains(cases[i].second)) << text.toStdString();
    }
    EXPECT_EQ(FDialogs.FileDialogs[0].Filter, QStringLiteral("テキストファイル (*.txt)"));
    EXPECT_EQ(Pane(window.get(), "RichEdit1")->Text(), shown);
}

// ---- Bulk input ----

TEST_F(UfMainExerciseTest, BulkInputMarksTyposAndExtrasAndStoresTheRecord) {
    auto window = Start(TPracticeMode::Bulk, u"あいうえお");
    TRichEdit* example = Pane(window.get(), "RichEdit1");
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    EXPECT_FALSE(Action(window.get(), "Comp1")->isEnabled());

    // Each input-method event that shows a key's work is a keystroke, as is the key x.
    Compose(typed, QStringLiteral("あ"));
    EXPECT_TRUE(Action(window.get(), "Comp1")->isEnabled()) << "the first entry allows comparing";
    Commit(typed, QStringLiteral("あいかうお"));
    QTest::keyClicks(typed, "x");
    Tick(window.get(), 2);
    EXPECT_EQ(Panel(window.get(), "StatusBar2", 1), ShiftJis::ToQString(TimeAndKeysText(2, 3)));
    double before = Now();
    QTest::keyClick(typed, Qt::Key_F5);

    for (int pos : {0, 2, 4, 8})
        ExpectFormat(example, pos, PaneColors::Black, Plain, "example");
    ExpectFormat(example, 6, PaneColors::Red, BoldUnderlined, "omitted え");
    ExpectFormat(typed, 4, PaneColors::Blue, BoldUnderlined, "extra か");
    ExpectFormat(typed, 10, PaneColors::Blue, BoldUnderlined, "extra x");
    ExpectFormat(typed, 2, PaneColors::Black, Plain, "typed い");
    EXPECT_EQ(Panel(window.get(), "StatusBar1", 1),
              QStringLiteral(
                  "  入力速度 180.0 文字/分   誤字・脱字数 1    余字数 2   打鍵速度 90.0 打/分"));
    EXPECT_FALSE(Action(window.get(), "Comp1")->isEnabled());
    EXPECT_TRUE(typed->ReadOnly());

    const TPracticeRec& rec = PracticeRecs[0];
    EXPECT_EQ(RecordTitle(rec), Sjis(u"朝"));
    ExpectCounts(rec, {TRecordMode::BulkWhole, 5, 6, 4, 1, 2});
    EXPECT_EQ(rec.TextKind, TTextKind::Japanese);
    EXPECT_EQ(rec.KanjiCount, 0);
    EXPECT_EQ(rec.KeyCount, 3);
    EXPECT_EQ(rec.Seconds, 2);
    EXPECT_GE(rec.RecDate, before - 1e-6);
    EXPECT_LE(rec.RecDate, Now() + 1e-6);
    EXPECT_EQ(OptionRec.NextRecord, 1);

    QTest::keyClick(typed, Qt::Key_F5);
    EXPECT_EQ(OptionRec.NextRecord, 1) << "a second F5 compares nothing";
}

TEST_F(UfMainExerciseTest, AnEnglishTextIsComparedInWords) {
    auto window = Start(TPracticeMode::Bulk, u"I am a cat");
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    QTest::keyClicks(typed, "I am cat cat");
    QTest::keyClick(typed, Qt::Key_F5);
    EXPECT_EQ(
        Panel(window.get(), "StatusBar1", 1),
        QStringLiteral("  入力速度 0.0 WPM   脱・誤単語数 1 余単語数 1   打鍵速度 0.0 打/分"));
    ExpectFormat(Pane(window.get(), "RichEdit1"), 5, PaneColors::Red, BoldUnderlined, "a");
    EXPECT_EQ(PracticeRecs[0].TextKind, TTextKind::English);
    EXPECT_EQ(PracticeRecs[0].KeyCount, 12);
    EXPECT_EQ(PracticeRecs[0].Seconds, 0);
}

TEST_F(UfMainExerciseTest, LineByLineMarksTheSurplusOfTheTypedText) {
    auto window =
        Start(TPracticeMode::Bulk, u"あいう\r\nえお", [](TOptionRec& o) { o.LineComp = 1; });
    EXPECT_EQ(Panel(window.get(), "StatusBar2", 2), QStringLiteral("行ごとに比較"));
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    Press(window.get(), Qt::Key_End);
    Commit(typed, QStringLiteral("あいう"));
    Press(window.get(), Qt::Key_Return);
    Commit(typed, QStringLiteral("えか"));
    Press(window.get(), Qt::Key_Return);
    Commit(typed, QStringLiteral("きく"));
    QTest::keyClick(typed, Qt::Key_F5);

    TRichEdit* example = Pane(window.get(), "RichEdit1");
    ExpectFormat(example, 10, PaneColors::Red, BoldOnly, "omitted お");
    ExpectFormat(typed, 10, PaneColors::Blue, BoldOnly, "extra か");
    ExpectFormat(typed, 14, PaneColors::Green, BoldStruckOut, "surplus き");
    ExpectFormat(typed, 16, PaneColors::Green, BoldStruckOut, "surplus く");
    ExpectCounts(PracticeRecs[0], {TRecordMode::BulkLines, 5, 7, 4, 1, 3});
}

TEST_F(UfMainExerciseTest, LineByLineMarksTheLinesNotTyped) {
    auto window =
        Start(TPracticeMode::Bulk, u"ab cd\r\nef gh\r\nij", [](TOptionRec& o) { o.LineComp = 1; });
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    QTest::keyClicks(typed, "ab cd");
    QTest::keyClick(typed, Qt::Key_F5);
    TRichEdit* example = Pane(window.get(), "RichEdit1");
    ExpectFormat(example, 0, PaneColors::Black, Plain, "typed line");
    ExpectFormat(example, 7, PaneColors::Magenta, BoldStruckOut, "line not typed");
    ExpectFormat(example, 14, PaneColors::Magenta, BoldStruckOut, "line not typed");
    // The leftover is cut at blanks only: "ef gh\r\nij" counts 2.
    ExpectCounts(PracticeRecs[0], {TRecordMode::BulkLines, 2 + 2, 2, 2, 2, 0});
}

TEST_F(UfMainExerciseTest, ASoftWrappedTypedLineIsComparedAsTwoLines) {
    auto window = Start(TPracticeMode::Bulk, u"あいう", [](TOptionRec& o) { o.LineComp = 1; });
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    Commit(typed, QString(200, QChar(u'あ')));
    Press(window.get(), Qt::Key_End);
    int displayed = typed->LineCount();
    ASSERT_GT(displayed, 1) << "the typing pane wraps long lines";
    QTest::keyClick(typed, Qt::Key_F5);
    EXPECT_EQ(typed->LineCount(), displayed) << "each displayed line became a line";
    EXPECT_FALSE(typed->WordWrap());
    EXPECT_EQ(PracticeRecs[0].InputCount, 200);
    EXPECT_EQ(PracticeRecs[0].ExtraCount, 199) << "one あ of the first line matches";
}

TEST_F(UfMainExerciseTest, AFileComparedAsAWholeIsRecordedUnderItsName) {
    std::filesystem::path file = FFolder.Path() / "my practice.txt";
    std::ofstream(file, std::ios::binary) << "abc";
    for (bool lineComp : {false, true}) {
        WriteSettings([lineComp](TOptionRec& o) {
            o.ExamMode = 2;
            o.LineComp = lineComp;
        });
        auto window = Open();
        FDialogs.FileAnswers = {QString::fromStdString(file.string())};
        Action(window.get(), "Open1")->trigger();
        QTest::keyClicks(Pane(window.get(), "RichEdit2"), "abc");
        QTest::keyClick(Pane(window.get(), "RichEdit2"), Qt::Key_F5);
        EXPECT_EQ(RecordTitle(PracticeRecs[0]), lineComp ? "" : "my practice") << lineComp;
    }
}

TEST_F(UfMainExerciseTest, TheRulerRewrapsTheExampleUntilTheFirstKey) {
    auto window = Start(TPracticeMode::Bulk, std::u16string(30, u'あ'));
    TRichEdit* example = Pane(window.get(), "RichEdit1");
    EXPECT_EQ(example->LineCount(), 2) << "wrapped at 20";
    auto* marker = Find<QLabel>(window.get(), "Label1");
    int cell = QFontMetrics([&] {
                   QFont font = example->font();
                   font.setPointSize(OptionRec.FontSize);
                   return font;
               }())
                   .horizontalAdvance(QStringLiteral("あ"));
    EXPECT_EQ(marker->x(), 20 * cell);

    // Drag the marker five cells to the right: it follows the mouse before the button is
    // released, however often the ruler beneath it repaints.
    int half = marker->width() / 2;
    QTest::mousePress(marker, Qt::LeftButton, {}, QPoint(half, 5));
    QTest::mouseMove(marker, QPoint(half + 5 * cell - 4, 5));
    EXPECT_EQ(marker->x(), 25 * cell);
    Find<QWidget>(window.get(), "PaintBox2")->grab();
    EXPECT_EQ(marker->x(), 25 * cell) << "the ruler's paint put the marker back";
    QTest::mouseRelease(marker, Qt::LeftButton, {}, QPoint(half - 4, 5));
    EXPECT_EQ(OptionRec.WrapColJp, 25);
    EXPECT_EQ(example->Line(0), Sjis(std::u16string(25, u'あ')));

    // Once typing has begun the marker is red and stays where it is.
    Compose(Pane(window.get(), "RichEdit2"), QStringLiteral("あ"));
    EXPECT_EQ(marker->palette().color(QPalette::WindowText), QColor(Qt::red));
    QTest::mousePress(marker, Qt::LeftButton, {}, QPoint(half, 5));
    QTest::mouseMove(marker, QPoint(half - 5 * cell - 4, 5));
    QTest::mouseRelease(marker, Qt::LeftButton, {}, QPoint(half - 4, 5));
    EXPECT_EQ(OptionRec.WrapColJp, 25);
    EXPECT_EQ(example->LineCount(), 2);

    ClickSentence(window.get(), 0);
    EXPECT_EQ(marker->palette().color(QPalette::WindowText), QColor(Qt::black))
        << "the next load frees the ruler";
    EXPECT_EQ(example->Line(0), Sjis(std::u16string(25, u'あ')));
}

// The ruler's numbers stand on their own background: neither its line nor a tick runs
// through a digit, the magenta wrap column's included.
TEST_F(UfMainExerciseTest, TheRulersLineAndTicksLeaveTheDigitsClear) {
    auto window = Start(TPracticeMode::Bulk, std::u16string(30, u'あ'),
                        [](TOptionRec& o) { o.WrapColJp = 22; });
    QWidget* ruler = Find<QWidget>(window.get(), "PaintBox2");
    const QImage image = ruler->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QFont font = Pane(window.get(), "RichEdit1")->font();
    font.setPointSize(OptionRec.FontSize);
    const int cell = QFontMetrics(font).horizontalAdvance(QStringLiteral("あ"));
    font.setPointSize(9);
    const QFontMetrics digits(font);
    // Pixels in the digits' box of a number drawn at column n that are of `color`.
    auto count = [&](int n, auto isColor) {
        const QString text = QString::number(n);
        const int width = digits.horizontalAdvance(text);
        const QRect box(n * cell + 4 - width / 2, 3, width, digits.height());
        int found = 0;
        for (int y = box.top(); y <= box.bottom() && y < image.height(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                found += isColor(image.pixel(x, y));
        return found;
    };
    auto black = [](QRgb p) { return qRed(p) < 60 && qGreen(p) < 60 && qBlue(p) < 60; };
    auto greyOrBlack = [&](QRgb p) { return black(p) || (qRed(p) == qGreen(p) && qRed(p) < 140); };
    auto magenta = [](QRgb p) { return qRed(p) > 150 && qGreen(p) < 120 && qBlue(p) > 150; };
    for (int n : {5, 10})
        EXPECT_EQ(count(n, black), 0) << "the line through the grey " << n;
    EXPECT_GT(count(22, magenta), 0);
    EXPECT_EQ(count(22, greyOrBlack), 0) << "the tick through the wrap column";
}

TEST_F(UfMainExerciseTest, PastingIntoTheTypingPaneDoesNothing) {
    auto window = Start(TPracticeMode::Bulk, u"abc");
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    QApplication::clipboard()->setText(QStringLiteral("abc"));
    QTest::keyClick(typed, Qt::Key_Control);
    QTest::keyClick(typed, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(typed, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_TRUE(typed->Text().empty());
    QTest::keyClicks(typed, "ab");
    EXPECT_EQ(typed->Text(), "ab") << "typing works again after Ctrl is released";
}

// ---- Sequential input ----

TEST_F(UfMainExerciseTest, SequentialCommitsAreCheckedAsTheyCome) {
    auto window = Start(TPracticeMode::Sequential, u"あいうえ");
    TRichEdit* example = Pane(window.get(), "RichEdit1");
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    Press(window.get(), Qt::Key_Shift);
    Commit(typed, QStringLiteral("あい"));
    ExpectFormat(example, 0, PaneColors::Grey, Plain, "accepted あ");
    ExpectFormat(example, 2, PaneColors::Grey, Plain, "accepted い");
    Commit(typed, QStringLiteral("うお"));
    EXPECT_EQ(typed->Text(), Sjis(u"あいう")) << "the wrong part is taken back";
    ExpectFormat(example, 4, PaneColors::Grey, Plain, "accepted う");
    ExpectFormat(example, 6, PaneColors::Red, Marked, "え, where it went wrong");
    EXPECT_TRUE(Panel(window.get(), "StatusBar1", 1).isEmpty());

    Tick(window.get(), 2);
    Commit(typed, QStringLiteral("え"));
    EXPECT_TRUE(typed->ReadOnly()) << "the exercise ended by itself";
    // Three commits, the last one counted before it ends the exercise; Shift alone is none.
    EXPECT_EQ(Panel(window.get(), "StatusBar1", 1),
              QStringLiteral("  入力速度 120.0 文字/分\r\n  打鍵速度 90.0 打/分\r\n  エラー数 1"));
    ExpectCounts(PracticeRecs[0], {TRecordMode::Sequential, 4, 5, 0, 1, 0});
    EXPECT_EQ(PracticeRecs[0].Seconds, 2);
    EXPECT_EQ(PracticeRecs[0].KeyCount, 3);
}

// Where the example has a line break, its mark shows it; a commit there is refused, the mark
// turns red and the status bar asks for Enter until Enter is taken.
TEST_F(UfMainExerciseTest, ACommitWhereABreakBelongsAsksForEnter) {
    auto window = Start(TPracticeMode::Sequential, u"あい\r\nうえ");
    TRichEdit* example = Pane(window.get(), "RichEdit1");
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    ASSERT_TRUE(example->ShowBreaks());
    ASSERT_EQ(example->BreakMarks().size(), 1u);
    EXPECT_EQ(example->BreakMarks()[0].Pos, 4);

    Commit(typed, QStringLiteral("あい"));
    EXPECT_TRUE(Panel(window.get(), "StatusBar1", 1).isEmpty());
    Commit(typed, QStringLiteral("うえ"));
    EXPECT_EQ(typed->Text(), Sjis(u"あい")) << "refused";
    EXPECT_EQ(Panel(window.get(), "StatusBar1", 1),
              QStringLiteral("改行（Enter）を入力してください。"));
    EXPECT_EQ(example->BreakMarks()[0].Color, PaneColors::Red);
    // A preedit does not take the request away; Enter does.
    Compose(typed, QStringLiteral("う"));
    Compose(typed, QString());
    EXPECT_EQ(Panel(window.get(), "StatusBar1", 1),
              QStringLiteral("改行（Enter）を入力してください。"));
    Press(window.get(), Qt::Key_Return);
    EXPECT_TRUE(Panel(window.get(), "StatusBar1", 1).isEmpty());
    EXPECT_EQ(typed->Text(), Sjis(u"あい\r\n"));
    EXPECT_EQ(example->BreakMarks()[0].Color, PaneColors::Grey) << "accepted, as typed text is";
    EXPECT_NE(example->BreakMarks()[0].Styles, TFontStyles{}) << "still marked as refused once";
    Tick(window.get(), 2);
    Commit(typed, QStringLiteral("うえ"));
    EXPECT_TRUE(typed->ReadOnly()) << "the exercise ended";
    EXPECT_EQ(PracticeRecs[0].MissCount, 1);

    // A commit running over the break keeps what matched before it and asks the same.
    ClickSentence(window.get(), 0);
    Commit(typed, QStringLiteral("あいう"));
    EXPECT_EQ(typed->Text(), Sjis(u"あい"));
    EXPECT_EQ(Panel(window.get(), "StatusBar1", 1),
              QStringLiteral("改行（Enter）を入力してください。"));
    // Bulk input and touch typing show no marks.
    Action(window.get(), "All1")->trigger();
    EXPECT_FALSE(example->ShowBreaks());
}

// An English text: a letter where the break belongs is a wrong key, and the same request.
TEST_F(UfMainExerciseTest, AKeyWhereABreakBelongsAsksForEnter) {
    auto window = Start(TPracticeMode::Sequential, u"ab\r\ncd");
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    QTest::keyClicks(typed, "abc");
    EXPECT_EQ(typed->Text(), "ab");
    EXPECT_EQ(Panel(window.get(), "StatusBar1", 1),
              QStringLiteral("改行（Enter）を入力してください。"));
    Press(window.get(), Qt::Key_Return);
    EXPECT_TRUE(Panel(window.get(), "StatusBar1", 1).isEmpty());
    EXPECT_EQ(typed->Text(), "ab\r\n");
}

TEST_F(UfMainExerciseTest, AWrongFirstCharacterAcceptsNothing) {
    auto window = Start(TPracticeMode::Sequential, u"あいうえ");
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    Commit(typed, QStringLiteral("かい"));
    EXPECT_TRUE(typed->Text().empty());
    ExpectFormat(Pane(window.get(), "RichEdit1"), 0, PaneColors::Red, Marked, "あ");
    EXPECT_FALSE(typed->ReadOnly());
}

TEST_F(UfMainExerciseTest, ACommitLongerThanTheRestEndsWithItsMatchingPart) {
    auto window = Start(TPracticeMode::Sequential, u"あいう");
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    Tick(window.get(), 3);
    Commit(typed, QStringLiteral("あいうえ"));
    EXPECT_EQ(typed->Text(), Sjis(u"あいう"));
    EXPECT_TRUE(typed->ReadOnly());
    EXPECT_EQ(PracticeRecs[0].MissCount, 1);
    EXPECT_EQ(PracticeRecs[0].InputCount, 4);
}

TEST_F(UfMainExerciseTest, ASequentialExerciseWithinOneSecondStoresNothing) {
    auto window = Start(TPracticeMode::Sequential, u"あい");
    Tick(window.get(), 1);
    Commit(Pane(window.get(), "RichEdit2"), QStringLiteral("あい"));
    EXPECT_TRUE(Pane(window.get(), "RichEdit2")->ReadOnly());
    EXPECT_TRUE(Panel(window.get(), "StatusBar1", 1).isEmpty());
    EXPECT_EQ(OptionRec.NextRecord, 0);
    EXPECT_EQ(PracticeRecs[0].RecDate, 0.0);
}

TEST_F(UfMainExerciseTest, EnglishSequentialInputChecksEveryKey) {
    auto window = Start(TPracticeMode::Sequential, u"ab\r\ncd");
    TRichEdit* example = Pane(window.get(), "RichEdit1");
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    QTest::keyClicks(typed, "x");
    EXPECT_TRUE(typed->Text().empty()) << "a wrong key is not inserted";
    ExpectFormat(example, 0, PaneColors::Red, {false, false, false, true}, "a struck out");
    QTest::keyClicks(typed, "a");
    EXPECT_EQ(typed->Text(), "a");
    ExpectFormat(example, 0, PaneColors::Red, {false, false, false, true}, "a stays red");
    QTest::keyClick(typed, Qt::Key_Return);
    EXPECT_EQ(typed->Text(), "a") << "Enter only where the example breaks the line";
    QTest::keyClicks(typed, "b");
    QTest::keyClick(typed, Qt::Key_Backspace);
    QTest::keyClick(typed, Qt::Key_Left);
    EXPECT_EQ(typed->Text(), "ab");
    EXPECT_EQ(typed->SelStart(), 2);
    QTest::keyClick(typed, Qt::Key_Return);
    EXPECT_EQ(typed->Text(), "ab\r\n");
    ExpectFormat(example, 1, PaneColors::Red, {false, false, false, true},
                 "b, where the misplaced Enter went");
    Tick(window.get(), 2);
    QTest::keyClick(typed, Qt::Key_Escape);
    QTest::keyClick(typed, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(typed, "cd");
    EXPECT_TRUE(typed->ReadOnly());
    EXPECT_EQ(PracticeRecs[0].MissCount, 2) << "x and the misplaced Enter; no control key";
    EXPECT_EQ(PracticeRecs[0].InputCount, 7);
    EXPECT_EQ(PracticeRecs[0].TextKind, TTextKind::English);
}

TEST_F(UfMainExerciseTest, EnterInAJapaneseTextGoesThroughOnlyAtALineBreak) {
    auto window = Start(TPracticeMode::Sequential, u"あ\r\nい");
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    QTest::keyClick(typed, Qt::Key_Return);
    EXPECT_TRUE(typed->Text().empty());
    Commit(typed, QStringLiteral("あ"));
    QTest::keyClick(typed, Qt::Key_Return);
    EXPECT_EQ(typed->Text(), Sjis(u"あ\r\n"));
    Tick(window.get(), 2);
    Commit(typed, QStringLiteral("い"));
    EXPECT_TRUE(typed->ReadOnly());
    EXPECT_EQ(PracticeRecs[0].MissCount, 0);
}

// One slip at each position of a text of several lines, then the rest typed right: the slip's
// character is marked, everything else accepted turns grey, on screen too, and the exercise
// ends with one error.
class UfMainSlipTest : public UfMainExerciseTest {
protected:
    // How many pixels of the example pane are drawn black (neither grey nor red).
    static int BlackPixels(TRichEdit* example) {
        example->setCursorWidth(0);
        QCoreApplication::processEvents();
        QImage image = example->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int black = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                QRgb p = image.pixel(x, y);
                bool red = qRed(p) > 160 && qGreen(p) < 100 && qBlue(p) < 100;
                black += !red && qGray(p) < 100;
            }
        return black;
    }

    // Types `entries` one by one, a wrong one before entry `slip`; "\r\n" is the Enter key.
    // `enter` types one entry, `wrong` the slip.
    template <typename Enter, typename Wrong>
    void TypeWithSlip(QWidget* window, const std::vector<QString>& entries, std::size_t slip,
                      Enter enter, Wrong wrong) {
        TRichEdit* typed = Pane(window, "RichEdit2");
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (i == slip)
                wrong(typed);
            if (i + 1 == entries.size())
                Tick(window, 2);
            if (entries[i] == QStringLiteral("\r\n"))
                QTest::keyClick(typed, Qt::Key_Return);
            else
                enter(typed, entries[i]);
        }
    }

    void ExpectMarks(QWidget* window, const std::vector<QString>& entries, std::size_t slip,
                     TRgb slipColor, TFontStyles slipStyles) {
        TRichEdit* example = Pane(window, "RichEdit1");
        int pos = 0;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            int length = static_cast<int>(ShiftJis::FromQString(entries[i]).size());
            if (entries[i] != QStringLiteral("\r\n") || i == slip) {
                TFormat format = FormatAt(example, pos);
                EXPECT_EQ(format.Color, i == slip ? slipColor : PaneColors::Grey) << "at " << i;
                EXPECT_EQ(format.Styles, i == slip ? slipStyles : TFontStyles{}) << "at " << i;
            }
            pos += length;
        }
        EXPECT_EQ(BlackPixels(example), 0);
        EXPECT_TRUE(Pane(window, "RichEdit2")->ReadOnly()) << "the exercise ended";
        EXPECT_TRUE(Panel(window, "StatusBar1", 1).endsWith(QStringLiteral("エラー数 1")))
            << Panel(window, "StatusBar1", 1).toStdString();
    }

    static std::vector<QString> Entries(const QString& text) {
        std::vector<QString> entries;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.mid(i, 2) == QStringLiteral("\r\n"))
                entries.push_back(text.mid(i++, 2));
            else
                entries.push_back(text.mid(i, 1));
        }
        return entries;
    }
};

TEST_F(UfMainSlipTest, AKeySlipAnywhereInAnEnglishTextIsMarkedAndTheRestGreyed) {
    const QString text =
        QStringLiteral("Keep your fingers\r\non the home row,\r\nnot at the keys.");
    const std::vector<QString> entries = Entries(text);
    // 11 points: the characters end at fractions of a pixel.
    auto window = Start(TPracticeMode::Sequential, text.toStdU16String(),
                        [](TOptionRec& o) { o.FontSize = 11; });
    for (std::size_t slip = 0; slip < entries.size(); ++slip) {
        SCOPED_TRACE(slip);
        ClickSentence(window.get(), 0);
        TypeWithSlip(
            window.get(), entries, slip,
            [](TRichEdit* typed, const QString& entry) { QTest::keyClicks(typed, entry); },
            [](TRichEdit* typed) { QTest::keyClicks(typed, "x"); });
        ExpectMarks(window.get(), entries, slip, PaneColors::Red, {.StrikeOut = true});
    }
}

TEST_F(UfMainSlipTest, ACommitSlipAnywhereInAJapaneseTextIsMarkedAndTheRestGreyed) {
    const QString text = QStringLiteral("あさのこうえん\r\nとりがなく。\r\nはれ");
    const std::vector<QString> entries = Entries(text);
    auto window = Start(TPracticeMode::Sequential, text.toStdU16String(),
                        [](TOptionRec& o) { o.FontSize = 11; });
    for (std::size_t slip = 0; slip < entries.size(); ++slip) {
        SCOPED_TRACE(slip);
        ClickSentence(window.get(), 0);
        TypeWithSlip(
            window.get(), entries, slip,
            [](TRichEdit* typed, const QString& entry) { Commit(typed, entry); },
            [](TRichEdit* typed) { Commit(typed, QStringLiteral("ゑ")); });
        // The character (or line break) typed right after its slip turns grey and keeps its
        // marking style.
        ExpectMarks(window.get(), entries, slip, PaneColors::Grey, Marked);
    }
}

TEST_F(UfMainExerciseTest, AClickPutsTheCaretBackAtTheEnd) {
    auto window = Start(TPracticeMode::Sequential, u"abcd");
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    QTest::keyClicks(typed, "ab");
    QTest::mouseClick(typed->viewport(), Qt::LeftButton, {}, QPoint(2, 5));
    EXPECT_EQ(typed->SelStart(), 2);
}

TEST_F(UfMainExerciseTest, ChangingTheModeAbandonsTheExercise) {
    auto window = Start(TPracticeMode::Sequential, u"あい");
    Commit(Pane(window.get(), "RichEdit2"), QStringLiteral("あ"));
    Action(window.get(), "All1")->trigger();
    EXPECT_TRUE(Pane(window.get(), "RichEdit1")->Text().empty());
    Commit(Pane(window.get(), "RichEdit2"), QStringLiteral("い"));
    EXPECT_EQ(OptionRec.NextRecord, 0);
}

// ---- Starting an exercise ----

// The input method takes the keys it composes: its first event, a preedit, starts the clock
// and, in bulk input, locks the ruler and allows the comparison, as a key press would.
TEST_F(UfMainExerciseTest, AnInputMethodEventStartsTheExercise) {
    for (TPracticeMode mode : {TPracticeMode::Sequential, TPracticeMode::Bulk}) {
        SCOPED_TRACE(static_cast<int>(mode));
        auto window = Start(mode, u"おはよう");
        TRichEdit* typed = Pane(window.get(), "RichEdit2");
        auto* timer = Find<QTimer>(window.get(), "Timer1");
        EXPECT_FALSE(timer->isActive());
        Compose(typed, QStringLiteral("お"));
        EXPECT_TRUE(timer->isActive());
        if (mode == TPracticeMode::Bulk) {
            EXPECT_TRUE(Action(window.get(), "Comp1")->isEnabled());
            EXPECT_EQ(Find<QLabel>(window.get(), "Label1")->palette().color(QPalette::WindowText),
                      QColor(Qt::red));
        }
        Tick(window.get(), 2);
        Commit(typed, QStringLiteral("おはよう"));
        if (mode == TPracticeMode::Bulk)
            Action(window.get(), "Comp1")->trigger();
        EXPECT_EQ(PracticeRecs[0].Seconds, 2);
        window.reset();
        std::memset(PracticeRecs, 0, sizeof PracticeRecs);
    }
}

// Keys that cannot change the typed text leave a bulk exercise unstarted: opening a menu with
// Alt+T and closing it with Escape, function keys, arrows. A character or an editing key starts
// it.
TEST_F(UfMainExerciseTest, OnlyKeysThatTypeOrEditStartABulkExercise) {
    struct TCase {
        const char* Name;
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        bool Starts;
    } cases[] = {
        {"Alt", Qt::Key_Alt, Qt::AltModifier, false},
        {"Alt+T", Qt::Key_T, Qt::AltModifier, false},
        {"Escape", Qt::Key_Escape, {}, false},
        {"F2", Qt::Key_F2, {}, false},
        {"Shift", Qt::Key_Shift, Qt::ShiftModifier, false},
        {"Left", Qt::Key_Left, {}, false},
        {"Ctrl+V", Qt::Key_V, Qt::ControlModifier, false},
        {"a", Qt::Key_A, {}, true},
        {"Backspace", Qt::Key_Backspace, {}, true},
        {"Enter", Qt::Key_Return, {}, true},
    };
    auto window = Start(TPracticeMode::Bulk, u"abc");
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ClickSentence(window.get(), 0);
        QTest::keyClick(Pane(window.get(), "RichEdit2"), c.Key, c.Modifiers);
        EXPECT_EQ(Find<QTimer>(window.get(), "Timer1")->isActive(), c.Starts);
        EXPECT_EQ(Action(window.get(), "Comp1")->isEnabled(), c.Starts);
    }
}

// With the input method off, a key reaches a pane that expects it: the learner is told how to
// switch it on. Sequential input of a Japanese text takes nothing unchecked; bulk input takes
// the key as typed. The next input-method event takes the hint away.
TEST_F(UfMainExerciseTest, AKeyPastTheInputMethodTellsTheLearnerToSwitchItOn) {
    for (TPracticeMode mode : {TPracticeMode::Sequential, TPracticeMode::Bulk}) {
        SCOPED_TRACE(static_cast<int>(mode));
        auto window = Start(mode, u"おはよう");
        TRichEdit* typed = Pane(window.get(), "RichEdit2");
        QTest::keyClicks(typed, "o");
        EXPECT_EQ(Panel(window.get(), "StatusBar1", 1), InputMethod::ImeOffHint());
        bool bulk = mode == TPracticeMode::Bulk;
        EXPECT_EQ(typed->Text(), bulk ? "o" : "");
        EXPECT_EQ(Find<QTimer>(window.get(), "Timer1")->isActive(), bulk);
        Compose(typed, QStringLiteral("お"));
        EXPECT_TRUE(Panel(window.get(), "StatusBar1", 1).isEmpty());
    }
}

// A one-line text counts every keystroke, the last one too, though it ends the exercise before
// its key up.
TEST_F(UfMainExerciseTest, AOneLineEnglishTextCountsItsKeystrokes) {
    auto window = Start(TPracticeMode::Sequential, u"ab");
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    QTest::keyClicks(typed, "a");
    Tick(window.get(), 2);
    QTest::keyClicks(typed, "b");
    EXPECT_TRUE(typed->ReadOnly());
    EXPECT_EQ(PracticeRecs[0].KeyCount, 2);
    EXPECT_NE(Panel(window.get(), "StatusBar1", 1).indexOf(QStringLiteral("打鍵速度 60.0")), -1)
        << Panel(window.get(), "StatusBar1", 1).toStdString();
}

// "ohayou" as each kind of input method lets it through to the typing pane. The last kana
// ends the exercise; whatever follows it (Enter, a release) comes after the end.
struct TEngineStream {
    const char* Name;
    // Steps: 'p' a preedit, 'c' a commit (both of Text), 'r' the release of Key, 'k' a press
    // and release of Key.
    struct TStep {
        char Kind;
        const char16_t* Text;
        Qt::Key Key;
    };
    std::vector<TStep> Steps;
};

class UfMainKeystrokeTest : public UfMainExerciseTest,
                            public testing::WithParamInterface<TEngineStream> {};

TEST_P(UfMainKeystrokeTest, EveryInputMethodStoresTheSameKeyCount) {
    auto window = Start(TPracticeMode::Sequential, u"おはよう");
    TRichEdit* typed = Pane(window.get(), "RichEdit2");
    Tick(window.get(), 2);
    for (const TEngineStream::TStep& step : GetParam().Steps) {
        QString text = step.Text ? QString::fromStdU16String(step.Text) : QString();
        switch (step.Kind) {
        case 'p':
            Compose(typed, text);
            break;
        case 'c':
            Commit(typed, text);
            break;
        case 'r': {
            QKeyEvent release(QEvent::KeyRelease, step.Key, Qt::NoModifier);
            QApplication::sendEvent(typed, &release);
            break;
        }
        case 'k':
            QTest::keyClick(typed, step.Key);
            break;
        }
    }
    ASSERT_TRUE(typed->ReadOnly()) << "the exercise ended";
    EXPECT_EQ(PracticeRecs[0].KeyCount, 6);
    EXPECT_NE(Panel(window.get(), "StatusBar1", 1).indexOf(QStringLiteral("打鍵速度 180.0")), -1)
        << Panel(window.get(), "StatusBar1", 1).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Engines, UfMainKeystrokeTest,
                         testing::Values(TEngineStream{"PressTaken",
                                                       {{'p', u"お", {}},
                                                        {'r', nullptr, Qt::Key_O},
                                                        {'p', u"おｈ", {}},
                                                        {'r', nullptr, Qt::Key_H},
                                                        {'p', u"おは", {}},
                                                        {'r', nullptr, Qt::Key_A},
                                                        {'p', u"おはｙ", {}},
                                                        {'r', nullptr, Qt::Key_Y},
                                                        {'p', u"おはよ", {}},
                                                        {'r', nullptr, Qt::Key_O},
                                                        {'p', u"おはよう", {}},
                                                        {'r', nullptr, Qt::Key_U},
                                                        {'c', u"おはよう", {}},
                                                        {'p', u"", {}},
                                                        {'r', nullptr, Qt::Key_Return}}},
                                         TEngineStream{"PressAndReleaseTaken",
                                                       {{'p', u"お", {}},
                                                        {'p', u"おh", {}},
                                                        {'p', u"おは", {}},
                                                        {'p', u"おはy", {}},
                                                        {'p', u"おはよ", {}},
                                                        {'p', u"おはよう", {}},
                                                        {'c', u"おはよう", {}},
                                                        {'p', u"", {}},
                                                        {'r', nullptr, Qt::Key_Return}}},
                                         TEngineStream{"CommitsAsTyped",
                                                       {{'c', u"お", {}},
                                                        {'r', nullptr, Qt::Key_O},
                                                        {'p', u"h", {}},
                                                        {'r', nullptr, Qt::Key_H},
                                                        {'c', u"は", {}},
                                                        {'p', u"", {}},
                                                        {'r', nullptr, Qt::Key_A},
                                                        {'p', u"y", {}},
                                                        {'c', u"よ", {}},
                                                        {'r', nullptr, Qt::Key_O},
                                                        {'c', u"う", {}},
                                                        {'r', nullptr, Qt::Key_U}}}),
                         [](const testing::TestParamInfo<TEngineStream>& info) {
                             return std::string(info.param.Name);
                         });

} // namespace
