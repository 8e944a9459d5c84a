// SPDX-License-Identifier: GPL-3.0-or-later
// The facts of the running session for DesktopKeyboard: the X server's keyboard through Qt's
// own connection to it, fcitx5 through the session bus and its profile, and the environment.

#include "platform/DesktopKeyboard.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QtGlobal>

#include <xcb/xcb.h>
// The extension's header names a field `explicit`, a keyword of C++.
#define explicit xkb_explicit
#include <xcb/xkb.h>
#undef explicit

#include <cstdlib>
#include <memory>

namespace DesktopKeyboard {

namespace {

// fcitx5 answers its controller at once; a hung one must not hold the program up.
constexpr int Fcitx5TimeoutMs = 500;
// _XKB_RULES_NAMES is five short names; this many 32-bit words hold far more.
constexpr std::uint32_t RulesNamesWords = 1024;

const QString Fcitx5Service = QStringLiteral("org.fcitx.Fcitx5");

template <typename T>
struct TFree {
    void operator()(T* reply) const { std::free(reply); }
};
template <typename T>
using TReply = std::unique_ptr<T, TFree<T>>;

// The rules names of the root window and the group of the core keyboard.
void ReadX(TFacts& facts) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection || xcb_connection_has_error(connection))
        return;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    if (!screens.rem)
        return;
    const xcb_window_t root = screens.data->root;

    static constexpr char name[] = "_XKB_RULES_NAMES";
    TReply<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, true, sizeof name - 1, name), nullptr));
    if (atom && atom->atom != XCB_ATOM_NONE) {
        TReply<xcb_get_property_reply_t> property(
            xcb_get_property_reply(connection,
                                   xcb_get_property(connection, false, root, atom->atom,
                                                    XCB_ATOM_STRING, 0, RulesNamesWords),
                                   nullptr));
        if (property && property->format == 8) {
            const char* value = static_cast<const char*>(xcb_get_property_value(property.get()));
            facts.XkbRulesNames.assign(
                value, static_cast<std::size_t>(xcb_get_property_value_length(property.get())));
        }
    }

    TReply<xcb_xkb_use_extension_reply_t> xkb(xcb_xkb_use_extension_reply(
        connection, xcb_xkb_use_extension(connection, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION),
        nullptr));
    if (!xkb || !xkb->supported)
        return;
    TReply<xcb_xkb_get_state_reply_t> state(xcb_xkb_get_state_reply(
        connection, xcb_xkb_get_state(connection, XCB_XKB_ID_USE_CORE_KBD), nullptr));
    if (state)
        facts.XkbGroup = state->group;
}

QDBusMessage Fcitx5Call(const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(Fcitx5Service, QStringLiteral("/controller"),
                                       QStringLiteral("org.fcitx.Fcitx.Controller1"), method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, Fcitx5TimeoutMs);
}

// Whether fcitx5 runs, and the default layout of its group in use as it tells it.
void AskFcitx5(TFacts& facts) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() ||
        !bus.interface()->isServiceRegistered(Fcitx5Service))
        return;
    facts.Fcitx5Running = true;
    const QDBusMessage group = Fcitx5Call(QStringLiteral("CurrentInputMethodGroup"));
    if (group.type() != QDBusMessage::ReplyMessage || group.arguments().isEmpty())
        return;
    // InputMethodGroupInfo answers the group's default layout and its input methods.
    const QDBusMessage info =
        Fcitx5Call(QStringLiteral("InputMethodGroupInfo"), {group.arguments().first().toString()});
    if (info.type() == QDBusMessage::ReplyMessage && !info.arguments().isEmpty())
        facts.Fcitx5Layout = info.arguments().first().toString().toStdString();
}

// fcitx5 keeps its groups in the user's configuration folder.
void ReadFcitx5Profile(TFacts& facts) {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    QFile profile(config + QStringLiteral("/fcitx5/profile"));
    // A profile is a few hundred bytes; a larger file is no profile of fcitx5's.
    if (profile.open(QIODevice::ReadOnly) && profile.size() < 1024 * 1024)
        facts.Fcitx5Profile = profile.readAll().toStdString();
}

} // namespace

TFacts DesktopKeyboardFacts() {
    TFacts facts;
    facts.Platform = QGuiApplication::platformName().toStdString();
    if (facts.Platform == "xcb")
        ReadX(facts);
    AskFcitx5(facts);
    if (facts.Fcitx5Running)
        ReadFcitx5Profile(facts);
    facts.XkbDefaultLayout = qEnvironmentVariable("XKB_DEFAULT_LAYOUT").toStdString();
    return facts;
}

} // namespace DesktopKeyboard
