// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The text pane of the windows (the main window's RichEdit1 and RichEdit2): a QTextEdit in
// plain-text use with character formats, addressed by Shift_JIS byte offsets as TTextPane says.
//
// A document position counts one per UTF-16 code unit and one per paragraph break; a byte
// offset counts each character as its Shift_JIS length and each break as 2 (CR LF). The map
// between the two is built from the document text on first use after a change of the text.
//
// The pane keeps the colour and style of every document position itself. Colour, underline and
// strike-out are drawn over the text as extra selections (one per run of equal ones inside a
// line, none for black without lines), so changing them repaints a few characters instead of
// laying their paragraph out again and the windows can colour on every key. Weight and slant
// change the glyphs, which an extra selection cannot (QTextEdit draws it with the glyphs the
// text was shaped with), so bold and italic are also the document's char formats, set once per
// batch. The pane owns QTextEdit's extra selections and the document's char formats.
//
// Text that arrives by typing, pasting or the input method has each of its line breaks made a
// paragraph break (Shift+Enter's line separator too), so that it reads back as CR LF; a tab, a
// NUL or a character code page 932 lacks (read as '?') counts as one byte.
//
// The pane stays neutral: fonts, focus policy, context menu and undo are the windows' to set
// through the QTextEdit API. Read-only state is best set through SetReadOnly: QTextEdit's
// setReadOnly (a layout file's readOnly property) also switches the input method, which the
// pane then puts back as its mode says. The document is never replaced (setDocument), since
// the byte map follows it.

#include "platform/TextPane.h"

#include <QInputMethodEvent>
#include <QTextCursor>
#include <QTextEdit>

#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

class TRichEdit : public QTextEdit, public TTextPane {
    Q_OBJECT

public:
    explicit TRichEdit(QWidget* parent = nullptr);

    // Hooks for the window that owns the pane; each may be left empty.
    //
    // After the control has inserted the result of a QInputMethodEvent: the committed string
    // in Shift_JIS, breaks as CR LF. Not called for an event without a commit, nor for one the
    // pane refused (read-only, input method disabled).
    std::function<void(const std::string& committed)> OnImeCommit;
    // Before the control handles an input-method event that carries a preedit or a commit
    // (the input method took the learner's key press, which the pane then never sees). Not
    // called for an event the pane refuses.
    std::function<void()> OnImeInput;
    // Whether an input-method event reached the pane since its mode last became Hiragana.
    bool ImeInputSeen() const { return FImeInputSeen; }
    // Asks the framework to switch Japanese input on while the pane has the focus, accepts the
    // input method and has not been served by it yet.
    void RequestJapaneseInput();
    // Before the control sees a key press (a key-down event); true swallows the press.
    std::function<bool(const QKeyEvent& event)> OnKeyDown;
    // For each character a press carries that OnKeyDown did not swallow (a character event:
    // "\r" for Enter, "\b" for Backspace); true swallows the character.
    std::function<bool(QChar character)> OnKeyPress;
    // After the control has handled a key release.
    std::function<void(const QKeyEvent& event)> OnKeyUp;
    // After the control has handled a mouse press (and so moved the caret).
    std::function<void(const QMouseEvent& event)> OnMouseDown;
    // After the control has handled a mouse move over its viewport.
    std::function<void(const QMouseEvent& event)> OnMouseMove;
    // After the pane has received the focus.
    std::function<void()> OnFocusIn;

    // Byte offset of the character under a point of the viewport; past the end of a line, the
    // line's break (or the end of the text).
    int PosFromPoint(QPoint point) const;

    const TCompositionColors& CompositionColors() const { return FCompositionColors; }

