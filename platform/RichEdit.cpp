#include "platform/RichEdit.h"

#include "platform/ShiftJis.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr char16_t LineSeparator = 0x2028;      // what QTextEdit inserts for Shift+Enter
constexpr char16_t ParagraphSeparator = 0x2029; // between two blocks of toRawText()

constexpr bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Text from outside the pane (pasted, dropped, committed by the input method) with each line
// break as one '\n', which QTextCursor::insertText turns into a paragraph break. The breaks
// are those of NormalizeLineBreaks plus the line and paragraph separators, so "a\r\r\nb" and
// "a\u2028b" both become "a\nb".
QString WithParagraphBreaks(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        if (c != u'\r' && c != u'\n' && c != LineSeparator && c != ParagraphSeparator) {
            out += text[i];
            continue;
        }
        if (c == u'\r' && text.mid(i + 1, 2) == u"\r\n")
            i += 2;
        else if (c == u'\r' && text.mid(i + 1, 1) == u"\n")
            i += 1;
        out += u'\n';
    }
    return out;
}

// Shift_JIS text as the document takes it.
QString ToDocumentText(std::string_view sjis) {
    return ShiftJis::ToQString(NormalizeLineBreaks(sjis))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Byte length of the code unit at `p` of raw document text: a surrogate pair is one '?', which
// is given to its low half so that no byte offset falls between the halves.
int UnitLength(const char16_t* units, int count, int p) {
    char16_t c = units[p];
    if (IsHighSurrogate(c) && p + 1 < count && IsLowSurrogate(units[p + 1]))
        return 0;
    if (IsLowSurrogate(c) && p > 0 && IsHighSurrogate(units[p - 1]))
        return 1;
    return static_cast<int>(ShiftJis::EncodedLength(c));
}

// A layout's text holds the preedit at its preedit position; the block's text does not.
int LayoutToBlockPosition(const QTextLayout& layout, int position) {
    int preeditStart = layout.preeditAreaPosition();
    int preeditLength = static_cast<int>(layout.preeditAreaText().size());
    if (preeditLength == 0 || position <= preeditStart)
        return position;
    return position - std::min(position - preeditStart, preeditLength);
}

QTextCharFormat EntryFormat(const TCompositionColor& entry) {
    QTextCharFormat format;
    if (!entry.AutoText)
        format.setForeground(QColor(entry.Text.R, entry.Text.G, entry.Text.B));
    format.setBackground(QColor(entry.Background.R, entry.Background.G, entry.Background.B));
    format.setUnderlineStyle(entry.Underline ? QTextCharFormat::SingleUnderline
                                             : QTextCharFormat::NoUnderline);
    return format;
}

} // namespace

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    connect(document(), &QTextDocument::contentsChange, this, &TRichEdit::ContentsChanged);
    ApplyImeMode();
}

// ---- Text and the byte map

void TRichEdit::ContentsChanged(int /*position*/, int removed, int added) {
    // A format change reports as many characters removed as added; so does replacing a
    // character by another. Which of the two it was is decided on next use.
    if (FMapState != TMapState::Stale)
        FMapState = removed == added ? TMapState::Unsure : TMapState::Stale;
}

const TRichEdit::TByteMap& TRichEdit::Map() const {
    if (FMapState == TMapState::Unsure && document()->toRawText() == FMap.Raw)
        FMapState = TMapState::Valid;
    if (FMapState == TMapState::Valid)
        return FMap;

    FMap.Raw = document()->toRawText();
    FMap.Text.clear();
    const auto* units = reinterpret_cast<const char16_t*>(FMap.Raw.utf16());
    const int count = static_cast<int>(FMap.Raw.size());
    FMap.Bytes.assign(static_cast<std::size_t>(count) + 1, 0);

    // Encodes units [start, end) of a line. Their lengths were counted unit by unit as
    // FromUtf16 encodes them, so the run has that length; were it ever otherwise, fitting it
    // keeps every later offset in step with Text().
    auto appendRun = [&](int start, int end) {
        std::string run = ShiftJis::FromUtf16(std::u16string_view(units + start, end - start));
        run.resize(static_cast<std::size_t>(FMap.Bytes[end] - FMap.Bytes[start]),
                   ShiftJis::Unmappable);
        FMap.Text += run;
    };

    int byte = 0;
    int runStart = 0;
    for (int p = 0; p < count; ++p) {
        FMap.Bytes[p] = byte;
        char16_t c = units[p];
        if (c == ParagraphSeparator || c == LineSeparator) {
            appendRun(runStart, p);
            FMap.Text += "\r\n";
            byte += 2;
            runStart = p + 1;
            continue;
        }
        byte += UnitLength(units, count, p);
    }
    FMap.Bytes[count] = byte;
    appendRun(runStart, count);
    FMapState = TMapState::Valid;
    return FMap;
}

