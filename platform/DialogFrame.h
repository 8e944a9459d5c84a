// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The frame of the small modal windows (settings, about): a fixed client size, a caption with
// the close button only, the proportional Japanese face 16 pixels high, centred on the screen.

#include <QSize>

class QDialog;

void SetFixedDialogFrame(QDialog* dialog, QSize clientSize);
