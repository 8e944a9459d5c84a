// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuKbClass.h"

#include "platform/Fonts.h"
#include "platform/ShiftJis.h"
#include "romaji/UuKbLabels.h"
#include "tests/support/DialogRecorder.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <limits>
#include <map>

namespace {

QColor ToQColor(TRgb c) {
    return QColor(c.R, c.G, c.B);
}

const QColor Blue(0, 0, 255);
const QColor Yellow(255, 255, 0);
const QColor Red(255, 0, 0);
const QColor Aqua(0, 255, 255);
const QColor Lime(0, 255, 0);
const QColor White(255, 255, 255);
const QColor Grey(128, 128, 128);

void UseKeyboardFont(QWidget& paintBox) {
    QFont font(ProportionalFontFace);
    font.setPixelSize(12);
    paintBox.setFont(font);
}

// A paint box whose paint event does what the main window's does: the whole keyboard, the
// marks, then the canvas onto the screen.
class TTestPaintBox : public QWidget {
public:
    TKbClass* Keyboard = nullptr;
    char Next = 0;
    char Wrong = 0;
    int Paints = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        ++Paints;
        Keyboard->PaintKeyboard();
        Keyboard->MarkKeys(Next, Wrong);
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), Keyboard->Canvas());
    }
};

class KbClassPaintTest : public testing::Test {
protected:
    KbClassPaintTest() {
        FBox.resize(700, 320);
        UseKeyboardFont(FBox);
        Kb.SetPaintBox(&FBox);
        Kb.LayoutKeys();
        Kb.PaintKeyboard();
    }

    int Index(std::string_view caption) const {
        int index = -1;
        EXPECT_TRUE(Kb.FindKey(caption, index)) << caption;
        return index;
    }

    // Counts the colours of the pixels inside the oval of `caption`'s key.
    std::map<QRgb, int> OvalColours(std::string_view caption) const {
        const TKbGeometry& g = Kb.Geometry();
        const TKbPoint c = g.Centre(Index(caption));
        QPolygon oval;
        for (int i = 0; i <= 180; ++i)
            oval << QPoint(c.X + g.Outline[i].X, c.Y + g.Outline[i].Y);
        std::map<QRgb, int> colours;
        const QRect box = oval.boundingRect();
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                if (oval.containsPoint(QPoint(x, y), Qt::OddEvenFill))
                    ++colours[Kb.Canvas().pixel(x, y) & RGB_MASK];
            }
        }
        return colours;
    }

    // The fill of a key: the commonest colour of its oval, whatever is written on it.
    QColor Fill(std::string_view caption) const {
        std::map<QRgb, int> colours = OvalColours(caption);
        auto most = std::max_element(colours.begin(), colours.end(),
                                     [](auto& a, auto& b) { return a.second < b.second; });
        return QColor(most->first);
    }

    // Pixels of the oval written in `colour`: nearer to it than to the fill. Thin strokes,
    // smoothed, cover no pixel whole, so the exact colour may not appear at all.
    int InOval(std::string_view caption, const QColor& colour) const {
        const QColor fill = Fill(caption);
        auto distance = [](const QColor& a, const QColor& b) {
            const int r = a.red() - b.red(), g = a.green() - b.green(), bl = a.blue() - b.blue();
            return r * r + g * g + bl * bl;
        };
        int count = 0;
        for (const auto& [rgb, pixels] : OvalColours(caption)) {
            const QColor pixel(rgb);
            if (distance(pixel, colour) < distance(pixel, fill))
                count += pixels;
        }
        return count;
    }

    int InArea(const QRect& area, const QColor& colour) const {
        const QRect inside = area & Kb.Canvas().rect();
        int count = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            for (int x = inside.left(); x <= inside.right(); ++x)
                count += Kb.Canvas().pixelColor(x, y) == colour;
        }
        return count;
    }

    // Pixels of `colour` where the finger name under `labelKey` is written.
    int InLabel(std::string_view labelKey, const QColor& colour) const {
        const TKbGeometry& g = Kb.Geometry();
        const TKeyRec& key = g.Keys[Index(labelKey)];
        auto row = std::find_if(FingerRows.begin(), FingerRows.end(),
                                [&](const TFingerRow& r) { return r.LabelKey == labelKey; });
        const int letters = static_cast<int>(FingerKinds[static_cast<int>(row->Kind)].Name.size());
        return InArea(
            QRect(key.TextX, key.TextY + g.LabelDy, letters * g.FontPixels, g.FontPixels * 3 / 2),
            colour);
    }

    void ExpectUnmarked(std::string_view caption) const {
        EXPECT_EQ(Fill(caption), ToQColor(KeyColor(caption))) << caption;
    }

    QWidget FBox;
    TKbClass Kb{nullptr};
};

