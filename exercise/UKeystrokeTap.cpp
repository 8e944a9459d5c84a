// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/UKeystrokeTap.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

TKeystrokeTap::TKeystrokeTap(QObject* parent) : QObject(parent) {
    FClock.start();
}

void TKeystrokeTap::Watch(QWidget* pane) {
    FCounters.try_emplace(pane);
    pane->installEventFilter(this);
    connect(pane, &QObject::destroyed, this, [this](QObject* gone) { FCounters.erase(gone); });
}

void TKeystrokeTap::Reset(QWidget* pane) {
    auto found = FCounters.find(pane);
    if (found != FCounters.end())
        found->second.Reset();
}

bool TKeystrokeTap::eventFilter(QObject* watched, QEvent* event) {
    auto found = FCounters.find(watched);
    if (found == FCounters.end())
        return false;
    TKeystrokeCounter& counter = found->second;
    const std::int64_t ms = FClock.elapsed();
    int strokes = 0;
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        strokes = counter.KeyDown(key->key(), key->isAutoRepeat(), ms);
        break;
    }
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        strokes = counter.KeyUp(key->key(), key->isAutoRepeat(), ms);
        break;
    }
    case QEvent::InputMethod: {
        auto* input = static_cast<QInputMethodEvent*>(event);
        strokes = counter.ImeEvent(input->commitString().toStdU16String(),
                                   input->preeditString().toStdU16String(), ms);
        break;
    }
    default:
        break;
    }
    if (strokes != 0 && OnStrokes)
        OnStrokes(static_cast<QWidget*>(watched), strokes);
    return false;
}
