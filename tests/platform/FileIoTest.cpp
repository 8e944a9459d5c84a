// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileIo.h"

#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <sys/stat.h>

namespace {

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(FileIoTest, SaveThenReadGivesTheSameBytes) {
    TTempFolder folder;
    std::string bytes("a\0\xFF\r\n", 5);
    SaveWholeFile(folder.Path() / "f.bin", bytes);
    EXPECT_EQ(ReadWholeFile(folder.Path() / "f.bin"), bytes);
    SaveWholeFile(folder.Path() / "f.bin", "shorter");
    EXPECT_EQ(Slurp(folder.Path() / "f.bin"), "shorter");
}

TEST(FileIoTest, ReadingAMissingFileThrowsWithItsName) {
    TTempFolder folder;
    try {
        ReadWholeFile(folder.Path() / "missing.txt");
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("missing.txt"), std::string::npos) << e.what();
    }
}

// What the box shows: the path and the reason, in Japanese for the common causes.
void ExpectFileError(const std::function<void()>& action, const std::filesystem::path& path,
                     const std::string& reasonPart) {
    try {
        action();
        ADD_FAILURE() << "no exception for " << path;
    } catch (const TFileError& e) {
        std::string message = e.what();
        EXPECT_NE(message.find(path.string()), std::string::npos) << message;
        EXPECT_NE(message.find(reasonPart), std::string::npos) << message;
    }
}

TEST(FileIoTest, OnlyRegularFilesAreReadAndNothingBlocks) {
    TTempFolder folder;
    std::filesystem::path fifo = folder.Path() / "x.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::path linkToZero = folder.Path() / "zero.txt";
    std::filesystem::create_symlink("/dev/zero", linkToZero);
    struct Case {
        std::filesystem::path Path;
        std::string Reason;
    } cases[] = {
        {fifo, "通常のファイルではありません"},
        {"/dev/zero", "通常のファイルではありません"},
        {"/dev/full", "通常のファイルではありません"},
        {linkToZero, "通常のファイルではありません"},
        {folder.Path(), "フォルダーです"},
        {folder.Path() / "missing.txt", "ありません"},
    };
    for (const Case& c : cases) {
        ExpectFileError([&] { ReadWholeFile(c.Path, 1 << 20); }, c.Path, c.Reason);
        ExpectFileError([&] { ReadFileHead(c.Path, 100); }, c.Path, c.Reason);
    }
}

TEST(FileIoTest, TheLimitHoldsForFilesThatReportNoSize) {
    // Files of /proc report the size 0 and are still longer.
    ExpectFileError([] { ReadWholeFile("/proc/self/status", 10); }, "/proc/self/status",
                    "大きすぎます");
    EXPECT_GT(ReadWholeFile("/proc/self/status", 1 << 20).size(), 10u);
    EXPECT_EQ(ReadFileHead("/proc/self/status", 10).size(), 10u);
}

