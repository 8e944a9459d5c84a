// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RichEdit.h"

#include "platform/InputMethod.h"
#include "platform/Preedit.h"

#include "platform/ShiftJis.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>

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

QColor ToQColor(TRgb color) {
    return QColor(color.R, color.G, color.B);
}

// Weight and slant as a char format of the document.
QTextCharFormat ShapeFormat(const TFontStyles& styles) {
    QTextCharFormat format;
    format.setFontWeight(styles.Bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(styles.Italic);
    return format;
}

bool SameShape(const TFontStyles& styles, const QTextCharFormat& format) {
    return styles.Bold == (format.fontWeight() >= QFont::DemiBold) &&
           styles.Italic == format.fontItalic();
}

} // namespace

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    connect(document(), &QTextDocument::contentsChange, this, &TRichEdit::ContentsChanged);
    connect(this, &QTextEdit::cursorPositionChanged, this, &TRichEdit::CursorMoved);
    ApplyImeMode();
}

// ---- Text, the byte map and the formats

void TRichEdit::ContentsChanged(int position, int removed, int added) {
    if (FApplyingShapes) // only formats change
        return;
    FMapValid = false;
    QString raw = document()->toRawText();
    // Units [at, oldEnd) of the old text became [at, newEnd) of the new. Qt reports some
    // changes wider than they are (a commit or a paste at the start of a line gives the whole
    // line replaced) and counts the document's final paragraph end in some (setPlainText), so
    // the report is cut to the texts and, for changes the control made, to what differs.
    const int oldLength = static_cast<int>(FRaw.size()), newLength = static_cast<int>(raw.size());
    int at = std::clamp(position, 0, std::min(oldLength, newLength));
    int oldEnd = static_cast<int>(std::clamp<long long>(1LL * position + removed, at, oldLength));
    int newEnd = static_cast<int>(std::clamp<long long>(1LL * position + added, at, newLength));
    const int tail = std::min(oldLength - oldEnd, newLength - newEnd);
    oldEnd = oldLength - tail;
    newEnd = newLength - tail;
    if (!FInsertFormat) {
        while (at < oldEnd && at < newEnd && FRaw[at] == raw[at])
            ++at;
        while (oldEnd > at && newEnd > at && FRaw[oldEnd - 1] == raw[newEnd - 1]) {
            --oldEnd;
            --newEnd;
        }
    }
    FRaw = std::move(raw);
    const auto inserted = static_cast<std::size_t>(newEnd - at);
    // Text that replaces a selection takes the format of its first character.
    const TCellFormat format = FInsertFormat ? *FInsertFormat
                               : oldEnd > at ? FCells[static_cast<std::size_t>(at)]
                                             : FTyping;
    FCells.erase(FCells.begin() + at, FCells.begin() + oldEnd);
    FCells.insert(FCells.begin() + at, inserted, format);
    // Text the control inserted (typed, pasted, committed) is drawn in the weight and slant the
    // control gave it, which its cells take; the pane inserts in those of `format` itself.
    if (!FInsertFormat && inserted > 0)
        ForEachDocumentFormat(at, newEnd, [this](int from, int to, const QTextCharFormat& shape) {
            for (int p = from; p < to; ++p) {
                TFontStyles& styles = FCells[static_cast<std::size_t>(p)].Styles;
                styles.Bold = shape.fontWeight() >= QFont::DemiBold;
                styles.Italic = shape.fontItalic();
            }
        });
    if (FShapesTo > FShapesFrom) // positions moved under a pending change: look at them all
        ShapesChanged(0, newLength);
    // A layout drops its shaped glyphs once it is laid out, so every paint and every caret
    // placed in its block (QTextCursor::setPosition finds the caret's x) would shape the line
    // again; the pane keeps them, a few bytes per character. Qt made new layouts for all the
    // blocks it reported.
    const int reportedEnd =
        static_cast<int>(std::clamp<long long>(1LL * position + added, 0, newLength));
    for (QTextBlock block = document()->findBlock(std::min(at, position));
         block.isValid() && block.position() <= std::max(newEnd, reportedEnd); block = block.next())
        block.layout()->setCacheEnabled(true);
    if (!FOverlay.isEmpty() || (inserted > 0 && !(format == TCellFormat{})))
        OverlayChanged();
}

void TRichEdit::CursorMoved() {
    // The pane's own moves (all inside a batch) set the typing format themselves.
    if (FUpdateDepth == 0)
        FTyping = NeighbourFormat(textCursor().position());
}

