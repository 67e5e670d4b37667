// Gives a headless wlroots compositor (sway) a pointer for the real-host check: creates a
// virtual pointer device on its seat and keeps it until killed, so that
// `swaymsg seat seat0 cursor …` clicks reach the clients. The protocol is
// wlr-virtual-pointer-unstable-v1; only the requests used here are declared.
#include <cstdio>
#include <cstring>
#include <wayland-client.h>

namespace {

const wl_interface* noTypes[] = { nullptr, nullptr };
const wl_interface virtualPointerInterface
    = { "zwlr_virtual_pointer_v1", 1, 0, nullptr, 0, nullptr };
const wl_interface* createTypes[] = { &wl_seat_interface, &virtualPointerInterface };
const wl_message managerRequests[] = {
    { "create_virtual_pointer", "?on", createTypes },
    { "destroy", "", noTypes },
};
const wl_interface managerInterface
    = { "zwlr_virtual_pointer_manager_v1", 1, 2, managerRequests, 0, nullptr };

wl_seat* seat = nullptr;
wl_proxy* manager = nullptr;

void global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    if (std::strcmp(interface, "wl_seat") == 0 && !seat)
        seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, managerInterface.name) == 0)
        manager = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &managerInterface, 1));
}

void globalRemove(void*, wl_registry*, uint32_t) { }

const wl_registry_listener registryListener = { global, globalRemove };

} // namespace

int main()
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fputs("virtual_pointer: no Wayland display\n", stderr);
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, nullptr);
    wl_display_roundtrip(display);
    if (!seat || !manager) {
        std::fputs("virtual_pointer: the compositor offers no virtual pointers\n", stderr);
        return 1;
    }
    wl_proxy_marshal_constructor(manager, 0, &virtualPointerInterface, seat, nullptr);
    wl_display_roundtrip(display);
    std::puts("ready");
    std::fflush(stdout);
    while (wl_display_dispatch(display) != -1) { }
    return 0;
}
