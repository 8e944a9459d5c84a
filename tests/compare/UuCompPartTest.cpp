// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/UuCompPart.h"

#include "tests/support/TextPanes.h"

#include <stdexcept>
#include <string>

namespace {

using namespace PaneColors;

template <class TPane>
class CompPartTest : public ::testing::Test {
protected:
    CompPartTest() { Restart(); }

    // A new exercise: the comparer and the typing field emptied, the example's typing format
    // black and plain again, as the window resets its panes.
    void Restart() {
        FComp = TCompPart{};
        FComp.ExampleEdit = FExample.get();
        FComp.InputEdit = FInput.get();
        FInput->Clear();
        FExample->Clear();
        FExample->SetSelColor(Black);
        FExample->SetSelStyle({});
    }

    void Load(std::u16string_view example) { FExample->SetText(Sjis(example)); }

    // A commit as the typing field delivers it: inserted at the caret, then checked.
    bool Commit(std::u16string_view text, int langMode = 0) {
        return CommitBytes(Sjis(text), langMode);
    }
    bool CommitBytes(const std::string& bytes, int langMode = 0) {
        FInput->SetSelText(bytes);
        return FComp.CheckCommit(bytes, langMode);
    }

    // One letter per character of the example: k black, g grey, R red bold italic underlined
    // (a wrong commit), X red struck out (a wrong key), ? anything else. The example's
    // selection is put back afterwards.
    std::string Marks() {
        const int selStart = FExample->SelStart(), selLength = FExample->SelLength();
        std::string marks;
        const std::string text = FExample->Text();
        for (int pos = 0; pos < static_cast<int>(text.size());) {
            FExample->Select(pos, 1);
            TRgb color = FExample->SelColor();
            TFontStyles styles = FExample->SelStyle();
            if (color == Black && styles == TFontStyles{})
                marks += 'k';
            else if (color == Grey && styles == TFontStyles{})
                marks += 'g';
            else if (color == Red && styles == TFontStyles{true, true, true, false})
                marks += 'R';
            else if (color == Red && styles == TFontStyles{.StrikeOut = true})
                marks += 'X';
            else
                marks += '?';
            pos += FExample->SelLength();
        }
        FExample->Select(selStart, selLength);
        return marks;
    }

