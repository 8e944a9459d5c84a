#include "app/UStartup.h"

#include "platform/Dialogs.h"

bool StartSingleInstance(TSingleInstance& guard) {
    switch (guard.Acquire()) {
    case TSingleInstance::TResult::First:
        return true;
    case TSingleInstance::TResult::Running:
        Dialogs::ShowWarning(
            nullptr,
            QStringLiteral(
                "Typorin.exe は、すでに起動されています。複数起動することはできません。\r\n"
                "Typorin.exe が起動していなのにこのメッセージがでることもあります。\r\n"
                "ほかに起動しているアプリケーションを終了してみてください。\r\n"
                "Typorin.exe が異常終了しているばあいは Windows を再起動してください。"));
        guard.RaiseRunning();
        return false;
    case TSingleInstance::TResult::Failed:
        Dialogs::ShowError(nullptr, QStringLiteral("プログラムを起動できません。"));
        return false;
    }
    return false;
}
