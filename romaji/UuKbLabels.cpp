// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuKbLabels.h"

#include "platform/ShiftJis.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Whether every corner of `box` (relative to a key's centre) lies in the key's oval at `scale`,
// and so, the oval being convex, the whole box.
bool Inside(double scale, const QRectF& box) {
    const double cos120 = -0.5, sin120 = std::numbers::sqrt3 / 2;
    const double a = 10 * scale, b = 7 * scale;
    for (QPointF p : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
        // Turned back by 120 degrees onto the oval's axes.
        const double x = p.x() * cos120 + p.y() * sin120, y = -p.x() * sin120 + p.y() * cos120;
        if ((x / a) * (x / a) + (y / b) * (y / b) > 1)
            return false;
    }
    return true;
}

// A legend to place: its text, where the layout wants its top left, and its largest size.
struct TWanted {
    QString Text;
    QPoint At;
    int Pixels = 0;
};

// Places the legends of one key in their order, each clear of those placed before it.
class TLabelFitter {
public:
    TLabelFitter(const TKbGeometry& geometry, const QFont& font)
        : FGeometry(geometry), FFont(font) {
        // The places tried, nearest first: offsets from the layout's place within half a key.
        const int reach = geometry.Unit / 2;
        const int step = std::max(1, geometry.Unit / 16);
        for (int dy = -reach; dy <= reach; dy += step)
            for (int dx = -reach; dx <= reach; dx += step)
                FOffsets.emplace_back(dx, dy);
        std::stable_sort(FOffsets.begin(), FOffsets.end(), [](QPoint a, QPoint b) {
            return a.x() * a.x() + a.y() * a.y() < b.x() * b.x() + b.y() * b.y();
        });
    }

    // The legends of key `key`; those without a place at any legible size are left out.
    std::vector<TKeyLabel> Fit(int key, const std::vector<TWanted>& wanted) const {
        std::vector<TKeyLabel> labels;
        std::vector<QRectF> taken;
        const TKbPoint centre = FGeometry.Centre(key);
        for (const TWanted& w : wanted) {
            if (w.Text.trimmed().isEmpty())
                continue;
            if (std::optional<TKeyLabel> label = Place(w, centre, taken))
                labels.push_back(std::move(*label));
        }
        return labels;
    }

private:
    std::optional<TKeyLabel> Place(const TWanted& wanted, TKbPoint centre,
                                   std::vector<QRectF>& taken) const {
        const QString text = wanted.Text.trimmed();
        for (int pixels = wanted.Pixels; pixels >= MinCaptionPixels; --pixels) {
            QFont smaller = FFont;
            smaller.setPixelSize(pixels);
            const QFontMetrics metrics(smaller);
            // The letters with their rim, relative to the legend's top left.
            const QRectF letters = QRectF(metrics.tightBoundingRect(text))
                                       .translated(0, metrics.ascent())
                                       .adjusted(-1.5, -1.5, 1.5, 1.5);
            for (QPoint offset : FOffsets) {
                const QPoint at = wanted.At + offset;
                const QRectF box = letters.translated(at);
                if (!Inside(FGeometry.OutlineScale, box.translated(-centre.X, -centre.Y)) ||
                    std::any_of(taken.begin(), taken.end(),
                                [&box](const QRectF& other) { return box.intersects(other); }))
                    continue;
                taken.push_back(box);
                return TKeyLabel{PlainStaticText(wanted.Text), at, smaller};
            }
        }
        return std::nullopt;
    }

    const TKbGeometry& FGeometry;
    QFont FFont;
    std::vector<QPoint> FOffsets;
};

// The legend of a caption. Japanese fonts draw the backslash as a yen sign, which is right for
// the JIS keyboard's yen key; the US keyboard's backslash key shows the full-width backslash,
// which every font draws as one.
QString Legend(const TKbGeometry& g, const std::string& caption) {
    if (g.Style.Kind == TKeyboardKind::Us && caption == "\\")
        return QStringLiteral("\uFF3C");
    return ShiftJis::ToQString(caption);
}

