// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program folder, where Typorin.dat and TextFolder (and a Typorin.chm, if any) live.
//
// A program run from its build folder or from a portable copy keeps its files beside the
// executable. An installed program (the executable in <prefix>/bin with <prefix>/share/typorin
// beside it, or in any folder the user cannot write) keeps them in the user's data folder,
// $XDG_DATA_HOME/typorin, by default ~/.local/share/typorin. Everything that reads or writes a
// learner's file asks ProgramFolder(); tests point it at a temporary folder so that no test
// touches a learner's files.

#include <filesystem>
#include <stdexcept>

std::filesystem::path ProgramFolder();

// Replaces the folder for the rest of the run; an empty path restores the chosen one.
void SetProgramFolder(const std::filesystem::path& folder);

// The choice behind ProgramFolder(), apart from the machine it runs on.
std::filesystem::path ChooseProgramFolder(const std::filesystem::path& executableFolder,
                                          bool executableFolderWritable,
                                          const std::filesystem::path& userDataFolder);

// <prefix>/share/typorin for an executable in <prefix>/bin when that folder exists; empty
// otherwise (the executable is not an installed one).
std::filesystem::path InstalledDataFolder(const std::filesystem::path& executableFolder);

// The folder of the files shipped with the program (the manual): the installed data folder of
// an installed program, the executable's folder otherwise.
std::filesystem::path SharedDataFolder();

// $XDG_DATA_HOME/typorin when XDG_DATA_HOME is an absolute path (as the XDG rules ask), else
// $HOME/.local/share/typorin. Either argument may be null (unset).
std::filesystem::path UserDataFolder(const char* xdgDataHome, const char* home);

// A copy of the sample registers that failed; what() names the file and the reason (UTF-8).
class TSampleCopyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Creates `folder` when missing and, when it holds no TextFolder yet, gives it a copy of the
// sample registers in `samples`. The copy belongs to the learner whatever the samples' modes (an
// install tree may hold them read-only): folders are made 0755 and files 0644, less the umask.
// It is filled in a folder of its own beside its place and renamed into it whole, so a failed
// or interrupted copy leaves no TextFolder at all and the next start copies again; what such a
// copy left behind is removed first. An existing TextFolder is never touched. Nothing is copied
// when `samples` does not exist. Throws std::runtime_error (UTF-8, naming the folder and the
// reason) when the folder cannot be made, TSampleCopyError when the copy fails.
void PrepareUserFolder(const std::filesystem::path& folder, const std::filesystem::path& samples);

// Prepares the folder ProgramFolder() names when it is the user's data folder; does nothing
// for a program that keeps its files beside the executable. Throws as PrepareUserFolder.
void PrepareProgramFolder();
