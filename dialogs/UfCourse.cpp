// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/UfCourse.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString IntroText() {
    return QCoreApplication::translate("TfrmCourse",
                                       "かなを少しずつ覚えるコースです。いまのステージの文字をくり"
                                       "返し打つと、次のかなが加わります。\n"
                                       "練習するステージを選んでください。");
}

// The kana of a stage, as the list shows them: "か・き・く・け・こ".
QString StageUnits(int stage) {
    QString units;
    for (std::u16string_view unit : UKanaCourse::Stages[stage].Units) {
        if (unit.empty())
            break;
        if (!units.isEmpty())
            units += QStringLiteral("・");
        units += QString::fromUtf16(unit.data(), static_cast<qsizetype>(unit.size()));
    }
    return units;
}

} // namespace

QString TfrmCourse::StateText(const UKanaCourse::TStageStatus& stage) {
    switch (stage.State) {
    case UKanaCourse::TState::Mastered:
        return tr("習得済み");
    case UKanaCourse::TState::InProgress:
        return tr("練習中 %1/%2").arg(stage.UnlockedUnits).arg(stage.Units);
    case UKanaCourse::TState::Locked:
        break;
    }
    return tr("まだ");
}

TfrmCourse::TfrmCourse(const std::vector<UKanaCourse::TStageStatus>& stages, int currentStage,
                       QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmCourse"));
    setWindowTitle(tr("TYPORIN  かなコース"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(IntroText(), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    FStages = new QTreeWidget(this);
    FStages->setObjectName(QStringLiteral("lvStages"));
    FStages->setRootIsDecorated(false);
    FStages->setAllColumnsShowFocus(true);
    FStages->setHeaderLabels({tr("ステージ"), tr("かな"), tr("状態")});
    for (int i = 0; i < static_cast<int>(stages.size()); ++i) {
        const UKanaCourse::TStageStatus& stage = stages[static_cast<std::size_t>(i)];
        auto* item = new QTreeWidgetItem(
            FStages,
            {QString::fromUtf16(stage.Name.data(), static_cast<qsizetype>(stage.Name.size())),
             StageUnits(i), StateText(stage)});
        // A stage not yet begun cannot be practised: its kana are locked.
        if (stage.State == UKanaCourse::TState::Locked)
            item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
        item->setData(0, Qt::UserRole, i);
    }
    for (int column = 0; column < 3; ++column)
        FStages->resizeColumnToContents(column);
    FStages->header()->setStretchLastSection(true);
    layout->addWidget(FStages, 1);

    auto* buttons = new QDialogButtonBox(this);
    FPractise = buttons->addButton(tr("練習する(&P)"), QDialogButtonBox::AcceptRole);
    FPractise->setObjectName(QStringLiteral("btnPractise"));
    QPushButton* close = buttons->addButton(tr("閉じる"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("btnClose"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(FStages, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (item->flags() & Qt::ItemIsEnabled)
            accept();
    });
    connect(FStages, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { FPractise->setEnabled(item != nullptr); });

    if (QTreeWidgetItem* current = FStages->topLevelItem(currentStage))
        FStages->setCurrentItem(current);
    FPractise->setEnabled(FStages->currentItem() != nullptr);
    FPractise->setDefault(true);
    FStages->setFocus();
    resize(560, 480);
}

std::optional<int> TfrmCourse::ChosenStage() const {
    QTreeWidgetItem* item = FStages->currentItem();
    if (!item || !(item->flags() & Qt::ItemIsEnabled))
        return std::nullopt;
    return item->data(0, Qt::UserRole).toInt();
}
