#pragma once

#include <QByteArray>
#include <QObject>

struct wl_display;
struct wl_proxy;
class QSocketNotifier;

namespace wattlet {

/// The clipboard selection through the compositor's data-control protocol
/// (wlr-data-control-unstable-v1: sway, Hyprland, KWin and other wlroots compositors), on a
/// Wayland connection of its own beside Qt's. The text is served from here until another
/// client takes the selection.
class WaylandSelection : public QObject
{
public:
    /// Makes `utf8` the selection; false when there is no Wayland display or the compositor
    /// does not offer data control, and nothing is done.
    static bool offer(const QByteArray& utf8);

    ~WaylandSelection() override;
    WaylandSelection(const WaylandSelection&) = delete;
    WaylandSelection& operator=(const WaylandSelection&) = delete;

private:
    explicit WaylandSelection(QObject* parent);
    bool connectToCompositor();
    bool set(const QByteArray& utf8);
    void dispatch();
    void disconnect();

    static void sourceSend(void* data, wl_proxy* source, const char* mimeType, int fd);
    static void sourceCancelled(void* data, wl_proxy* source);
    static void deviceDataOffer(void* data, wl_proxy* device, wl_proxy* offer);
    static void deviceSelection(void* data, wl_proxy* device, wl_proxy* offer);
    static void deviceFinished(void* data, wl_proxy* device);
    static void registryGlobal(
        void* data, wl_proxy* registry, unsigned name, const char* interface, unsigned version);
    static void registryGlobalRemove(void* data, wl_proxy* registry, unsigned name);

    wl_display* m_display = nullptr;
    wl_proxy* m_registry = nullptr;
    wl_proxy* m_seat = nullptr;
    wl_proxy* m_manager = nullptr;
    wl_proxy* m_device = nullptr;
    wl_proxy* m_source = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    QByteArray m_text;
};

} // namespace wattlet
