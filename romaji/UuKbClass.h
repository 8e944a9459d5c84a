// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The on-screen keyboard of touch typing: the JIS keyboard, or the US one, with or without the
// kana of the JIS kana layout on its keys.
//
// The first half is the keyboard without a screen, part of the core: the key records
// (captions, shift captions, kana legends, rectangles, caption positions) laid out for a paint
// box width from the keyboard's table (UuKbTables) and sorted by caption, and the key outline.
// The JIS keyboard has 72 records, the US one 71.
//
// TKbClass, the second half, draws that keyboard and is part of the windows layer
// (UuKbClass.Paint.cpp, with the legends of a key placed by UuKbLabels). It draws at once, on a
// canvas of its own the size of the paint box, and then asks the paint box for an update; the
// paint box's paint event shows the canvas.
//
// Coordinates are pixels of the paint box at 96 dots per inch, y downwards.

#include "platform/TextPane.h"
#include "romaji/UuKbTables.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QColor;
class QFont;
class QFontMetrics;
class QImage;
class QPolygonF;
class QStaticText;

class QPainter;
class QRegion;
class QWidget;

struct TKbRect {
    std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const TKbRect&, const TKbRect&) = default;
};

struct TKbPoint {
    std::int32_t X = 0, Y = 0;
    friend bool operator==(const TKbPoint&, const TKbPoint&) = default;
};

struct TKeyRec {
    std::string Caption;      // "A", "!", " " (the space bar), "Shift", or "" (the shifted 0)
    std::string ShiftCaption; // the character of the same key with Shift ("1" <-> "!"), or ""
    std::int32_t TextX = 0;   // top left of the caption
    std::int32_t TextY = 0;
    TKbRect Bounds; // the oval is centred in it
    // Indexes into the sorted records: the key the record lies on (itself for a key the
    // picture draws, "1" for "!"), and the Shift key it is typed with, -1 for none.
    std::int32_t Key = -1;
    std::int32_t Shift = -1;
    // The kana legends of a drawn key, Shift_JIS, when the picture shows kana: "ち" on A, "ぃ"
    // as the Shift kana of E. Empty otherwise.
    std::string Kana;
    std::string ShiftKana;
};

// The records of the JIS keyboard; the US keyboard has one fewer, without a shifted 0.
inline constexpr int KeyCount = 72;
inline constexpr int UsKeyCount = 71;
inline constexpr int OutlinePointCount = 360;

// Indexes into the JIS keyboard's records sorted by caption.
inline constexpr int EmptyCaptionKey = 0; // the shifted 0, which has no character
inline constexpr int SpaceKey = 1;
inline constexpr int LeftShiftKey = 53;
inline constexpr int RightShiftKey = 54;
inline constexpr int UnderscoreKey = 66;

using TKeyRecs = std::vector<TKeyRec>;

// A key's outline relative to its centre: 181 points of a tilted oval (the first and the last
// coincide), then 179 times the centre itself.
using TKeyOutline = std::array<TKbPoint, OutlinePointCount>;

struct TKbGeometry {
    TKeyboardStyle Style;
    std::int32_t Unit = 0;       // key pitch: paint box width div the keyboard's columns
    std::int32_t FontPixels = 1; // em height of the caption font
    bool FontBold = false;       // small captions are bold
    std::int32_t LabelDy = 0;    // finger names sit this far below the bottom-row captions
    double OutlineScale = 0;
    TKeyOutline Outline{};
    TKeyRecs Keys; // sorted by Caption, byte order

    int Count() const { return static_cast<int>(Keys.size()); }
    // Binary search on the captions; when `caption` is missing, `index` is where it would be
    // inserted (0..Count()).
    bool FindKey(std::string_view caption, int& index) const;
    // The record of the single character `c`.
    bool FindKey(char c, int& index) const { return FindKey(std::string_view(&c, 1), index); }
    // Centre of the oval of record `index`.
    TKbPoint Centre(int index) const;

    // Whether the picture draws record `index` as a key of its own; characters typed with
    // Shift are written on their keys instead, all but the JIS _, which has a key of its own.
    bool IsPainted(int index) const;
    // Whether record `index` is a character typed with Shift.
    bool IsShifted(int index) const;
    // The Shift key record `index` is typed with: the one of the other hand than the finger
    // that strikes its key; -1 for a record not typed with Shift.
    int ShiftKeyOf(int index) const;
    // The drawn key at the place `key` of a stroke; -1 for none.
    int KeyAt(char key) const;
    // The Shift key that goes with a stroke of `key` when Shift is held: the one of the other
    // hand; -1 when the keyboard has no such key.
    int ShiftKeyFor(char key) const;
    // The finger of the key at the place `key`, 1..8; 0 for the space bar and unknown keys.
    int FingerOf(char key) const { return ::FingerOf(Style.Kind, key); }
};

