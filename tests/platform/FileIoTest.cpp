#include "platform/FileIo.h"

#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

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