const TRichEdit::TByteMap& TRichEdit::Map() const {
    if (FMapValid)
        return FMap;

    FMap.Text.clear();
    const auto* units = reinterpret_cast<const char16_t*>(FRaw.utf16());
    const int count = static_cast<int>(FRaw.size());
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
    FMapValid = true;
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
    TPaneUpdate batch(*this);
    const TCellFormat format = InsertionFormat();
    FBatchCursor.reset(); // setPlainText puts the caret at 0
    FInsertFormat = format;
    setPlainText(ToDocumentText(text));
    FInsertFormat.reset();
    FTyping = format;
    // setPlainText gives the new text the format of the control's cursor, which may differ.
    ShapesChanged(0, static_cast<int>(FCells.size()));
    OverlayChanged();
}

int TRichEdit::TextLength() const {
    return Map().Bytes.back();
}

// ---- Selection

QTextCursor TRichEdit::Cursor() const {
    return FBatchCursor ? *FBatchCursor : textCursor();
}

void TRichEdit::MoveCursor(const QTextCursor& cursor) {
    FTyping = NeighbourFormat(cursor.position());
    FBatchCursor = cursor;
}

void TRichEdit::SetCursorKeepingView(const QTextCursor& cursor) {
    QTextCursor current = textCursor();
    if (current.anchor() == cursor.anchor() && current.position() == cursor.position())
        return;
    int x = horizontalScrollBar()->value();
    int y = verticalScrollBar()->value();
    setTextCursor(cursor);
    horizontalScrollBar()->setValue(x);
    verticalScrollBar()->setValue(y);
}

int TRichEdit::SelStart() const {
    return ByteOf(Cursor().selectionStart());
}

int TRichEdit::SelLength() const {
    QTextCursor cursor = Cursor();
    return ByteOf(cursor.selectionEnd()) - ByteOf(cursor.selectionStart());
}

void TRichEdit::SetSelStart(int pos) {
    TPaneUpdate batch(*this);
    QTextCursor cursor = Cursor();
    cursor.setPosition(PositionOf(pos, false));
    MoveCursor(cursor);
}

void TRichEdit::SetSelLength(int length) {
    TPaneUpdate batch(*this);
    QTextCursor cursor = Cursor();
    int start = cursor.selectionStart();
    long long endByte = static_cast<long long>(ByteOf(start)) + std::max(length, 0);
    int end = PositionOf(static_cast<int>(std::min<long long>(endByte, TextLength())), true);
    // Collapsed at the start, then extended: the caret's neighbour is that of the end.
    cursor.setPosition(start);
    MoveCursor(cursor);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    MoveCursor(cursor);
}

std::string TRichEdit::SelText() const {
    return Map().Text.substr(static_cast<std::size_t>(SelStart()),
                             static_cast<std::size_t>(SelLength()));
}

void TRichEdit::SetSelText(std::string_view text) {
    TPaneUpdate batch(*this);
    const TCellFormat format = InsertionFormat();
    QTextCursor cursor = Cursor();
    FInsertFormat = format;
    cursor.insertText(ToDocumentText(text), ShapeFormat(format.Styles));
    FInsertFormat.reset();
    FBatchCursor = cursor;
    FTyping = format;
}

void TRichEdit::BeginUpdate() {
    ++FUpdateDepth;
}

void TRichEdit::EndUpdate() {
    if (FUpdateDepth == 0)
        return;
    if (FUpdateDepth == 1) { // still open, so that the widget's cursor move counts as the pane's
        ApplyShapes();
        if (FBatchCursor) {
            QTextCursor cursor = *FBatchCursor;
            FBatchCursor.reset();
            SetCursorKeepingView(cursor);
        }
        // What the learner types next is drawn in the typing format's weight and slant.
        if (!textCursor().hasSelection() && !SameShape(FTyping.Styles, currentCharFormat())) {
            FApplyingShapes = true;
            setCurrentCharFormat(ShapeFormat(FTyping.Styles));
            FApplyingShapes = false;
        }
        if (FOverlayStale)
            RebuildOverlay();
    }
    --FUpdateDepth;
}

// ---- Colours and styles

TRichEdit::TCellFormat TRichEdit::NeighbourFormat(int position) const {
    if (FCells.empty())
        return FTyping;
    QTextBlock block = document()->findBlock(position);
    bool lineStart = position == block.position();
    bool lineEmpty = block.length() <= 1;
    if (lineStart && !lineEmpty)
        return FCells[static_cast<std::size_t>(position)];
    if (position > 0)
        return FCells[static_cast<std::size_t>(position) - 1];
    return FTyping;
}

