// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/UfSetOption.h"

#include "drills/UKanaCourse.h"
#include "japanese/UDefineJap.h"
#include "platform/DialogFrame.h"
#include "platform/Dialogs.h"
#include "platform/ShiftJis.h"
#include "platform/UpDown.h"
#include "store/UDataFile.h"
#include "store/ULanguage.h"
#include "store/UStatsStore.h"
#include "store/UTouchSettings.h"
#include "ui_UfSetOption.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QSignalBlocker>

namespace {

QString CourseTargetsText() {
    return QCoreApplication::translate(
        "TfrmSetOption",
        "かなコースでは、これまでに加わったかながすべて下の 3 つの目標に届くと、"
        "新しいかなが 1 つ加わります。判定には、かなごとの最近の打鍵（%1 回まで）を"
        "使います。速さは、1 打鍵あたりの時間の中央値で比べます。");
}
QString KanaJisOnlyText() {
    return QCoreApplication::translate("TfrmSetOption",
                                       "かな入力は JIS キーボードだけで練習します。");
}
QString TouchWithoutStoreText() {
    return QCoreApplication::translate("TfrmSetOption",
                                       "統計ファイルが使えないため、ローマ字入力で練習します。");
}

QString ResetCourseQuestionText() {
    return QCoreApplication::translate(
        "TfrmSetOption",
        "かなコースを最初（あ行）からやり直します。\r\n"
        "ローマ字入力とかな入力の両方の進み具合が最初に戻ります。よろしいですか？\r\n\r\n"
        "（統計と目標の設定はそのまま残ります。）");
}

// The course's increments: targets that are round numbers.
constexpr int MinAttemptsStep = 5;
constexpr int AccuracyStep = 1;
constexpr int KeysPerMinuteStep = 10;

// The choices of ComboBox5, in its order. "English" is the language's own name in every
// language, as language lists write it.
const ULanguage::TChoice LanguageChoices[] = {
    ULanguage::TChoice::Auto, ULanguage::TChoice::Japanese, ULanguage::TChoice::English};

QString StageName(int stage) {
    std::u16string_view name = UKanaCourse::Stages[stage].Name;
    return QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

TfrmSetOption::TfrmSetOption(QWidget* parent, TStatsStore* stats, TKeyboardKind desktopKeyboard)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmSetOption>()), FStats(stats),
      FDesktopKeyboard(desktopKeyboard) {
    ui->setupUi(this);
    SetFixedDialogFrame(this, {418, 418});
    SetUpControls();
    ConnectHandlers();
    FormCreate();
}

TfrmSetOption::~TfrmSetOption() = default;

// Ranges, steps and associated boxes, before any handler listens.
void TfrmSetOption::SetUpControls() {
    auto setUp = [](TUpDown* upDown, QLineEdit* edit, int min, int max, int step) {
        upDown->SetRange(min, max);
        upDown->SetIncrement(step);
        upDown->SetAssociate(edit);
    };
    setUp(ui->UpDown1, ui->Edit1, TouchFontSizeMin, TouchFontSizeMax, 1);
    setUp(ui->UpDown5, ui->Edit5, FontSizeMin, FontSizeMax, 1);

    FBoundRows = {{
        {ui->UpDown6, ui->UpDown7, &GraphBoundPairs[0]},
        {ui->UpDown14, ui->UpDown16, &GraphBoundPairs[1]},
        {ui->UpDown8, ui->UpDown9, &GraphBoundPairs[2]},
        {ui->UpDown10, ui->UpDown11, &GraphBoundPairs[3]},
        {ui->UpDown12, ui->UpDown13, &GraphBoundPairs[4]},
        {ui->UpDown17, ui->UpDown18, &GraphBoundPairs[5]},
    }};
    QLineEdit* boundEdits[][2] = {{ui->Edit6, ui->Edit7},   {ui->Edit14, ui->Edit18},
                                  {ui->Edit8, ui->Edit9},   {ui->Edit10, ui->Edit11},
                                  {ui->Edit12, ui->Edit13}, {ui->Edit19, ui->Edit20}};
    for (std::size_t i = 0; i < FBoundRows.size(); ++i) {
        const TBoundRow& row = FBoundRows[i];
        setUp(row.Upper, boundEdits[i][0], row.Pair->UpperLow, row.Pair->UpperHigh, GraphBoundStep);
        setUp(row.Lower, boundEdits[i][1], row.Pair->LowerLow, row.Pair->LowerHigh, GraphBoundStep);
    }
    auto setUpTarget = [&](TUpDown* upDown, QLineEdit* edit, const int(&range)[2], int step) {
        setUp(upDown, edit, range[0], range[1], step);
    };
    setUpTarget(ui->UpDown19, ui->Edit21, UKanaCourse::MinAttemptsRange, MinAttemptsStep);
    setUpTarget(ui->UpDown20, ui->Edit22, UKanaCourse::AccuracyRange, AccuracyStep);
    setUpTarget(ui->UpDown21, ui->Edit23, UKanaCourse::KeysPerMinuteRange, KeysPerMinuteStep);
    ui->Label25->setText(CourseTargetsText().arg(TStatsStore::RecentAttemptsKept));
    ui->ComboBox5->addItems({tr("自動"), tr("日本語"), QStringLiteral("English")});

    // An empty context menu for every box, so that none offers the usual edit menu.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        edit->setReadOnly(true);
        edit->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(edit, &QLineEdit::customContextMenuRequested, this, [this, edit](QPoint pos) {
            if (!PopupMenu1->isEmpty())
                PopupMenu1->popup(edit->mapToGlobal(pos));
        });
    }
}

