// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A plain-text editing control for long texts (a megabyte stays quick to type in): the edited
// text of the editor window. It shows an input method's composition in the colours of its
// composition colour table and switches between inserting and overwriting on the Insert key.

#include "platform/TextPane.h"

#include <QPlainTextEdit>

#include <functional>

class TPlainEdit : public QPlainTextEdit {
public:
    explicit TPlainEdit(QWidget* parent = nullptr);

    void SetCompositionColors(const TCompositionColors& colors);
    const TCompositionColors& CompositionColors() const { return FCompositionColors; }

    // The caret's line (a line of the text, not of the wrapped display) and its column in
    // Shift_JIS bytes, both from 1. Walks the caret's line only, never the whole text.
    struct TCaretPos {
        int Line;
        int Column;
    };
    TCaretPos CaretPos() const;

    // Called after the Insert key switched between inserting and overwriting.
    std::function<void()> OnOverwriteToggled;

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TCompositionColors FCompositionColors{};
    bool FRecolourPreedit = false; // set by SetCompositionColors
};