int TRichEdit::PositionOf(int byte, bool roundUp) const {
    const std::vector<int>& bytes = Map().Bytes;
    byte = std::clamp(byte, 0, bytes.back());
    if (roundUp)
        return static_cast<int>(std::lower_bound(bytes.begin(), bytes.end(), byte) - bytes.begin());
    // The start of the character holding `byte`, then the first position with that offset
    // (before, never inside, a character of no bytes).
    int start = *(std::upper_bound(bytes.begin(), bytes.end(), byte) - 1);
    return static_cast<int>(std::lower_bound(bytes.begin(), bytes.end(), start) - bytes.begin());
}

std::string TRichEdit::Text() const {
    return Map().Text;
}

void TRichEdit::SetText(std::string_view text) {
    QTextCharFormat format = InsertionFormat();
    // setPlainText gives the new text the cursor's format.
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    cursor.setCharFormat(format);
    setTextCursor(cursor);
    setPlainText(ToDocumentText(text));
    if (document()->isEmpty()) {
        QTextCursor empty = textCursor();
        empty.setCharFormat(format);
        setTextCursor(empty);
    }
}

int TRichEdit::TextLength() const {
    return Map().Bytes.back();
}

// ---- Selection

int TRichEdit::SelStart() const {
    return ByteOf(textCursor().selectionStart());
}

int TRichEdit::SelLength() const {
    QTextCursor cursor = textCursor();
    return ByteOf(cursor.selectionEnd()) - ByteOf(cursor.selectionStart());
}

void TRichEdit::SetSelStart(int pos) {
    QTextCursor cursor = textCursor();
    cursor.setPosition(PositionOf(pos, false));
    SetCursorKeepingView(cursor);
}

void TRichEdit::SetSelLength(int length) {
    QTextCursor cursor = textCursor();
    int start = cursor.selectionStart();
    long long endByte = static_cast<long long>(ByteOf(start)) + std::max(length, 0);
    int end = PositionOf(static_cast<int>(std::min<long long>(endByte, TextLength())), true);
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    SetCursorKeepingView(cursor);
}

std::string TRichEdit::SelText() const {
    return Map().Text.substr(static_cast<std::size_t>(SelStart()),
                             static_cast<std::size_t>(SelLength()));
}

void TRichEdit::SetSelText(std::string_view text) {
    QTextCharFormat format = InsertionFormat();
    QTextCursor cursor = textCursor();
    cursor.insertText(ToDocumentText(text), format);
    cursor.setCharFormat(format);
    setTextCursor(cursor);
}

void TRichEdit::SetCursorKeepingView(const QTextCursor& cursor) {
    int x = horizontalScrollBar()->value();
    int y = verticalScrollBar()->value();
    setTextCursor(cursor);
    horizontalScrollBar()->setValue(x);
    verticalScrollBar()->setValue(y);
}

// ---- Colours and styles

QTextCharFormat TRichEdit::FormatAt(int position) const {
    QTextBlock block = document()->findBlock(position);
    if (!block.isValid())
        return {};
    // A paragraph break's format is the one the next block starts with.
    if (position >= block.position() + block.length() - 1)
        return block.next().isValid() ? block.next().charFormat() : block.charFormat();
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it)
        if (it.fragment().contains(position))
            return it.fragment().charFormat();
    return block.charFormat();
}

QTextCharFormat TRichEdit::InsertionFormat() const {
    QTextCursor cursor = textCursor();
    return cursor.hasSelection() ? FormatAt(cursor.selectionStart()) : cursor.charFormat();
}

void TRichEdit::MergeSelectionFormat(const QTextCharFormat& format) {
    QTextCursor cursor = textCursor();
    cursor.mergeCharFormat(format);
    if (!cursor.hasSelection())
        SetCursorKeepingView(cursor); // the typing format lives in the pane's own cursor
}

TRgb TRichEdit::SelColor() const {
    QColor color = InsertionFormat().foreground().color();
    return {static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
            static_cast<std::uint8_t>(color.blue())};
}

void TRichEdit::SetSelColor(TRgb color) {
    QTextCharFormat format;
    format.setForeground(QColor(color.R, color.G, color.B));
    MergeSelectionFormat(format);
}

TFontStyles TRichEdit::SelStyle() const {
    QTextCharFormat format = InsertionFormat();
    return {format.fontWeight() >= QFont::DemiBold, format.fontItalic(), format.fontUnderline(),
            format.fontStrikeOut()};
}

