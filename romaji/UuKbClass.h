#pragma once

// The on-screen JIS keyboard of touch typing.
//
// The first half is the keyboard without a screen, part of the core: the 72 key records
// (captions, shift captions, rectangles, caption positions) laid out for a paint box width and
// sorted by caption, the key outline, and the finger that strikes each character. The drill
// engine takes the finger of its next key from here.
//
// TKbClass, the second half, draws that keyboard and is part of the windows layer
// (UuKbClass.Paint.cpp). It draws at once, on a canvas of its own the size of the paint box, and
// then asks the paint box for an update; the paint box's paint event shows the canvas.
//
// Coordinates are pixels of the paint box at 96 dots per inch, y downwards.

#include "platform/TextPane.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class QImage;
class QPainter;
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
};

inline constexpr int KeyCount = 72;
inline constexpr int OutlinePointCount = 360;

// Indexes into the records sorted by caption.
inline constexpr int EmptyCaptionKey = 0; // the shifted 0, which has no character
inline constexpr int SpaceKey = 1;
inline constexpr int LeftShiftKey = 53;
inline constexpr int RightShiftKey = 54;
inline constexpr int UnderscoreKey = 66;

using TKeyRecs = std::array<TKeyRec, KeyCount>;

// A key's outline relative to its centre: 181 points of a tilted oval (the first and the last
// coincide), then 179 times the centre itself.
using TKeyOutline = std::array<TKbPoint, OutlinePointCount>;

struct TKbGeometry {
    std::int32_t Unit = 0;       // key pitch: paint box width div 14
    std::int32_t FontPixels = 1; // em height of the caption font
    bool FontBold = false;       // small captions are bold
    std::int32_t LabelDy = 0;    // finger names sit this far below the bottom-row captions
    double OutlineScale = 0;
    TKeyOutline Outline{};
    TKeyRecs Keys; // sorted by Caption, byte order

    // Binary search on the captions; when `caption` is missing, `index` is where it would be
    // inserted (0..KeyCount).
    bool FindKey(std::string_view caption, int& index) const;
    // The record of the single character `c`.
    bool FindKey(char c, int& index) const { return FindKey(std::string_view(&c, 1), index); }
    // Centre of the oval of record `index`.
    TKbPoint Centre(int index) const;
};

// The widest paint box laid out as it is; a wider one is laid out at this width (the largest
// widget size), which keeps every coordinate well inside 32 bits. A negative width counts as 0.
inline constexpr int MaxKeyboardWidth = 16777215;

TKbGeometry LayoutKeyboard(int width);

// The outline at `scale`, each point taken to the nearest pixel (a half to the even one).
TKeyOutline KeyOutline(double scale);
// Largest y minus smallest y of the outline.
std::int32_t OutlineHeight(const TKeyOutline& outline);
// The first of 1.6, 1.7, 1.8, ... whose outline is taller than `unit` pixels.
double OutlineScale(std::int32_t unit);

// Records 2-12 (! to +), 29-32 (< = > ?) and 66-71 (_ ` { | } ~): characters typed with Shift.
bool IsShiftedKey(int index);
// The Shift key that a shifted character is typed with: the right one for ! " # $ % (struck by
// the left hand), the left one for the others; -1 for a key that is not shifted.
int ShiftKeyOf(int index);
// Whether the keyboard picture draws record `index` itself. The shifted characters are written
// on their base keys instead, all but _, which is a key of its own.
bool IsPaintedKey(int index);

// Fingers: 1 left little, 2 left ring, 3 left middle, 4 left index, 5 right index, 6 right
// middle, 7 right ring, 8 right little; 0 none.
enum class TFingerKind { Little, Ring, Middle, Index };

struct TFingerRow {
    TFingerKind Kind;
    std::string_view LabelKey; // caption of the key under which the finger's name is written
    std::string_view Chars;    // the characters the finger types (upper-case letters)
};
inline constexpr std::array<TFingerRow, 8> FingerRows = {{
    {TFingerKind::Little, "Z", "!1AQZ"},
    {TFingerKind::Ring, "X", "\"2SWX"},
    {TFingerKind::Middle, "C", "#3CDE"},
    {TFingerKind::Index, "V", "$%45BFGRTV"},
    {TFingerKind::Index, "N", "&'67HJMNUY"},
    {TFingerKind::Middle, ",", "(,8<IK"},
    {TFingerKind::Ring, ".", ").9>LO"},
    {TFingerKind::Little, "/", "*+-/0:;=?@P[\\]^_`{|}~"},
}};

// The key colours beyond those of the text panes: aqua is PaneColors::Cyan.
namespace KbColors {
inline constexpr TRgb Lime{0, 255, 0};
inline constexpr TRgb Yellow{255, 255, 0};
} // namespace KbColors

struct TFingerKindRow {
    TRgb Color; // fill of the keys the finger strikes, and of its name
    std::u16string_view Name;
};
// Indexed by TFingerKind.
inline constexpr std::array<TFingerKindRow, 4> FingerKinds = {{
    {PaneColors::Cyan, u"小指"},
    {KbColors::Lime, u"薬指"},
    {KbColors::Yellow, u"中指"},
    {PaneColors::White, u"人差し指"},
}};

// The finger of the key of `c`; 0 for the space, lower-case letters and everything else.
int FingerOf(char c);
// The kind of finger 1..8.
TFingerKind KindOf(int finger);
// Fill colour of a key by its caption: the colour of its finger, white for the space bar, aqua
// for the Shift keys and the shifted 0.
TRgb KeyColor(std::string_view caption);

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

    // Lays the keys out for the current width of the paint box.
    void LayoutKeys();
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

    // What the paint box's paint event draws at (0, 0); its device pixel ratio is the paint
    // box's. Null before anything was drawn or while the paint box is empty.
    const QImage& Canvas() const;

private:
    void InitKeyboard();
    // Opens a painter on the canvas, fitted to the paint box, runs `steps` with it (with nullptr
    // when there is nothing to draw on) and asks the paint box to show the result.
    template <typename TSteps>
    void Draw(TSteps&& steps);
    QImage* FitCanvas();
    void RequestUpdate();
    // Draws record `index` as an oval filled with `fill` and its captions in `text`. `fresh`
    // skips clearing what an earlier drawing of the key left around its captions.
    void DrawKey(QPainter* painter, int index, TRgb fill, TRgb text, bool fresh = false);
    void DrawNormalKey(QPainter* painter, int index) {
        DrawKey(painter, index, KeyColor(FGeometry.Keys[index].Caption), PaneColors::Grey);
    }
    void DrawFingerNames(QPainter* painter, int finger);

    QPointer<QWidget> FPaintBox;
    TKbGeometry FGeometry;
    int FNextKey = -1;  // record marked as next
    int FWrongKey = -1; // record marked as wrong
    char FNextChar = 0; // character of the key marked as next
    std::unique_ptr<QImage> FCanvas;
    // An error box of PaintKeyboard is showing, or was shown for this message and no paint has
    // succeeded since: every repaint would fail the same way and bring the box back.
    bool FShowingError = false;
    QString FLastError;
};
