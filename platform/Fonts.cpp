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

    // Every font resolves what it leaves unset from the application font, widgets and image
    // canvases alike. Full hinting draws the small kanji of these faces with the crisp stems
    // their own instructions give; the light hinting the desktop usually asks for runs
    // FreeType's auto-hinter instead, which blurs them and, to measure the script, first reads
    // the outlines of a hundred reference kanji from every CJK face it opens (a megabyte and
    // more of each face mapped, and milliseconds, before the first line is drawn).
    QFont font = QGuiApplication::font();
    font.setHintingPreference(QFont::PreferFullHinting);
    QGuiApplication::setFont(font);
}
