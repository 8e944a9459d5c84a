#include "platform/Shell.h"

#include "platform/ProgramFolder.h"

#include <QDesktopServices>
#include <QDir>
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

QString HelpFilePath() {
    return QDir(QString::fromStdString(ProgramFolder().string())).filePath(HelpFileName);
}

bool OpenHelpFile() {
    QString path = HelpFilePath();
    if (!QFileInfo::exists(path))
        return false;
    Open(QUrl::fromLocalFile(path));
    return true;
}

void SetUrlOpener(std::function<void(const QUrl&)> opener) {
    Opener() = std::move(opener);
}
