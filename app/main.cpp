#include "app/UStartup.h"
#include "app/UfMain.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TYPORIN"));
    QApplication::setApplicationDisplayName(QStringLiteral("TYPORIN"));
    QApplication::setDesktopFileName(QStringLiteral("typorin"));
    SubstituteFonts();

    TSingleInstance guard(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    if (!StartSingleInstance(guard))
        return 0;

    TfrmMain frmMain;
    guard.OnRaise = [&frmMain] { frmMain.BringToFront(); };
    frmMain.show();
    return app.exec();
}
