// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Hands what a text pane receives from the keyboard and the input method to a keystroke
// counter of its own (TKeystrokeCounter), before the pane handles it, and reports the strokes:
// a key that ends an exercise is counted before the exercise ends.

#include "exercise/UKeystrokeCounter.h"

#include <QElapsedTimer>
#include <QObject>

#include <functional>
#include <map>

class QWidget;

class TKeystrokeTap : public QObject {
public:
    explicit TKeystrokeTap(QObject* parent = nullptr);

    // Counts the keys of `pane` from now on.
    void Watch(QWidget* pane);
    // `pane` dropped its composition: see TKeystrokeCounter::Reset.
    void Reset(QWidget* pane);

    // Called with the keystrokes an event of a watched pane added (never 0).
    std::function<void(QWidget* pane, int strokes)> OnStrokes;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::map<const QObject*, TKeystrokeCounter> FCounters;
    QElapsedTimer FClock;
};
