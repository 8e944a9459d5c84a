// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/UPaintKboard.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

const QColor TPaintLogo::Silver(192, 192, 192);
const QColor TPaintLogo::Grey(128, 128, 128);

namespace {
// 36 points at 96 dots per inch. Not smoothed, so that a letter is one colour throughout and its
// coloured copy covers its grey one exactly.
QFont LogoFont(bool bold) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
    font.setPixelSize(48);
    font.setBold(bold);
    return font;
}

QString Letter(int i) {
    return QString(QLatin1Char(TPaintLogo::Word[i]));
}
} // namespace

TPaintLogo::TPaintLogo() : FBoldFont(LogoFont(true)) {
    QFontMetrics regular(LogoFont(false));
    for (int i = 0; i < LetterCount; ++i) {
        int width = regular.horizontalAdvance(Letter(i)) + 2;
        int height = regular.height() + 2;
        FLetters[i].Bitmap = QImage(width, height, QImage::Format_RGB32);
        FLetters[i].Bitmap.fill(Silver);
        WriteLetter(i, Grey);
    }
}

QColor TPaintLogo::LetterColor(int i) {
    switch (i) {
    case 2:
    case 3:
        return QColor(255, 255, 0);
    case 5:
        return QColor(255, 0, 0);
    default:
        return QColor(0, 255, 255);
    }
}

// The letter written at (1, 0), its cell's top at the bitmap's top.
void TPaintLogo::WriteLetter(int i, const QColor& color) {
    QPainter painter(&FLetters[i].Bitmap);
    painter.setFont(FBoldFont);
    painter.setPen(color);
    painter.drawText(1, QFontMetrics(FBoldFont).ascent(), Letter(i));
}

// The bitmap without its silver background. The background stood for the window's face, which
// is not silver on every desktop, so it is left out of the shadows as well as of the letters.
void TPaintLogo::DrawLetter(QPainter& painter, int i, int top) const {
    const TLetter& letter = FLetters[i];
    QPoint at(static_cast<int>(std::lround(letter.X)), top);
    QImage shown = letter.Bitmap.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < shown.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(shown.scanLine(y));
        for (int x = 0; x < shown.width(); ++x)
            if ((line[x] & RGB_MASK) == (Silver.rgb() & RGB_MASK))
                line[x] = 0;
    }
    painter.drawImage(at, shown);
}

void TPaintLogo::Paint(QPainter& painter) {
    FLetters[0].X = FirstX;
    for (int i = 1; i < LetterCount; ++i)
        FLetters[i].X = FLetters[i - 1].X + FLetters[i - 1].Bitmap.width();
    for (int i = 0; i < LetterCount; ++i)
        DrawLetter(painter, i, ShadowTop);
    for (int i = 0; i < LetterCount; ++i) {
        FLetters[i].X += LetterShift;
        WriteLetter(i, LetterColor(i));
    }
    for (int i = 0; i < LetterCount; ++i)
        DrawLetter(painter, i, LetterTop);
    for (int i = 0; i < LetterCount; ++i) {
        FLetters[i].X -= LetterShift;
        WriteLetter(i, Grey);
    }
}
