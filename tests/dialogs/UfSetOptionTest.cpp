// SPDX-License-Identifier: GPL-3.0-or-later
// The settings dialog driven through its up-down controls, as a learner drives it.

#include "dialogs/UfSetOption.h"

#include "platform/UpDown.h"
#include "store/UDataFile.h"
#include "store/UOptionRanges.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
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

    std::unique_ptr<TfrmSetOption> Open() {
        auto dialog = std::make_unique<TfrmSetOption>();
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

} // namespace
