#include "app/UStartup.h"
#include "app/UfMain.h"
#include "platform/Fonts.h"
#include "platform/Icons.h"
#include "platform/QuitRequests.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // No display name: Qt would append it to every window caption.
    QApplication::setApplicationName(QStringLiteral("TYPORIN"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Typorin"));
    InstallJapaneseQtTexts();
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
    guard.OnRaise = [&frmMain] { frmMain.BringToFront(); };
    if (!ending) {
        frmMain.show();
        app.exec();
    }
    frmMain.EndSession();
    return 0;
}
