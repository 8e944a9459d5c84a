#pragma once

// The text pane of the windows (the main window's RichEdit1 and RichEdit2): a QTextEdit in
// plain-text use with character formats, addressed by Shift_JIS byte offsets as TTextPane says.
//
// A document position counts one per UTF-16 code unit and one per paragraph break; a byte
// offset counts each character as its Shift_JIS length and each break as 2 (CR LF). The map
// between the two is built from the document text on first use after a change and kept while
// only formats change, so the per-key calls of an exercise stay cheap.
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
#include <QTextEdit>

#include <functional>
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

    // TTextPane. Input-method modes: Disabled keeps the input method out of the pane
    // (Qt::WA_InputMethodEnabled off) after cancelling any composition; Closed lets it in with
    // hints for Latin input; Hiragana lets it in without hints. Once composition colours are
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

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // The document text and its byte offsets; see the file comment.
    struct TByteMap {
        QString Raw;            // QTextDocument::toRawText(): U+2029 between paragraphs
        std::string Text;       // the same in Shift_JIS, each break as CR LF
        std::vector<int> Bytes; // Bytes[p]: byte offset of document position p; Raw.size() + 1
    };
    // One line as the layout shows it, in document positions and coordinates.
    struct TVisualLine {
        int Block = 0;    // block number
        int InBlock = 0;  // line number inside the block
        int Position = 0; // document position of its first character
        int Length = 0;   // UTF-16 units, without the paragraph break
        qreal Top = 0, Bottom = 0;
    };

    const TByteMap& Map() const;
    void ContentsChanged(int position, int removed, int added);
    // Document position of a byte offset: the start of the character that holds it, or with
    // `roundUp` the end of that character (offsets are clamped to the text first).
    int PositionOf(int byte, bool roundUp) const;
    int ByteOf(int position) const { return Map().Bytes[static_cast<std::size_t>(position)]; }
    QTextCharFormat FormatAt(int position) const;
    // The format that text inserted now takes: that of the first selected character, or the
    // typing format.
    QTextCharFormat InsertionFormat() const;
    void MergeSelectionFormat(const QTextCharFormat& format);
    // Makes `cursor` the pane's cursor without scrolling the view.
    void SetCursorKeepingView(const QTextCursor& cursor);
    // Lays the document out even while the pane is hidden, so lines exist before it is shown.
    void EnsureLayout() const;
    std::vector<TVisualLine> VisualLines() const;
    // The lines LineCount() counts: all but the empty one after a final break.
    int CountOf(const std::vector<TVisualLine>& lines) const;
    int FirstVisibleLine(const std::vector<TVisualLine>& lines) const;
    // Index of the line that holds a document position.
    static int LineIndexAt(const std::vector<TVisualLine>& lines, int position);
    void ApplyImeMode();
    // The event's attributes with its preedit formats replaced by the composition colours.
    QList<QInputMethodEvent::Attribute> RecolouredAttributes(const QInputMethodEvent& event) const;
    // Drops the preedit the control shows, without telling the input method.
    void ClearPreedit();

    mutable TByteMap FMap;
    // What the last change did to FMap: nothing, maybe only formats (the text is compared
    // again on next use), or the text.
    enum class TMapState { Valid, Unsure, Stale };
    mutable TMapState FMapState = TMapState::Stale;

    TImeMode FImeMode = TImeMode::Hiragana;
    TCompositionColors FCompositionColors{};
    bool FRecolourPreedit = false; // set by SetCompositionColors
    bool FComposing = false;       // the last input-method event had a preedit
};