    std::unique_ptr<TPane> FExample = NewTestPane<TPane>();
    std::unique_ptr<TPane> FInput = NewTestPane<TPane>();
    TCompPart FComp;
};

TYPED_TEST_SUITE(CompPartTest, TTextPaneKinds, TTextPaneKindNames);

TYPED_TEST(CompPartTest, AMatchingCommitTurnsItsCharactersGrey) {
    this->Load(u"あいうえ");
    EXPECT_TRUE(this->Commit(u"あい"));
    EXPECT_EQ(this->Marks(), "ggkk");
    EXPECT_EQ(this->FComp.Confirmed, Sjis(u"あい"));
    EXPECT_EQ(this->FComp.TypedCount, 2);
    EXPECT_EQ(this->FComp.ErrorCount, 0);
    EXPECT_EQ(this->FExample->SelLength(), 0);
}

TYPED_TEST(CompPartTest, ARejectedCommitKeepsItsMatchingPartAndMarksTheWrongCharacter) {
    this->Load(u"あいうえ");
    this->Commit(u"あい");
    EXPECT_FALSE(this->Commit(u"うお"));
    EXPECT_EQ(this->FInput->Text(), Sjis(u"あいう"));
    EXPECT_EQ(this->FInput->SelStart(), 6);
    EXPECT_EQ(this->FComp.Confirmed, Sjis(u"あいう"));
    EXPECT_EQ(this->FComp.TypedCount, 4);
    EXPECT_EQ(this->FComp.ErrorCount, 1);
    EXPECT_EQ(this->FInput->ImeMode(), TImeMode::Hiragana);
    // The example's caret rests at the marked character, its typing format plain again.
    EXPECT_EQ(this->FExample->SelLength(), 0);
    EXPECT_EQ(this->FExample->SelStyle(), TFontStyles{});
    EXPECT_EQ(this->Marks(), "gggR");
}

TYPED_TEST(CompPartTest, RejectedCommits) {
    struct TCase {
        const char* Name;
        std::u16string Example, First, Second; // First is accepted before Second
        std::u16string Input, Confirmed;
        int TypedCount;
        std::string Marks;
    } cases[] = {
        {"wrong from its first character", u"あいう", u"", u"かい", u"", u"", 2, "Rkk"},
        {"longer than the rest", u"あいう", u"あい", u"うえお", u"あいう", u"あいう", 5, "ggg"},
        {"at the very end", u"あい", u"あい", u"う", u"あい", u"あい", 3, "gg"},
        {"where the example breaks", u"あ\r\nい", u"あ", u"い", u"あ", u"あ", 2, "gRk"},
        {"unmappable", u"あい", u"", u"\u2603", u"", u"", 1, "Rk"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        this->Restart();
        this->Load(c.Example);
        if (!c.First.empty()) {
            ASSERT_TRUE(this->Commit(c.First));
        }
        EXPECT_FALSE(this->Commit(c.Second));
        EXPECT_EQ(this->FInput->Text(), Sjis(c.Input));
        EXPECT_EQ(this->FComp.Confirmed, Sjis(c.Confirmed));
        EXPECT_EQ(this->FComp.TypedCount, c.TypedCount);
        EXPECT_EQ(this->FComp.ErrorCount, 1);
        EXPECT_EQ(this->Marks(), c.Marks);
    }
}

TYPED_TEST(CompPartTest, ACommitOfInvalidBytesCountsAsQuestionMarks) {
    this->Load(u"あい");
    EXPECT_FALSE(this->CommitBytes("\x82")); // half of あ: no character, so no match
    EXPECT_EQ(this->FComp.Confirmed, "");
    EXPECT_EQ(this->FInput->Text(), "");
    EXPECT_EQ(this->FComp.TypedCount, 1);
    EXPECT_EQ(this->Marks(), "Rk");

    this->Load(u"a?b");
    this->FComp.Confirmed = "a";
    this->FInput->SetText("a");
    this->FInput->SetSelStart(1);
    EXPECT_TRUE(this->CommitBytes("\xFF"));
    EXPECT_EQ(this->FComp.Confirmed, "a?");
}

TYPED_TEST(CompPartTest, AnEmptyCommitChangesNothing) {
    this->Load(u"あい");
    EXPECT_TRUE(this->Commit(u""));
    EXPECT_EQ(this->FComp.Confirmed, "");
    EXPECT_EQ(this->FComp.TypedCount, 0);
    EXPECT_EQ(this->Marks(), "kk");
}

TYPED_TEST(CompPartTest, ACommitSpanningALineBreak) {
    this->Load(u"あ\r\nいう");
    EXPECT_TRUE(this->Commit(u"あ\r\nい"));
    EXPECT_EQ(this->Marks(), "gggk");
    EXPECT_EQ(this->FComp.Confirmed, Sjis(u"あ\r\nい"));
    EXPECT_EQ(this->FComp.TypedCount, 4); // あ, CR, LF, い
    EXPECT_EQ(this->FInput->Text(), Sjis(u"あ\r\nい"));
}

TYPED_TEST(CompPartTest, AnEnglishRejectionLeavesTheInputMethodClosed) {
    this->Load(u"ab");
    EXPECT_FALSE(this->Commit(u"x", 1));
    EXPECT_EQ(this->FInput->ImeMode(), TImeMode::Closed);
    EXPECT_EQ(this->Marks(), "Rk"); // only the one character, not two bytes' worth
}

TYPED_TEST(CompPartTest, KeysOfAnEnglishText) {
    this->Load(u"abc");
    EXPECT_FALSE(this->FComp.CheckKey('x', 'a'));
    EXPECT_EQ(this->Marks(), "Xkk");
    EXPECT_TRUE(this->FComp.CheckKey('a', 'a')); // a character once mistyped stays red
    EXPECT_EQ(this->Marks(), "Xkk");
    this->FInput->SetSelText("a");
    EXPECT_TRUE(this->FComp.CheckKey('b', 'b'));
    EXPECT_EQ(this->Marks(), "Xgk");
    EXPECT_EQ(this->FComp.TypedCount, 3);
    EXPECT_EQ(this->FComp.ErrorCount, 1);
    EXPECT_EQ(this->FExample->SelLength(), 0);
}

TYPED_TEST(CompPartTest, KeysAtABreakAndAtTheEnd) {
    this->Load(u"a\r\nb");
    this->FInput->SetText("a");
    this->FInput->SetSelStart(1);
    EXPECT_TRUE(this->FComp.CheckKey('\r', '\r'));
    EXPECT_EQ(this->Marks(), "kgk");

    this->FInput->SetText("a\r\nb");
    this->FInput->SetSelStart(4);
    EXPECT_FALSE(this->FComp.CheckKey('c', '\0'));
    EXPECT_EQ(this->Marks(), "kgk");
    EXPECT_EQ(this->FComp.TypedCount, 2);
    EXPECT_EQ(this->FComp.ErrorCount, 1);
}

TYPED_TEST(CompPartTest, WithoutPanesItThrows) {
    TCompPart comp;
    EXPECT_THROW(comp.CheckCommit("a", 0), std::logic_error);
    EXPECT_THROW(comp.CheckKey('a', 'a'), std::logic_error);
}

TEST(CommonPrefix, ComparesUtf16Characters) {
    struct TCase {
        const char* Name;
        std::u16string Committed, Expected, Prefix;
    } cases[] = {
        {"differs inside", u"あいう", u"あいえ", u"あい"},
        {"differs at once", u"か", u"あ", u""},
        {"expected ends first", u"あいう", u"あ", u"あ"},
        {"committed ends first", u"あ", u"あい", u"あ"},
        {"empty committed", u"", u"あ", u""},
        {"empty expected", u"あ", u"", u""},
        {"single-byte and double-byte", u"aあ", u"aア", u"a"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(TCompPart::CommonPrefix(Sjis(c.Committed), Sjis(c.Expected)), Sjis(c.Prefix));
    }
    // Expected cut inside a character never matches the committed one.
    EXPECT_EQ(TCompPart::CommonPrefix(Sjis(u"あい"), Sjis(u"あい").substr(0, 3)), Sjis(u"あ"));
}

} // namespace
