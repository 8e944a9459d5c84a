// SPDX-License-Identifier: GPL-3.0-or-later
// The settings dialog driven through its up-down controls, as a learner drives it.

#include "dialogs/UfSetOption.h"

#include "drills/UKanaCourse.h"
#include "platform/UpDown.h"
#include "store/UDataFile.h"
#include "store/ULanguage.h"
#include "store/UOptionRanges.h"
#include "store/UStatsStore.h"
#include "store/UTouchSettings.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstring>

namespace {

class UfSetOptionTest : public testing::Test {
protected:
    void SetUp() override {
        std::memset(&OptionRec, 0, sizeof OptionRec);
        ResetOptions(1280, 800);
    }

    std::unique_ptr<TfrmSetOption> Open(TStatsStore* stats = nullptr,
                                        TKeyboardKind desktop = TKeyboardKind::Jis) {
        auto dialog = std::make_unique<TfrmSetOption>(nullptr, stats, desktop);
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }

    template <typename T = QWidget>
    static T* Find(QWidget* dialog, const char* name) {
        T* child = dialog->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            ADD_FAILURE() << "no control named " << name;
        return child;
    }
    static TUpDown* UpDown(QWidget* dialog, const char* name) {
        return Find<TUpDown>(dialog, name);
    }
    static QString Text(QWidget* dialog, const char* edit) {
        return Find<QLineEdit>(dialog, edit)->text();
    }
    // Clicks on an up-down's arrow, `count` times.
    static void Up(QWidget* dialog, const char* name, int count = 1) {
        for (int i = 0; i < count; ++i)
            QTest::mouseClick(UpDown(dialog, name)->UpButton(), Qt::LeftButton);
    }
    static void Down(QWidget* dialog, const char* name, int count = 1) {
        for (int i = 0; i < count; ++i)
            QTest::mouseClick(UpDown(dialog, name)->DownButton(), Qt::LeftButton);
    }
};

struct TControl {
    const char* UpDown;
    const char* Edit;
    int Min, Max, Step;
};
const TControl Controls[] = {
    {"UpDown1", "Edit1", 9, 26, 1},      {"UpDown5", "Edit5", 9, 20, 1},
    {"UpDown6", "Edit6", 10, 200, 10},   {"UpDown7", "Edit7", 0, 190, 10},
    {"UpDown14", "Edit14", 10, 270, 10}, {"UpDown16", "Edit18", 0, 260, 10},
    {"UpDown8", "Edit8", 10, 100, 10},   {"UpDown9", "Edit9", 0, 90, 10},
    {"UpDown10", "Edit10", 10, 100, 10}, {"UpDown11", "Edit11", 0, 90, 10},
    {"UpDown12", "Edit12", 10, 100, 10}, {"UpDown13", "Edit13", 0, 90, 10},
    {"UpDown17", "Edit19", 10, 500, 10}, {"UpDown18", "Edit20", 0, 490, 10},
    {"UpDown19", "Edit21", 5, 50, 5},    {"UpDown20", "Edit22", 50, 100, 1},
    {"UpDown21", "Edit23", 30, 600, 10},
};

TEST_F(UfSetOptionTest, EveryUpDownHasItsBoxRangeAndStep) {
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("TYPORIN  設定オプション"));
    EXPECT_EQ(dialog->size(), QSize(418, 418));
    for (const TControl& c : Controls) {
        SCOPED_TRACE(c.UpDown);
        TUpDown* upDown = UpDown(dialog.get(), c.UpDown);
        ASSERT_NE(upDown, nullptr);
        EXPECT_EQ(upDown->Associate(), Find<QLineEdit>(dialog.get(), c.Edit));
        EXPECT_EQ(upDown->Min(), c.Min);
        EXPECT_EQ(upDown->Max(), c.Max);
        EXPECT_EQ(upDown->Increment(), c.Step);
    }
}