    // Line-break marks: with them on, the end of every line that a break ends (not the last
    // one, not a line the pane wrapped) shows "⏎" in the colour and style of that break, as
    // the selection calls set them (black at first, grey once typed, red where an entry was
    // refused), so that a learner sees where Enter belongs.
    void SetShowBreaks(bool show);
    bool ShowBreaks() const { return FShowBreaks; }
    struct TBreakMark {
        int Pos = 0; // byte offset of the break (its CR)
        QRectF Rect; // where the mark is drawn, in document coordinates
        TRgb Color;
        TFontStyles Styles;
        friend bool operator==(const TBreakMark&, const TBreakMark&) = default;
    };
    // The marks as they are drawn now; none while they are off.
    std::vector<TBreakMark> BreakMarks() const;

    // TTextPane. Input-method modes: Disabled and Closed keep the input method out of the pane
    // (Qt::WA_InputMethodEnabled off, ImEnabled false, the input context told) after
    // cancelling any composition, so keys arrive as key events whatever state the learner's
    // input method is in; Hiragana lets it in and, while the pane has the focus, asks the
    // framework to switch Japanese input on (InputMethod::RequestJapaneseInput). Cancelling
    // the composition resets the input method only while the pane holds one: a reset with
    // nothing composed makes some input methods commit their last word again. Once
    // composition colours are
    // set, every preedit is drawn with them: entry 0 while no part of it is highlighted (input
    // not yet converted), else entry 1 for the highlighted clause and entry 2 for the others.
    std::string Text() const override;
    void SetText(std::string_view text) override;
    int TextLength() const override;
    int SelStart() const override;
    int SelLength() const override;
    void SetSelStart(int pos) override;
    void SetSelLength(int length) override;
    std::string SelText() const override;
    void SetSelText(std::string_view text) override;
    TRgb SelColor() const override;
    void SetSelColor(TRgb color) override;
    TFontStyles SelStyle() const override;
    void SetSelStyle(TFontStyles styles) override;
    int LineCount() const override;
    std::string Line(int index) const override;
    int LineStart(int index) const override;
    int LineFromPos(int pos) const override;
    int FirstVisibleLine() const override;
    void ScrollLines(int count) override;
    bool ReadOnly() const override;
    void SetReadOnly(bool readOnly) override;
    bool WordWrap() const override;
    void SetWordWrap(bool wrap) override;
    TImeMode ImeMode() const override;
    void SetImeMode(TImeMode mode) override;
    void SetCompositionColors(const TCompositionColors& colors) override;
    bool HasComposition() const override;
    void CancelComposition() override;
    // Within a batch the selection is the pane's own and the widget's cursor gets it, with the
    // colours, at the outermost EndUpdate.
    void BeginUpdate() override;
    void EndUpdate() override;

