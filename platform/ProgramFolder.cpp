#include "platform/ProgramFolder.h"

#include <QCoreApplication>

#include <cstdlib>
#include <stdexcept>
#include <system_error>

#include <pwd.h>
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
    fs::path registers = folder / "TextFolder";
    if (fs::exists(registers, error) || !fs::is_directory(samples, error))
        return;

    fs::path partial = folder / "TextFolder.partial";
    fs::remove_all(partial, error);
    fs::copy(samples, partial, fs::copy_options::recursive, error);
    if (!error)
        fs::rename(partial, registers, error);
    if (error) {
        std::error_code ignored;
        fs::remove_all(partial, ignored);
        Fail(registers, error);
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
