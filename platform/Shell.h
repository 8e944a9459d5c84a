#pragma once

// Opening things with the desktop's own programs: the help file with its viewer, a "mailto:"
// address with the mail program. The result is not examined, as a shell "open" would not be.

#include <QString>
#include <QUrl>

#include <functional>

// The author's contact address, shown by the main window's banner and the about box.
inline const QString AuthorMailAddress = QStringLiteral("typorin@example.org");

// "mailto:" + address + "?Subject=TYPORINについて&cc=&Body=メールはテキスト形式でお送りください。"
QUrl AuthorMailUrl();

// Opens the author's mail address with the desktop's mail program.
void OpenAuthorMail();

// The help file beside the executable.
inline const QString HelpFileName = QStringLiteral("Typorin.chm");
QString HelpFilePath();

// Opens the help file with the desktop's viewer; false (and nothing opened) when it is missing.
bool OpenHelpFile();

// Tests replace what opens a URL; an empty function restores the desktop's opener.
void SetUrlOpener(std::function<void(const QUrl&)> opener);
