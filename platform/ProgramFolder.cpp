// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramFolder.h"

#include "platform/FileIo.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string_view>
#include <system_error>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path& Override() {
    static fs::path folder;
    return folder;
}

fs::path ExecutableFolder() {
    return fs::path(QCoreApplication::applicationDirPath().toStdString());
}

bool Writable(const fs::path& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

// The executable's folder, or the user's data folder, decided once per run: the answer does not
// change while the program runs.
const fs::path& ChosenFolder() {
    static const fs::path folder = [] {
        fs::path executable = ExecutableFolder();
        const char* home = std::getenv("HOME");
        if (!home || !*home)
            if (const passwd* entry = ::getpwuid(::getuid()))
                home = entry->pw_dir;
        return ChooseProgramFolder(executable, Writable(executable),
                                   UserDataFolder(std::getenv("XDG_DATA_HOME"), home));
    }();
    return folder;
}

[[noreturn]] void Fail(const fs::path& folder, const std::error_code& error) {
    throw std::runtime_error(folder.string() + ": " + error.message());
}

// The folder a copy of the samples is filled in, beside TextFolder: "TextFolder.copying-" and
// six letters.
constexpr std::string_view CopyPrefix = "TextFolder.copying-";
// What an earlier version named it.
constexpr std::string_view OldCopyName = "TextFolder.partial";

// Removes a tree of ours, whatever modes its folders were given (an old copy kept the
// read-only modes of the samples, which made its folders impossible to empty).
void RemoveTree(const fs::path& path) {
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(path, error))) {
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, error);
        for (fs::directory_iterator it(path, error); !error && it != fs::directory_iterator();
             it.increment(error))
            RemoveTree(it->path());
    }
    fs::remove(path, error);
}

void RemoveCopyLeftovers(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.starts_with(CopyPrefix) || name == OldCopyName)
            RemoveTree(it->path());
    }
}

// A new, empty folder for the copy, 0755 less the umask.
fs::path MakeCopyFolder(const fs::path& folder) {
    static constexpr char Letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name(CopyPrefix);
        for (int i = 0; i < 6; ++i)
            name += Letters[random() % (sizeof Letters - 1)];
        fs::path path = folder / name;
        if (::mkdir(path.c_str(), 0755) == 0)
            return path;
        if (errno != EEXIST)
            throw TSampleCopyError(TFileError(folder, FileErrorReason(errno)).what());
    }
    throw TSampleCopyError(TFileError(folder, FileErrorReason(EEXIST)).what());
}

// Writes `bytes` into the new file `path`, 0644 less the umask, and flushes it to disk.
void WriteNewFile(const fs::path& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        throw TFileError(path, FileErrorReason(errno));
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            int reason = n < 0 ? errno : EIO;
            ::close(fd);
            throw TFileError(path, FileErrorReason(reason));
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0)
        throw TFileError(path, FileErrorReason(errno));
}

// Copies the folders and regular files of `from` (links followed) into the folder `to`, as the
// learner's own. Throws TFileError naming the file that failed as `shown`, the place it is
// copied for (the copy's own folder is temporary).
void CopyTree(const fs::path& from, const fs::path& to, const fs::path& shown) {
    std::error_code error;
    fs::directory_iterator it(from, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const fs::path name = it->path().filename();
        const fs::path target = to / name;
        std::error_code kind;
        try {
            if (it->is_directory(kind)) {
                if (::mkdir(target.c_str(), 0755) != 0)
                    throw TFileError(target, FileErrorReason(errno));
                CopyTree(it->path(), target, shown / name);
                continue;
            }
            WriteNewFile(target, ReadWholeFile(it->path()));
        } catch (const TFileError& e) {
            // A sample that cannot be read is named where it is; a copy that cannot be
            // written, where it was going.
            throw TFileError(e.Path() == target ? shown / name : e.Path(), e.Reason());
        }
    }
    if (error)
        throw TFileError(from, FileErrorReason(error.value()));
}

} // namespace

fs::path ProgramFolder() {
    if (!Override().empty())
        return Override();
    return ChosenFolder();
}

void SetProgramFolder(const fs::path& folder) {
    Override() = folder;
}

fs::path ChooseProgramFolder(const fs::path& executableFolder, bool executableFolderWritable,
                             const fs::path& userDataFolder) {
    // An installed tree counts as installed even where the user could write it (root, or a
    // prefix in the home folder): its files belong to the package, not to one learner.
    if (executableFolderWritable && InstalledDataFolder(executableFolder).empty())
        return executableFolder;
    return userDataFolder;
}

fs::path InstalledDataFolder(const fs::path& executableFolder) {
    fs::path folder = executableFolder.lexically_normal();
    if (folder.has_filename() ? folder.filename() != "bin"
                              : folder.parent_path().filename() != "bin")
        return {};
    fs::path data = (executableFolder / ".." / "share" / "typorin").lexically_normal();
    std::error_code error;
    return fs::is_directory(data, error) ? data : fs::path();
}

fs::path SharedDataFolder() {
    fs::path executable = ExecutableFolder();
    fs::path installed = InstalledDataFolder(executable);
    return installed.empty() ? executable : installed;
}

fs::path UserDataFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && fs::path(xdgDataHome).is_absolute())
        return fs::path(xdgDataHome) / "typorin";
    return fs::path(home ? home : "") / ".local" / "share" / "typorin";
}

void PrepareUserFolder(const fs::path& folder, const fs::path& samples) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        Fail(folder, error);
    RemoveCopyLeftovers(folder);
    fs::path registers = folder / "TextFolder";
    if (fs::exists(registers, error) || !fs::is_directory(samples, error))
        return;

    fs::path copy = MakeCopyFolder(folder);
    try {
        CopyTree(samples, copy, registers);
        if (::rename(copy.c_str(), registers.c_str()) != 0)
            throw TFileError(registers, FileErrorReason(errno));
    } catch (const TFileError& e) {
        RemoveTree(copy);
        throw TSampleCopyError(e.what());
    }
}

void PrepareProgramFolder() {
    if (!Override().empty())
        return;
    fs::path executable = ExecutableFolder();
    if (ProgramFolder() == executable)
        return;
    // The samples of an installed program, or those of a copy in a folder the user cannot write.
    fs::path installed = InstalledDataFolder(executable);
    PrepareUserFolder(ProgramFolder(), (installed.empty() ? executable : installed) / "TextFolder");
}
