// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The legends a keyboard picture writes on its keys, placed once per layout: the character of
// each key and of the key with Shift, or, where the picture shows kana, the key's character
// beside its kana and its Shift kana. Each legend stays inside its key's oval, rim included,
// and clear of the key's other legends, at every size: any picture of the keyboard (the
// touch-typing keyboard, a heat map) writes the same legends from here.

#include "romaji/UuKbClass.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QStaticText>

#include <vector>

// One legend: its text laid out once, its top left and its font.
struct TKeyLabel {
    QStaticText Text;
    QPoint At;
    QFont Font;
};

// Legends smaller than this could not be read: a key too small for one shows none.
inline constexpr int MinCaptionPixels = 5;
// The largest key pitch whose legends are fitted into their ovals: four times what the main
// window shows. A larger keyboard keeps the layout's places, which fitting would take long to
// improve on (its fonts run to thousands of pixels).
inline constexpr int MaxFittedUnit = 4 * MaxKeyUnit;

// The caption font of `geometry`: `base` (the paint box's font) at its pixel height and weight.
QFont CaptionFont(const TKbGeometry& geometry, const QFont& base);

// The legends of every key `geometry` draws, by record (empty for the records written on
// other keys), in the order they are written. With the romaji legends a key shows its caption
// at the lower left and the caption of its Shift character at the upper middle. With kana
// legends (JIS) a key shows its kana in the lower left half of the oval, its Shift kana at the
// upper right end and its character right of the kana, both smaller; the Shift characters of
// the alphanumeric layout are left out. A legend that its place puts over the oval's edge (or
// over a legend placed before it) takes the nearest place that is inside and clear; one that
// has none is drawn a pixel smaller at a time, down to MinCaptionPixels, and left out below
// that. Example: the A key of the kana picture at 700 pixels shows "ち" 20 pixels high and "A"
// 15 pixels high beside it.
std::vector<std::vector<TKeyLabel>> KeyLabels(const TKbGeometry& geometry, const QFont& font);

// The pixels WriteKeyText touches for `label`: the letters, their rim and a pixel for the
// smoothed edges. Empty for an empty text.
QRect KeyLabelRect(const TKeyLabel& label);

// `text` laid out once as plain text, for WriteKeyText.
QStaticText PlainStaticText(const QString& text);
