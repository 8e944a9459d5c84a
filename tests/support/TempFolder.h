// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A temporary program folder for one test: Typorin.dat and TextFolder of the test live there
// and vanish with it, so no test ever touches a learner's files.

#include "platform/ProgramFolder.h"

#include <QTemporaryDir>

#include <filesystem>

class TTempFolder {
public:
    TTempFolder() { SetProgramFolder(Path()); }
    ~TTempFolder() { SetProgramFolder({}); }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    std::filesystem::path Path() const { return FDir.path().toStdString(); }

private:
    QTemporaryDir FDir;
};
