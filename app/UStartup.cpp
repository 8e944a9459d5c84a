#include "app/UStartup.h"

#include "platform/Dialogs.h"

bool StartSingleInstance(TSingleInstance& guard) {
    switch (guard.Acquire()) {
    case TSingleInstance::TResult::First:
        return true;
    case TSingleInstance::TResult::Running:
        // The lock belongs to a running process: it goes when that process ends, even when it
        // ends abnormally, so waiting for it is the whole advice.
        Dialogs::ShowWarning(
            nullptr,
            QStringLiteral("%1 は、すでに起動されています。複数起動することはできません。\r\n"
                           "起動している %1 を終了してから、もう一度起動してください。\r\n"
                           "%1 が異常終了したばあいも、終了していれば、そのまま起動できます。")
                .arg(guard.Name()));
        guard.RaiseRunning();
        return false;
    case TSingleInstance::TResult::Failed:
        Dialogs::ShowError(nullptr, QStringLiteral("プログラムを起動できません。"));
        return false;
    }
    return false;
}
