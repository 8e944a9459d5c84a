// SPDX-License-Identifier: GPL-3.0-or-later
// What every text pane promises (platform/TextPane.h), run against the in-memory pane and the
// Qt pane alike, so that tests written against the first hold for the second.

#include "tests/support/TextPanes.h"

#include <limits>
#include <string>
#include <vector>

namespace {

using namespace PaneColors;

template <class TPane>
class TextPaneContract : public ::testing::Test {
protected:
    TPane& Pane() { return *FPane; }

    // Colour and style of the characters [pos, pos + length), read through a selection.
    TRgb ColorAt(int pos, int length = 1) {
        Pane().Select(pos, length);
        return Pane().SelColor();
    }
    TFontStyles StyleAt(int pos, int length = 1) {
        Pane().Select(pos, length);
        return Pane().SelStyle();
    }

private:
    std::unique_ptr<TPane> FPane = NewTestPane<TPane>();
};

TYPED_TEST_SUITE(TextPaneContract, TTextPaneKinds, TTextPaneKindNames);

TYPED_TEST(TextPaneContract, TextReadsBackWithEveryBreakAsCrLf) {
    struct TCase {
        const char* Name;
        std::string Input, Expected;
    } cases[] = {
        {"empty", "", ""},
        {"japanese", Sjis(u"日本語のテキスト。"), Sjis(u"日本語のテキスト。")},
        {"crlf", "a\r\nb", "a\r\nb"},
        {"cr cr lf is one break", "a\r\r\nb", "a\r\nb"},
        {"lone cr", "a\rb", "a\r\nb"},
        {"lone lf", "a\nb", "a\r\nb"},
        {"cr then cr cr lf", "a\r\r\r\nb", "a\r\n\r\nb"},
        {"mixed and final", Sjis(u"あ\r\n\rい\n"), Sjis(u"あ\r\n\r\nい\r\n")},
        {"half-width katakana", "\xB1\xB2\xDE", "\xB1\xB2\xDE"},
        {"tab and nul", std::string("a\tb\0c", 5), std::string("a\tb\0c", 5)},
        {"lead byte at the end", "a\x82", "a?"},
        {"byte of no character",
         "\x80"
         "a\xFD",
         "?a?"},
        {"lead byte before a break", "\x82\r\nb", "?\r\nb"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        this->Pane().SetText(c.Input);
        EXPECT_EQ(this->Pane().Text(), c.Expected);
        EXPECT_EQ(this->Pane().TextLength(), static_cast<int>(c.Expected.size()));
        EXPECT_EQ(this->Pane().SelStart(), 0);
        EXPECT_EQ(this->Pane().SelLength(), 0);
    }
}

TYPED_TEST(TextPaneContract, SelectionCoversWholeCharacters) {
    const std::string text = Sjis(u"あいう\r\nab"); // あ 0, い 2, う 4, break 6, a 8, b 9
    struct TCase {
        const char* Name;
        int Start, Length, SelStart, SelLength;
    } cases[] = {
        {"caret", 2, 0, 2, 0},
        {"start inside a character", 1, 0, 0, 0},
        {"end inside a character", 0, 3, 0, 4},
        {"length counts from the rounded start", 1, 2, 0, 2},
        {"whole character", 2, 2, 2, 2},
        {"one byte of a character", 3, 1, 2, 2},
        {"start inside the break", 7, 0, 6, 0},
        {"break as one", 6, 1, 6, 2},
        {"across the break", 4, 3, 4, 4},
        {"length past the end", 8, 100, 8, 2},
        {"start past the end", 100, 5, 10, 0},
        {"negative start", -3, 2, 0, 2},
        {"negative length", 2, -1, 2, 0},
    };
    this->Pane().SetText(text);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        this->Pane().Select(c.Start, c.Length);
        EXPECT_EQ(this->Pane().SelStart(), c.SelStart);
        EXPECT_EQ(this->Pane().SelLength(), c.SelLength);
        EXPECT_EQ(this->Pane().SelText(), text.substr(c.SelStart, c.SelLength));
    }
}

TYPED_TEST(TextPaneContract, SelTextReplacesTheSelectionAndPutsTheCaretAfterIt) {
    TTextPane& pane = this->Pane();
    pane.SetText(Sjis(u"あいう"));
    pane.Select(2, 2);
    pane.SetSelText("AB");
    EXPECT_EQ(pane.Text(), Sjis(u"あABう"));
    EXPECT_EQ(pane.SelStart(), 4);
    EXPECT_EQ(pane.SelLength(), 0);

    pane.SetSelText("x\ry"); // at the caret, its break made CR LF
    EXPECT_EQ(pane.Text(), Sjis(u"あABx\r\nyう"));
    EXPECT_EQ(pane.SelStart(), 8);

    pane.Select(0, 2);
    pane.SetSelText("");
    EXPECT_EQ(pane.Text(), Sjis(u"ABx\r\nyう"));
    EXPECT_EQ(pane.SelStart(), 0);

    pane.SetReadOnly(true); // read-only stops the learner, not the program
    pane.SelectAll();
    pane.SetSelText("z");
    EXPECT_EQ(pane.Text(), "z");
}

TYPED_TEST(TextPaneContract, ColourAndStyleOfARange) {
    TTextPane& pane = this->Pane();
    pane.SetText(Sjis(u"あいうえ\r\nb"));
    pane.Select(2, 4);
    pane.SetSelColor(Red);
    pane.SetSelStyle({.Bold = true, .Underline = true});
    pane.Select(8, 2);
    pane.SetSelColor(Green);

    struct TCase {
        const char* Name;
        int Pos, Length;
        TRgb Color;
        TFontStyles Styles;
    } cases[] = {
        {"before the range", 0, 2, Black, {}},
        {"first of the range", 2, 2, Red, {.Bold = true, .Underline = true}},
        {"by one byte of it", 5, 1, Red, {.Bold = true, .Underline = true}},
        {"after the range", 6, 2, Black, {}},
        {"a range reads its first character", 0, 6, Black, {}},
        {"the break", 8, 2, Green, {}},
        {"after the break", 10, 1, Black, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(this->ColorAt(c.Pos, c.Length), c.Color);
        EXPECT_EQ(this->StyleAt(c.Pos, c.Length), c.Styles);
    }
}

TYPED_TEST(TextPaneContract, AnEmptySelectionSetsOnlyTheTypingFormat) {
    TTextPane& pane = this->Pane();
    pane.SetText("abc");
    pane.SetSelStart(1);
    pane.SetSelColor(Red);
    pane.SetSelStyle({.Italic = true});
    EXPECT_EQ(pane.SelColor(), Red);
    EXPECT_EQ(pane.SelStyle(), TFontStyles{.Italic = true});

    pane.SetSelText("xy"); // typed next: takes the typing format, which stays
    EXPECT_EQ(pane.Text(), "axybc");
    EXPECT_EQ(pane.SelColor(), Red);
    EXPECT_EQ(this->ColorAt(1, 2), Red);
    EXPECT_EQ(this->StyleAt(2), TFontStyles{.Italic = true});
    EXPECT_EQ(this->ColorAt(0), Black);
    EXPECT_EQ(this->ColorAt(3), Black);
}

TYPED_TEST(TextPaneContract, NewTextTakesTheTypingFormat) {
    TTextPane& pane = this->Pane();
    pane.SetSelColor(Blue);
    pane.SetSelStyle({.Bold = true});
    pane.SetText(Sjis(u"あい"));
    EXPECT_EQ(this->ColorAt(2, 2), Blue);
    EXPECT_EQ(this->StyleAt(0, 2), TFontStyles{.Bold = true});

    pane.Clear(); // an empty pane keeps the format for what comes next
    EXPECT_EQ(pane.SelColor(), Blue);
    pane.SetText("a");
    EXPECT_EQ(this->ColorAt(0), Blue);

    // Replacing a selection: the new text takes the format of the first selected character.
    pane.SetText("abc");
    pane.Select(1, 1);
    pane.SetSelColor(Red);
    pane.Select(1, 2);
    pane.SetSelText("xy");
    EXPECT_EQ(this->ColorAt(1, 2), Red);
    EXPECT_EQ(this->ColorAt(0), Blue);
}

TYPED_TEST(TextPaneContract, AMovedCaretTakesTheFormatOfItsNeighbour) {
    TTextPane& pane = this->Pane();
    pane.SetText("ab\r\ncd");
    pane.Select(1, 1);
    pane.SetSelColor(Red);
    pane.Select(4, 1);
    pane.SetSelColor(Blue);
    struct TCase {
        const char* Name;
        int Caret;
        TRgb Color;
    } cases[] = {
        {"after a character", 2, Red},
        {"after another", 1, Black},
        {"at the start of a line", 4, Blue},
        {"at the start of the text", 0, Black},
        {"at the end", 6, Black},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        pane.SetSelStart(c.Caret);
        EXPECT_EQ(pane.SelColor(), c.Color);
    }
}

TYPED_TEST(TextPaneContract, ACaretPlacedAfterANewlyColouredCharacterContinuesIt) {
    TTextPane& pane = this->Pane();
    pane.SetText("abc");
    pane.Select(1, 1);
    pane.SetSelColor(Red);
    pane.SetSelStart(2); // where the selection's caret already was
    EXPECT_EQ(pane.SelColor(), Red);
    pane.SetSelText("x");
    EXPECT_EQ(this->ColorAt(2), Red);
}

TYPED_TEST(TextPaneContract, HardLines) {
    struct TCase {
        const char* Name;
        std::string Text;
        std::vector<std::string> Lines;
        std::vector<int> Starts;
        std::vector<std::pair<int, int>> LineOfPos;
    } cases[] = {
        {"empty", "", {}, {}, {{0, 0}, {5, 0}}},
        {"no break", Sjis(u"あい"), {Sjis(u"あい")}, {0}, {{0, 0}, {4, 0}, {9, 0}}},
        {"empty line and final break",
         Sjis(u"あい\r\n\r\nabc\r\n"),
         {Sjis(u"あい"), "", "abc"},
         {0, 6, 8},
         {{3, 0}, {5, 0}, {6, 1}, {7, 1}, {8, 2}, {12, 2}, {13, 3}, {99, 3}, {-1, 0}}},
        {"lone breaks", "a\rb\nc", {"a", "b", "c"}, {0, 3, 6}, {{2, 0}, {3, 1}, {7, 2}}},
    };
    this->Pane().SetWordWrap(false);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTextPane& pane = this->Pane();
        pane.SetText(c.Text);
        const int count = static_cast<int>(c.Lines.size());
        ASSERT_EQ(pane.LineCount(), count);
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(pane.Line(i), c.Lines[i]) << "line " << i;
            EXPECT_EQ(pane.LineStart(i), c.Starts[i]) << "line " << i;
        }
        EXPECT_EQ(pane.Line(-1), "");
        EXPECT_EQ(pane.Line(count), "");
        EXPECT_EQ(pane.LineStart(-1), 0);
        EXPECT_EQ(pane.LineStart(count), pane.TextLength());
        for (auto [pos, line] : c.LineOfPos)
            EXPECT_EQ(pane.LineFromPos(pos), line) << "position " << pos;
    }
}

