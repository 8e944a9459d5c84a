// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ActivationToken.h"

#include "xdg-activation-v1-client-protocol.h"

#include <QElapsedTimer>
#include <QtGlobal>

#include <wayland-client.h>

#include <cstring>
#include <memory>

#include <poll.h>

namespace {

struct TState {
    xdg_activation_v1* Activation = nullptr;
    QString Token;
    bool Done = false;
};

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* state = static_cast<TState*>(data);
    if (std::strcmp(interface, xdg_activation_v1_interface.name) == 0 && !state->Activation)
        state->Activation = static_cast<xdg_activation_v1*>(
            wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1));
}

void GlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener RegistryListener = {Global, GlobalRemove};

void TokenDone(void* data, xdg_activation_token_v1*, const char* token) {
    auto* state = static_cast<TState*>(data);
    state->Token = QString::fromUtf8(token);
    state->Done = true;
}

const xdg_activation_token_v1_listener TokenListener = {TokenDone};

struct TDisplayClose {
    void operator()(wl_display* display) const { wl_display_disconnect(display); }
};

// Dispatches the display's events until `done` holds; false after `timeoutMs` or on an error.
template <typename F>
bool DispatchUntil(wl_display* display, F done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        while (wl_display_prepare_read(display) != 0)
            if (wl_display_dispatch_pending(display) < 0)
                return false;
        if (done()) {
            wl_display_cancel_read(display);
            break;
        }
        if (wl_display_flush(display) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display);
            return false;
        }
        const int left = timeoutMs - static_cast<int>(clock.elapsed());
        pollfd entry{wl_display_get_fd(display), POLLIN, 0};
        if (left <= 0 || ::poll(&entry, 1, left) <= 0) {
            wl_display_cancel_read(display);
            return false;
        }
        if (wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0)
            return false;
    }
    return true;
}

} // namespace

QString RequestActivationToken(const QString& appId, int timeoutMs) {
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return {};
    std::unique_ptr<wl_display, TDisplayClose> display(wl_display_connect(nullptr));
    if (!display)
        return {};
    TState state;
    wl_registry* registry = wl_display_get_registry(display.get());
    wl_registry_add_listener(registry, &RegistryListener, &state);
    QString token;
    if (wl_display_roundtrip(display.get()) >= 0 && state.Activation) {
        xdg_activation_token_v1* request = xdg_activation_v1_get_activation_token(state.Activation);
        xdg_activation_token_v1_add_listener(request, &TokenListener, &state);
        xdg_activation_token_v1_set_app_id(request, appId.toUtf8().constData());
        xdg_activation_token_v1_commit(request);
        if (DispatchUntil(
                display.get(), [&state] { return state.Done; }, timeoutMs))
            token = state.Token;
        xdg_activation_token_v1_destroy(request);
        xdg_activation_v1_destroy(state.Activation);
    }
    wl_registry_destroy(registry);
    wl_display_flush(display.get());
    return token;
}
