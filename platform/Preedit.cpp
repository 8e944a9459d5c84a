// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Preedit.h"

#include <algorithm>
#include <vector>

QTextCharFormat CompositionFormat(const TCompositionColor& entry) {
    QTextCharFormat format;
    if (!entry.AutoText)
        format.setForeground(QColor(entry.Text.R, entry.Text.G, entry.Text.B));
    format.setBackground(QColor(entry.Background.R, entry.Background.G, entry.Background.B));
    format.setUnderlineStyle(entry.Underline ? QTextCharFormat::SingleUnderline
                                             : QTextCharFormat::NoUnderline);
    return format;
}

QList<QInputMethodEvent::Attribute> RecolourPreedit(const QInputMethodEvent& event,
                                                    const TCompositionColors& colors) {
    // Linux input methods mark the clause being converted with a background (fcitx5's
    // highlight flag, ibus's background attribute) and the rest with an underline at most;
    // none tells a converted clause from an unconverted one. So: a preedit without a
    // highlighted part is unconverted input (entry 0); once a part is highlighted, that part is
    // the selected clause (entry 1) and the others are converted clauses (entry 2). Entry 3,
    // a target clause not yet converted, has no counterpart that could be told apart.
    const int length = static_cast<int>(event.preeditString().size());
    std::vector<bool> highlighted(static_cast<std::size_t>(length), false);
    bool anyHighlighted = false;
    QList<QInputMethodEvent::Attribute> attributes;
    for (const QInputMethodEvent::Attribute& attribute : event.attributes()) {
        if (attribute.type != QInputMethodEvent::TextFormat) {
            attributes.append(attribute);
            continue;
        }
        QTextCharFormat format = qvariant_cast<QTextFormat>(attribute.value).toCharFormat();
        if (format.background().style() == Qt::NoBrush)
            continue;
        long long first = attribute.start;
        long long last = first + attribute.length;
        int from = static_cast<int>(std::clamp<long long>(std::min(first, last), 0, length));
        int to = static_cast<int>(std::clamp<long long>(std::max(first, last), 0, length));
        std::fill(highlighted.begin() + from, highlighted.begin() + to, true);
        anyHighlighted = anyHighlighted || from < to;
    }
    for (int start = 0; start < length;) {
        int end = start;
        while (end < length && highlighted[end] == highlighted[start])
            ++end;
        int entry = highlighted[start] ? 1 : anyHighlighted ? 2 : 0;
        attributes.append({QInputMethodEvent::TextFormat, start, end - start,
                           QTextFormat(CompositionFormat(colors[entry]))});
        start = end;
    }
    return attributes;
}