void TRichEdit::SetSelStyle(TFontStyles styles) {
    QTextCharFormat format;
    format.setFontWeight(styles.Bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(styles.Italic);
    format.setFontUnderline(styles.Underline);
    format.setFontStrikeOut(styles.StrikeOut);
    MergeSelectionFormat(format);
}

// ---- Lines and scrolling

void TRichEdit::EnsureLayout() const {
    auto* self = const_cast<TRichEdit*>(this);
    // A hidden widget gets its resize event only when shown, and until then a wrapping
    // document has no width and so no lines. Deliver the resize now and give the document the
    // viewport's width; QTextEdit keeps the width up to date from then on.
    if (!isVisible() && testAttribute(Qt::WA_PendingResizeEvent)) {
        QResizeEvent resize(size(), size());
        QCoreApplication::sendEvent(self, &resize);
        self->setAttribute(Qt::WA_PendingResizeEvent, false);
    }
    if (lineWrapMode() != NoWrap && document()->pageSize().width() <= 0)
        document()->setTextWidth(viewport()->width());
    document()->documentLayout()->blockBoundingRect(document()->lastBlock());
}

std::vector<TRichEdit::TVisualLine> TRichEdit::VisualLines() const {
    EnsureLayout();
    std::vector<TVisualLine> lines;
    QAbstractTextDocumentLayout* documentLayout = document()->documentLayout();
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        QRectF rect = documentLayout->blockBoundingRect(block);
        const QTextLayout* layout = block.layout();
        int count = layout ? layout->lineCount() : 0;
        if (count == 0) { // not laid out (no width): the block as one line
            lines.push_back({block.blockNumber(), 0, block.position(), block.length() - 1,
                             rect.top(), rect.bottom()});
            continue;
        }
        for (int i = 0; i < count; ++i) {
            QTextLine line = layout->lineAt(i);
            int start = LayoutToBlockPosition(*layout, line.textStart());
            int end = LayoutToBlockPosition(*layout, line.textStart() + line.textLength());
            lines.push_back({block.blockNumber(), i, block.position() + start, end - start,
                             rect.top() + line.y(), rect.top() + line.y() + line.height()});
        }
    }
    return lines;
}

int TRichEdit::LineIndexAt(const std::vector<TVisualLine>& lines, int position) {
    auto it = std::upper_bound(lines.begin(), lines.end(), position,
                               [](int p, const TVisualLine& line) { return p < line.Position; });
    return it == lines.begin() ? 0 : static_cast<int>(it - lines.begin()) - 1;
}

int TRichEdit::CountOf(const std::vector<TVisualLine>& lines) const {
    int count = static_cast<int>(lines.size());
    return document()->lastBlock().length() == 1 ? count - 1 : count;
}

int TRichEdit::LineCount() const {
    return CountOf(VisualLines());
}

std::string TRichEdit::Line(int index) const {
    std::vector<TVisualLine> lines = VisualLines();
    if (index < 0 || index >= CountOf(lines))
        return {};
    const TVisualLine& line = lines[static_cast<std::size_t>(index)];
    int start = ByteOf(line.Position);
    std::string text = Map().Text.substr(static_cast<std::size_t>(start),
                                         ByteOf(line.Position + line.Length) - start);
    if (text.ends_with("\r\n")) // a stray line separator inside the block
        text.resize(text.size() - 2);
    return text;
}

int TRichEdit::LineStart(int index) const {
    if (index <= 0)
        return 0;
    std::vector<TVisualLine> lines = VisualLines();
    if (index >= CountOf(lines))
        return TextLength();
    return ByteOf(lines[static_cast<std::size_t>(index)].Position);
}

int TRichEdit::LineFromPos(int pos) const {
    return LineIndexAt(VisualLines(), PositionOf(pos, false));
}

int TRichEdit::FirstVisibleLine(const std::vector<TVisualLine>& lines) const {
    int top = verticalScrollBar()->value();
    auto it = std::find_if(lines.begin(), lines.end(),
                           [top](const TVisualLine& line) { return line.Bottom > top; });
    int index = static_cast<int>(it - lines.begin());
    return std::clamp(index, 0, std::max(CountOf(lines) - 1, 0));
}

int TRichEdit::FirstVisibleLine() const {
    return FirstVisibleLine(VisualLines());
}

void TRichEdit::ScrollLines(int count) {
    std::vector<TVisualLine> lines = VisualLines();
    int lineCount = CountOf(lines);
    if (lineCount == 0)
        return;
    long long target = static_cast<long long>(FirstVisibleLine(lines)) + count;
    auto index = static_cast<std::size_t>(std::clamp<long long>(target, 0, lineCount - 1));
    // The line's top, rounded up, so that the line before it is wholly out of view.
    int top = index == 0 ? 0 : static_cast<int>(std::ceil(lines[index].Top));
    verticalScrollBar()->setValue(top);
}

