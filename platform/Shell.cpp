// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Shell.h"

#include "platform/ProgramFolder.h"
#include "platform/Translate.h"

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

QUrl HelpUrl(const std::filesystem::path& programFolder, const std::filesystem::path& sharedFolder,
             const QString& page, bool english) {
    auto local = [](const std::filesystem::path& path) {
        return QFile::decodeName(QByteArray::fromStdString(path.string()));
    };
    QString chm = QDir(local(programFolder)).filePath(HelpFileName);
    if (QFileInfo::exists(chm))
        return QUrl::fromLocalFile(chm);
    const QDir manual(QDir(local(sharedFolder)).filePath(QStringLiteral("help")));
    // Only a page of the manual's own folder: a name with a folder in it is not one.
    const QString own = page.isEmpty() || page.contains(QLatin1Char('/')) ? HelpContentsPage : page;
    QStringList names;
    if (english)
        names << QStringLiteral("en/") + own << QStringLiteral("en/") + HelpContentsPage;
    names << own << HelpContentsPage;
    for (const QString& name : names)
        if (QFileInfo::exists(manual.filePath(name)))
            return QUrl::fromLocalFile(manual.filePath(name));
    return {};
}

bool OpenHelpFile(const QString& page) {
    QUrl url = HelpUrl(ProgramFolder(), SharedDataFolder(), page, EnglishInUse());
    if (url.isEmpty())
        return false;
    Open(url);
    return true;
}

void SetUrlOpener(std::function<void(const QUrl&)> opener) {
    Opener() = std::move(opener);
}