TYPED_TEST(TextPaneContract, ScrollsByWholeLinesWithinTheText) {
    TTextPane& pane = this->Pane();
    pane.SetWordWrap(false);
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    pane.SetText(text);
    EXPECT_EQ(pane.FirstVisibleLine(), 0);
    pane.ScrollLines(5);
    EXPECT_EQ(pane.FirstVisibleLine(), 5);
    pane.ScrollLines(-2);
    EXPECT_EQ(pane.FirstVisibleLine(), 3);
    pane.ScrollLines(-10);
    EXPECT_EQ(pane.FirstVisibleLine(), 0);
    pane.ScrollLines(1000); // the Qt pane stops where the last line shows at the bottom
    EXPECT_GT(pane.FirstVisibleLine(), 40);
    EXPECT_LE(pane.FirstVisibleLine(), 59);
    pane.Select(0, 4); // selecting does not scroll
    EXPECT_GT(pane.FirstVisibleLine(), 40);
    pane.SetText(text);
    EXPECT_EQ(pane.FirstVisibleLine(), 0);
}

TYPED_TEST(TextPaneContract, ExtremeArgumentsAreClamped) {
    constexpr int Min = std::numeric_limits<int>::min(), Max = std::numeric_limits<int>::max();
    TTextPane& pane = this->Pane();
    pane.SetWordWrap(false);
    pane.SetText("ab\r\ncd");
    pane.Select(Min, Max);
    EXPECT_EQ(pane.SelStart(), 0);
    EXPECT_EQ(pane.SelLength(), 6);
    pane.Select(Max, Max);
    EXPECT_EQ(pane.SelStart(), 6);
    EXPECT_EQ(pane.SelLength(), 0);
    EXPECT_EQ(pane.LineFromPos(Max), 1);
    EXPECT_EQ(pane.LineFromPos(Min), 0);
    EXPECT_EQ(pane.LineStart(Max), 6);
    EXPECT_EQ(pane.Line(Min), "");
    pane.ScrollLines(Max);
    pane.ScrollLines(Max);
    EXPECT_LE(pane.FirstVisibleLine(), 1);
    pane.ScrollLines(Min);
    EXPECT_EQ(pane.FirstVisibleLine(), 0);
}