// The widest paint box laid out as it is; a wider one is laid out at this width (the largest
// widget size), which keeps every coordinate well inside 32 bits. A negative width counts as 0.
inline constexpr int MaxKeyboardWidth = 16777215;

// The key pitch the main window shows the keyboard at, at most: a keyboard 700 pixels wide,
// whose captions read easily; a larger window gives its room to the example instead.
inline constexpr int MaxKeyUnit = 50;

// Lays the keyboard of `style` out for a paint box `width` pixels wide: the key unit is width
// div the keyboard's columns (14 for JIS, 15 for US), or the largest smaller unit at which the
// whole keyboard, finger names included, fits `height`.
TKbGeometry LayoutKeyboard(int width, int height = std::numeric_limits<int>::max(),
                           TKeyboardStyle style = {});
// The width a keyboard of `kind` takes at the key pitch `unit`.
int KeyboardWidth(TKeyboardKind kind, int unit);
// The lowest pixel row the keyboard of `geometry` draws on, plus one: the ovals with their pen,
// and the finger names under the bottom row (a line of 5/4 of the font's pixel height, which
// holds the ascent and descent of the caption fonts).
std::int32_t KeyboardHeight(const TKbGeometry& geometry);

// The outline at `scale`, each point taken to the nearest pixel (a half to the even one).
TKeyOutline KeyOutline(double scale);
// Largest y minus smallest y of the outline.
std::int32_t OutlineHeight(const TKeyOutline& outline);
// The first of 1.6, 1.7, 1.8, ... whose outline is taller than `unit` pixels.
double OutlineScale(std::int32_t unit);

// The same of the JIS keyboard, by its sorted indexes:
// Records 2-12 (! to +), 29-32 (< = > ?) and 66-71 (_ ` { | } ~): characters typed with Shift.
bool IsShiftedKey(int index);
// The Shift key that a shifted character is typed with: the right one for ! " # $ % (struck by
// the left hand), the left one for the others; -1 for a key that is not shifted.
int ShiftKeyOf(int index);
// Whether the keyboard picture draws record `index` itself. The shifted characters are written
// on their base keys instead, all but _, which is a key of its own.
bool IsPaintedKey(int index);

// ---- Drawing a key, for every picture of the keyboard (UuKbLabels.cpp)

// The area a key covers, relative to its centre: its oval filled and drawn with a line of 2
// pixels, that is the oval pushed half the line's width outwards along its normals. The oval is
// the one the outline's whole-pixel points round (half axes 10 and 7 times `scale`, turned by
// 120 degrees), taken as the curve itself: within half a pixel of those points, and a smooth
// edge at a scale factor above 1 where the rounded points would show their steps. Worked out
// once per layout, so that drawing a key is one fill.
QPolygonF KeyArea(double scale);

// Writes `text` with its top left at (x, y), as (TextX, TextY) give it, over a rim of one pixel
// in `rim`: a caption reaching beyond its oval stays readable on the button face. The text is
// laid out once and drawn five times from that layout.
void WriteKeyText(QPainter& painter, const QStaticText& text, int x, int y, const QColor& color,
                  const QColor& rim);

// The keyboard picture in the paint box `PaintBox1` of the main window. The paint box's paint
// event calls PaintKeyboard and MarkKeys and then draws Canvas() at (0, 0); every other call
// draws at once and asks the paint box for an update.
class TKbClass : public QObject {
public:
    explicit TKbClass(QObject* owner);
    ~TKbClass() override;
    TKbClass(const TKbClass&) = delete;
    TKbClass& operator=(const TKbClass&) = delete;

    // The paint box to draw on; set before the first LayoutKeys.
    void SetPaintBox(QWidget* paintBox);
    QWidget* PaintBox() const;

