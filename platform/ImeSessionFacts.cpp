// SPDX-License-Identifier: GPL-3.0-or-later
// The facts of the running session for ImeSession, gathered before the application object
// exists: Qt's D-Bus module needs one, so the session bus is asked through libdbus directly.

#include "platform/ImeSession.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QtGlobal>

#include <dbus/dbus.h>

#include <cstdio>
#include <memory>

#include <sys/stat.h>

namespace ImeSession {

namespace {

// A question to the bus gets this long for its answer: the bus daemon answers at once.
constexpr int BusTimeoutMs = 1000;

// The session bus's address: the environment's, else the user bus of the runtime folder. A bus
// is never started for the question (no autolaunch).
QByteArray SessionBusAddress() {
    QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty())
        return address;
    QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (!runtime.isEmpty() && ::stat((runtime + "/bus").constData(), &info) == 0 &&
        S_ISSOCK(info.st_mode))
        return "unix:path=" + runtime + "/bus";
    return {};
}

struct TConnectionClose {
    void operator()(DBusConnection* connection) const {
        dbus_connection_close(connection);
        dbus_connection_unref(connection);
    }
};
using TConnection = std::unique_ptr<DBusConnection, TConnectionClose>;

struct TMessageUnref {
    void operator()(DBusMessage* message) const { dbus_message_unref(message); }
};
using TMessage = std::unique_ptr<DBusMessage, TMessageUnref>;

// Sends a method call of the bus itself and returns its reply; none on an error or a timeout.
TMessage CallBus(DBusConnection* connection, const char* method, const char* argument) {
    TMessage call(dbus_message_new_method_call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                               "org.freedesktop.DBus", method));
    if (!call)
        return {};
    if (argument &&
        !dbus_message_append_args(call.get(), DBUS_TYPE_STRING, &argument, DBUS_TYPE_INVALID))
        return {};
    DBusError error;
    dbus_error_init(&error);
    TMessage reply(
        dbus_connection_send_with_reply_and_block(connection, call.get(), BusTimeoutMs, &error));
    dbus_error_free(&error);
    return reply;
}

bool HasOwner(DBusConnection* connection, const char* name) {
    TMessage reply = CallBus(connection, "NameHasOwner", name);
    dbus_bool_t owned = false;
    DBusError error;
    dbus_error_init(&error);
    bool read = reply && dbus_message_get_args(reply.get(), &error, DBUS_TYPE_BOOLEAN, &owned,
                                               DBUS_TYPE_INVALID);
    dbus_error_free(&error);
    return read && owned;
}

void AskBus(TFacts& facts) {
    QByteArray address = SessionBusAddress();
    if (address.isEmpty())
        return;
    DBusError error;
    dbus_error_init(&error);
    TConnection connection(dbus_connection_open_private(address.constData(), &error));
    dbus_error_free(&error);
    if (!connection)
        return;
    dbus_connection_set_exit_on_disconnect(connection.get(), false);
    // A bus answers nothing before the connection says hello.
    if (!CallBus(connection.get(), "Hello", nullptr))
        return;
    facts.Fcitx5Running = HasOwner(connection.get(), "org.fcitx.Fcitx5");
    facts.IBusRunning = HasOwner(connection.get(), "org.freedesktop.IBus");
}

// Qt's input-method modules are plugins of the folder "platforminputcontexts", in Qt's plugin
// folder or one that QT_PLUGIN_PATH names.
void FindModules(TFacts& facts) {
    QStringList folders{QLibraryInfo::path(QLibraryInfo::PluginsPath)};
    for (const QString& folder :
         qEnvironmentVariable("QT_PLUGIN_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        folders << folder;
    for (const QString& folder : folders) {
        QDir plugins(folder + QStringLiteral("/platforminputcontexts"));
        for (const QString& file : plugins.entryList(QDir::Files)) {
            facts.FcitxModule |= file.contains(QLatin1String("fcitx"));
            facts.IBusModule |= file.contains(QLatin1String("ibus"));
        }
    }
}

// fcitx5 reads its configuration from the user's folder first, then the system's.
void ReadFcitx5Keys(TFacts& facts) {
    QStringList folders;
    QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(home))
        home = QDir::homePath() + QStringLiteral("/.config");
    folders << home;
    QString system = qEnvironmentVariable("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    folders << system.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& folder : folders) {
        QFile file(folder + QStringLiteral("/fcitx5/config"));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        std::optional<std::vector<std::string>> keys =
            Fcitx5TriggerKeys(file.read(1 << 20).toStdString());
        if (keys) {
            facts.Fcitx5TriggerKeys = *keys;
            return;
        }
    }
    facts.Fcitx5TriggerKeys = DefaultFcitx5TriggerKeys();
}

} // namespace

TFacts ImeSessionFacts() {
    TFacts facts;
    facts.ImModule = qEnvironmentVariable("QT_IM_MODULE").trimmed().toStdString();
    AskBus(facts);
    FindModules(facts);
    if (facts.Fcitx5Running)
        ReadFcitx5Keys(facts);
    return facts;
}

TChoice ChooseModuleForSession() {
    TChoice choice = ChooseModule(ImeSessionFacts());
    if (!choice.Module.empty()) {
        qputenv("QT_IM_MODULE", QByteArray::fromStdString(choice.Module));
        std::fprintf(stderr, "%s\n", choice.Note.toLocal8Bit().constData());
    }
    return choice;
}

} // namespace ImeSession
