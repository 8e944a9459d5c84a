// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuKbClassEx.h"

#include "platform/ShiftJis.h"
#include "platform/Translate.h"
#include "romaji/UuHiraToRoman.h"
#include "romaji/UuKanaInput.h"
#include "romaji/UuKbClass.h"

#include <algorithm>

namespace {

constexpr char Enter = '\r';
constexpr char Space = ' ';
constexpr int LineBreakBytes = 2;

std::string DoneHint() {
    return TrSjis("TKbClassEx", "  [Space]キーで繰り返し    [Enter]キーで次の文字列");
}

std::string EndMessage() {
    return TrSjis("TKbClassEx", "終了しました。");
}

// The input method's composition in the example pane: black text, white or aqua behind it.
constexpr TCompositionColors CompositionColors = {{
    {PaneColors::Black, false, PaneColors::White, true},
    {PaneColors::Black, true, PaneColors::Cyan, false},
    {PaneColors::Black, false, PaneColors::White, true},
    {PaneColors::Black, false, PaneColors::Cyan, true},
}};

int Bytes(std::string_view s) {
    return static_cast<int>(s.size());
}

// A key as the statistics name it: the character, or the name of a blank one.
std::string KeyName(char key) {
    switch (key) {
    case Space:
        return "Space";
    case Enter:
        return "Enter";
    case 0:
        return {};
    default:
        return std::string(1, key);
    }
}

// The character the JIS keyboard types for `stroke` with the input method off: '3' for the 3
// key, '#' for Shift and 3. Where Shift types nothing (the 0 key) and for the keys named by
// their Shift character ('_'), the key's own name.
char StrokeChar(TKeyStroke stroke) {
    if (!stroke.Shift)
        return stroke.Key;
    const std::size_t at = JisTable.ShiftBases.find(stroke.Key);
    if (at == std::string_view::npos || JisTable.ShiftResults[at] == ' ')
        return stroke.Key;
    return JisTable.ShiftResults[at];
}

bool IsSmallTsu(char16_t c) {
    return c == u'っ' || c == u'ッ';
}

int Elapsed(std::int64_t from, std::int64_t to) {
    return from >= 0 && to >= from ? static_cast<int>(to - from) : -1;
}

// `s` cut to at most `limit` bytes at a character boundary: a double-byte character that the
// limit would split is dropped whole.
std::string CutAtCharBoundary(const std::string& s, std::size_t limit) {
    std::size_t end = 0;
    while (end < s.size()) {
        std::size_t next = end + ShiftJis::CharLength(s, end);
        if (next > limit)
            break;
        end = next;
    }
    return s.substr(0, end);
}

} // namespace

void TKbClassEx::InitDrill(TTextPane& edit, TDrillHost& host) {
    FEdit = &edit;
    FHost = &host;
    StartUnit({}, {});
    FUnitIndex = 0;
    FLineIndex = 0;
    FKanaStep = false;
    FLines.clear();
    ClearUnits();
}

void TKbClassEx::DoneDrill() {
    FLines.clear();
    ClearUnits();
    FActive = false;
}

void TKbClassEx::Abandon() {
    FDraft = {};
    FActive = false;
    FDone = false;
    FKanaStep = false;
    StartUnit({}, {});
    ClearUnits();
}

void TKbClassEx::SetInputStyle(TInputStyle style, TKeyboardKind keyboard) {
    FInputStyle = style;
    FKeyboard = style == TInputStyle::Kana ? TKeyboardKind::Jis : keyboard;
}

void TKbClassEx::ClearUnits() {
    FNextKeyChar = 0;
    FWrongChar = 0;
    FNextStroke = {};
    FWrongStroke = {};
    FUnitStrokes.clear();
    FStrokePos = 0;
    FUnits.clear();
    FUnitKeysList.clear();
    FUnitSpans.clear();
    FGuide.clear();
}

bool TKbClassEx::NeedsKanaStep(std::string_view s) {
    for (std::size_t pos = 0; pos < s.size(); pos += ShiftJis::CharLength(s, pos)) {
        auto lead = static_cast<unsigned char>(s[pos]);
        if (ShiftJis::CharLength(s, pos) == 2 && (lead < 0x81 || lead > 0x83))
            return true;
    }
    return false;
}

