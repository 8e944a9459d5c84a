// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ImeSession.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cctype>

namespace ImeSession {

namespace {

QString ManualPage() {
    return QCoreApplication::translate("ImeSession", "（マニュアルの「日本語入力」のページ）");
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// Keys that no Japanese or US keyboard has: left out of the hint.
bool ForeignKey(std::string_view key) {
    return key.find("Hangul") != std::string_view::npos;
}

// The keys named in a hint: "Ctrl+Space または 全角/半角".
QString KeyList(const std::vector<std::string>& keys) {
    QStringList captions;
    for (const std::string& key : keys)
        if (!ForeignKey(key))
            captions << KeyCaption(key);
    return captions.join(QCoreApplication::translate("ImeSession", " または "));
}

} // namespace

TFramework FrameworkOf(std::string_view module) {
    std::string name(module);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (name.empty())
        return TFramework::None;
    if (name.find("fcitx") != std::string::npos)
        return TFramework::Fcitx5;
    if (name.find("ibus") != std::string::npos)
        return TFramework::IBus;
    return TFramework::Other;
}

TChoice ChooseModule(const TFacts& facts) {
    if (!facts.ImModule.empty())
        return {};
    const QString lead =
        QCoreApplication::translate("ImeSession", "typorin: QT_IM_MODULE が設定されていないため、");
    if (facts.Fcitx5Running && facts.FcitxModule)
        return {"fcitx", lead + QCoreApplication::translate(
                                    "ImeSession", "Qt の fcitx モジュールで fcitx5 を使います "
                                                  "(QT_IM_MODULE=fcitx)。")};
    // fcitx5 serves ibus's clients too, when its module for them runs.
    if (facts.IBusRunning && facts.IBusModule)
        return {"ibus", lead + (facts.Fcitx5Running
                                    ? QCoreApplication::translate(
                                          "ImeSession", "Qt の ibus モジュールで fcitx5 を使います "
                                                        "(QT_IM_MODULE=ibus)。")
                                    : QCoreApplication::translate(
                                          "ImeSession", "Qt の ibus モジュールで ibus を使います "
                                                        "(QT_IM_MODULE=ibus)。"))};
    return {};
}

bool Reachable(const TFacts& facts) {
    switch (FrameworkOf(facts.ImModule)) {
    case TFramework::Fcitx5:
        return facts.Fcitx5Running && facts.FcitxModule;
    case TFramework::IBus:
        return facts.IBusRunning && facts.IBusModule;
    default:
        return false;
    }
}

QString ImeOffHint(const TFacts& facts) {
    const QString off = QCoreApplication::translate("ImeSession", "日本語入力がオフです。");
    if (Reachable(facts)) {
        // An ibus client reaches fcitx5 where fcitx5 answers for ibus: its keys apply.
        if (facts.Fcitx5Running) {
            QString keys = KeyList(facts.Fcitx5TriggerKeys);
            if (keys.isEmpty())
                return off + QCoreApplication::translate(
                                 "ImeSession", "fcitx5 で日本語入力をオンにしてください。");
            return off + keys +
                   QCoreApplication::translate("ImeSession", " で日本語入力をオンにしてください。");
        }
        return off + QCoreApplication::translate("ImeSession",
                                                 "全角/半角キーで日本語入力をオンにしてください。");
    }
    const QString none =
        QCoreApplication::translate("ImeSession", "日本語入力につながっていません。");
    if (facts.Fcitx5Running && !facts.FcitxModule && !(facts.IBusRunning && facts.IBusModule))
        return none +
               QCoreApplication::translate("ImeSession",
                                           "Qt 6 用の fcitx5 のモジュール (fcitx5-frontend-qt6) を"
                                           "インストールして起動しなおしてください") +
               ManualPage() + QCoreApplication::translate("ImeSession", "。");
    return none +
           QCoreApplication::translate(
               "ImeSession", "fcitx5 なら QT_IM_MODULE=fcitx、ibus なら QT_IM_MODULE=ibus を"
                             "設定して起動しなおしてください") +
           ManualPage() + QCoreApplication::translate("ImeSession", "。");
}

std::optional<std::vector<std::string>> Fcitx5TriggerKeys(std::string_view config) {
    std::optional<std::vector<std::string>> keys;
    bool inSection = false;
    while (!config.empty()) {
        std::size_t end = config.find('\n');
        std::string_view line = Trimmed(config.substr(0, end));
        config.remove_prefix(end == std::string_view::npos ? config.size() : end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            inSection = line == "[Hotkey/TriggerKeys]";
            if (inSection && !keys)
                keys.emplace();
            continue;
        }
        std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos)
            continue;
        std::string_view value = Trimmed(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (!value.empty())
            keys->emplace_back(value);
    }
    return keys;
}

const std::vector<std::string>& DefaultFcitx5TriggerKeys() {
    static const std::vector<std::string> keys = {"Control+space", "Zenkaku_Hankaku", "Hangul"};
    return keys;
}

QString KeyCaption(std::string_view key) {
    struct TName {
        std::string_view Name;
        const char16_t* Caption;
    };
    static constexpr TName names[] = {
        {"Control", u"Ctrl"},
        {"Ctrl", u"Ctrl"},
        {"Shift", u"Shift"},
        {"Alt", u"Alt"},
        {"Super", u"Super"},
        {"space", u"Space"},
        {"Zenkaku_Hankaku", u"全角/半角"},
        {"Zenkaku", u"全角"},
        {"Hankaku", u"半角"},
        {"Henkan_Mode", u"変換"},
        {"Henkan", u"変換"},
        {"Muhenkan", u"無変換"},
        {"Hiragana_Katakana", u"カタカナ/ひらがな"},
        {"Eisu_toggle", u"英数"},
    };
    QStringList parts;
    while (true) {
        std::size_t plus = key.find('+', 1);
        std::string_view part = key.substr(0, plus);
        auto found = std::find_if(std::begin(names), std::end(names),
                                  [part](const TName& name) { return name.Name == part; });
        parts << (found != std::end(names)
                      ? QString::fromUtf16(found->Caption)
                      : QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size())));
        if (plus == std::string_view::npos)
            break;
        key.remove_prefix(plus + 1);
    }
    return parts.join(QLatin1Char('+'));
}

} // namespace ImeSession
