// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/UStartup.h"
#include "platform/ImeSession.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Qt picks its input-method module as the application starts.
    ImeSession::ChooseModuleForSession();
    QApplication app(argc, argv);
    return RunProgram(app);
}