TEST_F(UfSetOptionTest, TheControlsOpenOnTheStoredSettings) {
    OptionRec.TouchFontSize = 20;
    OptionRec.FontSize = 9;
    OptionRec.RomajiLower = 1;
    OptionRec.GraphKeySpeedMax = 480;
    OptionRec.GraphKeySpeedMin = 0;
    TOptionRec before = OptionRec;
    auto dialog = Open();
    QWidget* d = dialog.get();
    EXPECT_EQ(Text(d, "Edit1"), QStringLiteral("20"));
    EXPECT_EQ(Text(d, "Edit5"), QStringLiteral("9"));
    EXPECT_TRUE(Find<QCheckBox>(d, "CheckBox1")->isChecked());
    EXPECT_EQ(Text(d, "Edit6"), QStringLiteral("90"));
    EXPECT_EQ(Text(d, "Edit7"), QStringLiteral("50"));
    EXPECT_EQ(Text(d, "Edit19"), QStringLiteral("480"));
    EXPECT_EQ(Text(d, "Edit20"), QStringLiteral("0"));
    EXPECT_EQ(Text(d, "Edit16"), QStringLiteral("、。ー？・！）」］}』"));
    EXPECT_EQ(Text(d, "Edit17"), QStringLiteral("（「［｛『"));
    EXPECT_EQ(std::memcmp(&before, &OptionRec, sizeof OptionRec), 0) << "opening changes nothing";
}

TEST_F(UfSetOptionTest, FontSizesAndTheGuideCaseAreStoredAsTheyChange) {
    auto dialog = Open();
    QWidget* d = dialog.get();
    Up(d, "UpDown1", 3);
    EXPECT_EQ(OptionRec.TouchFontSize, 21);
    EXPECT_EQ(Text(d, "Edit1"), QStringLiteral("21"));
    // The ends of a range hold; nothing wraps.
    Up(d, "UpDown1", 10);
    EXPECT_EQ(OptionRec.TouchFontSize, 26);
    Down(d, "UpDown5", 5);
    EXPECT_EQ(OptionRec.FontSize, 9);
    Up(d, "UpDown5");
    EXPECT_EQ(OptionRec.FontSize, 10);
    QTest::mouseClick(Find<QCheckBox>(d, "CheckBox1"), Qt::LeftButton);
    EXPECT_EQ(OptionRec.RomajiLower, 1);
    QTest::mouseClick(Find<QCheckBox>(d, "CheckBox1"), Qt::LeftButton);
    EXPECT_EQ(OptionRec.RomajiLower, 0);
}

TEST_F(UfSetOptionTest, AnUpperBoundCannotComeWithinTenOfItsLowerBound) {
    OptionRec.GraphMatchMin = 90;
    auto dialog = Open();
    QWidget* d = dialog.get();
    Down(d, "UpDown8");
    EXPECT_EQ(Text(d, "Edit8"), QStringLiteral("100"));
    EXPECT_EQ(OptionRec.GraphMatchMax, 100);
    EXPECT_EQ(OptionRec.GraphMatchMin, 90);
    // The key speed's upper bound moves freely down to 10 above its lower one.
    Down(d, "UpDown17", 3);
    EXPECT_EQ(OptionRec.GraphKeySpeedMax, 170);
    EXPECT_EQ(Text(d, "Edit19"), QStringLiteral("170"));
}

TEST_F(UfSetOptionTest, ALowerBoundCannotComeWithinTenOfItsUpperBound) {
    auto dialog = Open();
    QWidget* d = dialog.get();
    ASSERT_EQ(OptionRec.GraphSpeedJpMax, 90);
    Up(d, "UpDown7", 3);
    EXPECT_EQ(OptionRec.GraphSpeedJpMin, 80);
    Up(d, "UpDown7");
    EXPECT_EQ(Text(d, "Edit7"), QStringLiteral("80"));
    EXPECT_EQ(OptionRec.GraphSpeedJpMin, 80);
    // Raising the upper bound makes room again.
    Up(d, "UpDown6");
    Up(d, "UpDown7");
    EXPECT_EQ(OptionRec.GraphSpeedJpMax, 100);
    EXPECT_EQ(OptionRec.GraphSpeedJpMin, 90);
    // The lower bound stops at 0.
    Down(d, "UpDown11", 3);
    EXPECT_EQ(OptionRec.GraphErrorMin, 0);
}

TEST_F(UfSetOptionTest, ClosingByTheCaptionKeepsEveryChange) {
    auto dialog = Open();
    QWidget* d = dialog.get();
    Up(d, "UpDown5");
    Up(d, "UpDown14");
    dialog->close();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(OptionRec.FontSize, 13);
    EXPECT_EQ(OptionRec.GraphSpeedEnMax, 60);

    auto again = Open();
    QTest::mouseClick(Find<QPushButton>(again.get(), "Button1"), Qt::LeftButton);
    EXPECT_EQ(again->result(), QDialog::Accepted);
    EXPECT_FALSE(again->isVisible());
}

