// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The logo of the about box: the product word painted letter by letter, each letter a bitmap of
// its own, grey as a shadow with the coloured letter 5 pixels right and 3 down over it.

#include <QFont>
#include <QImage>

#include <array>

class QPainter;

class TPaintLogo {
public:
    static constexpr int LetterCount = 7;
    static constexpr const char* Word = "TYPORIN";
    // Where the first letter's shadow starts, and the top of the shadows and of the letters.
    static constexpr double FirstX = 45;
    static constexpr int ShadowTop = 7, LetterTop = 10, LetterShift = 5;

    static const QColor Silver; // the bitmaps' background, never painted
    static const QColor Grey;   // the shadow

    // Prepares the seven bitmaps: silver, with the letter in bold grey at (1, 0). Each is sized
    // for the regular-weight letter, so a bold letter's right edge may be cut.
    TPaintLogo();

    // Paints the logo: every shadow from x = 45 along one line, then every letter in its colour
    // over its shadow; the bitmaps' silver background is never painted. The bitmaps and
    // positions are as before afterwards, so every paint looks the same.
    void Paint(QPainter& painter);

    // Letter i's colour: aqua for T, Y, R and N, yellow for P and O, red for I.
    static QColor LetterColor(int i);
    const QImage& Bitmap(int i) const { return FLetters[i].Bitmap; }
    double X(int i) const { return FLetters[i].X; }

private:
    struct TLetter {
        QImage Bitmap;
        double X = 0;
    };

    void WriteLetter(int i, const QColor& color);
    void DrawLetter(QPainter& painter, int i, int top) const;

    QFont FBoldFont;
    std::array<TLetter, LetterCount> FLetters;
};
