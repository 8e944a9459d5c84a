// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's texts in the language in use, for the units without a window. The Japanese
// text is the source text: with no translation installed (Japanese, and every test) a call
// returns its source. lupdate reads TrText, TrSjis and TrUtf8 as it reads translate(), and
// TR_NOOP as QT_TRANSLATE_NOOP, so each text lands in the translation file under its context.
// lupdate skips a call with more arguments, so numbers and names go in afterwards:
//
//   FillArgs(TrText("UPracticeText", "全 %1 文字"), {u"12"})
//
// Arguments replace %1 … %9 in one pass, so an argument that holds "%2" stays as it is.

#include <initializer_list>
#include <string>
#include <string_view>

// Marks a text of a table for the translation file; the table keeps its source text, which
// TrText translates where the text is shown.
#define TR_NOOP(context, source) source

// The text as UTF-16, Shift_JIS or UTF-8. `context` and `source` are the literals the
// translation file keys on; `source` is UTF-8.
std::u16string TrText(const char* context, const char* source);
std::string TrSjis(const char* context, const char* source);
std::string TrUtf8(const char* context, const char* source);

// Replaces %1 … %9 of `text` by the arguments in one pass; a marker without an argument stays.
std::u16string FillArgs(std::u16string_view text, std::initializer_list<std::u16string_view> args);

// UTF-8 to UTF-16 and back, for arguments (paths, reasons) and filled texts.
std::u16string Utf16Of(std::string_view utf8);
std::string Utf8Of(std::u16string_view text);

// Installs the texts of the language: for Japanese, Qt's own Japanese texts (file dialogs,
// standard buttons; without Debian's Qt translations they stay English); for English, the
// program's English translation, built into the program, with Qt's own texts as they come.
// Returns false when the English translation cannot be loaded (the program then speaks
// Japanese). Installed once, at start, before the first window.
bool InstallTranslations(bool english);

// Whether the English translation is in use: the manual opens in English.
bool EnglishInUse();
