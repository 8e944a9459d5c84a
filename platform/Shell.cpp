// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Shell.h"

#include "platform/ProgramFolder.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
std::function<void(const QUrl&)>& Opener() {
    static std::function<void(const QUrl&)> opener;
    return opener;
}

void Open(const QUrl& url) {
    if (Opener())
        Opener()(url);
    else
        QDesktopServices::openUrl(url);
}
} // namespace

QUrl AuthorMailUrl() {
    return QUrl(QStringLiteral("mailto:") + AuthorMailAddress + QStringLiteral("?") +
                QStringLiteral("Subject=TYPORINについて") + QStringLiteral("&") +
                QStringLiteral("cc=") + QStringLiteral("&") +
                QStringLiteral("Body=メールはテキスト形式でお送りください。"));
}

void OpenAuthorMail() {
    Open(AuthorMailUrl());
}

QUrl HelpUrl(const std::filesystem::path& programFolder,
             const std::filesystem::path& sharedFolder) {
    auto local = [](const std::filesystem::path& path) {
        return QFile::decodeName(QByteArray::fromStdString(path.string()));
    };
    QString chm = QDir(local(programFolder)).filePath(HelpFileName);
    if (QFileInfo::exists(chm))
        return QUrl::fromLocalFile(chm);
    QString manual = QDir(local(sharedFolder)).filePath(QStringLiteral("help/index.html"));
    if (QFileInfo::exists(manual))
        return QUrl::fromLocalFile(manual);
    return {};
}

bool OpenHelpFile() {
    QUrl url = HelpUrl(ProgramFolder(), SharedDataFolder());
    if (url.isEmpty())
        return false;
    Open(url);
    return true;
}

void SetUrlOpener(std::function<void(const QUrl&)> opener) {
    Opener() = std::move(opener);
}
