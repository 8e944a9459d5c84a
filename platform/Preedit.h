// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The composition colours of a text control: the preedit an input method sends is shown in the
// four styles of a composition colour table instead of the input method's own.

#include "platform/TextPane.h"

#include <QInputMethodEvent>
#include <QList>
#include <QTextCharFormat>

// The text format of one entry of the table.
QTextCharFormat CompositionFormat(const TCompositionColor& entry);

// The attributes of `event` with its text formats replaced by entries of `colors`: entry 0 for
// a preedit without a highlighted part (unconverted input), entry 1 for the highlighted part
// (the clause being converted) and entry 2 for the other, converted clauses. Other attributes
// (the cursor) are kept.
QList<QInputMethodEvent::Attribute> RecolourPreedit(const QInputMethodEvent& event,
                                                    const TCompositionColors& colors);