    // ImCursorRectangle is the caret of this pane in its own coordinates, so that candidate
    // windows open at the line being typed.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    using QTextEdit::inputMethodQuery;

protected:
    void paintEvent(QPaintEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // The byte offsets of FRaw; see the file comment.
    struct TByteMap {
        std::string Text;       // FRaw in Shift_JIS, each break as CR LF
        std::vector<int> Bytes; // Bytes[p]: byte offset of document position p; FRaw.size() + 1
    };
    // One line as the layout shows it, in document positions and coordinates.
    struct TVisualLine {
        int Block = 0;    // block number
        int InBlock = 0;  // line number inside the block
        int Position = 0; // document position of its first character
        int Length = 0;   // UTF-16 units, without the paragraph break
        qreal Top = 0, Bottom = 0;
    };
    // Colour and style of one document position; the default one is drawn as the text is.
    struct TCellFormat {
        TRgb Color = PaneColors::Black;
        TFontStyles Styles;
        friend bool operator==(const TCellFormat&, const TCellFormat&) = default;
    };

    const TByteMap& Map() const;
    // Keeps FCells in step with the document: removed positions go, added ones take the format
    // of text inserted now.
    void ContentsChanged(int position, int removed, int added);
    // A caret move the pane did not make (keys, mouse, edits of the learner).
    void CursorMoved();
    // Document position of a byte offset: the start of the character that holds it, or with
    // `roundUp` the end of that character (offsets are clamped to the text first).
    int PositionOf(int byte, bool roundUp) const;
    int ByteOf(int position) const { return Map().Bytes[static_cast<std::size_t>(position)]; }
    // The selection as the pane's calls see it: the one of the batch, else the widget's.
    QTextCursor Cursor() const;
    // Moves the selection to `cursor`; the placed caret takes the format of its neighbour.
    void MoveCursor(const QTextCursor& cursor);
    // Makes `cursor` the widget's cursor without scrolling the view.
    void SetCursorKeepingView(const QTextCursor& cursor);
    // What the typing format becomes when the caret moves to `position`: the format of the
    // character before it, or of the one after it at the start of a line that is not empty.
    TCellFormat NeighbourFormat(int position) const;
    // The format that text inserted now takes: that of the first selected character, or the
    // typing format.
    TCellFormat InsertionFormat() const;
    // Applies `change` to every selected position, or to the typing format when none is.
    void FormatSelection(const std::function<void(TCellFormat&)>& change);
    // Calls `visit(start, end, format)` for the pieces of [from, to) with their char format in
    // the document.
    using TFormatVisitor = std::function<void(int, int, const QTextCharFormat&)>;
    void ForEachDocumentFormat(int from, int to, const TFormatVisitor& visit) const;
    // Positions [from, to) may have a weight or slant the document does not show yet.
    void ShapesChanged(int from, int to);
    // Gives the document the weight and slant of the cells where it lacks them.
    void ApplyShapes();
    // The extra selections no longer show FCells: rebuilt now, or at the end of the batch.
    void OverlayChanged();
    void RebuildOverlay();
    // Repaints the marks whose place or colour changed since they were drawn.
    void UpdateBreakMarks();
    // Lays the document out even while the pane is hidden, so lines exist before it is shown.
    void EnsureLayout() const;
    std::vector<TVisualLine> VisualLines() const;
    // The lines LineCount() counts: all but the empty one after a final break.
    int CountOf(const std::vector<TVisualLine>& lines) const;
    int FirstVisibleLine(const std::vector<TVisualLine>& lines) const;
    // Index of the line that holds a document position.
    static int LineIndexAt(const std::vector<TVisualLine>& lines, int position);
    void ApplyImeMode();
    // Tells the input context where the focused pane lies and where its caret is.
    void UpdateInputItem();
    // The event's attributes with its preedit formats replaced by the composition colours.
    QList<QInputMethodEvent::Attribute> RecolouredAttributes(const QInputMethodEvent& event) const;
    // Drops the preedit the control shows, without telling the input method.
    void ClearPreedit();

    QString FRaw; // QTextDocument::toRawText(), U+2029 between paragraphs, as of the last change
    mutable TByteMap FMap;
    mutable bool FMapValid = false; // false after a change of the text

    // One format per unit of FRaw: each UTF-16 unit and each paragraph break has one.
    std::vector<TCellFormat> FCells;
    TCellFormat FTyping; // what is typed next; see TTextPane::SelColor
    // Set while the pane inserts text itself: the format that text takes.
    std::optional<TCellFormat> FInsertFormat;
    int FShapesFrom = std::numeric_limits<int>::max(), FShapesTo = -1; // see ShapesChanged
    bool FApplyingShapes = false;   // the pane changes the document's formats, not its text
    QList<ExtraSelection> FOverlay; // the extra selections shown
    std::vector<TCellFormat> FOverlayFormats; // the format each of them draws
    bool FOverlayStale = false;               // FCells changed since they were built
    bool FShowBreaks = false;                 // see SetShowBreaks
    std::vector<TBreakMark> FShownMarks;      // the marks drawn last
    int FUpdateDepth = 0;                     // open BeginUpdate calls
    std::optional<QTextCursor> FBatchCursor;  // the selection a batch set, not yet the widget's

    TImeMode FImeMode = TImeMode::Hiragana;
    TCompositionColors FCompositionColors{};
    bool FRecolourPreedit = false; // set by SetCompositionColors
    bool FComposing = false;       // the last input-method event had a preedit
    bool FImeInputSeen = false;    // see ImeInputSeen
};
