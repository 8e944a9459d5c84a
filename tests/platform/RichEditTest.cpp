// SPDX-License-Identifier: GPL-3.0-or-later
// What only the Qt pane has: lines as word wrap shows them, the hooks the windows use, the
// input method's preedit and commits, and text that arrives by typing or pasting.

#include "tests/support/TextPanes.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextLayout>

#include <string>
#include <vector>

namespace {

using namespace PaneColors;

class RichEditTest : public ::testing::Test {
protected:
    std::unique_ptr<TRichEdit> FPane = NewTestPane<TRichEdit>();
    TRichEdit& Pane() { return *FPane; }

    void SendInputMethod(const QString& preedit, const QString& commit,
                         const QList<QInputMethodEvent::Attribute>& attributes = {}) {
        QInputMethodEvent event(preedit, attributes);
        event.setCommitString(commit);
        QApplication::sendEvent(FPane.get(), &event);
    }

    // The box of the character at a document position, in viewport coordinates.
    QRect CharacterBox(int position) {
        QTextCursor cursor(Pane().document());
        cursor.setPosition(position);
        QRect left = Pane().cursorRect(cursor);
        cursor.setPosition(position + 1);
        QRect right = Pane().cursorRect(cursor);
        return {QPoint(left.left(), left.top()), QPoint(right.left() - 1, left.bottom())};
    }