int TRichEdit::PosFromPoint(QPoint point) const {
    std::vector<TVisualLine> lines = VisualLines();
    QPointF at(point.x() + horizontalScrollBar()->value(),
               point.y() + verticalScrollBar()->value());
    auto it = std::find_if(lines.begin(), lines.end(),
                           [&](const TVisualLine& line) { return line.Bottom > at.y(); });
    const TVisualLine& line = it == lines.end() ? lines.back() : *it;

    QTextBlock block = document()->findBlockByNumber(line.Block);
    const QTextLayout* layout = block.layout();
    int position = line.Position;
    if (layout && line.InBlock < layout->lineCount()) {
        QRectF rect = document()->documentLayout()->blockBoundingRect(block);
        int column = layout->lineAt(line.InBlock)
                         .xToCursor(at.x() - rect.left(), QTextLine::CursorOnCharacter);
        position = block.position() + LayoutToBlockPosition(*layout, column);
        // Past the end of a wrapped line lies its last character, not the next line's first.
        bool wrapped = line.InBlock + 1 < layout->lineCount();
        if (wrapped && line.Length > 0 && position >= line.Position + line.Length)
            position = line.Position + line.Length - 1;
    }
    return ByteOf(std::clamp(position, 0, static_cast<int>(Map().Raw.size())));
}

// ---- States

bool TRichEdit::ReadOnly() const {
    return isReadOnly();
}

void TRichEdit::SetReadOnly(bool readOnly) {
    // Through the interaction flags: QTextEdit::setReadOnly would also switch the input
    // method, which belongs to SetImeMode. A read-only pane keeps its caret and can be
    // navigated, as the learner expects of an example text.
    setTextInteractionFlags(readOnly ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                     : Qt::TextEditorInteraction);
    QEvent change(QEvent::ReadOnlyChange);
    QCoreApplication::sendEvent(this, &change);
}

bool TRichEdit::WordWrap() const {
    return lineWrapMode() != NoWrap;
}

void TRichEdit::SetWordWrap(bool wrap) {
    setLineWrapMode(wrap ? WidgetWidth : NoWrap);
}

// ---- Input method

TImeMode TRichEdit::ImeMode() const {
    return FImeMode;
}

void TRichEdit::SetImeMode(TImeMode mode) {
    if (mode == TImeMode::Disabled)
        CancelComposition();
    FImeMode = mode;
    ApplyImeMode();
}

void TRichEdit::ApplyImeMode() {
    // An application can let the input method in or keep it out, but on Linux it cannot
    // open or close it, nor choose hiragana. Closed therefore asks for Latin input through the
    // hints, which an input method may honour; Hiragana leaves it free, in its own mode.
    Qt::InputMethodHints hints = Qt::ImhNone;
    if (FImeMode == TImeMode::Closed)
        hints = Qt::ImhPreferLatin | Qt::ImhLatinOnly | Qt::ImhNoPredictiveText;
    setInputMethodHints(hints);
    setAttribute(Qt::WA_InputMethodEnabled, FImeMode != TImeMode::Disabled);
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImHints);
}

void TRichEdit::SetCompositionColors(const TCompositionColors& colors) {
    FCompositionColors = colors;
    FRecolourPreedit = true;
}

bool TRichEdit::HasComposition() const {
    return FComposing;
}

void TRichEdit::CancelComposition() {
    if (hasFocus())
        QGuiApplication::inputMethod()->reset();
    ClearPreedit();
}

void TRichEdit::ClearPreedit() {
    if (FComposing) {
        QInputMethodEvent clear;
        QTextEdit::inputMethodEvent(&clear);
    }
    FComposing = false;
}

