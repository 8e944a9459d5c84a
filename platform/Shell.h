#pragma once

// Opening things with the desktop's own programs: the help file with its viewer, a "mailto:"
// address with the mail program. The result is not examined, as a shell "open" would not be.

#include <QString>
#include <QUrl>

#include <filesystem>
#include <functional>

// The author's contact address, shown by the main window's banner and the about box.
inline const QString AuthorMailAddress = QStringLiteral("typorin@example.org");

// "mailto:" + address + "?Subject=TYPORINについて&cc=&Body=メールはテキスト形式でお送りください。"
QUrl AuthorMailUrl();

// Opens the author's mail address with the desktop's mail program.
void OpenAuthorMail();

// The help file in the program folder.
inline const QString HelpFileName = QStringLiteral("Typorin.chm");

// What the help command opens: Typorin.chm in `programFolder` when it is there, otherwise the
// HTML manual in `sharedFolder` (the installed data or the executable's folder) at its page
// `page` ("analysis.html"), or at its contents page help/index.html when `page` is empty or
// missing; an empty URL when neither exists.
QUrl HelpUrl(const std::filesystem::path& programFolder, const std::filesystem::path& sharedFolder,
             const QString& page = {});

// Opens the help with the desktop's viewer, at `page` as HelpUrl takes it; false (and nothing
// opened) when there is none.
bool OpenHelpFile(const QString& page = {});

// Tests replace what opens a URL; an empty function restores the desktop's opener.
void SetUrlOpener(std::function<void(const QUrl&)> opener);