TEST_F(KbClassPaintTest, UnmarkedKeysInTheirFingerColoursWithGreyCaptions) {
    ASSERT_EQ(Kb.Canvas().size(), QSize(700, 320));
    EXPECT_EQ(Kb.Canvas().pixelColor(2, 2), FBox.palette().color(QPalette::Button));
    for (int i = 0; i < KeyCount; ++i) {
        if (!IsPaintedKey(i) || i == EmptyCaptionKey)
            continue;
        const std::string& caption = Kb.Geometry().Keys[i].Caption;
        ExpectUnmarked(caption);
        if (caption != " ") {
            EXPECT_GT(InOval(caption, Grey), 3) << caption;
        }
    }
    // The shifted characters are written on their base keys, at the upper middle.
    const TKbGeometry& g = Kb.Geometry();
    const TKeyRec& exclamation = g.Keys[Index("!")];
    const int u = g.Unit;
    EXPECT_GT(InArea(QRect(exclamation.TextX, exclamation.TextY, u / 3, u / 2), Grey), 3);
    const TKbRect& q = g.Keys[Index("Q")].Bounds;
    EXPECT_EQ(InArea(QRect(q.Left + u / 2 - 2, q.Top + 2, u / 3, u / 2), Grey), 0);
}

TEST_F(KbClassPaintTest, FingerNamesInTheirColours) {
    EXPECT_GT(InLabel("Z", Aqua), 10);
    EXPECT_GT(InLabel("/", Aqua), 10);
    EXPECT_GT(InLabel("X", Lime), 10);
    EXPECT_GT(InLabel(".", Lime), 10);
    EXPECT_GT(InLabel("C", Yellow), 10);
    EXPECT_GT(InLabel(",", Yellow), 10);
    EXPECT_GT(InLabel("V", White), 10);
    EXPECT_GT(InLabel("N", White), 10);
    for (std::string_view key : {"Z", "X", "C", "V", "N", ",", ".", "/"})
        EXPECT_EQ(InLabel(key, Blue), 0) << key;
}

// Light names (人差し指 in white) get a dark rim on the button face, the blue one a white rim;
// the ovals have smoothed edges.
TEST_F(KbClassPaintTest, NamesHaveARimAndOvalsSmoothEdges) {
    // Dark pixels where a name is written; the rims are smoothed, so not all are the rim colour.
    auto darkInLabel = [&](std::string_view labelKey) {
        const TKbGeometry& g = Kb.Geometry();
        const TKeyRec& key = g.Keys[Index(labelKey)];
        const QRect area =
            QRect(key.TextX, key.TextY + g.LabelDy, 4 * g.FontPixels, g.FontPixels * 3 / 2) &
            Kb.Canvas().rect();
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += Kb.Canvas().pixelColor(x, y).lightness() < 100;
        return count;
    };
    for (std::string_view key : {"V", "N", "C", "Z"})
        EXPECT_GT(darkInLabel(key), 10) << key;
    Kb.ShowFinger(4);
    EXPECT_GT(InLabel("V", Qt::white), 10);

    std::map<QRgb, int> edge;
    const TKbGeometry& g = Kb.Geometry();
    const TKbPoint c = g.Centre(Index("A"));
    for (int x = c.X - g.Unit; x <= c.X + g.Unit; ++x)
        ++edge[Kb.Canvas().pixel(x, c.Y - g.Unit / 3) & RGB_MASK];
    const QColor face = FBox.palette().color(QPalette::Button);
    int blended = 0;
    for (auto [rgb, count] : edge)
        blended += QColor(rgb) != face && QColor(rgb) != Aqua && QColor(rgb) != Grey &&
                   QColor(rgb) != Lime;
    EXPECT_GT(blended, 0) << "no smoothed pixel between oval and ground";
}

TEST_F(KbClassPaintTest, MarkingAColoursItBlueWithYellowText) {
    Kb.MarkKeys('A', 0);
    EXPECT_EQ(Fill("A"), Blue);
    EXPECT_GT(InOval("A", Yellow), 5);
    EXPECT_EQ(Kb.NextKey(), Index("A"));
    EXPECT_EQ(Kb.NextChar(), 'A');
    EXPECT_EQ(Kb.WrongKey(), -1);
    EXPECT_EQ(Fill("Shift"), Aqua);
    EXPECT_EQ(Kb.Canvas().pixelColor(Kb.Geometry().Centre(RightShiftKey).X,
                                     Kb.Geometry().Centre(RightShiftKey).Y - 10),
              Aqua);
    ExpectUnmarked("S");

    Kb.ShowFinger(FingerOf('A'));
    EXPECT_GT(InLabel("Z", Blue), 10);
    EXPECT_EQ(InLabel("/", Blue), 0);
}

struct TShiftCase {
    const char* Name;
    char Next;
    std::string_view Key; // where the character is written
    int MarkedShift;
    int OtherShift;
};

