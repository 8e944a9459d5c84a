// Where the program keeps Typorin.dat and TextFolder: beside a build or a portable copy, in the
// user's data folder for an installed program, with the sample registers copied in once.

#include "platform/ProgramFolder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

class ProgramFolderTest : public testing::Test {
protected:
    fs::path Root() const { return FDir.path().toStdString(); }

    static void Write(const fs::path& path, const std::string& text) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string Read(const fs::path& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    QTemporaryDir FDir;
};

TEST_F(ProgramFolderTest, ChoosesTheExecutablesFolderOnlyForAWritableUninstalledCopy) {
    // <root>/prefix is an install tree; <root>/build and <root>/portable/bin are not.
    fs::create_directories(Root() / "prefix" / "bin");
    fs::create_directories(Root() / "prefix" / "share" / "typorin");
    fs::create_directories(Root() / "build");
    fs::create_directories(Root() / "portable" / "bin");
    const fs::path user = Root() / "home" / ".local" / "share" / "typorin";
    struct {
        const char* Name;
        fs::path Executable;
        bool Writable;
        fs::path Expected;
    } cases[] = {
        {"build folder", Root() / "build", true, Root() / "build"},
        {"read-only copy", Root() / "build", false, user},
        {"installed tree", Root() / "prefix" / "bin", false, user},
        {"installed tree the user can write", Root() / "prefix" / "bin", true, user},
        {"a bin folder of a copy", Root() / "portable" / "bin", true, Root() / "portable" / "bin"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseProgramFolder(c.Executable, c.Writable, user), c.Expected) << c.Name;
}

TEST_F(ProgramFolderTest, InstalledDataFolderIsTheShareFolderBesideBin) {
    fs::create_directories(Root() / "usr" / "bin");
    fs::create_directories(Root() / "usr" / "share" / "typorin");
    EXPECT_EQ(InstalledDataFolder(Root() / "usr" / "bin"), Root() / "usr" / "share" / "typorin");
    EXPECT_EQ(InstalledDataFolder(Root() / "usr" / "bin" / ""),
              Root() / "usr" / "share" / "typorin");
    EXPECT_EQ(InstalledDataFolder(Root() / "usr"), fs::path());
}

TEST(UserDataFolderTest, FollowsXdgDataHomeWhenItIsAbsolute) {
    struct {
        const char* Xdg;
        const char* Home;
        fs::path Expected;
    } cases[] = {
        {"/data", "/home/a", "/data/typorin"},
        {nullptr, "/home/a", "/home/a/.local/share/typorin"},
        {"", "/home/a", "/home/a/.local/share/typorin"},
        {"relative/data", "/home/a", "/home/a/.local/share/typorin"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UserDataFolder(c.Xdg, c.Home), c.Expected) << (c.Xdg ? c.Xdg : "(unset)");
}

TEST_F(ProgramFolderTest, TheFirstStartCopiesTheSampleRegisters) {
    Write(Root() / "samples" / "01.txt", "one");
    Write(Root() / "samples" / "02.txt", "two");
    fs::path folder = Root() / "home" / ".local" / "share" / "typorin";

    PrepareUserFolder(folder, Root() / "samples");

    EXPECT_EQ(Read(folder / "TextFolder" / "01.txt"), "one");
    EXPECT_EQ(Read(folder / "TextFolder" / "02.txt"), "two");
    EXPECT_FALSE(fs::exists(folder / "TextFolder.partial"));
}

TEST_F(ProgramFolderTest, TheLearnersRegistersAreNeverOverwrittenNorAddedTo) {
    Write(Root() / "samples" / "01.txt", "sample");
    Write(Root() / "samples" / "02.txt", "another sample");
    fs::path folder = Root() / "data";
    Write(folder / "TextFolder" / "01.txt", "the learner's own");

    PrepareUserFolder(folder, Root() / "samples");

    EXPECT_EQ(Read(folder / "TextFolder" / "01.txt"), "the learner's own");
    EXPECT_FALSE(fs::exists(folder / "TextFolder" / "02.txt"));
}

TEST_F(ProgramFolderTest, WithoutSamplesTheFolderIsMadeEmpty) {
    fs::path folder = Root() / "data";
    PrepareUserFolder(folder, Root() / "no samples");
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_FALSE(fs::exists(folder / "TextFolder"));
}

TEST_F(ProgramFolderTest, AFolderThatCannotBeMadeIsAnErrorNamingIt) {
    Write(Root() / "a file", "not a folder");
    Write(Root() / "samples" / "01.txt", "sample");
    try {
        PrepareUserFolder(Root() / "a file" / "typorin", Root() / "samples");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("a file"), std::string::npos) << e.what();
    }
}

TEST_F(ProgramFolderTest, AFailedCopyLeavesNoHalfFilledTextFolder) {
    // An unreadable sample makes the copy fail part-way (unless the tests run as root, who
    // reads it all the same; then the copy simply succeeds whole).
    Write(Root() / "samples" / "01.txt", "sample");
    Write(Root() / "samples" / "02.txt", "unreadable");
    fs::permissions(Root() / "samples" / "02.txt", fs::perms::none);
    fs::path folder = Root() / "data";
    try {
        PrepareUserFolder(folder, Root() / "samples");
        EXPECT_EQ(Read(folder / "TextFolder" / "02.txt"), "unreadable");
    } catch (const std::runtime_error&) {
        EXPECT_FALSE(fs::exists(folder / "TextFolder"));
    }
    EXPECT_FALSE(fs::exists(folder / "TextFolder.partial"));
    fs::permissions(Root() / "samples" / "02.txt", fs::perms::owner_all);
}

} // namespace