TRichEdit::TCellFormat TRichEdit::InsertionFormat() const {
    QTextCursor cursor = Cursor();
    return cursor.hasSelection() ? FCells[static_cast<std::size_t>(cursor.selectionStart())]
                                 : FTyping;
}

void TRichEdit::FormatSelection(const std::function<void(TCellFormat&)>& change) {
    TPaneUpdate batch(*this);
    QTextCursor cursor = Cursor();
    if (!cursor.hasSelection()) {
        change(FTyping);
        return;
    }
    for (int p = cursor.selectionStart(); p < cursor.selectionEnd(); ++p)
        change(FCells[static_cast<std::size_t>(p)]);
    ShapesChanged(cursor.selectionStart(), cursor.selectionEnd());
    OverlayChanged();
}

void TRichEdit::ForEachDocumentFormat(int from, int to, const TFormatVisitor& visit) const {
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment fragment = it.fragment();
            int start = std::max(fragment.position(), from);
            int end = std::min(fragment.position() + fragment.length(), to);
            if (start < end)
                visit(start, end, fragment.charFormat());
        }
        // A paragraph break has the format the next block starts with.
        int separator = block.position() + block.length() - 1;
        if (block.next().isValid() && separator >= from && separator < to)
            visit(separator, separator + 1, block.next().charFormat());
    }
}

void TRichEdit::ShapesChanged(int from, int to) {
    FShapesFrom = std::min(FShapesFrom, from);
    FShapesTo = std::max(FShapesTo, to);
}

void TRichEdit::ApplyShapes() {
    const int from = std::max(FShapesFrom, 0);
    const int to = std::min(FShapesTo, static_cast<int>(FCells.size()));
    FShapesFrom = std::numeric_limits<int>::max();
    FShapesTo = -1;
    struct TRun {
        int From, To;
        TFontStyles Styles;
    };
    std::vector<TRun> runs; // where the document's weight or slant differs from the cells'
    if (from < to)
        ForEachDocumentFormat(from, to, [&](int start, int end, const QTextCharFormat& shape) {
            for (int p = start; p < end; ++p) {
                const TFontStyles& styles = FCells[static_cast<std::size_t>(p)].Styles;
                if (SameShape(styles, shape))
                    continue;
                if (!runs.empty() && runs.back().To == p &&
                    runs.back().Styles.Bold == styles.Bold &&
                    runs.back().Styles.Italic == styles.Italic)
                    ++runs.back().To;
                else
                    runs.push_back({p, p + 1, styles});
            }
        });
    if (runs.empty())
        return;
    // One edit block: the paragraphs are laid out again once, not once per run.
    FApplyingShapes = true;
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (const TRun& run : runs) {
        cursor.setPosition(run.From);
        cursor.setPosition(run.To, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(ShapeFormat(run.Styles));
    }
    cursor.endEditBlock();
    FApplyingShapes = false;
}

TRgb TRichEdit::SelColor() const {
    return InsertionFormat().Color;
}

void TRichEdit::SetSelColor(TRgb color) {
    FormatSelection([color](TCellFormat& format) { format.Color = color; });
}

TFontStyles TRichEdit::SelStyle() const {
    return InsertionFormat().Styles;
}

void TRichEdit::SetSelStyle(TFontStyles styles) {
    FormatSelection([styles](TCellFormat& format) { format.Styles = styles; });
}

void TRichEdit::OverlayChanged() {
    FOverlayStale = true;
    if (FUpdateDepth == 0)
        RebuildOverlay();
}

void TRichEdit::RebuildOverlay() {
    FOverlayStale = false;
    // What an extra selection draws of a cell: weight and slant are the document's.
    auto drawn = [](TCellFormat cell) {
        cell.Styles.Bold = cell.Styles.Italic = false;
        return cell;
    };
    // One extra selection per run of equal formats inside a line. QTextEdit repaints the lines
    // of every selection that differs from the one it shows, so a run that grows by a
    // character (the accepted part of the example) costs its last line, not all of them. The
    // lines are those of the layout as it stands; a block not laid out yet counts as one.
    std::vector<int> lineStarts;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        lineStarts.push_back(block.position());
        const QTextLayout* layout = block.layout();
        for (int i = 1; layout && i < layout->lineCount(); ++i)
            lineStarts.push_back(block.position() +
                                 LayoutToBlockPosition(*layout, layout->lineAt(i).textStart()));
    }
    auto nextStart = lineStarts.begin();
    QList<ExtraSelection> selections;
    std::vector<TCellFormat> formats;
    qsizetype shown = 0; // the first of FOverlay that may still be shown
    for (std::size_t start = 0; start < FCells.size();) {
        const TCellFormat cell = drawn(FCells[start]);
        while (nextStart != lineStarts.end() && static_cast<std::size_t>(*nextStart) <= start)
            ++nextStart;
        const std::size_t lineEnd =
            nextStart == lineStarts.end() ? FCells.size() : static_cast<std::size_t>(*nextStart);
        std::size_t end = start + 1;
        while (end < lineEnd && drawn(FCells[end]) == cell)
            ++end;
        if (cell == TCellFormat{}) {
            start = end;
            continue;
        }
        // A run shown already keeps its cursor, which followed every edit; placing a new one
        // costs a search of the caret's x in its line.
        const int from = static_cast<int>(start), to = static_cast<int>(end);
        while (shown < FOverlay.size() && FOverlay[shown].cursor.selectionStart() < from)
            ++shown;
        if (shown < FOverlay.size() && FOverlay[shown].cursor.selectionStart() == from &&
            FOverlay[shown].cursor.selectionEnd() == to &&
            FOverlayFormats[static_cast<std::size_t>(shown)] == cell) {
            selections.append(FOverlay[shown]);
        } else {
            ExtraSelection selection{QTextCursor(document()), {}};
            selection.cursor.setPosition(from);
            selection.cursor.setPosition(to, QTextCursor::KeepAnchor);
            selection.format.setForeground(ToQColor(cell.Color));
            // QTextLayout rounds each selection out to whole pixels and skips one without a
            // background whose area meets text drawn already, so a run that ends at a fraction
            // of a pixel would hide its neighbour, drawn black. A background, even a clear one,
            // draws every run.
            selection.format.setBackground(Qt::transparent);
            if (cell.Styles.Underline)
                selection.format.setFontUnderline(true);
            if (cell.Styles.StrikeOut)
                selection.format.setFontStrikeOut(true);
            selections.append(selection);
        }
        formats.push_back(cell);
        start = end;
    }
    setExtraSelections(selections);
    FOverlay = std::move(selections);
    FOverlayFormats = std::move(formats);
    UpdateBreakMarks();
}