TEST_F(UfSetOptionTest, TypingIntoABoxChangesNothingButTheArrowKeysStep) {
    auto dialog = Open();
    QWidget* d = dialog.get();
    for (const char* name : {"Edit1", "Edit6", "Edit16"}) {
        auto* edit = Find<QLineEdit>(d, name);
        QString before = edit->text();
        edit->setFocus();
        QTest::keyClicks(edit, "12a");
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(edit->text(), before) << name;
    }
    EXPECT_EQ(OptionRec.TouchFontSize, 18);
    QTest::keyClick(Find<QLineEdit>(d, "Edit1"), Qt::Key_Up);
    EXPECT_EQ(OptionRec.TouchFontSize, 19);
    QTest::keyClick(Find<QLineEdit>(d, "Edit9"), Qt::Key_Down);
    EXPECT_EQ(OptionRec.GraphMatchMin, 70);
}

TEST_F(UfSetOptionTest, ABoxShowsNoEditMenuAndKeepsNoSelectionOnFocus) {
    auto dialog = Open();
    QWidget* d = dialog.get();
    EXPECT_TRUE(Find<QMenu>(d, "PopupMenu1")->isEmpty());
    auto* edit = Find<QLineEdit>(d, "Edit5");
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), edit->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(edit, &menu);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    Find<QCheckBox>(d, "CheckBox1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCoreApplication::processEvents();
    ASSERT_TRUE(edit->hasFocus());
    EXPECT_FALSE(edit->hasSelectedText());
}

// ---- The page "上達": the kana course's targets and progress, kept in the statistics store

class UfSetOptionCourseTest : public UfSetOptionTest {
protected:
    std::optional<std::string> Stored(const char* name) const { return FStats->Setting(name); }

    TTempFolder FFolder;
    std::unique_ptr<TStatsStore> FStats =
        std::make_unique<TStatsStore>(FFolder.Path() / "TyporinStats.db");
    TDialogRecorder FDialogs;
};

TEST_F(UfSetOptionCourseTest, ThePageShowsTheStoredTargetsAndDefaultsForTheRest) {
    FStats->SetSetting(UKanaCourse::MinAttemptsSetting, "30");
    FStats->SetSetting(UKanaCourse::MinAccuracySetting, "90");
    FStats->SetSetting(UKanaCourse::KeysPerMinuteSetting, "900"); // beyond its range
    auto dialog = Open(FStats.get());
    QWidget* d = dialog.get();
    EXPECT_EQ(Text(d, "Edit21"), QStringLiteral("30"));
    EXPECT_EQ(Text(d, "Edit22"), QStringLiteral("90"));
    EXPECT_EQ(Text(d, "Edit23"), QStringLiteral("150"));
    EXPECT_TRUE(Find<QLabel>(d, "Label25")->text().contains(QStringLiteral("50 回まで")));
    EXPECT_TRUE(Find<QPushButton>(d, "Button2")->isEnabled());
    EXPECT_TRUE(Find<QLabel>(d, "Label29")->isHidden());
    EXPECT_EQ(Find<QLabel>(d, "Label30")->text(),
              QStringLiteral("いまのステージ: ローマ字入力「あ行」、かな入力「あ行」"));
    EXPECT_EQ(Stored(UKanaCourse::KeysPerMinuteSetting), "900") << "opening stores nothing";
}

TEST_F(UfSetOptionCourseTest, EachChangeIsStoredAndTheRangesHold) {
    auto dialog = Open(FStats.get());
    QWidget* d = dialog.get();
    EXPECT_FALSE(Stored(UKanaCourse::MinAttemptsSetting)) << "opening stores no default";
    Up(d, "UpDown19");
    EXPECT_EQ(Stored(UKanaCourse::MinAttemptsSetting), "25");
    EXPECT_EQ(UKanaCourse::LoadTargets(*FStats), (UKanaCourse::TTargets{25, 95, 150}));

    struct TCase {
        const char* UpDown;
        bool Up;
        int Clicks;
        const char* Setting;
        const char* Value;
    } cases[] = {
        {"UpDown19", true, 20, UKanaCourse::MinAttemptsSetting, "50"},
        {"UpDown19", false, 20, UKanaCourse::MinAttemptsSetting, "5"},
        {"UpDown20", true, 10, UKanaCourse::MinAccuracySetting, "100"},
        {"UpDown20", false, 60, UKanaCourse::MinAccuracySetting, "50"},
        {"UpDown21", true, 60, UKanaCourse::KeysPerMinuteSetting, "600"},
        {"UpDown21", false, 60, UKanaCourse::KeysPerMinuteSetting, "30"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.UpDown) + (c.Up ? " up" : " down"));
        if (c.Up)
            Up(d, c.UpDown, c.Clicks);
        else
            Down(d, c.UpDown, c.Clicks);
        EXPECT_EQ(Stored(c.Setting), c.Value);
    }
    EXPECT_EQ(UKanaCourse::LoadTargets(*FStats), (UKanaCourse::TTargets{5, 50, 30}));

    // The next run reads them.
    dialog->close();
    FStats.reset();
    TStatsStore again(FFolder.Path() / "TyporinStats.db");
    EXPECT_EQ(UKanaCourse::LoadTargets(again), (UKanaCourse::TTargets{5, 50, 30}));
}

