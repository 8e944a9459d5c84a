// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PlainEdit.h"

#include "platform/Preedit.h"
#include "platform/ShiftJis.h"

#include <QKeyEvent>
#include <QTextBlock>

TPlainEdit::TPlainEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setAttribute(Qt::WA_InputMethodEnabled, true);
}

void TPlainEdit::SetCompositionColors(const TCompositionColors& colors) {
    FCompositionColors = colors;
    FRecolourPreedit = true;
}

TPlainEdit::TCaretPos TPlainEdit::CaretPos() const {
    QTextCursor cursor = textCursor();
    QString before = cursor.block().text().left(cursor.positionInBlock());
    int column = 1;
    for (QChar c : before)
        column += static_cast<int>(ShiftJis::EncodedLength(c.unicode()));
    return {cursor.blockNumber() + 1, column};
}

void TPlainEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!FRecolourPreedit) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent recoloured(event->preeditString(),
                                 RecolourPreedit(*event, FCompositionColors));
    recoloured.setCommitString(event->commitString(), event->replacementStart(),
                               event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&recoloured);
    event->setAccepted(recoloured.isAccepted());
}

void TPlainEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
        setOverwriteMode(!overwriteMode());
        event->accept();
        if (OnOverwriteToggled)
            OnOverwriteToggled();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}