// The legends key `i` wants, in the order they are placed and written.
std::vector<TWanted> WantedLabels(const TKbGeometry& g, int i, const QFont& font) {
    const TKeyRec& key = g.Keys[i];
    const QString caption = Legend(g, key.Caption);
    int shifted = -1;
    if (!key.ShiftCaption.empty() && !g.FindKey(key.ShiftCaption, shifted))
        shifted = -1;
    if (key.Kana.empty()) {
        std::vector<TWanted> wanted{{caption, QPoint(key.TextX, key.TextY), g.FontPixels}};
        if (shifted >= 0) {
            const TKeyRec& s = g.Keys[shifted];
            wanted.push_back({Legend(g, s.Caption), QPoint(s.TextX, s.TextY), g.FontPixels});
        }
        return wanted;
    }
    // The oval is longest from its lower left to its upper right: the kana takes the lower
    // left half, the Shift kana the upper right end and the character the room right of the
    // kana, in this order, so that on small keys the kana keep their size and the character
    // gives way. The kana are two fifths of a key high (at most the captions' size), the
    // others three tenths.
    const int kanaPixels = std::max(MinCaptionPixels, std::min(g.FontPixels, g.Unit * 2 / 5));
    const int small = std::max(MinCaptionPixels, g.Unit * 3 / 10);
    const double a = 10 * g.OutlineScale, b = 7 * g.OutlineScale;
    const TKbPoint c = g.Centre(i);
    // The top left that centres `text` in `pixels` on the point `along` the long axis and
    // `across` it (towards the lower right), in half axes from the oval's centre.
    auto centred = [&](const QString& text, int pixels, double along, double across) {
        QFont sized = font;
        sized.setPixelSize(pixels);
        const QFontMetrics metrics(sized);
        const QPointF box = QRectF(metrics.tightBoundingRect(text)).center();
        const double x = c.X + along * a * 0.5 + across * b * 0.866;
        const double y = c.Y - along * a * 0.866 + across * b * 0.5;
        return QPoint(static_cast<int>(std::lround(x - box.x())),
                      static_cast<int>(std::lround(y - box.y() - metrics.ascent())));
    };
    const QString kana = ShiftJis::ToQString(key.Kana);
    std::vector<TWanted> wanted{{kana, centred(kana, kanaPixels, -0.3, 0), kanaPixels}};
    if (!key.ShiftKana.empty()) {
        const QString shiftKana = ShiftJis::ToQString(key.ShiftKana);
        wanted.push_back({shiftKana, centred(shiftKana, small, 0.6, 0), small});
    }
    wanted.push_back({caption, centred(caption, small, 0.1, 0.55), small});
    return wanted;
}

} // namespace

QFont CaptionFont(const TKbGeometry& geometry, const QFont& base) {
    QFont font = base;
    font.setPixelSize(geometry.FontPixels);
    font.setBold(geometry.FontBold);
    return font;
}

std::vector<std::vector<TKeyLabel>> KeyLabels(const TKbGeometry& geometry, const QFont& font) {
    std::vector<std::vector<TKeyLabel>> labels(geometry.Keys.size());
    if (geometry.Unit <= 0)
        return labels;
    if (geometry.Unit > MaxFittedUnit) {
        for (int i = 0; i < geometry.Count(); ++i) {
            if (!geometry.IsPainted(i))
                continue;
            for (const TWanted& w : WantedLabels(geometry, i, font)) {
                QFont sized = font;
                sized.setPixelSize(w.Pixels);
                labels[i].push_back({PlainStaticText(w.Text), w.At, sized});
            }
        }
        return labels;
    }
    const TLabelFitter fitter(geometry, font);
    for (int i = 0; i < geometry.Count(); ++i) {
        if (geometry.IsPainted(i))
            labels[i] = fitter.Fit(i, WantedLabels(geometry, i, font));
    }
    return labels;
}

QRect KeyLabelRect(const TKeyLabel& label) {
    const QString text = label.Text.text();
    if (text.isEmpty())
        return {};
    const QFontMetrics metrics(label.Font);
    return metrics.boundingRect(text)
        .translated(label.At.x(), label.At.y() + metrics.ascent())
        .adjusted(-2, -2, 2, 2);
}

QStaticText PlainStaticText(const QString& text) {
    QStaticText laidOut(text);
    laidOut.setTextFormat(Qt::PlainText);
    return laidOut;
}

QPolygonF KeyArea(double scale) {
    const double cos120 = -0.5, sin120 = std::numbers::sqrt3 / 2;
    const double a = 10 * scale, b = 7 * scale;
    QPolygonF area;
    // 72 points, 5 degrees apart: a key is at most a few dozen pixels across.
    area.reserve(72);
    for (int i = 0; i < 72; ++i) {
        const double t = 2 * i * std::numbers::pi / 72;
        // The normal of the oval at t points along (b cos t, a sin t).
        double nx = b * std::cos(t), ny = a * std::sin(t);
        const double length = std::hypot(nx, ny);
        if (length > 0) {
            nx /= length;
            ny /= length;
        }
        const double x = a * std::cos(t) + nx, y = b * std::sin(t) + ny;
        area << QPointF(x * cos120 - y * sin120, x * sin120 + y * cos120);
    }
    return area;
}

void WriteKeyText(QPainter& painter, const QStaticText& text, int x, int y, const QColor& color,
                  const QColor& rim) {
    if (text.text().isEmpty())
        return;
    const QPoint at(x, y);
    painter.setPen(rim);
    for (QPoint step : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
        painter.drawStaticText(at + step, text);
    painter.setPen(color);
    painter.drawStaticText(at, text);
}
