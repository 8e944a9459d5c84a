// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A plain area the program draws on: the ruler, the keyboard, the graphs. The owner draws in
// OnPaint; the mouse hooks receive widget coordinates.

#include <QWidget>

#include <functional>

class QPainter;

class TPaintBox : public QWidget {
public:
    explicit TPaintBox(QWidget* parent = nullptr) : QWidget(parent) {}

    std::function<void(QPainter&)> OnPaint;
    std::function<void(QMouseEvent*)> OnMouseDown;
    std::function<void(QMouseEvent*)> OnMouseMove;
    std::function<void(QMouseEvent*)> OnMouseUp;
    std::function<void()> OnResize;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