TEST(FileIoTest, CommonReasonsAreJapaneseAndTheRestTheSystems) {
    struct Case {
        int Error;
        std::string Reason;
    } cases[] = {
        {ENOSPC, "ディスクの空き容量が足りません。"},
        {EACCES, "アクセスする権限がありません。"},
        {EPERM, "アクセスする権限がありません。"},
        {EROFS, "読み取り専用のファイルシステムです。"},
        {EISDIR, "ファイルではなくフォルダーです。"},
        {ENOENT, "ファイルまたはフォルダーがありません。"},
        {EFBIG, "ファイルが大きすぎます。"},
        {EIO, std::strerror(EIO)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileErrorReason(c.Error), c.Reason) << c.Error;
}

TEST(FileIoTest, FailedSavesNameThePathAndTheReason) {
    TTempFolder folder;
    std::filesystem::path tooBig = folder.Path() / "big.txt";
    {
        TFileSizeLimit limit(16);
        ExpectFileError([&] { SaveWholeFile(tooBig, std::string(4096, 'n')); }, tooBig,
                        "大きすぎます");
    }
    std::filesystem::path missing = folder.Path() / "no" / "file.txt";
    ExpectFileError([&] { SaveWholeFile(missing, "x"); }, missing, "ありません");
    ExpectFileError([&] { SaveWholeFile(folder.Path(), "x"); }, folder.Path(), "フォルダーです");
}

TEST(FileIoTest, ASaveKeepsPermissionsAndWritesThroughALink) {
    TTempFolder folder;
    std::filesystem::path target = folder.Path() / "target.txt";
    SaveWholeFile(target, "old");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    std::filesystem::path link = folder.Path() / "link.txt";
    std::filesystem::create_symlink(target, link);
    SaveWholeFile(link, "new");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(Slurp(target), "new");
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// A learner who protected a file expects it to stay as it is, though its folder is writable.
TEST(FileIoTest, AReadOnlyFileIsNotReplaced) {
    TTempFolder folder;
    std::filesystem::path target = folder.Path() / "Typorin.dat";
    SaveWholeFile(target, "old");
    ASSERT_EQ(chmod(target.c_str(), 0444), 0);
    ExpectFileError([&] { SaveWholeFile(target, "new"); }, target, "読み取り専用");
    EXPECT_EQ(Slurp(target), "old");
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left";
    ASSERT_EQ(chmod(target.c_str(), 0644), 0);
    SaveWholeFile(target, "new");
    EXPECT_EQ(Slurp(target), "new");
}

TEST(FileIoTest, LeftoversOfInterruptedSavesGoAndNothingElse) {
    TTempFolder folder;
    const char* leftovers[] = {"Typorin.dat.saving-Ab12Cd", "Typorin.dat.Xy12Zz",
                               "a.txt.saving-123456"};
    const char* kept[] = {"Typorin.dat",        "a.txt",          "notes.txt.backup",
                          "a.txt.saving-12345", ".saving-abcdef", "Typorin.dat.Xy12Zz~",
                          "b.txt.saving-12345!"};
    for (const char* name : leftovers)
        SaveWholeFile(folder.Path() / name, "x");
    for (const char* name : kept)
        SaveWholeFile(folder.Path() / name, "x");
    RemoveSaveLeftovers(folder.Path(), "Typorin.dat");
    for (const char* name : leftovers)
        EXPECT_FALSE(std::filesystem::exists(folder.Path() / name)) << name;
    for (const char* name : kept)
        EXPECT_TRUE(std::filesystem::exists(folder.Path() / name)) << name;
    // Without the old-style name only the marked ones go.
    SaveWholeFile(folder.Path() / "a.txt.Xy12Zz", "x");
    RemoveSaveLeftovers(folder.Path());
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "a.txt.Xy12Zz"));
}

TEST(FileIoTest, ReadingAFileAboveTheLimitThrows) {
    TTempFolder folder;
    SaveWholeFile(folder.Path() / "big.txt", std::string(100, 'x'));
    EXPECT_THROW(ReadWholeFile(folder.Path() / "big.txt", 99), std::runtime_error);
    EXPECT_EQ(ReadWholeFile(folder.Path() / "big.txt", 100).size(), 100u);
}

TEST(FileIoTest, ASaveFailingHalfWayLeavesThePreviousFileWhole) {
    TTempFolder folder;
    std::filesystem::path path = folder.Path() / "keep.txt";
    SaveWholeFile(path, "previous");
    {
        TFileSizeLimit limit(16);
        EXPECT_THROW(SaveWholeFile(path, std::string(4096, 'n')), std::runtime_error);
    }
    EXPECT_EQ(Slurp(path), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1)
        << "the temporary file is left behind";
}

TEST(FileIoTest, SavingIntoAMissingFolderThrows) {
    TTempFolder folder;
    EXPECT_THROW(SaveWholeFile(folder.Path() / "no" / "such" / "file.txt", "x"),
                 std::runtime_error);
}

} // namespace
