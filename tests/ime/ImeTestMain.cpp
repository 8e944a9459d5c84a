// SPDX-License-Identifier: GPL-3.0-or-later
// The input-method tests start as the program does: the input-method module is chosen before
// the application object exists (on Wayland the session leaves QT_IM_MODULE unset).

#include "platform/Fonts.h"
#include "platform/Icons.h"
#include "platform/ImeSession.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ImeSession::ChooseModuleForSession();
    QApplication app(argc, argv);
    SetUpFonts();
    UseProgramStyle();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