TEST_F(UfSetOptionCourseTest, StartingTheCourseAgainAsksAndResetsBothInputStyles) {
    UKanaCourse::SaveProgress(*FStats, TInputStyle::Romaji, {UKanaCourse::EndItem(1) + 1});
    UKanaCourse::SaveProgress(*FStats, TInputStyle::Kana, {UKanaCourse::EndItem(0) + 1});
    FStats->SetSetting(UKanaCourse::MinAttemptsSetting, "30");
    auto dialog = Open(FStats.get());
    QWidget* d = dialog.get();
    EXPECT_EQ(Find<QLabel>(d, "Label30")->text(),
              QStringLiteral("いまのステージ: ローマ字入力「さ行」、かな入力「か行」"));

    FDialogs.YesNoAnswers = {false, true};
    QTest::mouseClick(Find<QPushButton>(d, "Button2"), Qt::LeftButton);
    ASSERT_EQ(FDialogs.Questions.size(), 1u);
    EXPECT_EQ(FDialogs.Questions[0].Icon, Dialogs::TIcon::Warning);
    EXPECT_TRUE(FDialogs.Questions[0].Text.contains(QStringLiteral("ローマ字入力とかな入力")));
    EXPECT_EQ(UKanaCourse::LoadProgress(*FStats, TInputStyle::Romaji).Unlocked,
              UKanaCourse::EndItem(1) + 1)
        << "No keeps the progress";

    QTest::mouseClick(Find<QPushButton>(d, "Button2"), Qt::LeftButton);
    EXPECT_EQ(FDialogs.Questions.size(), 2u);
    for (TInputStyle style : {TInputStyle::Romaji, TInputStyle::Kana})
        EXPECT_EQ(UKanaCourse::LoadProgress(*FStats, style), UKanaCourse::TProgress{});
    EXPECT_EQ(Find<QLabel>(d, "Label30")->text(),
              QStringLiteral("いまのステージ: ローマ字入力「あ行」、かな入力「あ行」"));
    EXPECT_EQ(Stored(UKanaCourse::MinAttemptsSetting), "30") << "the targets stay";
}

TEST_F(UfSetOptionCourseTest, WithoutAStoreThePageIsDisabledWithANote) {
    auto dialog = Open();
    QWidget* d = dialog.get();
    Find<QTabWidget>(d, "PageControl1")->setCurrentIndex(2);
    EXPECT_TRUE(Find<QLabel>(d, "Label29")->isVisible());
    for (const char* name : {"Edit21", "UpDown19", "UpDown20", "UpDown21", "Button2"})
        EXPECT_FALSE(Find(d, name)->isEnabled()) << name;
    EXPECT_EQ(Text(d, "Edit22"), QStringLiteral("95")) << "the defaults, greyed";
    QTest::mouseClick(Find<QPushButton>(d, "Button2"), Qt::LeftButton);
    EXPECT_TRUE(FDialogs.Questions.empty());
    // The other pages work as ever.
    Find<QTabWidget>(d, "PageControl1")->setCurrentIndex(0);
    Up(d, "UpDown1");
    EXPECT_EQ(OptionRec.TouchFontSize, 19);
}

} // namespace

// ---- The display language, kept in the statistics store for the next start

