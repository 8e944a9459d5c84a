// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A text pane in memory, for tests of the engines that act on panes: a Shift_JIS text with a
// colour and style per byte, a selection, a typing format, and hard lines only (its word wrap
// flag changes nothing). The contract suite runs it beside the Qt pane, TRichEdit, so that it
// behaves as that one does in everything the interface promises.

#include "platform/TextPane.h"

#include <string>
#include <vector>

class TMemoryTextPane : public TTextPane {
public:
    struct TFormat {
        TRgb Color = PaneColors::Black;
        TFontStyles Styles;
        friend bool operator==(const TFormat&, const TFormat&) = default;
    };

    std::string Text() const override { return FText; }
    void SetText(std::string_view text) override;
    int TextLength() const override { return static_cast<int>(FText.size()); }
    int SelStart() const override { return FSelStart; }
    int SelLength() const override { return FSelEnd - FSelStart; }
    void SetSelStart(int pos) override;
    void SetSelLength(int length) override;
    std::string SelText() const override;
    void SetSelText(std::string_view text) override;
    TRgb SelColor() const override { return InsertionFormat().Color; }
    void SetSelColor(TRgb color) override;
    TFontStyles SelStyle() const override { return InsertionFormat().Styles; }
    void SetSelStyle(TFontStyles styles) override;
    int LineCount() const override;
    std::string Line(int index) const override;
    int LineStart(int index) const override;
    int LineFromPos(int pos) const override;
    int FirstVisibleLine() const override;
    void ScrollLines(int count) override;
    bool ReadOnly() const override { return FReadOnly; }
    void SetReadOnly(bool readOnly) override { FReadOnly = readOnly; }
    bool WordWrap() const override { return FWordWrap; }
    void SetWordWrap(bool wrap) override { FWordWrap = wrap; }
    TImeMode ImeMode() const override { return FImeMode; }
    void SetImeMode(TImeMode mode) override;
    void SetCompositionColors(const TCompositionColors& colors) override {
        FCompositionColors = colors;
    }
    bool HasComposition() const override { return FComposing; }
    void CancelComposition() override;
    // Nothing is drawn, so a batch changes nothing.
    void BeginUpdate() override {}
    void EndUpdate() override {}

    // What a test inspects or stages.
    const TCompositionColors& CompositionColors() const { return FCompositionColors; }
    // Stands for the input method starting a composition in the pane.
    void StartComposition() { FComposing = true; }
    int CancelCount() const { return FCancelCount; }

private:
    // Byte length of the character at `start`; CR LF is one character.
    int CharLengthAt(int start) const;
    // Position of the character that holds `pos`, or of its end.
    int RoundDown(int pos) const;
    int RoundUp(int pos) const;
    // The first byte of every line, the empty line after a final break included.
    std::vector<int> LineStarts() const;
    TFormat InsertionFormat() const;
    // Moves the cursor end of the selection; placing it, even where it is, resets the typing
    // format to that of the neighbouring character, as in the Qt pane.
    void MoveCursorTo(int pos);
    void FormatSelection(auto change);

    std::string FText;
    std::vector<TFormat> FFormats;  // one per byte of FText
    int FSelStart = 0, FSelEnd = 0; // FSelEnd is where the cursor is
    TFormat FTyping;
    int FFirstVisible = 0;
    bool FReadOnly = false, FWordWrap = true, FComposing = false;
    int FCancelCount = 0;
    TImeMode FImeMode = TImeMode::Hiragana;
    TCompositionColors FCompositionColors{};
};