TYPED_TEST(TextPaneContract, StatesReadBackAsSet) {
    TTextPane& pane = this->Pane();
    EXPECT_FALSE(pane.ReadOnly());
    EXPECT_TRUE(pane.WordWrap());
    EXPECT_EQ(pane.ImeMode(), TImeMode::Hiragana);
    EXPECT_FALSE(pane.HasComposition());
    pane.SetReadOnly(true);
    pane.SetWordWrap(false);
    pane.SetImeMode(TImeMode::Closed);
    EXPECT_TRUE(pane.ReadOnly());
    EXPECT_FALSE(pane.WordWrap());
    EXPECT_EQ(pane.ImeMode(), TImeMode::Closed);
    pane.SetReadOnly(false);
    EXPECT_FALSE(pane.ReadOnly());
    EXPECT_EQ(pane.ImeMode(), TImeMode::Closed); // read-only does not touch the input method
}

TYPED_TEST(TextPaneContract, DisablingOrClosingTheInputMethodDropsTheComposition) {
    TTextPane& pane = this->Pane();
    for (TImeMode mode : {TImeMode::Disabled, TImeMode::Closed}) {
        pane.SetImeMode(TImeMode::Hiragana);
        StartComposition(this->Pane());
        EXPECT_TRUE(pane.HasComposition());
        pane.SetImeMode(mode);
        EXPECT_FALSE(pane.HasComposition());
        EXPECT_EQ(pane.ImeMode(), mode);
    }

    pane.SetImeMode(TImeMode::Hiragana);
    StartComposition(this->Pane());
    pane.CancelComposition();
    EXPECT_FALSE(pane.HasComposition());
    EXPECT_EQ(pane.Text(), ""); // nothing of the composition was committed
}

TYPED_TEST(TextPaneContract, KeepsTheCompositionColours) {
    this->Pane().SetCompositionColors(TypingFieldCompositionColors);
    EXPECT_EQ(this->Pane().CompositionColors(), TypingFieldCompositionColors);
}

} // namespace
