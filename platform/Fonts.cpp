// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Fonts.h"

#include <QFont>
#include <QGuiApplication>
#include <QStringList>

void SetUpFonts() {
    QFont::insertSubstitutions(FixedFontFace, QStringList{QStringLiteral("IPAGothic"),
                                                          QStringLiteral("Noto Sans Mono CJK JP"),
                                                          QStringLiteral("Noto Sans CJK JP")});
    QFont::insertSubstitutions(
        ProportionalFontFace,
        QStringList{QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});

    // Text the program gives no font of its own (dialog boxes, tool tips, a text pane before
    // its font is set) is written in the proportional face at 12 pixels, the size of menu type
    // at 96 dots per inch, as the status bars and menus are: no third face is loaded for it.
    //
    // Every font resolves what it leaves unset from this one, widgets and image canvases alike,
    // and takes its hinting from it: none. The light hinting the desktop usually asks for runs
    // FreeType's auto-hinter on these faces, which, to measure the script, first reads the
    // outlines of a hundred reference kanji from every CJK face it opens (a megabyte and more of
    // each face mapped, and milliseconds, before the first line is drawn); the faces' own
    // instructions, full hinting, lose the underscore at 16 pixels, and register files are
    // named with underscores.
    QFont font(ProportionalFontFace);
    font.setPixelSize(12);
    font.setHintingPreference(QFont::PreferNoHinting);
    QGuiApplication::setFont(font);
}