TEST_F(UfSetOptionCourseTest, TheDisplayLanguageIsStoredForTheNextStart) {
    auto dialog = Open(FStats.get());
    QWidget* d = dialog.get();
    auto* combo = Find<QComboBox>(d, "ComboBox5");
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("自動"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("日本語"));
    EXPECT_EQ(combo->itemText(2), QStringLiteral("English"));
    EXPECT_EQ(combo->currentIndex(), 0) << "nothing stored: automatic";
    EXPECT_EQ(Stored(ULanguage::SettingName), std::nullopt) << "opening stores nothing";
    EXPECT_TRUE(Find<QLabel>(d, "Label41")->text().contains(QStringLiteral("次回の起動")));

    combo->setCurrentIndex(2);
    EXPECT_EQ(Stored(ULanguage::SettingName), "en");
    dialog->close();
    FStats->Sync();
    EXPECT_EQ(ULanguage::StartLanguage(FFolder.Path() / "TyporinStats.db"),
              ULanguage::TLanguage::English);

    auto again = Open(FStats.get());
    EXPECT_EQ(Find<QComboBox>(again.get(), "ComboBox5")->currentIndex(), 2);
    Find<QComboBox>(again.get(), "ComboBox5")->setCurrentIndex(1);
    EXPECT_EQ(Stored(ULanguage::SettingName), "ja");
}

TEST_F(UfSetOptionCourseTest, AnUnknownStoredLanguageShowsAsAutomatic) {
    FStats->SetSetting(ULanguage::SettingName, "klingon");
    auto dialog = Open(FStats.get());
    EXPECT_EQ(Find<QComboBox>(dialog.get(), "ComboBox5")->currentIndex(), 0);
    EXPECT_EQ(Stored(ULanguage::SettingName), "klingon") << "left as it is until changed";
}

TEST_F(UfSetOptionTest, WithoutAStoreTheLanguageCannotBeChosen) {
    auto dialog = Open();
    EXPECT_FALSE(Find(dialog.get(), "ComboBox5")->isEnabled());
}

namespace {

class UfSetOptionTouchTest : public UfSetOptionTest {
protected:
    TTempFolder FFolder;
    std::unique_ptr<TStatsStore> FStats =
        std::make_unique<TStatsStore>(FFolder.Path() / "TyporinStats.db");
};

TEST_F(UfSetOptionTouchTest, TheDesktopsKeyboardIsShownUntilOneIsChosenAndEachChoiceIsStored) {
    auto d = Open(FStats.get(), TKeyboardKind::Us);
    auto* style = Find<QComboBox>(d.get(), "ComboBox1");
    auto* keyboard = Find<QComboBox>(d.get(), "ComboBox2");
    EXPECT_EQ(style->currentText(), QStringLiteral("ローマ字入力"));
    EXPECT_EQ(keyboard->currentText(), QStringLiteral("US"));
    EXPECT_TRUE(keyboard->isEnabled());
    EXPECT_TRUE(Find(d.get(), "Label36")->isHidden());

    keyboard->setCurrentIndex(0);
    EXPECT_EQ(FStats->Setting(KeyboardSetting), "jis");
    EXPECT_EQ(FStats->Setting(InputStyleSetting), "romaji");
    keyboard->setCurrentIndex(1);

    // Kana input: JIS only, said beside the disabled box; US stays the romaji choice.
    style->setCurrentIndex(1);
    EXPECT_EQ(FStats->Setting(InputStyleSetting), "kana");
    EXPECT_EQ(keyboard->currentText(), QStringLiteral("JIS"));
    EXPECT_FALSE(keyboard->isEnabled());
    EXPECT_TRUE(Find(d.get(), "Label36")->isVisible());
    EXPECT_TRUE(Find<QLabel>(d.get(), "Label36")->text().contains(QStringLiteral("JIS")));
    EXPECT_EQ(FStats->Setting(KeyboardSetting), "us");
    style->setCurrentIndex(0);
    EXPECT_EQ(keyboard->currentText(), QStringLiteral("US"));
    EXPECT_TRUE(keyboard->isEnabled());
    d->close();

    // Read back as the dialog opens again.
    style->setCurrentIndex(1);
    auto again = Open(FStats.get(), TKeyboardKind::Jis);
    EXPECT_EQ(Find<QComboBox>(again.get(), "ComboBox1")->currentIndex(), 1);
}

TEST_F(UfSetOptionTouchTest, WithoutAStoreRomajiInputOnTheDesktopsKeyboardDisabledWithANote) {
    auto d = Open(nullptr, TKeyboardKind::Us);
    EXPECT_FALSE(Find(d.get(), "ComboBox1")->isEnabled());
    EXPECT_FALSE(Find(d.get(), "ComboBox2")->isEnabled());
    EXPECT_EQ(Find<QComboBox>(d.get(), "ComboBox1")->currentIndex(), 0);
    EXPECT_EQ(Find<QComboBox>(d.get(), "ComboBox2")->currentText(), QStringLiteral("US"));
    EXPECT_TRUE(Find(d.get(), "Label36")->isVisible());
}

} // namespace
