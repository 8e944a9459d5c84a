// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The incremental comparer of sequential input. It compares each entry with the example at
// the position reached so far, before the learner goes on: for Japanese texts every string
// the input method commits (CheckCommit, after the typing field has inserted it), for English
// texts every key (CheckKey, before the key reaches the typing field). Accepted example
// characters turn grey, the character at a wrong entry is marked red.
//
// Positions are Shift_JIS byte offsets into the example pane's text, a line break counting 2.

#include "platform/TextPane.h"

#include <string>
#include <string_view>

class TCompPart {
public:
    TTextPane* ExampleEdit = nullptr; // the example (RichEdit1); not owned
    TTextPane* InputEdit = nullptr;   // the typing field (RichEdit2); not owned
    // The leading part of the example accepted so far: its length is where the next entry is
    // expected. It only grows during an exercise; the window empties it before each one.
    std::string Confirmed;
    int TypedCount = 0; // characters entered, right or wrong
    int ErrorCount = 0; // rejected commits or keys

    // Checks a string the input method has committed, which the typing field already holds at
    // its end. `langMode` 0 (Japanese) opens the input method in hiragana again after a
    // rejection; otherwise it stays closed. True when the whole commit matched the example.
    // A rejected commit leaves in the typing field only its part that matched, which is
    // accepted. Bytes that form no character count as '?', as the panes show them.
    // Throws std::logic_error when a pane is missing.
    bool CheckCommit(std::string_view committed, int langMode);

    // Whether the example has a line break where the next entry is expected: only Enter is
    // right there.
    bool BreakExpected() const;

    // Enter taken where the example has its line break: the break (CR LF) joins the accepted
    // part. In Japanese texts (`langMode` 0) it turns grey as accepted commits do, a refused
    // one's red included, and keeps the style that marked it refused; English texts colour it as
    // CheckKey colours every key.
    void AcceptBreak(int langMode);

    // Checks a key before the typing field gets it: `typed` against `expected`, the example's
    // byte at the typing field's caret (0 when there is none). True when they are equal.
    // Throws std::logic_error when a pane is missing.
    bool CheckKey(char typed, char expected);

    // The part of `committed` before its first difference from `expected`, compared as
    // UTF-16 characters; the end of `expected` counts as a difference. Shift_JIS in and out:
    // CommonPrefix("うお", "うえ") is "う", CommonPrefix("あい", "あ") is "あ".
    static std::string CommonPrefix(std::string_view committed, std::string_view expected);

private:
    void RequirePanes() const;
};
