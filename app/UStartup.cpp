// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/UStartup.h"

#include "app/UfMain.h"
#include "platform/ActivationToken.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/Icons.h"
#include "platform/ProgramFolder.h"
#include "platform/QuitRequests.h"
#include "platform/Translate.h"
#include "store/UDataFile.h"
#include "store/ULanguage.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <exception>

namespace {

// How long a second start lets its warning box go away before it asks the running instance
// to come forward.
constexpr int BoxSettleMs = 200;

} // namespace

bool StartSingleInstance(TSingleInstance& guard) {
    switch (guard.Acquire()) {
    case TSingleInstance::TResult::First:
        return true;
    case TSingleInstance::TResult::Running: {
        // The token the desktop gave this start lets the running instance take the focus on
        // Wayland; the warning box must not use it up.
        QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
        qunsetenv("XDG_ACTIVATION_TOKEN");
        // The lock belongs to a running process: it goes when that process ends, even when it
        // ends abnormally, so waiting for it is the whole advice.
        Dialogs::ShowWarning(
            nullptr,
            QCoreApplication::translate(
                "UStartup", "%1 は、すでに起動されています。複数起動することはできません。\r\n"
                            "起動している %1 を終了してから、もう一度起動してください。\r\n"
                            "%1 が異常終了したばあいも、終了していれば、そのまま起動できます。")
                .arg(guard.Name()));
        // The box must be gone from the screen first: a compositor that takes it away after
        // the running window was activated gives the focus back to whatever had it before.
        // Its removal reaches the compositor as events run; a moment is enough.
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < BoxSettleMs) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
            QThread::msleep(5);
        }
        // A start from a terminal has no token: it asks the compositor for one (none outside
        // Wayland), now rather than before the box, as tokens expire.
        if (token.isEmpty())
            token = RequestActivationToken(QGuiApplication::desktopFileName());
        guard.RaiseRunning(1000, token);
        return false;
    }
    case TSingleInstance::TResult::Failed:
        Dialogs::ShowError(
            nullptr, QCoreApplication::translate(
                         "UStartup", "プログラムを起動できません。\r\n"
                                     "起動中であることを示すファイルを作成できませんでした。\r\n") +
                         guard.FailureReason());
        return false;
    }
    return false;
}

void StartProgramFolder() {
    try {
        PrepareProgramFolder();
    } catch (const TSampleCopyError& e) {
        Dialogs::ShowError(
            nullptr,
            QCoreApplication::translate(
                "UStartup", "見本のレジスタ (TextFolder) をコピーできませんでした。\r\n") +
                QString::fromUtf8(e.what()) +
                QCoreApplication::translate("UStartup", "\r\n次の起動時にもう一度コピーします。"));
    } catch (const std::exception& e) {
        Dialogs::ShowError(nullptr, QCoreApplication::translate(
                                        "UStartup", "データフォルダを作成できません。\r\n") +
                                        QString::fromUtf8(e.what()));
    }
}

void InstallJapaneseQtTexts() {
    InstallTranslations(false);
}

void InstallProgramTexts(ULanguage::TLanguage language) {
    // Without its English translation the program speaks Japanese, with Qt's texts to match.
    if (language == ULanguage::TLanguage::English && InstallTranslations(true))
        return;
    InstallJapaneseQtTexts();
}

int RunProgram(QApplication& app, const std::function<bool(TfrmMain&)>& shown) {
    // No display name: Qt would append it to every window caption.
    QApplication::setApplicationName(QStringLiteral("TYPORIN"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Typorin"));
    InstallProgramTexts(ULanguage::StartLanguage(StatsFilePath()));
    SetUpFonts();
    UseProgramStyle();

    TSingleInstance guard(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    if (!StartSingleInstance(guard))
        return 0;
    StartProgramFolder();

    // A signal or the end of the desktop session closes the window as its close box does,
    // without a question, and ends the program, even from inside a dialog of its start.
    bool ending = false;
    TfrmMain* mainWindow = nullptr;
    TQuitRequests quitRequests([&] {
        ending = true;
        if (mainWindow)
            mainWindow->EndSession();
        QCoreApplication::exit(0);
    });

    TfrmMain frmMain;
    mainWindow = &frmMain;
    guard.OnRaise = [&frmMain](const QString& activationToken) {
        // Qt's Wayland shell activates a window with the token it finds here.
        if (!activationToken.isEmpty())
            qputenv("XDG_ACTIVATION_TOKEN", activationToken.toLatin1());
        frmMain.BringToFront();
    };
    if (!ending) {
        frmMain.show();
        if (!shown || shown(frmMain))
            app.exec();
    }
    frmMain.EndSession();
    return 0;
}
