// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Translate.h"

#include "platform/ShiftJis.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

bool EnglishInstalled = false;

bool Install(const QLocale& locale, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, name, QStringLiteral("_"), folder)) {
        QCoreApplication::installTranslator(translator);
        return true;
    }
    delete translator;
    return false;
}

} // namespace

std::u16string FillArgs(std::u16string_view text, std::initializer_list<std::u16string_view> args) {
    std::u16string filled;
    filled.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'%' && i + 1 < text.size() && text[i + 1] >= u'1' && text[i + 1] <= u'9') {
            std::size_t n = static_cast<std::size_t>(text[i + 1] - u'1');
            if (n < args.size()) {
                filled += *(args.begin() + n);
                ++i;
                continue;
            }
        }
        filled += text[i];
    }
    return filled;
}

std::u16string Utf16Of(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdU16String();
}

std::string Utf8Of(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

std::u16string TrText(const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdU16String();
}

std::string TrSjis(const char* context, const char* source) {
    return ShiftJis::FromUtf16(TrText(context, source));
}

std::string TrUtf8(const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdString();
}

bool InstallTranslations(bool english) {
    if (english) {
        EnglishInstalled = Install(QLocale(QLocale::English, QLocale::UnitedStates),
                                   QStringLiteral("typorin"), QStringLiteral(":/translations"));
        if (EnglishInstalled)
            QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        return EnglishInstalled;
    }
    Install(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return true;
}

bool EnglishInUse() {
    return EnglishInstalled;
}