void TfrmSetOption::ConnectHandlers() {
    connect(ui->Button1, &QPushButton::clicked, this, &TfrmSetOption::Button1Click);
    for (QLineEdit* edit : {ui->Edit1, ui->Edit5}) {
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { Edit1Change(edit); });
        edit->installEventFilter(this);
    }
    connect(ui->CheckBox1, &QCheckBox::toggled, this, &TfrmSetOption::CheckBox1Click);
    for (QComboBox* box : {ui->ComboBox1, ui->ComboBox2})
        connect(box, &QComboBox::currentIndexChanged, this, &TfrmSetOption::ComboBox1Change);
    for (const TBoundRow& row : FBoundRows)
        for (TUpDown* upDown : {row.Upper, row.Lower}) {
            QLineEdit* edit = upDown->Associate();
            connect(edit, &QLineEdit::textChanged, this, [this, edit] { Edit6Change(edit); });
        }
    for (QLineEdit* edit : {ui->Edit21, ui->Edit22, ui->Edit23})
        connect(edit, &QLineEdit::textChanged, this, &TfrmSetOption::Edit21Change);
    connect(ui->Button2, &QPushButton::clicked, this, &TfrmSetOption::Button2Click);
    connect(ui->ComboBox5, &QComboBox::currentIndexChanged, this, &TfrmSetOption::ComboBox5Change);
}

// The controls take the stored settings, in the order of the settings block.
void TfrmSetOption::FormCreate() {
    ui->UpDown1->SetPosition(OptionRec.TouchFontSize);
    ui->CheckBox1->setChecked(OptionRec.RomajiLower != 0);
    ui->UpDown5->SetPosition(OptionRec.FontSize);
    for (TUpDown* upDown :
         {ui->UpDown6, ui->UpDown7, ui->UpDown8, ui->UpDown9, ui->UpDown10, ui->UpDown11,
          ui->UpDown12, ui->UpDown13, ui->UpDown14, ui->UpDown16, ui->UpDown17, ui->UpDown18})
        for (const TBoundRow& row : FBoundRows) {
            if (upDown == row.Upper)
                upDown->SetPosition(OptionRec.*row.Pair->Max);
            else if (upDown == row.Lower)
                upDown->SetPosition(OptionRec.*row.Pair->Min);
        }
    ui->Edit16->setText(QString::fromUtf16(NoStartChars.data(), NoStartChars.size()));
    ui->Edit17->setText(QString::fromUtf16(NoEndChars.data(), NoEndChars.size()));
    ShowTouchSettings();
    ShowCourse();
    ShowLanguage();
}

// The stored targets, without storing them again: a target never set keeps following the
// program's default.
void TfrmSetOption::ShowCourse() {
    ui->Label29->setVisible(FStats == nullptr);
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui->Label25, ui->Label26, ui->Label27, ui->Label28, ui->Label30, ui->Label31,
             ui->Label32, ui->Label33, ui->Edit21, ui->Edit22, ui->Edit23, ui->UpDown19,
             ui->UpDown20, ui->UpDown21, ui->Button2})
        control->setEnabled(FStats != nullptr);
    const UKanaCourse::TTargets targets =
        FStats ? UKanaCourse::LoadTargets(*FStats) : UKanaCourse::TTargets{};
    {
        const QSignalBlocker a(ui->Edit21), b(ui->Edit22), c(ui->Edit23);
        ui->UpDown19->SetPosition(targets.MinAttempts);
        ui->UpDown20->SetPosition(targets.MinAccuracyPercent);
        ui->UpDown21->SetPosition(targets.KeysPerMinute);
    }
    ShowCourseProgress();
}

// Where the course stands in each input style: "いまのステージ: ローマ字入力「か行」…".
void TfrmSetOption::ShowCourseProgress() {
    if (!FStats) {
        ui->Label30->clear();
        return;
    }
    auto stage = [this](TInputStyle style) {
        return StageName(UKanaCourse::CurrentStage(UKanaCourse::LoadProgress(*FStats, style)));
    };
    ui->Label30->setText(tr("いまのステージ: ローマ字入力「%1」、かな入力「%2」")
                             .arg(stage(TInputStyle::Romaji), stage(TInputStyle::Kana)));
}

void TfrmSetOption::Button1Click() {
    accept();
}

void TfrmSetOption::Edit1Change(QLineEdit* edit) {
    if (edit == ui->Edit5)
        OptionRec.FontSize = ui->UpDown5->Position();
    else
        OptionRec.TouchFontSize = ui->UpDown1->Position();
}

