// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The frame of the small modal windows (settings, about): a fixed client size, a caption with
// the close button only, the proportional Japanese face 16 pixels high, centred on the screen.

#include <QSize>

class QDialog;
class QWidget;

void SetFixedDialogFrame(QDialog* dialog, QSize clientSize);

// The width a window needs for its caption to show whole in the title bar: the caption in the
// title font, and room for the window's icon and its buttons.
int CaptionWidth(const QWidget* window);
// Widens `window` (and its minimum width) to CaptionWidth where it is narrower.
void FitToCaption(QWidget* window);