void TKbClassEx::LoadText(std::string_view text) {
    FDone = false;
    FKeyCount = 0;
    FMisses = 0;
    FCharsTyped = 0;
    FAttempts.clear();
    StartUnit({}, {});
    FUnitIndex = 0;
    FLineIndex = 0;
    FKanaStep = false;
    FLines = ShiftJis::SplitLines(text);
    CleanLines();
    FMissedLines.assign(FLines.size(), false);
}

std::vector<std::string> TKbClassEx::MissedStrings() const {
    std::vector<std::string> missed;
    for (std::size_t i = 0; i < FLines.size() && i < FMissedLines.size(); ++i)
        if (FMissedLines[i])
            missed.push_back(FLines[i]);
    return missed;
}

// Drops the empty lines and cuts the others to 40 bytes.
void TKbClassEx::CleanLines() {
    std::erase_if(FLines, [](const std::string& line) { return line.empty(); });
    for (std::string& line : FLines)
        line = CutAtCharBoundary(line, MaxStringBytes);
}

void TKbClassEx::ShowString() {
    FCaret = 0;
    FDone = false;
    // The first unit of a string is not timed: the learner has just read it.
    FLastKeyMillis = -1;
    FLastAcceptedMillis = -1;
    if (FLineIndex >= static_cast<int>(FLines.size())) {
        // No string to show: a text of empty lines only.
        FKanaStep = false;
        ClearUnits();
        FEdit->Clear();
        FEdit->SetReadOnly(true);
        FEdit->SetImeMode(TImeMode::Disabled);
        return;
    }
    const std::string& s = FLines[FLineIndex];
    FSentenceW = ShiftJis::ToUtf16(s);
    // The string as the pane gives it back: a byte that forms no character shows as U+FFFD
    // and reads back as one '?', so the lengths agree and the units match these bytes.
    std::string shown = ShiftJis::FromUtf16(FSentenceW);
    if (NeedsKanaStep(shown)) {
        FKanaStep = true;
        if (KanaInput())
            FHost->UnmarkStroke(FNextStroke);
        else
            FHost->UnmarkKey(FNextKeyChar);
        ClearUnits();
        // The string, and an empty line below it for the learner's input.
        FEdit->SetText(s + "\r\n");
        FEdit->SetReadOnly(false);
        FEdit->SetImeMode(TImeMode::Hiragana);
    } else {
        FKanaStep = false;
        if (KanaInput()) {
            TKanaLine line = MakeKanaLine(FSentenceW);
            FUnits = std::move(line.Units);
            FUnitStrokes = std::move(line.Keys);
            FGuide = std::move(line.Guide);
            // Each unit's part of the guide: one legend a stroke.
            FUnitKeysList.clear();
            for (const std::string& unit : FUnits)
                FUnitKeysList.push_back(MakeKanaLine(ShiftJis::ToUtf16(unit)).Guide);
        } else {
            TRomajiLine line = MakeRomajiLine(FSentenceW, RomajiOptions());
            FUnits = std::move(line.Units);
            FUnitKeysList = std::move(line.Keys);
            FGuide = std::move(line.Guide);
        }
        FindUnitSpans(shown);
        FWrongChar = 0;
        FWrongStroke = {};
        FUnitIndex = 0;
        FKanaCaret = 0;
        FGuideCaret = Bytes(shown) + LineBreakBytes;
        FEdit->SetText(s + "\r\n" + FGuide);
        FEdit->SetImeMode(TImeMode::Disabled);
        FEdit->SetReadOnly(true);
    }
    FEdit->SetCompositionColors(CompositionColors);
    FEdit->SelectAll();
    FEdit->SetSelColor(PaneColors::Black);
    if (FKanaStep) {
        FEdit->SetSelStart(FEdit->TextLength());
    } else {
        EnterUnit();
        FEdit->SetSelStart(0);
    }
}

