// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One panel of a status bar: a fixed-width, sunken field with one line of text. The text is
// kept exactly as set (result texts hold CR LF); it is shown on one line, each line break as
// a blank, clipped at the panel's edge.

#include <QWidget>

class QStatusBar;

class TStatusPanel : public QWidget {
public:
    TStatusPanel(int width, Qt::Alignment alignment, QWidget* parent = nullptr);

    QString Text() const { return FText; }
    void SetText(const QString& text);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString FText;
    QString FShown;
    int FWidth;
    Qt::Alignment FAlignment;
};

struct TPanelSpec {
    int Width;
    Qt::Alignment Alignment = Qt::AlignLeft;
};

// Adds one panel per entry of `panels` to `bar`, named `<bar's name>Panel0`, `...Panel1` and so on;
// the last panel takes the room left over.
void AddStatusPanels(QStatusBar* bar, std::initializer_list<TPanelSpec> panels);

// The panel `index` of a status bar built by AddStatusPanels.
TStatusPanel* StatusPanel(QStatusBar* bar, int index);