class KbClassShiftTest : public KbClassPaintTest, public testing::WithParamInterface<TShiftCase> {
protected:
    QColor ShiftFill(int index) const {
        const TKbPoint c = Kb.Geometry().Centre(index);
        return Kb.Canvas().pixelColor(c.X, c.Y - Kb.Geometry().Unit / 4);
    }
};

TEST_P(KbClassShiftTest, MarksTheBaseKeyAndTheShiftOfTheOtherHand) {
    const TShiftCase& c = GetParam();
    Kb.MarkKeys(c.Next, 0);
    EXPECT_EQ(Fill(c.Key), Blue);
    EXPECT_GT(InOval(c.Key, Yellow), 5);
    EXPECT_EQ(ShiftFill(c.MarkedShift), Blue);
    EXPECT_EQ(ShiftFill(c.OtherShift), Aqua);

    // The next mark takes the Shift mark with it.
    Kb.MarkKeys('A', 0);
    ExpectUnmarked(c.Key);
    EXPECT_EQ(ShiftFill(c.MarkedShift), Aqua);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, KbClassShiftTest,
    testing::Values(TShiftCase{"Exclamation", '!', "1", RightShiftKey, LeftShiftKey},
                    TShiftCase{"Percent", '%', "5", RightShiftKey, LeftShiftKey},
                    TShiftCase{"Ampersand", '&', "6", LeftShiftKey, RightShiftKey},
                    TShiftCase{"Question", '?', "/", LeftShiftKey, RightShiftKey},
                    TShiftCase{"Underscore", '_', "_", LeftShiftKey, RightShiftKey}),
    [](const testing::TestParamInfo<TShiftCase>& info) { return info.param.Name; });

TEST_F(KbClassPaintTest, WrongKeyIsRedWhileTheNextKeepsItsBlue) {
    Kb.MarkKeys('A', 0);
    Kb.MarkKeys('A', 'S');
    EXPECT_EQ(Fill("A"), Blue);
    EXPECT_EQ(Fill("S"), Red);
    EXPECT_GT(InOval("S", Yellow), 5);
    EXPECT_EQ(Kb.WrongKey(), Index("S"));

    // The next right key takes the red mark off.
    Kb.MarkKeys('D', 0);
    ExpectUnmarked("A");
    ExpectUnmarked("S");
    EXPECT_EQ(Fill("D"), Blue);
    EXPECT_EQ(Kb.WrongKey(), -1);
}

TEST_F(KbClassPaintTest, DifferentNextIsNotMarkedWhileAWrongKeyIsGiven) {
    Kb.MarkKeys('!', 0);
    Kb.MarkKeys('B', 'S');
    EXPECT_EQ(Fill("1"), Blue);
    ExpectUnmarked("B");
    EXPECT_EQ(Fill("S"), Red);
    EXPECT_EQ(Kb.NextChar(), '!');
    // The Shift mark stays with the 1 key, which is still the one marked.
    const TKbPoint right = Kb.Geometry().Centre(RightShiftKey);
    EXPECT_EQ(Kb.Canvas().pixelColor(right.X, right.Y - 10), Blue);

    Kb.MarkKeys('B', 0);
    EXPECT_EQ(Fill("B"), Blue);
    ExpectUnmarked("1");
    ExpectUnmarked("S");
    EXPECT_EQ(Kb.Canvas().pixelColor(right.X, right.Y - 10), Aqua);
}

TEST_F(KbClassPaintTest, WrongKeyWithoutARecordLeavesWrongKeyAsItWas) {
    Kb.MarkKeys('A', 0);
    Kb.MarkKeys('A', 'S');
    Kb.MarkKeys('A', '\x01');
    EXPECT_EQ(Kb.WrongKey(), Index("S"));
    EXPECT_EQ(Fill("A"), Blue);
    ExpectUnmarked("S"); // the old red mark is taken off all the same
}

TEST_F(KbClassPaintTest, MarkingNothingTakesAllMarksOff) {
    Kb.MarkKeys('!', 0);
    Kb.MarkKeys('!', 'Q');
    Kb.MarkKeys(0, 0);
    ExpectUnmarked("1");
    ExpectUnmarked("Q");
    EXPECT_EQ(Kb.NextKey(), -1);
    EXPECT_EQ(Kb.WrongKey(), -1);
    EXPECT_EQ(Kb.NextChar(), 0);
}

TEST_F(KbClassPaintTest, UnmarkKeyDrawsTheKeyAndItsShiftPlain) {
    const QImage plain = Kb.Canvas().copy();
    Kb.MarkKeys('?', 0);
    Kb.UnmarkKey('?');
    EXPECT_EQ(Kb.Canvas(), plain);
    EXPECT_EQ(Kb.NextKey(), -1);

    Kb.MarkKeys('A', 0);
    const QImage marked = Kb.Canvas().copy();
    Kb.UnmarkKey(0);
    Kb.UnmarkKey('\x01');
    EXPECT_EQ(Kb.Canvas(), marked);
    EXPECT_EQ(Kb.NextKey(), Index("A"));
}