// Each character of each unit is the first character of `s` not yet taken that equals it: the
// units hold the characters of `s` in order, except that a small tsu may come after the
// single-byte characters that follow it, and then it is the first small tsu still untaken.
void TKbClassEx::FindUnitSpans(const std::string& s) {
    struct TChar {
        int Start;
        std::string_view Bytes;
        bool Taken;
    };
    std::vector<TChar> chars;
    for (std::size_t pos = 0; pos < s.size(); pos += ShiftJis::CharLength(s, pos))
        chars.push_back({static_cast<int>(pos),
                         std::string_view(s).substr(pos, ShiftJis::CharLength(s, pos)), false});

    FUnitSpans.clear();
    for (const std::string& unit : FUnits) {
        std::vector<TSpan> spans;
        std::size_t from = 0;
        for (std::string_view c : ShiftJis::Chars(unit)) {
            auto it = std::find_if(chars.begin() + static_cast<std::ptrdiff_t>(from), chars.end(),
                                   [&](const TChar& x) { return !x.Taken && x.Bytes == c; });
            if (it == chars.end())
                break;
            it->Taken = true;
            from = static_cast<std::size_t>(it - chars.begin()) + 1;
            if (!spans.empty() && spans.back().Start + spans.back().Length == it->Start)
                spans.back().Length += Bytes(c);
            else
                spans.push_back({it->Start, Bytes(c)});
        }
        FUnitSpans.push_back(std::move(spans));
    }
}

void TKbClassEx::EnterUnit() {
    while (FUnitIndex < static_cast<int>(FUnits.size())) {
        if (KanaInput()) {
            FStrokePos = 0;
            if (!FUnitStrokes.at(FUnitIndex).empty())
                break;
        } else {
            StartUnit(FUnits[FUnitIndex], FUnitKeysList[FUnitIndex]);
            if (!UnitComplete())
                break;
        }
        MarkKanaDone(FUnitIndex);
        ++FUnitIndex;
    }
    if (FUnitIndex >= static_cast<int>(FUnits.size())) {
        StartUnit({}, {});
        FDone = true;
        FNextKeyChar = 0;
        FWrongChar = 0;
        FNextStroke = {};
        FWrongStroke = {};
    } else {
        if (KanaInput()) {
            FNextStroke = FUnitStrokes[FUnitIndex][0];
            FNextKeyChar = StrokeChar(FNextStroke);
        } else {
            FNextKeyChar = NextKey();
        }
        BeginAttempt();
    }
}

void TKbClassEx::BeginAttempt() {
    FDraft = {};
    FDraft.Attempt.Unit = ShiftJis::ToUtf16(FUnits[FUnitIndex]);
    FDraft.FromMillis = FLastAcceptedMillis;
}

// Notes a key of the current unit. A gap over PauseMillis since the key before (accepted or
// not) is a pause: the accepted key after it is not timed, nor is its unit.
void TKbClassEx::RecordKey(char key, std::int64_t millis, bool accepted, std::string typed) {
    const bool pause = millis < 0 || (FLastKeyMillis >= 0 && millis - FLastKeyMillis > PauseMillis);
    FLastKeyMillis = millis;
    FDraft.Paused = FDraft.Paused || pause;
    TUnitAttempt& attempt = FDraft.Attempt;
    if (!accepted) {
        attempt.Misses.push_back({KeyName(FNextKeyChar), typed.empty() ? KeyName(key) : typed});
        FDraft.MissAt.push_back(static_cast<int>(attempt.Keys.size()));
        return;
    }
    const int since = FDraft.Paused ? -1 : Elapsed(FLastAcceptedMillis, millis);
    attempt.Keys.push_back({KeyName(key), since});
    attempt.Spelling += key;
    FDraft.KeyMillis.push_back(millis);
    FDraft.Timed.push_back(since >= 0);
    FDraft.Paused = false;
    FLastAcceptedMillis = millis;
}

