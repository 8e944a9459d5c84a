// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SingleInstance.h"

#include "app/UStartup.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Connects to the guard's socket in `folder` as a later start would and sends `bytes`, in the
// pieces given, then hangs up.
void SendToRunning(const QString& folder, const std::vector<QByteArray>& pieces) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(folder + QStringLiteral("/typorin.socket"));
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    for (const QByteArray& piece : pieces) {
        ASSERT_EQ(
            ::send(fd, piece.constData(), static_cast<std::size_t>(piece.size()), MSG_NOSIGNAL),
            piece.size());
        QTest::qWait(20);
    }
    ::close(fd);
}

TEST(SingleInstanceTest, ASecondStartIsRefusedAndRaisesTheFirst) {
    QTemporaryDir folder;
    TSingleInstance first(QStringLiteral("typorin"), folder.path());
    ASSERT_EQ(first.Acquire(), TSingleInstance::TResult::First);
    int raised = 0;
    first.OnRaise = [&](const QString&) { ++raised; };

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

// A lock that cannot be written stops the start with the path and the system's reason.
TEST(SingleInstanceTest, AnUnwritableFolderFailsToStartSayingWhy) {
    QTemporaryDir temporary;
    struct TCase {
        const char* Name;
        QString Folder;
        rlim_t SizeLimit; // 0: none
        QString Reason;
    } cases[] = {
        {"no such folder", QStringLiteral("/proc/no-such-folder"), 0,
         QStringLiteral("ファイルまたはフォルダーがありません。")},
        {"no room to write", temporary.path(), 1, QStringLiteral("ファイルが大きすぎます。")},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TSingleInstance guard(QStringLiteral("typorin"), c.Folder);
        TDialogRecorder dialogs;
        {
            std::optional<TFileSizeLimit> limit;
            if (c.SizeLimit > 0)
                limit.emplace(c.SizeLimit);
            EXPECT_FALSE(StartSingleInstance(guard));
        }
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_EQ(dialogs.Messages[0].Text,
                  QStringLiteral("プログラムを起動できません。\r\n"
                                 "起動中であることを示すファイルを作成できませんでした。\r\n"
                                 "ファイル: ") +
                      QDir(c.Folder).filePath(QStringLiteral("typorin.lock")) +
                      QStringLiteral("\r\n") + c.Reason);
    }
}

// Only a whole request line raises the window, however it arrives, with the activation token it
// carries; anything else is ignored and the guard keeps serving later starts.
TEST(SingleInstanceTest, OnlyWholeRequestLinesRaise) {
    const struct {
        const char* Name;
        std::vector<QByteArray> Pieces;
        QStringList Tokens; // one per raise
    } cases[] = {
        {"one line", {"raise\n"}, {""}},
        {"split line", {"ra", "ise", "\n"}, {""}},
        {"two lines at once", {"raise\nraise\n"}, {"", ""}},
        {"no line end", {"raise"}, {}},
        {"other text", {"lower\nraised\n raise\n"}, {}},
        {"a token", {"raise sway-1a2b_3.4:5\n"}, {"sway-1a2b_3.4:5"}},
        {"a token split", {"raise to", "ken\n"}, {"token"}},
        {"a token with a blank", {"raise a b\n"}, {}},
        {"a token with a control character", {"raise a\x01\n"}, {}},
        {"an empty token", {"raise \n"}, {}},
        {"the longest token", {"raise " + QByteArray(255, 't') + "\n"}, {QString(255, u't')}},
        {"a token too long", {"raise " + QByteArray(256, 't') + "\n"}, {}},
        {"long garbage", {QByteArray(100000, 'x')}, {}},
        {"nothing", {}, {}},
    };
    QTemporaryDir folder;
    TSingleInstance first(QStringLiteral("typorin"), folder.path());
    ASSERT_EQ(first.Acquire(), TSingleInstance::TResult::First);
    QStringList tokens;
    first.OnRaise = [&](const QString& token) { tokens << token; };
    for (const auto& c : cases) {
        tokens.clear();
        SendToRunning(folder.path(), c.Pieces);
        QTest::qWait(50);
        EXPECT_EQ(tokens, c.Tokens) << c.Name;
    }
    // Still listening after all of them; a later start sends its token, a bad one not at all.
    for (const QString& token : {QStringLiteral("abc-123"), QStringLiteral("bad token")}) {
        TSingleInstance later(QStringLiteral("typorin"), folder.path());
        tokens.clear();
        EXPECT_TRUE(later.RaiseRunning(1000, token));
        EXPECT_TRUE(QTest::qWaitFor([&] { return tokens.size() == 1; }, 2000));
        EXPECT_EQ(tokens.value(0), token.contains(u' ') ? QString() : token);
    }
}

// A socket file left by an instance that crashed is replaced; the one of an instance that ended
// is removed; without a running instance there is nobody to raise.
TEST(SingleInstanceTest, TheSocketOfAnEndedInstanceIsNotInTheWay) {
    QTemporaryDir folder;
    const QString socketPath = folder.filePath(QStringLiteral("typorin.socket"));
    {
        QFile leftover(socketPath);
        ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    }
    {
        TSingleInstance first(QStringLiteral("typorin"), folder.path());
        ASSERT_EQ(first.Acquire(), TSingleInstance::TResult::First);
        int raised = 0;
        first.OnRaise = [&](const QString&) { ++raised; };
        TSingleInstance second(QStringLiteral("typorin"), folder.path());
        EXPECT_TRUE(second.RaiseRunning());
        EXPECT_TRUE(QTest::qWaitFor([&] { return raised == 1; }, 2000));
    }
    EXPECT_FALSE(QFile::exists(socketPath));
    TSingleInstance next(QStringLiteral("typorin"), folder.path());
    EXPECT_FALSE(next.RaiseRunning(100));
}

// A folder whose socket path is too long for an address still starts; only raising fails.
TEST(SingleInstanceTest, ATooLongSocketPathStillStarts) {
    QTemporaryDir folder;
    const QString deep = folder.filePath(QString(120, QLatin1Char('d')));
    ASSERT_TRUE(QDir().mkpath(deep));
    TSingleInstance first(QStringLiteral("typorin"), deep);
    EXPECT_EQ(first.Acquire(), TSingleInstance::TResult::First);
    TSingleInstance second(QStringLiteral("typorin"), deep);
    EXPECT_EQ(second.Acquire(), TSingleInstance::TResult::Running);
    EXPECT_FALSE(second.RaiseRunning(100));
}

} // namespace
