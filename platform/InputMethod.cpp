// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/InputMethod.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QtGlobal>

namespace InputMethod {

// Qt loads the input context the environment names (QT_IM_MODULE: "fcitx", "fcitx5", "ibus").
ImeSession::TFramework CurrentFramework() {
    return ImeSession::FrameworkOf(qEnvironmentVariable("QT_IM_MODULE").toStdString());
}

namespace {

const QString FcitxService = QStringLiteral("org.fcitx.Fcitx5");
const QString FcitxController = QStringLiteral("/controller");
const QString FcitxInterface = QStringLiteral("org.fcitx.Fcitx.Controller1");
constexpr int RetryMs = 100;
constexpr int HintMaxAgeMs = 5000;
constexpr int MaxTries = 30;

QDBusMessage FcitxCall(const QString& method) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(FcitxService, FcitxController, FcitxInterface, method);
    // A framework that is not running is not started for the program.
    call.setAutoStartService(false);
    return call;
}

// One request: Activate, then State, repeated until State says active (2).
class TActivation : public QObject {
public:
    explicit TActivation(std::function<bool()> wanted) : FWanted(std::move(wanted)) {
        setParent(QCoreApplication::instance());
        Try();
    }

private:
    void Try() {
        if (!FWanted || !FWanted() || ++FTries > MaxTries) {
            deleteLater();
            return;
        }
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.send(FcitxCall(QStringLiteral("Activate")));
        auto* watcher =
            new QDBusPendingCallWatcher(bus.asyncCall(FcitxCall(QStringLiteral("State"))), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this](QDBusPendingCallWatcher* call) {
                    QDBusPendingReply<int> reply = *call;
                    call->deleteLater();
                    if (reply.isError() || reply.value() == 2) {
                        deleteLater();
                        return;
                    }
                    QTimer::singleShot(RetryMs, this, [this] { Try(); });
                });
    }

    std::function<bool()> FWanted;
    int FTries = 0;
};

// The request running now; a new one replaces it.
QPointer<TActivation> CurrentActivation;

} // namespace

bool RequestJapaneseInput(std::function<bool()> wanted) {
    if (CurrentFramework() != ImeSession::TFramework::Fcitx5 || !QCoreApplication::instance())
        return false;
    if (!QDBusConnection::sessionBus().isConnected())
        return false;
    if (CurrentActivation)
        CurrentActivation->deleteLater();
    CurrentActivation = new TActivation(std::move(wanted));
    return true;
}

bool Fcitx5JapaneseInputOn() {
    QDBusMessage reply = QDBusConnection::sessionBus().call(FcitxCall(QStringLiteral("State")));
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().first().toInt() == 2;
}

QString ImeOffHint() {
    // The session's facts take the bus a round trip and a look at the disk; learners who keep
    // pressing keys with the input method off get the hint of a moment ago.
    static QString hint;
    static QElapsedTimer age;
    if (hint.isEmpty() || !age.isValid() || age.elapsed() > HintMaxAgeMs) {
        hint = ImeSession::ImeOffHint(ImeSession::ImeSessionFacts());
        age.start();
    }
    return hint;
}

} // namespace InputMethod