TEST_F(KbClassPaintTest, ShowFingerWritesOneNameInBlue) {
    const std::string_view labels = "ZXCVN,./";
    for (int finger = 1; finger <= 8; ++finger) {
        Kb.ShowFinger(finger);
        for (int other = 1; other <= 8; ++other) {
            const std::string_view key = labels.substr(other - 1, 1);
            if (other == finger)
                EXPECT_GT(InLabel(key, Blue), 10) << finger;
            else
                EXPECT_EQ(InLabel(key, Blue), 0) << finger << " under " << key;
        }
    }
    for (int none : {0, 9, -1}) {
        Kb.ShowFinger(none);
        for (std::size_t i = 0; i < labels.size(); ++i)
            EXPECT_EQ(InLabel(labels.substr(i, 1), Blue), 0) << none;
    }
}

// Every mark is drawn over the last; taking them all off gives the picture as first painted,
// pixel for pixel, with no fringe of an older caption colour left anywhere.
TEST_F(KbClassPaintTest, MarksLeaveNoTrace) {
    const QImage plain = Kb.Canvas().copy();
    Kb.MarkKeys('!', 0);
    Kb.ShowFinger(1);
    Kb.MarkKeys('!', 'Q');
    Kb.MarkKeys('?', 0);
    Kb.ShowFinger(8);
    Kb.MarkKeys('?', ' ');
    Kb.MarkKeys('_', 0);
    Kb.ShowFinger(5);
    Kb.MarkKeys(0, 0);
    Kb.ShowFinger(0);
    EXPECT_EQ(Kb.Canvas(), plain);
}

TEST_F(KbClassPaintTest, LayoutFollowsTheWidth) {
    FBox.resize(900, 380);
    Kb.LayoutKeys();
    Kb.PaintKeyboard();
    EXPECT_EQ(Kb.Geometry().Unit, 64);
    EXPECT_EQ(Kb.Canvas().size(), QSize(900, 380));
    Kb.MarkKeys('A', 0);
    EXPECT_EQ(Fill("A"), Blue);
    ExpectUnmarked("S");
}

// The pictures: the JIS keyboard with its romaji captions, with kana, and the US keyboard.
struct TStyleCase {
    const char* Name;
    TKeyboardStyle Style;
};

const TStyleCase Styles[] = {
    {"JisRomaji", {TKeyboardKind::Jis, TKeyLegends::Romaji}},
    {"JisKana", {TKeyboardKind::Jis, TKeyLegends::Kana}},
    {"Us", {TKeyboardKind::Us, TKeyLegends::Romaji}},
};

class KbClassStyleTest : public testing::TestWithParam<TStyleCase> {};

// Marked keys and finger names are copied from pictures made when first drawn: after another
// style or size every key shows what a keyboard made in that style and size shows, with no
// picture of the one before.
TEST(KbClassPicturesTest, FollowStyleAndSize) {
    // The keyboard in `style`, painted whole, then marked and a finger shown twice.
    auto paintMarked = [](TKbClass& kb, TKeyboardStyle style) {
        kb.SetStyle(style);
        kb.LayoutKeys();
        kb.PaintKeyboard();
        kb.MarkKeys('A', 'Q');
        kb.ShowFinger(3);
        kb.MarkKeys('K', 0);
        kb.ShowFinger(7);
    };
    for (const TStyleCase& from : Styles) {
        for (const TStyleCase& to : Styles) {
            for (const QSize size : {QSize(700, 320), QSize(560, 260)}) {
                SCOPED_TRACE(std::string(from.Name) + " to " + to.Name + " at " +
                             std::to_string(size.width()));
                QWidget box, freshBox;
                for (QWidget* b : {&box, &freshBox}) {
                    b->resize(700, 320);
                    UseKeyboardFont(*b);
                }
                TKbClass kb(nullptr);
                kb.SetPaintBox(&box);
                paintMarked(kb, from.Style);
                box.resize(size);
                paintMarked(kb, to.Style);

                freshBox.resize(size);
                TKbClass fresh(nullptr);
                fresh.SetPaintBox(&freshBox);
                paintMarked(fresh, to.Style);
                EXPECT_EQ(kb.Canvas(), fresh.Canvas());
            }
        }
    }
}

