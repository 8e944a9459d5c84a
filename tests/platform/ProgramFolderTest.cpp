// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program keeps Typorin.dat and TextFolder: beside a build or a portable copy, in the
// user's data folder for an installed program, with the sample registers copied in once.

#include "platform/ProgramFolder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include <sys/stat.h>

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
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
        << "TextFolder alone";
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

TEST_F(ProgramFolderTest, AFailedCopyLeavesNoTextFolderAndIsTriedAgainAtTheNextStart) {
    // A sample that cannot be read, even by root: a link to nothing.
    Write(Root() / "samples" / "01.txt", "sample");
    Write(Root() / "samples" / "sub" / "02.txt", "two");
    fs::create_symlink(Root() / "gone.txt", Root() / "samples" / "03.txt");
    fs::path folder = Root() / "data";
    try {
        PrepareUserFolder(folder, Root() / "samples");
        FAIL() << "no error";
    } catch (const TSampleCopyError& e) {
        EXPECT_NE(std::string(e.what()).find("03.txt"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(folder / "TextFolder"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 0)
        << "nothing half-copied stays";

    fs::remove(Root() / "samples" / "03.txt");
    PrepareUserFolder(folder, Root() / "samples");
    EXPECT_EQ(Read(folder / "TextFolder" / "sub" / "02.txt"), "two");
}

// Samples installed read-only (files 0444, folders 0555) become the learner's own: folders 0755
// and files 0644, less the umask.
TEST_F(ProgramFolderTest, CopiesAreTheLearnersWhateverTheSamplesModes) {
    Write(Root() / "samples" / "01.txt", "one");
    Write(Root() / "samples" / "sub" / "02.txt", "two");
    for (const fs::path& file :
         {Root() / "samples" / "01.txt", Root() / "samples" / "sub" / "02.txt"})
        fs::permissions(file,
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::perms readOnlyFolder = fs::perms::owner_read | fs::perms::owner_exec |
                               fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(Root() / "samples" / "sub", readOnlyFolder);
    fs::permissions(Root() / "samples", readOnlyFolder);

    struct {
        mode_t Umask;
        unsigned Folder, File;
    } cases[] = {{022, 0755, 0644}, {077, 0700, 0600}, {002, 0755, 0644}};
    for (const auto& c : cases) {
        mode_t before = ::umask(c.Umask);
        fs::path folder = Root() / ("data" + std::to_string(c.Umask));
        PrepareUserFolder(folder, Root() / "samples");
        ::umask(before);
        auto mode = [](const fs::path& path) {
            return static_cast<unsigned>(fs::status(path).permissions() & fs::perms::mask);
        };
        EXPECT_EQ(mode(folder / "TextFolder"), c.Folder) << std::oct << c.Umask;
        EXPECT_EQ(mode(folder / "TextFolder" / "sub"), c.Folder) << std::oct << c.Umask;
        EXPECT_EQ(mode(folder / "TextFolder" / "01.txt"), c.File) << std::oct << c.Umask;
        EXPECT_EQ(mode(folder / "TextFolder" / "sub" / "02.txt"), c.File) << std::oct << c.Umask;
        EXPECT_EQ(Read(folder / "TextFolder" / "sub" / "02.txt"), "two");
    }
    fs::permissions(Root() / "samples", fs::perms::owner_all);
    fs::permissions(Root() / "samples" / "sub", fs::perms::owner_all);
}

// What a copy interrupted by a kill left behind goes at the next start, read-only folders too.
TEST_F(ProgramFolderTest, LeftoversOfAnInterruptedCopyAreRemoved) {
    Write(Root() / "samples" / "01.txt", "one");
    fs::path folder = Root() / "data";
    Write(folder / "TextFolder.copying-a1B2c3" / "01.txt", "half");
    Write(folder / "TextFolder.partial" / "sub" / "01.txt", "old");
    fs::permissions(folder / "TextFolder.partial" / "sub",
                    fs::perms::owner_read | fs::perms::owner_exec);
    Write(folder / "TextFolder.copy of mine" / "keep.txt", "the learner's");

    PrepareUserFolder(folder, Root() / "samples");

    EXPECT_FALSE(fs::exists(folder / "TextFolder.copying-a1B2c3"));
    EXPECT_FALSE(fs::exists(folder / "TextFolder.partial"));
    EXPECT_EQ(Read(folder / "TextFolder.copy of mine" / "keep.txt"), "the learner's");
    EXPECT_EQ(Read(folder / "TextFolder" / "01.txt"), "one");
}

} // namespace
