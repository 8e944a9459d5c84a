#include "platform/SingleInstance.h"

#include "app/UStartup.h"
#include "tests/support/DialogRecorder.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(SingleInstanceTest, ASecondStartIsRefusedAndRaisesTheFirst) {
    QTemporaryDir folder;
    TSingleInstance first(QStringLiteral("typorin"), folder.path());
    ASSERT_EQ(first.Acquire(), TSingleInstance::TResult::First);
    int raised = 0;
    first.OnRaise = [&] { ++raised; };

    TSingleInstance second(QStringLiteral("typorin"), folder.path());
    TDialogRecorder dialogs;
    EXPECT_FALSE(StartSingleInstance(second));
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Icon, Dialogs::TIcon::Warning);
    // The executable's own name, and no advice that does not hold here.
    EXPECT_TRUE(dialogs.Messages[0].Text.startsWith(
        QStringLiteral("typorin は、すでに起動されています。複数起動することはできません。\r\n")));
    EXPECT_FALSE(dialogs.Messages[0].Text.contains(QStringLiteral("Windows")));
    EXPECT_FALSE(dialogs.Messages[0].Text.contains(QStringLiteral(".exe")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return raised == 1; }, 2000));
}

TEST(SingleInstanceTest, OtherNamesRunSideBySide) {
    QTemporaryDir folder;
    TSingleInstance first(QStringLiteral("typorin"), folder.path());
    TSingleInstance other(QStringLiteral("typorin-copy"), folder.path());
    EXPECT_EQ(first.Acquire(), TSingleInstance::TResult::First);
    EXPECT_EQ(other.Acquire(), TSingleInstance::TResult::First);
}

TEST(SingleInstanceTest, TheLockIsFreeAgainAfterTheFirstEnds) {
    QTemporaryDir folder;
    {
        TSingleInstance first(QStringLiteral("typorin"), folder.path());
        ASSERT_EQ(first.Acquire(), TSingleInstance::TResult::First);
    }
    TSingleInstance next(QStringLiteral("typorin"), folder.path());
    EXPECT_EQ(next.Acquire(), TSingleInstance::TResult::First);
}

TEST(SingleInstanceTest, AnUnwritableFolderFailsToStart) {
    TSingleInstance guard(QStringLiteral("typorin"), QStringLiteral("/proc/no-such-folder"));
    TDialogRecorder dialogs;
    EXPECT_FALSE(StartSingleInstance(guard));
    EXPECT_EQ(dialogs.MessageTexts(), QStringList{QStringLiteral("プログラムを起動できません。")});
}

} // namespace