// ---- Line-break marks

namespace {

const QString BreakMarkText = QStringLiteral("\u23CE"); // ⏎

QFont MarkFont(QFont font, const TFontStyles& styles) {
    font.setBold(styles.Bold);
    font.setItalic(styles.Italic);
    font.setUnderline(styles.Underline);
    font.setStrikeOut(styles.StrikeOut);
    return font;
}

} // namespace

void TRichEdit::SetShowBreaks(bool show) {
    if (show == FShowBreaks)
        return;
    FShowBreaks = show;
    FShownMarks.clear();
    viewport()->update();
}

std::vector<TRichEdit::TBreakMark> TRichEdit::BreakMarks() const {
    std::vector<TBreakMark> marks;
    if (!FShowBreaks)
        return marks;
    EnsureLayout();
    const qreal width = QFontMetricsF(font()).horizontalAdvance(BreakMarkText);
    for (QTextBlock block = document()->begin(); block.isValid() && block.next().isValid();
         block = block.next()) {
        const QTextLayout* layout = block.layout();
        if (!layout || layout->lineCount() == 0)
            continue;
        // The break is the block's last position, after its text.
        const int breakPosition = block.position() + block.length() - 1;
        const QTextLine line = layout->lineAt(layout->lineCount() - 1);
        const qreal x = layout->position().x() + line.cursorToX(block.length() - 1);
        const qreal y = layout->position().y() + line.y();
        const TCellFormat cell = static_cast<std::size_t>(breakPosition) < FCells.size()
                                     ? FCells[static_cast<std::size_t>(breakPosition)]
                                     : TCellFormat{};
        marks.push_back(
            {ByteOf(breakPosition), QRectF(x, y, width, line.height()), cell.Color, cell.Styles});
    }
    return marks;
}

