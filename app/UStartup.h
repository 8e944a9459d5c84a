#pragma once

// The program entry's guard against a second instance.

#include "platform/SingleInstance.h"

// Takes the single-instance lock for `guard`. When another instance runs, shows the warning,
// asks that instance to raise its window and returns false; when the lock cannot be taken at
// all, shows "プログラムを起動できません。" and returns false. The data file is not touched.
bool StartSingleInstance(TSingleInstance& guard);

// Makes the user's data folder (with the sample registers) when the program keeps its files
// there; when that fails, shows "データフォルダを作成できません。" with the reason and lets
// the program start all the same (the data file's own errors then say what is missing).
void StartProgramFolder();

// Loads Qt's own Japanese texts (file dialogs, standard buttons), whatever the session's
// locale. Without Debian's translations installed the standard texts stay English.
void InstallJapaneseQtTexts();
