// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A text pane as the exercise engines see it: plain text with a selection, per-character colour
// and style, lines, scrolling, read-only state and input-method mode. The main window's
// RichEdit1 and RichEdit2 implement it over QTextEdit (platform/RichEdit.h); the engines
// (TCompPart, the touch-typing drill) know nothing else of them.
//
// Positions and lengths are Shift_JIS byte offsets into Text(), where every line break counts
// 2 (CR LF). A position inside a double-byte character stands for that character: a selection
// start rounds down to the character's first byte and a selection end up to its last.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct TRgb {
    std::uint8_t R = 0, G = 0, B = 0;
    friend bool operator==(const TRgb&, const TRgb&) = default;
};

namespace PaneColors {
inline constexpr TRgb Black{0, 0, 0};
inline constexpr TRgb White{255, 255, 255};
inline constexpr TRgb Grey{128, 128, 128};
inline constexpr TRgb Silver{192, 192, 192};
inline constexpr TRgb Red{255, 0, 0};
inline constexpr TRgb Blue{0, 0, 255};
inline constexpr TRgb Green{0, 128, 0};
inline constexpr TRgb Magenta{255, 0, 255};
inline constexpr TRgb Cyan{0, 255, 255};
} // namespace PaneColors

struct TFontStyles {
    bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
    friend bool operator==(const TFontStyles&, const TFontStyles&) = default;
};

// What the input method may do in a pane: nothing (Disabled), direct input of single-byte
// characters (Closed), or kana-kanji conversion starting in hiragana (Hiragana). In the first
// two the pane takes keys as they are, whatever state the learner left the input method in.
enum class TImeMode { Disabled, Closed, Hiragana };

// One entry of the composition colour table: the text colour (or the automatic one), the
// background and whether the composed text is underlined.
struct TCompositionColor {
    TRgb Text;
    bool AutoText = false;
    TRgb Background = PaneColors::White;
    bool Underline = false;
    friend bool operator==(const TCompositionColor&, const TCompositionColor&) = default;
};
using TCompositionColors = std::array<TCompositionColor, 4>;

// `text` with every line break as CR LF: CR LF, CR CR LF, a lone CR and a lone LF each make one
// break, e.g. "a\r\r\nb\nc\r" gives "a\r\nb\r\nc\r\n". Bytes are examined one by one; a CR
// or LF is never the second byte of a Shift_JIS character, so a break cannot hide in one.
inline std::string NormalizeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\r' && c != '\n') {
            out += c;
            continue;
        }
        if (c == '\r' && text.substr(i + 1, 2) == "\r\n")
            i += 2;
        else if (c == '\r' && text.substr(i + 1, 1) == "\n")
            i += 1;
        out += "\r\n";
    }
    return out;
}

class TTextPane {
public:
    virtual ~TTextPane() = default;

    // The whole text, every line break as CR LF.
    virtual std::string Text() const = 0;
    // Replaces the whole text; CR LF, CR CR LF, a lone CR and a lone LF each make one break.
    // The pane holds characters: bytes that form none of code page 932 read back as '?'.
    // The new text takes the pane's typing format; the caret goes to 0.
    virtual void SetText(std::string_view text) = 0;
    // Byte length of Text().
    virtual int TextLength() const = 0;
    void Clear() { SetText({}); }

    // The selection: start and length in bytes. Setting the start collapses the selection to a
    // caret there; setting the length extends it from the start (clamped to the text; a
    // negative length counts as 0). Setting the selection never scrolls the pane.
    virtual int SelStart() const = 0;
    virtual int SelLength() const = 0;
    virtual void SetSelStart(int pos) = 0;
    virtual void SetSelLength(int length) = 0;
    void Select(int start, int length) {
        SetSelStart(start);
        SetSelLength(length);
    }
    void SelectAll() { Select(0, TextLength()); }

    // The selected text; replacing it puts the caret after the new text, which takes the
    // format of the first selected character (the typing format when the selection is empty)
    // and stays the typing format after it. Works on a read-only pane too: read-only stops
    // the learner, not the program.
    virtual std::string SelText() const = 0;
    virtual void SetSelText(std::string_view text) = 0;

    // Colour and style of the selection: reading gives those of its first character (of the
    // typing format when the selection is empty); writing changes every selected character, or
    // only the typing format — what is typed next — when the selection is empty. The typing
    // format holds until the caret moves (or is placed again where it is); it then becomes that
    // of the character before the caret (of the one after it at the start of a line that is not
    // empty).
    virtual TRgb SelColor() const = 0;
    virtual void SetSelColor(TRgb color) = 0;
    virtual TFontStyles SelStyle() const = 0;
    virtual void SetSelStyle(TFontStyles styles) = 0;

    // Lines as the pane shows them: with word wrap on, a long line counts as several. A last
    // empty line (after a final break) is not counted, so "a\r\nb\r\n" has 2 lines and "" none.
    virtual int LineCount() const = 0;
    // The text of a line without its break; empty outside 0..LineCount()-1.
    virtual std::string Line(int index) const = 0;
    // Position of the first byte of a line; 0 before the first line, TextLength() past the
    // last one.
    virtual int LineStart(int index) const = 0;
    // The line that holds a position, the inverse of LineStart: a position inside a line break
    // belongs to the line it ends; the end of a text that ends with a break lies on the empty
    // line LineCount() (where typing would go on); a position past the end counts as the end.
    virtual int LineFromPos(int pos) const = 0;

    // Vertical scrolling by whole lines, clamped to the text.
    virtual int FirstVisibleLine() const = 0;
    virtual void ScrollLines(int count) = 0;

    virtual bool ReadOnly() const = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual bool WordWrap() const = 0;
    virtual void SetWordWrap(bool wrap) = 0;

    virtual TImeMode ImeMode() const = 0;
    virtual void SetImeMode(TImeMode mode) = 0;
    virtual void SetCompositionColors(const TCompositionColors& colors) = 0;
    // Whether the input method holds an uncommitted composition in this pane, and dropping it;
    // with none, cancelling tells the input method nothing.
    virtual bool HasComposition() const = 0;
    virtual void CancelComposition() = 0;

    // A burst of changes shown once: between BeginUpdate and the matching EndUpdate every call
    // takes effect for the reads at once, but the pane draws the result (colours, styles, the
    // selection) only at the outermost EndUpdate. Pairs nest. Marking a thousand differences
    // thus renders once, not a thousand times; TPaneUpdate pairs the calls for a scope.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
};

// BeginUpdate for the life of a scope, ended however the scope is left:
//   TPaneUpdate update(pane);
//   for (...) { pane.Select(...); pane.SetSelColor(PaneColors::Red); }
class TPaneUpdate {
public:
    explicit TPaneUpdate(TTextPane& pane) : FPane(pane) { FPane.BeginUpdate(); }
    ~TPaneUpdate() { FPane.EndUpdate(); }
    TPaneUpdate(const TPaneUpdate&) = delete;
    TPaneUpdate& operator=(const TPaneUpdate&) = delete;

private:
    TTextPane& FPane;
};
