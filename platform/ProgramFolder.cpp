#include "platform/ProgramFolder.h"

#include <QCoreApplication>

namespace {
std::filesystem::path& Override() {
    static std::filesystem::path folder;
    return folder;
}
} // namespace

std::filesystem::path ProgramFolder() {
    if (!Override().empty())
        return Override();
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

void SetProgramFolder(const std::filesystem::path& folder) {
    Override() = folder;
}