// The unit is complete: its record joins those to be taken. A unit with a small tsu before a
// kana becomes two records, split after the first key (the doubled consonant).
void TKbClassEx::FinishAttempt() {
    TUnitAttempt& attempt = FDraft.Attempt;
    const std::vector<std::int64_t>& times = FDraft.KeyMillis;
    if (attempt.Keys.empty())
        return;
    // A part from key `first` to key `last` is timed when every key of it is.
    auto partMillis = [&](std::int64_t from, std::size_t first, std::size_t last) {
        for (std::size_t i = first; i <= last; ++i)
            if (!FDraft.Timed[i])
                return -1;
        return Elapsed(from, times[last]);
    };
    FCharsTyped += static_cast<int>(attempt.Unit.size());
    if (attempt.Unit.size() > 1 && IsSmallTsu(attempt.Unit[0]) && attempt.Keys.size() > 1) {
        TUnitAttempt tsu;
        tsu.Unit = attempt.Unit.substr(0, 1);
        tsu.Spelling = attempt.Spelling.substr(0, 1);
        tsu.Keys.push_back(attempt.Keys.front());
        tsu.Millis = partMillis(FDraft.FromMillis, 0, 0);
        TUnitAttempt rest;
        rest.Unit = attempt.Unit.substr(1);
        rest.Spelling = attempt.Spelling.substr(1);
        rest.Keys.assign(attempt.Keys.begin() + 1, attempt.Keys.end());
        rest.Millis = partMillis(times[0], 1, times.size() - 1);
        for (std::size_t i = 0; i < attempt.Misses.size(); ++i)
            (FDraft.MissAt[i] == 0 ? tsu : rest).Misses.push_back(attempt.Misses[i]);
        FAttempts.push_back(std::move(tsu));
        FAttempts.push_back(std::move(rest));
    } else {
        attempt.Millis = partMillis(FDraft.FromMillis, 0, times.size() - 1);
        FAttempts.push_back(std::move(attempt));
    }
    FDraft = {};
}

TKbClassEx::TKeyResult TKbClassEx::KeyPress(char key, std::int64_t millis) {
    if (FLineIndex >= static_cast<int>(FLines.size()))
        return {};
    if (FDone) {
        if (key != Enter && key != Space)
            return {};
        RepeatOrNext(key);
        return {true, std::nullopt};
    }
    if (FKanaStep) {
        if (key != Enter)
            return {};
        KanaCheck();
        return {true, std::nullopt, FDone};
    }
    if (KanaInput())
        return JudgeStroke(StrokeOf(TKeyboardKind::Jis, key).value_or(TKeyStroke{}), key, millis);
    FCaret = FEdit->SelStart();
    TRomajiKeyResult result = CheckRomajiKey(key);
    RecordKey(key, millis, result.Accepted);
    if (result.Accepted) {
        AdvanceGuide(result.Advance);
        FWrongChar = 0;
        if (UnitComplete()) {
            FinishAttempt();
            MarkKanaDone(FUnitIndex);
            ++FUnitIndex;
            EnterUnit();
        } else {
            FNextKeyChar = NextKey();
        }
    } else {
        FWrongChar = key;
        ++FMisses;
        FMissedLines.at(static_cast<std::size_t>(FLineIndex)) = true;
    }
    return {true, result.Learned, FDone};
}

TKbClassEx::TKeyResult TKbClassEx::KeyStroke(std::optional<TKeyStroke> stroke, char typed,
                                             std::int64_t millis) {
    if (!KanaInput() || FDone || FKanaStep || FLineIndex >= static_cast<int>(FLines.size()))
        return KeyPress(typed, millis);
    return JudgeStroke(stroke.value_or(TKeyStroke{}), typed, millis);
}

// Kana input: `stroke` against the current unit's next stroke. A wrong key is named by its
// stroke, or by the character it typed when it has no place on the keyboard (Stroke.Key 0).
TKbClassEx::TKeyResult TKbClassEx::JudgeStroke(TKeyStroke stroke, char typed, std::int64_t millis) {
    FCaret = FEdit->SelStart();
    const std::vector<TKeyStroke>& strokes = FUnitStrokes.at(FUnitIndex);
    const bool accepted = stroke.Key != 0 && stroke == strokes.at(FStrokePos);
    const char name = stroke.Key != 0 ? StrokeChar(stroke) : typed;
    RecordKey(name, millis, accepted);
    if (!accepted) {
        FWrongStroke = stroke;
        FWrongChar = name != 0 ? name : '?';
        ++FMisses;
        FMissedLines.at(static_cast<std::size_t>(FLineIndex)) = true;
        return {true, std::nullopt, false};
    }
    // The stroke's legend on the guide: a kana or mark, or one ASCII character.
    const std::string& piece = FUnitKeysList.at(FUnitIndex);
    std::size_t at = 0;
    for (std::size_t i = 0; i < FStrokePos && at < piece.size(); ++i)
        at += ShiftJis::CharLength(piece, at);
    AdvanceGuide(at < piece.size() ? static_cast<int>(ShiftJis::CharLength(piece, at)) : 0);
    FWrongChar = 0;
    FWrongStroke = {};
    if (++FStrokePos < strokes.size()) {
        FNextStroke = strokes[FStrokePos];
        FNextKeyChar = StrokeChar(FNextStroke);
    } else {
        FinishAttempt();
        MarkKanaDone(FUnitIndex);
        ++FUnitIndex;
        EnterUnit();
    }
    return {true, std::nullopt, FDone};
}

