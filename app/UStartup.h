// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's start: the guard against a second instance, the data folder, and the run of
// the main window.

#include "platform/SingleInstance.h"
#include "store/ULanguage.h"

#include <functional>

class QApplication;
class TfrmMain;

// Takes the single-instance lock for `guard`. When another instance runs, shows the warning,
// asks that instance to raise its window and returns false; when the lock cannot be taken at
// all, shows "プログラムを起動できません。" with the lock file's path and the reason, and
// returns false. The data file is not touched.
bool StartSingleInstance(TSingleInstance& guard);

// Makes the user's data folder (with the sample registers) when the program keeps its files
// there; when that fails, shows "データフォルダを作成できません。" with the reason and lets
// the program start all the same (the data file's own errors then say what is missing). A
// failed copy of the samples says which file and why; the next start copies them again.
void StartProgramFolder();

// Loads Qt's own Japanese texts (file dialogs, standard buttons), whatever the session's
// locale. Without Debian's translations installed the standard texts stay English.
void InstallJapaneseQtTexts();

// The texts of `language`: for English the program's English translation with Qt's texts as
// they come; for Japanese (and when the translation cannot be loaded) the source texts with
// Qt's Japanese texts.
void InstallProgramTexts(ULanguage::TLanguage language);

// Runs the program in `app`: the texts of the display language chosen (or the desktop's), the fonts
// and style, the single-instance guard, the data folder, the main window shown until it is closed
// or a signal or the end of the desktop session ends the program. Returns the process's exit
// status. `shown`, when given, is called as soon as the window has been shown; returning false ends
// the program there (the start-up benchmark times the real start this way).
int RunProgram(QApplication& app, const std::function<bool(TfrmMain&)>& shown = {});