    // Lays the keys out for the current size of the paint box.
    void LayoutKeys();
    // The keyboard to draw and whether its keys show kana. Lays the keys out again, which
    // takes every mark off; the next PaintKeyboard draws the new picture.
    void SetStyle(TKeyboardStyle style);
    TKeyboardStyle Style() const { return FGeometry.Style; }
    // Draws the whole keyboard with no key marked and no finger highlighted. An error shows
    // "PaintKb \r\n" and its message; the picture stays as far as it got.
    void PaintKeyboard();
    // Marks the key of `next` blue and the key of `wrong` red (0 = none), with the Shift key a
    // shifted next character needs. While a wrong key is given, only the key already marked as
    // next is marked again; a wrong key without a key leaves WrongKey() as it was.
    void MarkKeys(char next, char wrong);
    // Draws the key of `c` (and the Shift key it needs) unmarked; nothing when `c` has no key.
    // When that was the key marked as next, none is marked as next any more.
    void UnmarkKey(char c);
    // Marks by place, as kana input types: the key of `next` blue, with the Shift key of the
    // other hand when next.Shift, and the key of `wrong` red (Key 0 = none; the Shift of a
    // wrong stroke is not marked), by the rules of MarkKeys.
    void MarkStrokes(TKeyStroke next, TKeyStroke wrong);
    // Draws the key of `stroke` (and its Shift) unmarked, as UnmarkKey does.
    void UnmarkStroke(TKeyStroke stroke);
    // Writes all finger names, the one of `finger` (1..8) in blue; 0 or any other value
    // highlights none.
    void ShowFinger(int finger);

    bool FindKey(std::string_view caption, int& index) const {
        return FGeometry.FindKey(caption, index);
    }
    const TKbGeometry& Geometry() const { return FGeometry; }
    int NextKey() const { return FNextKey; }   // -1 when none
    int WrongKey() const { return FWrongKey; } // -1 when none
    char NextChar() const { return FNextChar; }
    TKeyStroke NextStroke() const { return FNextStroke; } // of the last MarkStrokes

    // What the paint box's paint event draws at (0, 0); its device pixel ratio is the paint
    // box's. Null before anything was drawn or while the paint box is empty.
    const QImage& Canvas() const;

private:
    // How a painted key is shown: plain, marked as next (with the Shift it needs) or wrong.
    enum class TMark : std::uint8_t { None, Next, Wrong };

    void InitKeyboard();
    // The canvas, fitted to the paint box; nullptr while there is nothing to draw on.
    QImage* FitCanvas();
    QFont CaptionFont() const;
    // The finger names' type: the captions', smaller when a name would run into the next.
    QFont FingerNameFont() const;
    // The pixels each painted key and each finger name covers, measured once per layout.
    void MeasureAreas();
    static QString FingerName(int finger);
    // Draws `area` of the keyboard as a whole picture would show it, with the marks and the
    // finger of now, and asks the paint box to show that part.
    void Redraw(const QRegion& area);
    // Draws what `draw` draws over `area` by copying `picture`, drawn by `draw` first when
    // still null.
    template <typename TDraw>
    void DrawCopied(QPainter& painter, QImage& picture, const QRect& area, TDraw draw);
    void FitPictures();
    // Draws painted key `index` with its mark and finger name `finger` in its colour of now,
    // each copied from its picture.
    void DrawKey(QPainter& painter, int index);
    void DrawKeyShape(QPainter& painter, int index, TMark mark);
    void DrawFingerName(QPainter& painter, int finger);
    void DrawFingerNameText(QPainter& painter, int finger, bool shown);
    // Shows `record` (through the painted key where it lies) as `mark`; RedrawChanged draws the
    // keys whose mark changed.
    void SetMark(int record, TMark mark);
    void RedrawChanged();
    // The common part of MarkKeys and MarkStrokes: `next` the record to mark as next with its
    // Shift record `nextShift` (-1 for none), `wrong` the record to mark as wrong; -1 for a
    // character or place the keyboard lacks. Returns whether `next` is now marked as next.
    bool Mark(int next, int nextShift, bool wrongGiven, int wrong, bool sameNext);
    // Takes the marks of record `index` and its Shift off.
    void Unmark(int index, int shift);

    QPointer<QWidget> FPaintBox;
    TKbGeometry FGeometry;
    std::vector<QPoint> FOval; // a key's outline around its centre
    struct TDrawing;
    std::unique_ptr<TDrawing> FDrawing; // what drawing a key needs, worked out per layout
    std::vector<TMark> FMarks;          // per painted key
    std::vector<int> FChanged;          // painted keys whose mark changed since the last draw
    std::vector<QRect> FAreas;          // per painted key; empty until measured
    std::array<QRect, 8> FLabelAreas;   // per finger 1..8
    int FShownFinger = 0;               // the finger whose name is blue
    int FNextKey = -1;                  // record marked as next
    int FNextShift = -1;                // Shift record marked with the next key
    int FWrongKey = -1;                 // record marked as wrong
    char FNextChar = 0;                 // character of the key marked as next
    TKeyStroke FNextStroke;             // stroke of the key marked as next
    std::unique_ptr<QImage> FCanvas;
    // An error box of PaintKeyboard is showing, or was shown for this message and no paint has
    // succeeded since: every repaint would fail the same way and bring the box back.
    bool FShowingError = false;
    QString FLastError;
};