// The guide's letters are greyed through a selection, and the caret goes back where it was, in
// one batch: the pane sees no selection come and go and draws only the greyed letters again.
void TKbClassEx::AdvanceGuide(int n) {
    TPaneUpdate batch(*FEdit);
    if (n > 0) {
        FEdit->Select(FGuideCaret, n);
        FEdit->SetSelColor(PaneColors::Silver);
        FGuideCaret += n;
    }
    FEdit->SetSelStart(FCaret);
}

void TKbClassEx::MarkKanaDone(int unitIndex) {
    TPaneUpdate batch(*FEdit);
    for (const TSpan& span : FUnitSpans.at(unitIndex)) {
        FEdit->Select(span.Start, span.Length);
        FEdit->SetSelColor(PaneColors::Silver);
        FKanaCaret = std::max(FKanaCaret, span.Start + span.Length);
    }
    FEdit->SetSelStart(FKanaCaret);
}

void TKbClassEx::RepeatOrNext(char key) {
    FDone = false;
    StartUnit({}, {});
    FUnitIndex = 0;
    if (key == Enter)
        ++FLineIndex;
    if (FLineIndex < static_cast<int>(FLines.size()))
        ShowString();
    else
        EndDrill();
}

void TKbClassEx::NextString() {
    if (FLineIndex >= static_cast<int>(FLines.size()))
        return;
    FDone = false;
    StartUnit({}, {});
    FUnitIndex = 0;
    ++FLineIndex;
    if (FLineIndex < static_cast<int>(FLines.size()))
        ShowString();
    else
        EndDrill();
}

// After the last string: the timer stops, the closing box, no key marked, the pane read only.
void TKbClassEx::EndDrill() {
    FDone = false;
    FNextKeyChar = 0;
    FWrongChar = 0;
    FNextStroke = {};
    FWrongStroke = {};
    FHost->StopExerciseTimer();
    FHost->ShowInformation(EndMessage());
    // With no next key the refreshed guide highlights no finger.
    FHost->MarkNoKeys();
    FActive = false;
    FKanaStep = false;
    FEdit->SetReadOnly(true);
    FEdit->SetImeMode(TImeMode::Disabled);
}

void TKbClassEx::KanaCheck() {
    if (!FKanaStep || FDone)
        return;
    if (FEdit->Line(0) == FEdit->Line(1)) {
        FCharsTyped += static_cast<int>(FSentenceW.size());
        FDone = true;
        FKanaStep = false;
        FEdit->SetReadOnly(true);
        RefreshGuide();
        FEdit->SetImeMode(TImeMode::Disabled);
    } else {
        FMissedLines.at(static_cast<std::size_t>(FLineIndex)) = true;
        MarkMismatch();
    }
}

// Selects the first character of the input line that differs from the string's; when the
// input begins with the whole string, the surplus; when it is a beginning of the string, the
// caret goes to the end.
void TKbClassEx::MarkMismatch() {
    std::string example = FEdit->Line(0);
    std::string input = FEdit->Line(1);
    int inputStart = FEdit->LineStart(1);
    std::vector<std::string_view> exampleChars = ShiftJis::Chars(example);
    std::vector<std::string_view> inputChars = ShiftJis::Chars(input);
    int offset = 0;
    for (std::size_t i = 0; i < exampleChars.size() && i < inputChars.size(); ++i) {
        if (inputChars[i] != exampleChars[i]) {
            FEdit->Select(inputStart + offset, Bytes(inputChars[i]));
            return;
        }
        offset += Bytes(inputChars[i]);
    }
    if (Bytes(example) < Bytes(input))
        FEdit->Select(inputStart + Bytes(example), Bytes(input) - Bytes(example));
    else
        FEdit->SetSelStart(FEdit->TextLength());
}

void TKbClassEx::RefreshGuide() {
    if (FDone) {
        FHost->SetStatusText(DoneHint());
        FHost->ShowFinger(0);
    } else {
        FHost->SetStatusText({});
        FHost->ShowFinger(FingerOf(FKeyboard, FNextKeyChar));
    }
}