// Every legend stays inside its key at every size the main window shows (up to MaxKeyUnit):
// above the finger names nothing but the ovals (with their line and smoothed edge) differs
// from the button face. "%" beside its 5 and "Shift" once reached over the edge.
TEST_P(KbClassStyleTest, CaptionsStayInsideTheirKeysAtEverySize) {
    const TKeyboardStyle style = GetParam().Style;
    for (int unit = 8; unit <= MaxKeyUnit; ++unit) {
        SCOPED_TRACE(unit);
        QWidget box;
        UseKeyboardFont(box);
        box.resize(KeyboardWidth(style.Kind, unit), 400);
        TKbClass kb(nullptr);
        kb.SetPaintBox(&box);
        kb.SetStyle(style);
        kb.LayoutKeys();
        kb.PaintKeyboard();
        const TKbGeometry& g = kb.Geometry();
        ASSERT_EQ(g.Unit, unit);
        QPainterPath keys;
        keys.setFillRule(Qt::WindingFill); // the ovals overlap
        for (int i = 0; i < g.Count(); ++i) {
            if (!g.IsPainted(i))
                continue;
            const TKbPoint c = g.Centre(i);
            QPolygonF oval;
            for (int k = 0; k <= 180; ++k)
                oval << QPointF(c.X + g.Outline[k].X, c.Y + g.Outline[k].Y);
            keys.addPolygon(oval);
        }
        // The keys as a mask, each grown by the 2-pixel line, the smoothing and the outline's
        // rounding.
        const QImage image = kb.Canvas().convertToFormat(QImage::Format_RGB32);
        QImage covered(image.size(), QImage::Format_RGB32);
        covered.fill(Qt::black);
        {
            QPainter mask(&covered);
            mask.setPen(QPen(Qt::white, 5));
            mask.setBrush(Qt::white);
            mask.drawPath(keys);
        }
        int names = 0;
        ASSERT_TRUE(g.FindKey("Z", names));
        const int namesTop = g.Keys[names].TextY + g.LabelDy - 2;
        const QRgb face = box.palette().color(QPalette::Button).rgb();
        int outside = 0;
        for (int y = 0; y < std::min(namesTop, image.height()); ++y)
            for (int x = 0; x < image.width(); ++x)
                outside +=
                    image.pixel(x, y) != face && covered.pixel(x, y) != QColor(Qt::white).rgb();
        EXPECT_EQ(outside, 0);
    }
}

