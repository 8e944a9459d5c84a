// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An up-down control: two arrow buttons that step a position within a range, shown by an
// associated edit box. The edit box's text follows the position, so a handler connected to the
// box's text change sees every step; Up and Down typed in the box step too. Stepping does not
// wrap at the ends of the range.

#include <QWidget>

class QLineEdit;
class QToolButton;

class TUpDown : public QWidget {
public:
    explicit TUpDown(QWidget* parent = nullptr);

    // Sets the range and keeps the position within it.
    void SetRange(int min, int max);
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    void SetIncrement(int increment) { FIncrement = increment; }
    int Increment() const { return FIncrement; }

    int Position() const { return FPosition; }
    // Takes `position` into the range and shows it in the associated box.
    void SetPosition(int position);

    // The edit box that shows the position; nullptr for none.
    void SetAssociate(QLineEdit* edit);
    QLineEdit* Associate() const { return FAssociate; }

    // What a click on the arrows does: one increment up or down, stopping at the ends.
    void StepUp() { SetPosition(FPosition + FIncrement); }
    void StepDown() { SetPosition(FPosition - FIncrement); }

    QToolButton* UpButton() const { return FUp; }
    QToolButton* DownButton() const { return FDown; }

    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowPosition();

    int FMin = 0, FMax = 100, FIncrement = 1, FPosition = 0;
    QLineEdit* FAssociate = nullptr;
    QToolButton* FUp;
    QToolButton* FDown;
};