void TRichEdit::UpdateBreakMarks() {
    if (!FShowBreaks)
        return;
    std::vector<TBreakMark> marks = BreakMarks();
    if (marks == FShownMarks)
        return;
    const QPointF scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    QRegion changed;
    for (std::size_t i = 0; i < std::max(marks.size(), FShownMarks.size()); ++i) {
        if (i < marks.size() && i < FShownMarks.size() && marks[i] == FShownMarks[i])
            continue;
        for (const std::vector<TBreakMark>* list : {&marks, &FShownMarks})
            if (i < list->size())
                changed +=
                    (*list)[i].Rect.translated(-scroll).toAlignedRect().adjusted(-1, -1, 1, 1);
    }
    viewport()->update(changed);
}

void TRichEdit::paintEvent(QPaintEvent* event) {
    QTextEdit::paintEvent(event);
    if (!FShowBreaks)
        return;
    FShownMarks = BreakMarks();
    QPainter painter(viewport());
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    for (const TBreakMark& mark : FShownMarks) {
        painter.setFont(MarkFont(font(), mark.Styles));
        painter.setPen(ToQColor(mark.Color));
        painter.drawText(mark.Rect, Qt::AlignLeft | Qt::AlignVCenter, BreakMarkText);
    }
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
    return ByteOf(std::clamp(position, 0, static_cast<int>(FRaw.size())));
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
    if (mode != TImeMode::Hiragana)
        CancelComposition();
    bool switchOn = mode == TImeMode::Hiragana && FImeMode != TImeMode::Hiragana;
    if (switchOn)
        FImeInputSeen = false;
    FImeMode = mode;
    ApplyImeMode();
    if (switchOn && hasFocus())
        RequestJapaneseInput();
}

void TRichEdit::ApplyImeMode() {
    // A Linux input method cannot be closed by an application, and ignores hints: the pane
    // that wants direct keys refuses input methods altogether, so that the input context
    // passes every key on as a key event.
    bool accept = FImeMode == TImeMode::Hiragana;
    setInputMethodHints(Qt::ImhNone);
    setAttribute(Qt::WA_InputMethodEnabled, accept);
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
    if (FComposing && hasFocus())
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
    return RecolourPreedit(event, FCompositionColors);
}

void TRichEdit::inputMethodEvent(QInputMethodEvent* event) {
    // A platform input method does not reach a pane that refuses input methods; a read-only
    // pane takes no input. Either drops the event and any preedit shown.
    if (FImeMode != TImeMode::Hiragana || isReadOnly()) {
        ClearPreedit();
        event->ignore();
        return;
    }
    if (!event->preeditString().isEmpty() || !event->commitString().isEmpty()) {
        FImeInputSeen = true;
        if (OnImeInput)
            OnImeInput();
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
    // The focus may move on while this event is delivered (a window passing it to another
    // pane), and the widget that set it last tells the input context where it lies: once the
    // event is over, the pane that has the focus says so again.
    QMetaObject::invokeMethod(this, &TRichEdit::UpdateInputItem, Qt::QueuedConnection);
    if (FImeMode == TImeMode::Hiragana)
        RequestJapaneseInput();
    if (OnFocusIn)
        OnFocusIn();
}

void TRichEdit::RequestJapaneseInput() {
    QPointer<TRichEdit> self(this);
    InputMethod::RequestJapaneseInput([self] {
        return self && self->hasFocus() && self->FImeMode == TImeMode::Hiragana &&
               !self->FImeInputSeen;
    });
}

void TRichEdit::UpdateInputItem() {
    if (!hasFocus())
        return;
    QTransform toWindow;
    QPoint origin = mapTo(window(), QPoint(0, 0));
    toWindow.translate(origin.x(), origin.y());
    QGuiApplication::inputMethod()->setInputItemTransform(toWindow);
    QGuiApplication::inputMethod()->update(Qt::ImQueryAll);
}

QVariant TRichEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    // QTextEdit says it accepts input methods whatever its attribute: the input context that
    // asks would take the keys of a pane that refuses them.
    if (query == Qt::ImEnabled)
        return isEnabled() && testAttribute(Qt::WA_InputMethodEnabled);
    QVariant value = QTextEdit::inputMethodQuery(query);
    // QTextEdit answers in the coordinates of its viewport, which lies inside the frame.
    if (query == Qt::ImCursorRectangle)
        return value.toRectF().translated(viewport()->geometry().topLeft());
    return value;
}

void TRichEdit::changeEvent(QEvent* event) {
    QTextEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange)
        setAttribute(Qt::WA_InputMethodEnabled, FImeMode == TImeMode::Hiragana);
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
