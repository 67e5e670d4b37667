// Asks a Wayland compositor for a fresh xdg-activation token and prints it, for the real-host
// check: a notification server hands such a token to the program with a click. The protocol
// is xdg-activation-v1; only the requests and the event used here are declared.
#include <cstdio>
#include <cstring>
#include <string>
#include <wayland-client.h>

namespace {

const wl_interface* noTypes[] = { nullptr, nullptr };
const wl_interface* serialTypes[] = { nullptr, &wl_seat_interface };
const wl_interface* surfaceTypes[] = { &wl_surface_interface };
const wl_message tokenRequests[] = { { "set_serial", "uo", serialTypes },
    { "set_app_id", "s", noTypes }, { "set_surface", "o", surfaceTypes }, { "commit", "", noTypes },
    { "destroy", "", noTypes } };
const wl_message tokenEvents[] = { { "done", "s", noTypes } };
const wl_interface tokenInterface
    = { "xdg_activation_token_v1", 1, 5, tokenRequests, 1, tokenEvents };
const wl_interface* getTokenTypes[] = { &tokenInterface };
const wl_message activationRequests[]
    = { { "destroy", "", noTypes }, { "get_activation_token", "n", getTokenTypes } };
const wl_interface activationInterface
    = { "xdg_activation_v1", 1, 2, activationRequests, 0, nullptr };

wl_proxy* activation = nullptr;
std::string token;

void global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    if (std::strcmp(interface, activationInterface.name) == 0)
        activation
            = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &activationInterface, 1));
}

void globalRemove(void*, wl_registry*, uint32_t) { }

const wl_registry_listener registryListener = { global, globalRemove };

void done(void*, wl_proxy*, const char* text) { token = text; }

struct TokenListener
{
    void (*done)(void*, wl_proxy*, const char*);
};
TokenListener tokenListener = { done };

} // namespace

int main()
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fputs("activation_token: no Wayland display\n", stderr);
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, nullptr);
    wl_display_roundtrip(display);
    if (!activation) {
        std::fputs("activation_token: the compositor offers no xdg-activation\n", stderr);
        return 1;
    }
    wl_proxy* request = wl_proxy_marshal_constructor(activation, 1, &tokenInterface, nullptr);
    // libwayland takes any listener as a table of functions.
    wl_proxy_add_listener(request, reinterpret_cast<void (**)()>(&tokenListener), nullptr);
    wl_proxy_marshal(request, 3); // commit
    while (token.empty() && wl_display_roundtrip(display) != -1) { }
    std::puts(token.c_str());
    return token.empty() ? 1 : 0;
}
