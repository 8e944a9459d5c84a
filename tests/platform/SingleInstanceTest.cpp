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

// Only a whole request line raises the window, however it arrives; anything else is ignored
// and the guard keeps serving later starts.
TEST(SingleInstanceTest, OnlyWholeRequestLinesRaise) {
    const struct {
        const char* Name;
        std::vector<QByteArray> Pieces;
        int Raises;
    } cases[] = {
        {"one line", {"raise\n"}, 1},
        {"split line", {"ra", "ise", "\n"}, 1},
        {"two lines at once", {"raise\nraise\n"}, 2},
        {"no line end", {"raise"}, 0},
        {"other text", {"lower\nraise now\n"}, 0},
        {"long garbage", {QByteArray(100000, 'x')}, 0},
        {"nothing", {}, 0},
    };
    QTemporaryDir folder;
    TSingleInstance first(QStringLiteral("typorin"), folder.path());
    ASSERT_EQ(first.Acquire(), TSingleInstance::TResult::First);
    int raised = 0;
    first.OnRaise = [&] { ++raised; };
    for (const auto& c : cases) {
        raised = 0;
        SendToRunning(folder.path(), c.Pieces);
        QTest::qWait(50);
        EXPECT_EQ(raised, c.Raises) << c.Name;
    }
    // Still listening after all of them.
    TSingleInstance later(QStringLiteral("typorin"), folder.path());
    raised = 0;
    EXPECT_TRUE(later.RaiseRunning());
    EXPECT_TRUE(QTest::qWaitFor([&] { return raised == 1; }, 2000));
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
        first.OnRaise = [&] { ++raised; };
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