    // The viewport as the learner sees it once pending paints are done; no caret is drawn,
    // since its blinking would change the pixels.
    QImage Rendered() {
        Pane().setCursorWidth(0);
        QCoreApplication::processEvents();
        return Pane().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Centre of the character at a document position, in viewport coordinates.
    QPoint CharacterCentre(int position) { return CharacterBox(position).center(); }
};

TEST_F(RichEditTest, WordWrapShowsALongLineAsSeveral) {
    const std::string longLine = Sjis(std::u16string(300, u'あ'));
    Pane().SetText(longLine + "\r\nend");
    Pane().SetWordWrap(true);
    const int count = Pane().LineCount();
    ASSERT_GT(count, 2);
    std::string joined;
    for (int i = 0; i + 1 < count; ++i)
        joined += Pane().Line(i);
    EXPECT_EQ(joined, longLine);
    EXPECT_EQ(Pane().Line(count - 1), "end");

    const int second = Pane().LineStart(1);
    EXPECT_EQ(second, static_cast<int>(Pane().Line(0).size()));
    EXPECT_EQ(Pane().LineFromPos(second), 1);
    EXPECT_EQ(Pane().LineFromPos(second - 1), 0);
    EXPECT_EQ(Pane().LineFromPos(Pane().TextLength()), count - 1);

    Pane().ScrollLines(1);
    EXPECT_EQ(Pane().FirstVisibleLine(), 1);

    Pane().SetWordWrap(false);
    EXPECT_EQ(Pane().LineCount(), 2);
    EXPECT_EQ(Pane().Line(0), longLine);
}

TEST_F(RichEditTest, AHiddenPaneHasItsLinesBeforeItIsShown) {
    TRichEdit hidden;
    hidden.resize(200, 100);
    hidden.SetText(Sjis(std::u16string(60, u'あ')));
    EXPECT_GT(hidden.LineCount(), 1);
    EXPECT_EQ(hidden.LineFromPos(hidden.TextLength()), hidden.LineCount() - 1);
}

TEST_F(RichEditTest, KeyHooksSeeKeyDownCharacterAndKeyUp) {
    std::vector<int> down, up;
    QString characters;
    Pane().OnKeyDown = [&](const QKeyEvent& e) {
        down.push_back(e.key());
        return false;
    };
    Pane().OnKeyPress = [&](QChar c) {
        characters += c;
        return false;
    };
    Pane().OnKeyUp = [&](const QKeyEvent& e) { up.push_back(e.key()); };
    QTest::keyClicks(&Pane(), "ab");
    QTest::keyClick(&Pane(), Qt::Key_Return);
    EXPECT_EQ(Pane().Text(), "ab\r\n");
    EXPECT_EQ(down, (std::vector<int>{Qt::Key_A, Qt::Key_B, Qt::Key_Return}));
    EXPECT_EQ(up, down);
    EXPECT_EQ(characters, QStringLiteral("ab\r"));
}

TEST_F(RichEditTest, ASwallowedKeyInsertsNothing) {
    struct TCase {
        const char* Name;
        bool SwallowDown, SwallowCharacter;
        int CharacterCalls;
    } cases[] = {
        {"in key down", true, false, 0},
        {"as a character", false, true, 1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Pane().SetText("a");
        Pane().SetSelStart(1);
        int characterCalls = 0;
        Pane().OnKeyDown = [&](const QKeyEvent&) { return c.SwallowDown; };
        Pane().OnKeyPress = [&](QChar) {
            ++characterCalls;
            return c.SwallowCharacter;
        };
        QTest::keyClick(&Pane(), Qt::Key_X);
        QTest::keyClick(&Pane(), Qt::Key_Return);
        EXPECT_EQ(Pane().Text(), "a");
        EXPECT_EQ(characterCalls, 2 * c.CharacterCalls);
    }
}

TEST_F(RichEditTest, AReadOnlyPaneTakesNoKeysButKeepsItsHooks) {
    QGuiApplication::clipboard()->setText(QStringLiteral("zz"));
    Pane().SetText("a");
    Pane().SetSelStart(1);
    Pane().SetReadOnly(true);
    QString characters;
    Pane().OnKeyPress = [&](QChar c) {
        characters += c;
        return false;
    };
    QTest::keyClick(&Pane(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClicks(&Pane(), "bc");
    EXPECT_EQ(Pane().Text(), "a");
    EXPECT_TRUE(characters.endsWith(QStringLiteral("bc")));
    Pane().SetReadOnly(false);
    QTest::keyClick(&Pane(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Pane().Text(), "azz");
}

TEST_F(RichEditTest, ShiftEnterMakesAnOrdinaryBreak) {
    QTest::keyClicks(&Pane(), "a");
    QTest::keyClick(&Pane(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&Pane(), "b");
    EXPECT_EQ(Pane().Text(), "a\r\nb");
    EXPECT_EQ(Pane().document()->blockCount(), 2);
    EXPECT_EQ(Pane().LineCount(), 2);
}

TEST_F(RichEditTest, TypingKeepsTextAndOffsetsInStep) {
    Pane().SetText(Sjis(u"あい"));
    Pane().SetSelStart(2);
    EXPECT_EQ(Pane().TextLength(), 4);
    QTest::keyClicks(&Pane(), "x");
    EXPECT_EQ(Pane().Text(), Sjis(u"あxい"));
    EXPECT_EQ(Pane().SelStart(), 3);
    Pane().Select(0, 2); // a format change keeps the text as it is
    Pane().SetSelColor(Red);
    Pane().SetSelStart(5);
    QTest::keyClick(&Pane(), Qt::Key_Tab);
    QTest::keyClick(&Pane(), Qt::Key_Y);
    EXPECT_EQ(Pane().Text(), Sjis(u"あxい") + "\ty");
    EXPECT_EQ(Pane().TextLength(), 7);
}

TEST_F(RichEditTest, UnmappableCharactersReadAsOneQuestionMark) {
    Pane().insertPlainText(QStringLiteral("a\U0001F600b\u2603c"));
    EXPECT_EQ(Pane().Text(), "a?b?c");
    Pane().Select(2, 1);
    EXPECT_EQ(Pane().SelText(), "b");
    Pane().Select(1, 1); // the emoji, a surrogate pair, is one character
    EXPECT_EQ(Pane().SelLength(), 1);
    EXPECT_EQ(Pane().textCursor().selectedText(), QStringLiteral("\U0001F600"));
}

TEST_F(RichEditTest, PastedBreaksBecomeOrdinaryBreaks) {
    QGuiApplication::clipboard()->setText(QStringLiteral("a\r\r\nb\u2028c\rd"));
    Pane().paste();
    EXPECT_EQ(Pane().Text(), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(Pane().LineCount(), 4);
}

TEST_F(RichEditTest, ACommitReachesTheHookAfterTheControlInsertedIt) {
    std::vector<std::string> commits;
    std::string textAtCommit;
    Pane().OnImeCommit = [&](const std::string& committed) {
        commits.push_back(committed);
        textAtCommit = Pane().Text();
    };
    SendInputMethod(QStringLiteral("あい"), {});
    EXPECT_TRUE(Pane().HasComposition());
    EXPECT_TRUE(commits.empty());
    EXPECT_EQ(Pane().Text(), ""); // the preedit is not text yet

    SendInputMethod({}, QStringLiteral("愛"));
    EXPECT_FALSE(Pane().HasComposition());
    EXPECT_EQ(commits, std::vector<std::string>{Sjis(u"愛")});
    EXPECT_EQ(textAtCommit, Sjis(u"愛"));

    SendInputMethod({}, QStringLiteral("x\u2028y\u2603"));
    EXPECT_EQ(commits.back(), "x\r\ny?");
    EXPECT_EQ(Pane().Text(), Sjis(u"愛") + "x\r\ny?");
}

TEST_F(RichEditTest, ARefusingPaneTakesNoCommit) {
    struct TCase {
        const char* Name;
        bool ReadOnly;
        TImeMode Mode;
    } cases[] = {
        {"input method disabled", false, TImeMode::Disabled},
        {"input method closed", false, TImeMode::Closed},
        {"read-only", true, TImeMode::Hiragana},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Pane().SetText("a");
        Pane().SetReadOnly(c.ReadOnly);
        Pane().SetImeMode(c.Mode);
        int calls = 0;
        Pane().OnImeCommit = [&](const std::string&) { ++calls; };
        SendInputMethod(QStringLiteral("か"), {});
        SendInputMethod({}, QStringLiteral("字"));
        EXPECT_EQ(Pane().Text(), "a");
        EXPECT_EQ(calls, 0);
        EXPECT_FALSE(Pane().HasComposition());
    }
}

// Hints alone change nothing in a Linux input method: only a pane in hiragana accepts one,
// and the input context, asking the pane, hears so.
TEST_F(RichEditTest, OnlyHiraganaLetsTheInputMethodIn) {
    Pane().SetImeMode(TImeMode::Disabled);
    EXPECT_FALSE(Pane().testAttribute(Qt::WA_InputMethodEnabled));
    Pane().SetImeMode(TImeMode::Closed);
    EXPECT_FALSE(Pane().testAttribute(Qt::WA_InputMethodEnabled));
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(&Pane(), &query);
    EXPECT_FALSE(query.value(Qt::ImEnabled).toBool()) << "the input context is told";
    Pane().SetImeMode(TImeMode::Hiragana);
    QApplication::sendEvent(&Pane(), &query);
    EXPECT_TRUE(query.value(Qt::ImEnabled).toBool());
    Pane().SetReadOnly(true); // read-only leaves the input method as its mode says
    EXPECT_TRUE(Pane().testAttribute(Qt::WA_InputMethodEnabled));
    Pane().setReadOnly(false);
    Pane().SetImeMode(TImeMode::Disabled);
    Pane().setReadOnly(true);
    Pane().setReadOnly(false); // QTextEdit's own switch would let the input method in
    EXPECT_FALSE(Pane().testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(Pane().ReadOnly());
    Pane().SetImeMode(TImeMode::Hiragana);
    EXPECT_EQ(Pane().inputMethodHints(), Qt::ImhNone);
}

// Candidate windows open at the caret: its rectangle, in the pane's coordinates, lies on the
// caret's line inside the frame.
TEST_F(RichEditTest, TheCursorRectangleIsTheCaretInThePane) {
    Pane().SetText("a\r\nb\r\ncc");
    Pane().SetSelStart(Pane().TextLength());
    QRectF caret = Pane().inputMethodQuery(Qt::ImCursorRectangle).toRectF();
    QRect line2 = Pane().cursorRect().translated(Pane().viewport()->pos());
    EXPECT_EQ(caret.toRect(), line2);
    EXPECT_GT(caret.top(), Pane().viewport()->pos().y() + 2 * caret.height() - 2);
    EXPECT_TRUE(QRectF(Pane().rect()).contains(caret.center()));
}

TEST_F(RichEditTest, PreeditFormatsTakeTheCompositionColours) {
    TCompositionColors colors = TypingFieldCompositionColors;
    colors[2].Text = Red; // to tell entry 2 from entry 0
    Pane().SetCompositionColors(colors);
    Pane().SetText("ab");
    Pane().SetSelStart(1);

    auto preeditRanges = [&] {
        std::vector<QTextLayout::FormatRange> ranges;
        for (const QTextLayout::FormatRange& r : Pane().textCursor().block().layout()->formats())
            ranges.push_back(r);
        return ranges;
    };
    auto background = [](const QTextLayout::FormatRange& r) {
        return r.format.background().color();
    };
    QTextCharFormat underlined;
    underlined.setUnderlineStyle(QTextCharFormat::DashUnderline);
    QTextCharFormat highlighted;
    highlighted.setBackground(QColor(48, 140, 198));
    highlighted.setForeground(QColor(255, 255, 255));

    // Unconverted input: entry 0, wherever the input method's formats fall.
    SendInputMethod(QStringLiteral("かんじ"), {},
                    {{QInputMethodEvent::TextFormat, 0, 3, QTextFormat(underlined)}});
    std::vector<QTextLayout::FormatRange> ranges = preeditRanges();
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(ranges[0].start, 1);
    EXPECT_EQ(ranges[0].length, 3);
    EXPECT_EQ(background(ranges[0]), QColor(Qt::white));
    EXPECT_TRUE(ranges[0].format.fontUnderline());

    // Converting: the highlighted clause is entry 1, the rest entry 2.
    SendInputMethod(QStringLiteral("漢字です"), {},
                    {{QInputMethodEvent::TextFormat, 0, 4, QTextFormat(underlined)},
                     {QInputMethodEvent::TextFormat, 0, 2, QTextFormat(highlighted)},
                     {QInputMethodEvent::Cursor, 4, 0, {}}});
    ranges = preeditRanges();
    ASSERT_EQ(ranges.size(), 2u);
    EXPECT_EQ(ranges[0].length, 2);
    EXPECT_EQ(background(ranges[0]), QColor(Qt::cyan));
    EXPECT_FALSE(ranges[0].format.fontUnderline());
    EXPECT_EQ(ranges[0].format.foreground().color(), QColor(Qt::black)); // automatic: the pane's
    EXPECT_EQ(ranges[1].start, 3);
    EXPECT_EQ(background(ranges[1]), QColor(Qt::white));
    EXPECT_EQ(ranges[1].format.foreground().color(), QColor(Qt::red));

    // Formats outside the preedit are clamped, not trusted.
    SendInputMethod(QStringLiteral("か"), {},
                    {{QInputMethodEvent::TextFormat, -5, 100, QTextFormat(highlighted)}});
    ranges = preeditRanges();
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(ranges[0].length, 1);
    EXPECT_EQ(background(ranges[0]), QColor(Qt::cyan));
    EXPECT_EQ(Pane().Text(), "ab");
}

TEST_F(RichEditTest, MarksAreDrawnOnTheirCharactersAndNowhereElse) {
    Pane().SetWordWrap(false);
    Pane().SetText("abc\r\ndef");
    const QRect b = CharacterBox(1);
    const QImage plain = Rendered();
    auto isRed = [](QRgb p) { return qRed(p) > 160 && qGreen(p) < 100 && qBlue(p) < 100; };
    auto countPixels = [](const QImage& image, auto inside, auto test) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += inside(QPoint(x, y)) && test(x, y);
        return count;
    };
    auto inB = [&](QPoint p) { return b.contains(p); };
    auto outsideB = [&](QPoint p) { return !b.contains(p); };
    auto otherLine = [&](QPoint p) { return p.y() > b.bottom() + 1; };

    Pane().Select(1, 1);
    Pane().SetSelColor(Red);
    Pane().SetSelLength(0);
    QImage red = Rendered();
    auto redAt = [&](int x, int y) { return isRed(red.pixel(x, y)); };
    EXPECT_GT(countPixels(red, inB, redAt), 0);
    EXPECT_EQ(countPixels(red, outsideB, redAt), 0);

    struct TCase {
        const char* Name;
        TFontStyles Styles;
    } cases[] = {
        {"bold", {.Bold = true}},
        {"italic", {.Italic = true}},
        {"underline", {.Underline = true}},
        {"strike-out", {.StrikeOut = true}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Pane().SelectAll();
        Pane().SetSelColor(Black);
        Pane().SetSelStyle({});
        Pane().Select(1, 1);
        Pane().SetSelStyle(c.Styles);
        Pane().SetSelLength(0);
        QImage styled = Rendered();
        auto changed = [&](int x, int y) { return styled.pixel(x, y) != plain.pixel(x, y); };
        EXPECT_GT(countPixels(styled, inB, changed), 0);
        // A bold b is wider and moves c, but the other line stays as it was.
        EXPECT_EQ(countPixels(styled, otherLine, changed), 0);
    }

    Pane().SelectAll(); // black and plain are drawn as the text is
    Pane().SetSelColor(Black);
    Pane().SetSelStyle({});
    Pane().SetSelLength(0);
    EXPECT_EQ(Rendered(), plain);
}

// Neighbouring marks of different colours on one line each show in their own colour, whatever
// fraction of a pixel the characters end at: a grey run right after a red character on the
// second line of a wrapped paragraph once stayed black.
TEST_F(RichEditTest, NeighbouringMarksEachShowTheirColour) {
    auto colourOf = [](QRgb p) -> char {
        if (qRed(p) > 160 && qGreen(p) < 100 && qBlue(p) < 100)
            return 'r';
        if (qGray(p) < 60)
            return 'k';
        return '-';
    };
    // The colours each character shows: 'r' red, 'k' black, '-' neither (grey or paper).
    // A glyph's edge may reach a pixel into its neighbour's box: one pixel at each side is left
    // out.
    auto shown = [&](int position) {
        const QImage image = Rendered();
        const QRect box = CharacterBox(position).adjusted(1, 0, -1, 0).intersected(image.rect());
        std::string colours;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (char c = colourOf(image.pixel(x, y));
                    c != '-' && colours.find(c) == std::string::npos)
                    colours += c;
        return colours;
    };
    Pane().SetWordWrap(true);
    const std::string text = "Keep your fingers on the home row and look at the screen, not at the "
                             "keys.\r\nAnd a second line to type here.";
    for (int fontPixels : {13, 15, 16, 17}) {
        SCOPED_TRACE(fontPixels);
        QFont font = Pane().font();
        font.setPixelSize(fontPixels);
        Pane().setFont(font);
        Pane().SetText(text);
        ASSERT_GE(Pane().LineCount(), 3) << "the first paragraph wraps";
        for (int slip = 0; slip < static_cast<int>(text.size()); ++slip) {
            if (text[slip] == ' ' || text[slip] == '\r' || text[slip] == '\n')
                continue;
            SCOPED_TRACE(slip);
            Pane().SelectAll();
            Pane().SetSelColor(Grey);
            Pane().Select(slip, 1);
            Pane().SetSelColor(Red);
            Pane().SetSelLength(0);
            // Document positions: the break counts 1 there.
            const int breakAt = static_cast<int>(text.find("\r\n"));
            auto position = [&](int byte) { return byte > breakAt ? byte - 1 : byte; };
            EXPECT_EQ(shown(position(slip)), "r");
            for (int neighbour : {slip - 1, slip + 1}) {
                if (neighbour >= 0 && neighbour < static_cast<int>(text.size()) &&
                    text[neighbour] > ' ') {
                    EXPECT_EQ(shown(position(neighbour)), "") << "at " << neighbour;
                }
            }
        }
    }
}

// A mark at the end of every line a break ends, in the colour of its break; none at the end of
// the text or where the pane wraps a line.
TEST_F(RichEditTest, BreakMarksShowWhereEnterBelongs) {
    Pane().SetWordWrap(true);
    Pane().resize(200, 300);
    const std::string longLine = Sjis(std::u16string(40, u'あ'));
    Pane().SetText("ab\r\n\r\n" + longLine + "\r\nend");
    ASSERT_GT(Pane().LineCount(), 4) << "the long line wraps";
    EXPECT_TRUE(Pane().BreakMarks().empty()) << "off at first";

    const QImage plain = Rendered();
    Pane().SetShowBreaks(true);
    std::vector<TRichEdit::TBreakMark> marks = Pane().BreakMarks();
    std::vector<int> positions;
    for (const auto& mark : marks)
        positions.push_back(mark.Pos);
    EXPECT_EQ(positions, (std::vector<int>{2, 4, 6 + static_cast<int>(longLine.size())}));
    for (const auto& mark : marks)
        EXPECT_EQ(mark.Color, Black);
    // The first mark stands right after "ab", on its line.
    const QRect b = CharacterBox(1);
    EXPECT_NEAR(marks[0].Rect.left(), b.right() + 1, 2);
    EXPECT_NEAR(marks[0].Rect.center().y(), b.center().y(), 2);

    // Drawn: pixels change beside "ab", and nowhere on the last line.
    const QImage shown = Rendered();
    int changedBeside = 0, changedOnLastLine = 0;
    const QRect beside = marks[0].Rect.toAlignedRect();
    const int lastLineTop = CharacterBox(static_cast<int>(Pane().toPlainText().size()) - 1).top();
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) != plain.pixel(x, y)) {
                changedBeside += beside.contains(x, y);
                changedOnLastLine += y >= lastLineTop;
            }
    EXPECT_GT(changedBeside, 0);
    EXPECT_EQ(changedOnLastLine, 0);

    // A break marked red shows a red mark; a grey one a grey mark.
    Pane().Select(2, 2);
    Pane().SetSelColor(Red);
    Pane().SetSelStyle({.Bold = true});
    Pane().Select(4, 2);
    Pane().SetSelColor(Grey);
    Pane().SetSelLength(0);
    marks = Pane().BreakMarks();
    EXPECT_EQ(marks[0].Color, Red);
    EXPECT_TRUE(marks[0].Styles.Bold);
    EXPECT_EQ(marks[1].Color, Grey);
    EXPECT_EQ(marks[2].Color, Black);
    const QImage red = Rendered();
    int redBeside = 0;
    for (int y = beside.top(); y <= beside.bottom(); ++y)
        for (int x = beside.left(); x <= beside.right(); ++x)
            redBeside += qRed(red.pixel(x, y)) > 160 && qGreen(red.pixel(x, y)) < 100;
    EXPECT_GT(redBeside, 0) << "the repaint followed the colour";

    Pane().SetShowBreaks(false);
    EXPECT_TRUE(Pane().BreakMarks().empty());
    Pane().SelectAll();
    Pane().SetSelColor(Black);
    Pane().SetSelStyle({});
    Pane().SetSelLength(0);
    EXPECT_EQ(Rendered(), plain);
}

TEST_F(RichEditTest, ABatchIsReadAtOnceAndDrawnAtItsOutermostEnd) {
    Pane().SetText("abc");
    const QImage plain = Rendered();
    Pane().BeginUpdate();
    Pane().BeginUpdate();
    Pane().Select(1, 1);
    Pane().SetSelColor(Red);
    EXPECT_EQ(Pane().SelStart(), 1);
    EXPECT_EQ(Pane().SelColor(), Red);
    Pane().EndUpdate();
    EXPECT_EQ(Rendered(), plain);
    Pane().SetSelLength(0);
    Pane().EndUpdate();
    EXPECT_NE(Rendered(), plain);
    EXPECT_EQ(Pane().textCursor().position(), 1); // the caret the learner sees
}

TEST_F(RichEditTest, TypedAndPastedTextKeepsTheMarksInStep) {
    auto expectFormat = [&](int pos, TRgb color, TFontStyles styles) {
        Pane().Select(pos, 1);
        EXPECT_EQ(Pane().SelColor(), color) << "at " << pos;
        EXPECT_EQ(Pane().SelStyle(), styles) << "at " << pos;
    };
    const TFontStyles bold{.Bold = true};
    Pane().SetText("abc");
    Pane().Select(1, 1);
    Pane().SetSelColor(Red);
    Pane().SetSelStyle(bold);
    Pane().SetSelStart(2); // after the red b, which typing continues
    QTest::keyClicks(&Pane(), "x");
    EXPECT_EQ(Pane().Text(), "abxc");
    expectFormat(2, Red, bold);
    expectFormat(3, Black, {});

    QGuiApplication::clipboard()->setText(QStringLiteral("yz"));
    Pane().SetSelStart(0);
    Pane().paste();
    QTest::keyClick(&Pane(), Qt::Key_Backspace);
    EXPECT_EQ(Pane().Text(), "yabxc");
    expectFormat(0, Black, {});
    expectFormat(1, Black, {});
    expectFormat(2, Red, bold);
    expectFormat(3, Red, bold);
    expectFormat(4, Black, {});
}

TEST_F(RichEditTest, PosFromPointGivesTheCharacterUnderThePoint) {
    Pane().SetWordWrap(false);
    Pane().SetText(Sjis(u"abc\r\nあいう"));
    struct TCase {
        const char* Name;
        int Position, Byte;
    } cases[] = {
        {"first", 0, 0}, {"last of a line", 2, 2}, {"double-byte", 4, 5}, {"after one", 6, 9}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Pane().PosFromPoint(CharacterCentre(c.Position)), c.Byte);
    }
    QPoint pastLineEnd = CharacterCentre(2) + QPoint(100, 0);
    EXPECT_EQ(Pane().PosFromPoint(pastLineEnd), 3); // the break
    QPoint belowText = CharacterCentre(4) + QPoint(0, 100);
    EXPECT_EQ(Pane().LineFromPos(Pane().PosFromPoint(belowText)), 1);
}

TEST_F(RichEditTest, MouseAndFocusHooksComeAfterTheControl) {
    Pane().SetText("abc");
    int caretAtPress = -1;
    Pane().OnMouseDown = [&](const QMouseEvent&) { caretAtPress = Pane().SelStart(); };
    QTextCursor atC(Pane().document());
    atC.setPosition(2);
    QPoint point = Pane().cursorRect(atC).center() + QPoint(1, 0);
    QTest::mouseClick(Pane().viewport(), Qt::LeftButton, {}, point);
    EXPECT_EQ(caretAtPress, 2);

    int focusIns = 0;
    Pane().OnFocusIn = [&] { ++focusIns; };
    QFocusEvent focus(QEvent::FocusIn, Qt::OtherFocusReason);
    QApplication::sendEvent(&Pane(), &focus);
    EXPECT_EQ(focusIns, 1);
}

} // namespace
