#pragma once

// The folder of the executable, where Typorin.dat, TextFolder and Typorin.chm live.
// Tests point it at a temporary folder so that no test touches a learner's files.

#include <filesystem>

std::filesystem::path ProgramFolder();

// Replaces the folder for the rest of the run; an empty path restores the executable's folder.
void SetProgramFolder(const std::filesystem::path& folder);