QList<QInputMethodEvent::Attribute>
TRichEdit::RecolouredAttributes(const QInputMethodEvent& event) const {
    // Linux input methods mark the clause being converted with a background (fcitx5's
    // highlight flag, ibus's background attribute) and the rest with an underline at most;
    // none tells a converted clause from an unconverted one. So: a preedit without a
    // highlighted part is unconverted input (entry 0); once a part is highlighted, that part is
    // the selected clause (entry 1) and the others are converted clauses (entry 2). Entry 3,
    // a target clause not yet converted, has no counterpart that could be told apart.
    const int length = static_cast<int>(event.preeditString().size());
    std::vector<bool> highlighted(static_cast<std::size_t>(length), false);
    bool anyHighlighted = false;
    QList<QInputMethodEvent::Attribute> attributes;
    for (const QInputMethodEvent::Attribute& attribute : event.attributes()) {
        if (attribute.type != QInputMethodEvent::TextFormat) {
            attributes.append(attribute);
            continue;
        }
        QTextCharFormat format = qvariant_cast<QTextFormat>(attribute.value).toCharFormat();
        if (format.background().style() == Qt::NoBrush)
            continue;
        long long first = attribute.start;
        long long last = first + attribute.length;
        int from = static_cast<int>(std::clamp<long long>(std::min(first, last), 0, length));
        int to = static_cast<int>(std::clamp<long long>(std::max(first, last), 0, length));
        std::fill(highlighted.begin() + from, highlighted.begin() + to, true);
        anyHighlighted = anyHighlighted || from < to;
    }
    for (int start = 0; start < length;) {
        int end = start;
        while (end < length && highlighted[end] == highlighted[start])
            ++end;
        int entry = highlighted[start] ? 1 : anyHighlighted ? 2 : 0;
        attributes.append({QInputMethodEvent::TextFormat, start, end - start,
                           QTextFormat(EntryFormat(FCompositionColors[entry]))});
        start = end;
    }
    return attributes;
}

void TRichEdit::inputMethodEvent(QInputMethodEvent* event) {
    // A platform input method does not reach a pane whose input method is disabled; a
    // read-only pane takes no input. Either drops the event and any preedit shown.
    if (FImeMode == TImeMode::Disabled || isReadOnly()) {
        ClearPreedit();
        event->ignore();
        return;
    }
    QString commit = WithParagraphBreaks(event->commitString());
    QInputMethodEvent handled(event->preeditString(), FRecolourPreedit
                                                          ? RecolouredAttributes(*event)
                                                          : event->attributes());
    handled.setCommitString(commit, event->replacementStart(), event->replacementLength());
    QTextEdit::inputMethodEvent(&handled);
    event->setAccepted(handled.isAccepted());
    FComposing = !event->preeditString().isEmpty();
    if (handled.isAccepted() && !commit.isEmpty() && OnImeCommit)
        OnImeCommit(ShiftJis::FromQString(
            QString(commit).replace(QStringLiteral("\n"), QStringLiteral("\r\n"))));
}

// ---- Keys, mouse, focus, paste

void TRichEdit::keyPressEvent(QKeyEvent* event) {
    if (OnKeyDown && OnKeyDown(*event)) {
        event->accept();
        return;
    }
    QString text = event->text();
    QString kept;
    if (OnKeyPress)
        for (QChar c : text)
            if (!OnKeyPress(c))
                kept += c;
    if (!OnKeyPress || kept == text) {
        // Shift+Enter would insert a line separator, a break inside the paragraph: make it an
        // ordinary paragraph break like Enter.
        if (event->matches(QKeySequence::InsertLineSeparator)) {
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"),
                            event->isAutoRepeat(), event->count());
            QTextEdit::keyPressEvent(&enter);
            event->setAccepted(enter.isAccepted());
            return;
        }
        QTextEdit::keyPressEvent(event);
        return;
    }
    if (kept.isEmpty()) {
        event->accept();
        return;
    }
    QKeyEvent rest(event->type(), event->key(), event->modifiers(), kept, event->isAutoRepeat(),
                   event->count());
    QTextEdit::keyPressEvent(&rest);
    event->setAccepted(rest.isAccepted());
}

void TRichEdit::keyReleaseEvent(QKeyEvent* event) {
    QTextEdit::keyReleaseEvent(event);
    if (OnKeyUp)
        OnKeyUp(*event);
}

void TRichEdit::mousePressEvent(QMouseEvent* event) {
    QTextEdit::mousePressEvent(event);
    if (OnMouseDown)
        OnMouseDown(*event);
}

void TRichEdit::mouseMoveEvent(QMouseEvent* event) {
    QTextEdit::mouseMoveEvent(event);
    if (OnMouseMove)
        OnMouseMove(*event);
}

void TRichEdit::focusInEvent(QFocusEvent* event) {
    QTextEdit::focusInEvent(event);
    if (OnFocusIn)
        OnFocusIn();
}

void TRichEdit::changeEvent(QEvent* event) {
    QTextEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange)
        setAttribute(Qt::WA_InputMethodEnabled, FImeMode != TImeMode::Disabled);
}

void TRichEdit::insertFromMimeData(const QMimeData* source) {
    if (!source->hasText()) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    QMimeData plain;
    plain.setText(WithParagraphBreaks(source->text()));
    QTextEdit::insertFromMimeData(&plain);
}
