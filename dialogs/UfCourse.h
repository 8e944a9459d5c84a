// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The kana course's stage list: every stage with its kana and how far the learner has got with
// it (mastered, being practised, not yet begun). The learner picks a stage that has begun and
// practises it; the stage being learnt now is chosen at the start.

#include "drills/UKanaCourse.h"

#include <QCoreApplication>
#include <QDialog>

#include <optional>
#include <vector>

class QPushButton;
class QTreeWidget;

class TfrmCourse : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(TfrmCourse)

public:
    TfrmCourse(const std::vector<UKanaCourse::TStageStatus>& stages, int currentStage,
               QWidget* parent = nullptr);

    // The stage chosen when the dialog was accepted.
    std::optional<int> ChosenStage() const;

    // The text of a stage's state in the list.
    static QString StateText(const UKanaCourse::TStageStatus& stage);

private:
    QTreeWidget* FStages;
    QPushButton* FPractise;
};
