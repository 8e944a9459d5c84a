// SPDX-License-Identifier: GPL-3.0-or-later
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

// The manual's contents page, and the pages of the windows that open the manual with F1.
inline const QString HelpContentsPage = QStringLiteral("index.html");
inline const QString HelpEditorPage = QStringLiteral("editor.html");
inline const QString HelpRecordsPage = QStringLiteral("records.html");
inline const QString HelpAnalysisPage = QStringLiteral("analysis.html");

// What the help command opens: Typorin.chm in `programFolder` when it is there, otherwise the
// HTML manual's `page` in help/ of `sharedFolder` (the installed data or the executable's
// folder), or its contents page when that page is missing; an empty URL when there is none.
// With `english`, the English manual in help/en/ comes first, page and contents page, then the
// Japanese one.
QUrl HelpUrl(const std::filesystem::path& programFolder, const std::filesystem::path& sharedFolder,
             const QString& page = HelpContentsPage, bool english = false);

// Opens the help at `page` with the desktop's viewer, in the language in use; false (and
// nothing opened) when there is none.
bool OpenHelpFile(const QString& page = HelpContentsPage);

// Tests replace what opens a URL; an empty function restores the desktop's opener.
void SetUrlOpener(std::function<void(const QUrl&)> opener);
