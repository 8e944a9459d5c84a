#pragma once

// The program entry's guard against a second instance.

#include "platform/SingleInstance.h"

// Takes the single-instance lock for `guard`. When another instance runs, shows the warning,
// asks that instance to raise its window and returns false; when the lock cannot be taken at
// all, shows "プログラムを起動できません。" and returns false. The data file is not touched.
bool StartSingleInstance(TSingleInstance& guard);