// The legends of a key never touch one another: their letters with the rim, measured apart
// from the placing, are disjoint.
TEST_P(KbClassStyleTest, LegendsOfAKeyAreClearOfEachOther) {
    QFont base(ProportionalFontFace);
    base.setPixelSize(12);
    for (int unit = 8; unit <= MaxKeyUnit; ++unit) {
        const TKbGeometry g = LayoutKeyboard(KeyboardWidth(GetParam().Style.Kind, unit),
                                             std::numeric_limits<int>::max(), GetParam().Style);
        const std::vector<std::vector<TKeyLabel>> labels = KeyLabels(g, CaptionFont(g, base));
        for (int i = 0; i < g.Count(); ++i) {
            std::vector<QRect> boxes;
            for (const TKeyLabel& label : labels[i]) {
                const QFontMetrics metrics(label.Font);
                const QRect box = metrics.tightBoundingRect(label.Text.text().trimmed())
                                      .translated(label.At.x(), label.At.y() + metrics.ascent())
                                      .adjusted(-1, -1, 1, 1);
                for (const QRect& other : boxes)
                    EXPECT_FALSE(box.intersects(other)) << unit << " " << g.Keys[i].Caption << " "
                                                        << label.Text.text().toStdString();
                boxes.push_back(box);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, KbClassStyleTest, testing::ValuesIn(Styles),
                         [](const testing::TestParamInfo<TStyleCase>& info) {
                             return info.param.Name;
                         });

TEST(KbClassPaintBoxTest, PaintEventShowsTheCanvasAndAMarkAsksForOneUpdate) {
    TTestPaintBox box;
    UseKeyboardFont(box);
    TKbClass kb(nullptr);
    box.Keyboard = &kb;
    box.Next = 'A';
    box.resize(700, 300);
    kb.SetPaintBox(&box);
    kb.LayoutKeys();
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QTest::qWait(100);
    const int paints = box.Paints;
    EXPECT_GE(paints, 1);
    EXPECT_LE(paints, 3); // no paint event asks for another one

    int a = -1;
    ASSERT_TRUE(kb.FindKey("A", a));
    const TKbPoint centre = kb.Geometry().Centre(a);
    kb.MarkKeys('S', 0);
    QTest::qWait(50);
    EXPECT_EQ(box.Paints, paints + 1);

    // The paint event marks the box's own next key again.
    const QImage shown = box.grab().toImage();
    EXPECT_EQ(shown.pixelColor(centre.X + 8, centre.Y + 12), Blue);
}

TEST(KbClassPaintBoxTest, WithoutAPaintBoxNothingIsDrawnButMarksAreKept) {
    TKbClass kb(nullptr);
    kb.LayoutKeys();
    kb.PaintKeyboard();
    kb.MarkKeys('A', 0);
    kb.MarkKeys('A', 'S');
    kb.ShowFinger(1);
    kb.UnmarkKey('B');
    EXPECT_TRUE(kb.Canvas().isNull());
    int a = -1;
    ASSERT_TRUE(kb.FindKey("A", a));
    EXPECT_EQ(kb.NextKey(), a);
    int s = -1;
    ASSERT_TRUE(kb.FindKey("S", s));
    EXPECT_EQ(kb.WrongKey(), s);

    QWidget empty;
    empty.resize(0, 0);
    kb.SetPaintBox(&empty);
    kb.LayoutKeys();
    kb.PaintKeyboard();
    kb.MarkKeys('A', 0);
    EXPECT_TRUE(kb.Canvas().isNull());
    EXPECT_EQ(kb.Geometry().Unit, 0);
}

TEST(KbClassPaintBoxTest, NarrowPaintBoxesDraw) {
    for (int width : {13, 14, 40}) {
        QWidget box;
        box.resize(width, 20);
        TKbClass kb(nullptr);
        kb.SetPaintBox(&box);
        kb.LayoutKeys();
        kb.PaintKeyboard();
        kb.MarkKeys('!', 'Q');
        kb.ShowFinger(3);
        EXPECT_EQ(kb.Canvas().size(), QSize(width, 20));
    }
}

TEST(KbClassPaintBoxTest, ACanvasThatCannotBeMadeShowsPaintKbOnce) {
    TDialogRecorder dialogs;
    QWidget box;
    box.resize(MaxKeyboardWidth, MaxKeyboardWidth); // far beyond any memory
    TKbClass kb(nullptr);
    kb.SetPaintBox(&box);
    kb.LayoutKeys();
    kb.PaintKeyboard();
    kb.PaintKeyboard(); // the same failure again: no second box on every repaint
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Icon, Dialogs::TIcon::Error);
    EXPECT_TRUE(dialogs.Messages[0].Text.startsWith(QStringLiteral("PaintKb \r\n")));
    EXPECT_GT(dialogs.Messages[0].Text.size(), 10);

    box.resize(700, 300);
    kb.LayoutKeys();
    kb.PaintKeyboard();
    EXPECT_EQ(kb.Canvas().size(), QSize(700, 300));
    box.resize(MaxKeyboardWidth, MaxKeyboardWidth);
    kb.PaintKeyboard(); // after a good paint the failure is reported again
    EXPECT_EQ(dialogs.Messages.size(), 2u);
}

// The kana keep their size on every key, two fifths of a key (at most the captions' size),
// and every key shows its kana and its Shift kana from the smallest keyboard that is read; on
// the main window's keyboard its character and Shift kana read too.
TEST(KbClassKanaTest, KanaKeepTheirSizeAtEverySize) {
    QFont base(ProportionalFontFace);
    base.setPixelSize(12);
    for (int unit = 12; unit <= MaxKeyUnit; ++unit) {
        SCOPED_TRACE(unit);
        const TKbGeometry g = LayoutKeyboard(unit * 14, std::numeric_limits<int>::max(),
                                             {TKeyboardKind::Jis, TKeyLegends::Kana});
        const std::vector<std::vector<TKeyLabel>> labels = KeyLabels(g, CaptionFont(g, base));
        for (int i = 0; i < g.Count(); ++i) {
            const TKeyRec& key = g.Keys[i];
            if (key.Kana.empty())
                continue;
            auto labelOf = [&](const std::string& text) -> const TKeyLabel* {
                for (const TKeyLabel& label : labels[i])
                    if (label.Text.text() == ShiftJis::ToQString(text))
                        return &label;
                return nullptr;
            };
            const TKeyLabel* kana = labelOf(key.Kana);
            ASSERT_TRUE(kana) << key.Caption;
            EXPECT_EQ(kana->Font.pixelSize(), std::max(5, std::min(g.FontPixels, unit * 2 / 5)))
                << key.Caption;
            if (!key.ShiftKana.empty()) {
                EXPECT_TRUE(labelOf(key.ShiftKana)) << key.Caption;
            }
            if (unit == MaxKeyUnit) {
                ASSERT_TRUE(labelOf(key.Caption)) << key.Caption;
                EXPECT_GE(labelOf(key.Caption)->Font.pixelSize(), 12) << key.Caption;
                if (!key.ShiftKana.empty()) {
                    EXPECT_GE(labelOf(key.ShiftKana)->Font.pixelSize(), 12) << key.Caption;
                }
            }
        }
    }
}

// The keyboard in kana input: marks by place, with the Shift of the other hand.
class KbClassStrokeTest : public KbClassPaintTest {
protected:
    KbClassStrokeTest() {
        Kb.SetStyle({TKeyboardKind::Jis, TKeyLegends::Kana});
        Kb.PaintKeyboard();
    }

    QColor ShiftFill(int index) const {
        const TKbPoint c = Kb.Geometry().Centre(index);
        return Kb.Canvas().pixelColor(c.X, c.Y - Kb.Geometry().Unit / 4);
    }
};

TEST_F(KbClassStrokeTest, KanaAreWrittenOnTheKeysAndTurnYellowWhenMarked) {
    EXPECT_TRUE(Kb.Geometry().Keys[Index("A")].Kana == ShiftJis::FromUtf16(u"ち"));
    ExpectUnmarked("A");
    EXPECT_GT(InOval("A", Grey), 20); // the kana and the letter
    Kb.MarkStrokes({'A'}, {});
    EXPECT_EQ(Fill("A"), Blue);
    EXPECT_GT(InOval("A", Yellow), 20);
}

TEST_F(KbClassStrokeTest, ShiftStrokeMarksTheKeyAndTheShiftOfTheOtherHand) {
    Kb.MarkStrokes({'3', true}, {}); // ぁ
    EXPECT_EQ(Fill("3"), Blue);
    EXPECT_EQ(ShiftFill(RightShiftKey), Blue);
    EXPECT_EQ(ShiftFill(LeftShiftKey), Aqua);
    EXPECT_EQ(Kb.NextStroke(), (TKeyStroke{'3', true}));
    EXPECT_EQ(Kb.NextKey(), Index("3"));
    EXPECT_EQ(Kb.NextChar(), 0);

    Kb.MarkStrokes({']', true}, {}); // 」
    ExpectUnmarked("3");
    EXPECT_EQ(ShiftFill(RightShiftKey), Aqua);
    EXPECT_EQ(ShiftFill(LeftShiftKey), Blue);
    EXPECT_EQ(Fill("]"), Blue);
}

// が is か then the voiced-mark key; a wrong key in between is red while か keeps its mark.
TEST_F(KbClassStrokeTest, VoicedKanaMarkTheirKeysInTurn) {
    const QImage plain = Kb.Canvas().copy();
    Kb.MarkStrokes({'T'}, {});
    EXPECT_EQ(Fill("T"), Blue);
    Kb.MarkStrokes({'@'}, {'Y'});
    EXPECT_EQ(Fill("T"), Blue) << "a wrong key keeps the mark of the key due";
    ExpectUnmarked("@");
    EXPECT_EQ(Fill("Y"), Red);
    EXPECT_EQ(Kb.WrongKey(), Index("Y"));
    Kb.MarkStrokes({'@'}, {});
    ExpectUnmarked("T");
    ExpectUnmarked("Y");
    EXPECT_EQ(Fill("@"), Blue);
    EXPECT_EQ(Kb.WrongKey(), -1);
    // A place the keyboard lacks is no mark; nothing at all takes every mark off.
    Kb.MarkStrokes({'!'}, {});
    EXPECT_EQ(Kb.NextKey(), -1);
    Kb.MarkStrokes({'Z', true}, {'Q'});
    Kb.MarkStrokes({}, {});
    EXPECT_EQ(Kb.Canvas(), plain);
    EXPECT_EQ(Kb.NextKey(), -1);
    EXPECT_EQ(Kb.NextStroke(), TKeyStroke{});
}

TEST_F(KbClassStrokeTest, UnmarkStrokeDrawsTheKeyAndItsShiftPlain) {
    const QImage plain = Kb.Canvas().copy();
    Kb.MarkStrokes({'/', true}, {}); // ・
    Kb.UnmarkStroke({'/', true});
    EXPECT_EQ(Kb.Canvas(), plain);
    EXPECT_EQ(Kb.NextKey(), -1);
    Kb.MarkStrokes({'_'}, {}); // ろ
    EXPECT_EQ(Fill("_"), Blue);
    Kb.UnmarkStroke({'!'});
    EXPECT_EQ(Fill("_"), Blue);
}

TEST_F(KbClassPaintTest, AnotherStyleIsLaidOutAfreshWithoutMarks) {
    Kb.MarkKeys('A', 0);
    Kb.SetStyle({TKeyboardKind::Us, TKeyLegends::Romaji});
    EXPECT_EQ(Kb.Style().Kind, TKeyboardKind::Us);
    EXPECT_EQ(Kb.Geometry().Count(), UsKeyCount);
    EXPECT_EQ(Kb.Geometry().Unit, 700 / 15);
    EXPECT_EQ(Kb.NextKey(), -1);
    EXPECT_EQ(Kb.NextChar(), 0);
    Kb.PaintKeyboard();
    ExpectUnmarked("A");
}

// The US keyboard: its own keys in its fingers' colours, and the characters typed with Shift
// on its keys with the Shift of the other hand.
class KbClassUsTest : public KbClassPaintTest {
protected:
    KbClassUsTest() {
        FBox.resize(750, 320);
        Kb.SetStyle({TKeyboardKind::Us, TKeyLegends::Romaji});
        Kb.PaintKeyboard();
    }

    QColor ShiftFill(bool right) const {
        int left = 0;
        EXPECT_TRUE(Kb.FindKey("Shift", left));
        const TKbPoint c = Kb.Geometry().Centre(left + right);
        return Kb.Canvas().pixelColor(c.X, c.Y - Kb.Geometry().Unit / 4);
    }

    void ExpectUnmarked(std::string_view caption) const {
        EXPECT_EQ(Fill(caption), ToQColor(KeyColor(TKeyboardKind::Us, caption))) << caption;
    }
};

TEST_F(KbClassUsTest, KeysInTheirFingersColours) {
    const TKbGeometry& g = Kb.Geometry();
    ASSERT_EQ(g.Unit, 50);
    for (int i = 0; i < g.Count(); ++i) {
        if (!g.IsPainted(i))
            continue;
        ExpectUnmarked(g.Keys[i].Caption);
        if (g.Keys[i].Caption != " ") {
            EXPECT_GT(InOval(g.Keys[i].Caption, Grey), 3) << g.Keys[i].Caption;
        }
    }
    EXPECT_EQ(Fill("`"), Aqua);
    EXPECT_EQ(Fill("2"), Lime);
    EXPECT_EQ(Fill("'"), Aqua);
}

struct TUsMarkCase {
    const char* Name;
    char Next;
    std::string_view Key;
    bool RightShift;
};

class KbClassUsMarkTest : public KbClassUsTest, public testing::WithParamInterface<TUsMarkCase> {};

TEST_P(KbClassUsMarkTest, MarksTheKeyAndTheShiftOfTheOtherHand) {
    const TUsMarkCase& c = GetParam();
    Kb.MarkKeys(c.Next, 0);
    EXPECT_EQ(Fill(c.Key), Blue);
    EXPECT_EQ(ShiftFill(c.RightShift), Blue);
    EXPECT_EQ(ShiftFill(!c.RightShift), Aqua);
    Kb.MarkKeys('A', 0);
    ExpectUnmarked(c.Key);
    EXPECT_EQ(ShiftFill(c.RightShift), Aqua);
}

INSTANTIATE_TEST_SUITE_P(Characters, KbClassUsMarkTest,
                         testing::Values(TUsMarkCase{"QuoteOnTheApostrophe", '"', "'", false},
                                         TUsMarkCase{"TildeOnTheBacktick", '~', "`", true},
                                         TUsMarkCase{"AtOnTheTwo", '@', "2", true},
                                         TUsMarkCase{"CaretOnTheSix", '^', "6", false},
                                         TUsMarkCase{"UnderscoreOnTheMinus", '_', "-", false},
                                         TUsMarkCase{"BraceOnTheBracket", '{', "[", false}),
                         [](const testing::TestParamInfo<TUsMarkCase>& info) {
                             return info.param.Name;
                         });

TEST_F(KbClassUsTest, UnshiftedKeysAndFingerNames) {
    Kb.MarkKeys('[', 0); // 「 in romaji input
    EXPECT_EQ(Fill("["), Blue);
    EXPECT_EQ(ShiftFill(false), Aqua);
    EXPECT_EQ(ShiftFill(true), Aqua);
    Kb.ShowFinger(Kb.Geometry().FingerOf('['));
    EXPECT_GT(InLabel("/", Blue), 10);
    Kb.MarkKeys('/', 0); // ・
    ExpectUnmarked("[");
    EXPECT_EQ(Fill("/"), Blue);
}

// Japanese fonts draw the backslash as a yen sign: right for the JIS yen key, while the US
// backslash key shows the full-width backslash, which they draw as one.
TEST(KbClassUsLegendTest, TheBackslashKeyShowsABackslash) {
    QFont base(ProportionalFontFace);
    base.setPixelSize(12);
    for (TKeyboardKind kind : {TKeyboardKind::Jis, TKeyboardKind::Us}) {
        const TKbGeometry g =
            LayoutKeyboard(KeyboardWidth(kind, 50), std::numeric_limits<int>::max(), {kind});
        const int key = g.KeyAt('\\');
        ASSERT_GE(key, 0);
        const std::vector<TKeyLabel> labels = KeyLabels(g, CaptionFont(g, base))[key];
        ASSERT_EQ(labels.size(), 2u);
        EXPECT_EQ(labels[0].Text.text(),
                  kind == TKeyboardKind::Us ? QStringLiteral("\uFF3C") : QStringLiteral("\\"));
        EXPECT_EQ(labels[1].Text.text(), QStringLiteral("|"));
    }
}

} // namespace