// The box keeps no selection when it gets the focus; the line edit selects all on Tab only after
// this filter has seen the event, so the selection is cleared once the event is through.
void TfrmSetOption::Edit1Enter(QLineEdit* edit) {
    QMetaObject::invokeMethod(edit, &QLineEdit::deselect, Qt::QueuedConnection);
}

void TfrmSetOption::CheckBox1Click() {
    OptionRec.RomajiLower = ui->CheckBox1->isChecked() ? 1 : 0;
}

// A bound moved: it keeps at least 10 from its partner's stored value, and the position it
// ends at is the one stored.
void TfrmSetOption::Edit6Change(QLineEdit* edit) {
    for (const TBoundRow& row : FBoundRows) {
        std::int32_t& max = OptionRec.*row.Pair->Max;
        std::int32_t& min = OptionRec.*row.Pair->Min;
        if (edit == row.Upper->Associate()) {
            row.Upper->SetPosition(CorrectUpperBound(row.Upper->Position(), min));
            max = row.Upper->Position();
        } else if (edit == row.Lower->Associate()) {
            row.Lower->SetPosition(CorrectLowerBound(row.Lower->Position(), max));
            min = row.Lower->Position();
        }
    }
}

// Kana input is typed on the JIS keyboard: the keyboard box shows JIS, disabled, with a note,
// and the keyboard chosen for romaji input stays stored. Without a store both boxes are
// disabled on romaji input and the desktop's keyboard.
void TfrmSetOption::ShowTouchSettings() {
    const TTouchSettings touch = LoadTouchSettings(FStats, FDesktopKeyboard);
    const bool kana = touch.Style == TInputStyle::Kana;
    const QSignalBlocker a(ui->ComboBox1), b(ui->ComboBox2);
    ui->ComboBox1->setCurrentIndex(static_cast<int>(touch.Style));
    ui->ComboBox2->setCurrentIndex(static_cast<int>(KeyboardInUse(touch)));
    ui->ComboBox1->setEnabled(FStats != nullptr);
    ui->ComboBox2->setEnabled(FStats != nullptr && !kana);
    ui->Label36->setText(!FStats ? TouchWithoutStoreText() : KanaJisOnlyText());
    ui->Label36->setVisible(!FStats || kana);
}

void TfrmSetOption::ComboBox1Change() {
    if (!FStats)
        return;
    TTouchSettings touch = LoadTouchSettings(FStats, FDesktopKeyboard);
    touch.Style = ui->ComboBox1->currentIndex() == 1 ? TInputStyle::Kana : TInputStyle::Romaji;
    // The keyboard box speaks for the keyboard only while it can be chosen.
    if (ui->ComboBox2->isEnabled())
        touch.Keyboard =
            ui->ComboBox2->currentIndex() == 1 ? TKeyboardKind::Us : TKeyboardKind::Jis;
    SaveTouchSettings(*FStats, touch);
    ShowTouchSettings();
}

void TfrmSetOption::Edit21Change() {
    if (FStats)
        UKanaCourse::SaveTargets(*FStats, {ui->UpDown19->Position(), ui->UpDown20->Position(),
                                           ui->UpDown21->Position()});
}

// Both input styles start the course again; the statistics stay, so units typed well before
// unlock again one by one as the learner practises.
void TfrmSetOption::Button2Click() {
    if (!FStats || !Dialogs::AskYesNo(this, Dialogs::TIcon::Warning, ResetCourseQuestionText()))
        return;
    UKanaCourse::ResetProgress(*FStats, TInputStyle::Romaji);
    UKanaCourse::ResetProgress(*FStats, TInputStyle::Kana);
    ShowCourseProgress();
}

void TfrmSetOption::ShowLanguage() {
    for (QWidget* control : std::initializer_list<QWidget*>{ui->Label40, ui->ComboBox5})
        control->setEnabled(FStats != nullptr);
    const ULanguage::TChoice choice =
        FStats ? ULanguage::ChoiceOf(FStats->Setting(ULanguage::SettingName))
               : ULanguage::TChoice::Auto;
    const QSignalBlocker block(ui->ComboBox5);
    for (int i = 0; i < static_cast<int>(std::size(LanguageChoices)); ++i)
        if (LanguageChoices[i] == choice)
            ui->ComboBox5->setCurrentIndex(i);
}

void TfrmSetOption::ComboBox5Change(int index) {
    if (FStats && index >= 0 && index < static_cast<int>(std::size(LanguageChoices)))
        FStats->SetSetting(ULanguage::SettingName,
                           ULanguage::ValueOf(LanguageChoices[static_cast<std::size_t>(index)]));
}

void TfrmSetOption::done(int result) {
    if (FStats)
        FStats->Flush();
    QDialog::done(result);
}

// Edit1KeyPress: characters typed into the font size boxes are dropped (the arrows still step);
// Edit1Enter on focus.
bool TfrmSetOption::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && event->type() == QEvent::KeyPress) {
        QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty() && !ShiftJis::IsControlChar(text.front().unicode()))
            return true;
    } else if (edit && event->type() == QEvent::FocusIn) {
        Edit1Enter(edit);
    }
    return QDialog::eventFilter(watched, event);
}
