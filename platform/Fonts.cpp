#include "platform/Fonts.h"

#include <QFont>
#include <QStringList>

void SubstituteFonts() {
    QFont::insertSubstitutions(FixedFontFace, QStringList{QStringLiteral("IPAGothic"),
                                                          QStringLiteral("Noto Sans Mono CJK JP"),
                                                          QStringLiteral("Noto Sans CJK JP")});
    QFont::insertSubstitutions(
        ProportionalFontFace,
        QStringList{QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
}
