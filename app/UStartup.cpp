#include "app/UStartup.h"

#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>

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

void StartProgramFolder() {
    try {
        PrepareProgramFolder();
    } catch (const std::exception& e) {
        Dialogs::ShowError(nullptr, QStringLiteral("データフォルダを作成できません。\r\n") +
                                        QString::fromUtf8(e.what()));
    }
}

void InstallJapaneseQtTexts() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
